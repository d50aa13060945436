#include "SearchDefinition.h"

#include "BoundQuery.h"

#include "host/HostDatabase.h"

#include "platform/abi/Exception.h"

namespace cv::host {

std::vector<SearchColumn> SearchDefinition::parseColumns(const QString& text)
{
    std::vector<SearchColumn> columns;
    for (const QString& part : text.split(u',', Qt::SkipEmptyParts)) {
        const qsizetype colon = part.indexOf(u':');
        const QString field = (colon < 0 ? part : part.left(colon)).trimmed();
        if (!field.isEmpty())
            columns.push_back({field, colon < 0 ? field : part.mid(colon + 1).trimmed()});
    }
    return columns;
}

SearchDefinition SearchDefinition::load(HostDatabase& database, int id)
{
    const QueryResult rows = runBoundQuery(
        database,
        QStringLiteral("SELECT id, name, body, key_field, columns FROM cv_searches WHERE id = :id"),
        [id](const QString&) { return QVariant(id); });
    if (rows.rows.empty())
        throw Exception(QStringLiteral("检索方案%1不存在.").arg(id));
    const auto& row = rows.rows.front();
    return {id, row[1].toString(), row[2].toString(), row[3].toString(),
            parseColumns(row[4].toString())};
}

} // namespace cv::host
