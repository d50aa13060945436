// Loads a module library the way the real host does: dlopen, the two
// exports, CreateInstance with the host's application interface.
#pragma once

#include "platform/abi/ComPtr.h"

#include <corvelian/Corvelian.h>

#include <QString>

namespace cv::host {

class ModuleLoader {
public:
    // Throws cv::Exception when the library or an export cannot be found.
    explicit ModuleLoader(const QString& path);
    ~ModuleLoader();
    ModuleLoader(const ModuleLoader&) = delete;
    ModuleLoader& operator=(const ModuleLoader&) = delete;

    ComPtr<corvelian::ICVExtention> createInstance(corvelian::ICvApplication* host);
    std::int32_t releaseInstance();
    const QString& path() const { return m_path; }

private:
    QString m_path;
    void* m_handle = nullptr;
    CvCreateInstanceFn m_create = nullptr;
    CvReleaseInstanceFn m_release = nullptr;
};

} // namespace cv::host
