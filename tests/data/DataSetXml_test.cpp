// The save-document writer against the host's own XML document, obtained
// through the facade as the forms obtain it.
#include "../shell/ShellFixture.h"

#include "data/DataSetXml.h"

#include "host/xml/XmlDocument.h"
#include "platform/abi/Boundary.h"
#include "platform/abi/Exception.h"
#include "platform/abi/WideString.h"

#include <QProcess>
#include <QTemporaryDir>

using namespace cv;
using namespace cv::data;

namespace {

using Row = std::vector<QVariant>;

void fill(MemTable& table, const std::vector<FieldDef>& fields, const std::vector<Row>& rows)
{
    table.defineFields(fields);
    table.open();
    for (const Row& row : rows) {
        table.append();
        for (std::size_t i = 0; i < row.size(); ++i)
            table.setValue(int(i), row[i]);
        table.post();
    }
    table.first();
}

const QVariant kNull;
const QString kProlog = QStringLiteral("<?xml version=\"1.0\"?>");

class DataSetXmlTest : public cv::test::ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        host.state().xmlDocumentFactory = [] {
            return ComPtr<corvelian::ICVXMLDocument>::adopt(host::createXmlDocument());
        };
        startHost();
        document = app().CreateXMLDocument();
    }

    QString xml() const
    {
        WideString text;
        checkHost(document->GetXML(text.put()), document.get());
        return text.toQString();
    }

    // The attribute text of one attribute of the first row element.
    QString firstRowAttribute(const QString& path, const QString& name) const
    {
        ComPtr<corvelian::TCVXMLNode> row;
        checkHost(document->GetNodeByPath(wideArg(path), row.put()), document.get());
        WideString value;
        checkHost(row->GetAttribute(wideArg(name), value.put()), row.get());
        return value.toQString();
    }

    ComPtr<corvelian::ICVXMLDocument> document;
};

const std::vector<FieldDef> kApplication = {{QStringLiteral("VAA07"), FieldType::Integer},
                                            {QStringLiteral("BBY01"), FieldType::String, 20}};

TEST_F(DataSetXmlTest, WritesOneRowElementPerRecordAndLeavesNullsOut)
{
    struct Case {
        const char* name;
        std::vector<Row> rows;
        const char* body;
    };
    const Case cases[] = {
        {"null field left out",
         {{1, QStringLiteral("阿司匹林")}, {2, kNull}},
         R"(<Root><VDZ1><Ie RecordID="1" VAA07="1" BBY01="阿司匹林"/>)"
         R"(<Ie RecordID="2" VAA07="2"/></VDZ1></Root>)"},
        {"empty table", {}, "<Root><VDZ1/></Root>"},
        {"every field null", {{kNull, kNull}}, R"(<Root><VDZ1><Ie RecordID="1"/></VDZ1></Root>)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        document = app().CreateXMLDocument();
        MemTable table;
        fill(table, kApplication, c.rows);
        DataSetToXML(table, document.get(), QStringLiteral("/Root/VDZ1"));
        EXPECT_EQ(xml(), kProlog + QString::fromUtf8(c.body));
    }
}

TEST_F(DataSetXmlTest, WritesEachFieldTypeInItsOwnForm)
{
    struct Case {
        const char* name;
        FieldType type;
        QVariant value;
        const char* text;
    };
    const Case cases[] = {
        {"date-time with milliseconds", FieldType::DateTime,
         QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9, 123)), "2024-03-05 14:07:09:123"},
        {"date", FieldType::Date, QDate(2024, 3, 5), "2024-03-05 00:00:00:000"},
        {"time", FieldType::Time, QTime(8, 30), "1899-12-30 08:30:00:000"},
        {"blob", FieldType::Blob, QByteArray("\x0A\xFF", 2), "0AFF"},
        {"bytes", FieldType::VarBytes, QByteArray("\x00\x7F", 2), "007F"},
        {"currency as a plain number", FieldType::Currency, 12.5, "12.5"},
        {"float", FieldType::Float, 0.1, "0.1"},
        {"boolean", FieldType::Boolean, true, "1"},
        {"large integer", FieldType::LargeInt, qlonglong(1) << 40, "1099511627776"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        document = app().CreateXMLDocument();
        MemTable table;
        fill(table, {{QStringLiteral("V"), c.type, 10}}, {{c.value}, {kNull}});
        DataSetToXML(table, document.get(), QStringLiteral("/Root/T"));
        EXPECT_EQ(firstRowAttribute(QStringLiteral("/Root/T/Ie"), QStringLiteral("V")),
                  QString::fromUtf8(c.text));
        EXPECT_TRUE(xml().endsWith(QStringLiteral(R"(<Ie RecordID="2"/></T></Root>)")))
            << "a null value is left out";
    }
}

