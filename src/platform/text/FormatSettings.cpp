#include "platform/text/FormatSettings.h"

#include "platform/abi/Exception.h"
#include "platform/text/Cp936.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <string>

namespace cv::text {

const FormatSettings& formatSettings()
{
    static const FormatSettings settings = [] {
        FormatSettings s;
        static const char16_t* const months[12] = {u"一月", u"二月", u"三月",   u"四月",
                                                   u"五月", u"六月", u"七月",   u"八月",
                                                   u"九月", u"十月", u"十一月", u"十二月"};
        static const char16_t* const days[7] = {u"星期日", u"星期一", u"星期二", u"星期三",
                                                u"星期四", u"星期五", u"星期六"};
        for (int i = 0; i < 12; ++i) {
            s.shortMonthNames[i] = QString::fromUtf16(months[i]);
            s.longMonthNames[i] = s.shortMonthNames[i];
        }
        for (int i = 0; i < 7; ++i) {
            s.shortDayNames[i] = QString::fromUtf16(days[i]);
            s.longDayNames[i] = s.shortDayNames[i];
        }
        return s;
    }();
    return settings;
}

// ---------------------------------------------------------------------------------------
// Floating-point and currency values to text: Delphi's FloatToDecimal and FloatToText.
// ---------------------------------------------------------------------------------------
namespace {

// Delphi TFloatRec: value = 0.d1d2d3... * 10^exponent; no digits for zero.
struct FloatRec {
    enum Special { None, Inf, Nan };
    Special special = None;
    bool negative = false;
    int exponent = 0;
    int length = 0;
    char digits[24] = {};
};

void stripTrailingZeros(FloatRec& rec)
{
    while (rec.length > 0 && rec.digits[rec.length - 1] == '0')
        --rec.length;
}

// FloatToDecimal for an Extended: 18 significant digits, then rounded (half away from
// zero, on the decimal digits) to at most `precision` significant digits and at most
// `decimals` digits after the decimal point.
FloatRec extendedToDecimal(double value, int precision, int decimals)
{
    FloatRec rec;
    if (std::isnan(value)) {
        rec.special = FloatRec::Nan;
        return rec;
    }
    if (std::isinf(value)) {
        rec.special = FloatRec::Inf;
        rec.negative = std::signbit(value);
        return rec;
    }
    if (value == 0)
        return rec;

    // 18 significant digits, correctly rounded: "d.ddddddddddddddddde+XX".
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                      std::chars_format::scientific, 17);
    *result.ptr = '\0';
    rec.digits[0] = buffer[0];
    std::memcpy(rec.digits + 1, buffer + 2, 17);
    rec.length = 18;
    rec.exponent = std::atoi(std::strchr(buffer, 'e') + 1) + 1;
    rec.negative = std::signbit(value);

    int pos = rec.exponent + std::min(decimals, 9999);
    if (pos < 0) {
        rec = FloatRec();
        return rec;
    }
    pos = std::min(pos, precision);
    if (pos >= 18) {
        stripTrailingZeros(rec);
    } else if (rec.digits[pos] >= '5') {
        rec.length = pos;
        for (;;) {
            const int k = rec.length - 1;
            if (k < 0) {
                rec.digits[0] = '1';
                rec.length = 1;
                ++rec.exponent;
                break;
            }
            if (++rec.digits[k] > '9') {
                rec.length = k;
                continue;
            }
            break;
        }
    } else {
        rec.length = pos;
        stripTrailingZeros(rec);
    }
    if (rec.length == 0)
        rec.negative = false;
    return rec;
}

// FloatToDecimal for a Currency: exact; at most 4 decimals, fewer rounded half to even.
FloatRec currencyToDecimal(std::int64_t scaled, int decimals)
{
    FloatRec rec;
    if (scaled == 0)
        return rec;
    const std::uint64_t magnitude =
        scaled < 0 ? std::uint64_t(0) - std::uint64_t(scaled) : std::uint64_t(scaled);
    const int kept = std::clamp(decimals, 0, 4);
    std::uint64_t divisor = 1;
    for (int i = kept; i < 4; ++i)
        divisor *= 10;
    std::uint64_t quotient = magnitude / divisor;
    const std::uint64_t remainder = magnitude % divisor;
    if (remainder * 2 > divisor || (remainder * 2 == divisor && (quotient & 1)))
        ++quotient;
    if (quotient == 0)
        return rec;
    const auto result = std::to_chars(rec.digits, rec.digits + sizeof rec.digits, quotient);
    rec.length = int(result.ptr - rec.digits);
    rec.exponent = rec.length - kept;
    stripTrailingZeros(rec);
    rec.negative = scaled < 0;
    return rec;
}

class FloatWriter {
public:
    FloatWriter(const FloatRec& rec, FloatFormat format, int precision, int digits,
                const FormatSettings& settings)
        : m_rec(rec), m_format(format), m_precision(precision), m_digits(digits),
          m_settings(settings)
    {
    }

