// The reference host put together for a run: its database, script store,
// settings, user, resources, XML documents and the "CV.System" package, and
// the module loaded into it.
#pragma once

#include "HostOptions.h"
#include "ModuleLoader.h"

#include "host/HostDatabase.h"
#include "host/ReferenceHost.h"

#include <memory>
#include <optional>

namespace cv::host {

class HostRuntime {
public:
    // Opens (or builds) the database and sets the host up; throws
    // cv::Exception when the database cannot be used.
    explicit HostRuntime(const HostOptions& options);
    ~HostRuntime();

    ReferenceHost& host() { return m_host; }
    HostDatabase& database() { return *m_database; }

    // Loads the module and creates its extension; throws cv::Exception when
    // the module cannot be loaded.
    void loadModule(const QString& path);
    corvelian::ICVExtention* extension() const { return m_extension.get(); }
    // Releases the extension (the module closes its forms) and calls
    // ReleaseInstance; the library stays loaded until the runtime goes.
    std::int32_t releaseModule();

    struct ExecResult {
        int result = 0;
        QString text;
        QString lastError;
        corvelian::CvStatus status = corvelian::CV_OK;
    };
    ExecResult execute(const ExecRequest& request);
    bool initialized() const;
    QString lastError() const;

    static QString defaultModulePath();
    static QString defaultDemoPath();

private:
    void openDatabase(const HostOptions& options);
    void loadSettings();
    void loadUser(std::optional<int> employeeId);

    ReferenceHost m_host;
    std::shared_ptr<HostDatabase> m_database;
    std::unique_ptr<ModuleLoader> m_loader;
    ComPtr<corvelian::ICVExtention> m_extension;
};

} // namespace cv::host