TEST_F(DataSetXmlTest, ElementFormWritesTextsInTheProcessFormats)
{
    MemTable table;
    fill(table,
         {{QStringLiteral("A"), FieldType::Float},
          {QStringLiteral("B"), FieldType::Boolean},
          {QStringLiteral("C"), FieldType::DateTime},
          {QStringLiteral("D"), FieldType::String, 10}},
         {{2.5, true, QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9, 123)), kNull}});
    DataSetToXML(table, document.get(), QStringLiteral("/Root/T"), QStringLiteral("Row"), false);
    EXPECT_EQ(xml(), kProlog + QStringLiteral("<Root><T><Row><RecordID>1</RecordID><A>2.5</A>"
                                              "<B>True</B><C>2024-03-05 14:07:09:123</C>"
                                              "</Row></T></Root>"));
}

TEST_F(DataSetXmlTest, RecordIdCountsTheWrittenRecordsOfEachTable)
{
    MemTable first;
    MemTable second;
    fill(first, kApplication, {{1, kNull}, {2, kNull}, {3, kNull}});
    fill(second, kApplication, {{7, kNull}, {8, kNull}, {9, kNull}});
    second.setFilter(QStringLiteral("VAA07 > 7"));
    second.setFiltered(true);
    DataSetToXML(first, document.get(), QStringLiteral("/Root/VEI1"));
    DataSetToXML(second, document.get(), QStringLiteral("/Root/VEJ1"));
    EXPECT_TRUE(xml().endsWith(QStringLiteral(
        R"(<VEJ1><Ie RecordID="1" VAA07="8"/><Ie RecordID="2" VAA07="9"/></VEJ1></Root>)")))
        << xml().toStdString();
    EXPECT_TRUE(xml().contains(QStringLiteral(R"(<Ie RecordID="3" VAA07="3"/></VEI1>)")));
}

