#include "TCVExtentionAdapter.h"

#include "TCvApplication.h"

#include "platform/abi/Boundary.h"
#include "platform/abi/Exception.h"
#include "platform/abi/WideString.h"

#include <dlfcn.h>

namespace cv::shell {

using namespace corvelian;

namespace {
constexpr double kMinimumHostVersion = 1.59;

CvHandle moduleHandle()
{
    // The base address of the library that holds this code stands in for the
    // module instance handle.
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&moduleHandle), &info) != 0)
        return reinterpret_cast<CvHandle>(info.dli_fbase);
    return 0;
}
} // namespace

TCVExtentionAdapter::TCVExtentionAdapter(const QString& packageName, int packageId,
                                         const QString& expectedHostName)
    : m_packageName(packageName), m_packageId(packageId), m_expectedHostName(expectedHostName)
{
}

void TCVExtentionAdapter::Construct()
{
    try {
        CheckHost();
        CvApp().StartUp();
        m_formMode = CvApp().GetConfigInfo().formMode;
        Initialize();
        m_initialized = true;
    } catch (const Exception& e) {
        m_lastError = e.message();
        m_initialized = false;
    } catch (const std::exception& e) {
        m_lastError = QString::fromUtf8(e.what());
        m_initialized = false;
    }
}

void TCVExtentionAdapter::CheckHost()
{
    TCvApplication& app = CvApp();
    if (!app.HostBound())
        throw Exception(QStringLiteral("设置主应用程序接口失败."));
    if (!m_expectedHostName.isEmpty() &&
        app.GetHostName().compare(m_expectedHostName, Qt::CaseInsensitive) != 0)
        throw Exception(QStringLiteral("该文件不是当前应用程序的子系统."));
    if (CheckHostVersion() &&
        m_packageName.compare(QStringLiteral("Cv.Library"), Qt::CaseInsensitive) != 0) {
        // A tolerance keeps 1.59 passing when it arrives as 1.5899999.
        const double version = app.GetHostVersion();
        if (version + 1e-9 < kMinimumHostVersion)
            throw Exception(QStringLiteral("验证 ") + app.GetHostName() +
                            QStringLiteral(" 应用程序版本过低，请升级 Corvelian.exe 到 "
                                           "8.0.1.33 及以上版本。"));
    }
}

void TCVExtentionAdapter::Initialize()
{
    TCvApplication& app = CvApp();
    if (!app.HostBound())
        return;
    app.SetApplicationName(m_packageName);
    // On this platform the application object's title, window and icon are
    // the host's own; reading the record keeps the host contract.
    (void)app.GetSystemInfo();
    int ignored = 0;
    ApplySettings(ignored, 0);
}

void TCVExtentionAdapter::Destruct()
{
    if (!m_initialized)
        return;
    TCvApplication* app = TCvApplication::instance();
    if (!app)
        return;
    app->WriteLog(2, QStringLiteral("Dll 接口"), QStringLiteral("Terminated"),
                  QStringLiteral("准备终止DLL接口"));
    Finalize();
    app->SetTerminated(true);
    app->ShutDown();
}

std::uint32_t CV_CALL TCVExtentionAdapter::Release()
{
    // The destruction sequence calls virtual operations, so it runs before
    // the destructor; nothing of it may escape to the host.
    const std::uint32_t count = refCount();
    if (count == 1) {
        try {
            Destruct();
        } catch (...) {
        }
    }
    return ComObject::Release();
}

int TCVExtentionAdapter::SetError(int code, const QString& text)
{
    m_lastError = text;
    return code;
}

void TCVExtentionAdapter::ApplySettings(int& result, int /*kind*/)
{
    result = 0;
}

void TCVExtentionAdapter::CreateObjectByName(int& result, ICVUnknown** /*destination*/,
                                             int /*flags*/, const QString& /*name*/)
{
    result = 0;
}

