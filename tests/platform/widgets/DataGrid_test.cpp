#include "TableFixture.h"

#include "platform/widgets/ButtonLineEdit.h"
#include "platform/widgets/DataGrid.h"
#include "platform/widgets/HeaderGlyph.h"
#include "platform/widgets/TdxBarManager.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QComboBox>
#include <QHeaderView>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

using namespace cv;
using namespace cv::widgets;
using namespace cv::widgets::test;

namespace {

QIcon filled(const QColor& colour, int side = 12)
{
    QPixmap pixmap(side, side);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

class DataGridTest : public testing::Test {
protected:
    void SetUp() override
    {
        fillPeople(table, {{1, QStringLiteral("张三"), 1, 1},
                           {2, QStringLiteral("李四"), 0, 2},
                           {3, QStringLiteral("王五"), QVariant(), 2}});
        configure(grid);
        grid.resize(600, 300);
    }

    void configure(DataGrid& target)
    {
        flag = target.addColumn(QStringLiteral("cxGrid1DBTableView1Column16"),
                                QStringLiteral("选择"), QStringLiteral("FLAG"));
        flag->setCheckBox(1, 0);
        name = target.addColumn(QStringLiteral("colName"), QStringLiteral("姓名"),
                                QStringLiteral("NAME"));
        kind = target.addColumn(QStringLiteral("colKind"), QStringLiteral("范围"),
                                QStringLiteral("KIND"));
        kind->setImageCombo({{1, QStringLiteral("门诊")}, {2, QStringLiteral("住院")}});
        at = target.addColumn(QStringLiteral("colAt"), QStringLiteral("申请时间"),
                              QStringLiteral("AT"));
        at->setDateTimeEditor();
        target.setTable(table);
    }

    void show()
    {
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    }

    QModelIndex cell(int row, const GridColumn* c) const
    {
        return grid.dataModel()->index(row, c->index());
    }
    QPoint centre(int row, const GridColumn* c) const
    {
        return grid.visualRect(cell(row, c)).center();
    }
    QVariant stored(int row, const char* field) const
    {
        return table.valueAt(row, table.fieldIndex(QString::fromLatin1(field)));
    }

    MemTable table;
    MemTable patients; // for lookups; tables outlive the grid
    DataGrid grid;
    GridColumn* flag = nullptr;
    GridColumn* name = nullptr;
    GridColumn* kind = nullptr;
    GridColumn* at = nullptr;
};

TEST_F(DataGridTest, ColumnsAreFoundByComponentNameAndCaption)
{
    EXPECT_EQ(grid.findChild<GridColumn*>(QStringLiteral("cxGrid1DBTableView1Column16")), flag);
    EXPECT_EQ(grid.columnByCaption(QStringLiteral("姓名")), name);
    EXPECT_EQ(grid.column(QStringLiteral("colKind")), kind);
    EXPECT_EQ(name->property("fieldName").toString(), QStringLiteral("NAME"));
}

TEST_F(DataGridTest, EditorKindsShowTheirText)
{
    EXPECT_EQ(cell(0, kind).data().toString(), QStringLiteral("门诊"));
    EXPECT_EQ(cell(1, kind).data().toString(), QStringLiteral("住院"));
    EXPECT_EQ(cell(0, at).data().toString(), QStringLiteral("2024-03-01 08:30:05"));
    at->setDateEditor();
    EXPECT_EQ(cell(0, at).data().toString(), QStringLiteral("2024-03-01"));
}

TEST_F(DataGridTest, ColumnSettingsReachTheView)
{
    name->setWidth(140);
    kind->setVisible(false);
    name->setEditing(false);
    EXPECT_EQ(grid.columnWidth(name->index()), 140);
    EXPECT_TRUE(grid.isColumnHidden(kind->index()));
    EXPECT_FALSE(cell(0, name).flags().testFlag(Qt::ItemIsEditable));
    name->setHeaderAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    EXPECT_EQ(grid.dataModel()->headerData(name->index(), Qt::Horizontal, Qt::TextAlignmentRole),
              int(Qt::AlignLeft | Qt::AlignVCenter));
}

TEST_F(DataGridTest, CurrentRowAndTableCursorFollowEachOther)
{
    show();
    QSignalSpy focused(&grid, &DataGrid::focusedRecordChanged);
    table.moveTo(3);
    EXPECT_EQ(grid.currentIndex().row(), 2);
    EXPECT_TRUE(grid.selectionModel()->isRowSelected(2, {}));

    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, centre(1, name));
    EXPECT_EQ(table.recNo(), 2);
    ASSERT_FALSE(focused.isEmpty());
    EXPECT_EQ(focused.last().at(0).toInt(), 1);
}

TEST_F(DataGridTest, ClickingTheCheckBoxTogglesBetweenTheTwoValuesAndPosts)
{
    show();
    QSignalSpy changed(&grid, &DataGrid::editValueChanged);
    for (const int expected : {1, 0}) {
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, centre(2, flag));
        EXPECT_EQ(stored(2, "FLAG").toInt(), expected);
        EXPECT_EQ(table.state(), MemTable::State::Browse);
    }
    ASSERT_EQ(changed.count(), 2);
    EXPECT_EQ(changed.at(0).at(0).toInt(), flag->index());
}

