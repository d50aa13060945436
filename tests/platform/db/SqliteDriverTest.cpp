// What only the embedded driver does: T-SQL procedure calls and rollback,
// the XML-to-rows function, shared host handles, declared column types.
#include "DbTestSupport.h"

#include "platform/abi/Exception.h"
#include "platform/db/DbError.h"
#include "platform/db/SqliteTypes.h"

#include <corvelian/Interfaces.h>

#include <QFile>

#include <sqlite3.h>

using namespace cv::db;
using cv::FieldType;

namespace {

class SqliteTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_connection.setConnectionString(QStringLiteral("Provider=SQLite;Data Source=") +
                                         m_dir.filePath(QStringLiteral("t.db")));
        m_connection.open();
    }

    void exec(const QString& sql, const std::vector<std::pair<QString, QVariant>>& params = {})
    {
        Query q(&m_connection, !params.empty());
        q.setSql(sql);
        for (const auto& [name, value] : params)
            q.parameter(name).setValue(value);
        q.execSql();
    }

    Rows select(const QString& sql, const std::vector<std::pair<QString, QVariant>>& params = {})
    {
        Query q(&m_connection, !params.empty());
        q.setSql(sql);
        for (const auto& [name, value] : params)
            q.parameter(name).setValue(value);
        q.open();
        return readAll(q.records());
    }

    int count(const QString& table)
    {
        return select(QStringLiteral("SELECT count(*) FROM ") + table).at(0).at(0).toInt();
    }

    cv::Exception failure(const QString& sql,
                          const std::vector<std::pair<QString, QVariant>>& params = {})
    {
        try {
            exec(sql, params);
        } catch (const cv::Exception& e) {
            return e;
        }
        ADD_FAILURE() << "no error from " << sql.toStdString();
        return cv::Exception(QString());
    }

    // A procedure that logs the call, stores the document's rows and refuses
    // more than one row only after both writes.
    void createApplyProcedure()
    {
        exec(QStringLiteral("CREATE TABLE calls(operate INTEGER)"));
        exec(QStringLiteral("CREATE TABLE items(code TEXT, note TEXT)"));
        exec(
            QStringLiteral(
                "INSERT INTO cv_procedures VALUES ('CVTestApply', '@XML,@Operate', :body)"),
            {{"body",
              QStringLiteral(
                  "INSERT INTO calls VALUES (:Operate);\n"
                  "INSERT INTO items SELECT json_extract(attrs, '$.VAA07'), "
                  "json_extract(attrs, '$.NOTE') FROM cv_xml_rows(@xml, '/Root/VDZ1/Ie');\n"
                  "SELECT cv_raise('每次只能申请一条') WHERE (SELECT count(*) FROM items) > 1;")}});
    }

    QTemporaryDir m_dir;
    Connection m_connection;
};

const QString kTwoRows = QStringLiteral(
    "<Root><VDZ1><Ie RecordID=\"1\" VAA07=\"张三\" NOTE=\"a&amp;b &lt;c&gt; &quot;q&quot;\"/>"
    "<Ie RecordID=\"2\" VAA07=\"李四\"/></VDZ1></Root>");
const QString kOneRow = QStringLiteral("<Root><VDZ1><Ie VAA07=\"王五\"/></VDZ1></Root>");

} // namespace

TEST_F(SqliteTest, UnknownProcedureIsAStatementError)
{
    const cv::Exception e = failure(QStringLiteral("EXEC NoSuchProc"));
    EXPECT_EQ(e.code(), kStatementError);
    EXPECT_TRUE(e.message().contains(QStringLiteral("NoSuchProc")));
}

TEST_F(SqliteTest, ProcedureCallStoresItsWork)
{
    exec(QStringLiteral("CREATE TABLE cv_procedures(name TEXT PRIMARY KEY COLLATE NOCASE, "
                        "params TEXT, body TEXT)"));
    createApplyProcedure();
    exec(QStringLiteral("--UseSlave\nexecute dbo.cvtestapply :XML, :op"),
         {{"XML", kOneRow}, {"op", 2}});
    EXPECT_EQ(select(QStringLiteral("SELECT operate FROM calls")), (Rows{{2}}));
    EXPECT_EQ(select(QStringLiteral("SELECT code, note FROM items")),
              (Rows{{QStringLiteral("王五"), QVariant()}}));

    exec(QStringLiteral("EXEC CVTestApply @Operate = 3, @XML = NULL"));
    EXPECT_EQ(count(QStringLiteral("calls")), 2);
    EXPECT_EQ(failure(QStringLiteral("EXEC CVTestApply NULL, 1, 2")).code(), kStatementError);
}

