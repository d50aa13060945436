#include "ScriptStore.h"

#include "host/HostDatabase.h"

#include <QRegularExpression>

namespace cv::host {

namespace {

const QString kDateFormat = QStringLiteral("yyyy-MM-dd");

ScriptParameter::Kind kindOf(const QString& text)
{
    const QString kind = text.trimmed().toLower();
    if (kind == QStringLiteral("date"))
        return ScriptParameter::Kind::Date;
    if (kind == QStringLiteral("integer"))
        return ScriptParameter::Kind::Integer;
    return ScriptParameter::Kind::Text;
}

std::vector<ScriptParameter> parametersOf(HostDatabase& database, int id)
{
    const QueryResult rows = database.run(
        QStringLiteral("SELECT name, caption, kind, default_value FROM cv_script_params "
                       "WHERE script_id = %1 ORDER BY ord")
            .arg(id));
    std::vector<ScriptParameter> parameters;
    for (const auto& row : rows.rows) {
        ScriptParameter p;
        p.name = row[0].toString();
        p.caption = row[1].toString();
        p.kind = kindOf(row[2].toString());
        p.defaultValue = row[3].toString();
        parameters.push_back(std::move(p));
    }
    return parameters;
}

QDate dateDefault(const QString& text, QDate today)
{
    const QString value = text.trimmed().toLower();
    static const QRegularExpression relative(QStringLiteral("^today\\s*-\\s*(\\d+)$"));
    if (value == QStringLiteral("today"))
        return today;
    if (const QRegularExpressionMatch m = relative.match(value); m.hasMatch())
        return today.addDays(-m.captured(1).toLongLong());
    const QDate literal = QDate::fromString(value, kDateFormat);
    return literal.isValid() ? literal : today;
}

} // namespace

std::optional<Script> findScript(HostDatabase& database, int id)
{
    const QueryResult rows = database.run(
        QStringLiteral("SELECT id, code, name, body FROM cv_scripts WHERE id = %1").arg(id));
    if (rows.rows.empty())
        return std::nullopt;
    const auto& row = rows.rows.front();
    Script script;
    script.id = row[0].toInt();
    script.code = row[1].toString();
    script.name = row[2].toString();
    script.body = row[3].toString();
    script.parameters = parametersOf(database, id);
    return script;
}

QString scriptBody(HostDatabase& database, int number)
{
    const QueryResult rows =
        database.run(QStringLiteral("SELECT body FROM cv_scripts WHERE id = %1").arg(number));
    if (!rows.rows.empty())
        return rows.rows.front()[0].toString();
    if (number == 86)
        return QStringLiteral("SELECT id AS ID FROM cv_scripts WHERE code = %s");
    return {};
}

QString defaultValueOf(const ScriptParameter& parameter, QDate today)
{
    if (parameter.kind == ScriptParameter::Kind::Date)
        return dateDefault(parameter.defaultValue, today).toString(kDateFormat);
    return parameter.defaultValue;
}

} // namespace cv::host