TEST_F(DataGridTest, TypedTextIsStoredAndReported)
{
    show();
    QSignalSpy changed(&grid, &DataGrid::editValueChanged);
    grid.setCurrentIndex(cell(0, name));
    grid.edit(cell(0, name));
    auto* editor = grid.viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->accessibleName(), QStringLiteral("姓名"));
    editor->selectAll();
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("张三丰"));
    QApplication::sendEvent(editor, &commit);
    QTest::keyClick(editor, Qt::Key_Return); // the delegate commits from the event loop
    ASSERT_TRUE(changed.wait());
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(1).toString(), QStringLiteral("张三丰"));
    EXPECT_EQ(table.state(), MemTable::State::Edit);
    EXPECT_TRUE(grid.post());
    EXPECT_EQ(stored(0, "NAME").toString(), QStringLiteral("张三丰"));
}

TEST_F(DataGridTest, EllipsisButtonReportsItsColumnAndStartsEditing)
{
    name->setButtonEditor();
    show();
    QSignalSpy clicked(&grid, &DataGrid::buttonClicked);
    grid.setCurrentIndex(cell(1, name));
    grid.edit(cell(1, name));
    auto* editor = grid.viewport()->findChild<ButtonLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("阿莫"));
    QTest::mouseClick(editor->button(), Qt::LeftButton);
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.at(0).at(0).toInt(), name->index());
    EXPECT_EQ(table.state(), MemTable::State::Edit);
    EXPECT_EQ(grid.editorText(), QStringLiteral("阿莫"));
}

TEST_F(DataGridTest, LookupShowsTheListFieldAndStoresTheKey)
{
    patients.defineFields({{QStringLiteral("VAA01"), FieldType::Integer},
                           {QStringLiteral("VAA05"), FieldType::WideString, 20}});
    patients.open();
    const QStringList names{QStringLiteral("病人甲"), QStringLiteral("病人乙")};
    for (int id = 1; id <= 2; ++id) {
        patients.append();
        patients.setValue(0, id);
        patients.setValue(1, names[id - 1]);
        patients.post();
    }
    GridColumn* patient = grid.addColumn(QStringLiteral("colPatient"), QStringLiteral("患者"),
                                         QStringLiteral("KIND"));
    patient->setLookup({&patients, QStringLiteral("VAA01"), QStringLiteral("VAA05"), {}, false});
    EXPECT_EQ(cell(1, patient).data().toString(), QStringLiteral("病人乙"));

    show();
    grid.setCurrentIndex(cell(0, patient));
    grid.edit(cell(0, patient));
    auto* combo = grid.viewport()->findChild<QComboBox*>();
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->currentText(), QStringLiteral("病人甲"));
    combo->setCurrentIndex(1);
    emit combo->activated(1);
    EXPECT_EQ(table.value(QStringLiteral("KIND")).toInt(), 2);

    patients.last();
    patients.edit();
    patients.setValue(1, QStringLiteral("病人丙"));
    patients.post();
    EXPECT_EQ(cell(2, patient).data().toString(), QStringLiteral("病人丙"));
}

TEST_F(DataGridTest, HeaderGlyphHitTestAndAccessibleState)
{
    grid.setHeaderGlyph(flag->index(), filled(Qt::darkGreen), false);
    show();
    const QRect glyph = grid.headerGlyphRect(flag->index());
    ASSERT_FALSE(glyph.isEmpty());
    EXPECT_TRUE(grid.hitHeaderGlyph(flag->index(), glyph.center()));
    const int right = grid.horizontalHeader()->sectionViewportPosition(flag->index()) +
                      grid.horizontalHeader()->sectionSize(flag->index()) - 2;
    EXPECT_FALSE(grid.hitHeaderGlyph(flag->index(), QPoint(right, glyph.center().y())));
    EXPECT_FALSE(grid.hitHeaderGlyph(name->index(), glyph.center()));

    QSignalSpy clicks(&grid, &DataGrid::columnHeaderClicked);
    HeaderGlyph* button = grid.headerGlyph(flag->index());
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks.at(0).at(0).toInt(), flag->index());
    EXPECT_TRUE(grid.hitHeaderGlyph(flag->index(), clicks.at(0).at(1).toPoint()));
    EXPECT_FALSE(button->isChecked()); // the owner decides

    grid.setHeaderGlyph(flag->index(), filled(Qt::red), true);
    QAccessibleInterface* a11y = QAccessible::queryAccessibleInterface(button);
    ASSERT_NE(a11y, nullptr);
    EXPECT_EQ(a11y->text(QAccessible::Name), QStringLiteral("选择"));
    EXPECT_TRUE(a11y->state().checkable);
    EXPECT_TRUE(a11y->state().checked);
}

