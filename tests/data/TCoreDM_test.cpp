#include "CoreDMFixture.h"

#include "platform/abi/Exception.h"
#include "platform/db/DbError.h"

using namespace cv;
using namespace cv::data;

namespace {

class CoreDMTest : public cv::test::CoreDMFixture {};

TEST_F(CoreDMTest, StageZeroTwiceCreatesOneDataModule)
{
    TCoreDM& dm = startCoreDM();
    CoreDMStage(shell::StageStart);
    EXPECT_EQ(CoreDM(), &dm);
    CoreDMStage(shell::StageClosing);
    EXPECT_EQ(CoreDM(), &dm);
    CoreDMStage(shell::StageStop);
    EXPECT_EQ(CoreDM(), nullptr);
}

TEST_F(CoreDMTest, AFailingStatementIsLoggedThenRolledBackAndItsErrorReachesTheCaller)
{
    TCoreDM& dm = startCoreDM();
    try {
        dm.RunStatement(nullptr, QStringLiteral("INSERT INTO Missing VALUES (1)"), true);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.code(), db::kStatementError);
        EXPECT_TRUE(e.message().contains(QStringLiteral("no such table: Missing"))) << e.what();
    }
    const auto& entries = host.log().entries();
    ASSERT_EQ(entries.size(), 5u);
    struct Expected {
        int level;
        const char* title;
        const char* textStart;
    };
    const Expected expected[] = {
        {0, "执行详情", "--脚本:\r\nINSERT INTO Missing VALUES (1)\r\n\r\n备注:"},
        {4, "SQL执行", "INSERT INTO Missing VALUES (1)"},
        {5, "SQL执行失败", "错误ID:-2147217900\r\n来源:SQLite\r\n描述:"},
        {0, "回滚事物", "--脚本:\r\nINSERT INTO Missing VALUES (1)\r\n\r\n备注:"},
        {4, "SQL执行", "IF @@TRANCOUNT>0 ROLLBACK TRAN"},
    };
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].source, QStringLiteral("CoreDm")) << i;
        EXPECT_EQ(entries[i].level, expected[i].level) << i;
        EXPECT_EQ(entries[i].title, QString::fromUtf8(expected[i].title)) << i;
        EXPECT_TRUE(entries[i].text.startsWith(QString::fromUtf8(expected[i].textStart)))
            << i << ": " << entries[i].text.toStdString();
    }
}

TEST_F(CoreDMTest, AnOpenTransactionIsRolledBackAfterAFailure)
{
    TCoreDM& dm = startCoreDM();
    hostSql(QStringLiteral("CREATE TABLE T (A INT)"));
    dm.RunStatement(nullptr, QStringLiteral("BEGIN"), true);
    dm.RunStatement(nullptr, QStringLiteral("INSERT INTO T VALUES (1)"), true);
    EXPECT_THROW(dm.RunStatement(nullptr, QStringLiteral("INSERT INTO T VALUES ('x', 2)"), true),
                 Exception);
    // Seen from the module's own connection: the row is gone, no transaction is open.
    MemTable table;
    dm.OpenSQLToTable(table, QStringLiteral("SELECT * FROM T"), false);
    EXPECT_EQ(table.recordCount(), 0);
    EXPECT_NO_THROW(dm.RunStatement(nullptr, QStringLiteral("BEGIN"), true));
    dm.RollbackTransaction();
}

TEST_F(CoreDMTest, AProcedureThatFailsHalfwayLeavesNothing)
{
    TCoreDM& dm = startCoreDM();
    hostSql(QStringLiteral("CREATE TABLE T (A TEXT)"));
    hostSql(QStringLiteral("CREATE TABLE IF NOT EXISTS cv_procedures(name TEXT PRIMARY KEY "
                           "COLLATE NOCASE, params TEXT, body TEXT)"));
    hostSql(QStringLiteral("INSERT INTO cv_procedures VALUES ('SaveT', '@XML', "
                           "'INSERT INTO T VALUES (:XML); SELECT cv_raise(''申请已审批'');')"));
    auto query = dm.NewQuery(true);
    query->setSql(QStringLiteral("Exec SaveT :XML"));
    query->parameter(u"XML").setValue(QStringLiteral("<Root/>"));
    try {
        ExecDataSet(*query, false, 0, QString(), true, true, false);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("申请已审批"))) << e.what();
    }
    EXPECT_TRUE(database->run(QStringLiteral("SELECT * FROM T")).rows.empty());
    EXPECT_TRUE(coreLog()
                    .filter(QStringLiteral("回滚事物|"))
                    .first()
                    .contains(QStringLiteral("SET @Debug_XML = '<Root/>'")));
}

