// The headless host: runs the requested Execute codes and prints their
// answers, scripts, query rows and the log as JSON lines.
#pragma once

#include "HostOptions.h"
#include "HostRuntime.h"

#include <QTextStream>

namespace cv::host {

// Returns the process exit code: 0 unless the module could not be loaded.
int runHeadless(HostRuntime& runtime, const HostOptions& options, QTextStream& out);

} // namespace cv::host
