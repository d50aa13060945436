#include "SystemLibrary.h"

#include "HostQueryTable.h"

#include "platform/abi/Boundary.h"
#include "platform/abi/WideString.h"

namespace cv::host {

using namespace corvelian;

double SystemLibrary::interfaceVersion() const
{
    return m_state->config.libraryVersion;
}

namespace {

template <class I> void handOut(const ComPtr<I>& object, I** out)
{
    *out = object.get();
    if (*out)
        (*out)->AddRef();
}
} // namespace

void* SystemLibrary::findInterface(const CvGuid& iid)
{
    ICVLibrary3* self = this;
    if (iid == ICVLibrary2::iid())
        return static_cast<ICVLibrary2*>(self);
    if (iid == ICVLibrary::iid())
        return static_cast<ICVLibrary*>(self);
    if (iid == ICVExtention::iid())
        return static_cast<ICVExtention*>(self);
    return HostObject::findInterface(iid);
}

CvStatus CV_CALL SystemLibrary::GetModuleHandle(CvHandle* handle)
{
    return call([&] {
        requirePointer(handle);
        *handle = 0;
    });
}

CvStatus CV_CALL SystemLibrary::GetInitialized(CvWordBool* initialized)
{
    return call([&] {
        requirePointer(initialized);
        *initialized = CV_TRUE;
    });
}

CvStatus CV_CALL SystemLibrary::Execute(std::int32_t, std::int32_t, CvBStr*, std::int32_t* result)
{
    return call([&] {
        requirePointer(result);
        *result = 2;
    });
}

CvStatus CV_CALL SystemLibrary::CreateObject(ICVUnknown**, std::int32_t, const char16_t*,
                                             std::int32_t* result)
{
    return call([&] {
        requirePointer(result);
        *result = 0;
    });
}

CvStatus CV_CALL SystemLibrary::GetConnectionObject(ICVUnknown** connection)
{
    return call([&] {
        requirePointer(connection);
        handOut(m_state->connectionObject, connection);
    });
}

CvStatus CV_CALL SystemLibrary::GetConnectionMode(std::int32_t* mode)
{
    return call([&] {
        requirePointer(mode);
        *mode = m_state->config.connectionMode;
    });
}

CvStatus CV_CALL SystemLibrary::GetConnectionString(CvBStr* text)
{
    return call([&] {
        requirePointer(text);
        *text = allocWide(m_state->config.connectionString);
    });
}

CvStatus CV_CALL SystemLibrary::GetPrivilegeTrace(CvWordBool* trace)
{
    return call([&] {
        requirePointer(trace);
        *trace = m_state->config.privilegeTrace ? CV_TRUE : CV_FALSE_BOOL;
    });
}

CvStatus CV_CALL SystemLibrary::GetResourceModule(ICVUnknown** module)
{
    return call([&] {
        requirePointer(module);
        handOut(m_state->resourceModule, module);
    });
}

CvStatus CV_CALL SystemLibrary::CreateQueryTable(ICVQueryTable** table)
{
    return call([&] {
        requirePointer(table);
        auto* object = new HostQueryTable(m_state);
        object->AddRef();
        *table = object;
    });
}

CvStatus CV_CALL SystemLibrary::CreateXMLDocument(ICVXMLDocument** document)
{
    return call([&] {
        requirePointer(document);
        *document = nullptr;
        if (!m_state->xmlDocumentFactory)
            throw Exception(QStringLiteral("主程序没有XML文档服务."));
        *document = m_state->xmlDocumentFactory().detach();
    });
}

CvStatus CV_CALL SystemLibrary::GetScript(std::int32_t code, CvBStr* text)
{
    return call([&] {
        requirePointer(text);
        const auto& scripts = m_state->config.scripts;
        if (scripts.contains(code))
            *text = allocWide(scripts.value(code));
        else
            *text = allocWide(m_state->scriptSource ? m_state->scriptSource(code) : QString());
    });
}

CvStatus CV_CALL SystemLibrary::GetResourceText(const char16_t* name, std::int32_t, CvBStr* text)
{
    return call([&] {
        requirePointer(text);
        const QString key = fromWideZ(name);
        if (!m_state->config.resourceTexts.contains(key))
            throw Exception(QStringLiteral("资源%1不存在.").arg(key));
        *text = allocWide(m_state->config.resourceTexts.value(key));
    });
}

CvStatus CV_CALL SystemLibrary::GetUserValue(const char16_t* name, CvBStr* value)
{
    return call([&] {
        requirePointer(value);
        *value = allocWide(m_state->config.userValues.value(fromWideZ(name)));
    });
}

CvStatus CV_CALL SystemLibrary::WriteLog(std::int32_t level, const char16_t* appName,
                                         const char16_t* source, const char16_t* title,
                                         const char16_t* text)
{
    return call([&] {
        m_state->log.append(
            {level, fromWideZ(appName), fromWideZ(source), fromWideZ(title), fromWideZ(text)});
    });
}

std::int32_t CV_CALL SystemLibrary::GetSetting(const char16_t* name, CvBStr* value)
{
    if (!value)
        return 0;
    *value = nullptr;
    try {
        const QString key = fromWideZ(name);
        if (!m_state->config.settings.contains(key))
            return 0;
        *value = allocWide(m_state->config.settings.value(key));
        return 1;
    } catch (...) {
        return 0;
    }
}

CvStatus CV_CALL SystemLibrary::GetSecondConnection(ICVUnknown** connection)
{
    return call([&] {
        requirePointer(connection);
        handOut(m_state->secondConnection, connection);
    });
}

} // namespace cv::host
