// Behaviour every driver shows, run once per driver.
#include "DbTestSupport.h"

#include "platform/abi/Exception.h"
#include "platform/db/DbError.h"

#include <QDate>
#include <QRegularExpression>

#include <optional>

using namespace cv::db;
using cv::FieldType;

namespace {

QString longChineseText()
{
    QString text;
    while (text.size() < 9000)
        text += QStringLiteral("医生用药申请管理，围手术期审批；处方审核 & <ok> ");
    return text;
}

template <class F> cv::Exception thrownBy(F&& f)
{
    try {
        f();
    } catch (const cv::Exception& e) {
        return e;
    }
    ADD_FAILURE() << "no cv::Exception thrown";
    return cv::Exception(QString());
}

} // namespace

TEST_P(DbTest, NamedParametersBindByNameIncludingRepeats)
{
    exec(createTable(QStringLiteral("t(id INTEGER, name VARCHAR(20))")));
    Query insert(m_connection.get());
    insert.setSql(QStringLiteral("INSERT INTO t(name, id) VALUES (:name, :id)"));
    for (const auto& [id, name] :
         {std::pair{1, "一"}, std::pair{101, "百零一"}, std::pair{7, "七"}}) {
        insert.parameter(u"ID").setValue(id); // names compare without case
        insert.parameter(u"name").setValue(QString::fromUtf8(name));
        insert.execSql();
    }

    Query q(m_connection.get());
    q.setSql(QStringLiteral("SELECT name FROM t\r\n"
                            "WHERE id = :id OR id = :id + 100 -- :commented is not one\r\n"
                            "  AND name <> ':literal' ORDER BY id"));
    ASSERT_EQ(q.parameters().size(), 1u);
    q.parameter(u"id").setValue(1);
    q.open();
    EXPECT_EQ(readAll(q.records()), (Rows{{QStringLiteral("一")}, {QStringLiteral("百零一")}}));
}

TEST_P(DbTest, NullParametersStoreNullAndReadBackAsNull)
{
    exec(createTable(QStringLiteral("t(id INTEGER, n INTEGER, s VARCHAR(20), d DATE)")));
    Query insert(m_connection.get());
    insert.setSql(QStringLiteral("INSERT INTO t VALUES (1, :n, :s, :d)"));
    insert.parameter(u"n").type = FieldType::Integer;
    insert.parameter(u"s").type = FieldType::String;
    insert.parameter(u"d").type = FieldType::Date;
    insert.execSql(); // every value still null

    Query q(m_connection.get());
    q.setSql(QStringLiteral("SELECT n, s, d FROM t WHERE n IS NULL AND s IS NULL AND d IS NULL"));
    q.open();
    ASSERT_FALSE(q.isEmpty());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(q.records().cellKind(i), cv::CellKind::Null) << i;
}

TEST_P(DbTest, LongChineseTextRoundTrips)
{
    exec(createTable(QStringLiteral("t(id INTEGER, body TEXT)")));
    const QString text = longChineseText();
    Query insert(m_connection.get());
    insert.setSql(QStringLiteral("INSERT INTO t VALUES (1, :body)"));
    insert.parameter(u"body").size = 8000;
    insert.parameter(u"body").setValue(text);
    insert.execSql();

    Query q(m_connection.get());
    q.setSql(QStringLiteral("SELECT body FROM t WHERE body = :body"));
    q.parameter(u"body").setValue(text);
    q.open();
    ASSERT_FALSE(q.isEmpty());
    const std::string_view utf8 = q.records().textValue(0);
    EXPECT_EQ(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())), text);
}

