#include "FakeRecordSource.h"

#include "platform/abi/Exception.h"
#include "platform/memtable/MemTable.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QPoint>

using namespace cv;
using namespace cv::test;
using testing::ElementsAre;
using testing::HasSubstr;

namespace {

// Rows of ID 1..n with NAME "n<id>".
class MemTableTest : public testing::Test {
protected:
    void SetUp() override
    {
        table.defineFields({{QStringLiteral("ID"), FieldType::Integer},
                            {QStringLiteral("NAME"), FieldType::WideString, 40},
                            {QStringLiteral("AMOUNT"), FieldType::Currency},
                            {QStringLiteral("DT"), FieldType::DateTime}});
        table.open();
    }

    void addRows(int n)
    {
        for (int i = 1; i <= n; ++i) {
            table.append();
            table.setValue(QStringLiteral("ID"), i);
            table.setValue(QStringLiteral("NAME"), QStringLiteral("n%1").arg(i));
            table.post();
        }
    }

    std::vector<int> ids()
    {
        std::vector<int> out;
        const auto bm = table.bookmark();
        for (table.first(); !table.eof(); table.next())
            out.push_back(table.asInteger(QStringLiteral("ID")));
        if (table.bookmarkValid(bm))
            table.gotoBookmark(bm);
        return out;
    }

    int currentId() { return table.asInteger(QStringLiteral("ID")); }

    MemTable table;
};

std::string messageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const Exception& e) {
        return e.what();
    }
    return "<no exception>";
}

} // namespace

// ------------------------------------------------------------ navigation

TEST_F(MemTableTest, EmptyTableIsAtBothEndsWithNullValues)
{
    table.first();
    EXPECT_TRUE(table.bof());
    EXPECT_TRUE(table.eof());
    EXPECT_TRUE(table.isEmpty());
    EXPECT_EQ(table.recNo(), 0);
    table.next();
    table.last();
    EXPECT_TRUE(table.eof());
    EXPECT_TRUE(table.isNull(QStringLiteral("ID")));
    EXPECT_EQ(table.asString(QStringLiteral("NAME")), QString());
    EXPECT_FALSE(table.bookmarkValid(table.bookmark()));
}

TEST_F(MemTableTest, WalksRowsWithDelphiBofEofRules)
{
    addRows(3);
    table.first();
    EXPECT_TRUE(table.bof());
    EXPECT_FALSE(table.eof());
    table.next();
    EXPECT_FALSE(table.bof());
    EXPECT_EQ(table.recNo(), 2);
    table.next();
    EXPECT_FALSE(table.eof());
    table.next(); // past the last row: stays on it
    EXPECT_TRUE(table.eof());
    EXPECT_EQ(currentId(), 3);
    table.moveTo(1);
    table.prior();
    EXPECT_TRUE(table.bof());
    EXPECT_EQ(currentId(), 1);
    EXPECT_THAT(messageOf([&] { table.moveTo(4); }), HasSubstr("out of range"));
}

TEST_F(MemTableTest, CloseReleasesRowsAndKeepsFields)
{
    addRows(2);
    table.close();
    EXPECT_FALSE(table.active());
    EXPECT_EQ(table.recordCount(), 0);
    EXPECT_EQ(table.fieldCount(), 4);
    EXPECT_EQ(messageOf([&] { table.first(); }),
              "Cannot perform this operation on a closed dataset");
    table.open();
    EXPECT_TRUE(table.isEmpty());
}

TEST_F(MemTableTest, FieldsAreFoundWithoutRegardToCase)
{
    EXPECT_EQ(table.fieldIndex(QStringLiteral("name")), 1);
    EXPECT_EQ(table.fieldIndex(QStringLiteral("NOPE")), -1);
    EXPECT_EQ(messageOf([&] { table.value(QStringLiteral("NOPE")); }), "Field 'NOPE' not found");
    EXPECT_THAT(messageOf([&] {
                    table.addField({QStringLiteral("X"), FieldType::Integer});
                }),
                HasSubstr("open table"));
    table.close();
    EXPECT_EQ(messageOf([&] {
                  table.addField({QStringLiteral("id"), FieldType::Integer});
              }),
              "Duplicate field name 'id'");
}

