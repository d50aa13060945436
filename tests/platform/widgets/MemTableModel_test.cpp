#include "TableFixture.h"

#include "platform/abi/Exception.h"
#include "platform/widgets/MemTableModel.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>

using namespace cv;
using namespace cv::widgets;
using namespace cv::widgets::test;

namespace {

// Collects what QAbstractItemModelTester reports instead of letting it abort.
class TesterFailures {
public:
    TesterFailures() { previous = qInstallMessageHandler(&TesterFailures::handle); }
    ~TesterFailures() { qInstallMessageHandler(previous); }
    static QStringList& messages()
    {
        static QStringList list;
        return list;
    }

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        if (type != QtDebugMsg && QByteArray(context.category) == "qt.modeltest")
            messages().append(text);
    }
    QtMessageHandler previous;
};

class MemTableModelTest : public testing::Test {
protected:
    void SetUp() override
    {
        fillPeople(table, {{1, QStringLiteral("张三"), 1},
                           {2, QStringLiteral("李四"), 0},
                           {3, QStringLiteral("王五"), QVariant()}});
        ModelColumn flag = ModelColumn::of(QStringLiteral("FLAG"), QStringLiteral("选择"));
        flag.check = CheckValues{1, 0};
        model.setColumns({ModelColumn::of(QStringLiteral("ID"), QStringLiteral("编号")),
                          ModelColumn::of(QStringLiteral("NAME"), QStringLiteral("姓名")), flag,
                          ModelColumn::of(QStringLiteral("AT"), QStringLiteral("时间"))});
    }

    QString text(int row, int col) const { return model.index(row, col).data().toString(); }
    QVariant stored(int row, const char* field)
    {
        return table.valueAt(row, table.fieldIndex(QString::fromLatin1(field)));
    }

    MemTable table;
    MemTableModel model{table};
};

TEST_F(MemTableModelTest, StaysConsistentUnderTheModelTester)
{
    TesterFailures failures;
    TesterFailures::messages().clear();
    QAbstractItemModelTester tester(&model,
                                    QAbstractItemModelTester::FailureReportingMode::Warning);

    appendPerson(table, {4, QStringLiteral("赵六"), 1});
    table.moveTo(2);
    table.deleteRecord();
    ASSERT_TRUE(model.setData(model.index(0, 1), QStringLiteral("张三丰")));
    table.insert();
    table.cancel();
    table.append();
    table.setValue(QStringLiteral("ID"), 9);
    table.post();
    table.setFilter(QStringLiteral("FLAG = 1"));
    table.setFiltered(true);
    table.setFiltered(false);
    table.disableControls();
    appendPerson(table, {10, QStringLiteral("钱七"), 0});
    table.enableControls();
    table.emptyTable();
    table.close();

    EXPECT_TRUE(TesterFailures::messages().isEmpty())
        << TesterFailures::messages().join(u'\n').toStdString();
}

TEST_F(MemTableModelTest, ShowsVisibleRowsWithFormattedValues)
{
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(text(1, 1), QStringLiteral("李四"));
    EXPECT_EQ(text(0, 3), QStringLiteral("2024-03-01 08:30:05"));
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("姓名"));
    EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::AccessibleTextRole).toString(),
              QStringLiteral("姓名"));

    table.setFilter(QStringLiteral("FLAG = 0"));
    table.setFiltered(true);
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(text(0, 0), QStringLiteral("2"));
}

TEST_F(MemTableModelTest, HoldsRowsWhileTheDisplayIsFrozen)
{
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    table.disableControls();
    appendPerson(table, {4, QStringLiteral("赵六"), 1});
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(resets.count(), 0);
    table.enableControls();
    EXPECT_EQ(model.rowCount(), 4);
    EXPECT_EQ(resets.count(), 1);
}

TEST_F(MemTableModelTest, CursorAndCurrentRowFollowEachOther)
{
    QSignalSpy moved(&model, &MemTableModel::currentRowChanged);
    table.moveTo(3);
    ASSERT_FALSE(moved.isEmpty());
    EXPECT_EQ(moved.last().at(0).toInt(), 2);
    EXPECT_EQ(model.currentRow(), 2);

    ASSERT_TRUE(model.setCurrentRow(1));
    EXPECT_EQ(table.recNo(), 2);
    EXPECT_FALSE(model.setCurrentRow(7));
}

TEST_F(MemTableModelTest, EditingPutsTheRowInEditStateAndLeavingItPosts)
{
    QSignalSpy edited(&model, &MemTableModel::cellEdited);
    ASSERT_TRUE(model.setData(model.index(1, 1), QStringLiteral("李四改")));
    EXPECT_EQ(table.state(), MemTable::State::Edit);
    EXPECT_EQ(table.recNo(), 2);
    EXPECT_EQ(text(1, 1), QStringLiteral("李四改"));
    ASSERT_EQ(edited.count(), 1);
    EXPECT_EQ(edited.at(0).at(1).toString(), QStringLiteral("李四改"));

    ASSERT_TRUE(model.setCurrentRow(0));
    EXPECT_EQ(table.state(), MemTable::State::Browse);
    EXPECT_EQ(stored(1, "NAME").toString(), QStringLiteral("李四改"));

    ASSERT_TRUE(model.setData(model.index(0, 0), 11));
    ASSERT_TRUE(model.post());
    EXPECT_EQ(stored(0, "ID").toInt(), 11);
}

