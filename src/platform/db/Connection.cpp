#include "Connection.h"

#include "ConnectionString.h"
#include "OdbcDriver.h"
#include "SqliteDriver.h"
#include "platform/abi/Exception.h"

#include <corvelian/Interfaces.h>

#include <algorithm>

namespace cv::db {

// A reference to the host's connection object, released on detach.
struct Connection::HostObject {
    corvelian::ICVConnection* object;

    explicit HostObject(corvelian::ICVConnection* o) : object(o) {}
    ~HostObject() { object->Release(); }
    HostObject(const HostObject&) = delete;
    HostObject& operator=(const HostObject&) = delete;
};

namespace {

using StringGetter = corvelian::CvStatus (corvelian::ICVConnection::*)(corvelian::CvBStr*);

QString hostString(corvelian::ICVConnection& connection, StringGetter getter)
{
    corvelian::CvBStr text = nullptr;
    const corvelian::CvStatus status = (connection.*getter)(&text);
    QString result = QString::fromUtf16(text, qsizetype(corvelian::CvStringLen(text)));
    corvelian::CvFreeString(text);
    if (corvelian::CvFailed(status))
        throw Exception(QStringLiteral("The host connection object failed."), status);
    return result;
}

std::unique_ptr<Driver> driverForTarget(const ConnectionTarget& target, int timeout)
{
    if (target.kind == ConnectionTarget::Kind::Sqlite)
        return SqliteDriver::openFile(target.target, timeout);
    return std::make_unique<OdbcDriver>(target.target, timeout);
}

} // namespace

Connection::Connection() = default;

Connection::Connection(QString connectionString) : m_connectionString(std::move(connectionString))
{
}

Connection::~Connection() = default;

void Connection::setConnectionString(const QString& text)
{
    close();
    m_connectionString = text;
}

void Connection::setCommandTimeout(int seconds)
{
    m_commandTimeout = std::max(0, seconds);
    if (m_driver)
        m_driver->setCommandTimeout(m_commandTimeout);
}

void Connection::open()
{
    if (m_driver)
        return;
    if (m_attached) {
        m_driver = driverForHostObject(*m_attached->object);
        return;
    }
    m_driver = driverForTarget(resolveConnectionString(m_connectionString, m_sqlServerDriver),
                               m_commandTimeout);
}

void Connection::close()
{
    m_driver.reset();
}

void Connection::attach(corvelian::ICVUnknown* object)
{
    void* found = nullptr;
    if (!object ||
        corvelian::CvFailed(object->QueryInterface(corvelian::ICVConnection::iid(), &found)) ||
        !found)
        throw Exception(QStringLiteral("Interface not supported"), kNoInterface);
    auto host = std::make_unique<HostObject>(static_cast<corvelian::ICVConnection*>(found));
    auto driver = driverForHostObject(*host->object);
    close();
    m_attached = std::move(host);
    m_driver = std::move(driver);
}

void Connection::detach()
{
    m_driver.reset();
    m_attached.reset();
}

std::unique_ptr<Driver> Connection::driverForHostObject(corvelian::ICVConnection& connection)
{
    const QString driver = hostString(connection, &corvelian::ICVConnection::GetDriverName);
    if (driver.compare(QStringLiteral("SQLite"), Qt::CaseInsensitive) == 0) {
        corvelian::CvHandle handle = 0;
        if (corvelian::CvFailed(connection.GetNativeHandle(&handle)) || !handle)
            throw Exception(QStringLiteral("The host connection has no database handle."),
                            kConnectionError);
        return SqliteDriver::share(reinterpret_cast<sqlite3*>(handle), m_commandTimeout);
    }
    if (driver.compare(QStringLiteral("ODBC"), Qt::CaseInsensitive) == 0) {
        // Qt cannot adopt a foreign ODBC handle: open a connection of our own
        // to the same data source.
        const QString text = hostString(connection, &corvelian::ICVConnection::GetConnectionString);
        return driverForTarget(resolveConnectionString(text, m_sqlServerDriver), m_commandTimeout);
    }
    throw Exception(QStringLiteral("Unsupported database driver: %1").arg(driver),
                    kConnectionError);
}

Driver& Connection::driverForCommand()
{
    // A configured connection that was closed (e.g. after it was lost)
    // reconnects on the next command, as ADO data sets do.
    if (!m_driver && (m_attached || !m_connectionString.isEmpty()))
        open();
    if (!m_driver)
        throw Exception(QStringLiteral("The connection is closed."), kConnectionError);
    return *m_driver;
}

RecordSetPtr Connection::runCommand(const QString& text, const Command& work)
{
    if (m_willExecute)
        m_willExecute(text);
    QString source = QStringLiteral("Connection");
    RecordSetPtr result;
    try {
        Driver& driver = driverForCommand();
        source = driver.name();
        result = work(driver);
    } catch (const Exception& e) {
        const DbError error{e.code(), source, e.message()};
        notifyComplete(&error);
        throw;
    }
    notifyComplete(nullptr);
    return result;
}

void Connection::notifyComplete(const DbError* error)
{
    if (m_executeComplete)
        m_executeComplete(error);
}

RecordSetPtr Connection::execute(const QString& text)
{
    return openStatement(Statement{text, nullptr});
}

void Connection::executeStatement(const Statement& statement)
{
    runCommand(statement.text, [&](Driver& driver) {
        driver.execute(statement);
        return RecordSetPtr();
    });
}

RecordSetPtr Connection::openStatement(const Statement& statement)
{
    return runCommand(statement.text, [&](Driver& driver) { return driver.open(statement); });
}

} // namespace cv::db
