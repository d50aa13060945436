#include "platform/widgets/DataTree.h"
#include "platform/widgets/MemTreeModel.h"

#include "platform/memtable/MemTable.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using namespace cv;
using namespace cv::widgets;

namespace {

struct Report {
    int id;
    QVariant parent;
    const char* name;
};

class DataTreeTest : public testing::Test {
protected:
    void SetUp() override
    {
        reports.defineFields({{QStringLiteral("ID"), FieldType::Integer},
                              {QStringLiteral("ParentID"), FieldType::Integer},
                              {QStringLiteral("Name"), FieldType::WideString, 40}});
        reports.open();
        // 1 门诊 > 11 今日, 12 本周 > 121 周一; 2 住院; 5 orphan (parent 99); 7 <-> 8 cycle
        for (const Report& r : {Report{1, {}, "门诊"}, Report{11, 1, "今日"}, Report{2, {}, "住院"},
                                Report{12, 1, "本周"}, Report{121, 12, "周一"},
                                Report{5, 99, "孤儿"}, Report{7, 8, "环甲"}, Report{8, 7, "环乙"}})
            add(r);
        reports.first();
        tree.setTable(reports, QStringLiteral("ID"), QStringLiteral("ParentID"),
                      QStringLiteral("Name"));
    }

    void add(const Report& r)
    {
        reports.append();
        reports.setValue(0, r.id);
        reports.setValue(1, r.parent);
        reports.setValue(2, QString::fromUtf8(r.name));
        reports.post();
    }

    QStringList children(const QModelIndex& parent) const
    {
        QStringList out;
        const MemTreeModel* m = tree.treeModel();
        for (int r = 0; r < m->rowCount(parent); ++r)
            out << m->index(r, 0, parent).data().toString();
        return out;
    }

    MemTable reports;
    DataTree tree;
};

TEST_F(DataTreeTest, BuildsNodesFromKeyAndParent)
{
    QAbstractItemModelTester tester(tree.treeModel(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    const MemTreeModel* m = tree.treeModel();
    EXPECT_EQ(children({}), (QStringList{QStringLiteral("门诊"), QStringLiteral("住院"),
                                         QStringLiteral("孤儿")}));
    const QModelIndex outpatient = m->indexOfKey(1);
    EXPECT_EQ(children(outpatient), (QStringList{QStringLiteral("今日"), QStringLiteral("本周")}));
    EXPECT_EQ(children(m->indexOfKey(12)), QStringList{QStringLiteral("周一")});
    EXPECT_EQ(m->parent(m->indexOfKey(121)), m->indexOfKey(12));
    EXPECT_FALSE(m->indexOfKey(7).isValid()); // a cycle has no way to a root
    EXPECT_EQ(m->index(0, 0).data(Qt::ToolTipRole).toString(), QStringLiteral("门诊"));
}

TEST_F(DataTreeTest, SelectionAndTableCursorFollowEachOther)
{
    QSignalSpy current(&tree, &DataTree::currentNodeChanged);
    tree.setCurrentIndex(tree.treeModel()->indexOfKey(121));
    EXPECT_EQ(reports.asInteger(QStringLiteral("ID")), 121);
    ASSERT_FALSE(current.isEmpty());
    EXPECT_EQ(current.last().at(0).toInt(), 121);

    reports.locate(QStringLiteral("ID"), 2);
    EXPECT_EQ(tree.currentKey().toInt(), 2);
}

TEST_F(DataTreeTest, ExpandedNodesStayExpandedWhenTheTableChanges)
{
    tree.setCurrentIndex(tree.treeModel()->indexOfKey(1));
    ASSERT_TRUE(tree.expandCurrent());
    add({3, {}, "急诊"});
    EXPECT_TRUE(tree.isExpanded(tree.treeModel()->indexOfKey(1)));
    EXPECT_FALSE(tree.isExpanded(tree.treeModel()->indexOfKey(12)));
}

} // namespace
