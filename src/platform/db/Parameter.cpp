#include "Parameter.h"

#include <QDateTime>

namespace cv::db {

void Parameter::setValue(const QVariant& v)
{
    value = v;
    if (type == FieldType::Unknown)
        type = fieldTypeOf(v);
}

const Parameter* findParameter(const Parameters& params, QStringView name)
{
    for (const Parameter& p : params)
        if (QStringView(p.name).compare(name, Qt::CaseInsensitive) == 0)
            return &p;
    return nullptr;
}

FieldType fieldTypeOf(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return FieldType::Boolean;
    case QMetaType::Short:
        return FieldType::SmallInt;
    case QMetaType::Int:
    case QMetaType::UInt:
        return FieldType::Integer;
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return FieldType::LargeInt;
    case QMetaType::Float:
    case QMetaType::Double:
        return FieldType::Float;
    case QMetaType::QDate:
        return FieldType::Date;
    case QMetaType::QTime:
        return FieldType::Time;
    case QMetaType::QDateTime:
        return FieldType::DateTime;
    case QMetaType::QByteArray:
        return FieldType::Blob;
    case QMetaType::QString:
        return FieldType::WideString;
    default:
        return FieldType::Unknown;
    }
}

} // namespace cv::db
