// The in-memory dataset that forms bind their grids to: fields, rows, a
// cursor with bookmarks, a filter, edit/insert/post/delete and a display
// freeze, with the behaviour of a Delphi TDataSet where forms rely on it.
//
// Choices worth knowing:
// - close() releases the rows; the fields stay. open() starts empty.
// - Navigating, inserting or locating while a row is being edited posts the
//   row when it was modified and cancels it otherwise (TDataSet's rule).
// - edit() on an empty table starts an insert, as TDataSet does.
// - An inserted row is not part of recordCount() until it is posted.
// - Currency and BCD values are fixed point (four decimals) inside and
//   double at the QVariant API; FmtBCD is double. Dates come out as QDate,
//   times as QTime, date-times as QDateTime (local, wall clock).
// - Text sizes are informative: longer text is kept whole, not cut.
//
// Not copyable or movable: callbacks and listeners refer to the table. Use
// copyFrom() for a copy of structure and rows.
#pragma once

#include "ColumnStore.h"
#include "FieldType.h"
#include "FieldValue.h"
#include "FilterExpression.h"
#include "RecordSource.h"

#include <QDateTime>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <functional>
#include <vector>

namespace cv {

struct LocateOptions {
    bool caseInsensitive = false;
    bool partialKey = false; // text fields match by prefix
};

class MemTable {
public:
    enum class State { Inactive, Browse, Edit, Insert };

    using LocateOptions = cv::LocateOptions;

    // A row's identity; stays valid while that row exists and the table is
    // neither closed, emptied, reloaded nor restructured.
    class Bookmark {
    public:
        Bookmark() = default;
        bool isNull() const { return m_epoch == 0; }
        friend bool operator==(const Bookmark&, const Bookmark&) = default;

    private:
        friend class MemTable;
        Bookmark(std::uint32_t slot, std::uint32_t epoch) : m_slot(slot), m_epoch(epoch) {}
        std::uint32_t m_slot = 0;
        std::uint32_t m_epoch = 0;
    };

    // What a view over the table needs to hear. Rows are 0-based positions
    // among the visible rows. Reset also covers structure, filter and cursor.
    // A row being inserted shows only as StateChanged/CurrentChanged (row =
    // where it will go) until its post sends RowInserted; assignments during
    // edit() send RowChanged so that a grid can show the edit buffer.
    struct DataChange {
        enum class Kind {
            Reset,
            RowInserted,
            RowRemoved,
            RowChanged,
            CurrentChanged,
            StateChanged
        };
        Kind kind = Kind::Reset;
        int row = -1;
    };
    using ChangeListener = std::function<void(const DataChange&)>;

    using Handler = std::function<void(MemTable&)>;
    // The dataset events forms hook. beforePost may throw to refuse the post;
    // the row then stays in edit or insert state.
    struct Events {
        Handler afterInsert; // after insert() and append(), before afterScroll
        Handler afterScroll; // the current row changed (also after open, load, delete)
        Handler beforePost;
        Handler afterPost;
        Handler afterDelete;
    };

    MemTable() = default;
    MemTable(const MemTable&) = delete;
    MemTable& operator=(const MemTable&) = delete;

    // --- fields (the table must be closed to change them) ---
    void addField(const FieldDef& def);
    void defineFields(const std::vector<FieldDef>& defs);
    void clearFields();
    int fieldCount() const { return int(m_fields.size()); }
    int fieldIndex(const QString& name) const; // -1 when missing, case-insensitive
    int fieldIndexOrThrow(const QString& name) const;
    const FieldDef& fieldDef(int field) const;
    const std::vector<FieldDef>& fieldDefs() const { return m_fields; }
    void setReadOnly(const QString& field, bool readOnly);
    void setVisible(const QString& field, bool visible);
    void makeFieldsWritable();

    // --- lifecycle ---
    void open();
    void close();
    bool active() const { return m_state != State::Inactive; }
    State state() const { return m_state; }
    void emptyTable();

    // --- loading ---
    // Closes the table and rebuilds the fields from the source's columns,
    // skipping columns without a storable type or with a name already taken.
    void loadStructure(const RecordSource& source);
    // Appends every remaining row of the source (opening the table if needed)
    // into the fields of the same name; a cell that does not convert to its
    // field's type becomes null. When the source fails, none of its rows
    // stay and the error propagates. Text is UTF-8; date/time text is
    // "YYYY-MM-DD[ HH:MM[:SS[.zzz]]]"; numeric date/times follow SQLite's
    // conventions (integer: Unix seconds, real: Julian day).
    void appendRows(RecordSource& source);
    // loadStructure + open + appendRows; closed again when reading fails.
    void load(RecordSource& source);
    // Fields of `other` and its visible rows, in order (not its filter).
    void copyFrom(const MemTable& other);

