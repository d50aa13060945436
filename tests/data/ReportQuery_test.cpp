// Script queries through the host package "CV.System": the reference host's
// own package on its script store, and a scripted package where the test
// needs to see the request or choose the answer.
#include "CoreDMFixture.h"

#include "data/ReportQuery.h"

#include "host/system/ScriptStore.h"
#include "host/system/SystemPackage.h"
#include "platform/abi/ComObject.h"
#include "platform/abi/Exception.h"
#include "platform/abi/WideString.h"
#include "platform/text/Hex.h"

using namespace cv;
using namespace cv::data;
using namespace corvelian;

namespace {

// Records the request and answers what the test sets.
class ScriptedPackage : public ComObject<ICVExtention> {
public:
    CvStatus CV_CALL GetVersion(double* v) override { return *v = 1, CV_OK; }
    CvStatus CV_CALL GetName(CvBStr* n) override { return *n = nullptr, CV_OK; }
    CvStatus CV_CALL GetLastError(CvBStr* t) override { return *t = nullptr, CV_OK; }
    CvStatus CV_CALL GetModuleHandle(CvHandle* h) override { return *h = 0, CV_OK; }
    CvStatus CV_CALL GetInitialized(CvWordBool* i) override { return *i = CV_TRUE, CV_OK; }
    CvStatus CV_CALL CreateObject(ICVUnknown**, std::int32_t, const char16_t*,
                                  std::int32_t*) override
    {
        return CV_E_NOTIMPL;
    }
    CvStatus CV_CALL Execute(std::int32_t code, std::int32_t param, CvBStr* text,
                             std::int32_t* result) override
    {
        lastCode = code;
        lastParam = param;
        request = fromWide(*text);
        assignWide(text, answer);
        *result = resultCode;
        return CV_OK;
    }

    int lastCode = 0;
    int lastParam = 0;
    QString request;
    QString answer;
    int resultCode = 1;
};

QString sqlLine(const QString& statement)
{
    return QStringLiteral("$SQL=") + text::textToHex(statement);
}

QStringList fieldNames(const MemTable& table)
{
    QStringList names;
    for (const FieldDef& def : table.fieldDefs())
        names << def.name;
    return names;
}

class ReportQueryTest : public cv::test::CoreDMFixture {
protected:
    void SetUp() override
    {
        CoreDMFixture::SetUp();
        startCoreDM();
        hostSql(QStringLiteral(
            "CREATE TABLE cv_scripts (id INTEGER PRIMARY KEY, code TEXT UNIQUE, name TEXT NOT "
            "NULL, body TEXT NOT NULL)"));
        hostSql(QStringLiteral(
            "CREATE TABLE cv_script_params (script_id INTEGER NOT NULL, ord INTEGER NOT NULL, "
            "name TEXT NOT NULL, caption TEXT NOT NULL, kind TEXT NOT NULL DEFAULT 'text', "
            "default_value TEXT, PRIMARY KEY (script_id, ord))"));
        host.state().scriptSource = [db = database](int number) {
            return host::scriptBody(*db, number);
        };
        host::SystemPackage::install(host.state(), database);
        // A table with rows and a field no script returns.
        table.defineFields({{QStringLiteral("OLD"), FieldType::Integer}});
        table.open();
        table.append();
        table.setValue(0, 42);
        table.post();
    }

    void addScript(int id, const QString& code, const QString& body)
    {
        db::Query insert(&database->connection(), true);
        insert.setSql(QStringLiteral("INSERT INTO cv_scripts VALUES (:id, :code, 'n', :body)"));
        insert.parameter(u"id").setValue(id);
        insert.parameter(u"code").setValue(code);
        insert.parameter(u"body").setValue(body);
        insert.execSql();
    }

    ScriptedPackage& scriptPackage()
    {
        auto* package = new ScriptedPackage;
        host.state().packages.insert(QStringLiteral("CV.System"), ComPtr<ICVExtention>(package));
        return *package;
    }

    void expectTableUnchanged() const
    {
        EXPECT_EQ(fieldNames(table), QStringList{QStringLiteral("OLD")});
        EXPECT_EQ(table.recordCount(), 1);
    }

