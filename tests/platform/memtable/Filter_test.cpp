#include "platform/abi/Exception.h"
#include "platform/memtable/MemTable.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace cv;
using testing::ElementsAre;
using testing::HasSubstr;

namespace {

class FilterTest : public testing::Test {
protected:
    void SetUp() override
    {
        table.defineFields({{QStringLiteral("ID"), FieldType::Integer},
                            {QStringLiteral("NAME"), FieldType::WideString, 20},
                            {QStringLiteral("FCheck"), FieldType::Integer},
                            {QStringLiteral("AMOUNT"), FieldType::Currency},
                            {QStringLiteral("DT"), FieldType::DateTime}});
        table.open();
        add(1, QStringLiteral("Apple"), 1, 1.5, QStringLiteral("2024-01-01"));
        add(2, QStringLiteral("banana"), 0, {}, QStringLiteral("2024-02-01 10:00"));
        add(3, {}, {}, 3, {});
        add(4, QStringLiteral("O'Neil"), 1, 10, QStringLiteral("2024-03-01"));
    }

    void add(int id, QVariant name, QVariant check, QVariant amount, QVariant dt)
    {
        table.append();
        table.setValue(QStringLiteral("ID"), id);
        table.setValue(QStringLiteral("NAME"), name);
        table.setValue(QStringLiteral("FCheck"), check);
        table.setValue(QStringLiteral("AMOUNT"), amount);
        table.setValue(QStringLiteral("DT"), dt);
        table.post();
    }

    std::vector<int> visibleIds()
    {
        std::vector<int> out;
        for (table.first(); !table.eof(); table.next())
            out.push_back(table.asInteger(QStringLiteral("ID")));
        return out;
    }

    MemTable table;
};

} // namespace

TEST_F(FilterTest, ExpressionsSelectTheMatchingRows)
{
    const std::pair<const char*, std::vector<int>> cases[] = {
        {"FCheck = 1", {1, 4}},
        {"fcheck <> 1", {2}}, // null compares false
        {"FCheck = NULL", {3}},
        {"FCheck IS NOT NULL", {1, 2, 4}},
        {"NOT FCheck = 1", {2, 3}},
        {"FCheck = 1 AND AMOUNT > 2", {4}},
        {"FCheck = 0 OR NAME = 'Apple'", {1, 2}},
        {"(FCheck = 1 OR FCheck = 0) AND NOT (NAME = 'banana')", {1, 4}},
        {"NAME = 'O''Neil'", {4}},
        {"NAME = 'b*'", {2}},
        {"NAME > 'a'", {2}},
        {"AMOUNT >= 1.5", {1, 3, 4}},
        {"ID < 1.5", {1}},
        {"DT < '2024-02-01'", {1}},
        {"DT >= '2024-02-01 10:00:00'", {2, 4}},
        {"1 = FCheck", {1, 4}},
        {"[NAME] = 'banana'", {2}},
        {"", {1, 2, 3, 4}},
    };
    table.setFiltered(true);
    for (const auto& [expr, expected] : cases) {
        SCOPED_TRACE(expr);
        table.setFilter(QString::fromLatin1(expr));
        EXPECT_EQ(visibleIds(), expected);
        EXPECT_EQ(table.recordCount(), int(expected.size()));
    }
}

TEST_F(FilterTest, SyntaxErrorsAreReportedAndKeepThePreviousFilter)
{
    table.setFilter(QStringLiteral("FCheck = 1"));
    table.setFiltered(true);
    const std::pair<const char*, const char*> cases[] = {
        {"FCheck =", "field or value expected"},
        {"FCheck = 1 AND", "field or value expected"},
        {"(FCheck = 1", "')' expected"},
        {"NAME = 'abc", "unterminated string"},
        {"FCheck 1", "comparison operator expected"},
        {"FCheck = NAME", "one field and one value"},
        {"1 = 1", "one field and one value"},
        {"FCheck > NULL", "NULL can only be compared"},
        {"FCheck = 1 #", "unexpected character '#'"},
    };
    for (const auto& [expr, message] : cases) {
        SCOPED_TRACE(expr);
        try {
            table.setFilter(QString::fromLatin1(expr));
            ADD_FAILURE() << "no error";
        } catch (const Exception& e) {
            EXPECT_THAT(e.what(), HasSubstr("Invalid filter expression"));
            EXPECT_THAT(e.what(), HasSubstr(message));
        }
    }
    EXPECT_EQ(table.filter(), "FCheck = 1");
    EXPECT_THAT(visibleIds(), ElementsAre(1, 4));
}

TEST_F(FilterTest, AFilterThatDoesNotFitTheFieldsSwitchesFilteringOff)
{
    for (const char* expr : {"NOPE = 1", "DT = 'abc'", "AMOUNT = 'x'"}) {
        SCOPED_TRACE(expr);
        table.setFilter(QString::fromLatin1(expr)); // fine while not filtered
        EXPECT_THROW(table.setFiltered(true), Exception);
        EXPECT_FALSE(table.filtered());
        EXPECT_EQ(table.recordCount(), 4);
    }
}

TEST_F(FilterTest, EditedAndInsertedRowsFollowTheFilter)
{
    table.setFilter(QStringLiteral("FCheck = 1"));
    table.setFiltered(true);
    table.first();
    table.edit();
    table.setValue(QStringLiteral("FCheck"), 0);
    table.post(); // no longer passes: hidden, cursor on the next visible row
    EXPECT_EQ(table.recordCount(), 1);
    EXPECT_EQ(table.asInteger(QStringLiteral("ID")), 4);

    add(5, QStringLiteral("new"), 1, {}, {});
    add(6, QStringLiteral("hidden"), 0, {}, {});
    EXPECT_THAT(visibleIds(), ElementsAre(4, 5));

    table.setFiltered(false);
    EXPECT_THAT(visibleIds(), ElementsAre(1, 2, 3, 4, 5, 6));
}

TEST_F(FilterTest, BookmarksOfHiddenRowsAreNotReachable)
{
    table.moveTo(2);
    const auto second = table.bookmark();
    table.setFilter(QStringLiteral("FCheck = 1"));
    table.setFiltered(true);
    EXPECT_FALSE(table.bookmarkValid(second));
    EXPECT_THROW(table.gotoBookmark(second), Exception);
    table.setFiltered(false);
    table.gotoBookmark(second);
    EXPECT_EQ(table.asInteger(QStringLiteral("ID")), 2);
}
