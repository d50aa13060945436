// Ends the current user action without a message: the user has already been
// told why (or chose to stop). Event handlers and error displays let it pass
// silently; everything else treats it as the cv::Exception it is, so that a
// boundary that only knows cv::Exception still stops the action.
#pragma once

#include "platform/abi/Exception.h"

#include <exception>

namespace cv::services {

class SilentAbort : public Exception {
public:
    // The status COM uses for an aborted operation; lower layers that cannot
    // see this type recognise the abort by it.
    static constexpr std::int32_t Code = static_cast<std::int32_t>(0x80004004u);

    SilentAbort() : Exception(QStringLiteral("Operation aborted"), Code) {}

    static bool Is(const std::exception& error)
    {
        return dynamic_cast<const SilentAbort*>(&error) != nullptr;
    }
};

} // namespace cv::services