TEST_F(SqliteTest, ProcedureFailingHalfwayLeavesNothingBehind)
{
    exec(QStringLiteral("CREATE TABLE cv_procedures(name TEXT PRIMARY KEY COLLATE NOCASE, "
                        "params TEXT, body TEXT)"));
    createApplyProcedure();
    const cv::Exception e =
        failure(QStringLiteral("Exec CVTestApply :XML, :op"), {{"XML", kTwoRows}, {"op", 1}});
    EXPECT_EQ(e.code(), kStatementError);
    EXPECT_EQ(e.message(), QStringLiteral("每次只能申请一条"));
    EXPECT_EQ(count(QStringLiteral("calls")), 0);
    EXPECT_EQ(count(QStringLiteral("items")), 0);

    // Inside a caller's transaction only the call is undone; the caller's
    // rollback then ends the rest.
    exec(QStringLiteral("BEGIN"));
    exec(QStringLiteral("INSERT INTO calls VALUES (9)"));
    failure(QStringLiteral("Exec CVTestApply :XML, :op"), {{"XML", kTwoRows}, {"op", 1}});
    EXPECT_EQ(select(QStringLiteral("SELECT operate FROM calls")), (Rows{{9}}));
    exec(QStringLiteral("  if @@trancount > 0\n rollback   tran "));
    EXPECT_EQ(count(QStringLiteral("calls")), 0);
    // Without an open transaction it does nothing and does not fail.
    exec(QStringLiteral("IF @@TRANCOUNT>0 ROLLBACK TRAN"));
    exec(QStringLiteral("INSERT INTO calls VALUES (5)"));
    exec(QStringLiteral("IF @@TRANCOUNT>0 ROLLBACK TRAN"));
    EXPECT_EQ(count(QStringLiteral("calls")), 1);
}

TEST_F(SqliteTest, ProcedureBodyMustDeclareWhatItUses)
{
    exec(QStringLiteral("CREATE TABLE cv_procedures(name TEXT PRIMARY KEY COLLATE NOCASE, "
                        "params TEXT, body TEXT)"));
    exec(QStringLiteral("CREATE TABLE calls(operate INTEGER)"));
    exec(QStringLiteral("INSERT INTO cv_procedures VALUES ('P', '@a', "
                        "'INSERT INTO calls VALUES (:a); INSERT INTO calls VALUES (@b)')"));
    const cv::Exception e = failure(QStringLiteral("EXEC P 1"));
    EXPECT_TRUE(e.message().contains(QStringLiteral("@b"))) << e.what();
    EXPECT_EQ(count(QStringLiteral("calls")), 0);
}

TEST_F(SqliteTest, XmlRowsTurnElementsIntoRows)
{
    const Rows rows = select(QStringLiteral("SELECT ord, name, json_extract(attrs, '$.VAA07'), "
                                            "json_extract(attrs, '$.NOTE') "
                                            "FROM cv_xml_rows(:xml, '/Root/VDZ1/Ie')"),
                             {{"xml", kTwoRows}});
    EXPECT_EQ(rows, (Rows{{1, QStringLiteral("Ie"), QStringLiteral("张三"),
                           QStringLiteral("a&b <c> \"q\"")},
                          {2, QStringLiteral("Ie"), QStringLiteral("李四"), QVariant()}}));

    EXPECT_TRUE(select(QStringLiteral("SELECT * FROM cv_xml_rows(NULL, '/Root')")).empty());
    const cv::Exception bad = failure(QStringLiteral("SELECT * FROM cv_xml_rows(:xml, '/Root')"),
                                      {{"xml", QStringLiteral("<Root><Ie></Root>")}});
    EXPECT_EQ(bad.code(), kStatementError);
    EXPECT_TRUE(bad.message().contains(QStringLiteral("XML parse error"))) << bad.what();
    EXPECT_TRUE(failure(QStringLiteral("SELECT * FROM cv_xml_rows('<a/>', '/a[')"))
                    .message()
                    .contains(QStringLiteral("XML path error")));
}