// ------------------------------------------------------------ editing

TEST_F(MemTableTest, EditPostAndCancel)
{
    addRows(2);
    table.first();
    table.edit();
    table.setValue(QStringLiteral("NAME"), QStringLiteral("changed"));
    EXPECT_EQ(table.asString(QStringLiteral("NAME")), "changed");
    table.cancel();
    EXPECT_EQ(table.asString(QStringLiteral("NAME")), "n1");

    table.edit();
    table.setValue(QStringLiteral("NAME"), QVariant()); // null clears
    table.post();
    EXPECT_EQ(table.state(), MemTable::State::Browse);
    EXPECT_TRUE(table.isNull(QStringLiteral("NAME")));
    EXPECT_EQ(table.recordCount(), 2);
}

TEST_F(MemTableTest, InsertGoesBeforeCurrentRowAndAppendAtEnd)
{
    addRows(3);
    table.moveTo(2);
    table.insert();
    EXPECT_EQ(table.recNo(), 2);
    EXPECT_EQ(table.recordCount(), 3); // not counted until posted
    table.setValue(QStringLiteral("ID"), 10);
    table.post();
    EXPECT_EQ(currentId(), 10);
    EXPECT_THAT(ids(), ElementsAre(1, 10, 2, 3));

    table.moveTo(1);
    table.append();
    table.setValue(QStringLiteral("ID"), 20);
    table.post();
    EXPECT_EQ(table.recNo(), 5);
    EXPECT_THAT(ids(), ElementsAre(1, 10, 2, 3, 20));
}

TEST_F(MemTableTest, CancelledInsertLeavesNoRowAndReturnsToPreviousRow)
{
    addRows(3);
    table.moveTo(3);
    table.insert();
    table.setValue(QStringLiteral("ID"), 99);
    table.cancel();
    EXPECT_EQ(currentId(), 3);
    EXPECT_THAT(ids(), ElementsAre(1, 2, 3));
}

TEST_F(MemTableTest, MovingAwayPostsModifiedRowsAndDropsUntouchedInserts)
{
    addRows(2);
    table.first();
    table.edit();
    table.setValue(QStringLiteral("ID"), 7);
    table.next();
    EXPECT_EQ(table.state(), MemTable::State::Browse);
    table.append(); // nothing assigned: discarded by the move
    table.first();
    EXPECT_THAT(ids(), ElementsAre(7, 2));
}

TEST_F(MemTableTest, EditOnEmptyTableStartsInsert)
{
    table.edit();
    EXPECT_EQ(table.state(), MemTable::State::Insert);
}

TEST_F(MemTableTest, DeleteMovesToNextRowOrNewLast)
{
    struct Case {
        int deleteAt;
        std::vector<int> rest;
        int currentAfter;
    };
    for (const Case& c : {Case{2, {1, 3}, 3}, Case{3, {1, 2}, 2}, Case{1, {2, 3}, 2}}) {
        SCOPED_TRACE(c.deleteAt);
        table.emptyTable();
        addRows(3);
        table.moveTo(c.deleteAt);
        table.deleteRecord();
        EXPECT_EQ(currentId(), c.currentAfter);
        EXPECT_EQ(table.recordCount(), 2);
        EXPECT_THAT(ids(), testing::ElementsAreArray(c.rest));
    }
}

TEST_F(MemTableTest, DeletingTheOnlyRowEmptiesTheTable)
{
    addRows(1);
    table.deleteRecord();
    EXPECT_TRUE(table.isEmpty());
    EXPECT_TRUE(table.eof());
    EXPECT_THAT(messageOf([&] { table.deleteRecord(); }), HasSubstr("empty dataset"));
}