    QString text()
    {
        if (m_rec.special != FloatRec::None) {
            putSign();
            m_out += m_rec.special == FloatRec::Inf ? u"INF" : u"NAN";
            return m_out;
        }
        FloatFormat format = m_format;
        if (format != FloatFormat::Exponent && format != FloatFormat::General &&
            m_rec.exponent > m_precision)
            format = FloatFormat::General;
        switch (format) {
        case FloatFormat::General:
            putGeneral();
            break;
        case FloatFormat::Exponent:
            putExponentFormat();
            break;
        case FloatFormat::Fixed:
        case FloatFormat::Number:
            putSign();
            putNumber(format);
            break;
        case FloatFormat::Currency:
            putCurrency();
            break;
        }
        return m_out;
    }

private:
    char nextDigit() { return m_next < m_rec.length ? m_rec.digits[m_next++] : '0'; }
    bool moreDigits() const { return m_next < m_rec.length; }

    void putSign()
    {
        if (m_rec.negative)
            m_out += u'-';
    }

    void putSeparator(QChar separator)
    {
        if (!separator.isNull())
            m_out += separator;
    }

    // "E", the sign ('-', or `positiveSign` when not 0), at least `minDigits` digits.
    void putExponent(char positiveSign, int minDigits)
    {
        m_out += u'E';
        int exponent = m_rec.length == 0 ? 0 : m_rec.exponent - 1;
        if (exponent < 0) {
            m_out += u'-';
            exponent = -exponent;
        } else if (positiveSign) {
            m_out += QChar::fromLatin1(positiveSign);
        }
        const QString number = QString::number(exponent);
        for (qsizetype i = number.size(); i < minDigits; ++i)
            m_out += u'0';
        m_out += number;
    }

    int exponentDigits() const { return m_digits >= 0 && m_digits <= 4 ? m_digits : 0; }

    void putGeneral()
    {
        putSign();
        const int exponent = m_rec.exponent;
        if (exponent > m_precision || exponent < -3) {
            m_out += QChar::fromLatin1(nextDigit());
            if (moreDigits()) {
                m_out += m_settings.decimalSeparator;
                while (moreDigits())
                    m_out += QChar::fromLatin1(nextDigit());
            }
            putExponent(0, exponentDigits());
        } else if (exponent <= 0) {
            m_out += u'0';
            if (moreDigits()) {
                m_out += m_settings.decimalSeparator;
                m_out += QString(-exponent, u'0');
                while (moreDigits())
                    m_out += QChar::fromLatin1(nextDigit());
            }
        } else {
            for (int i = 0; i < exponent; ++i)
                m_out += QChar::fromLatin1(nextDigit());
            if (moreDigits()) {
                m_out += m_settings.decimalSeparator;
                while (moreDigits())
                    m_out += QChar::fromLatin1(nextDigit());
            }
        }
    }

    void putExponentFormat()
    {
        putSign();
        m_out += QChar::fromLatin1(nextDigit());
        m_out += m_settings.decimalSeparator;
        for (int i = 1; i < m_precision; ++i)
            m_out += QChar::fromLatin1(nextDigit());
        putExponent('+', exponentDigits());
    }

    // The digits without sign, in fixed-point notation; thousands separators unless the
    // format is Fixed.
    void putNumber(FloatFormat format)
    {
        const int decimals = m_digits >= 0 && m_digits < 18 ? m_digits : 18;
        int exponent = m_rec.exponent;
        if (exponent <= 0) {
            m_out += u'0';
        } else {
            int group = format == FloatFormat::Fixed ? 0 : (exponent - 1) % 3 + 1;
            for (;;) {
                m_out += QChar::fromLatin1(nextDigit());
                if (--exponent == 0)
                    break;
                if (group != 0 && --group == 0) {
                    putSeparator(m_settings.thousandSeparator);
                    group = 3;
                }
            }
        }
        if (decimals == 0)
            return;
        putSeparator(m_settings.decimalSeparator);
        int remaining = decimals;
        for (int zeros = -exponent; zeros > 0 && remaining > 0; --zeros, --remaining)
            m_out += u'0';
        for (; remaining > 0; --remaining)
            m_out += QChar::fromLatin1(nextDigit());
    }