namespace {

// A host connection object: ref-counted, answering only for ICVConnection.
class FakeHostConnection final : public corvelian::ICVConnection {
public:
    explicit FakeHostConnection(sqlite3* db) : m_db(db) {}

    corvelian::CvStatus QueryInterface(const corvelian::CvGuid& iid, void** object) override
    {
        if (!(iid == corvelian::ICVConnection::iid() || iid == corvelian::ICVUnknown::iid())) {
            *object = nullptr;
            return corvelian::CV_E_NOINTERFACE;
        }
        AddRef();
        *object = this;
        return corvelian::CV_OK;
    }
    std::uint32_t AddRef() override { return ++refs; }
    std::uint32_t Release() override { return --refs; }
    corvelian::CvStatus GetVersion(double* v) override { return *v = 1, corvelian::CV_OK; }
    corvelian::CvStatus GetName(corvelian::CvBStr* s) override { return text(s, u"conn"); }
    corvelian::CvStatus GetLastError(corvelian::CvBStr* s) override { return text(s, u""); }
    corvelian::CvStatus GetDriverName(corvelian::CvBStr* s) override { return text(s, u"SQLite"); }
    corvelian::CvStatus GetConnectionString(corvelian::CvBStr* s) override { return text(s, u""); }
    corvelian::CvStatus GetNativeHandle(corvelian::CvHandle* h) override
    {
        *h = reinterpret_cast<corvelian::CvHandle>(m_db);
        return corvelian::CV_OK;
    }

    std::uint32_t refs = 1;

private:
    static corvelian::CvStatus text(corvelian::CvBStr* out, std::u16string_view value)
    {
        *out = corvelian::CvAllocStringLen(value.data(), std::uint32_t(value.size()));
        return corvelian::CV_OK;
    }
    sqlite3* m_db;
};

// Any other host object.
class FakeHostObject final : public corvelian::ICVUnknown {
public:
    corvelian::CvStatus QueryInterface(const corvelian::CvGuid&, void** object) override
    {
        *object = nullptr;
        return corvelian::CV_E_NOINTERFACE;
    }
    std::uint32_t AddRef() override { return 2; }
    std::uint32_t Release() override { return 1; }
};

struct SqliteCloser {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};

} // namespace

TEST(SqliteAttach, SharesTheHostHandleWithoutClosingIt)
{
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(":memory:", &raw), SQLITE_OK);
    const std::unique_ptr<sqlite3, SqliteCloser> db(raw);
    ASSERT_EQ(sqlite3_exec(raw, "CREATE TABLE t(v TEXT); INSERT INTO t VALUES ('host')", nullptr,
                           nullptr, nullptr),
              SQLITE_OK);
    FakeHostConnection host(raw);

    {
        Connection connection;
        connection.attach(&host);
        EXPECT_TRUE(connection.isConnected());
        Query q(&connection);
        q.setSql(QStringLiteral("INSERT INTO t SELECT v || '+module' FROM t"));
        q.execSql();
        q.attachRecordSet(connection.execute(QStringLiteral("SELECT v FROM t ORDER BY v")));
        EXPECT_EQ(readAll(q.records()),
                  (Rows{{QStringLiteral("host")}, {QStringLiteral("host+module")}}));
        q.close();
        connection.detach();
        EXPECT_FALSE(connection.isConnected());
        EXPECT_EQ(host.refs, 1u);
    }
    // The handle is still the host's and still open.
    sqlite3_stmt* stmt = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(raw, "SELECT count(*) FROM t", -1, &stmt, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(stmt), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(stmt, 0), 2);
    sqlite3_finalize(stmt);
}

