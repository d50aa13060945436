#include "MemTableModel.h"

#include "platform/abi/Exception.h"
#include "platform/memtable/FieldValue.h"

#include <algorithm>

namespace cv::widgets {

using Kind = MemTable::DataChange::Kind;

namespace {
constexpr int kGoneRow = -2; // a removed row while its removal is announced
}

MemTableModel::MemTableModel(MemTable& table, QObject* parent)
    : QAbstractTableModel(parent), m_table(table)
{
    m_listener = m_table.addChangeListener([this](const auto& change) { onTableChange(change); });
    resetFromTable();
}

MemTableModel::~MemTableModel()
{
    m_table.removeChangeListener(m_listener);
}

// ---------------------------------------------------------------- columns

void MemTableModel::setColumns(std::vector<ModelColumn> columns)
{
    beginResetModel();
    m_columns = std::move(columns);
    m_fields.clear();
    for (const ModelColumn& c : m_columns)
        m_fields.push_back(m_table.fieldIndex(c.field));
    endResetModel();
}

void MemTableModel::setColumnsFromFields()
{
    std::vector<ModelColumn> columns;
    for (const FieldDef& def : m_table.fieldDefs()) {
        if (def.visible)
            columns.push_back(ModelColumn::of(def.name, def.name));
    }
    setColumns(std::move(columns));
}

const ModelColumn& MemTableModel::column(int column) const
{
    if (column < 0 || column >= columnCount())
        throw Exception(QStringLiteral("Column %1 out of range").arg(column));
    return m_columns[std::size_t(column)];
}

void MemTableModel::setColumn(int column, ModelColumn definition)
{
    this->column(column); // range check
    m_columns[std::size_t(column)] = std::move(definition);
    m_fields[std::size_t(column)] = m_table.fieldIndex(m_columns[std::size_t(column)].field);
    emit headerDataChanged(Qt::Horizontal, column, column);
    refreshColumn(column);
}

int MemTableModel::columnOfField(const QString& field) const
{
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        if (m_columns[i].field.compare(field, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

void MemTableModel::refreshColumn(int column)
{
    if (rowCount() > 0)
        emit dataChanged(index(0, column), index(rowCount() - 1, column));
}

// ---------------------------------------------------------------- reading

int MemTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows + (m_insertRow >= 0 ? 1 : 0);
}

int MemTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

int MemTableModel::fieldOf(int column) const
{
    const int field = m_fields[std::size_t(column)];
    return field < m_table.fieldCount() ? field : -1;
}

int MemTableModel::toModelRow(int tableRow) const
{
    return m_insertRow >= 0 && tableRow >= m_insertRow ? tableRow + 1 : tableRow;
}

int MemTableModel::toTableRow(int modelRow) const
{
    int row = modelRow;
    if (m_insertRow >= 0 && modelRow >= m_insertRow)
        row = modelRow == m_insertRow ? -1 : modelRow - 1;
    if (m_shiftRow < 0 || row < m_shiftRow)
        return row;
    if (m_shift > 0) // being removed
        return row == m_shiftRow ? kGoneRow : row - 1;
    return row + 1; // being inserted
}

QVariant MemTableModel::storedValue(int row, int field) const
{
    // While the table's display is frozen it may hold other rows than the ones
    // announced; those read as empty until the reset that ends the freeze.
    if (field < 0 || !m_table.active())
        return {};
    try {
        const int tableRow = toTableRow(row);
        if (tableRow == kGoneRow)
            return {};
        if (tableRow < 0)
            return m_table.state() == MemTable::State::Insert ? m_table.value(field) : QVariant();
        if (tableRow >= m_table.recordCount())
            return {};
        return m_table.valueAt(tableRow, field);
    } catch (const Exception&) {
        return {};
    }
}

QVariant MemTableModel::value(const QModelIndex& index) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    return storedValue(index.row(), fieldOf(index.column()));
}

QString MemTableModel::formatValue(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case QMetaType::QTime:
        return value.toTime().toString(QStringLiteral("HH:mm:ss"));
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(value.toDouble(), 'g', 15);
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::QByteArray:
        return {};
    default:
        return value.toString();
    }
}

static bool sameValue(const QVariant& a, const QVariant& b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    return MemTableModel::formatValue(a) == MemTableModel::formatValue(b);
}

QVariant MemTableModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const ModelColumn& c = m_columns[std::size_t(index.column())];
    const QVariant v = value(index);
    switch (role) {
    case Qt::DisplayRole:
        return c.displayText ? c.displayText(v) : formatValue(v);
    case Qt::EditRole:
        return v;
    case Qt::CheckStateRole:
        if (!c.check)
            return {};
        return int(!v.isNull() && sameValue(v, c.check->checked) ? Qt::Checked : Qt::Unchecked);
    case Qt::DecorationRole: {
        const QIcon icon = c.decoration ? c.decoration(v) : QIcon();
        return icon.isNull() ? QVariant() : QVariant(icon);
    }
    default:
        return {};
    }
}

