#include "PickedField.h"

#include "platform/abi/Boundary.h"
#include "platform/abi/WideString.h"

#include <QDateTime>

namespace cv::host {

using namespace corvelian;

namespace {

void require(const void* p)
{
    if (!p)
        throw Exception(QStringLiteral("Invalid pointer"), CV_E_POINTER);
}

QString textOf(const QVariant& value)
{
    if (value.isNull())
        return {};
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (value.typeId() == QMetaType::QDate)
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    return value.toString();
}

} // namespace

template <class F> CvStatus PickedField::call(F&& body)
{
    return guardHostCall(m_lastError, std::forward<F>(body));
}

void* PickedField::findInterface(const CvGuid& iid)
{
    if (iid == ICVInterface::iid())
        return static_cast<ICVInterface*>(this);
    return ComObject::findInterface(iid);
}

CvStatus CV_CALL PickedField::GetVersion(double* version)
{
    return call([&] {
        require(version);
        *version = 1.0;
    });
}

CvStatus CV_CALL PickedField::GetName(CvBStr* name)
{
    return call([&] {
        require(name);
        *name = allocWide(m_name);
    });
}

CvStatus CV_CALL PickedField::GetLastError(CvBStr* text)
{
    if (!text)
        return CV_E_POINTER;
    *text = allocWide(m_lastError);
    return CV_OK;
}

CvStatus CV_CALL PickedField::GetAsString(CvBStr* text)
{
    return call([&] {
        require(text);
        *text = allocWide(textOf(m_value));
    });
}

CvStatus CV_CALL PickedField::GetAsInteger(std::int32_t* value)
{
    return call([&] {
        require(value);
        *value = 0;
        if (m_value.isNull())
            return;
        bool ok = false;
        const qlonglong number = textOf(m_value).trimmed().toLongLong(&ok);
        if (!ok || number < INT32_MIN || number > INT32_MAX)
            throw Exception(
                QStringLiteral("字段%1的值'%2'不是有效的整数.").arg(m_name, textOf(m_value)));
        *value = std::int32_t(number);
    });
}

} // namespace cv::host
