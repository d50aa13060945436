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
    return readRows(query.records());
}

} // namespace cv::host