    void putCurrency()
    {
        static const char* const templates[20] = {
            "$*",   "*$",   "$ *",  "* $",                                     // CurrencyFormat
            "($*)", "-$*",  "$-*",  "$*-",  "(*$)", "-*$",  "*-$",   "*$-",    // NegCurrFormat 0-7
            "-* $", "-$ *", "* $-", "$ *-", "$ -*", "*- $", "($ *)", "(* $)"}; // 8-15
        const int index = m_rec.negative ? std::clamp(m_settings.negCurrFormat, 0, 15) + 4
                                         : std::clamp(m_settings.currencyFormat, 0, 3);
        for (const char* p = templates[index]; *p; ++p) {
            if (*p == '$')
                m_out += m_settings.currencyString;
            else if (*p == '*')
                putNumber(FloatFormat::Currency);
            else
                m_out += QChar::fromLatin1(*p);
        }
    }

    const FloatRec& m_rec;
    FloatFormat m_format;
    int m_precision;
    int m_digits;
    const FormatSettings& m_settings;
    QString m_out;
    int m_next = 0;
};

} // namespace

QString floatToStrF(double value, FloatFormat format, int precision, int digits,
                    const FormatSettings& settings)
{
    precision = std::clamp(precision, 2, 18);
    const int decimals =
        format == FloatFormat::General || format == FloatFormat::Exponent ? 9999 : digits;
    const FloatRec rec = extendedToDecimal(value, precision, decimals);
    return FloatWriter(rec, format, precision, digits, settings).text();
}

QString currToStrF(std::int64_t scaled, FloatFormat format, int digits,
                   const FormatSettings& settings)
{
    const int decimals =
        format == FloatFormat::General || format == FloatFormat::Exponent ? 9999 : digits;
    const FloatRec rec = currencyToDecimal(scaled, decimals);
    return FloatWriter(rec, format, 19, digits, settings).text();
}

QString floatToText(double value)
{
    return floatToStrF(value, FloatFormat::General, 15, 0);
}

QString currencyToText(std::int64_t scaled)
{
    return currToStrF(scaled, FloatFormat::General, 0);
}

// ---------------------------------------------------------------------------------------
// Dates and times: Delphi's DateTimeToString.
// ---------------------------------------------------------------------------------------
namespace {

class DateTimeWriter {
public:
    DateTimeWriter(QDate date, QTime time, const FormatSettings& settings)
        : m_date(date), m_time(time), m_settings(settings)
    {
    }

    QString write(const QString& format)
    {
        append(format);
        return m_out;
    }

private:
    void number(int value, int digits)
    {
        const QString text = QString::number(value);
        for (qsizetype i = text.size(); i < digits; ++i)
            m_out += u'0';
        m_out += text;
    }

    static bool startsWithNoCase(QStringView text, qsizetype at, QStringView what)
    {
        return text.mid(at).startsWith(what, Qt::CaseInsensitive);
    }

    // Delphi: DayOfWeek 1 = Sunday; QDate::dayOfWeek 7 = Sunday.
    int dayIndex() const { return m_date.dayOfWeek() % 7; }

