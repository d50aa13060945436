#include "XmlDocument.h"

#include "GuardedCall.h"
#include "Utf16.h"
#include "XmlError.h"
#include "XmlNode.h"
#include "XmlText.h"

#include <fstream>
#include <string_view>
#include <utility>
#include <vector>

namespace cv::host {

using namespace corvelian;

namespace {

// "/Root/VDZ1" and "Root/VDZ1" give {"Root", "VDZ1"}.
std::vector<std::string_view> splitPath(std::string_view path)
{
    std::string_view rest = path.starts_with('/') ? path.substr(1) : path;
    if (rest.empty())
        throw XmlError("路径为空", CV_E_INVALIDARG);
    std::vector<std::string_view> steps;
    for (;;) {
        const std::size_t slash = rest.find('/');
        steps.push_back(rest.substr(0, slash));
        if (steps.back().empty())
            throw XmlError("路径无效: \"" + std::string(path) + "\"", CV_E_INVALIDARG);
        if (slash == std::string_view::npos)
            return steps;
        rest.remove_prefix(slash + 1);
    }
}

pugi::xml_node childNamed(const pugi::xml_node& parent, std::string_view name)
{
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling())
        if (child.type() == pugi::node_element && name == child.name())
            return child;
    return {};
}

} // namespace

template <class F> CvStatus XmlDocument::guarded(F&& body) noexcept
{
    return guardedCall(m_lastError, std::forward<F>(body));
}

void XmlDocument::noteError(const std::string& text) noexcept
{
    rememberError(m_lastError, text.c_str());
}

std::string& XmlDocument::utf8(const char16_t* text)
{
    m_buffers.name.clear();
    appendUtf8(m_buffers.name, text);
    return m_buffers.name;
}

TCVXMLNode* XmlDocument::wrap(pugi::xml_node element)
{
    return XmlNode::create(*this, element);
}

void XmlDocument::replaceTree(pugi::xml_document&& tree)
{
    m_tree = std::move(tree);
    ++m_generation;
}

CvStatus XmlDocument::GetRootElement(TCVXMLNode** node)
{
    return guarded([&] {
        requireOut(node, "node");
        if (const pugi::xml_node root = m_tree.document_element())
            *node = wrap(root);
        return CV_OK;
    });
}

CvStatus XmlDocument::GetLastError(CvBStr* text)
{
    if (!text)
        return CV_E_POINTER; // keep the text for a later, correct call
    *text = nullptr;
    return guarded([&] {
        *text = newBStr(m_lastError);
        return CV_OK;
    });
}

CvStatus XmlDocument::GetXML(CvBStr* xml)
{
    return guarded([&] {
        requireOut(xml, "xml");
        if (!m_tree.document_element())
            return CV_OK;
        std::string text(kDeclaration);
        appendXml(text, m_tree);
        *xml = newBStr(text);
        return CV_OK;
    });
}

CvStatus XmlDocument::SaveToFile(const char16_t* fileName)
{
    return guarded([&] {
        const std::string name = utf8(fileName);
        if (name.empty())
            throw XmlError("文件名为空", CV_E_INVALIDARG);
        if (!m_tree.document_element())
            throw XmlError("文档没有根元素，无法保存");
        std::string text(kFileDeclaration);
        appendXml(text, m_tree);
        std::ofstream file(name, std::ios::binary | std::ios::trunc);
        file.write(text.data(), std::streamsize(text.size()));
        file.close();
        if (!file)
            throw XmlError("无法写入文件 \"" + name + "\"");
        return CV_OK;
    });
}

CvStatus XmlDocument::LoadXML(const char16_t* xml)
{
    return guarded([&] {
        std::string text; // not the shared buffer: a large text would stay allocated
        appendUtf8(text, xml);
        pugi::xml_document tree;
        const pugi::xml_parse_result result =
            tree.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_utf8);
        if (!result) {
            const std::size_t at = utf16Length(std::string_view(text).substr(0, result.offset));
            throw XmlError(std::string("XML 文本解析失败: ") + result.description() + "，位置 " +
                               std::to_string(at),
                           CV_E_INVALIDARG);
        }
        replaceTree(std::move(tree));
        return CV_OK;
    });
}

pugi::xml_node XmlDocument::findPath(const std::string& path) const
{
    pugi::xml_node node = m_tree;
    for (const std::string_view step : splitPath(path)) {
        node = childNamed(node, step);
        if (!node)
            break;
    }
    return node;
}

CvStatus XmlDocument::GetNodeByPath(const char16_t* path, TCVXMLNode** node)
{
    return guarded([&] {
        requireOut(node, "node");
        const std::string& text = utf8(path);
        const pugi::xml_node found = findPath(text);
        if (!found) {
            m_lastError = "路径 \"" + text + "\" 的节点不存在";
            return CV_FALSE;
        }
        *node = wrap(found);
        return CV_OK;
    });
}

pugi::xml_node XmlDocument::forcePath(const std::string& path)
{
    const std::vector<std::string_view> steps = splitPath(path);
    for (const std::string_view step : steps)
        requireName(step, "元素");
    pugi::xml_node node = m_tree;
    for (const std::string_view step : steps) {
        pugi::xml_node next = childNamed(node, step);
        if (!next && node.type() == pugi::node_document && m_tree.document_element())
            throw XmlError("文档的根元素是 \"" + std::string(m_tree.document_element().name()) +
                               "\"，不能再建根元素 \"" + std::string(step) + "\"",
                           CV_E_INVALIDARG);
        if (!next)
            next = node.append_child(std::string(step).c_str());
        node = next;
    }
    return node;
}

CvStatus XmlDocument::ForceNodeByPath(const char16_t* path, TCVXMLNode** node)
{
    return guarded([&] {
        requireOut(node, "node");
        *node = wrap(forcePath(utf8(path)));
        return CV_OK;
    });
}

CvStatus XmlDocument::NewDocument(const char16_t* rootName)
{
    return guarded([&] {
        const std::string& name = utf8(rootName);
        requireName(name, "根元素");
        pugi::xml_document tree;
        tree.append_child(name.c_str());
        replaceTree(std::move(tree));
        return CV_OK;
    });
}

pugi::xml_node XmlDocument::parentOf(TCVXMLNode* parent)
{
    if (!parent)
        throw XmlError("父节点为空", CV_E_POINTER);
    void* found = nullptr;
    if (CvFailed(parent->QueryInterface(XmlNode::implementationIid(), &found)) || !found)
        throw XmlError("父节点不是本文档的节点", CV_E_INVALIDARG);
    auto* node = static_cast<XmlNode*>(found);
    node->Release(); // the caller's own reference keeps the node alive during this call
    if (&node->document() != this)
        throw XmlError("父节点属于另一个 XML 文档", CV_E_INVALIDARG);
    return node->element();
}

CvStatus XmlDocument::AppendChild(TCVXMLNode* parent, const char16_t* name, TCVXMLNode** child)
{
    return guarded([&] {
        requireOut(child, "child");
        pugi::xml_node element = parentOf(parent);
        const std::string& text = utf8(name);
        requireName(text, "元素");
        *child = wrap(element.append_child(text.c_str()));
        return CV_OK;
    });
}

ICVXMLDocument* createXmlDocument()
{
    auto* document = new XmlDocument();
    document->AddRef();
    return document;
}

} // namespace cv::host
