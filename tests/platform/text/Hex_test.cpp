#include "platform/text/Hex.h"
#include "platform/text/NameValueList.h"

#include <gtest/gtest.h>

using namespace cv::text;

namespace {

TEST(Hex, BytesToHexIsUpperCase)
{
    EXPECT_EQ(bytesToHex(QByteArray("\x00\x1f\xab\xff", 4)), u"001FABFF"_qs);
    EXPECT_EQ(bytesToHex(QByteArray()), QString());
    EXPECT_EQ(textToHex(u"abc"_qs), u"616263"_qs);
    EXPECT_EQ(textToHex(u"宋体"_qs), u"CBCECCE5"_qs); // code page 936 bytes, not UTF-8
}

TEST(Hex, HexToBytes)
{
    EXPECT_EQ(hexToBytes(u"616263"), QByteArray("abc"));
    EXPECT_EQ(hexToBytes(u"ff0A"), QByteArray("\xff\x0a", 2));
    EXPECT_EQ(hexToBytes(u"6162636"), QByteArray("abc")); // odd length: last digit ignored
    EXPECT_EQ(hexToBytes(u""), QByteArray());
    EXPECT_EQ(hexToBytes(u"6"), QByteArray());
}

TEST(Hex, HexToBytesStopsAtTheFirstBadPair)
{
    // Half the length; the bytes after the first bad pair are zero.
    EXPECT_EQ(hexToBytes(u"61zz6263"), QByteArray("a\0\0\0", 4));
    EXPECT_EQ(hexToBytes(u"6G61"), QByteArray("\0\0", 2));
    EXPECT_EQ(hexToBytes(u"61 62"), QByteArray("a\0", 2));
}

TEST(Hex, RoundTripsEveryByte)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString hex = bytesToHex(all);
    EXPECT_EQ(hex.size(), 512);
    EXPECT_EQ(hexToBytes(hex), all);
    EXPECT_EQ(hexToBytes(hex.toLower()), all);
}

TEST(Hex, SetHexValueForDataLists)
{
    NameValueList list;
    setHexValue(list, 0, u"abc"_qs, true);
    EXPECT_EQ(list.value(u"0"_qs), u"616263"_qs);
    // The print package turns it into hex a second time.
    setHexValue(list, 0, list.value(u"0"_qs), true);
    EXPECT_EQ(list.value(u"0"_qs), u"363136323633"_qs);
    setHexValue(list, 12, u"宋体"_qs, true);
    EXPECT_EQ(list.value(u"12"_qs), u"CBCECCE5"_qs);
    setHexValue(list, 3, u"plain"_qs, false);
    EXPECT_EQ(list.text(), u"0=363136323633\r\n12=CBCECCE5\r\n3=plain\r\n"_qs);
    setHexValue(list, 12, QString(), true); // empty value: the line goes
    EXPECT_EQ(list.indexOfName(u"12"_qs), -1);
}

} // namespace
