#include "HostApplication.h"

#include "SystemLibrary.h"

#include "platform/abi/Boundary.h"
#include "platform/abi/WideString.h"

namespace cv::host {

using namespace corvelian;

QString HostApplication::interfaceName() const
{
    return m_state->config.name;
}

double HostApplication::interfaceVersion() const
{
    return m_state->config.version;
}

CvStatus CV_CALL HostApplication::GetSystemInfo(ICvSystemInfo* info)
{
    return call([&] {
        requirePointer(info);
        const HostConfig& c = m_state->config;
        info->Title = allocWide(c.title);
        info->ApplicationHandle = c.applicationHandle;
        info->IconHandle = c.iconHandle;
        info->MainWindow = c.mainWindow;
        info->ClientWindow = c.clientWindow;
    });
}

CvStatus CV_CALL HostApplication::GetConfigInfo(ICvConfigInfo* info)
{
    return call([&] {
        requirePointer(info);
        const HostConfig& c = m_state->config;
        *info = ICvConfigInfo{};
        info->ShowFormBorder = c.showFormBorder ? CV_TRUE : 0;
        info->UseColorScheme = c.useColorScheme ? CV_TRUE : 0;
        info->ImeName = allocWide(c.imeName);
        info->FormMode = c.formMode;
        info->LookAndFeel = c.lookAndFeel;
        info->ColorScheme = c.colorScheme;
    });
}

CvStatus CV_CALL HostApplication::GetUserInfo(ICvUserInfo* info)
{
    return call([&] {
        requirePointer(info);
        *info = ICvUserInfo{};
        info->UserId = m_state->config.userId;
        info->UserName = allocWide(m_state->config.userName);
    });
}

CvStatus CV_CALL HostApplication::GetPathInfo(ICvPathInfo* info)
{
    return call([&] {
        requirePointer(info);
        *info = ICvPathInfo{};
        info->TempPath = allocWide(m_state->config.tempPath);
    });
}

CvStatus CV_CALL HostApplication::GetFontInfo(ICVFontInfo* info)
{
    return call([&] {
        requirePointer(info);
        const HostConfig& c = m_state->config;
        info->FontName = allocWide(c.fontName);
        info->UseHostFont = c.useHostFont ? CV_TRUE : 0;
        info->Size = c.fontSize;
        info->StyleCode = c.fontStyle;
    });
}

namespace {
CvStatus lookupPackage(const QMap<QString, ComPtr<ICVExtention>>& registry, const QString& name,
                       const QString& missingText, CvBStr* errorText, ICVExtention** package)
{
    if (!package || !errorText)
        return CV_E_POINTER;
    *package = nullptr;
    *errorText = nullptr;
    for (auto it = registry.begin(); it != registry.end(); ++it) {
        if (it.key().compare(name, Qt::CaseInsensitive) == 0 && it.value()) {
            *package = it.value().get();
            (*package)->AddRef();
            return CV_OK;
        }
    }
    *errorText = allocWide(missingText.arg(name));
    return CV_OK;
}
} // namespace

CvStatus CV_CALL HostApplication::GetPackage(const char16_t* packageName, CvBStr* errorText,
                                             ICVExtention** package)
{
    return lookupPackage(m_state->packages, fromWideZ(packageName),
                         QStringLiteral("程序包%1不存在."), errorText, package);
}

CvStatus CV_CALL HostApplication::FindInterfacePackage(const char16_t* interfaceName,
                                                       CvBStr* errorText, ICVExtention** package)
{
    return lookupPackage(m_state->interfacePackages, fromWideZ(interfaceName),
                         QStringLiteral("没有程序包提供接口%1."), errorText, package);
}

CvStatus CV_CALL HostApplication::GetSystemLibrary(ICVUnknown** library, std::int32_t,
                                                   CvBStr* errorText)
{
    return call([&] {
        requirePointer(library);
        requirePointer(errorText);
        *library = nullptr;
        *errorText = nullptr;
        if (!m_state->config.provideLibrary) {
            *errorText = allocWide(QStringLiteral("系统库不可用."));
            return;
        }
        auto* object = new SystemLibrary(m_state);
        *library = static_cast<ICVLibrary3*>(object);
        object->AddRef();
    });
}

CvStatus CV_CALL HostApplication::NotifyForm(const ICVFormInfo* info)
{
    return call([&] {
        requirePointer(info);
        m_state->formNotices.push_back(
            {info->Kind, info->Handle, info->Icon, fromWideZ(info->Caption)});
    });
}

CvStatus CV_CALL HostApplication::ShowProgress(std::int32_t, const char16_t* text,
                                               std::int32_t kind)
{
    return call([&] { m_state->progress.push_back({fromWideZ(text), kind}); });
}

CvStatus CV_CALL HostApplication::ShowMessage(const ICVMsgInfo* info, std::int32_t* result)
{
    return call([&] {
        requirePointer(info);
        requirePointer(result);
        MessageRequest request{
            info->Owner,          info->Value1, info->Flags, info->Value2, fromWideZ(info->Caption),
            fromWideZ(info->Text)};
        m_state->messages.push_back(request);
        *result = m_state->messageHandler ? m_state->messageHandler(request) : 1;
    });
}

} // namespace cv::host
