// A failure of an XML document operation: the status the ABI call answers and
// the text its last-error operation reports afterwards.
#pragma once

#include <corvelian/Types.h>

#include <stdexcept>
#include <string>

namespace cv::host {

class XmlError : public std::runtime_error {
public:
    explicit XmlError(const std::string& text, corvelian::CvStatus status = corvelian::CV_E_FAIL)
        : std::runtime_error(text), m_status(status)
    {
    }

    corvelian::CvStatus status() const noexcept { return m_status; }

private:
    corvelian::CvStatus m_status;
};

} // namespace cv::host
