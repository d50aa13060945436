// Code page 936 (GBK), the narrow character set of the host and its peers.
//
// Where the contract speaks of "the bytes of a narrow string" (hex of strings, the
// "$SQL" line, the print program's data lists) the bytes are code page 936. The
// conversion runs on glibc iconv ("CP936", falling back to "GBK"), never on Qt's codecs,
// so that the bytes are exactly those a Windows peer produces and expects.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace cv::text {

// Text to code page 936 bytes. A character the code page cannot represent (and a
// malformed UTF-16 sequence such as a lone surrogate) becomes one '?' per code point.
// ASCII is unchanged. Throws cv::Exception only when iconv has no code page 936 at all.
QByteArray toCp936(QStringView text);

// Code page 936 bytes to text. A byte sequence that is not valid code page 936 becomes
// U+FFFD: an unmapped lead/trail pair counts as one character, except that an ASCII
// byte after a lead byte is kept as that ASCII character (as the WHATWG GBK decoder
// does); a lead byte cut off at the end becomes one U+FFFD. Never fails on input.
QString fromCp936(QByteArrayView bytes);

// Number of bytes toCp936(text) produces.
qsizetype cp936Size(QStringView text);

} // namespace cv::text
