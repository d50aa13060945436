#include "SystemPackage.h"

#include "host/HostDatabase.h"

#include "platform/abi/Boundary.h"
#include "platform/abi/WideString.h"
#include "platform/text/Hex.h"
#include "platform/text/NameValueList.h"

#include <QApplication>

namespace cv::host {

using namespace corvelian;

namespace {

constexpr std::int32_t kNothingDone = 0;
constexpr std::int32_t kDone = 1;
constexpr std::int32_t kNotHandled = 2;


bool dialogRefused(const text::NameValueList& request)
{
    return request.lines().contains(QStringLiteral("##NoDialog=1"));
}

// A value the request gives wins over the default; a date that does not
// read as one falls back to the default.
QString initialValue(const ScriptParameter& parameter, const text::NameValueList& request,
                     QDate today)
{
    const int line = request.indexOfName(parameter.name);
    if (line >= 0) {
        const QString given = request.valueAt(line);
        if (parameter.kind != ScriptParameter::Kind::Date ||
            QDate::fromString(given, QStringLiteral("yyyy-MM-dd")).isValid())
            return given;
    }
    return defaultValueOf(parameter, today);
}

QString answerOf(const Script& script, const std::vector<ScriptParameter>& parameters)
{
    QStringList lines{QStringLiteral("$SQL=") + text::textToHex(script.body)};
    for (const ScriptParameter& p : parameters)
        lines << p.name + QLatin1Char('=') + p.value;
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace

SystemPackage::SystemPackage(std::shared_ptr<HostDatabase> database)
    : m_database(std::move(database)), m_today([] { return QDate::currentDate(); })
{
}

ComPtr<SystemPackage> SystemPackage::install(HostState& state,
                                             std::shared_ptr<HostDatabase> database)
{
    ComPtr<SystemPackage> package(new SystemPackage(std::move(database)));
    state.packages.insert(QStringLiteral("CV.System"), ComPtr<ICVExtention>(package.get()));
    return package;
}

template <class F> CvStatus SystemPackage::call(F&& body)
{
    return guardHostCall(m_lastError, std::forward<F>(body));
}

void* SystemPackage::findInterface(const CvGuid& iid)
{
    if (iid == ICVInterface::iid())
        return static_cast<ICVInterface*>(this);
    return ComObject::findInterface(iid);
}

CvStatus CV_CALL SystemPackage::GetVersion(double* version)
{
    return call([&] {
        requirePointer(version);
        *version = 1.0;
    });
}

CvStatus CV_CALL SystemPackage::GetName(CvBStr* name)
{
    return call([&] {
        requirePointer(name);
        *name = allocWide(QStringLiteral("CV.System"));
    });
}

CvStatus CV_CALL SystemPackage::GetLastError(CvBStr* text)
{
    if (!text)
        return CV_E_POINTER;
    *text = allocWide(m_lastError);
    return CV_OK;
}

CvStatus CV_CALL SystemPackage::GetModuleHandle(CvHandle* handle)
{
    return call([&] {
        requirePointer(handle);
        *handle = 0;
    });
}

CvStatus CV_CALL SystemPackage::GetInitialized(CvWordBool* initialized)
{
    return call([&] {
        requirePointer(initialized);
        *initialized = CV_TRUE;
    });
}

CvStatus CV_CALL SystemPackage::Execute(std::int32_t code, std::int32_t param, CvBStr* text,
                                        std::int32_t* result)
{
    return call([&] {
        requirePointer(text);
        requirePointer(result);
        *result = kNotHandled;
        if (code == kRunScript)
            *result = runScript(param, text);
    });
}

CvStatus CV_CALL SystemPackage::CreateObject(ICVUnknown** destination, std::int32_t,
                                             const char16_t*, std::int32_t* result)
{
    return call([&] {
        requirePointer(destination);
        requirePointer(result);
        *destination = nullptr;
        *result = kNothingDone;
        throw Exception(QStringLiteral("程序包CV.System不创建对象."), CV_E_NOTIMPL);
    });
}

std::int32_t SystemPackage::runScript(int id, CvBStr* text)
{
    const std::optional<Script> script = findScript(*m_database, id);
    if (!script)
        return kNothingDone;
    const text::NameValueList request = text::NameValueList::fromText(fromWide(*text));
    std::vector<ScriptParameter> parameters = script->parameters;
    for (ScriptParameter& p : parameters)
        p.value = initialValue(p, request, m_today());
    if (!parameters.empty() && !dialogRefused(request) && !askUser(*script, parameters))
        return kNotHandled;
    assignWide(text, answerOf(*script, parameters));
    return kDone;
}

bool SystemPackage::askUser(const Script& script, std::vector<ScriptParameter>& parameters)
{
    if (!m_dialogRunner && !qobject_cast<QApplication*>(QCoreApplication::instance()))
        throw Exception(QStringLiteral("没有图形界面，无法显示脚本参数对话框."));
    ScriptParameterDialog dialog(script.name, parameters, QApplication::activeWindow());
    const int answer = m_dialogRunner ? m_dialogRunner(dialog) : dialog.exec();
    if (answer != QDialog::Accepted)
        return false;
    parameters = dialog.parameters();
    return true;
}

} // namespace cv::host
