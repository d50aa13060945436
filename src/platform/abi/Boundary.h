// The ABI boundary in both directions: calls into this code never let an
// exception escape, and failing host calls become cv::Exception here.
#pragma once

#include "ComPtr.h"
#include "Exception.h"
#include "WideString.h"

#include <corvelian/Interfaces.h>

#include <QString>

#include <concepts>

namespace cv {

// Runs body for an ABI entry point: an escaping exception becomes the
// failure status 0x8000FFFF with no further information.
template <class F> corvelian::CvStatus guardBoundary(F&& body) noexcept
{
    try {
        body();
        return corvelian::CV_OK;
    } catch (...) {
        return corvelian::CV_E_UNEXPECTED;
    }
}

// Host objects: an escaping exception is stored as the object's last error
// text and the call answers CV_E_FAIL.
template <class F> corvelian::CvStatus guardHostCall(QString& lastError, F&& body) noexcept
{
    try {
        body();
        return corvelian::CV_OK;
    } catch (const Exception& e) {
        try {
            lastError = e.message();
        } catch (...) {
        }
        return e.code() < 0 ? e.code() : corvelian::CV_E_FAIL;
    } catch (const std::exception& e) {
        try {
            lastError = QString::fromUtf8(e.what());
        } catch (...) {
        }
        return corvelian::CV_E_FAIL;
    } catch (...) {
        return corvelian::CV_E_UNEXPECTED;
    }
}

template <class I>
concept HasLastError = requires(I* i, corvelian::CvBStr* s)
{
    i->GetLastError(s);
};

QString statusText(corvelian::CvStatus status);

// Host objects check their out arguments with it; the failure reaches the
// caller as CV_E_POINTER through guardHostCall.
inline void requirePointer(const void* p)
{
    if (!p)
        throw Exception(QStringLiteral("Invalid pointer"), corvelian::CV_E_POINTER);
}

// Raises a failing status of a host call as cv::Exception carrying the
// host's message (read through the interface's own last-error operation
// where it has one) and the status as code.
template <class I> void checkHost(corvelian::CvStatus status, I* object)
{
    if (corvelian::CvSucceeded(status))
        return;
    QString message;
    if constexpr (HasLastError<I>) {
        if (object) {
            WideString text;
            if (corvelian::CvSucceeded(object->GetLastError(text.put())))
                message = text.toQString();
        }
    }
    if (message.isEmpty())
        message = statusText(status);
    throw Exception(message, status);
}

} // namespace cv