TEST_P(DbTest, ColumnsCarryTypesAndValues)
{
    exec(createTable(QStringLiteral("t(i INTEGER, b BIGINT, s VARCHAR(20), r DOUBLE PRECISION, "
                                    "d DATE, x %1)")
                         .arg(blobType())));
    Query insert(m_connection.get());
    insert.setSql(QStringLiteral("INSERT INTO t VALUES (:i, :b, :s, :r, :d, :x)"));
    insert.parameter(u"i").setValue(42);
    insert.parameter(u"b").setValue(Q_INT64_C(9000000000));
    insert.parameter(u"s").setValue(QStringLiteral("张三"));
    insert.parameter(u"r").setValue(1.5);
    insert.parameter(u"d").setValue(QDate(2024, 3, 5));
    insert.parameter(u"x").setValue(QByteArray("\x00\xff", 2));
    insert.execSql();

    Query q(m_connection.get(), false);
    q.setSql(QStringLiteral("SELECT i, b, s, r, d, x FROM t"));
    q.open();
    RecordSet& rs = q.records();
    ASSERT_EQ(rs.columnCount(), 6);
    EXPECT_EQ(rs.column(0).type, FieldType::Integer);
    EXPECT_EQ(rs.column(1).type, FieldType::LargeInt);
    EXPECT_TRUE(rs.column(2).type == FieldType::String ||
                rs.column(2).type == FieldType::WideString);
    EXPECT_EQ(rs.column(2).size, 20);
    EXPECT_EQ(rs.column(2).name, QStringLiteral("s"));
    EXPECT_EQ(rs.column(3).type, FieldType::Float);
    EXPECT_EQ(rs.column(4).type, FieldType::Date);
    // SQLite's ODBC driver reports BLOB as fixed binary.
    EXPECT_TRUE(rs.column(5).type == FieldType::Blob || rs.column(5).type == FieldType::Bytes);

    EXPECT_EQ(rs.intValue(0), 42);
    EXPECT_EQ(rs.intValue(1), Q_INT64_C(9000000000));
    EXPECT_EQ(rs.value(2).toString(), QStringLiteral("张三"));
    EXPECT_DOUBLE_EQ(rs.realValue(3), 1.5);
    EXPECT_TRUE(rs.value(4).toString().startsWith(QStringLiteral("2024-03-05")));
    const auto blob = rs.blobValue(5);
    EXPECT_EQ(std::vector<std::uint8_t>(blob.begin(), blob.end()),
              (std::vector<std::uint8_t>{0x00, 0xff}));
    rs.next();
    EXPECT_TRUE(rs.atEnd());
    EXPECT_FALSE(q.isEmpty()); // it had a row
}

TEST_P(DbTest, StatementErrorsCarryTheStatementNumberAndKeepTheConnection)
{
    exec(createTable(QStringLiteral("t(id INTEGER PRIMARY KEY)")));
    exec(QStringLiteral("INSERT INTO t VALUES (1)"));
    for (const char* sql :
         {"INSERT INTO missing_table VALUES (1)", "INSERT INTO t VALUES (1)", "SELEC nonsense"}) {
        SCOPED_TRACE(sql);
        const cv::Exception e = thrownBy([&] { exec(QString::fromUtf8(sql)); });
        EXPECT_EQ(e.code(), kStatementError);
        EXPECT_FALSE(e.message().isEmpty());
    }
    const cv::Exception missing =
        thrownBy([&] { exec(QStringLiteral("INSERT INTO missing_table VALUES (1)")); });
    EXPECT_TRUE(missing.message().contains(QStringLiteral("missing_table"))) << missing.what();
    EXPECT_TRUE(m_connection->isConnected());
    EXPECT_EQ(select(QStringLiteral("SELECT count(*) FROM t")).at(0).at(0).toInt(), 1);
}

TEST_P(DbTest, NotificationsSurroundEveryCommandAndReportItsError)
{
    std::vector<QString> events;
    std::optional<DbError> lastError;
    m_connection->setWillExecute([&](const QString& text) { events.push_back("will:" + text); });
    m_connection->setExecuteComplete([&](const DbError* error) {
        events.push_back(error ? QStringLiteral("failed") : QStringLiteral("done"));
        if (error)
            lastError = *error;
    });

    exec(createTable(QStringLiteral("t(id INTEGER)")));
    const cv::Exception e = thrownBy([&] { exec(QStringLiteral("SELECT * FROM nowhere")); });

    ASSERT_EQ(events.size(), 4u);
    EXPECT_TRUE(events[0].startsWith(QStringLiteral("will:CREATE")));
    EXPECT_EQ(events[1], QStringLiteral("done"));
    EXPECT_EQ(events[2], QStringLiteral("will:SELECT * FROM nowhere"));
    EXPECT_EQ(events[3], QStringLiteral("failed"));
    ASSERT_TRUE(lastError);
    EXPECT_EQ(lastError->number, kStatementError);
    EXPECT_EQ(lastError->description, e.message());
    EXPECT_FALSE(lastError->source.isEmpty());

    // Removed handlers are not called any more.
    m_connection->setWillExecute({});
    m_connection->setExecuteComplete({});
    exec(QStringLiteral("INSERT INTO t VALUES (1)"));
    EXPECT_EQ(events.size(), 4u);
}