TEST_F(CoreDMTest, BuildDebugScriptRestatesParameters)
{
    struct Case {
        const char* name;
        const char* sql;
        bool parse;
        FieldType type;
        QVariant value;
        const char* expected;
    };
    const Case cases[] = {
        {"string", "Exec CVDoctorMedicationApply :XML", true, FieldType::String,
         QStringLiteral("<Root a=\"it's\"/>"),
         "--脚本:\r\nDECLARE @Debug_XML VARCHAR(8000)\r\nSET @Debug_XML = '<Root a=\"it''s\"/>'"
         "\r\nExec CVDoctorMedicationApply @Debug_XML\r\n"},
        {"integer", "Exec P :operate", true, FieldType::Integer, QVariant(1),
         "--脚本:\r\nDECLARE @Debug_operate Int\r\nSET @Debug_operate =1\r\nExec P "
         "@Debug_operate\r\n"},
        {"null integer", "Exec P :n", true, FieldType::Integer, QVariant(),
         "--脚本:\r\nDECLARE @Debug_n Int\r\nSET @Debug_n = NULL\r\nExec P @Debug_n\r\n"},
        {"boolean", "Exec P :b", true, FieldType::Boolean, QVariant(true),
         "--脚本:\r\nSET @Debug_b = 'True'\r\nExec P @Debug_b\r\n"},
        {"float", "Exec P :f", true, FieldType::Float, QVariant(2.5),
         "--脚本:\r\nDECLARE @Debug_f numeric(18, 6)\r\nSET @Debug_f =2.5\r\nExec P @Debug_f\r\n"},
        {"no parsing", "select ':x'", false, FieldType::Unknown, QVariant(),
         "--脚本:\r\nselect ':x'\r\n"},
        {"parsing without parameters", "select 1", true, FieldType::Unknown, QVariant(),
         "--脚本:\r\nselect 1\r\n"},
    };
    TCoreDM& dm = startCoreDM();
    for (const Case& c : cases) {
        auto query = dm.NewQuery(c.parse);
        query->setSql(QString::fromUtf8(c.sql));
        if (!query->parameters().empty()) {
            query->parameters()[0].type = c.type;
            query->parameters()[0].value = c.value;
        }
        EXPECT_EQ(BuildDebugScript(*query), QString::fromUtf8(c.expected)) << c.name;
    }
}

TEST_F(CoreDMTest, OpenSQLToTableRebuildsOrAppends)
{
    TCoreDM& dm = startCoreDM();
    hostSql(QStringLiteral("CREATE TABLE Drug (BBY01 INT, BBY05 VARCHAR(40))"));
    hostSql(QStringLiteral("INSERT INTO Drug VALUES (1, '阿莫西林'), (2, '头孢克肟')"));

    MemTable table;
    dm.OpenSQLToTable(table, QStringLiteral("SELECT BBY01, BBY05, BBY01 * 2 AS Twice FROM Drug"),
                      true);
    ASSERT_EQ(table.fieldCount(), 3);
    EXPECT_EQ(table.recordCount(), 2);
    EXPECT_TRUE(table.fieldDef(2).readOnly); // a computed column, kept read-only
    table.first();
    EXPECT_EQ(table.asString(QStringLiteral("BBY05")), QStringLiteral("阿莫西林"));

    dm.OpenSQLToTable(table, QStringLiteral("SELECT BBY01, BBY05, BBY01 * 2 AS Twice FROM Drug"),
                      false);
    EXPECT_FALSE(table.fieldDef(2).readOnly);

    // Rebuild off appends rows and keeps the structure; an empty result changes nothing.
    dm.OpenSQLToTable(table, QStringLiteral("SELECT 3, '布洛芬', 6"), false, false);
    EXPECT_EQ(table.recordCount(), 3);
    dm.OpenSQLToTable(table, QStringLiteral("SELECT * FROM Drug WHERE 0"), false, false);
    EXPECT_EQ(table.recordCount(), 3);
    EXPECT_EQ(table.fieldCount(), 3);

    // Rebuild on with an empty result: the result's columns and no rows.
    dm.OpenSQLToTable(table, QStringLiteral("SELECT BBY05 FROM Drug WHERE 0"), false);
    EXPECT_EQ(table.fieldCount(), 1);
    EXPECT_EQ(table.recordCount(), 0);
}

