#include "JsonLines.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>

namespace cv::host {

QString jsonValue(const QVariant& value)
{
    // QJsonDocument escapes strings and formats numbers; the array brackets
    // around the single value are cut off again.
    const QJsonValue json = value.isNull() ? QJsonValue() : QJsonValue::fromVariant(value);
    const QByteArray text = QJsonDocument(QJsonArray{json}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(text.mid(1, text.size() - 2));
}

QString jsonObject(const std::vector<std::pair<QString, QVariant>>& members)
{
    QString line = QStringLiteral("{");
    for (const auto& [name, value] : members) {
        if (line.size() > 1)
            line += QLatin1Char(',');
        line += jsonValue(name) + QLatin1Char(':') + jsonValue(value);
    }
    return line + QLatin1Char('}');
}

} // namespace cv::host
