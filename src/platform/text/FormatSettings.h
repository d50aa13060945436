// The process-wide formatting rules of the module, as one immutable settings object, and the
// value-to-text and text-to-value conversions every layer uses. The conversions follow the Delphi
// RTL routines the host's scripts and documents were written for (DateToStr, TimeToStr,
// DateTimeToStr, FormatDateTime, FloatToStr, FloatToStrF, CurrToStr, StrToInt, StrToInt64,
// StrToFloat), including their rounding and their error texts.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTime>
#include <QVariant>

#include <array>
#include <cstdint>
#include <optional>

namespace cv::text {

struct FormatSettings {
    // Set by the module at load.
    QString currencyString;  // empty
    QChar thousandSeparator; // U+0000: no separator
    int currencyDecimals = 6;
    QChar dateSeparator = u'-';
    QChar timeSeparator = u':';
    QString shortDateFormat = QStringLiteral("YYYY-MM-DD");
    QString longDateFormat = QStringLiteral("YYYY-MM-DD HH:NN:SS");
    QString longTimeFormat = QStringLiteral("HH:NN:SS");
    QString shortTimeFormat = QStringLiteral("HH:NN");

    // Not set by the module: what a Chinese (PRC) Windows supplies.
    QChar decimalSeparator = u'.';
    int currencyFormat = 0; // Delphi CurrencyFormat 0: "$1"
    int negCurrFormat = 2;  // Delphi NegCurrFormat 2: "$-1"
    QString timeAMString = QStringLiteral("上午");
    QString timePMString = QStringLiteral("下午");
    std::array<QString, 12> shortMonthNames;
    std::array<QString, 12> longMonthNames;
    std::array<QString, 7> shortDayNames; // Sunday first, as in Delphi
    std::array<QString, 7> longDayNames;
};

// The one settings object of the process; never changes.
const FormatSettings& formatSettings();

// Delphi TFloatFormat.
enum class FloatFormat { General, Exponent, Fixed, Number, Currency };

// Delphi FloatToStrF / FloatToText for a floating-point value (the value is taken to
// 18 significant digits, as Delphi does with an Extended, then rounded half away from
// zero). Precision is clamped to 2..18. "INF", "-INF" and "NAN" for the special values.
QString floatToStrF(double value, FloatFormat format, int precision, int digits,
                    const FormatSettings& settings = formatSettings());
// The same for a Currency value (an integer scaled by 10000); exact, at most 4 decimals
// are significant, fewer decimals are rounded half to even (as Delphi's FPU does).
QString currToStrF(std::int64_t scaled, FloatFormat format, int digits,
                   const FormatSettings& settings = formatSettings());

// Delphi FormatDateTime. Supported: y, m, d (1-6 letters), h, n, s, z, t, tt, c, am/pm,
// a/p, ampm, aaa, aaaa, "/" (date separator), ":" (time separator), quoted literals;
// an "m" right after an "h" means minutes. Everything else is copied.
QString formatDateTime(const QString& format, QDate date, QTime time,
                       const FormatSettings& settings = formatSettings());
QString formatDateTime(const QString& format, const QDateTime& value,
                       const FormatSettings& settings = formatSettings());

// DateToStr: "2024-03-05". An invalid (null) date gives an empty text.
QString dateToText(QDate date);
// TimeToStr: "14:07:09" (milliseconds are not shown). An invalid time gives "".
QString timeToText(QTime time);
// DateTimeToStr: "2024-03-05 14:07:09"; exactly like Delphi, the time part is left out
// when hours, minutes and seconds are all zero ("2024-03-05"). Invalid gives "".
QString dateTimeToText(const QDateTime& value);
// FormatDateTime with the long date format "YYYY-MM-DD HH:NN:SS": always with the time
// (the module's "date and time to text" helper). Invalid gives "".
QString dateTimeToLongText(const QDateTime& value);

// FloatToStr: general format, 15 significant digits ("0.1", "12", "1E20").
QString floatToText(double value);
// CurrToStr: general format, all digits ("12.5", "0.0001").
QString currencyToText(std::int64_t scaled);

// A variant as Delphi's VarToStr makes it text: empty for an invalid or null value,
// dates with dateTimeToText (a QDate is a date at midnight, a QTime a time on
// 1899-12-30), floating-point numbers with floatToText, "True"/"False", a QByteArray as
// code page 936 bytes, anything else by QVariant::toString().
QString variantToText(const QVariant& value);

// StrToInt: leading spaces are skipped; an optional sign; decimal digits, or hexadecimal
// after "$", "x", "X", "0x" or "0X" (Delphi's Val). Nothing may follow, not even spaces.
// Throws cv::Exception "'%s' is not a valid integer value".
std::int32_t strToInt(const QString& text);
std::int32_t strToIntDef(const QString& text, std::int32_t defaultValue);
std::optional<std::int32_t> tryStrToInt(const QString& text);
// StrToInt64: as strToInt for the 64-bit range (a sign may precede the hexadecimal).
std::int64_t strToInt64(const QString& text);
std::int64_t strToInt64Def(const QString& text, std::int64_t defaultValue);
std::optional<std::int64_t> tryStrToInt64(const QString& text);
// StrToFloat: leading and trailing spaces, optional sign, digits with "." as decimal
// separator, optional exponent. Throws cv::Exception "'%s' is not a valid floating point
// value"; also for values outside the range of a double.
double strToFloat(const QString& text);
double strToFloatDef(const QString& text, double defaultValue);
std::optional<double> tryStrToFloat(const QString& text);

} // namespace cv::text
