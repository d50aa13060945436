#include "Variant.h"

#include "WideString.h"

#include <QDateTime>

#include <cmath>

namespace cv {

using namespace corvelian;

namespace {
const QDateTime& oleEpoch()
{
    static const QDateTime epoch(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
    return epoch;
}
} // namespace

double dateTimeToOleDate(const QDateTime& dt)
{
    const qint64 ms = oleEpoch().msecsTo(QDateTime(dt.date(), dt.time(), Qt::UTC));
    return double(ms) / 86400000.0;
}

QDateTime oleDateToDateTime(double date)
{
    const QDateTime utc = oleEpoch().addMSecs(qint64(std::llround(date * 86400000.0)));
    return QDateTime(utc.date(), utc.time());
}

QVariant fromCvVariant(const CvVariant& v)
{
    switch (v.vt) {
    case CV_VT_EMPTY:
        return {};
    case CV_VT_NULL:
        return QVariant::fromValue(nullptr);
    case CV_VT_I2:
        return int(v.i2);
    case CV_VT_I4:
        return int(v.i4);
    case CV_VT_R4:
        return double(v.r4);
    case CV_VT_R8:
        return v.r8;
    case CV_VT_CY:
        return double(v.cy) / 10000.0;
    case CV_VT_DATE:
        return oleDateToDateTime(v.date);
    case CV_VT_BSTR:
        return fromWide(v.bstr);
    case CV_VT_BOOL:
        return v.boolVal != 0;
    case CV_VT_I1:
        return int(v.i1);
    case CV_VT_UI1:
        return uint(v.ui1);
    case CV_VT_UI2:
        return uint(v.ui2);
    case CV_VT_UI4:
        return uint(v.ui4);
    case CV_VT_I8:
        return qlonglong(v.i8);
    case CV_VT_UI8:
        return qulonglong(v.ui8);
    default:
        return {};
    }
}

void toCvVariant(const QVariant& value, CvVariant* out)
{
    CvVariantClear(out);
    if (!value.isValid())
        return;
    if (value.isNull() && value.typeId() != QMetaType::QString) {
        out->vt = CV_VT_NULL;
        return;
    }
    switch (value.typeId()) {
    case QMetaType::Bool:
        out->vt = CV_VT_BOOL;
        out->boolVal = value.toBool() ? CV_TRUE : CV_FALSE_BOOL;
        break;
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::SChar:
        out->vt = CV_VT_I4;
        out->i4 = value.toInt();
        break;
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::UChar:
        out->vt = CV_VT_UI4;
        out->ui4 = value.toUInt();
        break;
    case QMetaType::LongLong:
    case QMetaType::Long:
        out->vt = CV_VT_I8;
        out->i8 = value.toLongLong();
        break;
    case QMetaType::ULongLong:
    case QMetaType::ULong:
        out->vt = CV_VT_UI8;
        out->ui8 = value.toULongLong();
        break;
    case QMetaType::Float:
    case QMetaType::Double:
        out->vt = CV_VT_R8;
        out->r8 = value.toDouble();
        break;
    case QMetaType::QDate:
        out->vt = CV_VT_DATE;
        out->date = dateTimeToOleDate(QDateTime(value.toDate(), QTime(0, 0)));
        break;
    case QMetaType::QDateTime:
        out->vt = CV_VT_DATE;
        out->date = dateTimeToOleDate(value.toDateTime());
        break;
    default:
        out->vt = CV_VT_BSTR;
        out->bstr = allocWide(value.toString());
        break;
    }
}

} // namespace cv
