#include "BoundQuery.h"

#include "host/HostDatabase.h"

#include "platform/db/Query.h"

namespace cv::host {

QueryResult runBoundQuery(HostDatabase& database, const QString& sql, const ParameterLookup& lookup)
{
    db::Query query(&database.connection());
    query.setSql(sql);
    for (db::Parameter& p : query.parameters())
        p.setValue(lookup(p.name));
    query.open();
    QueryResult result;
    db::RecordSet& records = query.records();
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

} // namespace cv::host
