#include "platform/text/NameValueList.h"

#include <gtest/gtest.h>

using cv::text::NameValueList;

namespace {

TEST(NameValueList, ParsesCrLfAndBareBreaks)
{
    EXPECT_EQ(NameValueList::fromText(u"a=1\r\nb=2\r\n"_qs).count(), 2);
    EXPECT_EQ(NameValueList::fromText(u"a=1\nb=2"_qs).count(), 2);
    EXPECT_EQ(NameValueList::fromText(u"a=1\rb=2\n"_qs).count(), 2);
    const auto list = NameValueList::fromText(u"a=1\r\n\r\nb=2"_qs);
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.line(1), QString());
    EXPECT_EQ(NameValueList::fromText(QString()).count(), 0);
    EXPECT_EQ(NameValueList::fromText(u"\r\n"_qs).count(), 1);
}

TEST(NameValueList, ValuesIgnoreCaseAndTheFirstLineWins)
{
    const auto list =
        NameValueList::fromText(u"vaa01=12\r\nVAA07=34\r\nvaa07=56\r\nAcf01=2\r\n"_qs);
    EXPECT_EQ(list.value(u"VAA01"_qs), u"12"_qs);
    EXPECT_EQ(list.value(u"vaa07"_qs), u"34"_qs);
    EXPECT_EQ(list.value(u"ACF01"_qs), u"2"_qs);
    EXPECT_EQ(list.value(u"missing"_qs), QString());
    EXPECT_EQ(list.indexOfName(u"Vaa07"_qs), 1);
    EXPECT_EQ(list.indexOfName(u"missing"_qs), -1);
}

TEST(NameValueList, NamesAndValuesAtIndex)
{
    const auto list = NameValueList::fromText(u"a=1=2\r\nnoequals\r\n=x\r\n名称=值\r\n"_qs);
    EXPECT_EQ(list.name(0), u"a"_qs);
    EXPECT_EQ(list.valueAt(0), u"1=2"_qs);
    EXPECT_EQ(list.value(u"a"_qs), u"1=2"_qs);
    EXPECT_EQ(list.name(1), QString());
    EXPECT_EQ(list.valueAt(1), QString());
    EXPECT_EQ(list.indexOfName(u"noequals"_qs), -1);
    EXPECT_EQ(list.indexOfName(QString()), 2);
    EXPECT_EQ(list.value(u"名称"_qs), u"值"_qs);
}

TEST(NameValueList, SetValueReplacesAppendsAndRemoves)
{
    auto list = NameValueList::fromText(u"a=1\r\nb=2\r\nB=3\r\n"_qs);
    list.setValue(u"B"_qs, u"9"_qs); // first matching line, written with the given name
    EXPECT_EQ(list.text(), u"a=1\r\nB=9\r\nB=3\r\n"_qs);
    list.setValue(u"new"_qs, u"x"_qs);
    EXPECT_EQ(list.text(), u"a=1\r\nB=9\r\nB=3\r\nnew=x\r\n"_qs);
    list.setValue(u"b"_qs, QString()); // an empty value removes the first matching line
    EXPECT_EQ(list.text(), u"a=1\r\nB=3\r\nnew=x\r\n"_qs);
    EXPECT_EQ(list.value(u"b"_qs), u"3"_qs);
    list.setValue(u"missing"_qs, QString());
    EXPECT_EQ(list.count(), 3);
    list.clear();
    EXPECT_TRUE(list.isEmpty());
    EXPECT_EQ(list.text(), QString());
}

TEST(NameValueList, TextEndsEveryLineWithCrLf)
{
    NameValueList list;
    list.setValue(u"##NoDialog"_qs, u"1"_qs);
    list.add(u"plain line"_qs);
    EXPECT_EQ(list.text(), u"##NoDialog=1\r\nplain line\r\n"_qs);
    EXPECT_EQ(NameValueList::fromText(list.text()), list);
    EXPECT_EQ(NameValueList::fromText(u"x=1\ny=2"_qs).text(), u"x=1\r\ny=2\r\n"_qs);
}

} // namespace