QVariant MemTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical)
        return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
    if (section < 0 || section >= columnCount())
        return {};
    const ModelColumn& c = m_columns[std::size_t(section)];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return c.caption;
    case Qt::TextAlignmentRole:
        return static_cast<int>(c.headerAlignment);
    case Qt::DecorationRole:
        return c.headerIcon.isNull() ? QVariant() : QVariant(c.headerIcon);
    default:
        return {};
    }
}

Qt::ItemFlags MemTableModel::flags(const QModelIndex& index) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return Qt::NoItemFlags;
    const Qt::ItemFlags base = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const ModelColumn& c = m_columns[std::size_t(index.column())];
    const int field = fieldOf(index.column());
    if (!c.editable || field < 0 || !m_table.active() || m_table.fieldDef(field).readOnly)
        return base;
    return base | (c.check ? Qt::ItemIsUserCheckable : Qt::ItemIsEditable);
}

// ---------------------------------------------------------------- cursor and editing

int MemTableModel::currentRow() const
{
    if (!m_table.active())
        return -1;
    if (m_insertRow >= 0 && m_table.state() == MemTable::State::Insert)
        return m_insertRow;
    const int row = m_table.recNo() - 1;
    return row >= 0 && row < m_rows ? toModelRow(row) : -1;
}

bool MemTableModel::guarded(const std::function<void()>& action)
{
    try {
        action();
        return true;
    } catch (const std::exception& e) {
        const auto* own = dynamic_cast<const Exception*>(&e);
        emit editError(own ? own->message() : QString::fromUtf8(e.what()));
    }
    emit currentRowChanged(currentRow()); // let the view follow where the cursor stayed
    return false;
}

// Posts or drops the row being edited, as leaving it does, and keeps
// targetRow pointing at the same record when rows shift.
void MemTableModel::finishPendingRow(int& targetRow)
{
    const MemTable::State state = m_table.state();
    if (state != MemTable::State::Edit && state != MemTable::State::Insert)
        return;
    const int before = rowCount();
    const int leaving = currentRow();
    if (m_table.modified())
        m_table.post();
    else
        m_table.cancel();
    if (rowCount() < before && targetRow > leaving)
        --targetRow;
    targetRow = std::min(targetRow, rowCount() - 1);
}

bool MemTableModel::setCurrentRow(int row)
{
    if (row < 0 || row >= rowCount())
        return false;
    if (row == currentRow())
        return true;
    return guarded([&] {
        finishPendingRow(row);
        if (row >= 0 && row != currentRow())
            m_table.moveTo(toTableRow(row) + 1);
    });
}

bool MemTableModel::beginEdit(int row)
{
    if (!setCurrentRow(row))
        return false;
    return guarded([&] {
        if (m_table.state() == MemTable::State::Browse)
            m_table.edit();
    });
}

bool MemTableModel::post()
{
    return guarded([&] { m_table.post(); });
}

bool MemTableModel::appendRecord()
{
    return guarded([&] { m_table.append(); });
}

bool MemTableModel::insertRecord()
{
    return guarded([&] { m_table.insert(); });
}

bool MemTableModel::acceptsEdit(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return false;
    if (role == Qt::CheckStateRole)
        return flags(index).testFlag(Qt::ItemIsUserCheckable);
    return role == Qt::EditRole &&
           (flags(index) & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable)) != 0;
}

