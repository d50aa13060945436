// Conversions between QString and the ABI's UTF-16 strings.
#pragma once

#include <corvelian/Types.h>

#include <QString>

#include <utility>

namespace cv {

inline QString fromWide(const char16_t* s)
{
    if (!s)
        return {};
    return QString::fromUtf16(s, qsizetype(corvelian::CvStringLen(s)));
}

// For [in] arguments that may not come from CvAllocString (plain literals).
inline QString fromWideZ(const char16_t* s)
{
    return s ? QString::fromUtf16(s) : QString();
}

// A new ABI string owned by the receiver (null for the empty text).
inline corvelian::CvBStr allocWide(const QString& s)
{
    if (s.isEmpty())
        return nullptr;
    return corvelian::CvAllocStringLen(reinterpret_cast<const char16_t*>(s.utf16()),
                                       std::uint32_t(s.size()));
}

// [in] argument view of a QString: valid while the QString lives.
inline const char16_t* wideArg(const QString& s)
{
    return reinterpret_cast<const char16_t*>(s.utf16());
}

// Replaces an [in,out] string with text.
inline void assignWide(corvelian::CvBStr* target, const QString& text)
{
    corvelian::CvAssignString(target, reinterpret_cast<const char16_t*>(text.utf16()),
                              std::uint32_t(text.size()));
}

// Owns a string received through an out argument.
class WideString {
public:
    WideString() = default;
    explicit WideString(const QString& text) : m_s(allocWide(text)) {}
    WideString(const WideString&) = delete;
    WideString& operator=(const WideString&) = delete;
    WideString(WideString&& o) noexcept : m_s(std::exchange(o.m_s, nullptr)) {}
    WideString& operator=(WideString&& o) noexcept
    {
        std::swap(m_s, o.m_s);
        return *this;
    }
    ~WideString() { corvelian::CvFreeString(m_s); }

    corvelian::CvBStr* put()
    {
        corvelian::CvFreeString(m_s);
        m_s = nullptr;
        return &m_s;
    }
    // For [in,out] arguments: keeps the current value.
    corvelian::CvBStr* inOut() { return &m_s; }
    corvelian::CvBStr get() const { return m_s; }
    corvelian::CvBStr detach() { return std::exchange(m_s, nullptr); }
    QString toQString() const { return fromWide(m_s); }

private:
    corvelian::CvBStr m_s = nullptr;
};

// Takes a string the host put into a record: converts it and frees it.
// Packed record fields are passed by value; a reference to one would be
// misaligned.
inline QString takeWide(corvelian::CvBStr s)
{
    QString r = fromWide(s);
    corvelian::CvFreeString(s);
    return r;
}

} // namespace cv