TEST_P(DbTest, AHandlerMayCloseTheConnectionAndTheNextCommandReconnects)
{
    // What the data module does on a lost connection, here on any error.
    m_connection->setExecuteComplete([&](const DbError* error) {
        if (error)
            m_connection->close();
    });
    EXPECT_THROW(exec(QStringLiteral("SELECT * FROM nowhere")), cv::Exception);
    EXPECT_FALSE(m_connection->isConnected());
    EXPECT_EQ(select(QStringLiteral("SELECT 1")).at(0).at(0).toInt(), 1);
}

TEST_P(DbTest, OpenRefusesStatementsWithoutRows)
{
    exec(createTable(QStringLiteral("t(id INTEGER)")));
    Query q(m_connection.get());
    q.setSql(QStringLiteral("INSERT INTO t VALUES (1)"));
    EXPECT_EQ(thrownBy([&] { q.open(); }).code(), kStatementError);
    EXPECT_FALSE(q.isOpen());

    q.setSql(QStringLiteral("SELECT id FROM t"));
    ExecuteOptions options;
    options.set(ExecuteOption::NoRecords);
    q.setExecuteOptions(options);
    EXPECT_THROW(q.open(), cv::Exception);
    q.setExecuteOptions({});
    q.open();
    EXPECT_TRUE(q.isOpen());
}

TEST_P(DbTest, DirectResultsAttachToAQueryWithoutParameterBinding)
{
    exec(createTable(QStringLiteral("t(id INTEGER, tag VARCHAR(20))")));
    exec(QStringLiteral("INSERT INTO t VALUES (1, 'a:b')"));
    Query q(m_connection.get());
    q.attachRecordSet(m_connection->execute(QStringLiteral("SELECT tag FROM t WHERE tag = 'a:b'")));
    ASSERT_TRUE(q.isOpen());
    EXPECT_EQ(readAll(q.records()), (Rows{{QStringLiteral("a:b")}}));

    q.attachRecordSet(m_connection->execute(QStringLiteral("SELECT tag FROM t WHERE id = 2")));
    EXPECT_TRUE(q.isEmpty());
    EXPECT_TRUE(q.records().atEnd());
}

INSTANTIATE_TEST_SUITE_P(Drivers, DbTest,
                         testing::Values(Backend::Sqlite, Backend::OdbcSqlite,
                                         Backend::OdbcPostgres),
                         backendName);

// Losing the server is something only a client/server database can show.
class ServerDbTest : public DbTest {};

TEST_P(ServerDbTest, LostConnectionIsAConnectionErrorAndTheNextCommandReconnects)
{
    Connection killer(m_connection->connectionString());
    const QString pid = select(QStringLiteral("SELECT pg_backend_pid()")).at(0).at(0).toString();
    killer.execute(QStringLiteral("SELECT pg_terminate_backend(%1)").arg(pid));

    const cv::Exception e = thrownBy([&] { select(QStringLiteral("SELECT 1")); });
    EXPECT_EQ(e.code(), kConnectionError) << e.what();

    // What the data module does on that number: close; the next command reconnects.
    m_connection->close();
    EXPECT_EQ(select(QStringLiteral("SELECT 1")).at(0).at(0).toInt(), 1);
}

TEST_P(ServerDbTest, UnreachableServerIsAConnectionError)
{
    QString text = m_connection->connectionString();
    text.replace(QRegularExpression(QStringLiteral("Port=\\d+")), QStringLiteral("Port=1"));
    Connection unreachable(text);
    EXPECT_EQ(thrownBy([&] { unreachable.open(); }).code(), kConnectionError);
    EXPECT_FALSE(unreachable.isConnected());
}

INSTANTIATE_TEST_SUITE_P(Drivers, ServerDbTest, testing::Values(Backend::OdbcPostgres),
                         backendName);
