#include "MemTable.h"

#include "platform/abi/Exception.h"

#include <algorithm>
#include <limits>

namespace cv {
namespace {

constexpr std::uint32_t kNoRow = ~0u;

[[noreturn]] void throwNotEditing()
{
    throw Exception(QStringLiteral("Dataset not in edit or insert mode"));
}

bool matchesKey(const FieldDef& def, const CellView& cell, const CellData& key,
                MemTable::LocateOptions options)
{
    if (key.null || cell.null)
        return key.null && cell.null;
    const ValueClass cls = valueClass(def.type);
    if (cls != ValueClass::Text || (!options.caseInsensitive && !options.partialKey))
        return compareCells(cls, cell, key.view()) == 0;
    const QString text = QString::fromUtf8(cell.bytes.data(), qsizetype(cell.bytes.size()));
    const QString wanted = QString::fromUtf8(key.bytes);
    const auto cs = options.caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive;
    return options.partialKey ? text.startsWith(wanted, cs) : text.compare(wanted, cs) == 0;
}

} // namespace

// ---------------------------------------------------------------- fields

void MemTable::addField(const FieldDef& def)
{
    if (active())
        throw Exception(QStringLiteral("Cannot change the fields of an open table"));
    if (def.name.trimmed().isEmpty())
        throw Exception(QStringLiteral("A field needs a name"));
    if (valueClass(def.type) == ValueClass::None)
        throw Exception(QStringLiteral("Field '%1' has no storable data type").arg(def.name));
    if (fieldIndex(def.name) >= 0)
        throw Exception(QStringLiteral("Duplicate field name '%1'").arg(def.name));
    m_fields.push_back(def);
    rebuildStorage();
}

void MemTable::defineFields(const std::vector<FieldDef>& defs)
{
    clearFields();
    for (const FieldDef& def : defs)
        addField(def);
}

void MemTable::clearFields()
{
    if (active())
        throw Exception(QStringLiteral("Cannot change the fields of an open table"));
    m_fields.clear();
    rebuildStorage();
}

void MemTable::rebuildStorage()
{
    std::vector<bool> variable;
    variable.reserve(m_fields.size());
    for (const FieldDef& f : m_fields)
        variable.push_back(isVariableLength(valueClass(f.type)));
    m_store.reset(variable);
    m_rows.clear();
    m_visible.clear();
    ++m_epoch;
}

int MemTable::fieldIndex(const QString& name) const
{
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

int MemTable::fieldIndexOrThrow(const QString& name) const
{
    const int i = fieldIndex(name);
    if (i < 0)
        throw Exception(QStringLiteral("Field '%1' not found").arg(name));
    return i;
}

const FieldDef& MemTable::fieldDef(int field) const
{
    return checkedField(field);
}

const FieldDef& MemTable::checkedField(int field) const
{
    if (field < 0 || field >= fieldCount())
        throw Exception(QStringLiteral("Field index %1 out of range").arg(field));
    return m_fields[std::size_t(field)];
}

void MemTable::setReadOnly(const QString& field, bool readOnly)
{
    m_fields[std::size_t(fieldIndexOrThrow(field))].readOnly = readOnly;
}

void MemTable::setVisible(const QString& field, bool visible)
{
    m_fields[std::size_t(fieldIndexOrThrow(field))].visible = visible;
    notify(DataChange::Kind::Reset);
}

void MemTable::makeFieldsWritable()
{
    for (FieldDef& f : m_fields)
        f.readOnly = false;
}

// ---------------------------------------------------------------- lifecycle

void MemTable::checkActive() const
{
    if (!active())
        throw Exception(QStringLiteral("Cannot perform this operation on a closed dataset"));
}

void MemTable::open()
{
    if (active())
        return;
    activate();
    notify(DataChange::Kind::Reset);
    scrolled(true);
}

void MemTable::activate()
{
    if (m_filtered) {
        try {
            bindFilter();
        } catch (...) {
            m_filtered = false;
            throw;
        }
    }
    setState(State::Browse);
    resetCursor();
}

void MemTable::close()
{
    if (!active())
        return;
    dropRows();
    setState(State::Inactive);
    resetCursor();
    notify(DataChange::Kind::Reset);
}

void MemTable::emptyTable()
{
    checkActive();
    dropRows();
    setState(State::Browse);
    resetCursor();
    notify(DataChange::Kind::Reset);
    scrolled(true);
}

void MemTable::dropRows()
{
    m_store.clearRows();
    m_rows = {};
    m_visible = {};
    m_buffer.clear();
    m_modified = false;
    ++m_epoch;
}

void MemTable::resetCursor()
{
    const bool empty = view().empty() || !active();
    m_pos = empty ? -1 : 0;
    m_bof = true;
    m_eof = empty;
}

// ---------------------------------------------------------------- cursor

int MemTable::recordCount() const
{
    return active() ? int(view().size()) : 0;
}

int MemTable::recNo() const
{
    if (m_state == State::Insert)
        return m_insertPos + 1;
    return active() ? m_pos + 1 : 0;
}

std::uint32_t MemTable::currentSlot() const
{
    if (m_state == State::Insert || m_pos < 0)
        return kNoRow;
    return view()[std::size_t(m_pos)];
}

void MemTable::checkBrowseMode()
{
    if (m_state != State::Edit && m_state != State::Insert)
        return;
    if (m_modified)
        post();
    else
        cancel();
}

void MemTable::setPosition(int pos)
{
    m_pos = pos;
    m_bof = false;
    m_eof = false;
}

void MemTable::first()
{
    checkActive();
    checkBrowseMode();
    resetCursor();
    scrolled();
}

void MemTable::last()
{
    checkActive();
    checkBrowseMode();
    const int n = recordCount();
    m_pos = n - 1;
    m_bof = n == 0;
    m_eof = true;
    scrolled();
}

void MemTable::next()
{
    checkActive();
    checkBrowseMode();
    if (m_pos + 1 < recordCount())
        setPosition(m_pos + 1);
    else
        m_eof = true;
    scrolled();
}

void MemTable::prior()
{
    checkActive();
    checkBrowseMode();
    if (m_pos > 0)
        setPosition(m_pos - 1);
    else
        m_bof = true;
    scrolled();
}

void MemTable::moveTo(int recNo)
{
    checkActive();
    checkBrowseMode();
    if (recNo < 1 || recNo > recordCount())
        throw Exception(
            QStringLiteral("Record number %1 out of range 1..%2").arg(recNo).arg(recordCount()));
    setPosition(recNo - 1);
    scrolled();
}

MemTable::Bookmark MemTable::bookmark() const
{
    const std::uint32_t slot = currentSlot();
    return slot == kNoRow ? Bookmark() : Bookmark(slot, m_epoch);
}

int MemTable::positionOf(std::uint32_t slot) const
{
    const auto& rows = view();
    const auto it = std::find(rows.begin(), rows.end(), slot);
    return it == rows.end() ? -1 : int(it - rows.begin());
}

bool MemTable::bookmarkValid(const Bookmark& bm) const
{
    return active() && !bm.isNull() && bm.m_epoch == m_epoch && positionOf(bm.m_slot) >= 0;
}

void MemTable::gotoBookmark(const Bookmark& bm)
{
    checkActive();
    checkBrowseMode();
    if (!bookmarkValid(bm))
        throw Exception(QStringLiteral("Record not found"));
    setPosition(positionOf(bm.m_slot));
    scrolled();
}

bool MemTable::locate(const QString& fields, const QVariant& values, LocateOptions options)
{
    checkActive();
    checkBrowseMode();
    const QStringList names = fields.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    QVariantList list;
    if (names.size() == 1 && values.typeId() != QMetaType::QVariantList)
        list = {values};
    else
        list = values.toList();
    if (names.isEmpty() || list.size() != names.size())
        throw Exception(QStringLiteral("Locate needs one value per field (%1 fields, %2 values)")
                            .arg(names.size())
                            .arg(list.size()));
    std::vector<int> idx;
    std::vector<CellData> keys;
    for (qsizetype i = 0; i < names.size(); ++i) {
        idx.push_back(fieldIndexOrThrow(names[i].trimmed()));
        keys.push_back(encodeValue(m_fields[std::size_t(idx.back())], list[i]));
    }
    const auto& rows = view();
    for (std::size_t r = 0; r < rows.size(); ++r) {
        bool all = true;
        for (std::size_t k = 0; k < idx.size() && all; ++k)
            all = matchesKey(m_fields[std::size_t(idx[k])], m_store.cell(rows[r], idx[k]), keys[k],
                             options);
        if (all) {
            setPosition(int(r));
            scrolled();
            return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------- values

CellView MemTable::currentCell(int field) const
{
    checkedField(field);
    checkActive();
    if (m_state == State::Edit || m_state == State::Insert)
        return m_buffer[std::size_t(field)].view();
    if (m_pos < 0)
        return {};
    return m_store.cell(view()[std::size_t(m_pos)], field);
}

QVariant MemTable::value(int field) const
{
    return cellToVariant(checkedField(field).type, currentCell(field));
}

int MemTable::asInteger(int field) const
{
    const qint64 v = asInt64(field);
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        throw Exception(QStringLiteral("Value %1 of field '%2' is out of the integer range")
                            .arg(v)
                            .arg(m_fields[std::size_t(field)].name));
    return int(v);
}

qint64 MemTable::asInt64(int field) const
{
    return cellToInt64(checkedField(field), currentCell(field));
}

double MemTable::asFloat(int field) const
{
    return cellToDouble(checkedField(field), currentCell(field));
}

QString MemTable::asString(int field) const
{
    return cellToString(checkedField(field).type, currentCell(field));
}

QDateTime MemTable::asDateTime(int field) const
{
    return cellToDateTime(checkedField(field), currentCell(field));
}

bool MemTable::asBoolean(int field) const
{
    return cellToBoolean(checkedField(field), currentCell(field));
}

QByteArray MemTable::asBytes(int field) const
{
    return cellToBytes(checkedField(field).type, currentCell(field));
}

QVariant MemTable::valueAt(int row, int field) const
{
    const FieldDef& def = checkedField(field);
    checkActive();
    if (row < 0 || row >= recordCount())
        throw Exception(QStringLiteral("Row %1 out of range").arg(row));
    if (m_state == State::Edit && row == m_pos)
        return cellToVariant(def.type, m_buffer[std::size_t(field)].view());
    return cellToVariant(def.type, m_store.cell(view()[std::size_t(row)], field));
}

void MemTable::setValue(int field, const QVariant& value)
{
    const FieldDef& def = checkedField(field);
    if (def.readOnly)
        throw Exception(QStringLiteral("Field '%1' cannot be modified").arg(def.name));
    if (m_state != State::Edit && m_state != State::Insert)
        throwNotEditing();
    m_buffer[std::size_t(field)] = encodeValue(def, value);
    m_dirty[std::size_t(field)] = true;
    m_modified = true;
    if (m_state == State::Edit)
        notify(DataChange::Kind::RowChanged, m_pos);
}

// ---------------------------------------------------------------- editing

void MemTable::loadBuffer(std::uint32_t slot)
{
    m_buffer.assign(m_fields.size(), CellData{});
    m_dirty.assign(m_fields.size(), false);
    if (slot == kNoRow)
        return;
    for (int f = 0; f < fieldCount(); ++f) {
        const CellView c = m_store.cell(slot, f);
        CellData& d = m_buffer[std::size_t(f)];
        d.null = c.null;
        d.fixed = c.fixed;
        d.bytes = QByteArray(c.bytes.data(), qsizetype(c.bytes.size()));
    }
}

void MemTable::edit()
{
    checkActive();
    if (m_state == State::Edit || m_state == State::Insert)
        return;
    if (m_pos < 0) {
        insert();
        return;
    }
    loadBuffer(currentSlot());
    m_modified = false;
    setState(State::Edit);
}

void MemTable::insert()
{
    checkActive();
    checkBrowseMode();
    startInsert(std::max(m_pos, 0));
}

void MemTable::append()
{
    checkActive();
    checkBrowseMode();
    startInsert(recordCount());
}

void MemTable::startInsert(int position)
{
    loadBuffer(kNoRow);
    m_modified = false;
    m_posBeforeInsert = m_pos;
    m_insertPos = position;
    m_bof = false;
    m_eof = false;
    setState(State::Insert);
    fire(m_events.afterInsert);
    scrolled(true);
}

void MemTable::post()
{
    checkActive();
    if (m_state != State::Edit && m_state != State::Insert)
        return;
    fire(m_events.beforePost);
    if (m_state == State::Insert)
        postInsert();
    else
        postEdit();
    m_buffer.clear();
    m_modified = false;
    setState(State::Browse);
    fire(m_events.afterPost);
    scrolled();
}

void MemTable::postInsert()
{
    const std::uint32_t slot = m_store.appendRow(m_buffer);
    const auto& shown = view();
    const auto before = m_insertPos < int(shown.size()) ? std::find(m_rows.begin(), m_rows.end(),
                                                                    shown[std::size_t(m_insertPos)])
                                                        : m_rows.end();
    m_rows.insert(before, slot);
    if (m_filtered && !passesFilter(slot)) {
        // Hidden by the filter: stay on the row that follows it, if any.
        m_pos = std::min(m_insertPos, recordCount() - 1);
        return;
    }
    if (m_filtered)
        m_visible.insert(m_visible.begin() + m_insertPos, slot);
    m_pos = m_insertPos;
    m_scrolledSlot = slot; // the cursor stays on the row it inserted
    notify(DataChange::Kind::RowInserted, m_pos);
}

void MemTable::postEdit()
{
    const std::uint32_t slot = view()[std::size_t(m_pos)];
    for (int f = 0; f < fieldCount(); ++f) {
        if (m_dirty[std::size_t(f)])
            m_store.column(f).set(slot, m_buffer[std::size_t(f)].view());
    }
    if (m_filtered && !passesFilter(slot)) {
        m_visible.erase(m_visible.begin() + m_pos);
        notify(DataChange::Kind::RowRemoved, m_pos);
        m_pos = std::min(m_pos, recordCount() - 1);
        return;
    }
    notify(DataChange::Kind::RowChanged, m_pos);
}

void MemTable::cancel()
{
    if (m_state != State::Edit && m_state != State::Insert)
        return;
    const bool inserting = m_state == State::Insert;
    m_buffer.clear();
    m_modified = false;
    setState(State::Browse);
    if (inserting) {
        m_pos = std::min(m_posBeforeInsert, recordCount() - 1);
        scrolled();
    } else {
        notify(DataChange::Kind::RowChanged, m_pos);
    }
}

void MemTable::deleteRecord()
{
    checkActive();
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    cancel();
    if (m_pos < 0)
        throw Exception(QStringLiteral("Cannot perform this operation on an empty dataset"));
    const std::uint32_t slot = view()[std::size_t(m_pos)];
    m_rows.erase(std::find(m_rows.begin(), m_rows.end(), slot));
    if (m_filtered)
        m_visible.erase(m_visible.begin() + m_pos);
    m_store.releaseRow(slot);
    notify(DataChange::Kind::RowRemoved, m_pos);
    m_pos = std::min(m_pos, recordCount() - 1);
    m_bof = m_pos < 0;
    m_eof = m_pos < 0;
    fire(m_events.afterDelete);
    scrolled();
}

// ---------------------------------------------------------------- filter

bool MemTable::passesFilter(std::uint32_t slot) const
{
    return m_filter.matches([&](int field) { return m_store.cell(slot, field); });
}

void MemTable::bindFilter()
{
    m_filter.bind(m_fields);
}

void MemTable::rebuildView()
{
    m_visible.clear();
    if (!m_filtered) {
        m_visible.shrink_to_fit();
        return;
    }
    for (std::uint32_t slot : m_rows) {
        if (passesFilter(slot))
            m_visible.push_back(slot);
    }
}

void MemTable::applyFilter()
{
    if (!active())
        return;
    try {
        if (m_filtered)
            bindFilter();
    } catch (...) {
        m_filtered = false;
        applyFilter();
        throw;
    }
    rebuildView();
    resetCursor();
    notify(DataChange::Kind::Reset);
    scrolled();
}

void MemTable::setFilter(const QString& expression)
{
    FilterExpression parsed = FilterExpression::parse(expression);
    if (active())
        checkBrowseMode();
    m_filter = std::move(parsed);
    m_filterText = expression;
    if (m_filtered)
        applyFilter();
}

void MemTable::setFiltered(bool on)
{
    if (on == m_filtered)
        return;
    if (active())
        checkBrowseMode();
    m_filtered = on;
    applyFilter();
}

// ---------------------------------------------------------------- notifications

void MemTable::scrolled(bool force)
{
    const std::uint32_t slot = currentSlot();
    if (!force && slot == m_scrolledSlot)
        return;
    m_scrolledSlot = slot;
    notify(DataChange::Kind::CurrentChanged, m_state == State::Insert ? m_insertPos : m_pos);
    fire(m_events.afterScroll);
}

void MemTable::setState(State s)
{
    if (s == m_state)
        return;
    m_state = s;
    notify(DataChange::Kind::StateChanged, m_pos);
}

void MemTable::fire(const Handler& h)
{
    if (h)
        h(*this);
}

void MemTable::notify(DataChange::Kind kind, int row)
{
    if (m_freeze > 0) {
        m_heldBack = true;
        return;
    }
    const auto listeners = m_listeners; // a listener may remove itself
    for (const auto& [id, listener] : listeners)
        listener(DataChange{kind, row});
}

int MemTable::addChangeListener(ChangeListener listener)
{
    m_listeners.emplace_back(m_nextListenerId, std::move(listener));
    return m_nextListenerId++;
}

void MemTable::removeChangeListener(int id)
{
    std::erase_if(m_listeners, [id](const auto& entry) { return entry.first == id; });
}

void MemTable::disableControls()
{
    ++m_freeze;
}

void MemTable::enableControls()
{
    if (m_freeze == 0)
        throw Exception(QStringLiteral("enableControls() without disableControls()"));
    if (--m_freeze == 0 && m_heldBack) {
        m_heldBack = false;
        notify(DataChange::Kind::Reset);
    }
}

std::size_t MemTable::memoryUsage() const
{
    std::size_t total = sizeof(*this) + m_store.memoryUsage() +
                        (m_rows.capacity() + m_visible.capacity()) * sizeof(std::uint32_t) +
                        m_fields.capacity() * sizeof(FieldDef);
    for (const FieldDef& f : m_fields)
        total += std::size_t(f.name.capacity()) * sizeof(QChar);
    for (const CellData& c : m_buffer)
        total += sizeof(CellData) + std::size_t(c.bytes.capacity());
    return total;
}

} // namespace cv
