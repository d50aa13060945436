// The painter and editor of one grid column. This base paints cells with the
// grid's styles and edits plain text; the other editor kinds derive from it.
#pragma once

#include <QStyledItemDelegate>

namespace cv::widgets {

class DataGrid;
class GridColumn;

class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    GridDelegate(DataGrid& grid, GridColumn& column);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const final;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

protected:
    virtual QWidget* makeEditor(QWidget* parent) const;
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
    DataGrid& grid() const { return m_grid; }
    GridColumn& column() const { return m_column; }

private:
    DataGrid& m_grid;
    GridColumn& m_column;
};

} // namespace cv::widgets
