#include "Query.h"

#include "Connection.h"
#include "DbError.h"
#include "SqlText.h"
#include "platform/abi/Exception.h"

namespace cv::db {

Query::Query(Connection* connection, bool parseParameters)
    : m_connection(connection), m_parseParameters(parseParameters)
{
    if (connection)
        m_commandTimeout = connection->commandTimeout();
}

Query::~Query() = default;

void Query::setSql(const QString& text)
{
    setSqlLines(text.split(QStringLiteral("\r\n")).join(u'\n').split(u'\n'));
}

void Query::setSqlLines(const QStringList& lines)
{
    close();
    m_lines = lines;
    rebuildParameters();
}

void Query::setParseParameters(bool on)
{
    m_parseParameters = on;
    rebuildParameters();
}

void Query::rebuildParameters()
{
    m_parameters.clear();
    if (!m_parseParameters)
        return;
    for (const QString& name : parameterNames(sql())) {
        Parameter p;
        p.name = name;
        m_parameters.push_back(std::move(p));
    }
}

Parameter& Query::parameter(QStringView name)
{
    for (Parameter& p : m_parameters)
        if (QStringView(p.name).compare(name, Qt::CaseInsensitive) == 0)
            return p;
    throw Exception(QStringLiteral("Parameter '%1' not found").arg(name));
}

Connection& Query::requireConnection() const
{
    if (!m_connection)
        throw Exception(QStringLiteral("The query has no connection."), kConnectionError);
    return *m_connection;
}

void Query::open()
{
    close();
    if (m_options.has(ExecuteOption::NoRecords))
        throw Exception(QStringLiteral("A query set to execute without records cannot be opened."),
                        kStatementError);
    Connection& connection = requireConnection();
    m_records = connection.openStatement(
        Statement{sql(), m_parseParameters ? &m_parameters : nullptr, m_commandTimeout});
}

void Query::execSql()
{
    close();
    requireConnection().executeStatement(
        Statement{sql(), m_parseParameters ? &m_parameters : nullptr, m_commandTimeout});
}

RecordSet& Query::records()
{
    if (!m_records)
        throw Exception(QStringLiteral("The query is not open."));
    return *m_records;
}

void Query::attachRecordSet(RecordSetPtr records)
{
    close();
    m_records = std::move(records);
}

} // namespace cv::db
