// A statement with named parameters on a connection, in the manner of an ADO
// query: open() for rows, execSql() for none.
#pragma once

#include "Parameter.h"
#include "RecordSet.h"

#include <QString>
#include <QStringList>

namespace cv::db {

class Connection;

class Query {
public:
    explicit Query(Connection* connection = nullptr, bool parseParameters = true);
    ~Query();
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    // A query can move between connections; the open result stays with the
    // connection that produced it.
    Connection* connection() const { return m_connection; }
    void setConnection(Connection* connection) { m_connection = connection; }

    // Setting the text closes the query and, with parsing on, rebuilds the
    // parameter list from the `:name` references (values start null).
    void setSql(const QString& text);
    QString sql() const { return m_lines.join(QStringLiteral("\r\n")); }
    void setSqlLines(const QStringList& lines);
    const QStringList& sqlLines() const { return m_lines; }

    bool parseParameters() const { return m_parseParameters; }
    void setParseParameters(bool on);

    Parameters& parameters() { return m_parameters; }
    const Parameters& parameters() const { return m_parameters; }
    // Throws cv::Exception when the query has no such parameter.
    Parameter& parameter(QStringView name);

    ExecuteOptions executeOptions() const { return m_options; }
    void setExecuteOptions(ExecuteOptions options) { m_options = options; }

    // Seconds; copied from the connection by whoever creates the query.
    int commandTimeout() const { return m_commandTimeout; }
    void setCommandTimeout(int seconds) { m_commandTimeout = seconds; }

    // Runs the statement and keeps its rows. Fails when the statement returns
    // no rows, or when the no-records option is set.
    void open();
    // Runs the statement; rows, if any, are not read.
    void execSql();
    void close() { m_records.reset(); }
    bool isOpen() const { return m_records != nullptr; }
    // True when the query is closed or its result has no row.
    bool isEmpty() const { return !m_records || m_records->isEmpty(); }

    // The open result; throws cv::Exception when the query is not open.
    RecordSet& records();
    // Shows a result produced elsewhere (Connection::execute): closes the
    // current one first.
    void attachRecordSet(RecordSetPtr records);

private:
    Connection& requireConnection() const;
    void rebuildParameters();

    Connection* m_connection;
    QStringList m_lines;
    bool m_parseParameters;
    Parameters m_parameters;
    ExecuteOptions m_options;
    int m_commandTimeout = 30;
    RecordSetPtr m_records;
};

} // namespace cv::db