    void append(QStringView format)
    {
        if (++m_level > 2) { // Delphi stops nested formats ("c" inside "c") at two levels
            --m_level;
            return;
        }
        QChar lastToken = u' ';
        bool use12Hour = false;
        qsizetype i = 0;
        const qsizetype n = format.size();
        while (i < n) {
            const QChar starter = format[i];
            QChar token = starter.unicode() < 0x80 ? starter.toUpper() : starter;
            ++i;
            if (token >= u'A' && token <= u'Z') {
                if (token == u'M' && lastToken == u'H')
                    token = u'N';
                lastToken = token;
            }
            auto count = [&] {
                int c = 1;
                while (i < n && format[i] == starter) {
                    ++i;
                    ++c;
                }
                return c;
            };
            switch (token.unicode()) {
            case u'Y': {
                const int c = count();
                if (c <= 2)
                    number(m_date.year() % 100, 2);
                else
                    number(m_date.year(), 4);
                break;
            }
            case u'M': {
                const int c = count();
                if (c <= 2)
                    number(m_date.month(), c);
                else if (c == 3)
                    m_out += m_settings.shortMonthNames[m_date.month() - 1];
                else
                    m_out += m_settings.longMonthNames[m_date.month() - 1];
                break;
            }
            case u'D': {
                const int c = count();
                if (c <= 2)
                    number(m_date.day(), c);
                else if (c == 3)
                    m_out += m_settings.shortDayNames[dayIndex()];
                else if (c == 4)
                    m_out += m_settings.longDayNames[dayIndex()];
                else if (c == 5)
                    append(m_settings.shortDateFormat);
                else
                    append(m_settings.longDateFormat);
                break;
            }
            case u'H': {
                const int c = std::min(count(), 2);
                // A 12-hour clock when an am/pm token follows before the next hour token.
                bool quoted = false;
                for (qsizetype p = i; p < n; ++p) {
                    const QChar ch = format[p];
                    if (ch == u'\'' || ch == u'"') {
                        quoted = !quoted;
                    } else if (!quoted && (ch == u'a' || ch == u'A')) {
                        if (startsWithNoCase(format, p, u"am/pm") ||
                            startsWithNoCase(format, p, u"a/p") ||
                            startsWithNoCase(format, p, u"ampm"))
                            use12Hour = true;
                        break;
                    } else if (ch == u'h' || ch == u'H') {
                        break;
                    }
                }
                int hour = m_time.hour();
                if (use12Hour)
                    hour = hour == 0 ? 12 : (hour > 12 ? hour - 12 : hour);
                number(hour, c);
                break;
            }
            case u'N':
                number(m_time.minute(), std::min(count(), 2));
                break;
            case u'S':
                number(m_time.second(), std::min(count(), 2));
                break;
            case u'Z':
                number(m_time.msec(), std::min(count(), 3));
                break;
            case u'T':
                append(count() == 1 ? m_settings.shortTimeFormat : m_settings.longTimeFormat);
                break;
            case u'C':
                count();
                append(m_settings.shortDateFormat);
                if (m_time.hour() != 0 || m_time.minute() != 0 || m_time.second() != 0) {
                    m_out += u' ';
                    append(m_settings.longTimeFormat);
                }
                break;
            case u'A': {
                const qsizetype at = i - 1;
                const bool pm = m_time.hour() >= 12;
                if (startsWithNoCase(format, at, u"am/pm")) {
                    m_out += format.mid(at + (pm ? 3 : 0), 2);
                    i = at + 5;
                    use12Hour = true;
                } else if (startsWithNoCase(format, at, u"a/p")) {
                    m_out += format.mid(at + (pm ? 2 : 0), 1);
                    i = at + 3;
                    use12Hour = true;
                } else if (startsWithNoCase(format, at, u"ampm")) {
                    m_out += pm ? m_settings.timePMString : m_settings.timeAMString;
                    i = at + 4;
                    use12Hour = true;
                } else if (startsWithNoCase(format, at, u"aaaa")) {
                    m_out += m_settings.longDayNames[dayIndex()];
                    i = at + 4;
                } else if (startsWithNoCase(format, at, u"aaa")) {
                    m_out += m_settings.shortDayNames[dayIndex()];
                    i = at + 3;
                } else {
                    m_out += starter;
                }
                break;
            }
            case u'/':
                if (!m_settings.dateSeparator.isNull())
                    m_out += m_settings.dateSeparator;
                break;
            case u':':
                if (!m_settings.timeSeparator.isNull())
                    m_out += m_settings.timeSeparator;
                break;
            case u'\'':
            case u'"': {
                const qsizetype close = format.indexOf(starter, i);
                const qsizetype end = close < 0 ? n : close;
                m_out += format.mid(i, end - i);
                i = close < 0 ? n : close + 1;
                break;
            }
            default:
                m_out += starter;
                break;
            }
        }
        --m_level;
    }

    QDate m_date;
    QTime m_time;
    const FormatSettings& m_settings;
    QString m_out;
    int m_level = 0;
};

const QDate kDelphiEpoch(1899, 12, 30); // TDateTime 0

} // namespace

