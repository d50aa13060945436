#include "ReportInput.h"

#include "platform/text/Cp936.h"
#include "platform/text/Hex.h"
#include "platform/text/NameValueList.h"

namespace cv::host {

namespace {

QStringList decodeDataList(const QString& hex)
{
    const text::NameValueList lines =
        text::NameValueList::fromText(text::fromCp936(text::hexToBytes(hex)));
    QStringList values;
    for (const QString& line : lines.lines())
        values.append(text::fromCp936(text::hexToBytes(line)));
    return values;
}

} // namespace

QMap<QString, QString> parseReportVariables(const QString& text)
{
    QMap<QString, QString> variables;
    const text::NameValueList list = text::NameValueList::fromText(text);
    for (int i = 0; i < list.count(); ++i) {
        const QString name = list.name(i);
        if (name.isEmpty())
            continue;
        for (auto it = variables.begin(); it != variables.end(); ++it) {
            if (it.key().compare(name, Qt::CaseInsensitive) == 0) {
                variables.erase(it);
                break;
            }
        }
        variables.insert(name, list.valueAt(i));
    }
    return variables;
}

QMap<int, QStringList> decodeDataLists(const QString& text)
{
    QMap<int, QStringList> lists;
    const text::NameValueList list = text::NameValueList::fromText(text);
    for (int i = 0; i < list.count(); ++i) {
        bool ok = false;
        const int index = list.name(i).trimmed().toInt(&ok);
        if (ok)
            lists.insert(index, decodeDataList(list.valueAt(i)));
    }
    return lists;
}

} // namespace cv::host