TEST_F(MemTableTest, DeleteDuringInsertOnlyCancelsTheInsert)
{
    addRows(2);
    table.append();
    table.deleteRecord();
    EXPECT_EQ(table.recordCount(), 2);
}

TEST_F(MemTableTest, WritingRequiresEditStateAndWritableField)
{
    addRows(1);
    EXPECT_EQ(messageOf([&] { table.setValue(QStringLiteral("ID"), 5); }),
              "Dataset not in edit or insert mode");
    table.setReadOnly(QStringLiteral("name"), true);
    table.edit();
    EXPECT_EQ(messageOf([&] { table.setValue(QStringLiteral("NAME"), QStringLiteral("x")); }),
              "Field 'NAME' cannot be modified");
    table.makeFieldsWritable();
    table.setValue(QStringLiteral("NAME"), QStringLiteral("x"));
    table.post();
    EXPECT_EQ(table.asString(QStringLiteral("NAME")), "x");
}

TEST_F(MemTableTest, UnconvertibleAssignmentsThrowAndKeepTheOldValue)
{
    table.close();
    table.addField({QStringLiteral("SMALL"), FieldType::SmallInt});
    table.open();
    addRows(1);
    table.edit();
    const std::pair<const char*, QVariant> cases[] = {
        {"ID", QStringLiteral("abc")},
        {"SMALL", 70000},
        {"DT", QStringLiteral("2024-02-30")},
        {"AMOUNT", QStringLiteral("1,5")},
        {"ID", QPoint(1, 2)},
    };
    for (const auto& [field, value] : cases) {
        SCOPED_TRACE(field);
        EXPECT_THAT(messageOf([&] { table.setValue(QString::fromLatin1(field), value); }),
                    HasSubstr(std::string("field '") + field + "'"));
    }
    EXPECT_EQ(currentId(), 1);
}

TEST_F(MemTableTest, ValuesConvertLikeDelphiFields)
{
    table.append();
    table.setValue(QStringLiteral("ID"), QStringLiteral(" 42 "));
    table.setValue(QStringLiteral("AMOUNT"), QStringLiteral("12.34565"));
    table.setValue(QStringLiteral("DT"), QStringLiteral("2024-03-05 14:07:09.123"));
    table.setValue(QStringLiteral("NAME"), QStringLiteral("17"));
    table.post();
    EXPECT_EQ(table.value(QStringLiteral("ID")), QVariant(42));
    EXPECT_EQ(table.asString(QStringLiteral("AMOUNT")), "12.3457"); // four decimals, rounded
    EXPECT_DOUBLE_EQ(table.value(QStringLiteral("AMOUNT")).toDouble(), 12.3457);
    EXPECT_EQ(table.asDateTime(QStringLiteral("DT")),
              QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9, 123)));
    EXPECT_EQ(table.asString(QStringLiteral("DT")), "2024-03-05 14:07:09");
    EXPECT_EQ(table.asInteger(QStringLiteral("NAME")), 17);
    EXPECT_TRUE(table.asBoolean(QStringLiteral("ID")));

    table.edit();
    table.setValue(QStringLiteral("NAME"), QStringLiteral("x"));
    table.setValue(QStringLiteral("ID"), QString()); // empty text clears a number
    table.post();
    EXPECT_TRUE(table.isNull(QStringLiteral("ID")));
    EXPECT_THAT(messageOf([&] { table.asInteger(QStringLiteral("NAME")); }),
                HasSubstr("not a valid integer"));
}

TEST_F(MemTableTest, ChineseTextRoundTrips)
{
    const QString text = QStringLiteral("阿莫西林胶囊 0.25g×24粒");
    table.append();
    table.setValue(QStringLiteral("NAME"), text);
    table.post();
    EXPECT_EQ(table.asString(QStringLiteral("NAME")), text);
    EXPECT_EQ(table.asBytes(QStringLiteral("NAME")), text.toUtf8());
    EXPECT_TRUE(table.locate(QStringLiteral("NAME"), QStringLiteral("阿莫西林"),
                             {.caseInsensitive = false, .partialKey = true}));
}

