// Filling a MemTable from a RecordSource or from another MemTable.
#include "MemTable.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace cv {
namespace {

constexpr std::int64_t kMsPerDay = 86'400'000;
constexpr double kUnixEpochJulianDay = 2'440'587.5;

struct ColumnLoad {
    int source;
    ValueClass cls;
    FieldType type;
    Column* column;
};

std::string_view asChars(std::span<const std::uint8_t> blob)
{
    return {reinterpret_cast<const char*>(blob.data()), blob.size()};
}

std::optional<std::int64_t> roundedInteger(double d)
{
    d = std::nearbyint(d);
    if (!std::isfinite(d) || std::fabs(d) > 9.2e18)
        return std::nullopt;
    return std::int64_t(d);
}

std::optional<std::int64_t> sourceInteger(const RecordSource& src, int c, CellKind kind)
{
    switch (kind) {
    case CellKind::Integer:
        return src.intValue(c);
    case CellKind::Real:
        return roundedInteger(src.realValue(c));
    case CellKind::Text:
        if (auto v = parseInteger(src.textValue(c)))
            return v;
        if (auto d = parseReal(src.textValue(c)))
            return roundedInteger(*d);
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

std::optional<std::int64_t> sourceMoney(const RecordSource& src, int c, CellKind kind)
{
    constexpr std::int64_t kScale = 10'000;
    switch (kind) {
    case CellKind::Integer: {
        const std::int64_t v = src.intValue(c);
        if (v > std::numeric_limits<std::int64_t>::max() / kScale ||
            v < std::numeric_limits<std::int64_t>::min() / kScale)
            return std::nullopt;
        return v * kScale;
    }
    case CellKind::Real:
        return roundedInteger(src.realValue(c) * double(kScale));
    case CellKind::Text:
        return parseMoney(src.textValue(c));
    default:
        return std::nullopt;
    }
}

std::optional<std::int64_t> sourceMsecs(const RecordSource& src, int c, CellKind kind)
{
    switch (kind) {
    case CellKind::Integer: { // Unix seconds
        const std::int64_t s = src.intValue(c);
        if (s > 1'000'000'000'000 || s < -1'000'000'000'000)
            return std::nullopt;
        return s * 1000;
    }
    case CellKind::Real: // Julian day
        return roundedInteger((src.realValue(c) - kUnixEpochJulianDay) * double(kMsPerDay));
    case CellKind::Text:
        return parseDateTime(src.textValue(c));
    default:
        return std::nullopt;
    }
}

std::optional<std::int64_t> sourceFixed(const ColumnLoad& l, const RecordSource& src, CellKind kind)
{
    switch (l.cls) {
    case ValueClass::Integer: {
        const auto v = sourceInteger(src, l.source, kind);
        return v && integerFits(l.type, *v) ? v : std::nullopt;
    }
    case ValueClass::Boolean:
        if (kind == CellKind::Text) {
            const auto b = parseBoolean(src.textValue(l.source));
            return b ? std::optional<std::int64_t>(*b ? 1 : 0) : std::nullopt;
        }
        if (kind == CellKind::Integer || kind == CellKind::Real)
            return src.realValue(l.source) != 0.0 ? 1 : 0;
        return std::nullopt;
    case ValueClass::Real: {
        std::optional<double> d;
        if (kind == CellKind::Integer)
            d = double(src.intValue(l.source));
        else if (kind == CellKind::Real)
            d = src.realValue(l.source);
        else if (kind == CellKind::Text)
            d = parseReal(src.textValue(l.source));
        return d && std::isfinite(*d) ? std::optional(doubleToSlot(*d)) : std::nullopt;
    }
    case ValueClass::Money:
        return sourceMoney(src, l.source, kind);
    case ValueClass::DateTime:
        return sourceMsecs(src, l.source, kind);
    case ValueClass::Date: {
        const auto ms = sourceMsecs(src, l.source, kind);
        return ms ? std::optional(floorToDay(*ms)) : std::nullopt;
    }
    case ValueClass::Time: {
        const auto ms = kind == CellKind::Text ? parseTime(src.textValue(l.source))
                                               : sourceMsecs(src, l.source, kind);
        return ms ? std::optional(timeOfDay(*ms)) : std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

// Text and bytes; numbers become their decimal text in text fields.
void loadVariable(const ColumnLoad& l, const RecordSource& src, CellKind kind)
{
    char digits[32];
    std::to_chars_result r{};
    switch (kind) {
    case CellKind::Text:
        l.column->pushBytes(src.textValue(l.source));
        return;
    case CellKind::Blob:
        l.column->pushBytes(asChars(src.blobValue(l.source)));
        return;
    case CellKind::Integer:
        r = std::to_chars(digits, digits + sizeof digits, src.intValue(l.source));
        break;
    case CellKind::Real:
        r = std::to_chars(digits, digits + sizeof digits, src.realValue(l.source));
        break;
    case CellKind::Null:
        break;
    }
    if (l.cls == ValueClass::Text && r.ec == std::errc() && r.ptr != nullptr)
        l.column->pushBytes(std::string_view(digits, std::size_t(r.ptr - digits)));
    else
        l.column->pushNull();
}

void loadCell(const ColumnLoad& l, const RecordSource& src)
{
    const CellKind kind = src.cellKind(l.source);
    if (kind == CellKind::Null) {
        l.column->pushNull();
    } else if (isVariableLength(l.cls)) {
        loadVariable(l, src, kind);
    } else if (const auto v = sourceFixed(l, src, kind)) {
        l.column->pushFixed(*v);
    } else {
        l.column->pushNull();
    }
}

void pushCell(Column& column, const CellView& cell)
{
    if (cell.null)
        column.pushNull();
    else if (column.variableLength())
        column.pushBytes(cell.bytes);
    else
        column.pushFixed(cell.fixed);
}

} // namespace

void MemTable::loadStructure(const RecordSource& source)
{
    close();
    m_fields.clear();
    for (int c = 0; c < source.columnCount(); ++c) {
        const FieldDef def = source.column(c);
        if (valueClass(def.type) == ValueClass::None || def.name.trimmed().isEmpty() ||
            fieldIndex(def.name) >= 0)
            continue;
        m_fields.push_back(def);
    }
    rebuildStorage();
    notify(DataChange::Kind::Reset);
}

void MemTable::appendRows(RecordSource& source)
{
    if (!active())
        activate(); // finishLoad() announces the table
    checkBrowseMode();
    std::vector<ColumnLoad> loads;
    std::vector<bool> mapped(m_fields.size(), false);
    for (int c = 0; c < source.columnCount(); ++c) {
        const int f = fieldIndex(source.column(c).name);
        if (f < 0 || mapped[std::size_t(f)])
            continue;
        mapped[std::size_t(f)] = true;
        const FieldDef& def = m_fields[std::size_t(f)];
        loads.push_back({c, valueClass(def.type), def.type, &m_store.column(f)});
    }
    std::vector<Column*> unmapped;
    for (int f = 0; f < fieldCount(); ++f) {
        if (!mapped[std::size_t(f)])
            unmapped.push_back(&m_store.column(f));
    }
    // All or nothing: a list missing its tail would pass for complete.
    const std::uint32_t slotsBefore = m_store.slotCount();
    const std::size_t rowsBefore = m_rows.size();
    try {
        for (; !source.atEnd(); source.next()) {
            for (const ColumnLoad& l : loads)
                loadCell(l, source);
            for (Column* column : unmapped)
                column->pushNull();
            m_rows.push_back(m_store.commitPushedRow());
        }
    } catch (...) {
        m_store.truncateRows(slotsBefore);
        m_rows.resize(rowsBefore);
        finishLoad();
        throw;
    }
    finishLoad();
}

void MemTable::load(RecordSource& source)
{
    loadStructure(source);
    try {
        appendRows(source);
    } catch (...) {
        close();
        throw;
    }
}

void MemTable::copyFrom(const MemTable& other)
{
    if (&other == this)
        return;
    close();
    m_fields = other.m_fields;
    rebuildStorage();
    activate();
    if (other.active()) {
        for (std::uint32_t slot : other.view()) {
            for (int f = 0; f < fieldCount(); ++f)
                pushCell(m_store.column(f), other.m_store.cell(slot, f));
            m_rows.push_back(m_store.commitPushedRow());
        }
    }
    finishLoad();
}

void MemTable::finishLoad()
{
    rebuildView();
    resetCursor();
    notify(DataChange::Kind::Reset);
    scrolled(true);
}

} // namespace cv
