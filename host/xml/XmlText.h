// Serialisation and name rules shared by documents and nodes.
#pragma once

#include <pugixml.hpp>

#include <string>
#include <string_view>

namespace cv::host {

inline constexpr std::string_view kDeclaration = R"(<?xml version="1.0"?>)";
inline constexpr std::string_view kFileDeclaration = R"(<?xml version="1.0" encoding="UTF-8"?>)";

// Appends the subtree of node (for the document node: every top-level node)
// without indentation or line breaks.
void appendXml(std::string& out, const pugi::xml_node& node);

// Throws XmlError (CV_E_INVALIDARG) unless name is an XML name. Letters,
// digits and the punctuation XML allows are checked for ASCII; any non-ASCII
// character is accepted as a letter (Chinese element names are valid).
void requireName(std::string_view name, const char* what);

} // namespace cv::host
