#include "HostQueryTable.h"

#include "platform/abi/Boundary.h"
#include "platform/abi/WideString.h"

#include <QDateTime>

namespace cv::host {

using namespace corvelian;

// --- HostField --------------------------------------------------------------------

namespace {
QString textOf(const QVariant& value)
{
    if (value.isNull())
        return {};
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (value.typeId() == QMetaType::QDate)
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    return value.toString();
}
} // namespace

CvStatus CV_CALL HostField::GetAsString(CvBStr* text)
{
    return call([&] {
        requirePointer(text);
        *text = allocWide(textOf(m_value));
    });
}

CvStatus CV_CALL HostField::GetAsInteger(std::int32_t* value)
{
    return call([&] {
        requirePointer(value);
        *value = 0;
        if (m_value.isNull())
            return;
        bool ok = false;
        const qlonglong number = textOf(m_value).trimmed().toLongLong(&ok);
        if (!ok || number < INT32_MIN || number > INT32_MAX)
            throw Exception(
                QStringLiteral("字段%1的值'%2'不是有效的整数.").arg(objectName(), textOf(m_value)));
        *value = std::int32_t(number);
    });
}

// --- HostQueryTable ------------------------------------------------------------------

CvStatus CV_CALL HostQueryTable::SetSQL(const char16_t* text)
{
    return call([&] { m_sql = fromWideZ(text); });
}

CvStatus CV_CALL HostQueryTable::Open()
{
    return call([&] {
        if (!m_state->queryRunner)
            throw Exception(QStringLiteral("主程序没有数据库连接."));
        m_result = m_state->queryRunner(m_sql);
        m_row = 0;
        m_open = true;
    });
}

CvStatus CV_CALL HostQueryTable::Next()
{
    return call([&] {
        if (m_open && m_row < m_result.rows.size())
            ++m_row;
    });
}

CvStatus CV_CALL HostQueryTable::Close()
{
    return call([&] {
        m_result = {};
        m_row = 0;
        m_open = false;
    });
}

CvStatus CV_CALL HostQueryTable::GetEof(CvWordBool* eof)
{
    return call([&] {
        requirePointer(eof);
        *eof = (!m_open || m_row >= m_result.rows.size()) ? CV_TRUE : CV_FALSE_BOOL;
    });
}

void HostQueryTable::handOutField(int column, ICVField** field)
{
    if (!m_open || m_row >= m_result.rows.size())
        throw Exception(QStringLiteral("数据集没有当前记录."));
    const auto& row = m_result.rows[m_row];
    const QVariant value = column < int(row.size()) ? row[std::size_t(column)] : QVariant();
    auto* object = new HostField(m_result.columns.value(column), value);
    object->AddRef();
    *field = object;
}

CvStatus CV_CALL HostQueryTable::FieldByName(const char16_t* name, ICVField** field)
{
    return call([&] {
        requirePointer(field);
        *field = nullptr;
        const QString wanted = fromWideZ(name);
        qsizetype column = 0;
        while (column < m_result.columns.size() &&
               m_result.columns[column].compare(wanted, Qt::CaseInsensitive) != 0)
            ++column;
        if (column == m_result.columns.size())
            throw Exception(QStringLiteral("Field '%1' not found").arg(wanted));
        handOutField(int(column), field);
    });
}

CvStatus CV_CALL HostQueryTable::GetFieldCount(std::int32_t* count)
{
    return call([&] {
        requirePointer(count);
        *count = std::int32_t(m_result.columns.size());
    });
}

CvStatus CV_CALL HostQueryTable::GetField(std::int32_t index, ICVField** field)
{
    return call([&] {
        requirePointer(field);
        *field = nullptr;
        if (index < 0 || index >= m_result.columns.size())
            throw Exception(QStringLiteral("List index out of bounds (%1)").arg(index));
        handOutField(index, field);
    });
}

} // namespace cv::host
