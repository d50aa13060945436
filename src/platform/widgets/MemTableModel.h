// A table model over a MemTable: one row per visible record, the columns a
// view chooses. It behaves like a data-aware grid's data controller: it
// follows the table's change notifications with precise signals, shows a row
// being inserted in place, and edits through setData() put the table into
// edit state on that row; the row is posted when the cursor leaves it or on
// post(). Errors of the table never escape into Qt's event handling: they come
// out as editError() and the call answers false.
//
// The table must outlive the model.
#pragma once

#include "platform/memtable/MemTable.h"

#include <QAbstractTableModel>
#include <QIcon>

#include <functional>
#include <optional>
#include <vector>

namespace cv::widgets {

// The stored values a check-box column writes for ticked and cleared.
struct CheckValues {
    QVariant checked;
    QVariant unchecked;
};

struct ModelColumn {
    QString field;
    QString caption;
    bool editable = true;
    Qt::Alignment headerAlignment = Qt::AlignCenter;
    std::optional<CheckValues> check;
    // Text and icon for a stored value; the default formatting when empty.
    std::function<QString(const QVariant&)> displayText;
    std::function<QIcon(const QVariant&)> decoration;
    QIcon headerIcon;

    static ModelColumn of(const QString& field, const QString& caption)
    {
        ModelColumn c;
        c.field = field;
        c.caption = caption;
        return c;
    }
};

class MemTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit MemTableModel(MemTable& table, QObject* parent = nullptr);
    ~MemTableModel() override;

    MemTable& table() const { return m_table; }

    void setColumns(std::vector<ModelColumn> columns);
    // One column per visible field, captioned with the field name.
    void setColumnsFromFields();
    const ModelColumn& column(int column) const;
    void setColumn(int column, ModelColumn definition);
    int columnOfField(const QString& field) const; // first match, -1 when none

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // The stored value of a cell (null QVariant for null).
    QVariant value(const QModelIndex& index) const;
    // Model row of the table's cursor, -1 when there is none.
    int currentRow() const;
    // Moves the cursor; a pending edit is posted (or dropped when unmodified).
    bool setCurrentRow(int row);
    // Puts the cursor's row into edit state, as a grid does when a cell
    // editor starts changing it.
    bool beginEdit(int row);
    bool post();
    // Start a new record after the last one / before the cursor's row.
    bool appendRecord();
    bool insertRecord();
    // The row shown for a record being inserted, -1 when none.
    int provisionalRow() const { return m_insertRow; }

    // Repaints one column, e.g. when a lookup list it shows from changed.
    void refreshColumn(int column);

    // How a value shows without a column formatter: dates as yyyy-MM-dd,
    // date-times as yyyy-MM-dd HH:mm:ss, numbers without grouping.
    static QString formatValue(const QVariant& value);

signals:
    void currentRowChanged(int row);
    // A user edit through setData() changed the stored value.
    void cellEdited(const QModelIndex& index, const QVariant& value);
    void editError(const QString& message);

private:
    void onTableChange(const MemTable::DataChange& change);
    void resetFromTable();
    void tableRowInserted(int row);
    void tableRowRemoved(int row);
    void tableRowChanged(int row);
    void tableStateChanged();
    void emitRowChanged(int row);
    int toModelRow(int tableRow) const;
    int toTableRow(int modelRow) const; // -1 for the row being inserted
    int fieldOf(int column) const;
    QVariant storedValue(int row, int field) const;
    bool acceptsEdit(const QModelIndex& index, int role) const;
    QVariant incomingValue(const ModelColumn& column, const QVariant& value, int role) const;
    bool writeCell(const QModelIndex& index, const QVariant& value);
    void finishPendingRow(int& targetRow);
    bool guarded(const std::function<void()>& action);

    MemTable& m_table;
    int m_listener = 0;
    std::vector<ModelColumn> m_columns;
    std::vector<int> m_fields; // table field per column, -1 when missing
    int m_rows = 0;            // the table's record count as last announced
    int m_insertRow = -1;
    // The table tells of an inserted or removed row after the fact; while the
    // model announces it, rows from m_shiftRow on are read m_shift rows off.
    int m_shiftRow = -1;
    int m_shift = 0;
};

} // namespace cv::widgets
