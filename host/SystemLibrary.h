// The reference host's system library: connection, scripts, settings, user
// values, resource texts, query tables, XML documents and the log.
#pragma once

#include "HostState.h"

#include "HostObject.h"

#include <memory>

namespace cv::host {

class SystemLibrary : public HostObject<corvelian::ICVLibrary3> {
public:
    explicit SystemLibrary(std::shared_ptr<HostState> state)
        : HostObject(QStringLiteral("Cv.Library"), 0.0), m_state(std::move(state))
    {
    }

    // ICVExtention
    corvelian::CvStatus CV_CALL GetModuleHandle(corvelian::CvHandle* handle) override;
    corvelian::CvStatus CV_CALL GetInitialized(corvelian::CvWordBool* initialized) override;
    corvelian::CvStatus CV_CALL Execute(std::int32_t code, std::int32_t param,
                                        corvelian::CvBStr* text, std::int32_t* result) override;
    corvelian::CvStatus CV_CALL CreateObject(corvelian::ICVUnknown** destination,
                                             std::int32_t flags, const char16_t* name,
                                             std::int32_t* result) override;
    // ICVLibrary
    corvelian::CvStatus CV_CALL GetConnectionObject(corvelian::ICVUnknown** connection) override;
    corvelian::CvStatus CV_CALL GetConnectionMode(std::int32_t* mode) override;
    corvelian::CvStatus CV_CALL GetConnectionString(corvelian::CvBStr* text) override;
    corvelian::CvStatus CV_CALL GetPrivilegeTrace(corvelian::CvWordBool* trace) override;
    corvelian::CvStatus CV_CALL GetResourceModule(corvelian::ICVUnknown** module) override;
    corvelian::CvStatus CV_CALL CreateQueryTable(corvelian::ICVQueryTable** table) override;
    corvelian::CvStatus CV_CALL CreateXMLDocument(corvelian::ICVXMLDocument** document) override;
    corvelian::CvStatus CV_CALL GetScript(std::int32_t code, corvelian::CvBStr* text) override;
    corvelian::CvStatus CV_CALL GetResourceText(const char16_t* name, std::int32_t reserved,
                                                corvelian::CvBStr* text) override;
    corvelian::CvStatus CV_CALL GetUserValue(const char16_t* name,
                                             corvelian::CvBStr* value) override;
    corvelian::CvStatus CV_CALL WriteLog(std::int32_t level, const char16_t* appName,
                                         const char16_t* source, const char16_t* title,
                                         const char16_t* text) override;
    // ICVLibrary2
    std::int32_t CV_CALL GetSetting(const char16_t* name, corvelian::CvBStr* value) override;
    // ICVLibrary3
    corvelian::CvStatus CV_CALL GetSecondConnection(corvelian::ICVUnknown** connection) override;

protected:
    ~SystemLibrary() override = default;
    void* findInterface(const corvelian::CvGuid& iid) override;
    double interfaceVersion() const override;

private:
    std::shared_ptr<HostState> m_state;
};

} // namespace cv::host