TEST_F(CoreDMTest, OpenSQLToTableWithACustomizeStepAddsFieldsBeforeTheRows)
{
    TCoreDM& dm = startCoreDM();
    MemTable table;
    dm.OpenSQLToTable(table, QStringLiteral("SELECT 1 AS A UNION ALL SELECT 2"), false, true, false,
                      [](MemTable& t) {
                          t.addField(FieldDef{QStringLiteral("FCheck"), FieldType::Integer});
                      });
    EXPECT_EQ(table.fieldCount(), 2);
    EXPECT_EQ(table.recordCount(), 2);
    EXPECT_TRUE(table.isNull(QStringLiteral("FCheck")));
}

TEST_F(CoreDMTest, OpenSQLToTableRefusesScriptMessages)
{
    TCoreDM& dm = startCoreDM();
    MemTable table;
    for (const QString& text :
         {QStringLiteral("脚本[1485]为空."), QStringLiteral("SELECT '药品不存在' AS Note")}) {
        try {
            dm.OpenSQLToTable(table, text, false);
            FAIL() << "no exception";
        } catch (const Exception& e) {
            EXPECT_EQ(e.message(), text);
        }
    }
    EXPECT_TRUE(coreLog().isEmpty());
}

TEST_F(CoreDMTest, MarkedStatementsRunOnTheSecondConnectionWhenTheHostHasOne)
{
    host::HostDatabase second(
        host::HostDatabase::sqliteConnectionString(dir.filePath(QStringLiteral("second.db"))));
    for (auto* connection : {&database->connection(), &second.connection()}) {
        db::Query q(connection, false);
        q.setSql(QStringLiteral("CREATE TABLE Marker (Name TEXT)"));
        q.execSql();
    }
    hostSql(QStringLiteral("INSERT INTO Marker VALUES ('primary')"));
    {
        db::Query q(&second.connection(), false);
        q.setSql(QStringLiteral("INSERT INTO Marker VALUES ('second')"));
        q.execSql();
    }
    struct Case {
        const char* name;
        double libraryVersion;
        bool offerSecond;
        const char* expected;
    };
    const Case cases[] = {
        {"version 3.0 with a second connection", 3.0, true, "second"},
        {"version 2.9", 2.9, true, "primary"},
        {"no second connection", 3.0, false, "primary"},
    };
    for (const Case& c : cases) {
        shell::TCvApplication::destroyInstance();
        shell::TCvApplication::createInstance();
        host.config().libraryVersion = c.libraryVersion;
        host.state().secondConnection =
            c.offerSecond ? second.connectionObject() : ComPtr<corvelian::ICVUnknown>();
        TCoreDM& dm = startCoreDM();
        MemTable table;
        dm.OpenSQLToTable(table, QStringLiteral("SELECT Name FROM Marker --UseSlave"), false);
        EXPECT_EQ(table.asString(0), QString::fromUtf8(c.expected)) << c.name;
        dm.OpenSQLToTable(table, QStringLiteral("SELECT Name FROM Marker"), false);
        EXPECT_EQ(table.asString(0), QStringLiteral("primary")) << c.name;
    }
}

