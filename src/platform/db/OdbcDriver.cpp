#include "OdbcDriver.h"

#include "DbError.h"
#include "OdbcRecordSet.h"
#include "SqlText.h"
#include "platform/abi/Exception.h"

#include <QDateTime>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlResult>
#include <QUuid>

#include <sql.h>
#include <sqlext.h>

namespace cv::db {

namespace {

SQLHANDLE handleOf(const QVariant& handle)
{
    if (handle.metaType() != QMetaType::fromType<SQLHANDLE>())
        return nullptr;
    return *static_cast<const SQLHANDLE*>(handle.constData());
}

bool connectionIsDead(SQLHANDLE dbc)
{
    SQLUINTEGER dead = SQL_CD_FALSE;
    return dbc &&
           SQL_SUCCEEDED(SQLGetConnectAttr(dbc, SQL_ATTR_CONNECTION_DEAD, &dead, 0, nullptr)) &&
           dead == SQL_CD_TRUE;
}

// SQLSTATE class 08 is "connection exception".
bool hasConnectionState(SQLHANDLE stmt)
{
    SQLCHAR state[6] = {};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    for (SQLSMALLINT record = 1; stmt; ++record) {
        if (!SQL_SUCCEEDED(
                SQLGetDiagRec(SQL_HANDLE_STMT, stmt, record, state, &native, nullptr, 0, &length)))
            return false;
        if (state[0] == '0' && state[1] == '8')
            return true;
    }
    return false;
}

// Qt reports a lost connection as an ordinary statement error (its native
// code is the driver's number, not the SQLSTATE), so ask ODBC itself.
int errorNumber(const QSqlQuery& query)
{
    const QSqlError error = query.lastError();
    if (error.type() == QSqlError::ConnectionError)
        return kConnectionError;
    if (connectionIsDead(handleOf(query.driver()->handle())) ||
        hasConnectionState(handleOf(query.result()->handle())))
        return kConnectionError;
    return kStatementError;
}

QString errorText(const QSqlError& error)
{
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

QMetaType metaTypeFor(FieldType type)
{
    switch (type) {
    case FieldType::Boolean:
        return QMetaType::fromType<bool>();
    case FieldType::ShortInt:
    case FieldType::Byte:
    case FieldType::SmallInt:
    case FieldType::Word:
    case FieldType::Integer:
    case FieldType::AutoInc:
        return QMetaType::fromType<int>();
    case FieldType::LongWord:
    case FieldType::LargeInt:
        return QMetaType::fromType<qlonglong>();
    case FieldType::Single:
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::BCD:
    case FieldType::FmtBCD:
        return QMetaType::fromType<double>();
    case FieldType::Date:
        return QMetaType::fromType<QDate>();
    case FieldType::Time:
        return QMetaType::fromType<QTime>();
    case FieldType::DateTime:
    case FieldType::TimeStamp:
        return QMetaType::fromType<QDateTime>();
    case FieldType::Bytes:
    case FieldType::VarBytes:
    case FieldType::Blob:
    case FieldType::Graphic:
        return QMetaType::fromType<QByteArray>();
    default:
        return QMetaType::fromType<QString>();
    }
}

// The value as QODBC should bind it: nulls keep a type (a typed NULL binds
// with the matching SQL type), values convert to the parameter's type.
QVariant odbcValue(const Parameter& p)
{
    const FieldType type = p.type == FieldType::Unknown ? fieldTypeOf(p.value) : p.type;
    const QMetaType target = metaTypeFor(type);
    if (p.value.isNull())
        return QVariant(target);
    QVariant converted = p.value;
    if (converted.metaType() != target && converted.canConvert(target) && converted.convert(target))
        return converted;
    return p.value;
}

// The statement time-out goes on Qt's own statement handle; drivers that do
// not support it answer with an error we can only ignore (the statement then
// runs without limit, as it would on such a driver anyway).
void setQueryTimeout(const QSqlQuery& query, int seconds)
{
    SQLHANDLE stmt = handleOf(query.result()->handle());
    if (stmt && seconds >= 0)
        SQLSetStmtAttr(stmt, SQL_ATTR_QUERY_TIMEOUT,
                       reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(seconds)), 0);
}

} // namespace

OdbcSession::OdbcSession(const QString& odbcConnectionString, int timeoutSeconds)
    : m_name(QStringLiteral("cv_db_") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QODBC")))
        throw Exception(QStringLiteral("The Qt ODBC driver (QODBC) is not installed."),
                        kConnectionError);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), m_name);
    db.setDatabaseName(odbcConnectionString);
    if (timeoutSeconds > 0)
        db.setConnectOptions(QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=%1").arg(timeoutSeconds));
    if (!db.open()) {
        const QSqlError error = db.lastError();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
        throw Exception(errorText(error), kConnectionError);
    }
}

OdbcSession::~OdbcSession()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

QSqlDatabase OdbcSession::database() const
{
    return QSqlDatabase::database(m_name, false);
}

void throwOdbcError(const QSqlQuery& query)
{
    throw Exception(errorText(query.lastError()), errorNumber(query));
}

OdbcDriver::OdbcDriver(const QString& odbcConnectionString, int timeoutSeconds)
    : m_session(std::make_shared<OdbcSession>(odbcConnectionString, timeoutSeconds)),
      m_timeout(timeoutSeconds)
{
}

QSqlQuery OdbcDriver::run(const Statement& statement)
{
    QSqlQuery query(m_session->database());
    query.setForwardOnly(true);
    if (!statement.parameters) {
        // Direct text: sent as it is, Qt does not rewrite it.
        if (!query.exec(statement.text))
            throwOdbcError(query);
        return query;
    }
    QStringList order;
    if (!query.prepare(toPositionalMarkers(statement.text, order)))
        throwOdbcError(query);
    setQueryTimeout(query, statement.timeout >= 0 ? statement.timeout : m_timeout);
    for (const QString& name : order) {
        const Parameter* p = findParameter(*statement.parameters, name);
        query.addBindValue(p ? odbcValue(*p) : QVariant(QMetaType::fromType<QString>()));
    }
    if (!query.exec())
        throwOdbcError(query);
    return query;
}

void OdbcDriver::execute(const Statement& statement)
{
    run(statement);
}

RecordSetPtr OdbcDriver::open(const Statement& statement)
{
    QSqlQuery query = run(statement);
    // A batch may report row counts before its first result set.
    while (!query.isSelect())
        if (!query.nextResult())
            throw Exception(QStringLiteral("The statement returned no record set."),
                            kStatementError);
    return std::make_unique<OdbcRecordSet>(m_session, std::move(query));
}

} // namespace cv::db
