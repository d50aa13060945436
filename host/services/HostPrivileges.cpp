#include "HostPrivileges.h"

#include "BoundQuery.h"

#include "platform/abi/Boundary.h"
#include "platform/abi/WideString.h"

namespace cv::host {

using namespace corvelian;

void* HostPrivileges::findInterface(const CvGuid& iid)
{
    if (iid == ICVInterface::iid())
        return static_cast<ICVInterface*>(this);
    return ComObject::findInterface(iid);
}

CvStatus CV_CALL HostPrivileges::GetVersion(double* version)
{
    if (!version)
        return CV_E_POINTER;
    *version = 1.0;
    return CV_OK;
}

CvStatus CV_CALL HostPrivileges::GetName(CvBStr* name)
{
    if (!name)
        return CV_E_POINTER;
    *name = allocWide(QStringLiteral("ICVPrivileges"));
    return CV_OK;
}

CvStatus CV_CALL HostPrivileges::GetLastError(CvBStr* text)
{
    if (!text)
        return CV_E_POINTER;
    *text = allocWide(m_lastError);
    return CV_OK;
}

std::int32_t HostPrivileges::exists(const QString& sql, const QVariant& value)
{
    bool found = false;
    guardHostCall(m_lastError, [&] {
        const QVariant user = m_context->userId ? m_context->userId() : 0;
        const QueryResult rows = runBoundQuery(*m_context->database, sql, [&](const QString& name) {
            return name.compare(QLatin1String("user"), Qt::CaseInsensitive) == 0 ? user : value;
        });
        found = !rows.rows.empty();
    });
    return found ? 1 : 0;
}

std::int32_t CV_CALL HostPrivileges::CheckCommand(std::int32_t command, const char16_t*,
                                                  std::int32_t)
{
    return exists(QStringLiteral("SELECT 1 FROM cv_grants WHERE employee_id = :user "
                                 "AND command = :value AND action IS NULL"),
                  command);
}

std::int32_t CV_CALL HostPrivileges::IsAllowed(const char16_t* actionName)
{
    return exists(QStringLiteral("SELECT 1 FROM cv_grants WHERE employee_id = :user "
                                 "AND action = :value"),
                  fromWideZ(actionName));
}

std::int32_t CV_CALL HostPrivileges::IsDefined(const char16_t* actionName)
{
    return exists(QStringLiteral("SELECT 1 FROM cv_grants WHERE action = :value"),
                  fromWideZ(actionName));
}

} // namespace cv::host
