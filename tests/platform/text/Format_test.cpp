#include "platform/abi/Exception.h"
#include "platform/text/Format.h"
#include "platform/text/FormatSettings.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QVariant>

#include <cstdint>
#include <vector>

using cv::text::format;
using cv::text::FormatArg;

namespace {

struct Case {
    const char16_t* fmt;
    std::vector<FormatArg> args;
    const char16_t* expected;
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << QString::fromUtf16(c.fmt).toStdString();
}

class FormatCases : public testing::TestWithParam<Case> {};

TEST_P(FormatCases, GivesDelphiText)
{
    const Case& c = GetParam();
    EXPECT_EQ(format(QString::fromUtf16(c.fmt), c.args), QString::fromUtf16(c.expected));
}

FormatArg i(std::int32_t v)
{
    return FormatArg::integer(v);
}
FormatArg i64(std::int64_t v)
{
    return FormatArg::int64(v);
}
FormatArg f(double v)
{
    return FormatArg::extended(v);
}
FormatArg s(const char16_t* v)
{
    return FormatArg::ansiString(QString::fromUtf16(v));
}
FormatArg cur(std::int64_t scaled)
{
    return FormatArg::currency(scaled);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Integers, FormatCases, testing::Values(
    Case{u"%d", {i(42)}, u"42"},
    Case{u"%d", {i(-42)}, u"-42"},
    Case{u"%D", {i(7)}, u"7"},
    Case{u"%d", {i64(9007199254740993)}, u"9007199254740993"},
    Case{u"%d", {i64(INT64_MIN)}, u"-9223372036854775808"},
    Case{u"%5d", {i(42)}, u"   42"},
    Case{u"%-5d|", {i(42)}, u"42   |"},
    Case{u"%1d", {i(12345)}, u"12345"},
    Case{u"%.3d", {i(5)}, u"005"},
    Case{u"%.3d", {i(-5)}, u"-005"},
    Case{u"%5.3d", {i(-5)}, u" -005"},
    Case{u"%.0d", {i(0)}, u"0"},
    Case{u"%.20d", {i(5)}, u"5"},           // a precision above 16 is ignored
    Case{u"%.20d", {i64(5)}, u"00000000000000000005"},
    Case{u"%u", {i(42)}, u"42"},
    Case{u"%u", {i(-1)}, u"4294967295"},
    Case{u"%u", {i64(-1)}, u"18446744073709551615"},
    Case{u"%x", {i(255)}, u"FF"},
    Case{u"%x", {i(-1)}, u"FFFFFFFF"},
    Case{u"%x", {i64(-1)}, u"FFFFFFFFFFFFFFFF"},
    Case{u"%.4x", {i(255)}, u"00FF"},
    Case{u"%d", {FormatArg::variant(QVariant(12))}, u"12"},
    Case{u"%x", {FormatArg::variant(QVariant(qlonglong(-1)))}, u"FFFFFFFFFFFFFFFF"}));

INSTANTIATE_TEST_SUITE_P(Texts, FormatCases, testing::Values(
    Case{u"%s", {s(u"abc")}, u"abc"},
    Case{u"<%s>", {s(u"")}, u"<>"},
    Case{u"%5s", {s(u"ab")}, u"   ab"},
    Case{u"%-5s|", {s(u"ab")}, u"ab   |"},
    Case{u"%.2s", {s(u"abcdef")}, u"ab"},
    Case{u"%5.2s|", {s(u"abcdef")}, u"   ab|"},
    Case{u"%S", {s(u"x")}, u"x"},
    Case{u"%s", {FormatArg::shortString(u"short"_qs)}, u"short"},
    Case{u"%s", {FormatArg::wideString(u"wide"_qs)}, u"wide"},
    Case{u"%s", {FormatArg::unicodeString(u"uni"_qs)}, u"uni"},
    Case{u"%s", {FormatArg::pChar(u"pc"_qs)}, u"pc"},
    Case{u"%s", {FormatArg::pWideChar(u"pw"_qs)}, u"pw"},
    Case{u"%s", {FormatArg::character('x')}, u"x"},
    Case{u"%.0s", {FormatArg::character('x')}, u"x"},  // Char ignores the precision
    Case{u"%s", {FormatArg::wideChar(u'宋')}, u"宋"},
    Case{u"%s", {FormatArg::variant(QVariant(12))}, u"12"},
    Case{u"<%s>", {FormatArg::variant(QVariant())}, u"<>"},
    Case{u"%s", {FormatArg::variant(QVariant(QDate(2024, 3, 5)))}, u"2024-03-05"},
    Case{u"%s", {FormatArg::variant(QVariant(1.5))}, u"1.5"},
    // Widths and precisions count code page 936 bytes, as in the narrow Delphi module.
    Case{u"%.2s", {s(u"宋体")}, u"宋"},
    Case{u"%.3s", {s(u"宋体")}, u"宋"},
    Case{u"%-6s|", {s(u"宋体")}, u"宋体  |"},
    Case{u"%6s", {s(u"宋体")}, u"  宋体"},
    Case{u"'%s'", {s(u"中文")}, u"'中文'"}));

INSTANTIATE_TEST_SUITE_P(Floats, FormatCases, testing::Values(
    Case{u"%f", {f(1.5)}, u"1.50"},
    Case{u"%.2f", {f(3.14159)}, u"3.14"},
    Case{u"%.0f", {f(2.5)}, u"3"},
    Case{u"%.2f", {f(0.125)}, u"0.13"},      // half away from zero
    Case{u"%.2f", {f(2.675)}, u"2.67"},      // the double is 2.67499999999999982...
    Case{u"%.2f", {f(-0.001)}, u"0.00"},     // no "-0.00"
    Case{u"%.2f", {f(-0.006)}, u"-0.01"},
    Case{u"%.3f", {f(-12.5)}, u"-12.500"},
    Case{u"%.25f", {f(1.5)}, u"1.50"},       // a precision above 18 means the default
    Case{u"%8.2f|", {f(3.14159)}, u"    3.14|"},
    Case{u"%-8.2f|", {f(3.14159)}, u"3.14    |"},
    Case{u"%.2f", {f(1234567.891)}, u"1234567.89"},
    Case{u"%f", {f(1e20)}, u"1E20"},
    Case{u"%n", {f(1234567.891)}, u"1234567.89"}, // no thousands separator
    Case{u"%.1n", {f(-1234.56)}, u"-1234.6"},
    Case{u"%m", {cur(125000)}, u"12.500000"},
    Case{u"%m", {cur(-125000)}, u"-12.500000"},
    Case{u"%m", {f(12.5)}, u"12.500000"},
    Case{u"%.2m", {cur(1250)}, u"0.12"},     // Currency rounds half to even
    Case{u"%.2f", {cur(1250)}, u"0.12"},
    Case{u"%.2f", {cur(1350)}, u"0.14"},
    Case{u"%f", {cur(10000)}, u"1.00"},
    Case{u"%g", {f(0.1)}, u"0.1"},
    Case{u"%g", {f(12)}, u"12"},
    Case{u"%g", {f(0.1 + 0.2)}, u"0.3"},
    Case{u"%g", {f(1.0 / 3)}, u"0.333333333333333"},
    Case{u"%g", {f(0.0001)}, u"0.0001"},
    Case{u"%g", {f(0.00001)}, u"1E-005"},
    Case{u"%g", {f(1e20)}, u"1E020"},
    Case{u"%g", {f(123456789012345678.0)}, u"1.23456789012346E017"},
    Case{u"%.3g", {f(1234.5)}, u"1.23E003"},
    Case{u"%g", {f(0)}, u"0"},
    Case{u"%g", {cur(125000)}, u"12.5"},
    Case{u"%e", {f(1.5)}, u"1.50000000000000E+000"},
    Case{u"%.3e", {f(1234.5)}, u"1.23E+003"},
    Case{u"%.2e", {f(-0.000123456)}, u"-1.2E-004"},
    Case{u"%e", {f(0)}, u"0.00000000000000E+000"},
    Case{u"%f", {f(1.0 / 0.0)}, u"INF"},
    Case{u"%f", {FormatArg::variant(QVariant(2))}, u"2.00"}));

INSTANTIATE_TEST_SUITE_P(Syntax, FormatCases, testing::Values(
    Case{u"%%", {}, u"%"},
    Case{u"100%%", {i(1)}, u"100%"},
    Case{u"no specifier", {}, u"no specifier"},
    Case{u"%1:s %0:s", {s(u"a"), s(u"b")}, u"b a"},
    Case{u"%d %d %0:d %d", {i(10), i(20)}, u"10 20 10 20"},
    Case{u"%1:-4s|", {s(u"a"), s(u"b")}, u"b   |"},
    Case{u"%*d", {i(5), i(42)}, u"   42"},
    Case{u"%-*d|", {i(5), i(42)}, u"42   |"},
    Case{u"%.*f", {i(1), f(3.14159)}, u"3.1"},
    Case{u"%*.*f", {i(8), i(2), f(3.14159)}, u"    3.14"},
    Case{u"%*:s", {i(2), s(u"x"), s(u"y")}, u"y"},
    Case{u"%d", {i(1), i(2)}, u"1"},           // unused arguments are fine
    Case{u"abc%", {}, u"abc"},                 // a cut-off specifier ends the text
    Case{u"x%-", {}, u"x"},
    Case{u"%5", {i(1)}, u""},
    Case{u"select * from T where A=%d and B=%s", {i(3), s(u"'x'")},
         u"select * from T where A=3 and B='x'"},
    Case{u"%p", {FormatArg::pointer(reinterpret_cast<const void*>(std::uintptr_t(0x1234)))},
         sizeof(void*) == 8 ? u"0000000000001234" : u"00001234"}));
// clang-format on

struct ErrorCase {
    const char16_t* fmt;
    std::vector<FormatArg> args;
    const char16_t* message;
};

void PrintTo(const ErrorCase& c, std::ostream* os)
{
    *os << QString::fromUtf16(c.fmt).toStdString();
}

class FormatErrors : public testing::TestWithParam<ErrorCase> {};

TEST_P(FormatErrors, ThrowsDelphiMessage)
{
    const ErrorCase& c = GetParam();
    try {
        const QString text = format(QString::fromUtf16(c.fmt), c.args);
        FAIL() << "no exception, got " << text.toStdString();
    } catch (const cv::Exception& e) {
        EXPECT_EQ(e.message(), QString::fromUtf16(c.message));
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Delphi, FormatErrors, testing::Values(
    ErrorCase{u"%d", {}, u"No argument for format '%d'"},
    ErrorCase{u"Hello %s and %d", {s(u"x")}, u"No argument for format '%d'"},
    ErrorCase{u"%2:s", {s(u"a"), s(u"b")}, u"No argument for format '%2:s'"},
    ErrorCase{u"%q", {}, u"No argument for format '%q'"},
    ErrorCase{u"%d", {s(u"x")}, u"Format '%d' invalid or incompatible with argument"},
    ErrorCase{u"A=%5d", {s(u"x")}, u"Format '%5d' invalid or incompatible with argument"},
    ErrorCase{u"%-10.3s", {i(1)}, u"Format '%-10.3s' invalid or incompatible with argument"},
    ErrorCase{u"%f", {i(1)}, u"Format '%f' invalid or incompatible with argument"},
    ErrorCase{u"%d", {f(1)}, u"Format '%d' invalid or incompatible with argument"},
    ErrorCase{u"%s", {f(1)}, u"Format '%s' invalid or incompatible with argument"},
    ErrorCase{u"%d", {cur(1)}, u"Format '%d' invalid or incompatible with argument"},
    ErrorCase{u"%s", {FormatArg::boolean(true)}, u"Format '%s' invalid or incompatible with argument"},
    ErrorCase{u"%s", {FormatArg::object(u"TForm"_qs)}, u"Format '%s' invalid or incompatible with argument"},
    ErrorCase{u"%s", {FormatArg::classRef(u"TForm"_qs)}, u"Format '%s' invalid or incompatible with argument"},
    ErrorCase{u"%s", {FormatArg::interfaceRef(nullptr)}, u"Format '%s' invalid or incompatible with argument"},
    ErrorCase{u"%p", {i(1)}, u"Format '%p' invalid or incompatible with argument"},
    ErrorCase{u"%q", {i(1)}, u"Format '%q' invalid or incompatible with argument"},
    ErrorCase{u"%d", {FormatArg::variant(QVariant(u"12"_qs))}, u"Format '%d' invalid or incompatible with argument"},
    ErrorCase{u"%99999999d", {i(1)}, u"Format '%99999999d' invalid or incompatible with argument"},
    // Delphi quotes at most 31 bytes of the specifier.
    ErrorCase{u"%0000000000000000000000000000000000005d", {s(u"x")},
              u"Format '%000000000000000000000000000000' invalid or incompatible with argument"}));
// clang-format on

TEST(Format, SpanOverloadAndExplicitSettings)
{
    const std::vector<FormatArg> args{FormatArg::integer(1), FormatArg::ansiString(u"a"_qs)};
    EXPECT_EQ(format(u"%d%s"_qs, std::span<const FormatArg>(args)), u"1a"_qs);
    cv::text::FormatSettings settings = cv::text::formatSettings();
    settings.currencyString = u"¥"_qs;
    settings.thousandSeparator = u',';
    EXPECT_EQ(format(u"%m %n"_qs,
                     std::vector{FormatArg::extended(-1234.5), FormatArg::extended(1234567.0)},
                     settings),
              u"¥-1,234.500000 1,234,567.00"_qs);
}

TEST(QuotedStr, DoublesInnerQuotes)
{
    EXPECT_EQ(cv::text::quotedStr(u"O'Brien"_qs), u"'O''Brien'"_qs);
    EXPECT_EQ(cv::text::quotedStr(QString()), u"''"_qs);
    EXPECT_EQ(cv::text::quotedStr(u"''"_qs), u"''''''"_qs);
    EXPECT_EQ(cv::text::quotedStr(u"宋体"_qs), u"'宋体'"_qs);
}

} // namespace