TEST_F(MemTableModelTest, AnUnchangedValueLeavesTheRowAlone)
{
    QSignalSpy edited(&model, &MemTableModel::cellEdited);
    ASSERT_TRUE(model.setData(model.index(0, 0), QStringLiteral("1")));
    EXPECT_EQ(table.state(), MemTable::State::Browse);
    EXPECT_TRUE(edited.isEmpty());
}

TEST_F(MemTableModelTest, RefusesReadOnlyFieldsColumnsAndBadValues)
{
    table.setReadOnly(QStringLiteral("NAME"), true);
    EXPECT_FALSE(model.flags(model.index(0, 1)).testFlag(Qt::ItemIsEditable));
    EXPECT_FALSE(model.setData(model.index(0, 1), QStringLiteral("x")));

    ModelColumn locked = model.column(0);
    locked.editable = false;
    model.setColumn(0, locked);
    EXPECT_FALSE(model.setData(model.index(0, 0), 5));

    locked.editable = true;
    model.setColumn(0, locked);
    QSignalSpy errors(&model, &MemTableModel::editError);
    EXPECT_FALSE(model.setData(model.index(0, 0), QStringLiteral("not a number")));
    EXPECT_EQ(errors.count(), 1);
    EXPECT_EQ(stored(0, "ID").toInt(), 1);
}

TEST_F(MemTableModelTest, CheckColumnMapsStoredValuesToCheckState)
{
    struct Case {
        int row;
        Qt::CheckState state;
    };
    for (const Case& c : {Case{0, Qt::Checked}, Case{1, Qt::Unchecked}, Case{2, Qt::Unchecked}})
        EXPECT_EQ(model.index(c.row, 2).data(Qt::CheckStateRole).toInt(), c.state) << c.row;
    EXPECT_TRUE(model.flags(model.index(0, 2)).testFlag(Qt::ItemIsUserCheckable));

    ASSERT_TRUE(model.setData(model.index(2, 2), Qt::Checked, Qt::CheckStateRole));
    EXPECT_EQ(table.value(QStringLiteral("FLAG")).toInt(), 1);
    ASSERT_TRUE(model.setData(model.index(2, 2), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_EQ(table.value(QStringLiteral("FLAG")).toInt(), 0);
}

TEST_F(MemTableModelTest, TextCheckValuesCompareByText)
{
    ModelColumn c = model.column(1);
    c.check = CheckValues{QStringLiteral("张三"), QStringLiteral("无")};
    model.setColumn(1, c);
    EXPECT_EQ(model.index(0, 1).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    ASSERT_TRUE(model.setData(model.index(1, 1), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_EQ(table.value(QStringLiteral("NAME")).toString(), QStringLiteral("无"));
}

TEST_F(MemTableModelTest, ARecordBeingInsertedShowsInPlace)
{
    table.moveTo(2);
    table.insert();
    ASSERT_EQ(model.rowCount(), 4);
    EXPECT_EQ(model.provisionalRow(), 1);
    EXPECT_EQ(model.currentRow(), 1);
    EXPECT_EQ(text(2, 1), QStringLiteral("李四"));

    ASSERT_TRUE(model.setData(model.index(1, 1), QStringLiteral("新人")));
    ASSERT_TRUE(model.setCurrentRow(3)); // leaving posts; 王五 stays row 3
    EXPECT_EQ(model.rowCount(), 4);
    EXPECT_EQ(model.provisionalRow(), -1);
    EXPECT_EQ(text(1, 1), QStringLiteral("新人"));
    EXPECT_EQ(table.asString(QStringLiteral("NAME")), QStringLiteral("王五"));

    table.append();
    EXPECT_EQ(model.rowCount(), 5);
    ASSERT_TRUE(model.setCurrentRow(0)); // untouched: dropped
    EXPECT_EQ(model.rowCount(), 4);
    EXPECT_EQ(table.recNo(), 1);
}

TEST_F(MemTableModelTest, ARefusedPostKeepsTheCursorAndReportsIt)
{
    table.events().beforePost = [](MemTable&) { throw Exception(QStringLiteral("不能保存")); };
    ASSERT_TRUE(model.setData(model.index(0, 1), QStringLiteral("x")));
    QSignalSpy errors(&model, &MemTableModel::editError);
    EXPECT_FALSE(model.setCurrentRow(2));
    ASSERT_EQ(errors.count(), 1);
    EXPECT_EQ(errors.at(0).at(0).toString(), QStringLiteral("不能保存"));
    EXPECT_EQ(model.currentRow(), 0);
    EXPECT_EQ(table.state(), MemTable::State::Edit);
    table.events().beforePost = nullptr;
}

} // namespace
