#include "SqlText.h"

namespace cv::db {

namespace {

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

qsizetype endOfQuoted(QStringView sql, qsizetype start, QChar close)
{
    qsizetype i = start + 1;
    while (i < sql.size()) {
        if (sql[i] == close) {
            if (i + 1 < sql.size() && sql[i + 1] == close) {
                i += 2; // doubled quote stays inside
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return sql.size();
}

qsizetype endOfLineComment(QStringView sql, qsizetype start)
{
    const qsizetype nl = sql.indexOf(u'\n', start);
    return nl < 0 ? sql.size() : nl;
}

qsizetype endOfBlockComment(QStringView sql, qsizetype start)
{
    const qsizetype close = sql.indexOf(u"*/", start + 2);
    return close < 0 ? sql.size() : close + 2;
}

// End of the token that starts at `i`, and its kind.
std::pair<qsizetype, SqlSegment::Kind> nextToken(QStringView sql, qsizetype i)
{
    using K = SqlSegment::Kind;
    const QChar c = sql[i];
    const QChar next = i + 1 < sql.size() ? sql[i + 1] : QChar();
    if (c == u'\'' || c == u'"')
        return {endOfQuoted(sql, i, c), K::Literal};
    if (c == u'[')
        return {endOfQuoted(sql, i, u']'), K::Literal};
    if (c == u'-' && next == u'-')
        return {endOfLineComment(sql, i), K::Comment};
    if (c == u'/' && next == u'*')
        return {endOfBlockComment(sql, i), K::Comment};
    if (c == u':' && next == u':') {
        qsizetype end = i;
        while (end < sql.size() && sql[end] == u':')
            ++end;
        return {end, K::Code};
    }
    if (c == u':' && isNameChar(next)) {
        qsizetype end = i + 1;
        while (end < sql.size() && isNameChar(sql[end]))
            ++end;
        return {end, K::Parameter};
    }
    return {i + 1, K::Code};
}

} // namespace

std::vector<SqlSegment> splitSql(QStringView sql)
{
    std::vector<SqlSegment> segments;
    qsizetype i = 0;
    while (i < sql.size()) {
        const auto [end, kind] = nextToken(sql, i);
        if (kind == SqlSegment::Kind::Code && !segments.empty() &&
            segments.back().kind == SqlSegment::Kind::Code)
            segments.back().length += end - i;
        else
            segments.push_back({kind, i, end - i});
        i = end;
    }
    return segments;
}

QStringList parameterNames(QStringView sql)
{
    QStringList names;
    for (const SqlSegment& s : splitSql(sql)) {
        if (s.kind != SqlSegment::Kind::Parameter)
            continue;
        const QString name = sql.mid(s.position + 1, s.length - 1).toString();
        if (!names.contains(name, Qt::CaseInsensitive))
            names.append(name);
    }
    return names;
}

QString toPositionalMarkers(QStringView sql, QStringList& order)
{
    QString out;
    out.reserve(sql.size());
    order.clear();
    for (const SqlSegment& s : splitSql(sql)) {
        const QStringView text = sql.mid(s.position, s.length);
        switch (s.kind) {
        case SqlSegment::Kind::Parameter:
            order.append(text.mid(1).toString());
            out += u'?';
            break;
        case SqlSegment::Kind::Comment:
            out += text.toString().replace(u':', QStringLiteral("::"));
            break;
        default:
            out += text;
        }
    }
    return out;
}

} // namespace cv::db
