// The XML document service as a module sees it: every call goes through the
// ABI interfaces.
#include "host/xml/Utf16.h"
#include "host/xml/XmlDocument.h"

#include <corvelian/Interfaces.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <unistd.h>

using namespace corvelian;

namespace {

// Owns one reference to an interface.
template <class T> class Ref {
public:
    Ref() = default;
    explicit Ref(T* adopted) : m_p(adopted) {}
    Ref(Ref&& other) noexcept : m_p(other.detach()) {}
    Ref& operator=(Ref&&) = delete;
    ~Ref()
    {
        if (m_p)
            m_p->Release();
    }
    T* operator->() const { return m_p; }
    T* get() const { return m_p; }
    T** put() { return &m_p; }
    T* detach() { return std::exchange(m_p, nullptr); }

private:
    T* m_p = nullptr;
};

// Takes an out string: UTF-8 for readable comparisons, and frees it.
std::string take(CvBStr text)
{
    std::string result;
    cv::host::appendUtf8(result, std::u16string_view(text ? text : u"", CvStringLen(text)));
    CvFreeString(text);
    return result;
}

std::u16string u16(const std::string& utf8)
{
    return cv::host::toUtf16(utf8);
}

std::string xmlOf(ICVXMLDocument* document)
{
    CvBStr text = nullptr;
    EXPECT_EQ(document->GetXML(&text), CV_OK);
    return take(text);
}

std::string xmlOf(TCVXMLNode* node)
{
    CvBStr text = nullptr;
    EXPECT_EQ(node->GetXML(&text), CV_OK);
    return take(text);
}

template <class T> std::string lastError(T* object)
{
    CvBStr text = nullptr;
    EXPECT_EQ(object->GetLastError(&text), CV_OK);
    return take(text);
}

std::string attribute(TCVXMLNode* node, const char16_t* name)
{
    CvBStr text = nullptr;
    EXPECT_EQ(node->GetAttribute(name, &text), CV_OK);
    return take(text);
}

template <class T, class V> CvVariant variant(std::uint16_t vt, T CvVariant::*field, V value)
{
    CvVariant v;
    CvVariantInit(&v);
    v.vt = vt;
    v.*field = T(value);
    return v;
}

class XmlDocumentTest : public testing::Test {
protected:
    Ref<TCVXMLNode> force(const char16_t* path)
    {
        Ref<TCVXMLNode> node;
        EXPECT_EQ(doc->ForceNodeByPath(path, node.put()), CV_OK) << lastError(doc.get());
        return node;
    }

    Ref<TCVXMLNode> append(TCVXMLNode* parent, const char16_t* name)
    {
        Ref<TCVXMLNode> node;
        EXPECT_EQ(doc->AppendChild(parent, name, node.put()), CV_OK) << lastError(doc.get());
        return node;
    }