TEST(MemTableStorage, BytesOfEverySizeRoundTrip)
{
    MemTable t;
    t.defineFields({{QStringLiteral("B"), FieldType::Blob}});
    t.open();
    const int sizes[] = {0, 1, 4095, 4096, 5000, 1 << 20, (1 << 20) + 1, 3 << 20, 7};
    std::vector<QByteArray> values;
    for (int size : sizes) {
        values.push_back(QByteArray(size, char('a' + values.size())));
        t.append();
        t.setValue(0, values.back());
        t.post();
    }
    int i = 0;
    for (t.first(); !t.eof(); t.next(), ++i) {
        SCOPED_TRACE(sizes[i]);
        EXPECT_FALSE(t.isNull(0)); // empty is not null
        EXPECT_EQ(t.asBytes(0), values[std::size_t(i)]);
    }
}

TEST_F(MemTableTest, RepeatedTextEditsKeepOtherRowsAndBoundedMemory)
{
    addRows(3);
    table.moveTo(2);
    const QString long100(100, QLatin1Char('x'));
    for (int i = 0; i < 3000; ++i) {
        table.edit();
        table.setValue(QStringLiteral("NAME"), long100 + QString::number(i));
        table.post();
    }
    EXPECT_EQ(table.asString(QStringLiteral("NAME")), long100 + QStringLiteral("2999"));
    table.first();
    EXPECT_EQ(table.asString(QStringLiteral("NAME")), "n1");
    table.last();
    EXPECT_EQ(table.asString(QStringLiteral("NAME")), "n3");
    EXPECT_LT(table.memoryUsage(), 200u * 1024u); // 3000 x 104 bytes would be ~300 KiB
}

// ------------------------------------------------------------ bookmarks and locate

TEST_F(MemTableTest, BookmarksSurviveChangesToOtherRows)
{
    addRows(4);
    table.moveTo(3);
    const auto third = table.bookmark();
    table.moveTo(1);
    const auto first = table.bookmark();
    table.deleteRecord();
    table.insert();
    table.setValue(QStringLiteral("ID"), 50);
    table.post();
    ASSERT_TRUE(table.bookmarkValid(third));
    table.gotoBookmark(third);
    EXPECT_EQ(currentId(), 3);
    EXPECT_FALSE(table.bookmarkValid(first));
    EXPECT_EQ(messageOf([&] { table.gotoBookmark(first); }), "Record not found");

    table.emptyTable();
    addRows(4);
    EXPECT_FALSE(table.bookmarkValid(third)); // slots of an emptied table are not the old rows
}

TEST_F(MemTableTest, LocateMatchesByOptions)
{
    addRows(3);
    table.first();
    table.edit();
    table.setValue(QStringLiteral("NAME"), QStringLiteral("Alpha"));
    table.post();
    struct Case {
        const char* fields;
        QVariant values;
        LocateOptions options;
        int foundId; // 0: not found
    };
    const Case cases[] = {
        {"NAME", QStringLiteral("n2"), {}, 2},
        {"name", QStringLiteral("ALPHA"), {}, 0},
        {"NAME", QStringLiteral("ALPHA"), {.caseInsensitive = true}, 1},
        {"NAME", QStringLiteral("Al"), {}, 0},
        {"NAME", QStringLiteral("al"), {.caseInsensitive = true, .partialKey = true}, 1},
        {"ID;NAME", QVariantList{3, QStringLiteral("n3")}, {}, 3},
        {"ID;NAME", QVariantList{3, QStringLiteral("n2")}, {}, 0},
        {"ID", QStringLiteral("2"), {}, 2},
        {"AMOUNT", QVariant(), {}, 1}, // null matches null
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fields + (" " + c.values.toString().toStdString()));
        table.last();
        EXPECT_EQ(table.locate(QString::fromLatin1(c.fields), c.values, c.options), c.foundId != 0);
        EXPECT_EQ(currentId(), c.foundId != 0 ? c.foundId : 3);
    }
    EXPECT_THAT(messageOf([&] { table.locate(QStringLiteral("ID;NAME"), 1); }),
                HasSubstr("one value per field"));
}

