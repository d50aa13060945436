// The module's single point of contact with the host: the host application
// and system library interfaces, the lifecycle callbacks, and the host
// operations more than one part of the module uses.
#pragma once

#include "HostRecords.h"

#include "platform/abi/ComPtr.h"
#include "platform/text/Format.h"

#include <corvelian/Interfaces.h>

#include <QFont>
#include <QString>

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace cv::shell {

// Lifecycle stages passed to every callback.
enum LifecycleStage : std::uint8_t { StageStart = 0, StageStop = 1, StageClosing = 2 };

using LifecycleCallback = void (*)(std::uint8_t stage);

class TCvApplication {
public:
    TCvApplication();
    ~TCvApplication();
    TCvApplication(const TCvApplication&) = delete;
    TCvApplication& operator=(const TCvApplication&) = delete;

    // The instance that lives from library load to unload (null outside).
    static TCvApplication* instance();
    static void createInstance();
    static void destroyInstance();

    // Binding and lifecycle
    void BindHost(corvelian::ICvApplication* host);
    void StartUp();
    void BindSystemLibrary(corvelian::ICVLibrary2* library);
    void ShutDown();
    void RegisterLifecycleCallback(LifecycleCallback callback);
    void RunLifecycleStage(std::uint8_t stage);
    void SetTerminated(bool value);
    bool IsLibraryModule() const { return true; }

    bool HostBound() const { return m_hostBound; }
    bool LibraryBound() const { return m_libraryBound; }
    bool Terminated() const { return m_terminated; }
    const QString& ApplicationName() const { return m_applicationName; }
    void SetApplicationName(const QString& name) { m_applicationName = name; }
    corvelian::ICvApplication* Host() const { return m_host.get(); }
    corvelian::ICVLibrary2* SystemLibrary() const { return m_systemLibrary.get(); }

    // Host data
    QString GetHostName() const;
    double GetHostVersion() const;
    SystemInfo GetSystemInfo() const;
    ConfigInfo GetConfigInfo() const;
    UserInfo GetUserInfo() const;
    PathInfo GetPathInfo() const;
    FontInfo GetFontInfo() const;
    QFont GetSystemMessageFont() const;

    // User interaction through the host
    int ShowMessage(const QString& text, int flags, int value1, int value2) const;
    void NotifyForm(int kind, corvelian::CvHandle handle, corvelian::CvHandle icon = 0,
                    const QString& caption = {}) const;
    void ShowProgress(const QString& text) const;
    void HideProgress() const;
    void ReportConnectionLost() const;

    // System library wrappers
    ComPtr<corvelian::ICVQueryTable> CreateQueryTable() const;
    ComPtr<corvelian::ICVXMLDocument> CreateXMLDocument() const;
    QString GetScript(int code) const;
    QString FormatScript(int code, std::span<const text::FormatArg> arguments) const;
    int LookupScriptId(const QString& scriptCode) const;
    ComPtr<corvelian::ICVUnknown> GetConnectionObject() const;
    QString GetConnectionString() const;
    int GetConnectionMode() const;
    int GetSetting(const QString& name, QString& value) const;
    bool GetProgramSetting(int id, int& first, int& second) const;
    void WriteLog(int level, const QString& source, const QString& title,
                  const QString& text) const;

    // Host components
    ComPtr<corvelian::ICVUnknown> GetInterface(const QString& interfaceName, int flags) const;
    ComPtr<corvelian::ICVDataPicker> GetDataPicker() const;

    // Answers whether a module form is showing modally; the window layer
    // installs it (none: no form is modal).
    void SetModalFormQuery(std::function<bool()> query) { m_modalFormQuery = std::move(query); }
    bool AnyFormModal() const { return m_modalFormQuery && m_modalFormQuery(); }

    // Window handle of the module's active form, for message-box owners.
    void SetActiveFormQuery(std::function<corvelian::CvHandle()> query)
    {
        m_activeFormQuery = std::move(query);
    }

private:
    corvelian::ICvApplication& host() const;
    corvelian::ICVLibrary2& library() const;

    std::vector<LifecycleCallback> m_callbacks;
    ComPtr<corvelian::ICvApplication> m_host;
    bool m_hostBound = false;
    QString m_applicationName;
    ComPtr<corvelian::ICVLibrary2> m_systemLibrary;
    bool m_libraryBound = false;
    bool m_terminated = false;
    std::function<bool()> m_modalFormQuery;
    std::function<corvelian::CvHandle()> m_activeFormQuery;
};

// The module-wide facade; raises when the library is not loaded.
TCvApplication& CvApp();

} // namespace cv::shell
