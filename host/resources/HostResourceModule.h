// The host's resource module: named resources of a type, looked up without
// regard to case as the host's resource names are.
#pragma once

#include "platform/abi/ComObject.h"

#include <corvelian/Interfaces.h>

#include <QByteArray>
#include <QMap>
#include <QString>

namespace cv::host {

class HostResourceModule : public ComObject<corvelian::ICVResourceModule> {
public:
    // Replaces any resource of the same name and type.
    void add(const QString& name, const QString& type, const QByteArray& bytes);
    bool contains(const QString& name, const QString& type) const;

    corvelian::CvStatus CV_CALL FindResource(const char16_t* name, const char16_t* type,
                                             std::uint8_t* buffer, std::uint32_t capacity,
                                             std::uint32_t* size) override;

protected:
    ~HostResourceModule() override = default;

private:
    static QString key(const QString& name, const QString& type);

    QMap<QString, QByteArray> m_resources;
};

} // namespace cv::host
