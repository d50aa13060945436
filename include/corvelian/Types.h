// Basic types of the host ABI: status codes, GUIDs, UTF-16 strings with one
// allocation contract, 16-bit booleans and variants. Plain C++, no Qt.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#if defined(_WIN32) && !defined(_WIN64)
#define CV_CALL __stdcall
#else
#define CV_CALL
#endif

namespace corvelian {

// Status of a "safecall" operation: 0 is success, a negative value a failure.
using CvStatus = std::int32_t;
static_assert(sizeof(CvStatus) == 4);

inline constexpr CvStatus CV_OK = 0;
inline constexpr CvStatus CV_FALSE = 1;
inline constexpr CvStatus CV_E_NOTIMPL = static_cast<CvStatus>(0x80004001u);
inline constexpr CvStatus CV_E_NOINTERFACE = static_cast<CvStatus>(0x80004002u);
inline constexpr CvStatus CV_E_POINTER = static_cast<CvStatus>(0x80004003u);
inline constexpr CvStatus CV_E_FAIL = static_cast<CvStatus>(0x80004005u);
inline constexpr CvStatus CV_E_UNEXPECTED = static_cast<CvStatus>(0x8000FFFFu);
inline constexpr CvStatus CV_E_INVALIDARG = static_cast<CvStatus>(0x80070057u);

inline constexpr bool CvSucceeded(CvStatus s)
{
    return s >= 0;
}
inline constexpr bool CvFailed(CvStatus s)
{
    return s < 0;
}

// 16-bit Boolean of the contract: -1 is true, 0 is false; any non-zero reads as true.
using CvWordBool = std::int16_t;
inline constexpr CvWordBool CV_TRUE = -1;
inline constexpr CvWordBool CV_FALSE_BOOL = 0;

struct CvGuid {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::uint8_t data4[8];

    friend constexpr bool operator==(const CvGuid& a, const CvGuid& b)
    {
        if (a.data1 != b.data1 || a.data2 != b.data2 || a.data3 != b.data3)
            return false;
        for (int i = 0; i < 8; ++i)
            if (a.data4[i] != b.data4[i])
                return false;
        return true;
    }
};

// Window, icon and module handles cross the boundary as pointer-sized integers.
using CvHandle = std::uintptr_t;

// ---------------------------------------------------------------------------
// Wide strings: UTF-16, length-prefixed like a BSTR. The pointer addresses the
// first character; a 32-bit byte length sits just before it and a NUL after
// the last character. A null pointer is the empty string.
//
// Ownership: [in] strings are `const char16_t*` owned by the caller; [out]
// strings (`CvBStr*`) receive a string the caller frees with CvFreeString;
// [in,out] strings are freed by the callee before it stores a new one.
// ---------------------------------------------------------------------------
using CvBStr = char16_t*;

inline CvBStr CvAllocStringLen(const char16_t* text, std::uint32_t length)
{
    auto* block = static_cast<std::uint8_t*>(
        std::malloc(sizeof(std::uint32_t) + (std::size_t(length) + 1) * sizeof(char16_t)));
    if (!block)
        return nullptr;
    const std::uint32_t bytes = length * std::uint32_t(sizeof(char16_t));
    std::memcpy(block, &bytes, sizeof bytes);
    auto* chars = reinterpret_cast<char16_t*>(block + sizeof(std::uint32_t));
    if (text && length)
        std::memcpy(chars, text, std::size_t(length) * sizeof(char16_t));
    else if (length)
        std::memset(chars, 0, std::size_t(length) * sizeof(char16_t));
    chars[length] = 0;
    return chars;
}

inline std::uint32_t CvStringLen(const char16_t* s)
{
    if (!s)
        return 0;
    std::uint32_t bytes;
    std::memcpy(&bytes, reinterpret_cast<const std::uint8_t*>(s) - sizeof(std::uint32_t),
                sizeof bytes);
    return bytes / std::uint32_t(sizeof(char16_t));
}

inline void CvFreeString(CvBStr s)
{
    if (s)
        std::free(reinterpret_cast<std::uint8_t*>(s) - sizeof(std::uint32_t));
}

// Replaces an [in,out] string: frees the old value, stores a copy of `text`.
inline void CvAssignString(CvBStr* target, const char16_t* text, std::uint32_t length)
{
    CvBStr fresh = length ? CvAllocStringLen(text, length) : nullptr;
    CvFreeString(*target);
    *target = fresh;
}

// ---------------------------------------------------------------------------
// Variants: a COM-compatible type tag and an 8-byte value. A variant holding a
// string (CV_VT_BSTR) owns it; CvVariantClear frees it.
// ---------------------------------------------------------------------------
enum CvVarType : std::uint16_t {
    CV_VT_EMPTY = 0,
    CV_VT_NULL = 1,
    CV_VT_I2 = 2,
    CV_VT_I4 = 3,
    CV_VT_R4 = 4,
    CV_VT_R8 = 5,
    CV_VT_CY = 6,   // currency: 64-bit integer scaled by 10000
    CV_VT_DATE = 7, // days since 1899-12-30, fraction is the time of day
    CV_VT_BSTR = 8,
    CV_VT_BOOL = 11, // CvWordBool
    CV_VT_I1 = 16,
    CV_VT_UI1 = 17,
    CV_VT_UI2 = 18,
    CV_VT_UI4 = 19,
    CV_VT_I8 = 20,
    CV_VT_UI8 = 21,
};

struct CvVariant {
    std::uint16_t vt;
    std::uint16_t reserved1;
    std::uint16_t reserved2;
    std::uint16_t reserved3;
    union {
        std::int16_t i2;
        std::int32_t i4;
        float r4;
        double r8;
        std::int64_t cy;
        double date;
        CvBStr bstr;
        CvWordBool boolVal;
        std::int8_t i1;
        std::uint8_t ui1;
        std::uint16_t ui2;
        std::uint32_t ui4;
        std::int64_t i8;
        std::uint64_t ui8;
    };
};
static_assert(sizeof(CvVariant) == 16);

inline void CvVariantInit(CvVariant* v)
{
    std::memset(v, 0, sizeof *v);
}

inline void CvVariantClear(CvVariant* v)
{
    if (v->vt == CV_VT_BSTR)
        CvFreeString(v->bstr);
    CvVariantInit(v);
}

} // namespace corvelian
