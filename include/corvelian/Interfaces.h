// Host interfaces of the Corvelian plug-in contract, in slot order.
//
// Slots count from 0: 0-2 are QueryInterface, AddRef and Release. Operations
// return a CvStatus ("safecall": 0 = success, the result in the last out
// argument) unless marked plain. Slots the module does not use are reserved
// placeholders so that every used operation sits at its contract position;
// they answer CV_E_NOTIMPL unless an implementation overrides them.
//
// Strings: `const char16_t*` in arguments belong to the caller (null = empty);
// `CvBStr*` out arguments receive a string the caller frees with CvFreeString;
// an [in,out] `CvBStr*` is freed by the callee before it stores a new value.
// Interface out arguments receive a reference the caller releases.
#pragma once

#include "Records.h"
#include "Types.h"

#define CV_IID(d1, d2, d3, b0, b1, b2, b3, b4, b5, b6, b7)                                         \
    static constexpr ::corvelian::CvGuid iid()                                                     \
    {                                                                                              \
        return ::corvelian::CvGuid{d1, d2, d3, {b0, b1, b2, b3, b4, b5, b6, b7}};                  \
    }

#define CV_RESERVED(n)                                                                             \
    virtual ::corvelian::CvStatus CV_CALL Reserved##n()                                            \
    {                                                                                              \
        return ::corvelian::CV_E_NOTIMPL;                                                          \
    }

