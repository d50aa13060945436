#include "platform/text/Cp936.h"

#include <gtest/gtest.h>

#include <thread>

using namespace cv::text;

namespace {

TEST(Cp936, KnownBytes)
{
    EXPECT_EQ(toCp936(u"宋体"), QByteArray("\xCB\xCE\xCC\xE5"));
    EXPECT_EQ(fromCp936(QByteArray("\xCB\xCE\xCC\xE5")), u"宋体"_qs);
    EXPECT_EQ(toCp936(u"字"), QByteArray("\xD7\xD6"));
    EXPECT_EQ(toCp936(u"é·"), QByteArray("\xA8\xA6\xA1\xA4"));
    EXPECT_EQ(toCp936(u"€"), QByteArray("\x80"));
    EXPECT_EQ(fromCp936(QByteArray("\x80")), u"€"_qs);
}

TEST(Cp936, AsciiIsUnchanged)
{
    QString ascii;
    for (int c = 0; c < 128; ++c)
        ascii.append(QChar(c));
    const QByteArray bytes = toCp936(ascii);
    EXPECT_EQ(bytes, ascii.toLatin1());
    EXPECT_EQ(fromCp936(bytes), ascii);
    EXPECT_EQ(toCp936(QStringView()), QByteArray());
    EXPECT_EQ(fromCp936(QByteArrayView()), QString());
}

TEST(Cp936, MixedTextRoundTrips)
{
    const QString text =
        u"EXEC CVDoctorMedicationApply '<Root><VDZ1 VAA01=\"12\" 名称=\"宋体\"/></Root>'"_qs;
    const QByteArray bytes = toCp936(text);
    EXPECT_EQ(bytes.size(), text.size() + 4); // four Chinese characters, two bytes each
    EXPECT_TRUE(bytes.contains(QByteArray("\xC3\xFB\xB3\xC6=\"\xCB\xCE\xCC\xE5\"")));
    EXPECT_EQ(fromCp936(bytes), text);
    EXPECT_EQ(cp936Size(text), bytes.size());
    EXPECT_EQ(cp936Size(u"宋体a"), 5);
}

TEST(Cp936, UnrepresentableCharactersBecomeQuestionMarks)
{
    EXPECT_EQ(toCp936(u"a한b"), QByteArray("a?b"));
    EXPECT_EQ(toCp936(u"a😀b"), QByteArray("a?b")); // one '?' per code point
    const char16_t loneHigh[] = {u'a', 0xD800, u'b'};
    EXPECT_EQ(toCp936(QStringView(loneHigh, 3)), QByteArray("a?b"));
    const char16_t loneLow[] = {0xDC00, u'宋'};
    EXPECT_EQ(toCp936(QStringView(loneLow, 2)), QByteArray("?\xCB\xCE"));
    const char16_t endHigh[] = {u'宋', 0xD800};
    EXPECT_EQ(toCp936(QStringView(endHigh, 2)), QByteArray("\xCB\xCE?"));
}

TEST(Cp936, InvalidBytesBecomeReplacementCharacters)
{
    EXPECT_EQ(fromCp936(QByteArray("\xFF")), u"\uFFFD"_qs);
    EXPECT_EQ(fromCp936(QByteArray("a\x81")), u"a\uFFFD"_qs);      // lead byte cut off
    EXPECT_EQ(fromCp936(QByteArray("\x81\x30z")), u"\uFFFD0z"_qs); // ASCII after a lead byte kept
    EXPECT_EQ(fromCp936(QByteArray("\xAA\xA1x")), u"\uFFFDx"_qs);  // unmapped pair: one character
    EXPECT_EQ(fromCp936(QByteArray("\xCB\xCE\xFF\xCC\xE5")), u"宋\uFFFD体"_qs);
    // Only replacement characters: never longer than the input.
    const QByteArray junk(1000, '\xFF');
    EXPECT_EQ(fromCp936(junk), QString(1000, QChar::ReplacementCharacter));
}

TEST(Cp936, LargeTextAndThreads)
{
    QString text;
    for (int i = 0; i < 20000; ++i)
        text += u"宋体a";
    std::thread other([&] { EXPECT_EQ(fromCp936(toCp936(text)), text); });
    EXPECT_EQ(fromCp936(toCp936(text)), text);
    other.join();
}

} // namespace