void TCVExtentionAdapter::GetFormList(int& /*result*/, QString& /*text*/) {}
void TCVExtentionAdapter::GetOpenFormList(int& /*result*/, QString& /*text*/) {}
void TCVExtentionAdapter::ExecuteDefault(int& result, int /*param*/, QString& /*text*/)
{
    result = 0;
}
void TCVExtentionAdapter::OpenCommand(int& result, int /*code*/, int /*param*/, QString& /*text*/)
{
    result = 0;
}
void TCVExtentionAdapter::HandleCode5(int& result)
{
    result = 0;
}
void TCVExtentionAdapter::QueryClose(int& result)
{
    result = CvApp().AnyFormModal() ? 3 : 1;
}
void TCVExtentionAdapter::HandleCode8(int& /*result*/) {}

void TCVExtentionAdapter::ExecuteCommand(int& result, int code, int param, QString& text)
{
    result = 2;
    TCvApplication& app = CvApp();
    if (!app.HostBound()) {
        result = SetError(3, QStringLiteral("加载核心接口失败。"));
        return;
    }
    if (code > 0) {
        OpenCommand(result, code, param, text);
        return;
    }
    switch (code) {
    case 0:
        ExecuteDefault(result, param, text);
        break;
    case -1:
        GetFormList(result, text);
        break;
    case -2:
        ApplySettings(result, param);
        break;
    case -3:
        GetOpenFormList(result, text);
        break;
    case -5:
        HandleCode5(result);
        break;
    case -7:
        QueryClose(result);
        if (result == 1)
            app.RunLifecycleStage(StageClosing);
        break;
    case -8:
        result = 1;
        HandleCode8(result);
        break;
    case -10:
        text = QString::number(m_packageId);
        result = 1;
        break;
    case -11:
        result = CheckHostVersion() ? 1 : 0;
        break;
    default:
        break;
    }
}

// --- ICVExtention -------------------------------------------------------------

CvStatus CV_CALL TCVExtentionAdapter::GetVersion(double* version)
{
    return guardBoundary([&] {
        if (!version)
            throw Exception(QStringLiteral("Invalid pointer"));
        *version = m_version;
    });
}

CvStatus CV_CALL TCVExtentionAdapter::GetName(CvBStr* name)
{
    return guardBoundary([&] {
        if (!name)
            throw Exception(QStringLiteral("Invalid pointer"));
        *name = allocWide(m_packageName);
    });
}

CvStatus CV_CALL TCVExtentionAdapter::GetLastError(CvBStr* text)
{
    return guardBoundary([&] {
        if (!text)
            throw Exception(QStringLiteral("Invalid pointer"));
        *text = allocWide(m_lastError);
    });
}

CvStatus CV_CALL TCVExtentionAdapter::GetModuleHandle(CvHandle* handle)
{
    return guardBoundary([&] {
        if (!handle)
            throw Exception(QStringLiteral("Invalid pointer"));
        *handle = moduleHandle();
    });
}

CvStatus CV_CALL TCVExtentionAdapter::GetInitialized(CvWordBool* initialized)
{
    return guardBoundary([&] {
        if (!initialized)
            throw Exception(QStringLiteral("Invalid pointer"));
        *initialized = m_initialized ? CV_TRUE : CV_FALSE_BOOL;
    });
}

CvStatus CV_CALL TCVExtentionAdapter::Execute(std::int32_t code, std::int32_t param, CvBStr* text,
                                              std::int32_t* result)
{
    return guardBoundary([&] {
        if (!result)
            throw Exception(QStringLiteral("Invalid pointer"));
        const QString before = text ? fromWide(*text) : QString();
        QString value = before;
        int answer = 0;
        ExecuteCommand(answer, code, param, value);
        // The host's text stays untouched unless the operation changed it.
        if (text && value != before)
            assignWide(text, value);
        *result = answer;
    });
}

CvStatus CV_CALL TCVExtentionAdapter::CreateObject(ICVUnknown** destination, std::int32_t flags,
                                                   const char16_t* name, std::int32_t* result)
{
    return guardBoundary([&] {
        if (!result)
            throw Exception(QStringLiteral("Invalid pointer"));
        int answer = 0;
        CreateObjectByName(answer, destination, flags, fromWideZ(name));
        *result = answer;
    });
}

} // namespace cv::shell
