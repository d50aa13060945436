// ADO-style connection strings and where they lead.
#pragma once

#include <QString>

namespace cv::db {

struct ConnectionTarget {
    enum class Kind { Sqlite, Odbc };
    Kind kind = Kind::Odbc;
    // The database file for SQLite; the ODBC connection string for ODBC.
    QString target;
};

// "Provider=SQLite;Data Source=path" selects the embedded driver.
// "Provider=SQLOLEDB.1;User ID=..;Password=..;Initial Catalog=db;Data Source=host,port"
// (or another SQL Server provider) maps to an ODBC string for `sqlServerDriver`.
// A string beginning with DRIVER= or DSN=, or with Provider=MSDASQL, goes to ODBC
// as it is (Extended Properties, when given, is the ODBC string).
// Throws cv::Exception (kConnectionError) for an unknown provider or a missing file.
ConnectionTarget
resolveConnectionString(const QString& text,
                        const QString& sqlServerDriver = QStringLiteral("FreeTDS"));

// The value of `key` (case-insensitive) in a "key=value;..." string; values
// may be quoted with "", '' or {}. Empty when absent.
QString connectionStringValue(const QString& text, const QString& key);

} // namespace cv::db
