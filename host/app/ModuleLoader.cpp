#include "ModuleLoader.h"

#include "platform/abi/Exception.h"

#include <dlfcn.h>

namespace cv::host {

namespace {
QString dlError()
{
    const char* text = dlerror();
    return text ? QString::fromLocal8Bit(text) : QStringLiteral("unknown error");
}
} // namespace

ModuleLoader::ModuleLoader(const QString& path) : m_path(path)
{
    m_handle = dlopen(path.toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
    if (!m_handle)
        throw Exception(QStringLiteral("Cannot load the module %1: %2").arg(path, dlError()));
    m_create = reinterpret_cast<CvCreateInstanceFn>(dlsym(m_handle, "CreateInstance"));
    m_release = reinterpret_cast<CvReleaseInstanceFn>(dlsym(m_handle, "ReleaseInstance"));
    if (!m_create || !m_release) {
        dlclose(m_handle);
        m_handle = nullptr;
        throw Exception(
            QStringLiteral("%1 does not export CreateInstance and ReleaseInstance.").arg(path));
    }
}

ModuleLoader::~ModuleLoader()
{
    if (m_handle)
        dlclose(m_handle);
}

ComPtr<corvelian::ICVExtention> ModuleLoader::createInstance(corvelian::ICvApplication* host)
{
    corvelian::ICVExtention* extension = nullptr;
    m_create(&extension, host);
    return ComPtr<corvelian::ICVExtention>::adopt(extension);
}

std::int32_t ModuleLoader::releaseInstance()
{
    return m_release();
}

} // namespace cv::host
