#include "platform/text/Format.h"

#include "platform/abi/Exception.h"
#include "platform/text/Cp936.h"
#include "platform/text/FormatSettings.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <optional>

namespace cv::text {

FormatArg FormatArg::integer(std::int32_t value)
{
    FormatArg a(Kind::Integer);
    a.m_int = value;
    return a;
}

FormatArg FormatArg::boolean(bool value)
{
    FormatArg a(Kind::Boolean);
    a.m_int = value ? 1 : 0;
    return a;
}

FormatArg FormatArg::character(char value)
{
    FormatArg a(Kind::Char);
    a.m_int = static_cast<unsigned char>(value);
    return a;
}

FormatArg FormatArg::extended(double value)
{
    FormatArg a(Kind::Extended);
    a.m_float = value;
    return a;
}

FormatArg FormatArg::shortString(QString value)
{
    FormatArg a(Kind::ShortString);
    a.m_text = std::move(value);
    return a;
}

FormatArg FormatArg::pointer(const void* value)
{
    FormatArg a(Kind::Pointer);
    a.m_pointer = value;
    return a;
}

FormatArg FormatArg::pChar(QString value)
{
    FormatArg a(Kind::PChar);
    a.m_text = std::move(value);
    return a;
}

FormatArg FormatArg::object(QString className)
{
    FormatArg a(Kind::Object);
    a.m_text = std::move(className);
    return a;
}

FormatArg FormatArg::classRef(QString className)
{
    FormatArg a(Kind::Class);
    a.m_text = std::move(className);
    return a;
}

FormatArg FormatArg::wideChar(char16_t value)
{
    FormatArg a(Kind::WideChar);
    a.m_int = value;
    a.m_text = QString(QChar(value));
    return a;
}

FormatArg FormatArg::pWideChar(QString value)
{
    FormatArg a(Kind::PWideChar);
    a.m_text = std::move(value);
    return a;
}

FormatArg FormatArg::ansiString(QString value)
{
    FormatArg a(Kind::AnsiString);
    a.m_text = std::move(value);
    return a;
}

FormatArg FormatArg::currency(std::int64_t scaled)
{
    FormatArg a(Kind::Currency);
    a.m_int = scaled;
    return a;
}

FormatArg FormatArg::variant(QVariant value)
{
    FormatArg a(Kind::Variant);
    a.m_variant = std::move(value);
    return a;
}

FormatArg FormatArg::interfaceRef(const void* value)
{
    FormatArg a(Kind::Interface);
    a.m_pointer = value;
    return a;
}

FormatArg FormatArg::wideString(QString value)
{
    FormatArg a(Kind::WideString);
    a.m_text = std::move(value);
    return a;
}

FormatArg FormatArg::int64(std::int64_t value)
{
    FormatArg a(Kind::Int64);
    a.m_int = value;
    return a;
}

FormatArg FormatArg::unicodeString(QString value)
{
    FormatArg a(Kind::UnicodeString);
    a.m_text = std::move(value);
    return a;
}

namespace {

constexpr std::int64_t kMaxWidth = 1 << 24;

// Code page 936 size of one code point (1 for ASCII).
int narrowSize(QStringView codePoint)
{
    if (codePoint.size() == 1 && codePoint[0].unicode() < 0x80)
        return 1;
    return int(cp936Size(codePoint));
}

// Length of the code point starting at `i`.
qsizetype codePointLength(QStringView text, qsizetype i)
{
    return i + 1 < text.size() && text[i].isHighSurrogate() && text[i + 1].isLowSurrogate() ? 2 : 1;
}

// The longest prefix of whole characters within `maxBytes` code page 936 bytes.
QString truncateNarrow(const QString& text, std::int64_t maxBytes)
{
    if (text.size() <= maxBytes && cp936Size(text) <= maxBytes)
        return text;
    std::int64_t bytes = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype len = codePointLength(text, i);
        const int size = narrowSize(QStringView(text).mid(i, len));
        if (bytes + size > maxBytes)
            break;
        bytes += size;
        i += len;
    }
    return text.left(i);
}

// The specifier quoted in an error: at most 31 code page 936 bytes.
QString errorSpecifier(QStringView specifier)
{
    return truncateNarrow(specifier.toString(), 31);
}

[[noreturn]] void throwInvalid(QStringView specifier)
{
    throw Exception(QStringLiteral("Format '%1' invalid or incompatible with argument")
                        .arg(errorSpecifier(specifier)));
}

[[noreturn]] void throwMissing(QStringView specifier)
{
    throw Exception(QStringLiteral("No argument for format '%1'").arg(errorSpecifier(specifier)));
}

QString digitsText(std::uint64_t value, int base)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, base);
    QString text = QString::fromLatin1(buffer, result.ptr - buffer);
    return base == 16 ? text.toUpper() : text;
}

