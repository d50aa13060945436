#include "platform/abi/Exception.h"
#include "platform/text/FormatSettings.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QTime>
#include <QVariant>

#include <cmath>
#include <cstdint>
#include <limits>

using namespace cv::text;

namespace {

const QDate kDate(2024, 3, 5);

TEST(FormatSettings, AreTheProcessRules)
{
    const FormatSettings& s = formatSettings();
    EXPECT_EQ(&s, &formatSettings());
    EXPECT_TRUE(s.currencyString.isEmpty());
    EXPECT_TRUE(s.thousandSeparator.isNull());
    EXPECT_EQ(s.currencyDecimals, 6);
    EXPECT_EQ(s.dateSeparator, u'-');
    EXPECT_EQ(s.timeSeparator, u':');
    EXPECT_EQ(s.shortDateFormat, u"YYYY-MM-DD"_qs);
    EXPECT_EQ(s.longDateFormat, u"YYYY-MM-DD HH:NN:SS"_qs);
    EXPECT_EQ(s.longTimeFormat, u"HH:NN:SS"_qs);
    EXPECT_EQ(s.shortTimeFormat, u"HH:NN"_qs);
    EXPECT_EQ(s.decimalSeparator, u'.');
}

TEST(DateTimeText, DatesAndTimes)
{
    EXPECT_EQ(dateToText(kDate), u"2024-03-05"_qs);
    EXPECT_EQ(dateToText(QDate(987, 12, 31)), u"0987-12-31"_qs);
    EXPECT_EQ(timeToText(QTime(14, 7, 9)), u"14:07:09"_qs);
    EXPECT_EQ(timeToText(QTime(14, 7, 9, 999)), u"14:07:09"_qs);
    EXPECT_EQ(timeToText(QTime(0, 0)), u"00:00:00"_qs);
    EXPECT_EQ(dateTimeToText(QDateTime(kDate, QTime(14, 7, 9))), u"2024-03-05 14:07:09"_qs);
    EXPECT_EQ(dateTimeToLongText(QDateTime(kDate, QTime(14, 7, 9))), u"2024-03-05 14:07:09"_qs);
}

TEST(DateTimeText, MidnightLeavesOutTheTimeLikeDateTimeToStr)
{
    EXPECT_EQ(dateTimeToText(QDateTime(kDate, QTime(0, 0))), u"2024-03-05"_qs);
    // Delphi looks at hours, minutes and seconds only.
    EXPECT_EQ(dateTimeToText(QDateTime(kDate, QTime(0, 0, 0, 500))), u"2024-03-05"_qs);
    EXPECT_EQ(dateTimeToText(QDateTime(kDate, QTime(0, 0, 1))), u"2024-03-05 00:00:01"_qs);
    EXPECT_EQ(dateTimeToText(QDateTime(kDate, QTime(0, 1))), u"2024-03-05 00:01:00"_qs);
    // The long format always shows the time.
    EXPECT_EQ(dateTimeToLongText(QDateTime(kDate, QTime(0, 0))), u"2024-03-05 00:00:00"_qs);
}

TEST(DateTimeText, InvalidValuesGiveEmptyText)
{
    EXPECT_EQ(dateToText(QDate()), QString());
    EXPECT_EQ(timeToText(QTime()), QString());
    EXPECT_EQ(dateTimeToText(QDateTime()), QString());
    EXPECT_EQ(dateTimeToLongText(QDateTime()), QString());
}

TEST(DateTimeText, FormatDateTimeTokens)
{
    const QDateTime dt(kDate, QTime(14, 7, 9, 45));
    EXPECT_EQ(formatDateTime(u"yyyy/mm/dd hh:mm"_qs, dt),
              u"2024-03-05 14:07"_qs); // m after h: minutes
    EXPECT_EQ(formatDateTime(u"d.m.yy"_qs, dt), u"5.3.24"_qs);
    EXPECT_EQ(formatDateTime(u"hh:nn:ss.zzz"_qs, dt), u"14:07:09.045"_qs);
    EXPECT_EQ(formatDateTime(u"h:nn am/pm"_qs, dt), u"2:07 pm"_qs);
    EXPECT_EQ(formatDateTime(u"h:nn AMPM"_qs, dt), u"2:07 下午"_qs);
    EXPECT_EQ(formatDateTime(u"'Y'yyyy\"年\"m\"月\""_qs, dt), u"Y2024年3月"_qs);
    EXPECT_EQ(formatDateTime(u"ddddd t"_qs, dt), u"2024-03-05 14:07"_qs);
    EXPECT_EQ(formatDateTime(u"c"_qs, dt), u"2024-03-05 14:07:09"_qs);
    EXPECT_EQ(formatDateTime(QString(), dt), u"2024-03-05 14:07:09"_qs);
    EXPECT_EQ(formatDateTime(u"dddd"_qs, dt), u"星期二"_qs);
}

TEST(FloatText, FloatToStr)
{
    EXPECT_EQ(floatToText(0.1), u"0.1"_qs);
    EXPECT_EQ(floatToText(12), u"12"_qs);
    EXPECT_EQ(floatToText(-2.5), u"-2.5"_qs);
    EXPECT_EQ(floatToText(0), u"0"_qs);
    EXPECT_EQ(floatToText(-0.0), u"0"_qs);
    EXPECT_EQ(floatToText(100), u"100"_qs);
    EXPECT_EQ(floatToText(0.1 + 0.2), u"0.3"_qs);
    EXPECT_EQ(floatToText(1.0 / 3), u"0.333333333333333"_qs);
    EXPECT_EQ(floatToText(2.0 / 3), u"0.666666666666667"_qs);
    EXPECT_EQ(floatToText(123456789012345.0), u"123456789012345"_qs);
    EXPECT_EQ(floatToText(1e15), u"1E15"_qs);
    EXPECT_EQ(floatToText(1e20), u"1E20"_qs);
    EXPECT_EQ(floatToText(-1.5e20), u"-1.5E20"_qs);
    EXPECT_EQ(floatToText(0.0001), u"0.0001"_qs);
    EXPECT_EQ(floatToText(0.00001), u"1E-5"_qs);
    EXPECT_EQ(floatToText(1e-20), u"1E-20"_qs);
    EXPECT_EQ(floatToText(std::numeric_limits<double>::infinity()), u"INF"_qs);
    EXPECT_EQ(floatToText(-std::numeric_limits<double>::infinity()), u"-INF"_qs);
    EXPECT_EQ(floatToText(std::nan("")), u"NAN"_qs);
}

TEST(FloatText, CurrToStr)
{
    EXPECT_EQ(currencyToText(125000), u"12.5"_qs);
    EXPECT_EQ(currencyToText(1), u"0.0001"_qs);
    EXPECT_EQ(currencyToText(0), u"0"_qs);
    EXPECT_EQ(currencyToText(10000), u"1"_qs);
    EXPECT_EQ(currencyToText(-125000), u"-12.5"_qs);
    EXPECT_EQ(currencyToText(INT64_MAX), u"922337203685477.5807"_qs);
    EXPECT_EQ(currencyToText(INT64_MIN), u"-922337203685477.5808"_qs);
}

TEST(FloatText, FloatToStrF)
{
    EXPECT_EQ(floatToStrF(1234.5, FloatFormat::Fixed, 15, 2), u"1234.50"_qs);
    EXPECT_EQ(floatToStrF(1234.5, FloatFormat::Number, 15, 1), u"1234.5"_qs);
    EXPECT_EQ(floatToStrF(-1234.5, FloatFormat::Currency, 15, 2), u"-1234.50"_qs);
    EXPECT_EQ(floatToStrF(0.05, FloatFormat::Fixed, 15, 3), u"0.050"_qs);
    EXPECT_EQ(floatToStrF(1234.5, FloatFormat::Exponent, 4, 2), u"1.235E+03"_qs);
    EXPECT_EQ(currToStrF(125000, FloatFormat::Fixed, 2), u"12.50"_qs);
}

TEST(StrToInt, AcceptsWhatDelphiValAccepts)
{
    EXPECT_EQ(strToInt(u"12"_qs), 12);
    EXPECT_EQ(strToInt(u"   12"_qs), 12);
    EXPECT_EQ(strToInt(u"-12"_qs), -12);
    EXPECT_EQ(strToInt(u"+7"_qs), 7);
    EXPECT_EQ(strToInt(u"007"_qs), 7);
    EXPECT_EQ(strToInt(u"0"_qs), 0);
    EXPECT_EQ(strToInt(u"$1F"_qs), 31);
    EXPECT_EQ(strToInt(u"0x1f"_qs), 31);
    EXPECT_EQ(strToInt(u"X10"_qs), 16);
    EXPECT_EQ(strToInt(u"$FFFFFFFF"_qs), -1);
    EXPECT_EQ(strToInt(u"2147483647"_qs), 2147483647);
    EXPECT_EQ(strToInt(u"-2147483648"_qs), INT32_MIN);
}

TEST(StrToInt, RejectsWithDelphiMessage)
{
    for (const QString& bad :
         {u"12 "_qs, QString(), u" "_qs, u"abc"_qs, u"2147483648"_qs, u"-2147483649"_qs, u"1.5"_qs,
          u"$"_qs, u"-$10"_qs, u"$100000000"_qs, u"1 2"_qs, u"１２"_qs, u"-"_qs}) {
        try {
            strToInt(bad);
            ADD_FAILURE() << "accepted " << bad.toStdString();
        } catch (const cv::Exception& e) {
            EXPECT_EQ(e.message(), u"'%1' is not a valid integer value"_qs.arg(bad));
        }
    }
    EXPECT_EQ(strToIntDef(u"x"_qs, 7), 7);
    EXPECT_EQ(strToIntDef(u"8"_qs, 7), 8);
    EXPECT_FALSE(tryStrToInt(u""_qs).has_value());
}

TEST(StrToInt64, RangeAndHex)
{
    EXPECT_EQ(strToInt64(u"9223372036854775807"_qs), INT64_MAX);
    EXPECT_EQ(strToInt64(u"-9223372036854775808"_qs), INT64_MIN);
    EXPECT_EQ(strToInt64(u" 42"_qs), 42);
    EXPECT_EQ(strToInt64(u"-$10"_qs), -16);
    EXPECT_EQ(strToInt64(u"$FFFFFFFFFFFFFFFF"_qs), -1);
    EXPECT_EQ(strToInt64Def(u"9223372036854775808"_qs, 5), 5);
    EXPECT_EQ(strToInt64Def(u"$10000000000000000"_qs, 5), 5);
    EXPECT_THROW(strToInt64(u"12a"_qs), cv::Exception);
    try {
        strToInt64(u"x"_qs + u"y"_qs);
    } catch (const cv::Exception& e) {
        EXPECT_EQ(e.message(), u"'xy' is not a valid integer value"_qs);
    }
}

TEST(StrToFloat, AcceptsWhatTextToFloatAccepts)
{
    EXPECT_EQ(strToFloat(u"1.5"_qs), 1.5);
    EXPECT_EQ(strToFloat(u" 1.5 "_qs), 1.5);
    EXPECT_EQ(strToFloat(u"-2e3"_qs), -2000);
    EXPECT_EQ(strToFloat(u"+.5"_qs), 0.5);
    EXPECT_EQ(strToFloat(u"1E-2"_qs), 0.01);
    EXPECT_EQ(strToFloat(u"1e"_qs), 1); // Delphi: missing exponent digits are 0
    EXPECT_EQ(strToFloat(u"12"_qs), 12);
    EXPECT_EQ(strToFloat(u"0.1"_qs), 0.1);
    EXPECT_EQ(strToFloat(u"1e-400"_qs), 0); // underflow is zero
}

TEST(StrToFloat, RejectsWithDelphiMessage)
{
    for (const QString& bad : {u"1,5"_qs, QString(), u"  "_qs, u"abc"_qs, u"e5"_qs, u"1.5x"_qs,
                               u"1e400"_qs, u"--1"_qs, u"INF"_qs}) {
        try {
            strToFloat(bad);
            ADD_FAILURE() << "accepted " << bad.toStdString();
        } catch (const cv::Exception& e) {
            EXPECT_EQ(e.message(), u"'%1' is not a valid floating point value"_qs.arg(bad));
        }
    }
    EXPECT_EQ(strToFloatDef(u"x"_qs, 2.5), 2.5);
}

TEST(VariantText, LikeVarToStr)
{
    EXPECT_EQ(variantToText(QVariant()), QString());
    EXPECT_EQ(variantToText(QVariant(0)), u"0"_qs);
    EXPECT_EQ(variantToText(QVariant(true)), u"True"_qs);
    EXPECT_EQ(variantToText(QVariant(false)), u"False"_qs);
    EXPECT_EQ(variantToText(QVariant(42)), u"42"_qs);
    EXPECT_EQ(variantToText(QVariant(1.5)), u"1.5"_qs);
    EXPECT_EQ(variantToText(QVariant(0.1)), u"0.1"_qs);
    EXPECT_EQ(variantToText(QVariant(kDate)), u"2024-03-05"_qs);
    EXPECT_EQ(variantToText(QVariant(QDateTime(kDate, QTime(8, 0)))), u"2024-03-05 08:00:00"_qs);
    EXPECT_EQ(variantToText(QVariant(QTime(8, 0))), u"1899-12-30 08:00:00"_qs);
    EXPECT_EQ(variantToText(QVariant(QByteArray("\xCB\xCE\xCC\xE5"))), u"宋体"_qs);
    EXPECT_EQ(variantToText(QVariant(u"文本"_qs)), u"文本"_qs);
}

} // namespace
