// A host package that creates one kind of service object: the module asks it
// by package name ("Cv.Print") or interface name ("ICVDataPicker",
// "ICVPrintPreview", "ICVPrivileges") and calls CreateObject.
#pragma once

#include "host/HostObject.h"
#include "platform/abi/ComPtr.h"

#include <QString>

#include <functional>

namespace cv::host {

class ServicePackage : public HostObject<corvelian::ICVExtention> {
public:
    // Builds a new object for CreateObject(flags, name).
    using Factory = std::function<ComPtr<corvelian::ICVUnknown>(int flags, const QString& name)>;

    ServicePackage(QString name, Factory factory)
        : HostObject(std::move(name), 2.0), m_factory(std::move(factory))
    {
    }

    corvelian::CvStatus CV_CALL GetModuleHandle(corvelian::CvHandle* handle) override;
    corvelian::CvStatus CV_CALL GetInitialized(corvelian::CvWordBool* initialized) override;
    corvelian::CvStatus CV_CALL Execute(std::int32_t code, std::int32_t param,
                                        corvelian::CvBStr* text, std::int32_t* result) override;
    corvelian::CvStatus CV_CALL CreateObject(corvelian::ICVUnknown** destination,
                                             std::int32_t flags, const char16_t* name,
                                             std::int32_t* result) override;

protected:
    ~ServicePackage() override = default;

private:
    Factory m_factory;
};

} // namespace cv::host
