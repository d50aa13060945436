#include "DataTree.h"

#include "MemTableModel.h"
#include "MemTreeModel.h"

#include "platform/memtable/MemTable.h"

#include <QScopedValueRollback>

namespace cv::widgets {

DataTree::DataTree(QWidget* parent) : QTreeView(parent)
{
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setSelectionMode(SingleSelection);
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& i) { emit nodeDoubleClicked(m_model->keyOf(i)); });
}

DataTree::~DataTree()
{
    setModel(nullptr);
    delete m_model;
}

void DataTree::setTable(MemTable& table, const QString& keyField, const QString& parentField,
                        const QString& textField)
{
    MemTreeModel* old = m_model;
    m_model = new MemTreeModel(table, keyField, parentField, textField, this);
    setModel(m_model);
    delete old;
    connect(m_model, &MemTreeModel::currentNodeChanged, this, &DataTree::followCursor);
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, &DataTree::rememberExpanded);
    connect(m_model, &QAbstractItemModel::modelReset, this, &DataTree::restoreExpanded);
    const int row = table.state() == MemTable::State::Browse ? table.recNo() - 1 : -1;
    followCursor(m_model->indexOfTableRow(row));
}

QVariant DataTree::currentKey() const
{
    return m_model ? m_model->keyOf(currentIndex()) : QVariant();
}

bool DataTree::expandCurrent()
{
    if (!currentIndex().isValid())
        return false;
    expand(currentIndex());
    return true;
}

void DataTree::followCursor(const QModelIndex& index)
{
    QScopedValueRollback pulling(m_pulling, true);
    if (index != currentIndex())
        setCurrentIndex(index);
}

void DataTree::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTreeView::currentChanged(current, previous);
    if (!m_pulling && current.isValid()) {
        MemTable& table = m_model->table();
        const int row = m_model->tableRowOf(current) + 1;
        try {
            if (table.recNo() != row)
                table.moveTo(row);
        } catch (const std::exception& e) {
            emit dataError(QString::fromUtf8(e.what()));
            followCursor(m_model->indexOfTableRow(table.recNo() - 1));
            return;
        }
    }
    emit currentNodeChanged(currentKey());
}

void DataTree::walk(const std::function<bool(const QModelIndex&)>& visit) const
{
    std::vector<QModelIndex> pending;
    for (int r = 0; r < m_model->rowCount(); ++r)
        pending.push_back(m_model->index(r, 0));
    while (!pending.empty()) {
        const QModelIndex i = pending.back();
        pending.pop_back();
        if (!visit(i))
            continue;
        for (int r = 0; r < m_model->rowCount(i); ++r)
            pending.push_back(m_model->index(r, 0, i));
    }
}

void DataTree::rememberExpanded()
{
    m_expanded.clear();
    walk([this](const QModelIndex& i) {
        if (!isExpanded(i))
            return false;
        m_expanded.insert(MemTableModel::formatValue(m_model->keyOf(i)));
        return true;
    });
}

void DataTree::restoreExpanded()
{
    walk([this](const QModelIndex& i) {
        if (!m_expanded.contains(MemTableModel::formatValue(m_model->keyOf(i))))
            return false;
        expand(i);
        return true;
    });
}

} // namespace cv::widgets
