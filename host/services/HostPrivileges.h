// The host's privileges (ICVPrivileges) for the logged-in employee, from
// cv_grants(employee_id, command, action): a row with no action grants the
// command; a row with an action grants that named action. An action is
// defined when any employee holds it. The demo database keeps the grants of
// one module, so CheckCommand does not look at the application name.
#pragma once

#include "ServiceContext.h"

#include "platform/abi/ComObject.h"

#include <memory>

namespace cv::host {

class HostPrivileges : public ComObject<corvelian::ICVPrivileges> {
public:
    explicit HostPrivileges(std::shared_ptr<ServiceContext> context) : m_context(std::move(context))
    {
    }

    corvelian::CvStatus CV_CALL GetVersion(double* version) override;
    corvelian::CvStatus CV_CALL GetName(corvelian::CvBStr* name) override;
    corvelian::CvStatus CV_CALL GetLastError(corvelian::CvBStr* text) override;
    std::int32_t CV_CALL CheckCommand(std::int32_t command, const char16_t* appName,
                                      std::int32_t flags) override;
    std::int32_t CV_CALL IsAllowed(const char16_t* actionName) override;
    std::int32_t CV_CALL IsDefined(const char16_t* actionName) override;

protected:
    ~HostPrivileges() override = default;
    void* findInterface(const corvelian::CvGuid& iid) override;

private:
    // 1 when the statement returns a row; 0 also when it fails (the reason is
    // kept as last error): a privilege that cannot be read is not granted.
    std::int32_t exists(const QString& sql, const QVariant& value);

    std::shared_ptr<ServiceContext> m_context;
    QString m_lastError;
};

} // namespace cv::host