TEST_F(CoreDMTest, TheQueryGetsItsConnectionBackAfterRouting)
{
    host::HostDatabase second(
        host::HostDatabase::sqliteConnectionString(dir.filePath(QStringLiteral("second.db"))));
    host.state().secondConnection = second.connectionObject();
    TCoreDM& dm = startCoreDM();
    ASSERT_TRUE(dm.HasOwnSlaveConnection());

    auto query = dm.NewQuery(false);
    query->setSql(QStringLiteral("SELECT 1 --UseSlave"));
    ExecDataSet(*query, true, 0, QString(), false, false, false);
    EXPECT_EQ(query->connection(), &dm.ADOConnection1());
    query->setSql(QStringLiteral("SELECT * FROM Nothing --UseSlave"));
    EXPECT_THROW(ExecDataSet(*query, true, 0, QString(), false, false, false), Exception);
    EXPECT_EQ(query->connection(), &dm.ADOConnection1());

    // A query on a third connection is never rerouted.
    db::Connection third(
        host::HostDatabase::sqliteConnectionString(dir.filePath(QStringLiteral("third.db"))));
    db::Query own(&third, false);
    own.setSql(QStringLiteral("CREATE TABLE OnlyHere (A INT) --UseSlave"));
    ExecDataSet(own, false, 0, QString(), false, false, false);
    EXPECT_EQ(own.connection(), &third);
    own.setSql(QStringLiteral("SELECT * FROM OnlyHere --UseSlave"));
    EXPECT_NO_THROW(ExecDataSet(own, true, 0, QString(), false, false, false));
}

TEST_F(CoreDMTest, AFailingRollbackReplacesTheError)
{
    host::HostDatabase second(
        host::HostDatabase::sqliteConnectionString(dir.filePath(QStringLiteral("second.db"))));
    host.state().secondConnection = second.connectionObject();
    app().RegisterLifecycleCallback(CoreDMStage);
    startHost();
    TCoreDM& dm = *CoreDM(); // primary connection never configured
    auto query = dm.NewQuery(false);
    query->setSql(QStringLiteral("DELETE FROM Nothing --UseSlave"));
    try {
        ExecDataSet(*query, false, 0, QStringLiteral("删除"), true, true, false);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.code(), db::kConnectionError) << e.what();
    }
}

TEST_F(CoreDMTest, OnlyALostConnectionClosesIt)
{
    TCoreDM& dm = startCoreDM();
    const db::DbError statement{db::kStatementError, QStringLiteral("SQLite"),
                                QStringLiteral("constraint failed")};
    dm.ADOConnection1ExecuteComplete(&statement);
    EXPECT_TRUE(dm.ADOConnection1().isConnected());
    EXPECT_TRUE(host.state().progress.empty());

    const db::DbError lost{db::kConnectionError, QStringLiteral("ODBC"),
                           QStringLiteral("连接已断开")};
    dm.ADOConnection1ExecuteComplete(&lost);
    EXPECT_FALSE(dm.ADOConnection1().isConnected());
    ASSERT_EQ(host.state().progress.size(), 1u);
    EXPECT_EQ(host.state().progress[0].kind, 4);
    EXPECT_EQ(coreLog().last(),
              QStringLiteral("SQL执行失败|错误ID:-2147467259\r\n来源:ODBC\r\n描述:连接已断开"));

    dm.ADOConnection1ExecuteComplete(nullptr);
    EXPECT_EQ(coreLog().size(), 2);
}

TEST_F(CoreDMTest, AttachConnectionSharesTheHostConnectionOrRefusesOtherObjects)
{
    TCoreDM& dm = startCoreDM();
    hostSql(QStringLiteral("CREATE TABLE Shared (A INT)"));
    hostSql(QStringLiteral("INSERT INTO Shared VALUES (42)"));
    dm.AttachConnection(database->connectionObject().get());
    MemTable table;
    dm.OpenSQLToTable(table, QStringLiteral("SELECT A FROM Shared"), false);
    EXPECT_EQ(table.asInteger(0), 42);

    auto notAConnection = host.application();
    try {
        dm.AttachConnection(notAConnection.get());
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Interface not supported"));
    }
}

} // namespace
