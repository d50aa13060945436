#include "platform/text/Hex.h"

#include "platform/text/Cp936.h"
#include "platform/text/NameValueList.h"

namespace cv::text {
namespace {

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

} // namespace

QString bytesToHex(QByteArrayView bytes)
{
    static const char16_t digits[] = u"0123456789ABCDEF";
    QString result(bytes.size() * 2, Qt::Uninitialized);
    QChar* out = result.data();
    for (char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        *out++ = QChar(digits[b >> 4]);
        *out++ = QChar(digits[b & 0x0F]);
    }
    return result;
}

QString textToHex(QStringView text)
{
    return bytesToHex(toCp936(text));
}

QByteArray hexToBytes(QStringView text)
{
    QByteArray result(text.size() / 2, '\0');
    for (qsizetype i = 0; i < result.size(); ++i) {
        const int high = hexValue(text[2 * i]);
        const int low = hexValue(text[2 * i + 1]);
        if (high < 0 || low < 0)
            break; // the rest stays zero
        result[i] = char(high << 4 | low);
    }
    return result;
}

void setHexValue(NameValueList& list, int index, const QString& value, bool asHex)
{
    list.setValue(QString::number(index), asHex ? textToHex(value) : value);
}

} // namespace cv::text
