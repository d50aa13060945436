// The reference host's application interface.
#pragma once

#include "HostState.h"

#include "HostObject.h"

#include <memory>

namespace cv::host {

class HostApplication : public HostObject<corvelian::ICvApplication> {
public:
    explicit HostApplication(std::shared_ptr<HostState> state)
        : HostObject(QString(), 0.0), m_state(std::move(state))
    {
    }

    corvelian::CvStatus CV_CALL GetSystemInfo(corvelian::ICvSystemInfo* info) override;
    corvelian::CvStatus CV_CALL GetConfigInfo(corvelian::ICvConfigInfo* info) override;
    corvelian::CvStatus CV_CALL GetUserInfo(corvelian::ICvUserInfo* info) override;
    corvelian::CvStatus CV_CALL GetPathInfo(corvelian::ICvPathInfo* info) override;
    corvelian::CvStatus CV_CALL GetFontInfo(corvelian::ICVFontInfo* info) override;
    corvelian::CvStatus CV_CALL GetPackage(const char16_t* packageName,
                                           corvelian::CvBStr* errorText,
                                           corvelian::ICVExtention** package) override;
    corvelian::CvStatus CV_CALL FindInterfacePackage(const char16_t* interfaceName,
                                                     corvelian::CvBStr* errorText,
                                                     corvelian::ICVExtention** package) override;
    corvelian::CvStatus CV_CALL GetSystemLibrary(corvelian::ICVUnknown** library,
                                                 std::int32_t reserved,
                                                 corvelian::CvBStr* errorText) override;
    corvelian::CvStatus CV_CALL NotifyForm(const corvelian::ICVFormInfo* info) override;
    corvelian::CvStatus CV_CALL ShowProgress(std::int32_t reserved, const char16_t* text,
                                             std::int32_t kind) override;
    corvelian::CvStatus CV_CALL ShowMessage(const corvelian::ICVMsgInfo* info,
                                            std::int32_t* result) override;

protected:
    ~HostApplication() override = default;
    QString interfaceName() const override;
    double interfaceVersion() const override;

private:
    std::shared_ptr<HostState> m_state;
};

} // namespace cv::host
