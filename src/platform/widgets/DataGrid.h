// A data-aware grid over a MemTable, in the manner of a grid table view: the
// form adds named columns (caption, field, width, editing switch, editor
// kind), binds a table, and hears about focused-record changes, clicks, key
// presses, editor buttons and edited values. The grid's current row and the
// table's cursor follow each other; edits put the table into edit state and
// post when the row is left. Errors of the table while the user edits come
// out as dataError() instead of escaping into Qt's event loop.
//
// The bound table (and the tables of lookup columns) must outlive the grid.
#pragma once

#include "GridColumn.h"
#include "GridStyles.h"
#include "MemTableModel.h"

#include <QMap>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QTableView>

#include <vector>

namespace cv::widgets {

class HeaderGlyph;

class DataGrid : public QTableView {
    Q_OBJECT
public:
    explicit DataGrid(QWidget* parent = nullptr);
    ~DataGrid() override;

    void setTable(MemTable& table);
    MemTable* table() const { return m_model ? &m_model->table() : nullptr; }
    MemTableModel* dataModel() const { return m_model; }

    // `name` becomes the column's objectName.
    GridColumn* addColumn(const QString& name, const QString& caption, const QString& field);
    int columnCount() const { return int(m_columns.size()); }
    GridColumn* column(int index) const;
    GridColumn* column(const QString& name) const;
    GridColumn* columnByCaption(const QString& caption) const;

    const GridStyles& styles() const { return m_styles; }
    void setStyles(const GridStyles& styles);

    // A glyph drawn at the left of a column's header; `checked` is what
    // assistive technology reports for it.
    void setHeaderGlyph(int column, const QIcon& icon, bool checked);
    HeaderGlyph* headerGlyph(int column) const { return m_glyphs.value(column); }
    // In the header's viewport coordinates, as columnHeaderClicked reports them.
    QRect headerGlyphRect(int column) const;
    bool hitHeaderGlyph(int column, const QPoint& pos) const;

    // Down on the last row appends a record and Insert inserts one.
    void setAppendAllowed(bool on) { m_appendAllowed = on; }
    bool appendAllowed() const { return m_appendAllowed; }

    // The text in the open cell editor, or the focused cell's text.
    QString editorText() const;
    bool post();

    // For the column delegates.
    void noteEditor(QWidget* editor) { m_editor = editor; }
    void clickEditorButton(int column);

signals:
    void focusedRecordChanged(int row);
    void cellClicked(int row, int column, Qt::MouseButton button);
    void cellDoubleClicked(int row, int column);
    void keyPressed(int key, Qt::KeyboardModifiers modifiers);
    void buttonClicked(int column);
    void editValueChanged(int column, const QVariant& value);
    void columnHeaderClicked(int column, const QPoint& pos);
    void dataError(const QString& message);

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void updateGeometries() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ModelColumn specOf(const GridColumn& column) const;
    std::vector<ModelColumn> specs() const;
    void applyColumn(GridColumn& column);
    void applyLayout(const GridColumn& column);
    void installDelegate(GridColumn& column);
    void connectModel();
    void followCursor(int row);
    void showRow(int row);
    int firstVisibleColumn() const;
    void cellEdited(const QModelIndex& index, const QVariant& value);
    void updateSpans();
    void placeGlyphs();
    bool appendByKey(const QKeyEvent* event);

    MemTableModel* m_model = nullptr;
    std::vector<GridColumn*> m_columns;
    GridStyles m_styles;
    QMap<int, HeaderGlyph*> m_glyphs;
    QPointer<QWidget> m_editor;
    QPersistentModelIndex m_pressed;
    bool m_appendAllowed = false;
    bool m_pulling = false; // the view follows the table
    bool m_pushing = false; // the table follows the view
};

} // namespace cv::widgets
