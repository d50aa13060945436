// An element of an XmlDocument behind TCVXMLNode. The node holds a reference
// to its document, which keeps the pugixml element alive.
//
// SetText replaces the element's own text and leaves child elements in place;
// GetText gives the element's own text (its direct text children joined).
// Setting an attribute that exists changes its value in place.
#pragma once

#include "RefCounted.h"

#include <corvelian/Interfaces.h>

#include <pugixml.hpp>

#include <cstdint>
#include <string>

namespace cv::host {

class XmlDocument;

class XmlNode final : public RefCounted<corvelian::TCVXMLNode> {
public:
    // Answered by QueryInterface with the XmlNode itself, so that a document
    // can recognise its own nodes among any TCVXMLNode it is given.
    static constexpr corvelian::CvGuid implementationIid()
    {
        return {0x3B8E51D4, 0x7F0A, 0x4C62, {0x9D, 0x15, 0xA2, 0x6E, 0x40, 0xC7, 0x18, 0x93}};
    }

    // A new node with one reference for the caller.
    static corvelian::TCVXMLNode* create(XmlDocument& document, pugi::xml_node element);

    corvelian::CvStatus CV_CALL GetNodeName(corvelian::CvBStr* name) override;
    corvelian::CvStatus CV_CALL SetText(const char16_t* text) override;
    corvelian::CvStatus CV_CALL GetXML(corvelian::CvBStr* xml) override;
    corvelian::CvStatus CV_CALL GetLastError(corvelian::CvBStr* text) override;
    corvelian::CvStatus CV_CALL GetText(corvelian::CvBStr* text) override;
    corvelian::CvStatus CV_CALL GetAttribute(const char16_t* name,
                                             corvelian::CvBStr* value) override;
    corvelian::CvStatus CV_CALL SetAttribute(const char16_t* name, const char16_t* value) override;
    corvelian::CvStatus CV_CALL SetAttributeValue(const char16_t* name,
                                                  const corvelian::CvVariant* value) override;

    const XmlDocument& document() const { return m_document; }
    // The element; throws when the document's tree was replaced since.
    pugi::xml_node element() const;

protected:
    void* findInterface(const corvelian::CvGuid& iid) override;

private:
    XmlNode(XmlDocument& document, pugi::xml_node element);
    ~XmlNode() override;

    template <class F> corvelian::CvStatus guarded(F&& body) noexcept;
    const std::string& attributeName(const char16_t* name);
    static void assignAttribute(pugi::xml_node element, const std::string& name,
                                const std::string& value);

    XmlDocument& m_document;
    pugi::xml_node m_element;
    std::uint64_t m_generation;
    std::string m_lastError;
};

} // namespace cv::host
