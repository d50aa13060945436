// The boundary of every ABI operation of the XML service: no exception leaves
// it; a failure answers a failing status and leaves its text in lastError.
#pragma once

#include "XmlError.h"

#include <corvelian/Types.h>

#include <new>
#include <string>

namespace cv::host {

inline void rememberError(std::string& lastError, const char* text) noexcept
{
    try {
        lastError = text;
    } catch (...) {
        lastError.clear();
    }
}

// body returns the status of a call that did not throw.
template <class F> corvelian::CvStatus guardedCall(std::string& lastError, F&& body) noexcept
{
    try {
        return body();
    } catch (const XmlError& e) {
        rememberError(lastError, e.what());
        return e.status();
    } catch (const std::bad_alloc&) {
        rememberError(lastError, "内存不足");
        return corvelian::CV_E_FAIL;
    } catch (const std::exception& e) {
        rememberError(lastError, e.what());
        return corvelian::CV_E_FAIL;
    } catch (...) {
        rememberError(lastError, "XML 文档操作发生未知错误");
        return corvelian::CV_E_UNEXPECTED;
    }
}

// Throws CV_E_POINTER for a missing out argument.
template <class T> void requireOut(T* out, const char* what)
{
    if (!out)
        throw XmlError(std::string("输出参数为空: ") + what, corvelian::CV_E_POINTER);
    *out = nullptr;
}

} // namespace cv::host