    Ref<ICVXMLDocument> doc{cv::host::createXmlDocument()};
};

constexpr const char* kDecl = R"(<?xml version="1.0"?>)";

TEST_F(XmlDocumentTest, BuildsASaveDocumentInAttributeForm)
{
    ASSERT_EQ(doc->NewDocument(u"Root"), CV_OK);
    Ref<TCVXMLNode> param = force(u"/Root/Param/Ie");
    const CvVariant userId = variant(CV_VT_I4, &CvVariant::i4, 7);
    EXPECT_EQ(param->SetAttributeValue(u"UserID", &userId), CV_OK);
    EXPECT_EQ(param->SetAttribute(u"UserName", u"张三"), CV_OK);

    Ref<TCVXMLNode> table = force(u"/Root/VDZ1");
    for (int n = 1; n <= 2; ++n) {
        Ref<TCVXMLNode> row = append(table.get(), u"Ie");
        const CvVariant recordId = variant(CV_VT_I4, &CvVariant::i4, n);
        EXPECT_EQ(row->SetAttributeValue(u"RecordID", &recordId), CV_OK);
        EXPECT_EQ(row->SetAttribute(u"VAA07", n == 1 ? u"101" : u"102"), CV_OK);
        if (n == 1) {
            EXPECT_EQ(row->SetAttribute(u"BBY01", u"5"), CV_OK);
        }
    }

    const std::string body = R"(<Root><Param><Ie UserID="7" UserName="张三"/></Param>)"
                             R"(<VDZ1><Ie RecordID="1" VAA07="101" BBY01="5"/>)"
                             R"(<Ie RecordID="2" VAA07="102"/></VDZ1></Root>)";
    EXPECT_EQ(xmlOf(doc.get()), kDecl + body);
    Ref<TCVXMLNode> root;
    ASSERT_EQ(doc->GetRootElement(root.put()), CV_OK);
    EXPECT_EQ(xmlOf(root.get()), body);
    EXPECT_EQ(
        xmlOf(table.get()),
        R"(<VDZ1><Ie RecordID="1" VAA07="101" BBY01="5"/><Ie RecordID="2" VAA07="102"/></VDZ1>)");
}

TEST_F(XmlDocumentTest, BuildsAFormList)
{
    ASSERT_EQ(doc->NewDocument(u"FormList"), CV_OK);
    Ref<TCVXMLNode> list;
    ASSERT_EQ(doc->GetNodeByPath(u"/FormList", list.put()), CV_OK);
    EXPECT_EQ(list->SetAttribute(u"Ver", u"2.8"), CV_OK);
    Ref<TCVXMLNode> item = append(list.get(), u"Item");
    EXPECT_EQ(item->SetAttribute(u"ID", u"1"), CV_OK);
    EXPECT_EQ(item->SetAttribute(u"FormClass", u"TfrmA"), CV_OK);
    EXPECT_EQ(item->SetText(u""), CV_OK);
    Ref<TCVXMLNode> second = append(list.get(), u"Item");
    EXPECT_EQ(second->SetText(u"开立"), CV_OK);

    EXPECT_EQ(xmlOf(doc.get()),
              std::string(kDecl) + R"(<FormList Ver="2.8">)" +
                  R"(<Item ID="1" FormClass="TfrmA"/><Item>开立</Item></FormList>)");
    CvBStr name = nullptr;
    ASSERT_EQ(item->GetNodeName(&name), CV_OK);
    EXPECT_EQ(take(name), "Item");
}

TEST_F(XmlDocumentTest, SetAttributeReplacesAValueInPlace)
{
    Ref<TCVXMLNode> node = force(u"/R");
    EXPECT_EQ(node->SetAttribute(u"a", u"1"), CV_OK);
    EXPECT_EQ(node->SetAttribute(u"b", u"2"), CV_OK);
    EXPECT_EQ(node->SetAttribute(u"a", u"3"), CV_OK);
    EXPECT_EQ(xmlOf(node.get()), R"(<R a="3" b="2"/>)");
    EXPECT_EQ(attribute(node.get(), u"a"), "3");
    EXPECT_EQ(attribute(node.get(), u"missing"), "");
}

TEST_F(XmlDocumentTest, SetTextReplacesOwnTextAndKeepsChildElements)
{
    Ref<TCVXMLNode> node = force(u"/R");
    EXPECT_EQ(node->SetText(u"old"), CV_OK);
    Ref<TCVXMLNode> child = append(node.get(), u"C");
    EXPECT_EQ(node->SetText(u"new"), CV_OK);
    EXPECT_EQ(xmlOf(node.get()), "<R>new<C/></R>");
    CvBStr text = nullptr;
    ASSERT_EQ(node->GetText(&text), CV_OK);
    EXPECT_EQ(take(text), "new");
    EXPECT_EQ(node->SetText(nullptr), CV_OK);
    EXPECT_EQ(xmlOf(node.get()), "<R><C/></R>");
    EXPECT_EQ(xmlOf(child.get()), "<C/>"); // the child element is still usable
}

TEST_F(XmlDocumentTest, EscapesMarkupAndKeepsChineseAndSupplementaryCharacters)
{
    Ref<TCVXMLNode> node = force(u"/R");
    EXPECT_EQ(node->SetAttribute(u"a", u"x&y<z>\"q'"), CV_OK);
    EXPECT_EQ(node->SetAttribute(u"名称", u"阿司匹林 \U0001D11E"), CV_OK);
    EXPECT_EQ(node->SetText(u"1 < 2 & 3 > \"2\" '"), CV_OK);
    // ">" needs no escape inside a quoted attribute value.
    const std::string expected = R"(<R a="x&amp;y&lt;z>&quot;q'" 名称="阿司匹林 𝄞">)"
                                 R"(1 &lt; 2 &amp; 3 &gt; "2" '</R>)";
    EXPECT_EQ(xmlOf(doc.get()), kDecl + expected);

    // What is written reads back unchanged, also through a reload.
    CvBStr text = nullptr;
    ASSERT_EQ(doc->GetXML(&text), CV_OK);
    Ref<ICVXMLDocument> copy(cv::host::createXmlDocument());
    ASSERT_EQ(copy->LoadXML(text), CV_OK);
    CvFreeString(text);
    EXPECT_EQ(xmlOf(copy.get()), kDecl + expected);
    Ref<TCVXMLNode> loaded;
    ASSERT_EQ(copy->GetNodeByPath(u"R", loaded.put()), CV_OK);
    EXPECT_EQ(attribute(loaded.get(), u"a"), "x&y<z>\"q'");
    EXPECT_EQ(attribute(loaded.get(), u"名称"), "阿司匹林 𝄞");
}

TEST_F(XmlDocumentTest, UnpairedSurrogatesBecomeReplacementCharacters)
{
    Ref<TCVXMLNode> node = force(u"/R");
    const char16_t broken[] = {u'a', 0xD800, u'b', 0xDC00, 0};
    EXPECT_EQ(node->SetAttribute(u"v", broken), CV_OK);
    EXPECT_EQ(attribute(node.get(), u"v"), "a\uFFFDb\uFFFD");
}

TEST_F(XmlDocumentTest, ForceNodeByPathCreatesMissingElementsOnce)
{
    Ref<TCVXMLNode> root;
    EXPECT_EQ(doc->GetRootElement(root.put()), CV_OK);
    EXPECT_EQ(root.get(), nullptr);
    EXPECT_EQ(xmlOf(doc.get()), "");

    force(u"/Root/VEI1");
    force(u"Root/VEJ1/Ie");
    force(u"/Root/VEI1");
    EXPECT_EQ(xmlOf(doc.get()), std::string(kDecl) + "<Root><VEI1/><VEJ1><Ie/></VEJ1></Root>");

    Ref<TCVXMLNode> other;
    EXPECT_EQ(doc->ForceNodeByPath(u"/Other/X", other.put()), CV_E_INVALIDARG);
    EXPECT_EQ(other.get(), nullptr);
    EXPECT_NE(lastError(doc.get()).find("Root"), std::string::npos);
}

TEST_F(XmlDocumentTest, GetNodeByPathReportsAMissingNode)
{
    force(u"/Root/VDZ1");
    for (const char16_t* path : {u"/Root/VDZ2", u"/Root/VDZ1/Ie", u"/Other"}) {
        Ref<TCVXMLNode> node;
        EXPECT_EQ(doc->GetNodeByPath(path, node.put()), CV_FALSE);
        EXPECT_EQ(node.get(), nullptr);
        EXPECT_NE(lastError(doc.get()).find("不存在"), std::string::npos);
    }
}

TEST_F(XmlDocumentTest, RejectsMalformedPathsAndNames)
{
    force(u"/Root");
    TCVXMLNode* node = nullptr;
    const char* const labels[] = {"empty", "slash", "empty step", "trailing slash", "blank"};
    const char16_t* const paths[] = {u"", u"/", u"/Root//X", u"/Root/", u"/Root/a b"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(doc->ForceNodeByPath(paths[i], &node), CV_E_INVALIDARG) << labels[i];
        EXPECT_EQ(node, nullptr);
        EXPECT_FALSE(lastError(doc.get()).empty());
    }
    EXPECT_EQ(doc->GetNodeByPath(u"", &node), CV_E_INVALIDARG);
    EXPECT_EQ(doc->NewDocument(u"1Root"), CV_E_INVALIDARG);
    Ref<TCVXMLNode> root = force(u"/Root");
    EXPECT_EQ(doc->AppendChild(root.get(), u"", &node), CV_E_INVALIDARG);
    EXPECT_EQ(root->SetAttribute(u"a=b", u"x"), CV_E_INVALIDARG);
    EXPECT_NE(lastError(root.get()).find("a=b"), std::string::npos);
    EXPECT_NE(lastError(doc.get()).find("a=b"), std::string::npos); // also left on the document
    EXPECT_EQ(xmlOf(doc.get()), std::string(kDecl) + "<Root/>");
}

TEST_F(XmlDocumentTest, NullOutArgumentsAnswerPointerErrors)
{
    Ref<TCVXMLNode> node = force(u"/R");
    const CvStatus results[] = {
        doc->GetRootElement(nullptr),
        doc->GetXML(nullptr),
        doc->GetNodeByPath(u"/R", nullptr),
        doc->ForceNodeByPath(u"/R", nullptr),
        doc->AppendChild(node.get(), u"C", nullptr),
        doc->AppendChild(nullptr, u"C", nullptr),
        node->GetNodeName(nullptr),
        node->GetXML(nullptr),
        node->GetText(nullptr),
        node->GetAttribute(u"a", nullptr),
        node->SetAttributeValue(u"a", nullptr),
        doc->GetLastError(nullptr),
        node->GetLastError(nullptr),
    };
    for (const CvStatus status : results)
        EXPECT_EQ(status, CV_E_POINTER);
    EXPECT_FALSE(lastError(doc.get()).empty());
    EXPECT_EQ(xmlOf(node.get()), "<R/>");
}

// A node that some other implementation hands in.
class ForeignNode final : public TCVXMLNode {
public:
    CvStatus CV_CALL QueryInterface(const CvGuid&, void** object) override
    {
        *object = nullptr;
        return CV_E_NOINTERFACE;
    }
    std::uint32_t CV_CALL AddRef() override { return 1; }
    std::uint32_t CV_CALL Release() override { return 1; }
    CvStatus CV_CALL GetNodeName(CvBStr*) override { return CV_E_NOTIMPL; }
    CvStatus CV_CALL SetText(const char16_t*) override { return CV_E_NOTIMPL; }
    CvStatus CV_CALL GetXML(CvBStr*) override { return CV_E_NOTIMPL; }
    CvStatus CV_CALL GetLastError(CvBStr*) override { return CV_E_NOTIMPL; }
    CvStatus CV_CALL GetText(CvBStr*) override { return CV_E_NOTIMPL; }
    CvStatus CV_CALL GetAttribute(const char16_t*, CvBStr*) override { return CV_E_NOTIMPL; }
    CvStatus CV_CALL SetAttribute(const char16_t*, const char16_t*) override
    {
        return CV_E_NOTIMPL;
    }
    CvStatus CV_CALL SetAttributeValue(const char16_t*, const CvVariant*) override
    {
        return CV_E_NOTIMPL;
    }
};

TEST_F(XmlDocumentTest, AppendChildRefusesParentsFromElsewhere)
{
    force(u"/Root");
    Ref<ICVXMLDocument> other(cv::host::createXmlDocument());
    Ref<TCVXMLNode> otherRoot;
    ASSERT_EQ(other->ForceNodeByPath(u"/Root", otherRoot.put()), CV_OK);
    ForeignNode foreign;

    Ref<TCVXMLNode> child;
    EXPECT_EQ(doc->AppendChild(otherRoot.get(), u"C", child.put()), CV_E_INVALIDARG);
    EXPECT_NE(lastError(doc.get()).find("另一个"), std::string::npos);
    EXPECT_EQ(doc->AppendChild(&foreign, u"C", child.put()), CV_E_INVALIDARG);
    EXPECT_EQ(doc->AppendChild(nullptr, u"C", child.put()), CV_E_POINTER);
    EXPECT_EQ(child.get(), nullptr);
    EXPECT_EQ(xmlOf(doc.get()), std::string(kDecl) + "<Root/>");
    EXPECT_EQ(xmlOf(other.get()), std::string(kDecl) + "<Root/>");
}

TEST_F(XmlDocumentTest, NodesOfAReplacedTreeRefuseEveryOperation)
{
    Ref<TCVXMLNode> old = force(u"/Root/A");
    ASSERT_EQ(doc->NewDocument(u"Fresh"), CV_OK);

    EXPECT_EQ(old->SetAttribute(u"a", u"1"), CV_E_FAIL);
    EXPECT_FALSE(lastError(old.get()).empty());
    CvBStr text = nullptr;
    EXPECT_EQ(old->GetXML(&text), CV_E_FAIL);
    EXPECT_EQ(text, nullptr);
    Ref<TCVXMLNode> child;
    EXPECT_EQ(doc->AppendChild(old.get(), u"C", child.put()), CV_E_FAIL);
    EXPECT_EQ(xmlOf(doc.get()), std::string(kDecl) + "<Fresh/>");
}

TEST_F(XmlDocumentTest, LoadXmlReplacesTheTreeOrKeepsItOnError)
{
    ASSERT_EQ(doc->LoadXML(u"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n"
                           u"<FormList>\r\n  <Item ID=\"1\">甲</Item>\r\n</FormList>"),
              CV_OK);
    EXPECT_EQ(xmlOf(doc.get()),
              std::string(kDecl) + R"(<FormList><Item ID="1">甲</Item></FormList>)");

    for (const char16_t* bad : {u"", u"<a><b></a>", u"no markup"}) {
        EXPECT_EQ(doc->LoadXML(bad), CV_E_INVALIDARG);
        EXPECT_NE(lastError(doc.get()).find("解析失败"), std::string::npos);
    }
    EXPECT_EQ(xmlOf(doc.get()),
              std::string(kDecl) + R"(<FormList><Item ID="1">甲</Item></FormList>)");
}

struct VariantCase {
    const char* label;
    CvVariant value;
    const char* text;
};

TEST_F(XmlDocumentTest, VariantValuesBecomeAttributeText)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const VariantCase cases[] = {
        {"empty", variant(CV_VT_EMPTY, &CvVariant::i4, 0), ""},
        {"null", variant(CV_VT_NULL, &CvVariant::i4, 0), ""},
        {"i2", variant(CV_VT_I2, &CvVariant::i2, -32768), "-32768"},
        {"i4", variant(CV_VT_I4, &CvVariant::i4, -42), "-42"},
        {"i1", variant(CV_VT_I1, &CvVariant::i1, -5), "-5"},
        {"ui1", variant(CV_VT_UI1, &CvVariant::ui1, 255), "255"},
        {"ui2", variant(CV_VT_UI2, &CvVariant::ui2, 65535), "65535"},
        {"ui4", variant(CV_VT_UI4, &CvVariant::ui4, 4294967295u), "4294967295"},
        {"i8", variant(CV_VT_I8, &CvVariant::i8, std::numeric_limits<std::int64_t>::min()),
         "-9223372036854775808"},
        {"ui8", variant(CV_VT_UI8, &CvVariant::ui8, std::numeric_limits<std::uint64_t>::max()),
         "18446744073709551615"},
        {"r8 fraction", variant(CV_VT_R8, &CvVariant::r8, 0.1), "0.1"},
        {"r8 negative", variant(CV_VT_R8, &CvVariant::r8, -2.5), "-2.5"},
        {"r8 whole", variant(CV_VT_R8, &CvVariant::r8, 100.0), "100"},
        {"r8 small", variant(CV_VT_R8, &CvVariant::r8, 0.000001), "0.000001"},
        {"r8 large", variant(CV_VT_R8, &CvVariant::r8, 1e20), "100000000000000000000"},
        {"r8 huge", variant(CV_VT_R8, &CvVariant::r8, 1e21), "1e+21"},
        {"r8 tiny", variant(CV_VT_R8, &CvVariant::r8, 1.5e-7), "1.5e-07"},
        {"r8 minus zero", variant(CV_VT_R8, &CvVariant::r8, -0.0), "0"},
        {"r8 nan", variant(CV_VT_R8, &CvVariant::r8, nan), "NaN"},
        {"r8 -inf", variant(CV_VT_R8, &CvVariant::r8, -inf), "-INF"},
        {"r4", variant(CV_VT_R4, &CvVariant::r4, 0.1f), "0.1"},
        {"cy", variant(CV_VT_CY, &CvVariant::cy, 125000), "12.5"},
        {"cy whole", variant(CV_VT_CY, &CvVariant::cy, 30000), "3"},
        {"cy small negative", variant(CV_VT_CY, &CvVariant::cy, -5), "-0.0005"},
        {"cy minimum", variant(CV_VT_CY, &CvVariant::cy, std::numeric_limits<std::int64_t>::min()),
         "-922337203685477.5808"},
        {"date epoch", variant(CV_VT_DATE, &CvVariant::date, 0.0), "1899-12-30 00:00:00"},
        {"date time", variant(CV_VT_DATE, &CvVariant::date, 45356 + 50829.0 / 86400),
         "2024-03-05 14:07:09"},
        {"date ms", variant(CV_VT_DATE, &CvVariant::date, 45356 + 50829.123 / 86400),
         "2024-03-05 14:07:09.123"},
        {"date before epoch", variant(CV_VT_DATE, &CvVariant::date, -1.25), "1899-12-29 06:00:00"},
        {"date last", variant(CV_VT_DATE, &CvVariant::date, 2958465.5), "9999-12-31 12:00:00"},
        {"bool true", variant(CV_VT_BOOL, &CvVariant::boolVal, CV_TRUE), "1"},
        {"bool false", variant(CV_VT_BOOL, &CvVariant::boolVal, 0), "0"},
    };
    Ref<TCVXMLNode> node = force(u"/R");
    for (const VariantCase& c : cases) {
        EXPECT_EQ(node->SetAttributeValue(u"v", &c.value), CV_OK) << c.label;
        EXPECT_EQ(attribute(node.get(), u"v"), c.text) << c.label;
    }

