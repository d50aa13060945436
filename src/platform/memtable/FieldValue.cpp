#include "FieldValue.h"

#include "platform/abi/Exception.h"

#include <bit>
#include <cmath>
#include <limits>

namespace cv {
namespace {

constexpr std::int64_t kMsPerDay = 86'400'000;
constexpr std::int64_t kMoneyScale = 10'000;
constexpr double kDelphiEpochToUnixDays = 25'569.0; // 1899-12-30 .. 1970-01-01

[[noreturn]] void throwInvalid(const QString& text, const char* what, const FieldDef& field)
{
    throw Exception(QStringLiteral("'%1' is not a valid %2 value for field '%3'")
                        .arg(text, QLatin1String(what), field.name));
}

[[noreturn]] void throwOutOfRange(const QString& text, const FieldDef& field)
{
    throw Exception(
        QStringLiteral("Value %1 is out of range for field '%2'").arg(text, field.name));
}

[[noreturn]] void throwWrongType(const QVariant& value, const FieldDef& field)
{
    throw Exception(QStringLiteral("Cannot assign a value of type %1 to field '%2'")
                        .arg(QLatin1String(value.metaType().name()), field.name));
}

enum class VariantKind {
    Boolean,
    Integer,
    Unsigned,
    Real,
    Text,
    Bytes,
    Date,
    Time,
    DateTime,
    Other
};

VariantKind variantKind(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Bool:
        return VariantKind::Boolean;
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::SChar:
    case QMetaType::Char:
        return VariantKind::Integer;
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    case QMetaType::UChar:
        return VariantKind::Unsigned;
    case QMetaType::Double:
    case QMetaType::Float:
        return VariantKind::Real;
    case QMetaType::QString:
    case QMetaType::QChar:
        return VariantKind::Text;
    case QMetaType::QByteArray:
        return VariantKind::Bytes;
    case QMetaType::QDate:
        return VariantKind::Date;
    case QMetaType::QTime:
        return VariantKind::Time;
    case QMetaType::QDateTime:
        return VariantKind::DateTime;
    default:
        return VariantKind::Other;
    }
}

std::optional<std::int64_t> variantToInt64(const QVariant& v, VariantKind kind)
{
    switch (kind) {
    case VariantKind::Boolean:
        return v.toBool() ? 1 : 0;
    case VariantKind::Integer:
        return v.toLongLong();
    case VariantKind::Unsigned: {
        const qulonglong u = v.toULongLong();
        if (u > qulonglong(std::numeric_limits<std::int64_t>::max()))
            return std::nullopt;
        return std::int64_t(u);
    }
    case VariantKind::Real: {
        const double d = std::nearbyint(v.toDouble());
        if (!std::isfinite(d) || d < -9.2e18 || d > 9.2e18)
            return std::nullopt;
        return std::int64_t(d);
    }
    default:
        return std::nullopt;
    }
}

bool isNumericKind(VariantKind k)
{
    return k == VariantKind::Boolean || k == VariantKind::Integer || k == VariantKind::Unsigned ||
           k == VariantKind::Real;
}

QByteArray variantUtf8(const QVariant& v)
{
    return v.typeId() == QMetaType::QByteArray ? v.toByteArray() : v.toString().toUtf8();
}

std::string_view viewOf(const QByteArray& b)
{
    return {b.constData(), std::size_t(b.size())};
}

CellData fixedCell(std::int64_t v)
{
    CellData c;
    c.null = false;
    c.fixed = v;
    return c;
}

CellData encodeInteger(const FieldDef& field, const QVariant& value, VariantKind kind)
{
    std::optional<std::int64_t> v;
    if (isNumericKind(kind))
        v = variantToInt64(value, kind);
    else if (kind == VariantKind::Text || kind == VariantKind::Bytes)
        v = parseInteger(viewOf(variantUtf8(value)));
    else
        throwWrongType(value, field);
    if (!v)
        throwInvalid(value.toString(), "integer", field);
    if (!integerFits(field.type, *v))
        throwOutOfRange(value.toString(), field);
    return fixedCell(*v);
}

CellData encodeBoolean(const FieldDef& field, const QVariant& value, VariantKind kind)
{
    if (isNumericKind(kind))
        return fixedCell(value.toDouble() != 0.0 ? 1 : 0);
    if (kind != VariantKind::Text && kind != VariantKind::Bytes)
        throwWrongType(value, field);
    const auto b = parseBoolean(viewOf(variantUtf8(value)));
    if (!b)
        throwInvalid(value.toString(), "boolean", field);
    return fixedCell(*b ? 1 : 0);
}

CellData encodeReal(const FieldDef& field, const QVariant& value, VariantKind kind)
{
    std::optional<double> d;
    if (isNumericKind(kind))
        d = value.toDouble();
    else if (kind == VariantKind::Text || kind == VariantKind::Bytes)
        d = parseReal(viewOf(variantUtf8(value)));
    else
        throwWrongType(value, field);
    if (!d || !std::isfinite(*d))
        throwInvalid(value.toString(), "floating point", field);
    return fixedCell(doubleToSlot(*d));
}

CellData encodeMoney(const FieldDef& field, const QVariant& value, VariantKind kind)
{
    std::optional<std::int64_t> v;
    if (kind == VariantKind::Text || kind == VariantKind::Bytes) {
        v = parseMoney(viewOf(variantUtf8(value)));
    } else if (kind == VariantKind::Real) {
        const double scaled = std::round(value.toDouble() * double(kMoneyScale));
        if (std::isfinite(scaled) && std::fabs(scaled) < 9.2e18)
            v = std::int64_t(scaled);
        else
            throwOutOfRange(value.toString(), field);
    } else if (isNumericKind(kind)) {
        const auto i = variantToInt64(value, kind);
        if (!i || *i > std::numeric_limits<std::int64_t>::max() / kMoneyScale ||
            *i < std::numeric_limits<std::int64_t>::min() / kMoneyScale)
            throwOutOfRange(value.toString(), field);
        v = *i * kMoneyScale;
    } else {
        throwWrongType(value, field);
    }
    if (!v)
        throwInvalid(value.toString(), "currency", field);
    return fixedCell(*v);
}

std::int64_t delphiDateTimeToMsecs(double d)
{
    return std::llround((d - kDelphiEpochToUnixDays) * double(kMsPerDay));
}

std::optional<std::int64_t> variantToMsecs(const QVariant& value, VariantKind kind)
{
    switch (kind) {
    case VariantKind::DateTime: {
        const QDateTime dt = value.toDateTime();
        return dt.isValid() ? std::optional(dateTimeToMsecs(dt)) : std::nullopt;
    }
    case VariantKind::Date: {
        const QDate d = value.toDate();
        return d.isValid() ? std::optional(dateToMsecs(d)) : std::nullopt;
    }
    case VariantKind::Time: {
        const QTime t = value.toTime();
        if (!t.isValid())
            return std::nullopt;
        return dateToMsecs(QDate(1899, 12, 30)) + t.msecsSinceStartOfDay();
    }
    case VariantKind::Text:
    case VariantKind::Bytes:
        return parseDateTime(viewOf(variantUtf8(value)));
    default: {
        const double d = value.toDouble();
        if (!std::isfinite(d) || std::fabs(d) > 3.0e6)
            return std::nullopt;
        return delphiDateTimeToMsecs(d);
    }
    }
}

CellData encodeTemporal(const FieldDef& field, const QVariant& value, VariantKind kind,
                        ValueClass cls)
{
    if (kind == VariantKind::Other || kind == VariantKind::Boolean)
        throwWrongType(value, field);
    std::optional<std::int64_t> ms;
    if (cls == ValueClass::Time && (kind == VariantKind::Text || kind == VariantKind::Bytes))
        ms = parseTime(viewOf(variantUtf8(value)));
    else if (cls == ValueClass::Time && kind == VariantKind::Time)
        ms = value.toTime().isValid()
                 ? std::optional<std::int64_t>(value.toTime().msecsSinceStartOfDay())
                 : std::nullopt;
    else
        ms = variantToMsecs(value, kind);
    if (!ms)
        throwInvalid(value.toString(), "date/time", field);
    if (cls == ValueClass::Date)
        return fixedCell(floorToDay(*ms));
    if (cls == ValueClass::Time)
        return fixedCell(timeOfDay(*ms));
    return fixedCell(*ms);
}

CellData bytesCell(QByteArray bytes)
{
    CellData c;
    c.null = false;
    c.bytes = std::move(bytes);
    return c;
}

QString variantText(const QVariant& value, VariantKind kind)
{
    switch (kind) {
    case VariantKind::Boolean:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case VariantKind::DateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case VariantKind::Date:
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case VariantKind::Time:
        return value.toTime().toString(QStringLiteral("HH:mm:ss"));
    default:
        return value.toString();
    }
}

CellData encodeText(const FieldDef& field, const QVariant& value, VariantKind kind)
{
    if (kind == VariantKind::Bytes)
        return bytesCell(value.toByteArray());
    if (kind == VariantKind::Other && !value.canConvert<QString>())
        throwWrongType(value, field);
    return bytesCell(variantText(value, kind).toUtf8());
}

CellData encodeBytes(const FieldDef& field, const QVariant& value, VariantKind kind)
{
    if (kind == VariantKind::Bytes)
        return bytesCell(value.toByteArray());
    if (kind == VariantKind::Text)
        return bytesCell(value.toString().toUtf8());
    throwWrongType(value, field);
}

bool isEmptyText(const QVariant& value, VariantKind kind)
{
    return (kind == VariantKind::Text && value.toString().trimmed().isEmpty()) ||
           (kind == VariantKind::Bytes && value.toByteArray().trimmed().isEmpty());
}

QString moneyToString(std::int64_t v)
{
    const bool negative = v < 0;
    const std::uint64_t abs = negative ? 0 - std::uint64_t(v) : std::uint64_t(v);
    QString text = QString::number(abs / kMoneyScale);
    std::uint64_t frac = abs % kMoneyScale;
    if (frac != 0) {
        QString digits = QStringLiteral("%1").arg(frac, 4, 10, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        text += QLatin1Char('.') + digits;
    }
    return negative ? QLatin1Char('-') + text : text;
}

double msecsToDelphiDateTime(std::int64_t ms)
{
    return double(ms) / double(kMsPerDay) + kDelphiEpochToUnixDays;
}

QString fromUtf8(const CellView& cell)
{
    return QString::fromUtf8(cell.bytes.data(), qsizetype(cell.bytes.size()));
}

[[noreturn]] void throwCannotRead(const FieldDef& field, const char* what)
{
    throw Exception(
        QStringLiteral("Field '%1' cannot be read as %2").arg(field.name, QLatin1String(what)));
}

} // namespace

ValueClass valueClass(FieldType type)
{
    switch (type) {
    case FieldType::ShortInt:
    case FieldType::Byte:
    case FieldType::SmallInt:
    case FieldType::Word:
    case FieldType::Integer:
    case FieldType::LongWord:
    case FieldType::LargeInt:
    case FieldType::AutoInc:
        return ValueClass::Integer;
    case FieldType::Boolean:
        return ValueClass::Boolean;
    case FieldType::Single:
    case FieldType::Float:
    case FieldType::FmtBCD:
        return ValueClass::Real;
    case FieldType::Currency:
    case FieldType::BCD:
        return ValueClass::Money;
    case FieldType::Date:
        return ValueClass::Date;
    case FieldType::Time:
        return ValueClass::Time;
    case FieldType::DateTime:
    case FieldType::TimeStamp:
        return ValueClass::DateTime;
    case FieldType::String:
    case FieldType::FixedChar:
    case FieldType::WideString:
    case FieldType::FixedWideChar:
    case FieldType::Memo:
    case FieldType::FmtMemo:
    case FieldType::WideMemo:
    case FieldType::Guid:
        return ValueClass::Text;
    case FieldType::Bytes:
    case FieldType::VarBytes:
    case FieldType::Blob:
    case FieldType::Graphic:
        return ValueClass::Bytes;
    case FieldType::Unknown:
        break;
    }
    return ValueClass::None;
}

std::int64_t doubleToSlot(double v)
{
    return std::bit_cast<std::int64_t>(v);
}
double slotToDouble(std::int64_t slot)
{
    return std::bit_cast<double>(slot);
}

bool integerFits(FieldType type, std::int64_t v)
{
    auto within = [v](std::int64_t lo, std::int64_t hi) { return v >= lo && v <= hi; };
    switch (type) {
    case FieldType::ShortInt:
        return within(-128, 127);
    case FieldType::Byte:
        return within(0, 255);
    case FieldType::SmallInt:
        return within(-32768, 32767);
    case FieldType::Word:
        return within(0, 65535);
    case FieldType::Integer:
    case FieldType::AutoInc:
        return within(std::numeric_limits<std::int32_t>::min(),
                      std::numeric_limits<std::int32_t>::max());
    case FieldType::LongWord:
        return within(0, std::numeric_limits<std::uint32_t>::max());
    default:
        return true;
    }
}

CellData encodeValue(const FieldDef& field, const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return {};
    const VariantKind kind = variantKind(value);
    const ValueClass cls = valueClass(field.type);
    if (cls != ValueClass::Text && cls != ValueClass::Bytes && isEmptyText(value, kind))
        return {};
    switch (cls) {
    case ValueClass::Integer:
        return encodeInteger(field, value, kind);
    case ValueClass::Boolean:
        return encodeBoolean(field, value, kind);
    case ValueClass::Real:
        return encodeReal(field, value, kind);
    case ValueClass::Money:
        return encodeMoney(field, value, kind);
    case ValueClass::DateTime:
    case ValueClass::Date:
    case ValueClass::Time:
        return encodeTemporal(field, value, kind, cls);
    case ValueClass::Text:
        return encodeText(field, value, kind);
    case ValueClass::Bytes:
        return encodeBytes(field, value, kind);
    case ValueClass::None:
        break;
    }
    throwWrongType(value, field);
}

QVariant cellToVariant(FieldType type, const CellView& cell)
{
    if (cell.null)
        return {};
    switch (valueClass(type)) {
    case ValueClass::Integer:
        if (type == FieldType::LargeInt)
            return QVariant(qlonglong(cell.fixed));
        if (type == FieldType::LongWord)
            return QVariant(uint(cell.fixed));
        return QVariant(int(cell.fixed));
    case ValueClass::Boolean:
        return QVariant(cell.fixed != 0);
    case ValueClass::Real:
        return QVariant(slotToDouble(cell.fixed));
    case ValueClass::Money:
        return QVariant(double(cell.fixed) / double(kMoneyScale));
    case ValueClass::DateTime:
        return QVariant(msecsToDateTime(cell.fixed));
    case ValueClass::Date:
        return QVariant(msecsToDate(cell.fixed));
    case ValueClass::Time:
        return QVariant(msecsToTime(cell.fixed));
    case ValueClass::Text:
        return QVariant(fromUtf8(cell));
    case ValueClass::Bytes:
        return QVariant(QByteArray(cell.bytes.data(), qsizetype(cell.bytes.size())));
    case ValueClass::None:
        break;
    }
    return {};
}

QString cellToString(FieldType type, const CellView& cell)
{
    if (cell.null)
        return {};
    switch (valueClass(type)) {
    case ValueClass::Integer:
        return QString::number(cell.fixed);
    case ValueClass::Boolean:
        return cell.fixed ? QStringLiteral("True") : QStringLiteral("False");
    case ValueClass::Real:
        return QString::number(slotToDouble(cell.fixed), 'g', 15);
    case ValueClass::Money:
        return moneyToString(cell.fixed);
    case ValueClass::DateTime:
        return msecsToDateTime(cell.fixed)
            .toString(timeOfDay(cell.fixed) == 0 ? QStringLiteral("yyyy-MM-dd")
                                                 : QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case ValueClass::Date:
        return msecsToDate(cell.fixed).toString(QStringLiteral("yyyy-MM-dd"));
    case ValueClass::Time:
        return msecsToTime(cell.fixed).toString(QStringLiteral("HH:mm:ss"));
    case ValueClass::Text:
    case ValueClass::Bytes:
        return fromUtf8(cell);
    case ValueClass::None:
        break;
    }
    return {};
}

std::int64_t cellToInt64(const FieldDef& field, const CellView& cell)
{
    if (cell.null)
        return 0;
    switch (valueClass(field.type)) {
    case ValueClass::Integer:
    case ValueClass::Boolean:
        return cell.fixed;
    case ValueClass::Real:
    case ValueClass::Money: {
        const double d = std::nearbyint(cellToDouble(field, cell));
        if (!(std::fabs(d) < 9.2e18))
            throwOutOfRange(cellToString(field.type, cell), field);
        return std::int64_t(d);
    }
    case ValueClass::Text:
        if (const auto v = parseInteger(cell.bytes))
            return *v;
        throwInvalid(fromUtf8(cell), "integer", field);
    default:
        throwCannotRead(field, "an integer");
    }
}

double cellToDouble(const FieldDef& field, const CellView& cell)
{
    if (cell.null)
        return 0.0;
    switch (valueClass(field.type)) {
    case ValueClass::Integer:
    case ValueClass::Boolean:
        return double(cell.fixed);
    case ValueClass::Real:
        return slotToDouble(cell.fixed);
    case ValueClass::Money:
        return double(cell.fixed) / double(kMoneyScale);
    case ValueClass::DateTime:
    case ValueClass::Date:
    case ValueClass::Time:
        return msecsToDelphiDateTime(cell.fixed);
    case ValueClass::Text:
        if (const auto v = parseReal(cell.bytes))
            return *v;
        throwInvalid(fromUtf8(cell), "floating point", field);
    default:
        throwCannotRead(field, "a number");
    }
}

bool cellToBoolean(const FieldDef& field, const CellView& cell)
{
    if (cell.null)
        return false;
    switch (valueClass(field.type)) {
    case ValueClass::Integer:
    case ValueClass::Boolean:
    case ValueClass::Money:
        return cell.fixed != 0;
    case ValueClass::Real:
        return slotToDouble(cell.fixed) != 0.0;
    case ValueClass::Text:
        if (const auto v = parseBoolean(cell.bytes))
            return *v;
        throwInvalid(fromUtf8(cell), "boolean", field);
    default:
        throwCannotRead(field, "a boolean");
    }
}

QDateTime cellToDateTime(const FieldDef& field, const CellView& cell)
{
    if (cell.null)
        return {};
    switch (valueClass(field.type)) {
    case ValueClass::DateTime:
    case ValueClass::Date:
        return msecsToDateTime(cell.fixed);
    case ValueClass::Time:
        return msecsToDateTime(dateToMsecs(QDate(1899, 12, 30)) + cell.fixed);
    case ValueClass::Real:
    case ValueClass::Money:
    case ValueClass::Integer:
        return msecsToDateTime(delphiDateTimeToMsecs(cellToDouble(field, cell)));
    case ValueClass::Text:
        if (const auto ms = parseDateTime(cell.bytes))
            return msecsToDateTime(*ms);
        throwInvalid(fromUtf8(cell), "date/time", field);
    default:
        throwCannotRead(field, "a date/time");
    }
}

QByteArray cellToBytes(FieldType type, const CellView& cell)
{
    if (cell.null)
        return {};
    const ValueClass cls = valueClass(type);
    if (cls == ValueClass::Text || cls == ValueClass::Bytes)
        return QByteArray(cell.bytes.data(), qsizetype(cell.bytes.size()));
    return cellToString(type, cell).toUtf8();
}

int compareCells(ValueClass c, const CellView& a, const CellView& b, bool caseInsensitive)
{
    auto order = [](auto x, auto y) { return x < y ? -1 : (y < x ? 1 : 0); };
    switch (c) {
    case ValueClass::Real:
        return order(slotToDouble(a.fixed), slotToDouble(b.fixed));
    case ValueClass::Text:
        if (caseInsensitive)
            return QString::compare(fromUtf8(a), fromUtf8(b), Qt::CaseInsensitive);
        return order(a.bytes.compare(b.bytes), 0);
    case ValueClass::Bytes:
        return order(a.bytes.compare(b.bytes), 0);
    default:
        return order(a.fixed, b.fixed);
    }
}

} // namespace cv
