// The host's format-string language: Delphi SysUtils.Format, implemented once.
//
// Script templates of the host's script store are filled with this function, so it
// follows the Delphi 7/2007 RTL (FormatBuf) the templates were written for:
//
//   "%" [index ":"] ["-"] [width] ["." precision] type     (type case-insensitive)
//
// - index, width and precision are decimal numbers or "*", which takes the next argument
//   (an Integer argument gives its value; any other kind, or no argument left, gives 0).
//   A negative width counts as 0, a negative precision as none.
// - An index sets the argument counter: later specifiers without index continue after it
//   ("%d %d %0:d %d" with 10, 20 gives "10 20 10 20").
// - "%%" is a "%". A specifier cut off by the end of the format string ends the result
//   without an error (Delphi stops there too).
// - d: Integer or Int64, signed decimal; precision = minimum number of digits, padded
//   with zeros after the sign ("%.3d" of -5 is "-005"); a precision above 16 (Integer) or
//   32 (Int64) is ignored.
//   u: the same, unsigned (an Integer is taken as 32 bits: -1 gives 4294967295).
//   x: the same, upper-case hexadecimal (32 or 64 bits).
// - e, f, g, n, m: Extended or Currency. e: "-d.ddd...E+ddd", precision = digits in all
//   (default 15). f: fixed, precision = decimals (default 2). g: shortest of fixed and
//   scientific, precision = significant digits (default 15). n: as f with thousands
//   separators (none under the process rules). m: money with the currency settings,
//   precision = decimals (default: the currency decimals, 6). A precision above 18 means
//   the default. Rounding is Delphi's: 18 significant digits, then half away from zero.
// - s: the string kinds (ShortString, AnsiString, PChar, WideString, UnicodeString,
//   PWideChar), Char, WideChar and Variant (empty or null gives ""; other values as
//   variantToText); precision = maximum length. p: Pointer, upper-case hexadecimal with
//   2 * sizeof(void*) digits.
// - Widths and precisions of texts count code page 936 bytes, as the narrow strings of
//   the Delphi module do: "%-6s|" of "宋体" is "宋体  |" and "%.2s" of "宋体" is "宋".
//   A precision never splits a character: the text is cut before a character that would
//   not fit whole.
// - Errors throw cv::Exception with Delphi's texts, quoting the specifier itself (from
//   "%" to the type letter, at most 31 bytes), as Delphi does:
//     "Format '%d' invalid or incompatible with argument"  (wrong kind, unknown type)
//     "No argument for format '%d'"                        (no argument left)
//   Unused arguments are fine.
//
// Beyond Delphi 7 (documented choices): a Variant holding an integer is also accepted by
// d, u and x, and a Variant holding a number by e, f, g, n and m (Delphi accepts Variants
// only for s); WideChar is accepted by s (as from Delphi 2009 on). A width above
// 16,777,216 is rejected as invalid rather than exhausting memory.
#pragma once

#include <QString>
#include <QVariant>

#include <cstdint>
#include <initializer_list>
#include <span>

namespace cv::text {

struct FormatSettings;

// One element of a Delphi open argument list ("array of const", TVarRec).
class FormatArg {
public:
    // The values are Delphi's vtXxx codes.
    enum class Kind : std::uint8_t {
        Integer = 0, // 32-bit signed
        Boolean = 1,
        Char = 2,     // one narrow (code page 936) byte
        Extended = 3, // floating point (a double here)
        ShortString = 4,
        Pointer = 5,
        PChar = 6,
        Object = 7, // carries the class name
        Class = 8,  // carries the class name
        WideChar = 9,
        PWideChar = 10,
        AnsiString = 11,
        Currency = 12, // 64-bit integer scaled by 10000
        Variant = 13,
        Interface = 14,
        WideString = 15,
        Int64 = 16,
        UnicodeString = 17,
    };

    static FormatArg integer(std::int32_t value);
    static FormatArg boolean(bool value);
    static FormatArg character(char value);
    static FormatArg extended(double value);
    static FormatArg shortString(QString value);
    static FormatArg pointer(const void* value);
    static FormatArg pChar(QString value);
    static FormatArg object(QString className);
    static FormatArg classRef(QString className);
    static FormatArg wideChar(char16_t value);
    static FormatArg pWideChar(QString value);
    static FormatArg ansiString(QString value);
    static FormatArg currency(std::int64_t scaled);
    static FormatArg variant(QVariant value);
    static FormatArg interfaceRef(const void* value);
    static FormatArg wideString(QString value);
    static FormatArg int64(std::int64_t value);
    static FormatArg unicodeString(QString value);

    Kind kind() const { return m_kind; }
    // Integer, Int64, Currency (scaled), Boolean (0 or 1), Char (the byte), WideChar.
    std::int64_t intValue() const { return m_int; }
    double floatValue() const { return m_float; }
    // The string kinds; the class name of Object and Class.
    const QString& text() const { return m_text; }
    const QVariant& variantValue() const { return m_variant; }
    // Pointer and Interface.
    const void* pointerValue() const { return m_pointer; }

private:
    explicit FormatArg(Kind kind) : m_kind(kind) {}

    Kind m_kind;
    std::int64_t m_int = 0;
    double m_float = 0;
    const void* m_pointer = nullptr;
    QString m_text;
    QVariant m_variant;
};

// Delphi Format with the process-wide settings (formatSettings()).
QString format(const QString& fmt, std::span<const FormatArg> args);
QString format(const QString& fmt, std::initializer_list<FormatArg> args);
// Delphi Format with explicit settings.
QString format(const QString& fmt, std::span<const FormatArg> args, const FormatSettings& settings);

// Delphi QuotedStr: the text as an SQL literal, in single quotes, inner quotes doubled.
QString quotedStr(const QString& text);

} // namespace cv::text
