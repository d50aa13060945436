// Reading statement text: where `:name` parameters stand, outside string
// literals, quoted identifiers and comments. `::` is never a parameter.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace cv::db {

struct SqlSegment {
    enum class Kind { Code, Literal, Comment, Parameter };
    Kind kind;
    qsizetype position;
    qsizetype length;
};

// The text cut into code, literals ('..', "..", [..]), comments (-- and /* */)
// and parameter references (":name", colon included).
std::vector<SqlSegment> splitSql(QStringView sql);

// Parameter names in order of first appearance; repeats (any case) appear once.
QStringList parameterNames(QStringView sql);

// For drivers with positional '?' markers: each reference becomes '?', and
// colons inside comments are doubled so that a later rewriter does not take a
// commented-out name for a parameter. Names of the references, in order, go
// to `order`.
QString toPositionalMarkers(QStringView sql, QStringList& order);

} // namespace cv::db
