// One fixture for the behaviour every driver must show: the embedded SQLite
// driver, ODBC over the SQLite3 ODBC driver, and ODBC over PostgreSQL.
#pragma once

#include "platform/db/Connection.h"
#include "platform/db/Query.h"

#include <QTemporaryDir>
#include <QVariant>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

enum class Backend { Sqlite, OdbcSqlite, OdbcPostgres };

std::string backendName(const testing::TestParamInfo<Backend>& info);
void PrintTo(Backend backend, std::ostream* out);

// Readable failure output.
void PrintTo(const QVariant& value, std::ostream* out);
void PrintTo(const QString& value, std::ostream* out);

using Rows = std::vector<std::vector<QVariant>>;

// All remaining rows of a record set, cells as QVariants.
Rows readAll(cv::db::RecordSet& records);

class DbTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override;

    // Tables live for one test: PostgreSQL shares one database, so its
    // tables are temporary to the test's session.
    QString createTable(const QString& nameAndColumns) const;
    QString blobType() const;
    void exec(const QString& sql);
    Rows select(const QString& sql);

    QTemporaryDir m_dir;
    std::unique_ptr<cv::db::Connection> m_connection;
};