    // --- cursor ---
    int recordCount() const; // visible rows, not counting an unposted insert
    bool isEmpty() const { return recordCount() == 0; }
    int recNo() const; // 1-based; 0 when there is no current row
    bool bof() const { return m_bof; }
    bool eof() const { return m_eof; }
    void first();
    void last();
    void next();
    void prior();
    void moveTo(int recNo); // 1-based
    Bookmark bookmark() const;
    bool bookmarkValid(const Bookmark& bm) const; // the row exists and passes the filter
    void gotoBookmark(const Bookmark& bm);        // throws "Record not found"
    // `fields` separated by ';'; `values` one value, or a QVariantList with one
    // per field. Searches from the first row; moves there when found.
    bool locate(const QString& fields, const QVariant& values, LocateOptions options = {});

    // --- values of the current row ---
    QVariant value(int field) const;
    QVariant value(const QString& field) const { return value(fieldIndexOrThrow(field)); }
    bool isNull(int field) const { return currentCell(field).null; }
    bool isNull(const QString& field) const { return isNull(fieldIndexOrThrow(field)); }
    // TField.AsXxx: null gives 0 / "" / false / invalid; text is converted.
    int asInteger(int field) const;
    qint64 asInt64(int field) const;
    double asFloat(int field) const;
    QString asString(int field) const;
    QDateTime asDateTime(int field) const;
    bool asBoolean(int field) const;
    QByteArray asBytes(int field) const;
    int asInteger(const QString& f) const { return asInteger(fieldIndexOrThrow(f)); }
    qint64 asInt64(const QString& f) const { return asInt64(fieldIndexOrThrow(f)); }
    double asFloat(const QString& f) const { return asFloat(fieldIndexOrThrow(f)); }
    QString asString(const QString& f) const { return asString(fieldIndexOrThrow(f)); }
    QDateTime asDateTime(const QString& f) const { return asDateTime(fieldIndexOrThrow(f)); }
    bool asBoolean(const QString& f) const { return asBoolean(fieldIndexOrThrow(f)); }
    QByteArray asBytes(const QString& f) const { return asBytes(fieldIndexOrThrow(f)); }
    // A visible row by 0-based position, without moving the cursor (for views).
    QVariant valueAt(int row, int field) const;

    // Only in edit or insert state; a null QVariant clears the value.
    void setValue(int field, const QVariant& value);
    void setValue(const QString& field, const QVariant& value)
    {
        setValue(fieldIndexOrThrow(field), value);
    }

    // --- editing ---
    void edit();
    void insert(); // before the current row
    void append(); // after the last row
    void post();
    void cancel();
    void deleteRecord(); // the cursor goes to the next row, or the new last one
    bool modified() const { return m_modified; }

    // --- filter ---
    void setFilter(const QString& expression); // throws on a syntax error
    QString filter() const { return m_filterText; }
    void setFiltered(bool on);
    bool filtered() const { return m_filtered; }

    // --- notifications ---
    Events& events() { return m_events; }
    int addChangeListener(ChangeListener listener); // returns an id for removal
    void removeChangeListener(int id);
    // Nestable; while frozen, change notifications are held back and one
    // Reset follows the last enableControls() if anything changed.
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return m_freeze > 0; }

    // Bytes held by the table's rows and bookkeeping (capacities included).
    std::size_t memoryUsage() const;

private:
    const std::vector<std::uint32_t>& view() const { return m_filtered ? m_visible : m_rows; }
    std::uint32_t currentSlot() const;
    CellView currentCell(int field) const;
    const FieldDef& checkedField(int field) const;
    void checkActive() const;
    void checkBrowseMode();
    void activate();
    void rebuildStorage();
    void dropRows();
    void resetCursor();
    bool passesFilter(std::uint32_t slot) const;
    void rebuildView();
    void bindFilter();
    void applyFilter();
    void finishLoad();
    void loadBuffer(std::uint32_t slot);
    void startInsert(int position);
    void postInsert();
    void postEdit();
    void setPosition(int pos);
    void scrolled(bool force = false);
    void setState(State s);
    void notify(DataChange::Kind kind, int row = -1);
    void fire(const Handler& h);
    int positionOf(std::uint32_t slot) const;

    std::vector<FieldDef> m_fields;
    ColumnStore m_store;
    std::vector<std::uint32_t> m_rows;    // live rows in table order
    std::vector<std::uint32_t> m_visible; // rows passing the filter, when filtered
    std::uint32_t m_epoch = 1;            // bumped when slots are reused

    State m_state = State::Inactive;
    int m_pos = -1; // index into view(), -1 when empty
    bool m_bof = true;
    bool m_eof = true;
    std::uint32_t m_scrolledSlot = ~0u; // the slot afterScroll last reported

    std::vector<CellData> m_buffer; // the row being edited or inserted
    std::vector<bool> m_dirty;      // fields of m_buffer assigned since edit()
    bool m_modified = false;
    int m_insertPos = 0; // view position an inserted row takes
    int m_posBeforeInsert = -1;

    QString m_filterText;
    FilterExpression m_filter;
    bool m_filtered = false;

    Events m_events;
    std::vector<std::pair<int, ChangeListener>> m_listeners;
    int m_nextListenerId = 1;
    int m_freeze = 0;
    bool m_heldBack = false;
};

} // namespace cv
