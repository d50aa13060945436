#include "TCVParamsAdapter.h"

#include "platform/abi/Boundary.h"
#include "platform/abi/Exception.h"
#include "platform/abi/Variant.h"
#include "platform/abi/WideString.h"
#include "platform/text/FormatSettings.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace cv::shell {

using namespace corvelian;
using text::FormatArg;

namespace {
void require(const void* p)
{
    if (!p)
        throw Exception(QStringLiteral("Invalid pointer"), CV_E_POINTER);
}

FormatArg argumentOfEntry(const TCVParamsAdapter::Entry& entry)
{
    switch (entry.kind) {
    case 1:
        return FormatArg::integer(text::strToInt(entry.text));
    case 2:
        return FormatArg::extended(text::strToFloat(entry.text));
    case 3:
        return FormatArg::int64(text::strToInt64(entry.text));
    default:
        return FormatArg::ansiString(entry.text);
    }
}

bool isDateVariant(const QVariant& v)
{
    const int type = v.typeId();
    return type == QMetaType::QDate || type == QMetaType::QDateTime || type == QMetaType::QTime;
}
} // namespace

TCVParamsAdapter::Entry& TCVParamsAdapter::entryAt(std::int32_t index)
{
    if (index < 0 || std::size_t(index) >= m_entries.size())
        throw Exception(QStringLiteral("List index out of bounds (%1)").arg(index));
    return m_entries[std::size_t(index)];
}

int TCVParamsAdapter::KindOfVariant(const CvVariant& value)
{
    switch (value.vt) {
    case CV_VT_I2:
    case CV_VT_I4:
    case CV_VT_UI1:
    case CV_VT_UI2:
    case CV_VT_UI4:
        return 1;
    case CV_VT_R4:
    case CV_VT_R8:
    case CV_VT_CY:
        return 2;
    default:
        // Text stays text: a 64-bit-integer kind would make FormatText refuse
        // every value that is not a number.
        return 0;
    }
}

CvStatus CV_CALL TCVParamsAdapter::GetLastError(CvBStr* text)
{
    return guardBoundary([&] {
        require(text);
        *text = allocWide(m_lastError);
    });
}

CvStatus CV_CALL TCVParamsAdapter::GetCount(std::int32_t* count)
{
    return guardBoundary([&] {
        require(count);
        *count = std::int32_t(m_entries.size());
    });
}

CvStatus CV_CALL TCVParamsAdapter::SetCount(std::int32_t count)
{
    return guardBoundary([&] {
        if (count < 0)
            throw Exception(QStringLiteral("List count out of bounds (%1)").arg(count));
        m_entries.resize(std::size_t(count));
    });
}

CvStatus CV_CALL TCVParamsAdapter::GetValue(std::int32_t index, CvVariant* value)
{
    return guardBoundary([&] {
        require(value);
        const Entry& entry = entryAt(index);
        CvVariantClear(value);
        value->vt = CV_VT_BSTR;
        value->bstr = allocWide(entry.text);
    });
}

CvStatus CV_CALL TCVParamsAdapter::SetValue(std::int32_t index, CvVariant value)
{
    return guardBoundary([&] {
        Entry& entry = entryAt(index);
        entry.kind = KindOfVariant(value);
        entry.text = text::variantToText(fromCvVariant(value));
    });
}

CvStatus CV_CALL TCVParamsAdapter::FormatText(CvBStr* text, CvWordBool* done)
{
    return guardBoundary([&] {
        require(text);
        require(done);
        try {
            std::vector<FormatArg> arguments;
            arguments.reserve(m_entries.size());
            for (const Entry& entry : m_entries)
                arguments.push_back(argumentOfEntry(entry));
            const QString formatted = text::format(fromWide(*text), arguments);
            assignWide(text, formatted);
            *done = CV_TRUE;
        } catch (const Exception& e) {
            m_lastError = e.message();
            *done = CV_FALSE_BOOL;
        }
    });
}

QVariant TCVParamsAdapter::ArgumentToVariant(const FormatArg& argument)
{
    using Kind = FormatArg::Kind;
    switch (argument.kind()) {
    case Kind::Integer:
        return int(argument.intValue());
    case Kind::Boolean:
        return argument.intValue() != 0;
    case Kind::Char:
        return QString(QChar(char16_t(argument.intValue() & 0xFF)));
    case Kind::Extended:
        return argument.floatValue();
    case Kind::ShortString:
    case Kind::AnsiString:
    case Kind::PChar:
    case Kind::WideString:
    case Kind::UnicodeString:
        return argument.text();
    case Kind::Currency:
        return text::currencyToText(argument.intValue());
    case Kind::Variant: {
        const QVariant& v = argument.variantValue();
        if (isDateVariant(v) || v.typeId() == QMetaType::QVariantList ||
            v.typeId() == QMetaType::QByteArray)
            return v;
        return text::variantToText(v);
    }
    case Kind::Int64:
        return qlonglong(argument.intValue());
    case Kind::Object:
        throw Exception(
            QStringLiteral("不支持对象类型:%1！请将其转换为 varray of byte ").arg(argument.text()));
    case Kind::Class:
        throw Exception(QStringLiteral("不支持Class类型:%1！ ").arg(QStringLiteral("vtClass")));
    case Kind::Pointer:
    case Kind::WideChar:
    case Kind::PWideChar:
    case Kind::Interface:
        return QVariant::fromValue(nullptr);
    }
    return {};
}

} // namespace cv::shell