    CvVariant text = variant(CV_VT_BSTR, &CvVariant::bstr, CvAllocStringLen(u"维生素C", 4));
    EXPECT_EQ(node->SetAttributeValue(u"v", &text), CV_OK);
    EXPECT_EQ(attribute(node.get(), u"v"), "维生素C");
    CvVariantClear(&text);
}

TEST_F(XmlDocumentTest, RefusesVariantsItCannotWrite)
{
    const CvVariant cases[] = {
        variant(9 /* dispatch */, &CvVariant::i8, 0),
        variant(CV_VT_DATE, &CvVariant::date, std::nan("")),
        variant(CV_VT_DATE, &CvVariant::date, 2958466.0),
        variant(CV_VT_DATE, &CvVariant::date, -657435.0),
    };
    Ref<TCVXMLNode> node = force(u"/R");
    EXPECT_EQ(node->SetAttribute(u"v", u"kept"), CV_OK);
    for (const CvVariant& value : cases) {
        EXPECT_EQ(node->SetAttributeValue(u"v", &value), CV_E_INVALIDARG) << value.vt;
        EXPECT_FALSE(lastError(node.get()).empty());
        EXPECT_EQ(attribute(node.get(), u"v"), "kept");
    }
}

class TempFile {
public:
    TempFile()
        : m_path(std::filesystem::temp_directory_path() /
                 ("cv_xml_test_" + std::to_string(::getpid()) + "_病历.xml"))
    {
    }
    ~TempFile() { std::filesystem::remove(m_path); }
    std::u16string name() const { return u16(m_path.string()); }
    std::string read() const
    {
        std::ifstream in(m_path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

private:
    std::filesystem::path m_path;
};

TEST_F(XmlDocumentTest, SavesUtf8FilesThatLoadBack)
{
    Ref<TCVXMLNode> row = force(u"/Root/VFK1/Ie");
    EXPECT_EQ(row->SetAttribute(u"VAF22", u"阿莫西林 & 克拉维酸"), CV_OK);
    TempFile file;
    ASSERT_EQ(doc->SaveToFile(file.name().c_str()), CV_OK) << lastError(doc.get());

    const std::string body = R"(<Root><VFK1><Ie VAF22="阿莫西林 &amp; 克拉维酸"/></VFK1></Root>)";
    const std::string bytes = file.read();
    EXPECT_EQ(bytes, R"(<?xml version="1.0" encoding="UTF-8"?>)" + body);

    Ref<ICVXMLDocument> reloaded(cv::host::createXmlDocument());
    ASSERT_EQ(reloaded->LoadXML(u16(bytes).c_str()), CV_OK);
    EXPECT_EQ(xmlOf(reloaded.get()), kDecl + body);
}

TEST_F(XmlDocumentTest, SaveToFileReportsFailures)
{
    EXPECT_EQ(doc->SaveToFile(u"/tmp/never-written.xml"), CV_E_FAIL); // no root element yet
    force(u"/Root");
    EXPECT_EQ(doc->SaveToFile(u"/nonexistent-dir/x.xml"), CV_E_FAIL);
    EXPECT_NE(lastError(doc.get()).find("/nonexistent-dir/x.xml"), std::string::npos);
    EXPECT_EQ(doc->SaveToFile(nullptr), CV_E_INVALIDARG);
}

TEST(XmlDocumentLifetime, NodesKeepTheirDocumentAlive)
{
    Ref<ICVXMLDocument> doc(cv::host::createXmlDocument());
    TCVXMLNode* node = nullptr;
    ASSERT_EQ(doc->ForceNodeByPath(u"/Root/A", &node), CV_OK);
    Ref<TCVXMLNode> child;
    ASSERT_EQ(doc->AppendChild(node, u"B", child.put()), CV_OK);
    doc->Release();
    doc.detach();

    // The document is gone for its user but still serves its nodes.
    EXPECT_EQ(child->SetAttribute(u"x", u"1"), CV_OK);
    EXPECT_EQ(xmlOf(node), R"(<A><B x="1"/></A>)");
    EXPECT_EQ(node->Release(), 0u);
    EXPECT_EQ(xmlOf(child.get()), R"(<B x="1"/>)");
}

TEST(XmlDocumentLifetime, CountsReferencesAndAnswersItsInterfaces)
{
    ICVXMLDocument* doc = cv::host::createXmlDocument();
    EXPECT_EQ(doc->AddRef(), 2u);
    EXPECT_EQ(doc->Release(), 1u);

    void* found = nullptr;
    ASSERT_EQ(doc->QueryInterface(ICVUnknown::iid(), &found), CV_OK);
    EXPECT_EQ(found, static_cast<void*>(doc));
    static_cast<ICVUnknown*>(found)->Release();
    ASSERT_EQ(doc->QueryInterface(ICVXMLDocument::iid(), &found), CV_OK);
    static_cast<ICVUnknown*>(found)->Release();
    EXPECT_EQ(doc->QueryInterface(TCVXMLNode::iid(), &found), CV_E_NOINTERFACE);
    EXPECT_EQ(found, nullptr);
    EXPECT_EQ(doc->QueryInterface(ICVUnknown::iid(), nullptr), CV_E_POINTER);

    TCVXMLNode* node = nullptr;
    ASSERT_EQ(doc->ForceNodeByPath(u"/R", &node), CV_OK);
    ASSERT_EQ(node->QueryInterface(TCVXMLNode::iid(), &found), CV_OK);
    EXPECT_EQ(found, static_cast<void*>(node));
    EXPECT_EQ(node->Release(), 1u);
    EXPECT_EQ(doc->Release(), 1u); // the node still holds the document
    EXPECT_EQ(node->Release(), 0u);
}

} // namespace
