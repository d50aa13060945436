#include "TCvApplication.h"

#include "platform/abi/StageSingleton.h"

#include "platform/abi/Boundary.h"
#include "platform/abi/Exception.h"
#include "platform/abi/WideString.h"
#include "platform/text/FormatSettings.h"

#include <QFontDatabase>
#include <QGuiApplication>

#include <algorithm>
#include <memory>

namespace cv::shell {

using namespace corvelian;

namespace {
StageSingleton<TCvApplication> g_application;

const QString kNoHost = QStringLiteral("未绑定主应用程序接口.");
const QString kNoLibrary = QStringLiteral("未绑定主程序系统库接口.");
} // namespace

TCvApplication* TCvApplication::instance()
{
    return g_application.get();
}

void TCvApplication::createInstance()
{
    if (!g_application)
        g_application = std::make_unique<TCvApplication>();
}

void TCvApplication::destroyInstance()
{
    g_application.reset();
}

TCvApplication& CvApp()
{
    if (!g_application)
        throw Exception(QStringLiteral("应用程序接口尚未创建."));
    return *g_application;
}

TCvApplication::TCvApplication() : m_applicationName(QStringLiteral("Corvelian"))
{
    // The formatting rules are fixed for the process; touching them here makes
    // them exist before any value is turned into text.
    (void)text::formatSettings();
}

TCvApplication::~TCvApplication()
{
    try {
        ShutDown();
    } catch (...) {
        // Unloading cannot report anything; the stop callbacks have run as far
        // as they could.
    }
    if (m_hostBound)
        BindHost(nullptr);
}

void TCvApplication::BindHost(ICvApplication* host)
{
    m_host = ComPtr<ICvApplication>(host);
    m_hostBound = m_host.get() != nullptr;
}

void TCvApplication::StartUp()
{
    if (m_hostBound && !m_libraryBound) {
        ComPtr<ICVUnknown> library;
        WideString errorText;
        const CvStatus status = m_host->GetSystemLibrary(library.put(), 0, errorText.put());
        checkHost(status, m_host.get());
        if (library) {
            auto library2 = library.as<ICVLibrary2>();
            if (!library2)
                throw Exception(QStringLiteral("Interface not supported"), CV_E_NOINTERFACE);
            BindSystemLibrary(library2.get());
        }
    }
    RunLifecycleStage(StageStart);
}

void TCvApplication::BindSystemLibrary(ICVLibrary2* library)
{
    m_systemLibrary = ComPtr<ICVLibrary2>(library);
    m_libraryBound = m_systemLibrary.get() != nullptr;
}

void TCvApplication::ShutDown()
{
    RunLifecycleStage(StageStop);
    BindSystemLibrary(nullptr);
    m_callbacks.clear();
}

void TCvApplication::RegisterLifecycleCallback(LifecycleCallback callback)
{
    if (std::find(m_callbacks.begin(), m_callbacks.end(), callback) == m_callbacks.end())
        m_callbacks.push_back(callback);
}

void TCvApplication::RunLifecycleStage(std::uint8_t stage)
{
    const auto count = m_callbacks.size();
    for (std::size_t i = 0; i < count && i < m_callbacks.size(); ++i)
        m_callbacks[i](stage);
}

void TCvApplication::SetTerminated(bool value)
{
    if (value == m_terminated)
        return;
    m_terminated = value;
    WriteLog(2, QStringLiteral("CvApplication"), QStringLiteral("Terminated"),
             QStringLiteral("Terminated 终止应用程序接口"));
}

ICvApplication& TCvApplication::host() const
{
    if (!m_host)
        throw Exception(kNoHost);
    return *m_host;
}

ICVLibrary2& TCvApplication::library() const
{
    if (!m_systemLibrary)
        throw Exception(kNoLibrary);
    return *m_systemLibrary;
}

// --- host data --------------------------------------------------------------

QString TCvApplication::GetHostName() const
{
    WideString name;
    checkHost(host().GetName(name.put()), m_host.get());
    return name.toQString();
}

double TCvApplication::GetHostVersion() const
{
    double version = 0;
    checkHost(host().GetVersion(&version), m_host.get());
    return version;
}

SystemInfo TCvApplication::GetSystemInfo() const
{
    ICvSystemInfo raw{};
    checkHost(host().GetSystemInfo(&raw), m_host.get());
    SystemInfo info;
    info.title = takeWide(raw.Title);
    info.applicationHandle = raw.ApplicationHandle;
    info.iconHandle = raw.IconHandle;
    info.mainWindow = raw.MainWindow;
    info.clientWindow = raw.ClientWindow;
    return info;
}

ConfigInfo TCvApplication::GetConfigInfo() const
{
    ICvConfigInfo raw{};
    const CvStatus status = host().GetConfigInfo(&raw);
    ConfigInfo info;
    info.imeName = takeWide(raw.ImeName);
    takeWide(raw.Text18);
    takeWide(raw.Text22);
    checkHost(status, m_host.get());
    info.showFormBorder = raw.ShowFormBorder != 0;
    info.useColorScheme = raw.UseColorScheme != 0;
    info.formMode = raw.FormMode;
    info.lookAndFeel = raw.LookAndFeel;
    info.colorScheme = raw.ColorScheme;
    return info;
}

UserInfo TCvApplication::GetUserInfo() const
{
    ICvUserInfo raw{};
    const CvStatus status = host().GetUserInfo(&raw);
    UserInfo info;
    info.userName = takeWide(raw.UserName);
    takeWide(raw.Text14);
    takeWide(raw.Text22);
    checkHost(status, m_host.get());
    info.userId = raw.UserId;
    return info;
}

PathInfo TCvApplication::GetPathInfo() const
{
    ICvPathInfo raw{};
    const CvStatus status = host().GetPathInfo(&raw);
    PathInfo info;
    info.tempPath = takeWide(raw.TempPath);
    takeWide(raw.Path0);
    takeWide(raw.Path4);
    takeWide(raw.Path12);
    checkHost(status, m_host.get());
    return info;
}

FontInfo TCvApplication::GetFontInfo() const
{
    ICVFontInfo raw{};
    const CvStatus status = host().GetFontInfo(&raw);
    FontInfo info;
    info.fontName = takeWide(raw.FontName);
    checkHost(status, m_host.get());
    info.useHostFont = raw.UseHostFont != 0;
    info.size = raw.Size;
    info.styleCode = raw.StyleCode;
    return info;
}

QFont TCvApplication::GetSystemMessageFont() const
{
    // The desktop's general font stands in for the non-client message font.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    return QFont();
}

// --- user interaction ---------------------------------------------------------

int TCvApplication::ShowMessage(const QString& text, int flags, int value1, int value2) const
{
    const QString caption = GetSystemInfo().title;
    const QString empty;
    ICVMsgInfo info{};
    info.Owner = m_activeFormQuery ? m_activeFormQuery() : 0;
    info.Value1 = value1;
    info.Flags = flags;
    info.Value2 = value2;
    info.Caption = wideArg(caption);
    info.Text = wideArg(text);
    info.Text24 = wideArg(empty);
    info.Text28 = wideArg(empty);
    info.Text32 = wideArg(empty);
    std::int32_t result = 0;
    checkHost(host().ShowMessage(&info, &result), m_host.get());
    return result;
}

void TCvApplication::NotifyForm(int kind, CvHandle handle, CvHandle icon,
                                const QString& caption) const
{
    ICVFormInfo info{};
    info.Kind = kind;
    info.Handle = handle;
    info.Icon = icon;
    info.Caption = wideArg(caption);
    checkHost(host().NotifyForm(&info), m_host.get());
}

void TCvApplication::ShowProgress(const QString& text) const
{
    checkHost(host().ShowProgress(0, wideArg(text), 1), m_host.get());
}

void TCvApplication::HideProgress() const
{
    checkHost(host().ShowProgress(0, wideArg(QString()), 2), m_host.get());
}

void TCvApplication::ReportConnectionLost() const
{
    checkHost(host().ShowProgress(0, wideArg(QString()), 4), m_host.get());
}

// --- system library -------------------------------------------------------------

ComPtr<ICVQueryTable> TCvApplication::CreateQueryTable() const
{
    if (!m_libraryBound)
        throw Exception(QStringLiteral("创建可回收的查询表失败."));
    ComPtr<ICVQueryTable> table;
    checkHost(m_systemLibrary->CreateQueryTable(table.put()), m_systemLibrary.get());
    return table;
}

ComPtr<ICVXMLDocument> TCvApplication::CreateXMLDocument() const
{
    if (!m_libraryBound)
        throw Exception(QStringLiteral("创建XML文档管理接口失败."));
    ComPtr<ICVXMLDocument> document;
    checkHost(m_systemLibrary->CreateXMLDocument(document.put()), m_systemLibrary.get());
    return document;
}

QString TCvApplication::GetScript(int code) const
{
    if (!m_libraryBound)
        return {};
    WideString text;
    checkHost(m_systemLibrary->GetScript(code, text.put()), m_systemLibrary.get());
    return text.toQString();
}

QString TCvApplication::FormatScript(int code, std::span<const text::FormatArg> arguments) const
{
    const QString script = GetScript(code);
    try {
        return text::format(script, arguments);
    } catch (const Exception&) {
        WriteLog(5, GetHostName(), QStringLiteral("提取脚本"), script);
        throw;
    }
}

int TCvApplication::LookupScriptId(const QString& scriptCode) const
{
    ComPtr<ICVQueryTable> query = CreateQueryTable();
    const text::FormatArg argument = text::FormatArg::ansiString(text::quotedStr(scriptCode));
    const QString sql = FormatScript(86, std::span(&argument, 1));
    checkHost(query->SetSQL(wideArg(sql)), query.get());
    checkHost(query->Open(), query.get());
    CvWordBool eof = CV_TRUE;
    checkHost(query->GetEof(&eof), query.get());
    int id = 0;
    if (!eof) {
        ComPtr<ICVField> field;
        checkHost(query->FieldByName(wideArg(QStringLiteral("ID")), field.put()), query.get());
        if (!field)
            throw Exception(QStringLiteral("Field 'ID' not found"));
        std::int32_t value = 0;
        checkHost(field->GetAsInteger(&value), field.get());
        id = value;
    }
    checkHost(query->Close(), query.get());
    return id;
}

ComPtr<ICVUnknown> TCvApplication::GetConnectionObject() const
{
    ComPtr<ICVUnknown> connection;
    checkHost(library().GetConnectionObject(connection.put()), m_systemLibrary.get());
    return connection;
}

QString TCvApplication::GetConnectionString() const
{
    WideString text;
    checkHost(library().GetConnectionString(text.put()), m_systemLibrary.get());
    return text.toQString();
}

int TCvApplication::GetConnectionMode() const
{
    std::int32_t mode = 0;
    checkHost(library().GetConnectionMode(&mode), m_systemLibrary.get());
    return mode;
}

int TCvApplication::GetSetting(const QString& name, QString& value) const
{
    WideString text;
    const int found = library().GetSetting(wideArg(name), text.put());
    value = text.toQString();
    return found;
}

bool TCvApplication::GetProgramSetting(int id, int& first, int& second) const
{
    const QString name =
        QStringLiteral(".Programs ") + m_applicationName + QLatin1Char(';') + QString::number(id);
    QString value;
    if (GetSetting(name, value) != 1)
        return false;
    const qsizetype separator = value.indexOf(QLatin1Char(';'));
    if (separator >= 0) {
        first = text::strToIntDef(value.left(separator), 0);
        second = text::strToIntDef(value.mid(separator + 1), 0);
    }
    return true;
}

void TCvApplication::WriteLog(int level, const QString& source, const QString& title,
                              const QString& text) const
{
    if (!m_libraryBound)
        return;
    checkHost(m_systemLibrary->WriteLog(level, wideArg(m_applicationName), wideArg(source),
                                        wideArg(title), wideArg(text)),
              m_systemLibrary.get());
}

// --- host components ---------------------------------------------------------------

ComPtr<ICVUnknown> TCvApplication::GetInterface(const QString& interfaceName, int flags) const
{
    ComPtr<ICVExtention> package;
    WideString errorText;
    checkHost(host().FindInterfacePackage(wideArg(interfaceName), errorText.put(), package.put()),
              m_host.get());
    if (!package)
        throw Exception(errorText.toQString());
    ComPtr<ICVUnknown> object;
    std::int32_t result = 0;
    checkHost(package->CreateObject(object.put(), flags, wideArg(interfaceName), &result),
              package.get());
    return object;
}

ComPtr<ICVDataPicker> TCvApplication::GetDataPicker() const
{
    ComPtr<ICVUnknown> object = GetInterface(QStringLiteral("ICVDataPicker"), 0);
    auto picker = object.as<ICVDataPicker>();
    if (object && !picker)
        throw Exception(QStringLiteral("Interface not supported"), CV_E_NOINTERFACE);
    return picker;
}

} // namespace cv::shell
