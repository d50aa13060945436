#include "DbTestSupport.h"

#include "PgCluster.h"

#include <filesystem>

using namespace cv::db;

namespace {

const char* labelOf(Backend backend)
{
    switch (backend) {
    case Backend::Sqlite:
        return "Sqlite";
    case Backend::OdbcSqlite:
        return "OdbcSqlite";
    case Backend::OdbcPostgres:
        return "OdbcPostgres";
    }
    return "Unknown";
}

} // namespace

std::string backendName(const testing::TestParamInfo<Backend>& info)
{
    return labelOf(info.param);
}

void PrintTo(Backend backend, std::ostream* out)
{
    *out << labelOf(backend);
}

void PrintTo(const QVariant& value, std::ostream* out)
{
    *out << (value.isNull() ? std::string("NULL")
                            : value.typeName() + std::string(":") + value.toString().toStdString());
}

void PrintTo(const QString& value, std::ostream* out)
{
    *out << '"' << value.toStdString() << '"';
}

Rows readAll(RecordSet& records)
{
    Rows rows;
    for (; !records.atEnd(); records.next()) {
        std::vector<QVariant> row;
        for (int i = 0; i < records.columnCount(); ++i)
            row.push_back(records.value(i));
        rows.push_back(std::move(row));
    }
    return rows;
}

void DbTest::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    const QString file = m_dir.filePath(QStringLiteral("test.db"));
    QString connectionString;
    switch (GetParam()) {
    case Backend::Sqlite:
        connectionString = QStringLiteral("Provider=SQLite;Data Source=") + file;
        break;
    case Backend::OdbcSqlite:
        if (!std::filesystem::exists(kSqliteOdbcDriver))
            GTEST_SKIP() << "SQLite3 ODBC driver not installed: " << kSqliteOdbcDriver;
        connectionString =
            QStringLiteral("DRIVER={%1};Database=%2;").arg(QLatin1String(kSqliteOdbcDriver), file);
        break;
    case Backend::OdbcPostgres: {
        PgCluster& cluster = PgCluster::shared();
        if (!cluster.missingReason().empty())
            GTEST_SKIP() << cluster.missingReason();
        ASSERT_EQ(cluster.startError(), "");
        connectionString = cluster.odbcConnectionString();
        break;
    }
    }
    m_connection = std::make_unique<Connection>(connectionString);
    m_connection->open();
}

QString DbTest::createTable(const QString& nameAndColumns) const
{
    return (GetParam() == Backend::OdbcPostgres ? QStringLiteral("CREATE TEMP TABLE ")
                                                : QStringLiteral("CREATE TABLE ")) +
           nameAndColumns;
}

QString DbTest::blobType() const
{
    return GetParam() == Backend::OdbcPostgres ? QStringLiteral("BYTEA") : QStringLiteral("BLOB");
}

void DbTest::exec(const QString& sql)
{
    Query q(m_connection.get(), false);
    q.setSql(sql);
    q.execSql();
}

Rows DbTest::select(const QString& sql)
{
    Query q(m_connection.get(), false);
    q.setSql(sql);
    q.open();
    return readAll(q.records());
}
