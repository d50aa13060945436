#include "HostResourceModule.h"

#include "platform/abi/Boundary.h"
#include "platform/abi/WideString.h"

#include <algorithm>
#include <cstring>

namespace cv::host {

using namespace corvelian;

QString HostResourceModule::key(const QString& name, const QString& type)
{
    return type.toUpper() + QLatin1Char('/') + name.toUpper();
}

void HostResourceModule::add(const QString& name, const QString& type, const QByteArray& bytes)
{
    m_resources.insert(key(name, type), bytes);
}

bool HostResourceModule::contains(const QString& name, const QString& type) const
{
    return m_resources.contains(key(name, type));
}

CvStatus CV_CALL HostResourceModule::FindResource(const char16_t* name, const char16_t* type,
                                                  std::uint8_t* buffer, std::uint32_t capacity,
                                                  std::uint32_t* size)
{
    if (!size)
        return CV_E_POINTER;
    *size = 0;
    bool found = false;
    const CvStatus status = guardBoundary([&] {
        const auto it = m_resources.constFind(key(fromWideZ(name), fromWideZ(type)));
        if (it == m_resources.constEnd())
            return;
        found = true;
        *size = std::uint32_t(it->size());
        if (buffer)
            std::memcpy(buffer, it->constData(), std::min<std::size_t>(capacity, it->size()));
    });
    if (CvFailed(status))
        return status;
    return found ? CV_OK : CV_FALSE;
}

} // namespace cv::host
