// UTF-16 (the ABI's strings) to and from UTF-8 (pugixml's strings). Hand-written
// because every attribute of a large save passes through here. Unpaired
// surrogates and malformed UTF-8 become U+FFFD.
#pragma once

#include <corvelian/Types.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace cv::host {

// Appends a NUL-terminated UTF-16 string (null is empty) as UTF-8.
void appendUtf8(std::string& out, const char16_t* text);
void appendUtf8(std::string& out, std::u16string_view text);

std::u16string toUtf16(std::string_view utf8);

// A new ABI string the caller frees with CvFreeString; null for empty text.
corvelian::CvBStr newBStr(std::string_view utf8);

// The number of UTF-16 units that utf8 encodes.
std::size_t utf16Length(std::string_view utf8);

} // namespace cv::host
