// The host package "CV.System". Execute code 23 runs a script of the host's
// script store by ID (the param): it shows the parameter dialog for the
// parameters the script declares, pre-filled from the request's lines or the
// defaults, unless the request holds the line "##NoDialog=1", and answers
//
//   $SQL=<hex of the statement's code page 936 bytes>\r\n<name>=<value>...
//
// Result 1 done, 2 the user cancelled, 0 no script of that ID. Any other code
// answers 2 (not handled). The request text stays as it was unless the
// result is 1.
#pragma once

#include "ScriptParameterDialog.h"

#include "host/HostState.h"

#include "platform/abi/ComObject.h"

#include <QDate>

#include <functional>
#include <memory>

namespace cv::host {

class HostDatabase;

class SystemPackage : public ComObject<corvelian::ICVExtention> {
public:
    // Called with the built dialog instead of its modal exec(); answers a
    // QDialog::DialogCode. Tests and the headless host answer through it.
    using DialogRunner = std::function<int(ScriptParameterDialog&)>;

    static constexpr std::int32_t kRunScript = 23;

    explicit SystemPackage(std::shared_ptr<HostDatabase> database);

    // Registers a new package as the state's "CV.System".
    static ComPtr<SystemPackage> install(HostState& state, std::shared_ptr<HostDatabase> database);

    void setDialogRunner(DialogRunner runner) { m_dialogRunner = std::move(runner); }
    // The day date defaults count from (the current date unless set).
    void setToday(std::function<QDate()> today) { m_today = std::move(today); }

    corvelian::CvStatus CV_CALL GetVersion(double* version) override;
    corvelian::CvStatus CV_CALL GetName(corvelian::CvBStr* name) override;
    corvelian::CvStatus CV_CALL GetLastError(corvelian::CvBStr* text) override;
    corvelian::CvStatus CV_CALL GetModuleHandle(corvelian::CvHandle* handle) override;
    corvelian::CvStatus CV_CALL GetInitialized(corvelian::CvWordBool* initialized) override;
    corvelian::CvStatus CV_CALL Execute(std::int32_t code, std::int32_t param,
                                        corvelian::CvBStr* text, std::int32_t* result) override;
    corvelian::CvStatus CV_CALL CreateObject(corvelian::ICVUnknown** destination,
                                             std::int32_t flags, const char16_t* name,
                                             std::int32_t* result) override;

protected:
    ~SystemPackage() override = default;
    void* findInterface(const corvelian::CvGuid& iid) override;

private:
    template <class F> corvelian::CvStatus call(F&& body);
    std::int32_t runScript(int id, corvelian::CvBStr* text);
    bool askUser(const Script& script, std::vector<ScriptParameter>& parameters);

    std::shared_ptr<HostDatabase> m_database;
    DialogRunner m_dialogRunner;
    std::function<QDate()> m_today;
    QString m_lastError;
};

} // namespace cv::host
