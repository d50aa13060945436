#include "LookupComboDelegate.h"

#include "DataGrid.h"
#include "GridColumn.h"

#include <QComboBox>
#include <QHeaderView>
#include <QPointer>
#include <QTableView>

namespace cv::widgets {

LookupComboDelegate::LookupComboDelegate(DataGrid& grid, GridColumn& column)
    : GridDelegate(grid, column), m_list(column.lookup().table)
{
    if (!m_list)
        return;
    QPointer<DataGrid> guard(&grid);
    const int col = column.index();
    m_listener = m_list->addChangeListener([guard, col](const MemTable::DataChange& change) {
        if (guard && guard->dataModel() &&
            change.kind != MemTable::DataChange::Kind::StateChanged &&
            change.kind != MemTable::DataChange::Kind::CurrentChanged)
            guard->dataModel()->refreshColumn(col);
    });
}

LookupComboDelegate::~LookupComboDelegate()
{
    if (m_list)
        m_list->removeChangeListener(m_listener);
}

QWidget* LookupComboDelegate::makeEditor(QWidget* parent) const
{
    const LookupSource& source = column().lookup();
    auto* combo = new QComboBox(parent);
    if (!source.table)
        return combo;
    auto* model = new MemTableModel(*source.table, combo);
    std::vector<ModelColumn> columns;
    for (const QString& field : source.dropDownFields())
        columns.push_back(ModelColumn::of(field, field));
    model->setColumns(std::move(columns));
    auto* view = new QTableView(combo);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setVisible(source.showHeader);
    combo->setView(view);
    combo->setModel(model);
    combo->setModelColumn(std::max(0, int(source.dropDownFields().indexOf(source.listField))));
    auto* self = const_cast<LookupComboDelegate*>(this); // Qt's editor factory is const
    connect(combo, &QComboBox::activated, self, [self, combo] { emit self->commitData(combo); });
    return combo;
}

void LookupComboDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* combo = qobject_cast<QComboBox*>(editor);
    combo->setCurrentIndex(column().lookup().rowOf(index.data(Qt::EditRole)));
}

void LookupComboDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                       const QModelIndex& index) const
{
    auto* combo = qobject_cast<QComboBox*>(editor);
    if (combo->currentIndex() >= 0)
        model->setData(index, column().lookup().keyAt(combo->currentIndex()));
}

} // namespace cv::widgets