// Delphi CvtInt / CvtInt64. `precisionCap`: 16 for Integer, 32 for Int64.
QString integerText(std::int64_t value, bool is64, char conversion, std::int64_t precision)
{
    const int cap = is64 ? 32 : 16;
    const std::int64_t minDigits = precision >= 0 && precision <= cap ? precision : 0;
    bool negative = false;
    std::uint64_t magnitude;
    int base = 10;
    if (conversion == 'D') {
        negative = value < 0;
        magnitude = negative ? std::uint64_t(0) - std::uint64_t(value) : std::uint64_t(value);
    } else {
        magnitude = is64 ? std::uint64_t(value) : std::uint64_t(std::uint32_t(value));
        if (conversion == 'X')
            base = 16;
    }
    QString digits = digitsText(magnitude, base);
    if (digits.size() < minDigits)
        digits.prepend(QString(minDigits - digits.size(), u'0'));
    if (negative)
        digits.prepend(u'-');
    return digits;
}

// An integral QVariant as (value, is 64-bit).
std::optional<std::pair<std::int64_t, bool>> variantInteger(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::SChar:
    case QMetaType::Char:
        return std::pair{v.toLongLong(), false};
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::UChar:
        return std::pair{std::int64_t(std::int32_t(v.toUInt())), false};
    case QMetaType::Long:
    case QMetaType::LongLong:
        return std::pair{v.toLongLong(), true};
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return std::pair{std::int64_t(v.toULongLong()), true};
    default:
        return std::nullopt;
    }
}

bool isVariantNumber(const QVariant& v)
{
    return variantInteger(v).has_value() || v.typeId() == QMetaType::Double ||
           v.typeId() == QMetaType::Float;
}

struct Piece {
    QString text;
    bool narrowCounted = false; // width counts code page 936 bytes (texts)
};

class Formatter {
public:
    Formatter(const QString& fmt, std::span<const FormatArg> args, const FormatSettings& settings)
        : m_fmt(fmt), m_args(args), m_settings(settings)
    {
    }

    QString run()
    {
        const qsizetype n = m_fmt.size();
        m_out.reserve(n + 16 * qsizetype(m_args.size()));
        while (m_pos < n) {
            const qsizetype percent = m_fmt.indexOf(u'%', m_pos);
            if (percent < 0) {
                m_out += QStringView(m_fmt).mid(m_pos);
                break;
            }
            m_out += QStringView(m_fmt).mid(m_pos, percent - m_pos);
            m_pos = percent + 1;
            if (!specifier(percent))
                break; // cut off by the end of the format string
        }
        return m_out;
    }

private:
    bool next(QChar& c)
    {
        if (m_pos >= m_fmt.size())
            return false;
        c = m_fmt[m_pos++];
        return true;
    }

    // Delphi @Specifier: a number or "*"; `c` holds the first character and receives the
    // one after the number. False when the format string ends.
    bool number(QChar& c, std::int64_t& value)
    {
        value = 0;
        if (c == u'*') {
            if (m_argIndex >= 0 && m_argIndex < std::int64_t(m_args.size())) {
                const FormatArg& arg = m_args[size_t(m_argIndex++)];
                if (arg.kind() == FormatArg::Kind::Integer)
                    value = arg.intValue();
            }
            return next(c);
        }
        while (c >= u'0' && c <= u'9') {
            value = std::min<std::int64_t>(value * 10 + (c.unicode() - u'0'), INT_MAX);
            if (!next(c))
                return false;
        }
        return true;
    }

    bool specifier(qsizetype start)
    {
        QChar c;
        if (!next(c))
            return false;
        if (c == u'%') {
            m_out += c;
            return true;
        }
        bool leftJustify = false;
        std::int64_t width = 0;
        for (;;) {
            leftJustify = c == u'-';
            if (leftJustify && !next(c))
                return false;
            if (!number(c, width))
                return false;
            if (c != u':')
                break;
            m_argIndex = width;
            if (!next(c))
                return false;
        }
        std::int64_t precision = -1;
        if (c == u'.') {
            if (!next(c) || !number(c, precision))
                return false;
        }
        const QStringView specifier = QStringView(m_fmt).mid(start, m_pos - start);
        const char conversion = c.unicode() < 0x80 ? char(QChar::toUpper(c.unicode())) : '\0';

        if (m_argIndex < 0 || m_argIndex >= std::int64_t(m_args.size()))
            throwMissing(specifier);
        const FormatArg& arg = m_args[size_t(m_argIndex++)];
        Piece piece = convert(arg, conversion, precision, specifier);

        if (width < 0)
            width = 0;
        if (width > kMaxWidth)
            throwInvalid(specifier);
        const std::int64_t length =
            piece.narrowCounted && width > 0 ? cp936Size(piece.text) : piece.text.size();
        const qsizetype padding = width > length ? qsizetype(width - length) : 0;
        if (leftJustify) {
            m_out += piece.text;
            m_out += QString(padding, u' ');
        } else {
            m_out += QString(padding, u' ');
            m_out += piece.text;
        }
        return true;
    }

