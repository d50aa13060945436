#include "XmlNode.h"

#include "GuardedCall.h"
#include "Utf16.h"
#include "VariantText.h"
#include "XmlDocument.h"
#include "XmlError.h"
#include "XmlText.h"

#include <new>
#include <utility>

namespace cv::host {

using namespace corvelian;

namespace {

bool isText(const pugi::xml_node& node)
{
    return node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata;
}

} // namespace

TCVXMLNode* XmlNode::create(XmlDocument& document, pugi::xml_node element)
{
    auto* node = new XmlNode(document, element);
    node->AddRef();
    return node;
}

XmlNode::XmlNode(XmlDocument& document, pugi::xml_node element)
    : m_document(document), m_element(element), m_generation(document.generation())
{
    m_document.AddRef();
}

XmlNode::~XmlNode()
{
    m_document.Release();
}

void* XmlNode::findInterface(const CvGuid& iid)
{
    if (iid == implementationIid())
        return this;
    return ComObject::findInterface(iid);
}

pugi::xml_node XmlNode::element() const
{
    if (m_document.generation() != m_generation)
        throw XmlError("节点所在的文档已被重建或重新载入，节点不再可用");
    return m_element;
}

// A failure is also left on the document: callers that build a document
// through several nodes read the reason there.
template <class F> CvStatus XmlNode::guarded(F&& body) noexcept
{
    const CvStatus status = guardedCall(m_lastError, std::forward<F>(body));
    if (CvFailed(status))
        m_document.noteError(m_lastError);
    return status;
}

const std::string& XmlNode::attributeName(const char16_t* name)
{
    std::string& text = m_document.buffers().name;
    text.clear();
    appendUtf8(text, name);
    requireName(text, "属性");
    return text;
}

void XmlNode::assignAttribute(pugi::xml_node element, const std::string& name,
                              const std::string& value)
{
    pugi::xml_attribute attribute = element.attribute(name.c_str());
    if (!attribute)
        attribute = element.append_attribute(name.c_str());
    if (!attribute.set_value(value.c_str(), value.size()))
        throw std::bad_alloc();
}

CvStatus XmlNode::GetNodeName(CvBStr* name)
{
    return guarded([&] {
        requireOut(name, "name");
        *name = newBStr(element().name());
        return CV_OK;
    });
}

CvStatus XmlNode::SetText(const char16_t* text)
{
    return guarded([&] {
        pugi::xml_node target = element();
        std::string& value = m_document.buffers().value;
        value.clear();
        appendUtf8(value, text);
        for (pugi::xml_node child = target.first_child(); child;) {
            const pugi::xml_node next = child.next_sibling();
            if (isText(child))
                target.remove_child(child);
            child = next;
        }
        if (!value.empty() &&
            !target.prepend_child(pugi::node_pcdata).set_value(value.c_str(), value.size()))
            throw std::bad_alloc();
        return CV_OK;
    });
}

CvStatus XmlNode::GetXML(CvBStr* xml)
{
    return guarded([&] {
        requireOut(xml, "xml");
        std::string text;
        appendXml(text, element());
        *xml = newBStr(text);
        return CV_OK;
    });
}

CvStatus XmlNode::GetLastError(CvBStr* text)
{
    if (!text)
        return CV_E_POINTER; // keep the text for a later, correct call
    *text = nullptr;
    return guarded([&] {
        *text = newBStr(m_lastError);
        return CV_OK;
    });
}

CvStatus XmlNode::GetText(CvBStr* text)
{
    return guarded([&] {
        requireOut(text, "text");
        std::string joined;
        for (const pugi::xml_node child : element().children())
            if (isText(child))
                joined += child.value();
        *text = newBStr(joined);
        return CV_OK;
    });
}

CvStatus XmlNode::GetAttribute(const char16_t* name, CvBStr* value)
{
    return guarded([&] {
        requireOut(value, "value");
        pugi::xml_node target = element();
        *value = newBStr(target.attribute(attributeName(name).c_str()).value());
        return CV_OK;
    });
}

CvStatus XmlNode::SetAttribute(const char16_t* name, const char16_t* value)
{
    return guarded([&] {
        pugi::xml_node target = element();
        const std::string& key = attributeName(name);
        std::string& text = m_document.buffers().value;
        text.clear();
        appendUtf8(text, value);
        assignAttribute(target, key, text);
        return CV_OK;
    });
}

CvStatus XmlNode::SetAttributeValue(const char16_t* name, const CvVariant* value)
{
    return guarded([&] {
        if (!value)
            throw XmlError("属性值为空指针", CV_E_POINTER);
        pugi::xml_node target = element();
        const std::string& key = attributeName(name);
        std::string& text = m_document.buffers().value;
        text.clear();
        appendVariantText(text, *value);
        assignAttribute(target, key, text);
        return CV_OK;
    });
}

} // namespace cv::host