QString formatDateTime(const QString& format, QDate date, QTime time,
                       const FormatSettings& settings)
{
    if (!date.isValid())
        date = kDelphiEpoch;
    if (!time.isValid())
        time = QTime(0, 0);
    return DateTimeWriter(date, time, settings)
        .write(format.isEmpty() ? QStringLiteral("C") : format);
}

QString formatDateTime(const QString& format, const QDateTime& value,
                       const FormatSettings& settings)
{
    return formatDateTime(format, value.date(), value.time(), settings);
}

QString dateToText(QDate date)
{
    if (!date.isValid())
        return {};
    return formatDateTime(formatSettings().shortDateFormat, date, QTime(0, 0));
}

QString timeToText(QTime time)
{
    if (!time.isValid())
        return {};
    return formatDateTime(formatSettings().longTimeFormat, kDelphiEpoch, time);
}

QString dateTimeToText(const QDateTime& value)
{
    if (!value.isValid())
        return {};
    return formatDateTime(QStringLiteral("C"), value.date(), value.time());
}

QString dateTimeToLongText(const QDateTime& value)
{
    if (!value.isValid())
        return {};
    return formatDateTime(formatSettings().longDateFormat, value.date(), value.time());
}

QString variantToText(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Double:
    case QMetaType::Float:
        return floatToText(value.toDouble());
    case QMetaType::QDate:
        return formatDateTime(QStringLiteral("C"), value.toDate(), QTime(0, 0));
    case QMetaType::QTime:
        return formatDateTime(QStringLiteral("C"), kDelphiEpoch, value.toTime());
    case QMetaType::QDateTime:
        return dateTimeToText(value.toDateTime());
    case QMetaType::QByteArray:
        return fromCp936(value.toByteArray());
    default:
        return value.toString();
    }
}

// ---------------------------------------------------------------------------------------
// Text to numbers: Delphi's Val (StrToInt, StrToInt64) and TextToFloat (StrToFloat).
// ---------------------------------------------------------------------------------------
namespace {

// The text up to the first NUL (Delphi reads the string as a null-terminated PChar).
QStringView untilNul(const QString& text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? QStringView(text) : QStringView(text).left(nul);
}

int hexDigit(QChar c)
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

bool isHexPrefix(QChar c)
{
    return c == u'$' || c == u'x' || c == u'X';
}

} // namespace

std::optional<std::int32_t> tryStrToInt(const QString& text)
{
    // Delphi 7 _ValLong: blanks, then "-"/"+" and decimal digits, or a hexadecimal
    // prefix and hexadecimal digits (no sign; up to 8 digits, the 32 bits as they are).
    const QStringView s = untilNul(text);
    qsizetype i = 0;
    while (i < s.size() && s[i] == u' ')
        ++i;
    if (i >= s.size())
        return std::nullopt;
    auto hex = [&](qsizetype from) -> std::optional<std::int32_t> {
        if (from >= s.size())
            return std::nullopt;
        std::uint32_t value = 0;
        for (qsizetype k = from; k < s.size(); ++k) {
            const int d = hexDigit(s[k]);
            if (d < 0 || value > 0x0FFFFFFFu)
                return std::nullopt;
            value = value << 4 | std::uint32_t(d);
        }
        return std::int32_t(value);
    };
    bool negative = false;
    if (s[i] == u'-' || s[i] == u'+') {
        negative = s[i] == u'-';
        ++i;
    } else if (isHexPrefix(s[i])) {
        return hex(i + 1);
    } else if (s[i] == u'0' && i + 1 < s.size() && (s[i + 1] == u'x' || s[i + 1] == u'X')) {
        return hex(i + 2);
    }
    if (i >= s.size())
        return std::nullopt;
    std::int64_t value = 0;
    for (; i < s.size(); ++i) {
        const char16_t c = s[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > 2147483648LL)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > 2147483647LL)
        return std::nullopt;
    return std::int32_t(value);
}

