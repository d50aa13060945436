#include "HostQueryTable.h"

#include "platform/abi/Boundary.h"
#include "platform/abi/WideString.h"

namespace cv::host {

using namespace corvelian;

// --- HostField --------------------------------------------------------------------

CvStatus CV_CALL HostField::GetVersion(double* version)
{
    return guardHostCall(m_lastError, [&] {
        requirePointer(version);
        *version = 1.0;
    });
}

CvStatus CV_CALL HostField::GetName(CvBStr* name)
{
    return guardHostCall(m_lastError, [&] {
        requirePointer(name);
        *name = allocWide(m_name);
    });
}

CvStatus CV_CALL HostField::GetLastError(CvBStr* text)
{
    if (!text)
        return CV_E_POINTER;
    *text = allocWide(m_lastError);
    return CV_OK;
}

CvStatus CV_CALL HostField::GetAsString(CvBStr* text)
{
    return guardHostCall(m_lastError, [&] {
        requirePointer(text);
        *text = allocWide(m_value.isNull() ? QString() : m_value.toString());
    });
}

CvStatus CV_CALL HostField::GetAsInteger(std::int32_t* value)
{
    return guardHostCall(m_lastError, [&] {
        requirePointer(value);
        if (m_value.isNull()) {
            *value = 0;
            return;
        }
        bool ok = false;
        const int number = m_value.toInt(&ok);
        if (!ok)
            throw Exception(
                QStringLiteral("'%1' is not a valid integer value").arg(m_value.toString()));
        *value = number;
    });
}

// --- HostQueryTable ------------------------------------------------------------------

template <class F> CvStatus HostQueryTable::call(F&& body)
{
    return guardHostCall(m_lastError, std::forward<F>(body));
}

CvStatus CV_CALL HostQueryTable::GetVersion(double* version)
{
    return call([&] {
        requirePointer(version);
        *version = 1.0;
    });
}

CvStatus CV_CALL HostQueryTable::GetName(CvBStr* name)
{
    return call([&] {
        requirePointer(name);
        *name = allocWide(QStringLiteral("QueryTable"));
    });
}

CvStatus CV_CALL HostQueryTable::GetLastError(CvBStr* text)
{
    if (!text)
        return CV_E_POINTER;
    *text = allocWide(m_lastError);
    return CV_OK;
}

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
