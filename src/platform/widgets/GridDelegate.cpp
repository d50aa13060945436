#include "GridDelegate.h"

#include "DataGrid.h"
#include "GridColumn.h"

#include <QLineEdit>

namespace cv::widgets {

namespace {

void overlay(CellStyle& base, const CellStyle& top)
{
    if (top.background.isValid())
        base.background = top.background;
    if (top.text.isValid())
        base.text = top.text;
    if (top.font)
        base.font = top.font;
}

CellStyle styleFor(const GridStyles& styles, int row, bool selected, bool active)
{
    CellStyle s = styles.content;
    overlay(s, row % 2 == 0 ? styles.contentEven : styles.contentOdd);
    if (selected) {
        overlay(s, styles.selection);
        if (!active)
            overlay(s, styles.inactive);
    }
    return s;
}

} // namespace

GridDelegate::GridDelegate(DataGrid& grid, GridColumn& column)
    : QStyledItemDelegate(&grid), m_grid(grid), m_column(column)
{
}

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                    const QModelIndex&) const
{
    QWidget* editor = makeEditor(parent);
    if (editor) {
        editor->setAccessibleName(m_column.caption());
        m_grid.noteEditor(editor);
    }
    return editor;
}

QWidget* GridDelegate::makeEditor(QWidget* parent) const
{
    auto* edit = new QLineEdit(parent);
    edit->setFrame(false);
    return edit;
}

void GridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
        edit->setText(MemTableModel::formatValue(index.data(Qt::EditRole)));
}

void GridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                const QModelIndex& index) const
{
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
        model->setData(index, edit->text());
}

void GridDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const bool selected = option->state.testFlag(QStyle::State_Selected);
    const CellStyle s = styleFor(m_grid.styles(), index.row(), selected, m_grid.hasFocus());
    if (s.font)
        option->font = *s.font;
    if (selected) {
        if (s.background.isValid())
            option->palette.setColor(QPalette::Highlight, s.background);
        if (s.text.isValid())
            option->palette.setColor(QPalette::HighlightedText, s.text);
        return;
    }
    if (s.background.isValid())
        option->backgroundBrush = s.background;
    if (s.text.isValid())
        option->palette.setColor(QPalette::Text, s.text);
}

} // namespace cv::widgets
