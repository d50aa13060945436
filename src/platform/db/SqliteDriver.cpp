#include "SqliteDriver.h"

#include "DbError.h"
#include "SqliteFunctions.h"
#include "SqliteProcedures.h"
#include "SqliteRecordSet.h"
#include "SqliteStatement.h"
#include "platform/abi/Exception.h"

#include <sqlite3.h>

#include <climits>

namespace cv::db {

namespace {

QByteArray utf8Of(const QString& text)
{
    return text.toUtf8();
}

void bindIfGiven(sqlite3_stmt* stmt, const Statement& statement)
{
    if (statement.parameters)
        bindParameters(stmt, *statement.parameters);
}

[[noreturn]] void throwNoRecordSet()
{
    throw Exception(QStringLiteral("The statement returned no record set."), kStatementError);
}

} // namespace

std::unique_ptr<SqliteDriver> SqliteDriver::openFile(const QString& path, int timeoutSeconds)
{
    sqlite3* db = nullptr;
    const int rc =
        sqlite3_open_v2(utf8Of(path).constData(), &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI, nullptr);
    // The driver owns the handle from here, also when opening failed.
    auto driver = std::make_unique<SqliteDriver>(Token(), db, true, timeoutSeconds);
    if (rc != SQLITE_OK)
        throw Exception(QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc)),
                        kConnectionError);
    // Reading the schema fails now, not at the first statement, for a file
    // that is no database.
    execFixed(db, "SELECT count(*) FROM sqlite_master");
    // SQL Server enforces foreign keys; the embedded database does the same.
    execFixed(db, "PRAGMA foreign_keys = ON");
    registerSqliteFunctions(db);
    return driver;
}

std::unique_ptr<SqliteDriver> SqliteDriver::share(sqlite3* db, int timeoutSeconds)
{
    auto driver = std::make_unique<SqliteDriver>(Token(), db, false, timeoutSeconds);
    registerSqliteFunctions(db);
    return driver;
}

SqliteDriver::SqliteDriver(Token, sqlite3* db, bool owned, int timeoutSeconds)
    : m_db(db), m_owned(owned), m_timeout(timeoutSeconds)
{
    if (m_db)
        applyTimeout(m_timeout);
}

SqliteDriver::~SqliteDriver()
{
    // close_v2 waits for record sets still open on the handle.
    if (m_owned)
        sqlite3_close_v2(m_db);
}

void SqliteDriver::setCommandTimeout(int seconds)
{
    m_timeout = seconds;
    applyTimeout(seconds);
}

void SqliteDriver::applyTimeout(int seconds)
{
    const long long ms = seconds <= 0 ? INT_MAX : std::min<long long>(INT_MAX, seconds * 1000LL);
    sqlite3_busy_timeout(m_db, int(ms));
}

void SqliteDriver::execute(const Statement& statement)
{
    applyTimeout(statement.timeout >= 0 ? statement.timeout : m_timeout);
    if (isRollbackIfInTransaction(statement.text)) {
        rollbackIfInTransaction(m_db);
        return;
    }
    if (const auto call = parseProcedureCall(statement.text)) {
        runProcedure(m_db, *call, statement.parameters);
        return;
    }
    const QByteArray utf8 = utf8Of(statement.text);
    std::string_view sql(utf8.constData(), std::size_t(utf8.size()));
    while (StatementHandle stmt = prepareNext(m_db, sql)) {
        bindIfGiven(stmt.get(), statement);
        stepToEnd(m_db, stmt.get());
    }
}

// Statements before the last run to their end; the last one gives the rows.
// A last statement without columns is refused before it runs.
RecordSetPtr SqliteDriver::open(const Statement& statement)
{
    applyTimeout(statement.timeout >= 0 ? statement.timeout : m_timeout);
    if (isRollbackIfInTransaction(statement.text) || parseProcedureCall(statement.text))
        throwNoRecordSet();
    const QByteArray utf8 = utf8Of(statement.text);
    std::string_view sql(utf8.constData(), std::size_t(utf8.size()));
    while (StatementHandle stmt = prepareNext(m_db, sql)) {
        bindIfGiven(stmt.get(), statement);
        if (!isBlankSql(sql)) {
            stepToEnd(m_db, stmt.get());
            continue;
        }
        if (sqlite3_column_count(stmt.get()) == 0)
            throwNoRecordSet();
        const bool hasRow = stepRow(m_db, stmt.get());
        return std::make_unique<SqliteRecordSet>(m_db, std::move(stmt), hasRow);
    }
    throw Exception(QStringLiteral("The statement text is empty."), kStatementError);
}

} // namespace cv::db
