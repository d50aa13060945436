// The report template language and the decoding of what the module sends.
#include "host/services/ReportInput.h"
#include "host/services/ReportTemplate.h"

#include "platform/abi/Exception.h"
#include "platform/text/Hex.h"

#include <QDateTime>

#include <gtest/gtest.h>

using namespace cv;
using namespace cv::host;

namespace {

ReportTemplate::Input sampleInput()
{
    ReportTemplate::Input input;
    input.variables.insert(QStringLiteral("VAF01"), QStringLiteral("7"));
    input.variables.insert(QStringLiteral("ReportVar.0"), QStringLiteral("7"));
    input.variables.insert(QStringLiteral("Note"), QStringLiteral("<b>急</b>"));
    input.dataLists.insert(0, {QStringLiteral("甲"), QStringLiteral("乙")});
    return input;
}

// Answers a statement with :Key by one row per character of the bound value
// (none when it is empty), each in the column Key.
QueryResult echoRows(const QString& sql, const std::function<QVariant(const QString&)>& value)
{
    QueryResult result;
    result.columns = {QStringLiteral("Key"), QStringLiteral("Amount")};
    if (!sql.contains(QLatin1String(":Key")))
        return result;
    const QString key = value(QStringLiteral("Key")).toString();
    for (const QChar c : key)
        result.rows.push_back({QString(c), 2.5});
    return result;
}

TEST(ReportTemplateTest, FillsValuesListsAndQuerySections)
{
    struct Case {
        const char* templateText;
        const char* expected;
    };
    const Case cases[] = {
        {"单号{{vaf01}}/{{ReportVar.0}}/{{Unknown}}", "单号7/7/"},
        {"{{Note}}", "&lt;b&gt;急&lt;/b&gt;"},
        {"{{! a remark }}x", "x"},
        {"{{#list 0}}{{ItemNo}}.{{Item}};{{/list}}", "1.甲;2.乙;"},
        {"{{#list 3}}never{{/list}}empty", "empty"},
        {"{{#sql SELECT :Key}}{{Key}}{{/sql}}", ""},
        {"{{^sql S :Key}}无{{/sql}}", "无"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.templateText);
        EXPECT_EQ(ReportTemplate::parse(QString::fromUtf8(c.templateText))
                      .render(sampleInput(), echoRows),
                  QString::fromUtf8(c.expected));
    }

    ReportTemplate::Input input = sampleInput();
    input.variables.insert(QStringLiteral("Key"), QStringLiteral("ab"));
    EXPECT_EQ(ReportTemplate::parse(QStringLiteral("{{#sql SELECT :Key}}{{RowNo}}{{Key}}{{Amount}} "
                                                   "{{/sql}}"))
                  .render(input, echoRows),
              QStringLiteral("1a2.5 2b2.5 "));
    // An outer row's column shadows the variable of the same name.
    EXPECT_EQ(ReportTemplate::parse(
                  QStringLiteral("{{#sql S :Key}}{{#sql T :Key}}{{Key}}.{{/sql}}|{{/sql}}"))
                  .render(input, echoRows),
              QStringLiteral("a.|b.|"));
    input.dataLists.insert(1, {QStringLiteral("xy")});
    // A list item is in scope for the statements inside it.
    input.variables.remove(QStringLiteral("Key"));
    EXPECT_EQ(
        ReportTemplate::parse(
            QStringLiteral("{{#list 1}}{{#sql S :Key}}{{/sql}}{{#sql S :Item}}{{/sql}}{{/list}}"))
            .render(input,
                    [](const QString&, const auto& value) {
                        QueryResult r;
                        EXPECT_EQ(value(QStringLiteral("Item")).toString(), QStringLiteral("xy"));
                        EXPECT_TRUE(value(QStringLiteral("Key")).isNull());
                        return r;
                    }),
        QString());
}

TEST(ReportTemplateTest, RejectsMalformedTemplatesWithThePlace)
{
    const char* broken[] = {
        "a{{#list 0}}x",
        "{{/sql}}",
        "{{#foo}}{{/foo}}",
        "{{#list a}}{{/list}}",
        "{{#sql}}{{/sql}}",
        "{{a b}}",
        "{{x",
        "{{#list 0}}{{/sql}}",
        "{{^list 0}}{{/list}}",
    };
    for (const char* t : broken) {
        SCOPED_TRACE(t);
        try {
            ReportTemplate::parse(QString::fromUtf8(t));
            ADD_FAILURE() << "parsed";
        } catch (const Exception& e) {
            EXPECT_TRUE(e.message().startsWith(QStringLiteral("报表模板错误（第")));
        }
    }
    EXPECT_THROW(ReportTemplate::parse(QStringLiteral("{{#sql S}}x{{/sql}}")).render({}),
                 Exception);
}

TEST(ReportTemplateTest, ShowsValuesAsAClinicalFormReadsThem)
{
    EXPECT_EQ(ReportTemplate::valueText(2.5000), QStringLiteral("2.5"));
    EXPECT_EQ(ReportTemplate::valueText(3.0), QStringLiteral("3"));
    EXPECT_EQ(ReportTemplate::valueText(QDateTime(QDate(2024, 3, 5), QTime(0, 0))),
              QStringLiteral("2024-03-05"));
    EXPECT_EQ(ReportTemplate::valueText(QDateTime(QDate(2024, 3, 5), QTime(9, 30, 12))),
              QStringLiteral("2024-03-05 09:30"));
    EXPECT_EQ(ReportTemplate::valueText(QVariant()), QString());
}

// What the module's SetDataList produces: each value's code page 936 bytes
// as hex, one per line, and the whole text as hex again.
QString moduleDataList(int index, const QStringList& values)
{
    QString lines;
    for (const QString& v : values)
        lines += text::textToHex(v) + QStringLiteral("\r\n");
    return QString::number(index) + QLatin1Char('=') + text::textToHex(lines);
}

TEST(ReportInputTest, DecodesDataListsAndVariablesAsTheModuleSendsThem)
{
    EXPECT_EQ(decodeDataLists(QStringLiteral("0=3631363236330D0A")).value(0),
              QStringList{QStringLiteral("abc")});

    const QString sent = moduleDataList(0, {QStringLiteral("11,12,15")}) + QStringLiteral("\r\n") +
                         moduleDataList(2, {QStringLiteral("阿莫西林胶囊"), QString()}) +
                         QStringLiteral("\r\n");
    const QMap<int, QStringList> lists = decodeDataLists(sent);
    EXPECT_EQ(lists.value(0), QStringList{QStringLiteral("11,12,15")});
    EXPECT_EQ(lists.value(2), (QStringList{QStringLiteral("阿莫西林胶囊"), QString()}));
    EXPECT_FALSE(lists.contains(1));

    const QMap<QString, QString> vars = parseReportVariables(
        QStringLiteral("ReportVar.0=12\r\nVAF01=12\r\nnote=a=b\r\nvaf01=13\r\n"));
    EXPECT_EQ(vars.value(QStringLiteral("ReportVar.0")), QStringLiteral("12"));
    EXPECT_EQ(vars.value(QStringLiteral("vaf01")), QStringLiteral("13"));
    EXPECT_FALSE(vars.contains(QStringLiteral("VAF01")));
    EXPECT_EQ(vars.value(QStringLiteral("note")), QStringLiteral("a=b"));
}

} // namespace
