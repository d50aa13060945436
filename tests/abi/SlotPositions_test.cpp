// Every operation the module calls or implements sits at its contract slot.
#include <corvelian/Corvelian.h>

#include <gtest/gtest.h>

#include <cstring>

using namespace corvelian;

namespace {

// Itanium C++ ABI: a pointer to a virtual member function holds
// 1 + the byte offset of its entry in the vtable.
template <class PMF> long slotOf(PMF pmf)
{
    static_assert(sizeof(PMF) == 2 * sizeof(std::ptrdiff_t));
    std::ptrdiff_t raw[2];
    std::memcpy(raw, &pmf, sizeof raw);
    return long((raw[0] - 1) / std::ptrdiff_t(sizeof(void*)));
}

struct Slot {
    const char* name;
    long actual;
    long expected;
};

#define SLOT(I, op, n)                                                                             \
    Slot                                                                                           \
    {                                                                                              \
#I "::" #op, slotOf(&I::op), n                                                             \
    }

TEST(SlotPositions, MatchTheContract)
{
    const Slot slots[] = {
        SLOT(ICVUnknown, QueryInterface, 0),
        SLOT(ICVUnknown, AddRef, 1),
        SLOT(ICVUnknown, Release, 2),
        SLOT(ICVInterface, GetVersion, 3),
        SLOT(ICVInterface, GetName, 4),
        SLOT(ICVInterface, GetLastError, 5),
        SLOT(ICVExtention, GetModuleHandle, 6),
        SLOT(ICVExtention, GetInitialized, 7),
        SLOT(ICVExtention, Execute, 8),
        SLOT(ICVExtention, CreateObject, 9),
        SLOT(ICvApplication, GetSystemInfo, 6),
        SLOT(ICvApplication, GetConfigInfo, 7),
        SLOT(ICvApplication, GetUserInfo, 8),
        SLOT(ICvApplication, GetPathInfo, 9),
        SLOT(ICvApplication, GetFontInfo, 10),
        SLOT(ICvApplication, GetPackage, 13),
        SLOT(ICvApplication, FindInterfacePackage, 14),
        SLOT(ICvApplication, GetSystemLibrary, 17),
        SLOT(ICvApplication, NotifyForm, 20),
        SLOT(ICvApplication, ShowProgress, 21),
        SLOT(ICvApplication, ShowMessage, 22),
        SLOT(ICVLibrary, GetConnectionObject, 12),
        SLOT(ICVLibrary, GetConnectionMode, 13),
        SLOT(ICVLibrary, GetConnectionString, 14),
        SLOT(ICVLibrary, GetPrivilegeTrace, 15),
        SLOT(ICVLibrary, GetResourceModule, 20),
        SLOT(ICVLibrary, CreateQueryTable, 21),
        SLOT(ICVLibrary, CreateXMLDocument, 22),
        SLOT(ICVLibrary, GetScript, 26),
        SLOT(ICVLibrary, GetResourceText, 35),
        SLOT(ICVLibrary, GetUserValue, 36),
        SLOT(ICVLibrary, WriteLog, 37),
        SLOT(ICVLibrary, Reserved40, 40),
        SLOT(ICVLibrary2, GetSetting, 63),
        SLOT(ICVLibrary2, Reserved78, 78),
        SLOT(ICVLibrary3, GetSecondConnection, 81),
        SLOT(ICVQueryTable, SetSQL, 9),
        SLOT(ICVQueryTable, Open, 16),
        SLOT(ICVQueryTable, Close, 21),
        SLOT(ICVQueryTable, GetEof, 37),
        SLOT(ICVQueryTable, FieldByName, 38),
        SLOT(ICVField, GetAsString, 9),
        SLOT(ICVField, GetAsInteger, 12),
        SLOT(ICVXMLDocument, GetRootElement, 3),
        SLOT(ICVXMLDocument, GetLastError, 12),
        SLOT(ICVXMLDocument, GetXML, 13),
        SLOT(ICVXMLDocument, SaveToFile, 18),
        SLOT(ICVXMLDocument, GetNodeByPath, 20),
        SLOT(ICVXMLDocument, ForceNodeByPath, 21),
        SLOT(ICVXMLDocument, NewDocument, 22),
        SLOT(ICVXMLDocument, AppendChild, 27),
        SLOT(TCVXMLNode, SetText, 13),
        SLOT(TCVXMLNode, GetXML, 14),
        SLOT(TCVXMLNode, GetLastError, 15),
        SLOT(TCVXMLNode, SetAttribute, 18),
        SLOT(TCVXMLNode, SetAttributeValue, 31),
        SLOT(ICVParams, GetLastError, 3),
        SLOT(ICVParams, GetCount, 4),
        SLOT(ICVParams, SetCount, 5),
        SLOT(ICVParams, GetValue, 6),
        SLOT(ICVParams, SetValue, 7),
        SLOT(ICVParams, FormatText, 8),
        SLOT(ICVDataRecord, FindField, 39),
        SLOT(ICVDataPicker, GetRecord, 3),
        SLOT(ICVDataPicker, GetFirstValues, 4),
        SLOT(ICVDataPicker, GetSecondValues, 5),
        SLOT(ICVDataPicker, SetSetting, 7),
        SLOT(ICVDataPicker, Show, 8),
        SLOT(ICVPrint, GetVersion, 3),
        SLOT(ICVPrint, GetErrorText, 8),
        SLOT(ICVPrint, Design, 10),
        SLOT(ICVPrint, Print, 11),
        SLOT(ICVPrint, Preview, 12),
        SLOT(ICVPrint, SelectReport, 17),
        SLOT(ICVPrint, Command, 18),
        SLOT(ICVPrint, Restart, 20),
        SLOT(ICVPrint2, LoadReport, 22),
        SLOT(ICVPrint2, Reserved23, 23),
        SLOT(ICVPrivileges, CheckCommand, 8),
        SLOT(ICVPrivileges, IsAllowed, 9),
        SLOT(ICVPrivileges, IsDefined, 10),
        SLOT(ICVPrivileges, Reserved11, 11),
        SLOT(ICVEmbWindow, GetHandle, 6),
        SLOT(ICVEmbWindow, SetParentHandle, 8),
        SLOT(ICVPrintPreview, ShowReport, 13),
        SLOT(ICVPrintPreview, PreviewCommand, 15),
        SLOT(ICVPrintPreview, Reserved16, 16),
    };
    for (const Slot& s : slots)
        EXPECT_EQ(s.actual, s.expected) << s.name;
}

TEST(SlotPositions, ContractGuids)
{
    const CvGuid extention{
        0xB9C815F5, 0xCED8, 0x4530, {0x94, 0xDD, 0x5D, 0xC4, 0x8B, 0x53, 0x84, 0xFA}};
    EXPECT_EQ(ICVExtention::iid(), extention);
    const CvGuid library2{
        0x16A9CB12, 0xDACE, 0x48FC, {0xA7, 0xF9, 0xCD, 0x09, 0x1F, 0x68, 0xD2, 0x4A}};
    EXPECT_EQ(ICVLibrary2::iid(), library2);
    const CvGuid params{
        0xA28E2F34, 0xC749, 0x400E, {0xAD, 0xC4, 0x0F, 0x7E, 0x19, 0x27, 0x9E, 0x76}};
    EXPECT_EQ(ICVParams::iid(), params);
    EXPECT_FALSE(ICVLibrary3::iid() == ICVLibrary2::iid());
}

TEST(WideStrings, AllocationContract)
{
    const char16_t text[] = u"宋体ab";
    CvBStr s = CvAllocStringLen(text, 4);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(CvStringLen(s), 4u);
    EXPECT_EQ(s[4], u'\0');
    EXPECT_EQ(std::u16string(s, 4), u"宋体ab");

    // An [in,out] string is replaced, the old value freed (ASan checks it).
    CvAssignString(&s, u"x", 1);
    EXPECT_EQ(CvStringLen(s), 1u);
    CvAssignString(&s, nullptr, 0);
    EXPECT_EQ(s, nullptr);
    EXPECT_EQ(CvStringLen(nullptr), 0u);
    CvFreeString(nullptr);
}

TEST(Variants, ClearFreesOwnedString)
{
    CvVariant v;
    CvVariantInit(&v);
    v.vt = CV_VT_BSTR;
    v.bstr = CvAllocStringLen(u"abc", 3);
    CvVariantClear(&v);
    EXPECT_EQ(v.vt, CV_VT_EMPTY);
}

} // namespace
