// The host's XML document service: one pugixml document behind ICVXMLDocument.
//
// Text forms: GetXML gives `<?xml version="1.0"?>` followed by the document
// without indentation or line breaks (the text is UTF-16 in memory, so the
// declaration names no encoding); SaveToFile writes the same text as UTF-8
// with `encoding="UTF-8"` in the declaration. A document without a root
// element has empty XML text.
//
// Paths name elements from the root: "/Root/VDZ1" (the leading "/" may be
// left out). A step takes the first child element of that name.
//
// NewDocument and LoadXML replace the whole tree; nodes handed out before that
// then refuse every operation instead of touching freed memory. Nodes never
// lose their element otherwise: no operation removes elements.
//
// A document and its nodes are used from one thread at a time.
#pragma once

#include "RefCounted.h"

#include <corvelian/Interfaces.h>

#include <pugixml.hpp>

#include <cstdint>
#include <string>

namespace cv::host {

class XmlDocument final : public RefCounted<corvelian::ICVXMLDocument> {
public:
    // Conversion buffers shared by the document's nodes, so that setting an
    // attribute does not allocate once their capacity has grown.
    struct Buffers {
        std::string name;
        std::string value;
    };

    XmlDocument() = default;

    corvelian::CvStatus CV_CALL GetRootElement(corvelian::TCVXMLNode** node) override;
    corvelian::CvStatus CV_CALL GetLastError(corvelian::CvBStr* text) override;
    corvelian::CvStatus CV_CALL GetXML(corvelian::CvBStr* xml) override;
    corvelian::CvStatus CV_CALL SaveToFile(const char16_t* fileName) override;
    corvelian::CvStatus CV_CALL LoadXML(const char16_t* xml) override;
    corvelian::CvStatus CV_CALL GetNodeByPath(const char16_t* path,
                                              corvelian::TCVXMLNode** node) override;
    corvelian::CvStatus CV_CALL ForceNodeByPath(const char16_t* path,
                                                corvelian::TCVXMLNode** node) override;
    corvelian::CvStatus CV_CALL NewDocument(const char16_t* rootName) override;
    corvelian::CvStatus CV_CALL AppendChild(corvelian::TCVXMLNode* parent, const char16_t* name,
                                            corvelian::TCVXMLNode** child) override;

    // For the document's nodes.
    std::uint64_t generation() const { return m_generation; }
    Buffers& buffers() { return m_buffers; }
    void noteError(const std::string& text) noexcept;

private:
    ~XmlDocument() override = default;

    template <class F> corvelian::CvStatus guarded(F&& body) noexcept;
    void replaceTree(pugi::xml_document&& tree);
    pugi::xml_node findPath(const std::string& path) const;
    pugi::xml_node forcePath(const std::string& path);
    pugi::xml_node parentOf(corvelian::TCVXMLNode* parent);
    corvelian::TCVXMLNode* wrap(pugi::xml_node element);
    std::string& utf8(const char16_t* text);

    pugi::xml_document m_tree;
    std::uint64_t m_generation = 0;
    std::string m_lastError;
    Buffers m_buffers;
};

// A new, empty document with one reference for the caller.
corvelian::ICVXMLDocument* createXmlDocument();

} // namespace cv::host