TEST_F(DataSetXmlTest, LimitWritesFromTheCurrentRecordAndPlacesTheCursor)
{
    struct Case {
        const char* name;
        int limit;
        bool advance;
        const char* rows;
        int recNoAfter;
    };
    const Case cases[] = {
        {"limit 2, advance", 2, true, R"(<Ie RecordID="1" VAA07="2"/><Ie RecordID="2" VAA07="3"/>)",
         4},
        {"limit 2, no advance", 2, false,
         R"(<Ie RecordID="1" VAA07="2"/><Ie RecordID="2" VAA07="3"/>)", 3},
        {"no limit: all, cursor kept", 0, true,
         R"(<Ie RecordID="1" VAA07="1"/><Ie RecordID="2" VAA07="2"/>)"
         R"(<Ie RecordID="3" VAA07="3"/><Ie RecordID="4" VAA07="4"/><Ie RecordID="5" VAA07="5"/>)",
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        document = app().CreateXMLDocument();
        MemTable table;
        fill(table, kApplication, {{1, kNull}, {2, kNull}, {3, kNull}, {4, kNull}, {5, kNull}});
        table.moveTo(2);
        DataSetToXML(table, document.get(), QStringLiteral("/Root/T"), QStringLiteral("Ie"), true,
                     c.limit, c.advance);
        EXPECT_EQ(xml(), kProlog + QStringLiteral("<Root><T>") + QString::fromUtf8(c.rows) +
                             QStringLiteral("</T></Root>"));
        EXPECT_EQ(table.recNo(), c.recNoAfter);
    }
}

TEST_F(DataSetXmlTest, FieldListChoosesAndOrdersFieldsAndSkipsUnknownAndHiddenOnes)
{
    MemTable table;
    FieldDef hidden{QStringLiteral("B"), FieldType::Integer};
    hidden.visible = false;
    fill(table,
         {{QStringLiteral("A"), FieldType::Integer},
          hidden,
          {QStringLiteral("C"), FieldType::Integer}},
         {{1, 2, 3}});
    const QStringList names{QStringLiteral("C"), QStringLiteral("Nope"), QStringLiteral("B"),
                            QStringLiteral("A")};
    DataSetFieldsToXML(table, document.get(), QStringLiteral("/Root/All"), QStringLiteral("Ie"),
                       true, names);
    DataSetFieldsToXML(table, document.get(), QStringLiteral("/Root/Visible"), QStringLiteral("Ie"),
                       true, names, 0, true, true);
    EXPECT_EQ(xml(), kProlog + QStringLiteral(R"(<Root><All><Ie RecordID="1" C="3" B="2" A="1"/>)"
                                              R"(</All><Visible><Ie RecordID="1" C="3" A="1"/>)"
                                              R"(</Visible></Root>)"));
}

TEST_F(DataSetXmlTest, MarkupAndChineseTextStayWellFormed)
{
    const QString tricky = QStringLiteral(R"(a&b <c> "d" 'e' 用药申请]]>)");
    MemTable table;
    fill(table, kApplication, {{1, tricky}});
    DataSetToXML(table, document.get(), QStringLiteral("/Root/VDZ1"));
    DataSetToXML(table, document.get(), QStringLiteral("/Root/Elements"), QStringLiteral("Ie"),
                 false);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("save.xml"));
    checkHost(document->SaveToFile(wideArg(file)), document.get());
    QProcess lint;
    lint.start(QStringLiteral("xmllint"), {QStringLiteral("--noout"), file});
    ASSERT_TRUE(lint.waitForFinished());
    EXPECT_EQ(lint.exitCode(), 0) << lint.readAllStandardError().toStdString();

    // The text reads back to the very value.
    ComPtr<corvelian::ICVXMLDocument> reread = app().CreateXMLDocument();
    checkHost(reread->LoadXML(wideArg(xml())), reread.get());
    document = reread;
    EXPECT_EQ(firstRowAttribute(QStringLiteral("/Root/VDZ1/Ie"), QStringLiteral("BBY01")), tricky);
}

TEST_F(DataSetXmlTest, RefusesWithTheWritersMessages)
{
    MemTable closed;
    closed.defineFields(kApplication);
    EXPECT_THROW(
        {
            try {
                DataSetToXML(closed, document.get(), QStringLiteral("/Root/VDZ1"));
            } catch (const Exception& e) {
                EXPECT_EQ(e.message(), QStringLiteral("源数据集未打开."));
                throw;
            }
        },
        Exception);

    MemTable table;
    fill(table, kApplication, {{1, kNull}});
    EXPECT_THROW(
        {
            try {
                WriteRecordNodes(table, document.get(), nullptr, QStringLiteral("Ie"), true, {});
            } catch (const Exception& e) {
                EXPECT_EQ(e.message(), QStringLiteral("创建XML数据集节点失败."));
                throw;
            }
        },
        Exception);
}

TEST_F(DataSetXmlTest, AValueTheDocumentRefusesReportsItsReasonAndRestoresTheCursor)
{
    // "1X" is no XML name: the document refuses the attribute or element.
    for (const bool asAttributes : {true, false}) {
        SCOPED_TRACE(asAttributes ? "attributes" : "elements");
        document = app().CreateXMLDocument();
        MemTable table;
        fill(
            table,
            {{QStringLiteral("A"), FieldType::Integer}, {QStringLiteral("1X"), FieldType::Integer}},
            {{1, 1}, {2, 2}});
        table.moveTo(2);
        try {
            DataSetToXML(table, document.get(), QStringLiteral("/Root/T"), QStringLiteral("Ie"),
                         asAttributes);
            ADD_FAILURE() << "no exception";
        } catch (const Exception& e) {
            const QString prefix = QStringLiteral("XML节点赋值失败.");
            EXPECT_TRUE(e.message().startsWith(prefix)) << e.what();
            EXPECT_GT(e.message().size(), prefix.size()) << "no reason from the document";
        }
        EXPECT_EQ(table.recNo(), 2);
    }
}

} // namespace
