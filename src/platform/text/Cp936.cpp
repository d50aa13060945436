#include "platform/text/Cp936.h"

#include "platform/abi/Exception.h"

#include <QSysInfo>

#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace cv::text {
namespace {

constexpr const char* kUtf16 =
    QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE";

const iconv_t kInvalid = reinterpret_cast<iconv_t>(-1);

// One iconv descriptor per direction and thread (a descriptor carries conversion
// state and must not be shared between threads).
class Converter {
public:
    Converter(bool toNarrow)
    {
        for (const char* narrow : {"CP936", "GBK"}) {
            m_cd = toNarrow ? iconv_open(narrow, kUtf16) : iconv_open(kUtf16, narrow);
            if (m_cd != kInvalid)
                break;
        }
    }
    ~Converter()
    {
        if (m_cd != kInvalid)
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    iconv_t get() const
    {
        if (m_cd == kInvalid)
            throw Exception(QStringLiteral("Code page 936 conversion is not available (iconv)"));
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr); // initial state
        return m_cd;
    }

private:
    iconv_t m_cd = kInvalid;
};

iconv_t encoder()
{
    thread_local Converter converter(true);
    return converter.get();
}

iconv_t decoder()
{
    thread_local Converter converter(false);
    return converter.get();
}

bool isAscii(QStringView text)
{
    for (QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

bool isAscii(QByteArrayView bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// Makes room for at least `need` more bytes behind `out`.
void reserveOut(QByteArray& buffer, char*& out, size_t& outLeft, size_t need)
{
    if (outLeft >= need)
        return;
    const qsizetype used = out - buffer.data();
    buffer.resize(std::max<qsizetype>(buffer.size() * 2, used + qsizetype(need) + 16));
    out = buffer.data() + used;
    outLeft = size_t(buffer.size() - used);
}

} // namespace

QByteArray toCp936(QStringView text)
{
    if (text.isEmpty())
        return {};
    if (isAscii(text))
        return text.toLatin1();

    iconv_t cd = encoder();
    // Two bytes per UTF-16 unit is the most code page 936 ever needs.
    QByteArray buffer(text.size() * 2 + 8, Qt::Uninitialized);
    char* in = const_cast<char*>(reinterpret_cast<const char*>(text.utf16()));
    size_t inLeft = size_t(text.size()) * 2;
    char* out = buffer.data();
    size_t outLeft = size_t(buffer.size());

    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &out, &outLeft) != size_t(-1))
            break;
        const int error = errno;
        if (error == E2BIG) {
            reserveOut(buffer, out, outLeft, 16);
            continue;
        }
        if (error != EILSEQ && error != EINVAL)
            throw Exception(QStringLiteral("Code page 936 conversion failed: %1")
                                .arg(QString::fromLocal8Bit(std::strerror(error))));
        // Not representable, or not valid UTF-16: one '?' for the code point.
        reserveOut(buffer, out, outLeft, 1);
        *out++ = '?';
        --outLeft;
        size_t skip = 2;
        if (inLeft >= 4) {
            char16_t units[2];
            std::memcpy(units, in, sizeof units);
            if (QChar::isHighSurrogate(units[0]) && QChar::isLowSurrogate(units[1]))
                skip = 4;
        }
        skip = std::min(skip, inLeft);
        in += skip;
        inLeft -= skip;
    }
    buffer.resize(out - buffer.data());
    return buffer;
}

QString fromCp936(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return {};
    if (isAscii(bytes))
        return QString::fromLatin1(bytes.data(), bytes.size());

    iconv_t cd = decoder();
    // Every byte yields at most one UTF-16 unit (code page 936 has no characters
    // outside the Basic Multilingual Plane), so this buffer is large enough; it still
    // grows should iconv ever ask for more.
    QString result(bytes.size() + 4, Qt::Uninitialized);
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = size_t(bytes.size());
    qsizetype used = 0; // UTF-16 units written
    auto outPtr = [&] { return reinterpret_cast<char*>(result.data() + used); };

    while (inLeft > 0) {
        char* out = outPtr();
        size_t outLeft = size_t(result.size() - used) * 2;
        const size_t rc = iconv(cd, &in, &inLeft, &out, &outLeft);
        const int error = errno;
        used = (out - reinterpret_cast<char*>(result.data())) / 2;
        if (rc != size_t(-1))
            break;
        if (error == E2BIG || used + 1 > result.size()) {
            result.resize(result.size() * 2 + 8);
            if (error == E2BIG)
                continue;
        }
        if (error != EILSEQ && error != EINVAL)
            throw Exception(QStringLiteral("Code page 936 conversion failed: %1")
                                .arg(QString::fromLocal8Bit(std::strerror(error))));
        result[used++] = QChar(QChar::ReplacementCharacter);
        // An unmapped lead/trail pair is one bad character; a lead byte followed by an
        // ASCII byte (or by nothing) is a bad byte of its own and the ASCII byte is kept.
        size_t skip = 1;
        const auto lead = static_cast<unsigned char>(in[0]);
        const auto trail = inLeft >= 2 ? static_cast<unsigned char>(in[1]) : 0;
        if (lead >= 0x81 && lead <= 0xFE && trail >= 0x80 && trail != 0xFF)
            skip = 2;
        in += skip;
        inLeft -= skip;
    }
    result.resize(used);
    return result;
}

qsizetype cp936Size(QStringView text)
{
    return isAscii(text) ? text.size() : toCp936(text).size();
}

} // namespace cv::text