TEST(SqliteAttach, RefusesObjectsThatAreNoConnection)
{
    FakeHostObject other;
    Connection connection;
    for (corvelian::ICVUnknown* object : {static_cast<corvelian::ICVUnknown*>(&other),
                                          static_cast<corvelian::ICVUnknown*>(nullptr)}) {
        try {
            connection.attach(object);
            ADD_FAILURE() << "attached";
        } catch (const cv::Exception& e) {
            EXPECT_EQ(e.message(), QStringLiteral("Interface not supported"));
            EXPECT_EQ(e.code(), kNoInterface);
        }
    }
    EXPECT_FALSE(connection.isAttached());
}

TEST(SqliteConnection, UnusableDatabasesAreConnectionErrors)
{
    QTemporaryDir dir;
    QFile junk(dir.filePath(QStringLiteral("junk.db")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    for (const QString& path :
         {dir.filePath(QStringLiteral("no/such/dir/x.db")), junk.fileName()}) {
        Connection connection(QStringLiteral("Provider=SQLite;Data Source=") + path);
        try {
            connection.open();
            ADD_FAILURE() << "opened " << path.toStdString();
        } catch (const cv::Exception& e) {
            EXPECT_EQ(e.code(), kConnectionError) << e.what();
        }
        EXPECT_FALSE(connection.isConnected());
    }

    Connection unconfigured;
    Query q(&unconfigured);
    q.setSql(QStringLiteral("SELECT 1"));
    EXPECT_EQ(
        [&] {
            try {
                q.open();
            } catch (const cv::Exception& e) {
                return e.code();
            }
            return 0;
        }(),
        kConnectionError);
}

TEST(SqliteTypes, DeclaredTypesMapToFieldTypes)
{
    struct Case {
        const char* declared;
        FieldType type;
        int size;
    };
    const Case cases[] = {
        {"INT", FieldType::Integer, 0},
        {"integer", FieldType::Integer, 0},
        {"BIGINT", FieldType::LargeInt, 0},
        {"SMALLINT", FieldType::SmallInt, 0},
        {"TINYINT", FieldType::Byte, 0},
        {"BIT", FieldType::Boolean, 0},
        {"BOOLEAN", FieldType::Boolean, 0},
        {"FLOAT", FieldType::Float, 0},
        {"double precision", FieldType::Float, 0},
        {"MONEY", FieldType::Currency, 0},
        {"DECIMAL(18, 6)", FieldType::BCD, 6},
        {"NUMERIC", FieldType::BCD, 0},
        {"DATE", FieldType::Date, 0},
        {"TIME", FieldType::Time, 0},
        {"DATETIME", FieldType::DateTime, 0},
        {"TIMESTAMP", FieldType::DateTime, 0},
        {"VARCHAR(20)", FieldType::String, 20},
        {"NVARCHAR(50)", FieldType::WideString, 50},
        {"CHAR(2)", FieldType::FixedChar, 2},
        {"VARCHAR(MAX)", FieldType::Memo, 0},
        {"NVARCHAR(max)", FieldType::WideMemo, 0},
        {"TEXT", FieldType::WideString, 0},
        {"BLOB", FieldType::Blob, 0},
        {"VARBINARY(16)", FieldType::Blob, 0},
        {"IMAGE", FieldType::Blob, 0},
        {"UNIQUEIDENTIFIER", FieldType::Guid, 38},
        {"UNSIGNED BIG INT", FieldType::LargeInt, 0},
    };
    for (const Case& c : cases) {
        const cv::FieldDef def =
            fieldFromDeclaredType(QStringLiteral("f"), QString::fromUtf8(c.declared));
        EXPECT_EQ(def.type, c.type) << c.declared;
        EXPECT_EQ(def.size, c.size) << c.declared;
    }
}

TEST_F(SqliteTest, ExpressionColumnsTakeTheirTypeFromTheFirstRow)
{
    Query q(&m_connection, false);
    q.setSql(QStringLiteral("SELECT 1 AS i, 2.5 AS r, 'x' AS s, x'00' AS b, NULL AS n"));
    q.open();
    const FieldType expected[] = {FieldType::LargeInt, FieldType::Float, FieldType::WideString,
                                  FieldType::Blob, FieldType::WideString};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(q.records().column(i).type, expected[i]) << i;
}
