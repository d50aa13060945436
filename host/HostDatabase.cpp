#include "HostDatabase.h"

#include "platform/abi/Boundary.h"
#include "platform/abi/WideString.h"
#include "platform/db/Query.h"

namespace cv::host {

using namespace corvelian;

// --- HostConnectionObject -------------------------------------------------------------

CvStatus CV_CALL HostConnectionObject::GetDriverName(CvBStr* name)
{
    return call([&] {
        requirePointer(name);
        *name = allocWide(m_connection->driverName());
    });
}

CvStatus CV_CALL HostConnectionObject::GetConnectionString(CvBStr* text)
{
    return call([&] {
        requirePointer(text);
        *text = allocWide(m_connection->connectionString());
    });
}

CvStatus CV_CALL HostConnectionObject::GetNativeHandle(CvHandle* handle)
{
    return call([&] {
        requirePointer(handle);
        *handle = m_connection->nativeHandle();
    });
}

// --- HostDatabase ------------------------------------------------------------------------

HostDatabase::HostDatabase(const QString& connectionString)
    : m_connectionString(connectionString),
      m_connection(std::make_shared<db::Connection>(connectionString))
{
    m_connection->open();
}

QString HostDatabase::sqliteConnectionString(const QString& path)
{
    return QStringLiteral("Provider=SQLite;Data Source=") + path;
}

QueryResult HostDatabase::run(const QString& sql)
{
    db::Query query(m_connection.get(), false);
    query.setSql(sql);
    query.open();
    return readRows(query.records());
}

QueryResult readRows(db::RecordSet& records)
{
    QueryResult result;
    for (int i = 0; i < records.columnCount(); ++i)
        result.columns.push_back(records.column(i).name);
    for (; !records.atEnd(); records.next()) {
        std::vector<QVariant> row;
        row.reserve(std::size_t(records.columnCount()));
        for (int i = 0; i < records.columnCount(); ++i)
            row.push_back(records.value(i));
        result.rows.push_back(std::move(row));
    }
    return result;
}

ComPtr<ICVUnknown> HostDatabase::connectionObject()
{
    return ComPtr<ICVUnknown>(static_cast<ICVConnection*>(new HostConnectionObject(m_connection)));
}

void HostDatabase::install(HostState& state, const std::shared_ptr<HostDatabase>& database)
{
    state.config.connectionString = database->connectionString();
    state.queryRunner = [database](const QString& sql) { return database->run(sql); };
    state.connectionObject = database->connectionObject();
}

} // namespace cv::host