QVariant MemTableModel::incomingValue(const ModelColumn& column, const QVariant& value,
                                      int role) const
{
    if (role != Qt::CheckStateRole)
        return value;
    const bool ticked = value.toInt() == Qt::Checked;
    return ticked ? column.check->checked : column.check->unchecked;
}

bool MemTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!acceptsEdit(index, role))
        return false;
    const ModelColumn& c = m_columns[std::size_t(index.column())];
    return writeCell(index, incomingValue(c, value, role));
}

bool MemTableModel::writeCell(const QModelIndex& index, const QVariant& value)
{
    int row = index.row();
    const int field = fieldOf(index.column());
    QVariant stored;
    bool changed = false;
    const bool ok = guarded([&] {
        const FieldDef& def = m_table.fieldDef(field);
        stored = cellToVariant(def.type, encodeValue(def, value).view());
        if (row != currentRow()) {
            finishPendingRow(row);
            m_table.moveTo(toTableRow(row) + 1);
        }
        if (sameValue(storedValue(row, field), stored))
            return;
        if (m_table.state() == MemTable::State::Browse)
            m_table.edit();
        m_table.setValue(field, stored);
        changed = true;
    });
    if (changed) {
        emitRowChanged(row); // the table is silent about assignments to a new row
        emit cellEdited(this->index(row, index.column()), stored);
    }
    return ok;
}

// ---------------------------------------------------------------- table notifications

void MemTableModel::onTableChange(const MemTable::DataChange& change)
{
    switch (change.kind) {
    case Kind::Reset:
        resetFromTable();
        break;
    case Kind::RowInserted:
        tableRowInserted(change.row);
        break;
    case Kind::RowRemoved:
        tableRowRemoved(change.row);
        break;
    case Kind::RowChanged:
        tableRowChanged(change.row);
        break;
    case Kind::StateChanged:
        tableStateChanged();
        break;
    case Kind::CurrentChanged:
        if (m_insertRow >= 0)
            emitRowChanged(m_insertRow); // defaults set after the insert
        emit currentRowChanged(currentRow());
        break;
    }
}

void MemTableModel::resetFromTable()
{
    beginResetModel();
    for (std::size_t i = 0; i < m_columns.size(); ++i)
        m_fields[i] = m_table.fieldIndex(m_columns[i].field);
    m_rows = m_table.recordCount();
    m_insertRow = m_table.state() == MemTable::State::Insert ? m_table.recNo() - 1 : -1;
    endResetModel();
    emit currentRowChanged(currentRow());
}

void MemTableModel::tableRowInserted(int row)
{
    if (m_insertRow == row) {
        // The posted record takes the place of the row that showed it.
        m_insertRow = -1;
        ++m_rows;
        emitRowChanged(row);
        return;
    }
    if (m_insertRow >= 0) {
        beginRemoveRows({}, m_insertRow, m_insertRow);
        m_insertRow = -1;
        endRemoveRows();
    }
    m_shiftRow = row;
    m_shift = -1; // hide the new row until it is announced
    beginInsertRows({}, row, row);
    ++m_rows;
    m_shiftRow = -1;
    endInsertRows();
}

void MemTableModel::tableRowRemoved(int row)
{
    const int modelRow = toModelRow(row);
    m_shiftRow = row;
    m_shift = 1; // the row is gone already; those after it moved up
    beginRemoveRows({}, modelRow, modelRow);
    --m_rows;
    m_shiftRow = -1;
    endRemoveRows();
}

void MemTableModel::tableRowChanged(int row)
{
    emitRowChanged(toModelRow(row));
}

void MemTableModel::tableStateChanged()
{
    const bool inserting = m_table.state() == MemTable::State::Insert;
    if (inserting && m_insertRow < 0) {
        const int row = std::clamp(m_table.recNo() - 1, 0, m_rows);
        beginInsertRows({}, row, row);
        m_insertRow = row;
        endInsertRows();
    } else if (!inserting && m_insertRow >= 0) {
        // Cancelled, or posted out of the filter's sight.
        beginRemoveRows({}, m_insertRow, m_insertRow);
        m_insertRow = -1;
        endRemoveRows();
    }
}

void MemTableModel::emitRowChanged(int row)
{
    if (row >= 0 && row < rowCount() && columnCount() > 0)
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

} // namespace cv::widgets