TEST_F(DataGridTest, ColumnsAndCheckCellsAreAccessible)
{
    show();
    QAccessibleInterface* view = QAccessible::queryAccessibleInterface(&grid);
    ASSERT_NE(view, nullptr);
    QAccessibleTableInterface* tableIface = view->tableInterface();
    ASSERT_NE(tableIface, nullptr);
    EXPECT_EQ(tableIface->columnDescription(name->index()), QStringLiteral("姓名"));
    const auto checked = [&](int row) {
        return tableIface->cellAt(row, flag->index())->state().checked;
    };
    EXPECT_TRUE(checked(0));
    EXPECT_FALSE(checked(1));
    EXPECT_FALSE(checked(2));
}

TEST_F(DataGridTest, EqualNeighboursMergeAndFollowChanges)
{
    kind->setCellMerging(true);
    appendPerson(table, {4, QStringLiteral("赵六"), 0, 2});
    appendPerson(table, {5, QStringLiteral("钱七"), 0, 1});
    // KIND per row: 1 2 2 2 1
    EXPECT_EQ(grid.rowSpan(0, kind->index()), 1);
    EXPECT_EQ(grid.rowSpan(1, kind->index()), 3);
    EXPECT_EQ(grid.rowSpan(4, kind->index()), 1);
    EXPECT_EQ(grid.rowSpan(1, name->index()), 1);

    table.moveTo(4);
    table.edit();
    table.setValue(QStringLiteral("KIND"), 1);
    table.post();
    // now 1 2 2 1 1
    EXPECT_EQ(grid.rowSpan(1, kind->index()), 2);
    EXPECT_EQ(grid.rowSpan(3, kind->index()), 2);
}

TEST_F(DataGridTest, RowStylesColourEvenOddAndSelectedRows)
{
    GridStyles styles;
    styles.contentEven.background = QColor(0xF8, 0xF8, 0xFF);
    styles.contentOdd.background = QColor(0xD3, 0xE1, 0xEB);
    styles.selection.background = QColor(0x00, 0x00, 0x80);
    styles.inactive.background = QColor(0x00, 0x00, 0x80);
    grid.setStyles(styles);
    show();
    table.moveTo(3);
    const QImage image = grid.viewport()->grab().toImage();
    const auto colourAt = [&](int row) {
        const QRect r = grid.visualRect(cell(row, name));
        return image.pixelColor(r.right() - 3, r.center().y()); // clear of the text
    };
    EXPECT_EQ(colourAt(0), styles.contentEven.background);
    EXPECT_EQ(colourAt(1), styles.contentOdd.background);
    EXPECT_EQ(colourAt(2), styles.selection.background);
}

TEST_F(DataGridTest, DownOnTheLastRowAppendsWhenAllowed)
{
    show();
    grid.setFocus();
    table.last();
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(table.state(), MemTable::State::Browse);

    grid.setAppendAllowed(true);
    QSignalSpy keys(&grid, &DataGrid::keyPressed);
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(table.state(), MemTable::State::Insert);
    EXPECT_EQ(grid.currentIndex().row(), 3);
    QTest::keyClick(&grid, Qt::Key_Down); // an untouched new row gets no sibling
    EXPECT_EQ(grid.dataModel()->rowCount(), 4);
    ASSERT_EQ(keys.count(), 2);
    EXPECT_EQ(keys.at(0).at(0).toInt(), int(Qt::Key_Down));
}

// A picture of a grid with Chinese captions under a toolbar, for a person
// to look at (widgets_grid.png in the working directory).
TEST_F(DataGridTest, ScreenshotWithChineseText)
{
    QWidget form;
    form.setFont(QFont(QStringLiteral("WenQuanYi Micro Hei"), 10));
    auto* layout = new QVBoxLayout(&form);
    TdxBarManager bars(&form);
    QToolBar* bar = bars.addBar(QStringLiteral("dxBarManager1Bar1"), QStringLiteral("工具栏"));
    QMenu* menu = bars.addSubItem(bar, QStringLiteral("dxBarSubItem3"), QStringLiteral("菜单 "));
    bars.addButton(menu, QStringLiteral("btnHelp"), QStringLiteral("帮助"), -1, Qt::Key_F1);
    bars.addButton(bar, QStringLiteral("dxBarButton3"), QStringLiteral("保存"));
    bars.addButton(bar, QStringLiteral("Btn_Close"), QStringLiteral("关闭"), -1,
                   QKeySequence(Qt::CTRL | Qt::Key_Y));
    layout->addWidget(bar);
    auto* shot = new DataGrid(&form);
    configure(*shot);
    layout->addWidget(shot);
    shot->setHeaderGlyph(flag->index(), filled(Qt::darkGreen), false);
    at->setWidth(170);
    table.moveTo(2);
    form.resize(640, 260);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QString file = QStringLiteral("widgets_grid.png");
    EXPECT_TRUE(form.grab().save(file));
    EXPECT_FALSE(QImage(file).isNull());
}

} // namespace