    Piece text(QString value, std::int64_t precision)
    {
        if (precision >= 0)
            value = truncateNarrow(value, precision);
        return {std::move(value), true};
    }

    Piece floatPiece(const FormatArg& arg, double value, bool isCurrency, char conversion,
                     std::int64_t precision, QStringView specifier)
    {
        FloatFormat format;
        int floatPrecision;
        int digits;
        switch (conversion) {
        case 'G':
        case 'E':
            format = conversion == 'G' ? FloatFormat::General : FloatFormat::Exponent;
            floatPrecision = precision >= 0 && precision <= 18 ? int(precision) : 15;
            digits = 3;
            break;
        case 'F':
        case 'N':
        case 'M':
            format = conversion == 'F'   ? FloatFormat::Fixed
                     : conversion == 'N' ? FloatFormat::Number
                                         : FloatFormat::Currency;
            floatPrecision = 18;
            digits = precision >= 0 && precision <= 18
                         ? int(precision)
                         : (conversion == 'M' ? m_settings.currencyDecimals : 2);
            break;
        default:
            throwInvalid(specifier);
        }
        if (isCurrency)
            return {currToStrF(arg.intValue(), format, digits, m_settings)};
        return {floatToStrF(value, format, floatPrecision, digits, m_settings)};
    }

    Piece convert(const FormatArg& arg, char conversion, std::int64_t precision,
                  QStringView specifier)
    {
        using Kind = FormatArg::Kind;
        switch (arg.kind()) {
        case Kind::Integer:
        case Kind::Int64:
            if (conversion == 'D' || conversion == 'U' || conversion == 'X')
                return {
                    integerText(arg.intValue(), arg.kind() == Kind::Int64, conversion, precision)};
            break;
        case Kind::Extended:
            return floatPiece(arg, arg.floatValue(), false, conversion, precision, specifier);
        case Kind::Currency:
            return floatPiece(arg, 0, true, conversion, precision, specifier);
        case Kind::Char:
            if (conversion == 'S')
                return {fromCp936(QByteArray(1, char(arg.intValue()))), true};
            break;
        case Kind::WideChar:
            if (conversion == 'S')
                return {arg.text(), true};
            break;
        case Kind::ShortString:
        case Kind::AnsiString:
        case Kind::PChar:
        case Kind::WideString:
        case Kind::UnicodeString:
        case Kind::PWideChar:
            if (conversion == 'S')
                return text(arg.text(), precision);
            break;
        case Kind::Variant: {
            const QVariant& v = arg.variantValue();
            if (conversion == 'S')
                return text(variantToText(v), precision);
            if (conversion == 'D' || conversion == 'U' || conversion == 'X') {
                if (const auto integer = variantInteger(v))
                    return {integerText(integer->first, integer->second, conversion, precision)};
            } else if (isVariantNumber(v)) {
                return floatPiece(arg, v.toDouble(), false, conversion, precision, specifier);
            }
            break;
        }
        case Kind::Pointer:
            if (conversion == 'P') {
                QString digits =
                    digitsText(reinterpret_cast<std::uintptr_t>(arg.pointerValue()), 16);
                const qsizetype size = 2 * qsizetype(sizeof(void*));
                if (digits.size() < size)
                    digits.prepend(QString(size - digits.size(), u'0'));
                return {digits};
            }
            break;
        case Kind::Boolean:
        case Kind::Object:
        case Kind::Class:
        case Kind::Interface:
            break;
        }
        throwInvalid(specifier);
    }

    const QString& m_fmt;
    std::span<const FormatArg> m_args;
    const FormatSettings& m_settings;
    QString m_out;
    qsizetype m_pos = 0;
    std::int64_t m_argIndex = 0;
};

} // namespace

QString format(const QString& fmt, std::span<const FormatArg> args, const FormatSettings& settings)
{
    return Formatter(fmt, args, settings).run();
}

QString format(const QString& fmt, std::span<const FormatArg> args)
{
    return format(fmt, args, formatSettings());
}

QString format(const QString& fmt, std::initializer_list<FormatArg> args)
{
    return format(fmt, std::span<const FormatArg>(args.begin(), args.size()), formatSettings());
}

QString quotedStr(const QString& text)
{
    QString result;
    result.reserve(text.size() + 2);
    result += u'\'';
    for (QChar c : text) {
        if (c == u'\'')
            result += u'\'';
        result += c;
    }
    result += u'\'';
    return result;
}

} // namespace cv::text