// ------------------------------------------------------------ events

TEST_F(MemTableTest, InsertEventsComeInDelphiOrder)
{
    addRows(1);
    std::vector<std::string> log;
    auto& ev = table.events();
    ev.afterInsert = [&](MemTable& t) {
        log.push_back("afterInsert");
        t.setValue(QStringLiteral("ID"), 0); // forms fill defaults here
    };
    ev.afterScroll = [&](MemTable& t) {
        log.push_back("afterScroll " + t.asString(QStringLiteral("ID")).toStdString());
    };
    ev.beforePost = [&](MemTable&) { log.push_back("beforePost"); };
    ev.afterPost = [&](MemTable&) { log.push_back("afterPost"); };
    ev.afterDelete = [&](MemTable&) { log.push_back("afterDelete"); };

    table.append();
    table.post();
    table.next(); // already on the last row: no scroll
    table.first();
    table.deleteRecord();
    EXPECT_THAT(log, ElementsAre("afterInsert", "afterScroll 0", "beforePost", "afterPost",
                                 "afterScroll 1", "afterDelete", "afterScroll 0"));
}

TEST_F(MemTableTest, RefusedPostKeepsTheRowUnposted)
{
    addRows(1);
    table.events().beforePost = [](MemTable& t) {
        if (t.isNull(QStringLiteral("NAME")))
            throw Exception(QStringLiteral("NAME required"));
    };
    table.append();
    table.setValue(QStringLiteral("ID"), 2);
    EXPECT_EQ(messageOf([&] { table.post(); }), "NAME required");
    EXPECT_EQ(table.state(), MemTable::State::Insert);
    EXPECT_EQ(table.recordCount(), 1);
    EXPECT_EQ(messageOf([&] { table.first(); }), "NAME required"); // the move posts
    table.setValue(QStringLiteral("NAME"), QStringLiteral("ok"));
    table.post();
    EXPECT_THAT(ids(), ElementsAre(1, 2));
}

TEST_F(MemTableTest, ChangeListenerHearsRowLevelChanges)
{
    addRows(2);
    std::vector<std::pair<MemTable::DataChange::Kind, int>> seen;
    using K = MemTable::DataChange::Kind;
    const int id = table.addChangeListener([&](const MemTable::DataChange& c) {
        if (c.kind != K::StateChanged && c.kind != K::CurrentChanged)
            seen.emplace_back(c.kind, c.row);
    });
    table.moveTo(2);
    table.insert();
    table.setValue(QStringLiteral("ID"), 9);
    table.post();
    table.edit();
    table.setValue(QStringLiteral("ID"), 8);
    table.post();
    table.deleteRecord();
    table.removeChangeListener(id);
    table.emptyTable();
    EXPECT_THAT(seen, ElementsAre(std::pair(K::RowInserted, 1), std::pair(K::RowChanged, 1),
                                  std::pair(K::RowChanged, 1), std::pair(K::RowRemoved, 1)));
}

TEST_F(MemTableTest, NestedFreezeSendsOneResetAtTheEnd)
{
    addRows(3);
    std::vector<MemTable::DataChange::Kind> seen;
    table.addChangeListener([&](const MemTable::DataChange& c) { seen.push_back(c.kind); });
    int scrolls = 0;
    table.events().afterScroll = [&](MemTable&) { ++scrolls; };

    table.disableControls();
    table.disableControls();
    for (table.first(); !table.eof(); table.next()) {
        table.edit();
        table.setValue(QStringLiteral("AMOUNT"), 1);
        table.post();
    }
    table.enableControls();
    EXPECT_TRUE(table.controlsDisabled());
    EXPECT_TRUE(seen.empty());
    table.enableControls();
    EXPECT_FALSE(table.controlsDisabled());
    EXPECT_THAT(seen, ElementsAre(MemTable::DataChange::Kind::Reset));
    EXPECT_EQ(scrolls, 3); // events still reach the form while frozen

    seen.clear();
    table.disableControls();
    table.enableControls();
    EXPECT_TRUE(seen.empty()); // nothing changed, nothing to redraw
    EXPECT_THAT(messageOf([&] { table.enableControls(); }), HasSubstr("without"));
}

