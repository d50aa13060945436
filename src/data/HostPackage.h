// Host packages by name ("CV.System", "Cv.Print"), as the facade reaches the
// host's other services.
#pragma once

#include "platform/abi/ComPtr.h"

#include <corvelian/Interfaces.h>

#include <QString>

namespace cv::data {

// The package the host knows by name; when the host has none, raises its own
// reason. The caller owns the returned reference.
ComPtr<corvelian::ICVExtention> GetHostPackage(const QString& name);

} // namespace cv::data
