#include "VariantText.h"

#include "Utf16.h"
#include "XmlError.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

namespace cv::host {

namespace {

template <class T> void appendNumber(std::string& out, T value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

template <class T> void appendFloat(std::string& out, T value)
{
    if (std::isnan(value)) {
        out += "NaN";
        return;
    }
    if (std::isinf(value)) {
        out += value < 0 ? "-INF" : "INF";
        return;
    }
    if (value == 0) {
        out += '0'; // also for -0
        return;
    }
    const T magnitude = std::fabs(value);
    const bool plain = magnitude >= T(1e-6) && magnitude < T(1e21);
    char buffer[64];
    const auto result =
        plain ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed)
              : std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

// Currency is an integer count of ten-thousandths; format it exactly.
void appendCurrency(std::string& out, std::int64_t value)
{
    std::uint64_t magnitude = value < 0 ? 0 - std::uint64_t(value) : std::uint64_t(value);
    if (value < 0)
        out += '-';
    appendNumber(out, magnitude / 10000);
    unsigned fraction = unsigned(magnitude % 10000);
    if (fraction == 0)
        return;
    char digits[5] = {char('0' + fraction / 1000), char('0' + fraction / 100 % 10),
                      char('0' + fraction / 10 % 10), char('0' + fraction % 10), 0};
    std::size_t length = 4;
    while (digits[length - 1] == '0')
        --length;
    out += '.';
    out.append(digits, length);
}

// An OLE date counts days from 1899-12-30; the fraction is the time of day,
// also for days before that (-1.25 is 1899-12-29 06:00).
void appendDate(std::string& out, double value)
{
    constexpr std::int64_t kFirstDay = -657434; // 0100-01-01
    constexpr std::int64_t kLastDay = 2958465;  // 9999-12-31
    constexpr std::int64_t kMsPerDay = 86400000;
    if (!(value > double(kFirstDay - 1) && value < double(kLastDay + 1)))
        throw XmlError("日期值超出范围", corvelian::CV_E_INVALIDARG);
    std::int64_t day = std::int64_t(std::trunc(value));
    std::int64_t ms = std::llround(std::fabs(value - double(day)) * double(kMsPerDay));
    if (ms >= kMsPerDay) {
        ++day;
        ms -= kMsPerDay;
    }
    if (day > kLastDay)
        throw XmlError("日期值超出范围", corvelian::CV_E_INVALIDARG);
    using namespace std::chrono;
    const year_month_day date{sys_days{days{day - 25569}}}; // 25569: 1899-12-30 to 1970-01-01
    char buffer[40];
    int length = std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u %02d:%02d:%02d",
                               int(date.year()), unsigned(date.month()), unsigned(date.day()),
                               int(ms / 3600000), int(ms / 60000 % 60), int(ms / 1000 % 60));
    if (ms % 1000)
        length += std::snprintf(buffer + length, sizeof buffer - std::size_t(length), ".%03d",
                                int(ms % 1000));
    out.append(buffer, std::size_t(length));
}

} // namespace

void appendVariantText(std::string& out, const corvelian::CvVariant& value)
{
    using namespace corvelian;
    switch (value.vt) {
    case CV_VT_EMPTY:
    case CV_VT_NULL:
        return;
    case CV_VT_I2:
        return appendNumber(out, value.i2);
    case CV_VT_I4:
        return appendNumber(out, value.i4);
    case CV_VT_I1:
        return appendNumber(out, int(value.i1));
    case CV_VT_UI1:
        return appendNumber(out, unsigned(value.ui1));
    case CV_VT_UI2:
        return appendNumber(out, value.ui2);
    case CV_VT_UI4:
        return appendNumber(out, value.ui4);
    case CV_VT_I8:
        return appendNumber(out, value.i8);
    case CV_VT_UI8:
        return appendNumber(out, value.ui8);
    case CV_VT_R4:
        return appendFloat(out, value.r4);
    case CV_VT_R8:
        return appendFloat(out, value.r8);
    case CV_VT_CY:
        return appendCurrency(out, value.cy);
    case CV_VT_DATE:
        return appendDate(out, value.date);
    case CV_VT_BOOL:
        out += value.boolVal ? '1' : '0';
        return;
    case CV_VT_BSTR:
        return appendUtf8(out, value.bstr);
    }
    throw XmlError("不支持的变体类型 " + std::to_string(value.vt), CV_E_INVALIDARG);
}

} // namespace cv::host
