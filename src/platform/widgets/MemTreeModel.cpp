#include "MemTreeModel.h"

#include "MemTableModel.h"

#include <QHash>

namespace cv::widgets {

using Kind = MemTable::DataChange::Kind;

MemTreeModel::MemTreeModel(MemTable& table, const QString& keyField, const QString& parentField,
                           const QString& textField, QObject* parent)
    : QAbstractItemModel(parent), m_table(table), m_keyField(keyField), m_parentField(parentField),
      m_textField(textField)
{
    m_listener = m_table.addChangeListener([this](const auto& change) { onTableChange(change); });
    rebuild();
}

MemTreeModel::~MemTreeModel()
{
    m_table.removeChangeListener(m_listener);
}

void MemTreeModel::onTableChange(const MemTable::DataChange& change)
{
    if (change.kind == Kind::StateChanged)
        return;
    if (change.kind != Kind::CurrentChanged)
        rebuild();
    const int row = m_table.state() == MemTable::State::Browse ? m_table.recNo() - 1 : -1;
    emit currentNodeChanged(indexOfTableRow(row));
}

void MemTreeModel::rebuild()
{
    beginResetModel();
    m_nodes.clear();
    m_roots.clear();
    linkNodes(readNodes());
    endResetModel();
}

// One node per visible row; answers each row's parent key.
std::vector<QVariant> MemTreeModel::readNodes()
{
    std::vector<QVariant> parentKeys;
    if (!m_table.active())
        return parentKeys;
    const int key = m_table.fieldIndex(m_keyField);
    const int parent = m_table.fieldIndex(m_parentField);
    const int text = m_table.fieldIndex(m_textField);
    if (key < 0 || parent < 0)
        return parentKeys;
    for (int row = 0; row < m_table.recordCount(); ++row) {
        Node node;
        node.tableRow = row;
        node.key = m_table.valueAt(row, key);
        if (text >= 0)
            node.text = MemTableModel::formatValue(m_table.valueAt(row, text));
        m_nodes.push_back(std::move(node));
        parentKeys.push_back(m_table.valueAt(row, parent));
    }
    return parentKeys;
}

void MemTreeModel::linkNodes(const std::vector<QVariant>& parentKeys)
{
    QHash<QString, int> byKey;
    for (std::size_t i = 0; i < m_nodes.size(); ++i) {
        if (!m_nodes[i].key.isNull())
            byKey.insert(MemTableModel::formatValue(m_nodes[i].key), int(i));
    }
    for (std::size_t i = 0; i < m_nodes.size(); ++i) {
        const QVariant& pk = parentKeys[i];
        const int parent = pk.isNull() ? -1 : byKey.value(MemTableModel::formatValue(pk), -1);
        std::vector<int>& siblings = parent < 0 ? m_roots : m_nodes[std::size_t(parent)].children;
        m_nodes[i].parent = parent;
        m_nodes[i].row = int(siblings.size());
        siblings.push_back(int(i));
    }
    markShown();
}

void MemTreeModel::markShown()
{
    std::vector<int> pending = m_roots;
    while (!pending.empty()) {
        Node& node = m_nodes[std::size_t(pending.back())];
        pending.pop_back();
        node.shown = true;
        pending.insert(pending.end(), node.children.begin(), node.children.end());
    }
}

const std::vector<int>& MemTreeModel::childrenOf(const QModelIndex& parent) const
{
    return parent.isValid() ? m_nodes[parent.internalId()].children : m_roots;
}

QModelIndex MemTreeModel::indexOfNode(int node) const
{
    return node < 0 ? QModelIndex() : createIndex(m_nodes[std::size_t(node)].row, 0, node);
}

QModelIndex MemTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0)
        return {};
    const std::vector<int>& children = childrenOf(parent);
    return row < int(children.size()) ? indexOfNode(children[std::size_t(row)]) : QModelIndex();
}

QModelIndex MemTreeModel::parent(const QModelIndex& child) const
{
    return child.isValid() ? indexOfNode(m_nodes[child.internalId()].parent) : QModelIndex();
}

int MemTreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() && parent.column() != 0)
        return 0;
    return int(childrenOf(parent).size());
}

int MemTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant MemTreeModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return m_nodes[index.internalId()].text;
    return {};
}

QVariant MemTreeModel::keyOf(const QModelIndex& index) const
{
    return index.isValid() ? m_nodes[index.internalId()].key : QVariant();
}

QModelIndex MemTreeModel::indexOfKey(const QVariant& key) const
{
    const QString wanted = MemTableModel::formatValue(key);
    for (std::size_t i = 0; i < m_nodes.size(); ++i) {
        if (!key.isNull() && m_nodes[i].shown &&
            MemTableModel::formatValue(m_nodes[i].key) == wanted)
            return indexOfNode(int(i));
    }
    return {};
}

int MemTreeModel::tableRowOf(const QModelIndex& index) const
{
    return index.isValid() ? m_nodes[index.internalId()].tableRow : -1;
}

QModelIndex MemTreeModel::indexOfTableRow(int tableRow) const
{
    // Nodes are read in table order, one per row.
    if (tableRow < 0 || tableRow >= int(m_nodes.size()) || !m_nodes[std::size_t(tableRow)].shown)
        return {};
    return indexOfNode(tableRow);
}

} // namespace cv::widgets
