// Parsing of values written as text, and the date arithmetic of stored
// date-times (milliseconds since 1970-01-01 of the wall-clock time).
#include "FieldValue.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace cv {
namespace {

constexpr std::int64_t kMsPerDay = 86'400'000;
constexpr std::int64_t kMoneyScale = 10'000;
constexpr std::int64_t kUnixEpochJulianDay = 2'440'588;

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() &&
           (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
        s.remove_suffix(1);
    return s;
}

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
std::int64_t daysFromCivil(int y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = unsigned(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return std::int64_t(era) * 146097 + std::int64_t(doe) - 719468;
}

unsigned daysInMonth(int y, unsigned m)
{
    static constexpr unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return m == 2 && leap ? 29 : kDays[m - 1];
}

// Reads exactly `count` digits at `pos`.
bool readDigits(std::string_view s, std::size_t& pos, int count, int& out)
{
    if (pos + std::size_t(count) > s.size())
        return false;
    int v = 0;
    for (int i = 0; i < count; ++i) {
        const char c = s[pos + std::size_t(i)];
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    pos += std::size_t(count);
    out = v;
    return true;
}

// "HH:MM[:SS[.zzz…]]" from pos to the end of s.
std::optional<std::int64_t> parseClock(std::string_view s, std::size_t pos)
{
    int h = 0, mi = 0, sec = 0, ms = 0;
    if (!readDigits(s, pos, 2, h) || pos >= s.size() || s[pos++] != ':' ||
        !readDigits(s, pos, 2, mi))
        return std::nullopt;
    if (pos < s.size() && s[pos] == ':') {
        ++pos;
        if (!readDigits(s, pos, 2, sec))
            return std::nullopt;
        if (pos < s.size() && (s[pos] == '.' || s[pos] == ',')) {
            ++pos;
            int scale = 100;
            const std::size_t start = pos;
            for (; pos < s.size() && s[pos] >= '0' && s[pos] <= '9'; ++pos) {
                ms += (s[pos] - '0') * scale;
                scale /= 10;
            }
            if (pos == start)
                return std::nullopt;
        }
    }
    if (pos != s.size() || h > 23 || mi > 59 || sec > 59)
        return std::nullopt;
    return ((std::int64_t(h) * 60 + mi) * 60 + sec) * 1000 + ms;
}
} // namespace

std::optional<std::int64_t> parseInteger(std::string_view text)
{
    text = trimmed(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    std::int64_t v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return v;
}

std::optional<double> parseReal(std::string_view text)
{
    text = trimmed(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<std::int64_t> parseMoney(std::string_view text)
{
    text = trimmed(text);
    std::string_view s = text;
    const bool negative = !s.empty() && s.front() == '-';
    if (!s.empty() && (s.front() == '-' || s.front() == '+'))
        s.remove_prefix(1);
    constexpr std::uint64_t kLimit = std::uint64_t(std::numeric_limits<std::int64_t>::max());
    std::uint64_t v = 0;
    std::size_t pos = 0;
    int decimals = 0;
    bool any = false, point = false, roundUp = false;
    for (; pos < s.size(); ++pos) {
        const char c = s[pos];
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        if (c < '0' || c > '9')
            break;
        any = true;
        if (point && decimals >= 4) {
            if (decimals++ == 4)
                roundUp = c >= '5';
            continue;
        }
        decimals += point ? 1 : 0;
        const std::uint64_t digit = std::uint64_t(c - '0');
        if (v > (kLimit - digit) / 10)
            return std::nullopt;
        v = v * 10 + digit;
    }
    if (pos != s.size() || !any) {
        // Exponent forms and the like: go through double.
        const auto d = parseReal(text);
        if (!d || std::fabs(*d) * double(kMoneyScale) > 9.2e18)
            return std::nullopt;
        return std::int64_t(std::round(*d * double(kMoneyScale)));
    }
    for (int i = std::min(decimals, 4); i < 4; ++i) {
        if (v > kLimit / 10)
            return std::nullopt;
        v *= 10;
    }
    v += roundUp ? 1 : 0;
    if (v > kLimit)
        return std::nullopt;
    return negative ? -std::int64_t(v) : std::int64_t(v);
}

std::optional<std::int64_t> parseDateTime(std::string_view text)
{
    const std::string_view s = trimmed(text);
    std::size_t pos = 0;
    int y = 0, m = 0, d = 0;
    if (!readDigits(s, pos, 4, y) || pos >= s.size() || (s[pos] != '-' && s[pos] != '/'))
        return std::nullopt;
    const char sep = s[pos++];
    if (!readDigits(s, pos, 2, m) || pos >= s.size() || s[pos++] != sep ||
        !readDigits(s, pos, 2, d))
        return std::nullopt;
    if (m < 1 || m > 12 || d < 1 || unsigned(d) > daysInMonth(y, unsigned(m)))
        return std::nullopt;
    const std::int64_t day = daysFromCivil(y, unsigned(m), unsigned(d)) * kMsPerDay;
    if (pos == s.size())
        return day;
    if (s[pos] != ' ' && s[pos] != 'T')
        return std::nullopt;
    const auto clock = parseClock(s, pos + 1);
    return clock ? std::optional(day + *clock) : std::nullopt;
}

std::optional<std::int64_t> parseTime(std::string_view text)
{
    const std::string_view s = trimmed(text);
    if (auto clock = parseClock(s, 0))
        return clock;
    const auto full = parseDateTime(s);
    return full ? std::optional(timeOfDay(*full)) : std::nullopt;
}

std::optional<bool> parseBoolean(std::string_view text)
{
    const QString s = QString::fromUtf8(trimmed(text).data(), qsizetype(trimmed(text).size()));
    if (s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (s.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    if (const auto v = parseReal(text))
        return *v != 0.0;
    return std::nullopt;
}

std::int64_t dateToMsecs(QDate d)
{
    return (d.toJulianDay() - kUnixEpochJulianDay) * kMsPerDay;
}

std::int64_t dateTimeToMsecs(const QDateTime& dt)
{
    return dateToMsecs(dt.date()) + dt.time().msecsSinceStartOfDay();
}

std::int64_t floorToDay(std::int64_t ms)
{
    const std::int64_t days = ms / kMsPerDay - (ms % kMsPerDay < 0 ? 1 : 0);
    return days * kMsPerDay;
}

std::int64_t timeOfDay(std::int64_t ms)
{
    return ms - floorToDay(ms);
}

QDate msecsToDate(std::int64_t ms)
{
    return QDate::fromJulianDay(floorToDay(ms) / kMsPerDay + kUnixEpochJulianDay);
}

QTime msecsToTime(std::int64_t msOfDay)
{
    return QTime::fromMSecsSinceStartOfDay(int(timeOfDay(msOfDay)));
}

QDateTime msecsToDateTime(std::int64_t ms)
{
    return QDateTime(msecsToDate(ms), msecsToTime(ms));
}
} // namespace cv
