#include "ReportFormat.h"

#include "BoundQuery.h"

#include "host/HostDatabase.h"

#include "platform/abi/Exception.h"
#include "platform/db/Query.h"

namespace cv::host {

namespace {

const QString kColumns =
    QStringLiteral("SELECT id, report_code, name, is_default, template FROM cv_report_formats ");

ReportFormat formatOf(const std::vector<QVariant>& row)
{
    return {row[0].toInt(), row[1].toString(), row[2].toString(), row[3].toInt() == 1,
            row[4].toString()};
}

} // namespace

ReportFormat ReportFormat::load(HostDatabase& database, int id)
{
    const QueryResult rows = runBoundQuery(database, kColumns + QStringLiteral("WHERE id = :id"),
                                           [id](const QString&) { return QVariant(id); });
    if (rows.rows.empty())
        throw Exception(QStringLiteral("报表格式%1不存在.").arg(id));
    return formatOf(rows.rows.front());
}

std::vector<ReportFormat> ReportFormat::ofReport(HostDatabase& database, const QString& reportCode)
{
    const QueryResult rows =
        runBoundQuery(database, kColumns + QStringLiteral("WHERE report_code = :code ORDER BY id"),
                      [&](const QString&) { return QVariant(reportCode); });
    std::vector<ReportFormat> formats;
    for (const auto& row : rows.rows)
        formats.push_back(formatOf(row));
    return formats;
}

void ReportFormat::saveTemplate(HostDatabase& database, int id, const QString& templateText)
{
    db::Query query(&database.connection());
    query.setSql(QStringLiteral("UPDATE cv_report_formats SET template = :body WHERE id = :id"));
    query.parameter(u"body").setValue(templateText);
    query.parameter(u"id").setValue(id);
    query.execSql();
}

} // namespace cv::host
