#include "ConnectionString.h"

#include "DbError.h"
#include "platform/abi/Exception.h"

#include <utility>
#include <vector>

namespace cv::db {

namespace {

using Pairs = std::vector<std::pair<QString, QString>>;

QChar closingQuote(QChar open)
{
    if (open == u'"' || open == u'\'')
        return open;
    if (open == u'{')
        return u'}';
    return QChar();
}

// Reads one value starting at `i`; quoted values may hold ';' and a doubled
// closing quote.
QString readValue(const QString& text, qsizetype& i)
{
    while (i < text.size() && text[i].isSpace())
        ++i;
    const QChar close = i < text.size() ? closingQuote(text[i]) : QChar();
    QString value;
    if (close.isNull()) {
        const qsizetype end = text.indexOf(u';', i);
        value = text.mid(i, end < 0 ? -1 : end - i).trimmed();
        i = end < 0 ? text.size() : end;
        return value;
    }
    ++i;
    while (i < text.size()) {
        if (text[i] == close) {
            if (i + 1 < text.size() && text[i + 1] == close) {
                value += close;
                i += 2;
                continue;
            }
            ++i;
            break;
        }
        value += text[i++];
    }
    while (i < text.size() && text[i] != u';')
        ++i;
    return value;
}

Pairs parsePairs(const QString& text)
{
    Pairs pairs;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype eq = text.indexOf(u'=', i);
        const qsizetype semi = text.indexOf(u';', i);
        if (eq < 0 || (semi >= 0 && semi < eq)) {
            i = semi < 0 ? text.size() : semi + 1;
            continue;
        }
        const QString key = text.mid(i, eq - i).trimmed();
        i = eq + 1;
        QString value = readValue(text, i);
        if (!key.isEmpty())
            pairs.emplace_back(key, std::move(value));
        ++i; // past ';'
    }
    return pairs;
}

QString valueOf(const Pairs& pairs, const QString& key)
{
    for (const auto& [k, v] : pairs)
        if (k.compare(key, Qt::CaseInsensitive) == 0)
            return v;
    return {};
}

// ODBC attribute value, braced when it holds a separator.
QString odbcValue(const QString& v)
{
    if (!v.contains(u';') && !v.contains(u'{') && !v.contains(u'}') && v.trimmed() == v)
        return v;
    return u'{' + QString(v).replace(u'}', QStringLiteral("}}")) + u'}';
}

bool startsWithKey(const QString& text, const char* key)
{
    return text.trimmed().startsWith(QLatin1StringView(key), Qt::CaseInsensitive);
}

bool isSqlServerProvider(const QString& provider)
{
    static constexpr const char* kProviders[] = {"SQLOLEDB", "SQLNCLI", "MSOLEDBSQL"};
    for (const char* p : kProviders)
        if (provider.startsWith(QLatin1StringView(p), Qt::CaseInsensitive))
            return true;
    return false;
}

QString sqlServerOdbcString(const Pairs& pairs, const QString& driver)
{
    QString server = valueOf(pairs, QStringLiteral("Data Source"));
    QString port;
    if (const qsizetype comma = server.indexOf(u','); comma >= 0) {
        port = server.mid(comma + 1).trimmed();
        server = server.left(comma).trimmed();
    }
    QString out = QStringLiteral("DRIVER={%1};SERVER=%2;").arg(driver, odbcValue(server));
    if (!port.isEmpty())
        out += QStringLiteral("PORT=%1;").arg(port);
    const std::pair<const char*, const char*> mapped[] = {
        {"Initial Catalog", "DATABASE"}, {"User ID", "UID"}, {"Password", "PWD"}};
    for (const auto& [ado, odbc] : mapped) {
        const QString v = valueOf(pairs, QLatin1StringView(ado));
        if (!v.isEmpty())
            out += QStringLiteral("%1=%2;").arg(QLatin1StringView(odbc), odbcValue(v));
    }
    // FreeTDS speaks an old protocol and a single-byte charset unless told
    // otherwise; Chinese text needs both.
    if (driver.compare(QStringLiteral("FreeTDS"), Qt::CaseInsensitive) == 0)
        out += QStringLiteral("TDS_Version=7.4;ClientCharset=UTF-8;");
    return out;
}

QString withoutProvider(const Pairs& pairs)
{
    QString extended = valueOf(pairs, QStringLiteral("Extended Properties"));
    if (!extended.isEmpty())
        return extended;
    QString out;
    for (const auto& [k, v] : pairs)
        if (k.compare(QStringLiteral("Provider"), Qt::CaseInsensitive) != 0)
            out += k + u'=' + odbcValue(v) + u';';
    return out;
}

} // namespace

QString connectionStringValue(const QString& text, const QString& key)
{
    return valueOf(parsePairs(text), key);
}

ConnectionTarget resolveConnectionString(const QString& text, const QString& sqlServerDriver)
{
    using Kind = ConnectionTarget::Kind;
    if (startsWithKey(text, "DRIVER=") || startsWithKey(text, "DSN="))
        return {Kind::Odbc, text};
    const Pairs pairs = parsePairs(text);
    const QString provider = valueOf(pairs, QStringLiteral("Provider"));
    if (provider.compare(QStringLiteral("SQLite"), Qt::CaseInsensitive) == 0) {
        const QString path = valueOf(pairs, QStringLiteral("Data Source"));
        if (path.isEmpty())
            throw Exception(QStringLiteral("The connection string names no database file."),
                            kConnectionError);
        return {Kind::Sqlite, path};
    }
    if (isSqlServerProvider(provider))
        return {Kind::Odbc, sqlServerOdbcString(pairs, sqlServerDriver)};
    if (provider.isEmpty() || provider.startsWith(QStringLiteral("MSDASQL"), Qt::CaseInsensitive))
        return {Kind::Odbc, withoutProvider(pairs)};
    throw Exception(QStringLiteral("Provider cannot be found: %1").arg(provider), kConnectionError);
}

} // namespace cv::db
