// A search of the common search window, as the host's database keeps it in
// cv_searches: the statement (with :SearchText, and :Value1/:Value2 for the
// first items of the module's two value lists), the key field and the grid's
// columns "FIELD:Caption,FIELD:Caption".
#pragma once

#include <QString>

#include <vector>

namespace cv::host {

class HostDatabase;

struct SearchColumn {
    QString field;
    QString caption;
};

struct SearchDefinition {
    int id = 0;
    QString name;
    QString body;
    QString keyField;
    std::vector<SearchColumn> columns;

    // "BBY02:编码,BBY05:药品名称" → columns; a part without ':' is its own caption.
    static std::vector<SearchColumn> parseColumns(const QString& text);
    // Throws cv::Exception "检索方案%1不存在." when the database has none.
    static SearchDefinition load(HostDatabase& database, int id);
};

} // namespace cv::host
