#include "XmlText.h"

#include "XmlError.h"

#include <corvelian/Types.h>

namespace cv::host {

namespace {

class StringWriter final : public pugi::xml_writer {
public:
    explicit StringWriter(std::string& target) : m_target(target) {}
    void write(const void* data, size_t size) override
    {
        m_target.append(static_cast<const char*>(data), size);
    }

private:
    std::string& m_target;
};

bool isNameStart(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' || c >= 0x80;
}

bool isNameChar(unsigned char c)
{
    return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

} // namespace

void appendXml(std::string& out, const pugi::xml_node& node)
{
    StringWriter writer(out);
    constexpr unsigned flags = pugi::format_raw | pugi::format_no_declaration;
    node.print(writer, "", flags, pugi::encoding_utf8);
}

void requireName(std::string_view name, const char* what)
{
    bool valid = !name.empty() && isNameStart(static_cast<unsigned char>(name.front()));
    for (std::size_t i = 1; valid && i < name.size(); ++i)
        valid = isNameChar(static_cast<unsigned char>(name[i]));
    if (!valid)
        throw XmlError(std::string(what) + "名称无效: \"" + std::string(name) + "\"",
                       corvelian::CV_E_INVALIDARG);
}

} // namespace cv::host
