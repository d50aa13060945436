// The reference host's database: its own connection, the query runner behind
// its query tables, and connection objects it shares with modules through
// the ABI.
#pragma once

#include "HostState.h"

#include "HostObject.h"
#include "platform/db/Connection.h"

#include <memory>

namespace cv::host {

// A host connection as a module sees it (ICVConnection).
class HostConnectionObject : public HostObject<corvelian::ICVConnection> {
public:
    explicit HostConnectionObject(std::shared_ptr<db::Connection> connection)
        : HostObject(QStringLiteral("Connection"), 1.0), m_connection(std::move(connection))
    {
    }

    corvelian::CvStatus CV_CALL GetDriverName(corvelian::CvBStr* name) override;
    corvelian::CvStatus CV_CALL GetConnectionString(corvelian::CvBStr* text) override;
    corvelian::CvStatus CV_CALL GetNativeHandle(corvelian::CvHandle* handle) override;

protected:
    ~HostConnectionObject() override = default;

private:
    std::shared_ptr<db::Connection> m_connection;
};

// Every remaining row of an open result, with its column names.
QueryResult readRows(db::RecordSet& records);

class HostDatabase {
public:
    // Opens the connection (ADO form: "Provider=SQLite;Data Source=path" or
    // an ODBC string); throws cv::Exception when it cannot.
    explicit HostDatabase(const QString& connectionString);

    db::Connection& connection() { return *m_connection; }
    const QString& connectionString() const { return m_connectionString; }

    // All rows of a statement on the host's connection.
    QueryResult run(const QString& sql);
    // A new connection object sharing this connection.
    ComPtr<corvelian::ICVUnknown> connectionObject();

    // Makes this the host's database: its query tables run here, the
    // connection string and shared connection object are this one's.
    static void install(HostState& state, const std::shared_ptr<HostDatabase>& database);

    static QString sqliteConnectionString(const QString& path);

private:
    QString m_connectionString;
    std::shared_ptr<db::Connection> m_connection;
};

} // namespace cv::host