    MemTable table;
};

TEST_F(ReportQueryTest, LoadsAScriptWithChineseTextByteForByteAndRebuildsTheTable)
{
    hostSql(QStringLiteral("CREATE TABLE Drug (id INTEGER, name TEXT)"));
    hostSql(QStringLiteral("INSERT INTO Drug VALUES (1, '阿莫西林'), (2, '布洛芬')"));
    const QString body =
        QStringLiteral("SELECT id AS ID, name AS NAME FROM Drug WHERE name = '阿莫西林'");
    addScript(5, QStringLiteral("CV.Test.1"), body);

    Report_Query::OpenScriptById(&table, 5, QString(), true);
    EXPECT_EQ(fieldNames(table), (QStringList{QStringLiteral("ID"), QStringLiteral("NAME")}));
    ASSERT_EQ(table.recordCount(), 1);
    EXPECT_EQ(table.asString(QStringLiteral("NAME")), QStringLiteral("阿莫西林"));

    QString answer;
    Report_Query::FetchScript(5, true, true, QString(), answer);
    EXPECT_TRUE(answer.contains(QStringLiteral("B0A2C4AACEF7C1D6"))) << "code page 936 bytes";
    QString statement;
    Report_Query::FetchScript(5, false, true, QString(), statement);
    EXPECT_EQ(statement, body);
}

TEST_F(ReportQueryTest, RequestCarriesTheNoDialogMarkerInItsPlace)
{
    ScriptedPackage& package = scriptPackage();
    package.resultCode = 0;
    struct Case {
        const char* name;
        std::function<void()> call;
        QString request;
    };
    QString unused;
    const Case cases[] = {
        {"open, no dialog", [&] { Report_Query::OpenScriptById(&table, 7, QString(), true); },
         QStringLiteral("\r\n##NoDialog=1")},
        {"open, no dialog, lines",
         [&] { Report_Query::OpenScriptById(&table, 7, QStringLiteral("A=1"), true); },
         QStringLiteral("A=1\r\n##NoDialog=1")},
        {"open, dialog",
         [&] { Report_Query::OpenScriptById(&table, 7, QStringLiteral("A=1"), false); },
         QStringLiteral("A=1")},
        {"fetch, no dialog", [&] { Report_Query::FetchScript(7, true, true, QString(), unused); },
         QStringLiteral("##NoDialog=1\r\n")},
        {"fetch, no dialog, lines",
         [&] { Report_Query::FetchScript(7, true, true, QStringLiteral("A=1"), unused); },
         QStringLiteral("##NoDialog=1\r\nA=1")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.call();
        EXPECT_EQ(package.lastCode, 23);
        EXPECT_EQ(package.lastParam, 7);
        EXPECT_EQ(package.request, c.request);
    }
}

TEST_F(ReportQueryTest, AResultOtherThanOneLoadsAndChangesNothing)
{
    ScriptedPackage& package = scriptPackage();
    package.answer = sqlLine(QStringLiteral("SELECT 1 AS X"));
    for (const int code : {0, 2}) {
        SCOPED_TRACE(code);
        package.resultCode = code;
        EXPECT_NO_THROW(Report_Query::OpenScriptById(&table, 7, QString(), true));
        expectTableUnchanged();
        QString result = QStringLiteral("before");
        Report_Query::FetchScript(7, false, true, QString(), result);
        EXPECT_EQ(result, QStringLiteral("before"));
    }
}

TEST_F(ReportQueryTest, ParametersBindAsTextByNameWithTheHostsValueFirst)
{
    ScriptedPackage& package = scriptPackage();
    package.answer = sqlLine(QStringLiteral("SELECT :vaa01 AS A, :dup AS D, :callerOnly AS C, "
                                            ":missing IS NULL AS MissingIsNull, :missing AS M")) +
                     QStringLiteral("\r\nVAA01=7\r\ndup=host\r\nDUP=second\r\nUnused=1");
    Report_Query::OpenScriptById(&table, 7, QStringLiteral("dup=caller\r\ncallerOnly=c"), true);
    ASSERT_EQ(table.recordCount(), 1);
    EXPECT_EQ(table.asString(QStringLiteral("A")), QStringLiteral("7"));
    EXPECT_EQ(table.asString(QStringLiteral("D")), QStringLiteral("host"));
    EXPECT_EQ(table.asString(QStringLiteral("C")), QStringLiteral("c"));
    EXPECT_EQ(table.asInteger(QStringLiteral("MissingIsNull")), 0);
    EXPECT_EQ(table.asString(QStringLiteral("M")), QString());
}

TEST_F(ReportQueryTest, AssignParamsGivesEveryParameterSize8000AndNeverNull)
{
    db::Query query(&CoreDM()->ADOConnection1(), true);
    query.setSql(QStringLiteral("SELECT :a, :b"));
    Report_Query::AssignParams(query, text::NameValueList::fromText(QStringLiteral("A=1")), false);
    ASSERT_EQ(query.parameters().size(), 2u);
    for (const db::Parameter& p : query.parameters()) {
        EXPECT_EQ(p.size, 8000);
        EXPECT_FALSE(p.isNull()) << p.name.toStdString();
    }
    EXPECT_EQ(query.parameters()[0].value.toString(), QStringLiteral("1"));
    EXPECT_FALSE(query.isOpen());
}

TEST_F(ReportQueryTest, AFailingScriptIsReportedRolledBackAndLeavesTheTable)
{
    ScriptedPackage& package = scriptPackage();
    struct Case {
        const char* name;
        QString answer;
    };
    const Case cases[] = {
        {"statement fails", sqlLine(QStringLiteral("SELECT * FROM Missing"))},
        {"no $SQL line: empty statement", QStringLiteral("A=1")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.state().log.clear();
        package.answer = c.answer;
        EXPECT_THROW(Report_Query::OpenScriptById(&table, 7, QString(), true), Exception);
        expectTableUnchanged();
        EXPECT_EQ(coreLog().filter(QStringLiteral("回滚事物|")).size(), 1);
    }
}

TEST_F(ReportQueryTest, ADamagedStatementLineIsRefusedWithoutRunningAnything)
{
    ScriptedPackage& package = scriptPackage();
    // "DELETE FROM T" followed by a damaged pair: running the front would delete every row.
    package.answer = sqlLine(QStringLiteral("DELETE FROM T")) + QStringLiteral("ZZ");
    host.state().log.clear();
    try {
        Report_Query::OpenScriptById(&table, 7, QString(), true);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.message(), QStringLiteral("脚本语句的十六进制文本无效."));
    }
    EXPECT_TRUE(coreLog().isEmpty());
}

TEST_F(ReportQueryTest, MissingDataSetOrPackageIsRefusedBeforeTheDatabase)
{
    const QString noDataSet = QStringLiteral("请指定返回数据集对象。");
    struct Case {
        const char* name;
        std::function<void()> call;
        QString message;
    };
    const Case cases[] = {
        {"by id",
         [] { Report_Query::OpenScriptById(static_cast<MemTable*>(nullptr), 1, {}, true); },
         noDataSet},
        {"by code",
         [] {
             Report_Query::OpenScriptByCode(static_cast<MemTable*>(nullptr), QStringLiteral("X"),
                                            {}, true);
         },
         noDataSet},
        {"fill", [] { Report_Query::FillDataSet(static_cast<db::Query*>(nullptr), {}); },
         noDataSet},
        {"no package",
         [this] {
             host.state().packages.remove(QStringLiteral("CV.System"));
             Report_Query::OpenScriptById(&table, 1, {}, true);
         },
         QStringLiteral("程序包CV.System不存在.")},
    };
    host.state().log.clear();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            c.call();
            ADD_FAILURE() << "no exception";
        } catch (const Exception& e) {
            EXPECT_EQ(e.message(), c.message);
        }
    }
    EXPECT_TRUE(coreLog().isEmpty());
    expectTableUnchanged();
}

