#include "ValueList.h"

#include "platform/abi/Boundary.h"
#include "platform/abi/Variant.h"
#include "platform/abi/WideString.h"

namespace cv::host {

using namespace corvelian;

template <class F> CvStatus ValueList::call(F&& body)
{
    return guardHostCall(m_lastError, std::forward<F>(body));
}

QVariant& ValueList::at(std::int32_t index)
{
    if (index < 0 || std::size_t(index) >= m_values.size())
        throw Exception(QStringLiteral("List index out of bounds (%1)").arg(index));
    return m_values[std::size_t(index)];
}

CvStatus CV_CALL ValueList::GetLastError(CvBStr* text)
{
    if (!text)
        return CV_E_POINTER;
    *text = allocWide(m_lastError);
    return CV_OK;
}

CvStatus CV_CALL ValueList::GetCount(std::int32_t* count)
{
    return call([&] {
        requirePointer(count);
        *count = std::int32_t(m_values.size());
    });
}

CvStatus CV_CALL ValueList::SetCount(std::int32_t count)
{
    return call([&] {
        if (count < 0)
            throw Exception(QStringLiteral("List count out of bounds (%1)").arg(count));
        m_values.resize(std::size_t(count));
    });
}

CvStatus CV_CALL ValueList::GetValue(std::int32_t index, CvVariant* value)
{
    return call([&] {
        requirePointer(value);
        const QVariant& item = at(index);
        CvVariantClear(value);
        toCvVariant(item, value);
    });
}

// The caller keeps the variant: its string is copied, not taken.
CvStatus CV_CALL ValueList::SetValue(std::int32_t index, CvVariant value)
{
    return call([&] { at(index) = fromCvVariant(value); });
}

CvStatus CV_CALL ValueList::FormatText(CvBStr* text, CvWordBool* done)
{
    return call([&] {
        requirePointer(text);
        requirePointer(done);
        *done = 0;
    });
}

} // namespace cv::host
