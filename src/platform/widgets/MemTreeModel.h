// A tree model over a MemTable whose rows name their parent: a key field, a
// parent field and a text field. Rows with a null parent, or a parent that
// is not in the table, are roots; rows caught in a parent cycle are not
// shown. The tree is rebuilt whenever the table's rows change.
//
// The table must outlive the model.
#pragma once

#include "platform/memtable/MemTable.h"

#include <QAbstractItemModel>

#include <vector>

namespace cv::widgets {

class MemTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    MemTreeModel(MemTable& table, const QString& keyField, const QString& parentField,
                 const QString& textField, QObject* parent = nullptr);
    ~MemTreeModel() override;

    MemTable& table() const { return m_table; }

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    QVariant keyOf(const QModelIndex& index) const;
    QModelIndex indexOfKey(const QVariant& key) const;
    // The table's (visible) row of a node, -1 for an invalid index.
    int tableRowOf(const QModelIndex& index) const;
    QModelIndex indexOfTableRow(int tableRow) const;

signals:
    // The table's cursor moved; `index` is its node (invalid when none).
    void currentNodeChanged(const QModelIndex& index);

private:
    struct Node {
        int tableRow = -1;
        QVariant key;
        QString text;
        int parent = -1;
        int row = 0;        // position among its siblings
        bool shown = false; // reachable from a root
        std::vector<int> children;
    };

    void onTableChange(const MemTable::DataChange& change);
    void rebuild();
    std::vector<QVariant> readNodes();
    void linkNodes(const std::vector<QVariant>& parentKeys);
    void markShown();
    const std::vector<int>& childrenOf(const QModelIndex& parent) const;
    QModelIndex indexOfNode(int node) const;

    MemTable& m_table;
    QString m_keyField;
    QString m_parentField;
    QString m_textField;
    int m_listener = 0;
    std::vector<Node> m_nodes;
    std::vector<int> m_roots;
};

} // namespace cv::widgets
