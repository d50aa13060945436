// The report templates of the print program "Cv.Print": HTML (as QTextDocument
// reads it) with tags in double braces.
//
//   {{NAME}}                   The value of NAME, HTML-escaped. Names are looked up
//                              without regard to case, innermost first: the columns of
//                              the current {{#sql}} row and its RowNo, the current
//                              data-list line Item and its ItemNo, then the report
//                              variables the module sent (VAF01, CBM01, ReportVar.0, …).
//                              An unknown name shows nothing. Dates show as
//                              yyyy-MM-dd, date-times as yyyy-MM-dd HH:mm, numbers
//                              without trailing zeros.
//   {{#list N}} … {{/list}}    The body once per line of data list N (the index the
//                              module gave SetDataList); {{Item}} is the line and
//                              {{ItemNo}} its number from 1.
//   {{#sql STATEMENT}} … {{/sql}}
//                              STATEMENT runs on the host's database; each :name in it
//                              is bound to what {{name}} would show at that place (NULL
//                              when unknown), so a section keyed by a variable reads
//                              `WHERE a.VAF01 = :VAF01`. The body repeats once per row
//                              with the row's columns in scope and {{RowNo}} from 1.
//   {{^sql STATEMENT}} … {{/sql}}
//                              The body once when STATEMENT returns no row.
//   {{!comment}}               Left out.
//
// Sections nest. Templates come from the database and are edited by people, so
// parse() rejects a malformed one (an unclosed or stray section, an unknown
// tag) with the offset of the fault, and the design dialog refuses to save it.
#pragma once

#include "host/HostState.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <vector>

namespace cv::host {

class ReportTemplate {
public:
    // Runs a section's statement with the lookup for its :name parameters.
    using SqlRunner = std::function<QueryResult(
        const QString& sql, const std::function<QVariant(const QString&)>& value)>;

    struct Input {
        // Report variables by name (compared without regard to case).
        QMap<QString, QString> variables;
        // Data lists by index, one text per line.
        QMap<int, QStringList> dataLists;
    };

    // Throws cv::Exception for a malformed template.
    static ReportTemplate parse(const QString& text);

    // Throws cv::Exception when a section's statement fails or when the
    // template has a {{#sql}} section and no runner is given.
    QString render(const Input& input, const SqlRunner& runner = {}) const;

    // The text of a value as {{NAME}} shows it (before HTML escaping).
    static QString valueText(const QVariant& value);

    struct Node;

private:
    std::shared_ptr<const std::vector<Node>> m_nodes;
};

} // namespace cv::host