TEST_F(ReportQueryTest, OpenScriptByCodeRunsTheScriptOfThatCode)
{
    addScript(12, QStringLiteral("CV.Clinical.YS.ZLJHTC.000002"),
              QStringLiteral("SELECT 'A1' AS ACE01, '内科' AS ACE02"));
    Report_Query::OpenScriptByCode(&table, QStringLiteral("CV.Other"), QString(), false);
    expectTableUnchanged(); // unknown code: ID 0, which the host does not know

    Report_Query::OpenScriptByCode(&table, QStringLiteral("CV.Clinical.YS.ZLJHTC.000002"),
                                   QString(), false);
    ASSERT_EQ(table.recordCount(), 1);
    EXPECT_EQ(table.asString(QStringLiteral("ACE02")), QStringLiteral("内科"));
}

TEST_F(ReportQueryTest, AQueryIsOpenedWithTheScriptOnItsOwnConnection)
{
    db::Query query(&database->connection(), true);
    Report_Query::FillDataSet(&query, sqlLine(QStringLiteral("SELECT :v AS V")) +
                                          QStringLiteral("\r\nv=值"));
    EXPECT_EQ(query.connection(), &database->connection());
    ASSERT_TRUE(query.isOpen());
    EXPECT_EQ(query.records().value(0).toString(), QStringLiteral("值"));
}

} // namespace