// ------------------------------------------------------------ loading

namespace {

FieldDef col(const char* name, FieldType type, int size = 0)
{
    return {QString::fromLatin1(name), type, size, true, true};
}

} // namespace

TEST(MemTableLoad, BuildsFieldsSkippingColumnsItCannotHold)
{
    FakeRecordSource src({col("A", FieldType::Integer), col("B", FieldType::Unknown),
                          col("a", FieldType::String), col("C", FieldType::WideString, 20)},
                         {});
    MemTable t;
    t.load(src);
    ASSERT_EQ(t.fieldCount(), 2);
    EXPECT_EQ(t.fieldDef(0).name, "A");
    EXPECT_EQ(t.fieldDef(1).name, "C");
    EXPECT_EQ(t.fieldDef(1).size, 20);
    EXPECT_TRUE(t.fieldDef(1).readOnly); // kept until makeFieldsWritable
    EXPECT_TRUE(t.active());
    EXPECT_TRUE(t.isEmpty());
    t.makeFieldsWritable();
    EXPECT_FALSE(t.fieldDef(0).readOnly);
}

TEST(MemTableLoad, ConvertsCellsAndNullsWhatDoesNotFit)
{
    const std::string chinese = "头孢克肟分散片";
    FakeRecordSource src(
        {col("I", FieldType::Integer), col("S", FieldType::SmallInt), col("M", FieldType::Currency),
         col("D", FieldType::DateTime), col("DAY", FieldType::Date),
         col("T", FieldType::WideString), col("B", FieldType::Blob), col("F", FieldType::Float),
         col("OK", FieldType::Boolean)},
        {
            Row{std::int64_t(7), std::int64_t(12), std::string("0.1"),
                std::string("2024-03-05 14:07:09.123"), std::string("2024-03-05 23:59:59"), chinese,
                Blob{0x0A, 0xFF}, 2.5, std::string("true")},
            Row{std::string("abc"), std::int64_t(70000), std::string("x"),
                std::string("not a date"), std::string("2024-13-01"), std::int64_t(15),
                std::monostate{}, std::string("1e400"), std::string("maybe")},
            Row{std::string("12"), 3.0, std::int64_t(5), std::int64_t(86400), 2460374.5, 3.25,
                std::string("raw"), std::int64_t(3), std::int64_t(0)},
        });
    MemTable t;
    t.load(src);
    ASSERT_EQ(t.recordCount(), 3);

    t.first();
    EXPECT_EQ(t.asInteger(QStringLiteral("I")), 7);
    EXPECT_EQ(t.asString(QStringLiteral("M")), "0.1");
    EXPECT_EQ(t.asDateTime(QStringLiteral("D")),
              QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9, 123)));
    EXPECT_EQ(t.value(QStringLiteral("DAY")), QVariant(QDate(2024, 3, 5)));
    EXPECT_EQ(t.asString(QStringLiteral("T")), QString::fromStdString(chinese));
    EXPECT_EQ(t.asBytes(QStringLiteral("B")), QByteArray("\x0A\xFF", 2));
    EXPECT_EQ(t.value(QStringLiteral("OK")), QVariant(true));

    t.next();
    for (const char* f : {"I", "S", "M", "D", "DAY", "B", "F", "OK"}) {
        SCOPED_TRACE(f);
        EXPECT_TRUE(t.isNull(QString::fromLatin1(f)));
    }
    EXPECT_EQ(t.asString(QStringLiteral("T")), "15");

    t.next();
    EXPECT_EQ(t.asInteger(QStringLiteral("I")), 12);
    EXPECT_EQ(t.asInteger(QStringLiteral("S")), 3);
    EXPECT_EQ(t.asFloat(QStringLiteral("M")), 5.0);
    EXPECT_EQ(t.asDateTime(QStringLiteral("D")), QDateTime(QDate(1970, 1, 2), QTime(0, 0)));
    EXPECT_EQ(t.value(QStringLiteral("DAY")), QVariant(QDate(2024, 3, 5))); // Julian day
    EXPECT_EQ(t.asString(QStringLiteral("T")), "3.25");
    EXPECT_EQ(t.value(QStringLiteral("OK")), QVariant(false));
}

