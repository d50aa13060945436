// The reference host as one object: its state and its application interface.
#pragma once

#include "HostApplication.h"
#include "HostState.h"

#include <memory>

namespace cv::host {

class ReferenceHost {
public:
    ReferenceHost() : m_state(std::make_shared<HostState>()) {}

    HostState& state() { return *m_state; }
    HostConfig& config() { return m_state->config; }
    const HostLog& log() const { return m_state->log; }

    // A new application interface object (the caller owns the reference).
    ComPtr<corvelian::ICvApplication> application()
    {
        return ComPtr<corvelian::ICvApplication>(new HostApplication(m_state));
    }

private:
    std::shared_ptr<HostState> m_state;
};

} // namespace cv::host
