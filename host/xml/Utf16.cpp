#include "Utf16.h"

#include <new>

namespace cv::host {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isHighSurrogate(char32_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(char32_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}
bool isContinuation(unsigned char b)
{
    return (b & 0xC0) == 0x80;
}

char* putUtf8(char* p, char32_t c)
{
    if (c < 0x80) {
        *p++ = char(c);
    } else if (c < 0x800) {
        *p++ = char(0xC0 | (c >> 6));
        *p++ = char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        *p++ = char(0xE0 | (c >> 12));
        *p++ = char(0x80 | ((c >> 6) & 0x3F));
        *p++ = char(0x80 | (c & 0x3F));
    } else {
        *p++ = char(0xF0 | (c >> 18));
        *p++ = char(0x80 | ((c >> 12) & 0x3F));
        *p++ = char(0x80 | ((c >> 6) & 0x3F));
        *p++ = char(0x80 | (c & 0x3F));
    }
    return p;
}

// Decodes one code point at p; returns the bytes it takes (at least 1).
std::size_t decodeUtf8(const unsigned char* p, std::size_t left, char32_t& c)
{
    const unsigned char b = p[0];
    c = kReplacement;
    if (b < 0x80) {
        c = b;
        return 1;
    }
    if ((b >> 5) == 0x6 && left >= 2 && isContinuation(p[1])) {
        const char32_t v = (char32_t(b & 0x1F) << 6) | (p[1] & 0x3F);
        c = v >= 0x80 ? v : kReplacement;
        return 2;
    }
    if ((b >> 4) == 0xE && left >= 3 && isContinuation(p[1]) && isContinuation(p[2])) {
        const char32_t v =
            (char32_t(b & 0x0F) << 12) | (char32_t(p[1] & 0x3F) << 6) | (p[2] & 0x3F);
        c = v >= 0x800 && !isHighSurrogate(v) && !isLowSurrogate(v) ? v : kReplacement;
        return 3;
    }
    if ((b >> 3) == 0x1E && left >= 4 && isContinuation(p[1]) && isContinuation(p[2]) &&
        isContinuation(p[3])) {
        const char32_t v = (char32_t(b & 0x07) << 18) | (char32_t(p[1] & 0x3F) << 12) |
                           (char32_t(p[2] & 0x3F) << 6) | (p[3] & 0x3F);
        c = v >= 0x10000 && v <= 0x10FFFF ? v : kReplacement;
        return 4;
    }
    return 1;
}

// Calls sink(code point) for every code point of utf8.
template <class Sink> void forEachCodePoint(std::string_view utf8, Sink&& sink)
{
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    std::size_t left = utf8.size();
    while (left) {
        if (*p < 0x80) { // most of a document is ASCII markup
            sink(char32_t(*p++));
            --left;
            continue;
        }
        char32_t c;
        const std::size_t used = decodeUtf8(p, left, c);
        sink(c);
        p += used;
        left -= used;
    }
}

char16_t* putUtf16(char16_t* p, char32_t c)
{
    if (c < 0x10000) {
        *p++ = char16_t(c);
    } else {
        c -= 0x10000;
        *p++ = char16_t(0xD800 + (c >> 10));
        *p++ = char16_t(0xDC00 + (c & 0x3FF));
    }
    return p;
}

void fillUtf16(std::string_view utf8, char16_t* target)
{
    forEachCodePoint(utf8, [&](char32_t c) { target = putUtf16(target, c); });
}

} // namespace

void appendUtf8(std::string& out, std::u16string_view text)
{
    const std::size_t start = out.size();
    out.resize(start + text.size() * 3); // a pair takes 4 bytes for its 2 units
    char* p = out.data() + start;
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        char32_t c = text[i];
        if (c < 0x80) {
            *p++ = char(c);
            continue;
        }
        if (isHighSurrogate(c) && i + 1 < n && isLowSurrogate(text[i + 1]))
            c = 0x10000 + ((c - 0xD800) << 10) + (char32_t(text[++i]) - 0xDC00);
        else if (isHighSurrogate(c) || isLowSurrogate(c))
            c = kReplacement;
        p = putUtf8(p, c);
    }
    out.resize(std::size_t(p - out.data()));
}

void appendUtf8(std::string& out, const char16_t* text)
{
    if (text)
        appendUtf8(out, std::u16string_view(text));
}

std::size_t utf16Length(std::string_view utf8)
{
    std::size_t units = 0;
    forEachCodePoint(utf8, [&](char32_t c) { units += c >= 0x10000 ? 2 : 1; });
    return units;
}

std::u16string toUtf16(std::string_view utf8)
{
    std::u16string result(utf16Length(utf8), u'\0');
    fillUtf16(utf8, result.data());
    return result;
}

corvelian::CvBStr newBStr(std::string_view utf8)
{
    const std::size_t units = utf16Length(utf8);
    if (units == 0)
        return nullptr;
    if (units > 0x7FFFFFFF)
        throw std::bad_alloc();
    corvelian::CvBStr text = corvelian::CvAllocStringLen(nullptr, std::uint32_t(units));
    if (!text)
        throw std::bad_alloc();
    fillUtf16(utf8, text);
    return text;
}

} // namespace cv::host