namespace corvelian {

struct ICVUnknown {
    CV_IID(0x00000000, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46)
    virtual CvStatus CV_CALL QueryInterface(const CvGuid& iid, void** object) = 0; // 0
    virtual std::uint32_t CV_CALL AddRef() = 0;                                    // 1
    virtual std::uint32_t CV_CALL Release() = 0;                                   // 2

protected:
    ~ICVUnknown() = default;
};

struct ICVInterface : ICVUnknown {
    CV_IID(0xCCA85F66, 0x2FC1, 0x4841, 0xB9, 0x11, 0x6C, 0xF8, 0x68, 0xFB, 0xFA, 0x5E)
    virtual CvStatus CV_CALL GetVersion(double* version) = 0; // 3
    virtual CvStatus CV_CALL GetName(CvBStr* name) = 0;       // 4
    virtual CvStatus CV_CALL GetLastError(CvBStr* text) = 0;  // 5

protected:
    ~ICVInterface() = default;
};

// The extension object of a module or host package.
struct ICVExtention : ICVInterface {
    CV_IID(0xB9C815F5, 0xCED8, 0x4530, 0x94, 0xDD, 0x5D, 0xC4, 0x8B, 0x53, 0x84, 0xFA)
    virtual CvStatus CV_CALL GetModuleHandle(CvHandle* handle) = 0;       // 6
    virtual CvStatus CV_CALL GetInitialized(CvWordBool* initialized) = 0; // 7
    // Text is [in,out]; Result: 0 nothing done, 1 done, 2 not handled, 3 failed.
    virtual CvStatus CV_CALL Execute(std::int32_t code, std::int32_t param, CvBStr* text,
                                     std::int32_t* result) = 0; // 8
    // Fills *destination (an interface variable of the caller) with a new object.
    virtual CvStatus CV_CALL CreateObject(ICVUnknown** destination, std::int32_t flags,
                                          const char16_t* name, std::int32_t* result) = 0; // 9

protected:
    ~ICVExtention() = default;
};

struct ICvApplication : ICVInterface {
    CV_IID(0x47A5291F, 0x0905, 0x4589, 0x83, 0x01, 0x47, 0x49, 0x34, 0x03, 0x57, 0x2E)
    virtual CvStatus CV_CALL GetSystemInfo(ICvSystemInfo* info) = 0; // 6
    virtual CvStatus CV_CALL GetConfigInfo(ICvConfigInfo* info) = 0; // 7
    virtual CvStatus CV_CALL GetUserInfo(ICvUserInfo* info) = 0;     // 8
    virtual CvStatus CV_CALL GetPathInfo(ICvPathInfo* info) = 0;     // 9
    virtual CvStatus CV_CALL GetFontInfo(ICVFontInfo* info) = 0;     // 10
    CV_RESERVED(11)
    CV_RESERVED(12)
    // A null package means not found; errorText says why.
    virtual CvStatus CV_CALL GetPackage(const char16_t* packageName, CvBStr* errorText,
                                        ICVExtention** package) = 0; // 13
    virtual CvStatus CV_CALL FindInterfacePackage(const char16_t* interfaceName, CvBStr* errorText,
                                                  ICVExtention** package) = 0; // 14
    CV_RESERVED(15)
    CV_RESERVED(16)
    virtual CvStatus CV_CALL GetSystemLibrary(ICVUnknown** library, std::int32_t reserved,
                                              CvBStr* errorText) = 0; // 17
    CV_RESERVED(18)
    CV_RESERVED(19)
    virtual CvStatus CV_CALL NotifyForm(const ICVFormInfo* info) = 0; // 20
    // kind: 1 show, 2 hide, 4 connection lost
    virtual CvStatus CV_CALL ShowProgress(std::int32_t reserved, const char16_t* text,
                                          std::int32_t kind) = 0;                           // 21
    virtual CvStatus CV_CALL ShowMessage(const ICVMsgInfo* info, std::int32_t* result) = 0; // 22

protected:
    ~ICvApplication() = default;
};

struct ICVField : ICVInterface {
    CV_IID(0xCEAF1A74, 0xE838, 0x46E5, 0x99, 0xB3, 0x3B, 0x84, 0x0E, 0x08, 0xD5, 0xFB)
    CV_RESERVED(6)
    CV_RESERVED(7)
    CV_RESERVED(8)
    virtual CvStatus CV_CALL GetAsString(CvBStr* text) = 0; // 9
    CV_RESERVED(10)
    CV_RESERVED(11)
    virtual CvStatus CV_CALL GetAsInteger(std::int32_t* value) = 0; // 12

protected:
    ~ICVField() = default;
};

// A query on the host's own connection.
struct ICVQueryTable : ICVInterface {
    CV_IID(0xD9040F24, 0xA13A, 0x4B3A, 0xB6, 0xD8, 0x93, 0x90, 0x9E, 0xAF, 0x3B, 0xF5)
    CV_RESERVED(6)
    CV_RESERVED(7)
    CV_RESERVED(8)
    virtual CvStatus CV_CALL SetSQL(const char16_t* text) = 0; // 9
    CV_RESERVED(10)
    CV_RESERVED(11)
    CV_RESERVED(12)
    CV_RESERVED(13)
    CV_RESERVED(14)
    CV_RESERVED(15)
    virtual CvStatus CV_CALL Open() = 0; // 16
    virtual CvStatus CV_CALL Next() = 0; // 17
    CV_RESERVED(18)
    CV_RESERVED(19)
    CV_RESERVED(20)
    virtual CvStatus CV_CALL Close() = 0; // 21
    CV_RESERVED(22)
    CV_RESERVED(23)
    CV_RESERVED(24)
    CV_RESERVED(25)
    CV_RESERVED(26)
    CV_RESERVED(27)
    CV_RESERVED(28)
    CV_RESERVED(29)
    CV_RESERVED(30)
    CV_RESERVED(31)
    CV_RESERVED(32)
    CV_RESERVED(33)
    CV_RESERVED(34)
    CV_RESERVED(35)
    CV_RESERVED(36)
    virtual CvStatus CV_CALL GetEof(CvWordBool* eof) = 0;                             // 37
    virtual CvStatus CV_CALL FieldByName(const char16_t* name, ICVField** field) = 0; // 38
    virtual CvStatus CV_CALL GetFieldCount(std::int32_t* count) = 0;                  // 39
    virtual CvStatus CV_CALL GetField(std::int32_t index, ICVField** field) = 0;      // 40

protected:
    ~ICVQueryTable() = default;
};

struct TCVXMLNode : ICVUnknown {
    CV_IID(0x6A05B0B6, 0x52DD, 0x41CE, 0xB7, 0x70, 0x55, 0xF8, 0x66, 0xC5, 0xC4, 0x7C)
    virtual CvStatus CV_CALL GetNodeName(CvBStr* name) = 0; // 3
    CV_RESERVED(4)
    CV_RESERVED(5)
    CV_RESERVED(6)
    CV_RESERVED(7)
    CV_RESERVED(8)
    CV_RESERVED(9)
    CV_RESERVED(10)
    CV_RESERVED(11)
    CV_RESERVED(12)
    virtual CvStatus CV_CALL SetText(const char16_t* text) = 0;                             // 13
    virtual CvStatus CV_CALL GetXML(CvBStr* xml) = 0;                                       // 14
    virtual CvStatus CV_CALL GetLastError(CvBStr* text) = 0;                                // 15
    virtual CvStatus CV_CALL GetText(CvBStr* text) = 0;                                     // 16
    virtual CvStatus CV_CALL GetAttribute(const char16_t* name, CvBStr* value) = 0;         // 17
    virtual CvStatus CV_CALL SetAttribute(const char16_t* name, const char16_t* value) = 0; // 18
    CV_RESERVED(19)
    CV_RESERVED(20)
    CV_RESERVED(21)
    CV_RESERVED(22)
    CV_RESERVED(23)
    CV_RESERVED(24)
    CV_RESERVED(25)
    CV_RESERVED(26)
    CV_RESERVED(27)
    CV_RESERVED(28)
    CV_RESERVED(29)
    CV_RESERVED(30)
    virtual CvStatus CV_CALL SetAttributeValue(const char16_t* name,
                                               const CvVariant* value) = 0; // 31

protected:
    ~TCVXMLNode() = default;
};

struct ICVXMLDocument : ICVUnknown {
    CV_IID(0xAD846017, 0x0C5D, 0x41DB, 0xB7, 0x8E, 0x97, 0x45, 0x0A, 0xEE, 0x5D, 0x26)
    virtual CvStatus CV_CALL GetRootElement(TCVXMLNode** node) = 0; // 3
    CV_RESERVED(4)
    CV_RESERVED(5)
    CV_RESERVED(6)
    CV_RESERVED(7)
    CV_RESERVED(8)
    CV_RESERVED(9)
    CV_RESERVED(10)
    CV_RESERVED(11)
    virtual CvStatus CV_CALL GetLastError(CvBStr* text) = 0; // 12
    virtual CvStatus CV_CALL GetXML(CvBStr* xml) = 0;        // 13
    CV_RESERVED(14)
    CV_RESERVED(15)
    CV_RESERVED(16)
    CV_RESERVED(17)
    virtual CvStatus CV_CALL SaveToFile(const char16_t* fileName) = 0;                     // 18
    virtual CvStatus CV_CALL LoadXML(const char16_t* xml) = 0;                             // 19
    virtual CvStatus CV_CALL GetNodeByPath(const char16_t* path, TCVXMLNode** node) = 0;   // 20
    virtual CvStatus CV_CALL ForceNodeByPath(const char16_t* path, TCVXMLNode** node) = 0; // 21
    virtual CvStatus CV_CALL NewDocument(const char16_t* rootName) = 0;                    // 22
    CV_RESERVED(23)
    CV_RESERVED(24)
    CV_RESERVED(25)
    CV_RESERVED(26)
    virtual CvStatus CV_CALL AppendChild(TCVXMLNode* parent, const char16_t* name,
                                         TCVXMLNode** child) = 0; // 27

protected:
    ~ICVXMLDocument() = default;
};

// The connection object the host shares (connection mode 1) or offers as a
// second connection. Module and host run in one process on the same database
// libraries, so the native handle of the driver is shared as it is.
struct ICVConnection : ICVInterface {
    CV_IID(0xF46DB897, 0x069B, 0x4942, 0xA1, 0x16, 0x03, 0xC7, 0xC6, 0x94, 0xB2, 0x4B)
    virtual CvStatus CV_CALL GetDriverName(CvBStr* name) = 0;       // 6 "SQLite" or "ODBC"
    virtual CvStatus CV_CALL GetConnectionString(CvBStr* text) = 0; // 7
    virtual CvStatus CV_CALL GetNativeHandle(CvHandle* handle) = 0; // 8 sqlite3* for SQLite

protected:
    ~ICVConnection() = default;
};

// The host's resource module: named resources of a type ("ICON", "ANI", ...).
struct ICVResourceModule : ICVUnknown {
    CV_IID(0x2181BB69, 0x27B3, 0x48F7, 0x87, 0x16, 0x09, 0xAE, 0x6F, 0x86, 0xBD, 0xE3)
    // Copies up to capacity bytes into buffer (may be null) and reports the
    // resource's size; answers CV_FALSE when there is no such resource.
    virtual CvStatus CV_CALL FindResource(const char16_t* name, const char16_t* type,
                                          std::uint8_t* buffer, std::uint32_t capacity,
                                          std::uint32_t* size) = 0; // 3

protected:
    ~ICVResourceModule() = default;
};

struct ICVLibrary : ICVExtention {
    CV_IID(0xA132E659, 0xCB56, 0x4E60, 0x94, 0x52, 0x81, 0x2A, 0x49, 0x85, 0x0F, 0x0F)
    CV_RESERVED(10)
    CV_RESERVED(11)
    virtual CvStatus CV_CALL GetConnectionObject(ICVUnknown** connection) = 0; // 12
    virtual CvStatus CV_CALL GetConnectionMode(std::int32_t* mode) = 0;        // 13
    virtual CvStatus CV_CALL GetConnectionString(CvBStr* text) = 0;            // 14
    virtual CvStatus CV_CALL GetPrivilegeTrace(CvWordBool* trace) = 0;         // 15
    CV_RESERVED(16)
    CV_RESERVED(17)
    CV_RESERVED(18)
    CV_RESERVED(19)
    virtual CvStatus CV_CALL GetResourceModule(ICVUnknown** module) = 0;       // 20
    virtual CvStatus CV_CALL CreateQueryTable(ICVQueryTable** table) = 0;      // 21
    virtual CvStatus CV_CALL CreateXMLDocument(ICVXMLDocument** document) = 0; // 22
    CV_RESERVED(23)
    CV_RESERVED(24)
    CV_RESERVED(25)
    virtual CvStatus CV_CALL GetScript(std::int32_t code, CvBStr* text) = 0; // 26
    CV_RESERVED(27)
    CV_RESERVED(28)
    CV_RESERVED(29)
    CV_RESERVED(30)
    CV_RESERVED(31)
    CV_RESERVED(32)
    CV_RESERVED(33)
    CV_RESERVED(34)
    virtual CvStatus CV_CALL GetResourceText(const char16_t* name, std::int32_t reserved,
                                             CvBStr* text) = 0;                     // 35
    virtual CvStatus CV_CALL GetUserValue(const char16_t* name, CvBStr* value) = 0; // 36
    virtual CvStatus CV_CALL WriteLog(std::int32_t level, const char16_t* appName,
                                      const char16_t* source, const char16_t* title,
                                      const char16_t* text) = 0; // 37
    CV_RESERVED(38)
    CV_RESERVED(39)
    CV_RESERVED(40)

protected:
    ~ICVLibrary() = default;
};

#define CV_RESERVED_RANGE_41_62                                                                    \
    CV_RESERVED(41)                                                                                \
    CV_RESERVED(42) CV_RESERVED(43) CV_RESERVED(44) CV_RESERVED(45) CV_RESERVED(46)                \
        CV_RESERVED(47) CV_RESERVED(48) CV_RESERVED(49) CV_RESERVED(50) CV_RESERVED(51)            \
            CV_RESERVED(52) CV_RESERVED(53) CV_RESERVED(54) CV_RESERVED(55) CV_RESERVED(56)        \
                CV_RESERVED(57) CV_RESERVED(58) CV_RESERVED(59) CV_RESERVED(60) CV_RESERVED(61)    \
                    CV_RESERVED(62)

#define CV_RESERVED_RANGE_64_78                                                                    \
    CV_RESERVED(64)                                                                                \
    CV_RESERVED(65) CV_RESERVED(66) CV_RESERVED(67) CV_RESERVED(68) CV_RESERVED(69)                \
        CV_RESERVED(70) CV_RESERVED(71) CV_RESERVED(72) CV_RESERVED(73) CV_RESERVED(74)            \
            CV_RESERVED(75) CV_RESERVED(76) CV_RESERVED(77) CV_RESERVED(78)

struct ICVLibrary2 : ICVLibrary {
    CV_IID(0x16A9CB12, 0xDACE, 0x48FC, 0xA7, 0xF9, 0xCD, 0x09, 0x1F, 0x68, 0xD2, 0x4A)
    CV_RESERVED_RANGE_41_62
    // plain: 1 = found
    virtual std::int32_t CV_CALL GetSetting(const char16_t* name, CvBStr* value) = 0; // 63
    CV_RESERVED_RANGE_64_78

protected:
    ~ICVLibrary2() = default;
};

struct ICVLibrary3 : ICVLibrary2 {
    CV_IID(0x05908F70, 0xBED6, 0x4586, 0xBF, 0x72, 0xCE, 0x88, 0xEC, 0x06, 0x05, 0xC9)
    CV_RESERVED(79)
    CV_RESERVED(80)
    // A null connection means the host offers no second connection.
    virtual CvStatus CV_CALL GetSecondConnection(ICVUnknown** connection) = 0; // 81

protected:
    ~ICVLibrary3() = default;
};

// A list of values passed between module and host (search value lists).
struct ICVParams : ICVUnknown {
    CV_IID(0xA28E2F34, 0xC749, 0x400E, 0xAD, 0xC4, 0x0F, 0x7E, 0x19, 0x27, 0x9E, 0x76)
    virtual CvStatus CV_CALL GetLastError(CvBStr* text) = 0;                     // 3
    virtual CvStatus CV_CALL GetCount(std::int32_t* count) = 0;                  // 4
    virtual CvStatus CV_CALL SetCount(std::int32_t count) = 0;                   // 5
    virtual CvStatus CV_CALL GetValue(std::int32_t index, CvVariant* value) = 0; // 6
    virtual CvStatus CV_CALL SetValue(std::int32_t index, CvVariant value) = 0;  // 7
    virtual CvStatus CV_CALL FormatText(CvBStr* text, CvWordBool* done) = 0;     // 8

protected:
    ~ICVParams() = default;
};

// The record a search picked.
struct ICVDataRecord : ICVUnknown {
    CV_IID(0x70D6A00D, 0x7D69, 0x4E45, 0xAD, 0xF6, 0xF8, 0xC9, 0x29, 0x9E, 0x10, 0x6B)
    CV_RESERVED(3)
    CV_RESERVED(4) CV_RESERVED(5) CV_RESERVED(6) CV_RESERVED(7) CV_RESERVED(8) CV_RESERVED(9)
        CV_RESERVED(10) CV_RESERVED(11) CV_RESERVED(12) CV_RESERVED(13) CV_RESERVED(14)
            CV_RESERVED(15) CV_RESERVED(16) CV_RESERVED(17) CV_RESERVED(18) CV_RESERVED(19)
                CV_RESERVED(20) CV_RESERVED(21) CV_RESERVED(22) CV_RESERVED(23) CV_RESERVED(24)
                    CV_RESERVED(25) CV_RESERVED(26) CV_RESERVED(27) CV_RESERVED(28) CV_RESERVED(29)
                        CV_RESERVED(30) CV_RESERVED(31) CV_RESERVED(32) CV_RESERVED(33)
                            CV_RESERVED(34) CV_RESERVED(35) CV_RESERVED(36) CV_RESERVED(37)
                                CV_RESERVED(38)
        // Answers a null field when the record has no field of that name.
        virtual CvStatus CV_CALL FindField(const char16_t* name, ICVField** field) = 0; // 39

protected:
    ~ICVDataRecord() = default;
};

struct ICVDataPicker : ICVUnknown {
    CV_IID(0x5CA7547A, 0xF538, 0x4AF4, 0x9D, 0x29, 0x82, 0x91, 0xDA, 0x49, 0x05, 0xCD)
    virtual CvStatus CV_CALL GetRecord(ICVDataRecord** record) = 0;   // 3
    virtual CvStatus CV_CALL GetFirstValues(ICVParams** values) = 0;  // 4
    virtual CvStatus CV_CALL GetSecondValues(ICVParams** values) = 0; // 5
    CV_RESERVED(6)
    virtual CvStatus CV_CALL SetSetting(std::int32_t number, const char16_t* text) = 0; // 7
    virtual CvStatus CV_CALL Show(CvHandle owner, std::int32_t script, std::int32_t options,
                                  const char16_t* text, CvWordBool* picked) = 0; // 8

protected:
    ~ICVDataPicker() = default;
};

struct ICVPrint : ICVInterface {
    CV_IID(0x8E516F06, 0x7594, 0x4967, 0x8E, 0xD8, 0xC2, 0x97, 0x57, 0x25, 0xE8, 0x0E)
    CV_RESERVED(6)
    CV_RESERVED(7)
    virtual CvStatus CV_CALL GetErrorText(CvBStr* text) = 0; // 8
    CV_RESERVED(9)
    virtual CvStatus CV_CALL Design(std::int32_t formatId, CvWordBool* ok) = 0; // 10
    virtual CvStatus CV_CALL Print(std::int32_t formatId, CvWordBool first, CvWordBool second,
                                   CvWordBool* ok) = 0; // 11
    virtual CvStatus CV_CALL Preview(std::int32_t formatId, CvWordBool on,
                                     CvWordBool* ok) = 0; // 12
    CV_RESERVED(13)
    CV_RESERVED(14)
    CV_RESERVED(15)
    CV_RESERVED(16)
    virtual CvStatus CV_CALL SelectReport(const char16_t* reportCode, const char16_t* variables,
                                          const char16_t* dataLists,
                                          std::int32_t* result) = 0;   // 17
    virtual std::int32_t CV_CALL Command(const char16_t* command) = 0; // 18 plain
    CV_RESERVED(19)
    virtual CvStatus CV_CALL Restart() = 0; // 20

protected:
    ~ICVPrint() = default;
};

struct ICVPrint2 : ICVPrint {
    CV_IID(0xB4517C83, 0xC7D7, 0x44D8, 0xA5, 0x79, 0xA1, 0x28, 0x70, 0xC4, 0x7B, 0xD9)
    CV_RESERVED(21)
    virtual CvStatus CV_CALL LoadReport(std::int32_t formatId, CvWordBool on,
                                        CvWordBool* ok) = 0; // 22
    CV_RESERVED(23)

protected:
    ~ICVPrint2() = default;
};

struct ICVPrivileges : ICVInterface {
    CV_IID(0x2CDE972C, 0xAFC0, 0x4B54, 0x83, 0xB0, 0xC9, 0x2F, 0xBD, 0x2B, 0xAA, 0x3E)
    CV_RESERVED(6)
    CV_RESERVED(7)
    // plain operations: non-zero = yes
    virtual std::int32_t CV_CALL CheckCommand(std::int32_t command, const char16_t* appName,
                                              std::int32_t flags) = 0;      // 8
    virtual std::int32_t CV_CALL IsAllowed(const char16_t* actionName) = 0; // 9
    virtual std::int32_t CV_CALL IsDefined(const char16_t* actionName) = 0; // 10
    CV_RESERVED(11)

protected:
    ~ICVPrivileges() = default;
};

struct ICVEmbWindow : ICVInterface {
    CV_IID(0x1DFEA25A, 0xD7EE, 0x4C39, 0x90, 0x2F, 0x22, 0xFE, 0xC5, 0x25, 0x60, 0x8E)
    virtual CvHandle CV_CALL GetHandle() = 0; // 6 plain
    CV_RESERVED(7)
    virtual std::int32_t CV_CALL SetParentHandle(CvHandle parent) = 0; // 8 plain

protected:
    ~ICVEmbWindow() = default;
};

struct ICVPrintPreview : ICVEmbWindow {
    CV_IID(0x86A818CF, 0x8B39, 0x4D9E, 0x92, 0xB5, 0x3E, 0x2A, 0x2C, 0xE9, 0x35, 0x20)
    CV_RESERVED(9)
    CV_RESERVED(10)
    CV_RESERVED(11)
    CV_RESERVED(12)
    virtual std::int32_t CV_CALL ShowReport(ICVPrint2* print) = 0; // 13 plain
    CV_RESERVED(14)
    virtual std::int32_t CV_CALL PreviewCommand(const char16_t* command) = 0; // 15 plain
    CV_RESERVED(16)

protected:
    ~ICVPrintPreview() = default;
};

} // namespace corvelian
