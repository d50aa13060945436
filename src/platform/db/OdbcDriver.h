// The ODBC driver on Qt SQL's QODBC. Parameters are sent as positional
// markers bound in order, so that repeated names and comments are handled by
// our own reading of the text rather than by Qt's.
#pragma once

#include "Driver.h"

#include <QSqlDatabase>
#include <QString>

#include <memory>

class QSqlQuery;

namespace cv::db {

// One QSqlDatabase under a name of its own; removed when the last user (the
// driver or a record set still open) goes.
class OdbcSession {
public:
    explicit OdbcSession(const QString& odbcConnectionString, int timeoutSeconds);
    ~OdbcSession();
    OdbcSession(const OdbcSession&) = delete;
    OdbcSession& operator=(const OdbcSession&) = delete;

    QSqlDatabase database() const;

private:
    QString m_name;
};

class OdbcDriver final : public Driver {
public:
    // Throws kConnectionError when the data source cannot be reached.
    OdbcDriver(const QString& odbcConnectionString, int timeoutSeconds);

    QString name() const override { return QStringLiteral("ODBC"); }
    void setCommandTimeout(int seconds) override { m_timeout = seconds; }
    void execute(const Statement& statement) override;
    RecordSetPtr open(const Statement& statement) override;

private:
    QSqlQuery run(const Statement& statement);

    std::shared_ptr<OdbcSession> m_session;
    int m_timeout;
};

// Throws the query's error: kConnectionError for connection failures
// (SQLSTATE class 08), kStatementError otherwise.
[[noreturn]] void throwOdbcError(const QSqlQuery& query);

} // namespace cv::db