TEST(MemTableLoad, AppendRowsMatchesFieldsByNameAndKeepsExistingRows)
{
    FakeRecordSource first({col("ID", FieldType::Integer), col("NAME", FieldType::String)},
                           {Row{std::int64_t(1), std::string("a")}});
    MemTable t;
    t.load(first);
    FakeRecordSource more({col("name", FieldType::String), col("EXTRA", FieldType::Integer)},
                          {Row{std::string("b"), std::int64_t(5)}});
    t.appendRows(more);
    ASSERT_EQ(t.recordCount(), 2);
    t.last();
    EXPECT_TRUE(t.isNull(QStringLiteral("ID")));
    EXPECT_EQ(t.asString(QStringLiteral("NAME")), "b");
    EXPECT_EQ(t.fieldCount(), 2);
}

TEST(MemTableLoad, SourceFailureLeavesNoPartialResult)
{
    const std::vector<FieldDef> cols{col("ID", FieldType::Integer), col("NAME", FieldType::String)};
    auto rows = [](int from, int count) {
        std::vector<Row> out;
        for (int i = from; i < from + count; ++i)
            out.push_back(Row{std::int64_t(i), "name" + std::to_string(i)});
        return out;
    };
    FakeRecordSource failing(cols, rows(1, 3));
    failing.failAfterRow(1);
    MemTable t;
    EXPECT_EQ(messageOf([&] { t.load(failing); }), "connection lost");
    EXPECT_FALSE(t.active()); // a rebuilt table stays closed, like a failed query

    // Sizes cross the storage's block boundaries.
    FakeRecordSource good(cols, rows(1, 1500));
    t.load(good);
    FakeRecordSource failingAgain(cols, rows(1501, 2000));
    failingAgain.failAfterRow(1200);
    EXPECT_THROW(t.appendRows(failingAgain), Exception);
    EXPECT_EQ(t.recordCount(), 1500); // appended rows are taken back
    t.last();
    EXPECT_EQ(t.asString(QStringLiteral("NAME")), "name1500");
    t.makeFieldsWritable();
    t.append(); // storage is consistent after the rollback
    t.setValue(QStringLiteral("NAME"), QStringLiteral("new"));
    t.post();
    EXPECT_EQ(t.asString(QStringLiteral("NAME")), "new");
    t.prior();
    EXPECT_EQ(t.asString(QStringLiteral("NAME")), "name1500");
}

TEST(MemTableLoad, LoadFiresAfterScrollOnTheFirstRow)
{
    FakeRecordSource src({col("ID", FieldType::Integer)},
                         {Row{std::int64_t(4)}, Row{std::int64_t(5)}});
    MemTable t;
    std::vector<int> scrolledTo;
    t.events().afterScroll = [&](MemTable& m) { scrolledTo.push_back(m.asInteger(0)); };
    t.load(src);
    EXPECT_THAT(scrolledTo, ElementsAre(4));
}

TEST_F(MemTableTest, CopyFromTakesFieldsAndVisibleRows)
{
    addRows(4);
    table.setFilter(QStringLiteral("ID >= 3"));
    table.setFiltered(true);
    MemTable copy;
    copy.copyFrom(table);
    EXPECT_EQ(copy.fieldCount(), 4);
    EXPECT_FALSE(copy.filtered());
    ASSERT_EQ(copy.recordCount(), 2);
    copy.last();
    EXPECT_EQ(copy.asString(QStringLiteral("NAME")), "n4");
}
