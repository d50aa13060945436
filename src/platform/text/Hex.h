// Hexadecimal text of bytes, both ways.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace cv::text {

class NameValueList;

// Two upper-case hexadecimal digits per byte, in byte order.
QString bytesToHex(QByteArrayView bytes);
// The hexadecimal text of the bytes of a narrow string: its code page 936 bytes
// ("宋体" gives "CBCECCE5").
QString textToHex(QStringView text);

// The bytes of a hexadecimal text (upper or lower case). The result has half the text's
// length, rounded down (a last odd digit is ignored). Pairs are converted from the start
// until the first pair that is not two hexadecimal digits; the rest of the result is
// zero bytes (the contract leaves that part unspecified; Delphi leaves it uninitialised).
QByteArray hexToBytes(QStringView text);

// Sets the line named by the decimal `index` ("0", "1", ...) of `list` to `value`, first
// turned into textToHex(value) when `asHex` (the print program's data lists). As with
// NameValueList::setValue, an empty value removes the line.
void setHexValue(NameValueList& list, int index, const QString& value, bool asHex);

} // namespace cv::text