std::int32_t strToInt(const QString& text)
{
    if (const auto value = tryStrToInt(text))
        return *value;
    throw Exception(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

std::int32_t strToIntDef(const QString& text, std::int32_t defaultValue)
{
    return tryStrToInt(text).value_or(defaultValue);
}

std::optional<std::int64_t> tryStrToInt64(const QString& text)
{
    // Delphi 7 _ValInt64: blanks, optional sign, then a hexadecimal prefix and up to 16
    // hexadecimal digits (the 64 bits as they are, negated after a "-"), or decimal
    // digits within the 64-bit range.
    const QStringView s = untilNul(text);
    qsizetype i = 0;
    while (i < s.size() && s[i] == u' ')
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == u'-' || s[i] == u'+')) {
        negative = s[i] == u'-';
        ++i;
    }
    if (i >= s.size())
        return std::nullopt;
    if (isHexPrefix(s[i]) ||
        (s[i] == u'0' && i + 1 < s.size() && (s[i + 1] == u'x' || s[i + 1] == u'X'))) {
        i += s[i] == u'0' ? 2 : 1;
        if (i >= s.size())
            return std::nullopt;
        std::uint64_t value = 0;
        for (; i < s.size(); ++i) {
            const int d = hexDigit(s[i]);
            if (d < 0 || value > 0x0FFFFFFFFFFFFFFFull)
                return std::nullopt;
            value = value << 4 | std::uint64_t(d);
        }
        return std::int64_t(negative ? std::uint64_t(0) - value : value);
    }
    std::uint64_t value = 0;
    const std::uint64_t limit = negative ? 9223372036854775808ull : 9223372036854775807ull;
    for (; i < s.size(); ++i) {
        const char16_t c = s[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        const std::uint64_t digit = c - u'0';
        if (value > (limit - digit) / 10)
            return std::nullopt;
        value = value * 10 + digit;
    }
    return negative ? std::int64_t(std::uint64_t(0) - value) : std::int64_t(value);
}

std::int64_t strToInt64(const QString& text)
{
    if (const auto value = tryStrToInt64(text))
        return *value;
    throw Exception(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

std::int64_t strToInt64Def(const QString& text, std::int64_t defaultValue)
{
    return tryStrToInt64(text).value_or(defaultValue);
}

std::optional<double> tryStrToFloat(const QString& text)
{
    // Delphi TextToFloat: blanks, sign, digits, decimal separator and digits (at least one
    // of these characters), "E"/"e" with an optional sign and digits (the exponent digits
    // may be missing; reading stops at 500), blanks, end.
    const QStringView s = untilNul(text);
    const QChar separator = formatSettings().decimalSeparator;
    std::string number;
    qsizetype i = 0;
    auto skipBlanks = [&] {
        while (i < s.size() && s[i] == u' ')
            ++i;
    };
    auto isDigit = [&](qsizetype k) { return k < s.size() && s[k] >= u'0' && s[k] <= u'9'; };
    skipBlanks();
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        if (s[i] == u'-')
            number += '-';
        ++i;
    }
    const qsizetype mantissaStart = i;
    std::string digits;
    int fractionDigits = 0;
    while (isDigit(i))
        digits += char(s[i++].unicode());
    if (i < s.size() && s[i] == separator) {
        ++i;
        while (isDigit(i)) {
            digits += char(s[i++].unicode());
            ++fractionDigits;
        }
    }
    if (i == mantissaStart)
        return std::nullopt;
    long exponent = 0;
    if (i < s.size() && (s[i] == u'E' || s[i] == u'e')) {
        ++i;
        bool negativeExponent = false;
        if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
            negativeExponent = s[i] == u'-';
            ++i;
        }
        while (isDigit(i) && exponent < 500)
            exponent = exponent * 10 + (s[i++].unicode() - u'0');
        if (negativeExponent)
            exponent = -exponent;
    }
    skipBlanks();
    if (i != s.size())
        return std::nullopt;

    number += digits.empty() ? std::string("0") : digits;
    number += 'e';
    number += std::to_string(exponent - fractionDigits);
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    errno = 0;
    char* end = nullptr;
    const double value = strtod_l(number.c_str(), &end, cLocale);
    if (std::isinf(value))
        return std::nullopt; // overflow; an underflow gives 0 or a denormal, as Delphi does
    return value;
}

double strToFloat(const QString& text)
{
    if (const auto value = tryStrToFloat(text))
        return *value;
    throw Exception(QStringLiteral("'%1' is not a valid floating point value").arg(text));
}

double strToFloatDef(const QString& text, double defaultValue)
{
    return tryStrToFloat(text).value_or(defaultValue);
}

} // namespace cv::text
