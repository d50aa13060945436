#include "RecordSet.h"

#include <QByteArray>
#include <QString>

namespace cv::db {

QVariant RecordSet::value(int index) const
{
    switch (cellKind(index)) {
    case CellKind::Null:
        return {};
    case CellKind::Integer:
        return QVariant::fromValue<qint64>(intValue(index));
    case CellKind::Real:
        return realValue(index);
    case CellKind::Text: {
        const std::string_view t = textValue(index);
        return QString::fromUtf8(t.data(), qsizetype(t.size()));
    }
    case CellKind::Blob: {
        const auto b = blobValue(index);
        return QByteArray(reinterpret_cast<const char*>(b.data()), qsizetype(b.size()));
    }
    }
    return {};
}

int RecordSet::columnIndex(QStringView name) const
{
    for (int i = 0; i < columnCount(); ++i)
        if (QStringView(column(i).name).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

} // namespace cv::db
