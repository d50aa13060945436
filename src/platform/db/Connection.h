// A database connection in the manner of ADO's: a connection string or a
// host-supplied connection object, a command time-out, and notifications
// before and after each command.
#pragma once

#include "DbError.h"
#include "Driver.h"
#include "RecordSet.h"

#include <QString>

#include <functional>
#include <memory>

namespace corvelian {
struct ICVUnknown;
struct ICVConnection;
} // namespace corvelian

namespace cv::db {

class Connection {
public:
    // Called with the command text before each command runs.
    using WillExecute = std::function<void(const QString& commandText)>;
    // Called after each command: the error it failed with, or nullptr.
    using ExecuteComplete = std::function<void(const DbError* error)>;

    Connection();
    explicit Connection(QString connectionString);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    const QString& connectionString() const { return m_connectionString; }
    // Takes effect at the next open(); an open connection is closed first.
    void setConnectionString(const QString& text);

    // ODBC driver name used for SQL Server provider strings ("FreeTDS").
    const QString& sqlServerDriver() const { return m_sqlServerDriver; }
    void setSqlServerDriver(const QString& name) { m_sqlServerDriver = name; }

    // Seconds; 0 waits without limit.
    int commandTimeout() const { return m_commandTimeout; }
    void setCommandTimeout(int seconds);

    bool isConnected() const { return m_driver != nullptr; }
    // The open driver's name ("SQLite", "ODBC"; empty while closed) and its
    // shareable handle (0 when there is none), for host connection objects.
    QString driverName() const { return m_driver ? m_driver->name() : QString(); }
    std::uintptr_t nativeHandle() const { return m_driver ? m_driver->nativeHandle() : 0; }
    // Connecting is synchronous here: open() returns once the connection is
    // established or throws kConnectionError.
    void open();
    void close();
    void setConnected(bool connected) { connected ? open() : close(); }

    // Works on a host connection object from now on. For SQLite the object's
    // sqlite3 handle is shared (neither owned nor closed here); for ODBC a
    // connection of our own is opened with the object's connection string,
    // because Qt cannot adopt a foreign ODBC handle. Any object that is not a
    // connection fails with "Interface not supported" (kNoInterface).
    void attach(corvelian::ICVUnknown* object);
    void detach();
    bool isAttached() const { return m_attached != nullptr; }

    void setWillExecute(WillExecute handler) { m_willExecute = std::move(handler); }
    void setExecuteComplete(ExecuteComplete handler) { m_executeComplete = std::move(handler); }

    // Runs a text directly, without parameter binding, and returns its rows.
    RecordSetPtr execute(const QString& text);

    // The paths of Query; they notify listeners like every command.
    void executeStatement(const Statement& statement);
    RecordSetPtr openStatement(const Statement& statement);

private:
    struct HostObject;

    Driver& driverForCommand();
    std::unique_ptr<Driver> driverForHostObject(corvelian::ICVConnection& connection);
    using Command = std::function<RecordSetPtr(Driver&)>;
    // Notifies listeners around one command; errors pass on unchanged.
    RecordSetPtr runCommand(const QString& text, const Command& work);
    void notifyComplete(const DbError* error);

    QString m_connectionString;
    QString m_sqlServerDriver = QStringLiteral("FreeTDS");
    int m_commandTimeout = 30;
    std::unique_ptr<Driver> m_driver;
    std::unique_ptr<HostObject> m_attached;
    WillExecute m_willExecute;
    ExecuteComplete m_executeComplete;
};

} // namespace cv::db
