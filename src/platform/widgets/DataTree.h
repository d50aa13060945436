// A tree over a MemTable (key, parent and text fields), e.g. a tree of
// reports. Selecting a node moves the table's cursor to its row and the tree
// follows the cursor; expanded nodes stay expanded when the table reloads.
//
// The bound table must outlive the tree.
#pragma once

#include <QSet>
#include <QTreeView>

#include <functional>

namespace cv {
class MemTable;
}

namespace cv::widgets {

class MemTreeModel;

class DataTree : public QTreeView {
    Q_OBJECT
public:
    explicit DataTree(QWidget* parent = nullptr);
    ~DataTree() override;

    void setTable(MemTable& table, const QString& keyField, const QString& parentField,
                  const QString& textField);
    MemTreeModel* treeModel() const { return m_model; }

    QVariant currentKey() const;
    // Expands the current node one level; false when there is none.
    bool expandCurrent();

signals:
    void currentNodeChanged(const QVariant& key);
    void nodeDoubleClicked(const QVariant& key);
    void dataError(const QString& message);

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void followCursor(const QModelIndex& index);
    void rememberExpanded();
    void restoreExpanded();
    // Visits nodes depth first; descends where visit answers true.
    void walk(const std::function<bool(const QModelIndex&)>& visit) const;

    MemTreeModel* m_model = nullptr;
    QSet<QString> m_expanded;
    bool m_pulling = false;
};

} // namespace cv::widgets
