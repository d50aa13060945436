#include "OdbcRecordSet.h"

#include "OdbcDriver.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>

#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>

namespace cv::db {

namespace {

// ODBC's SQL type codes, as QODBC reports them in QSqlField::typeID().
FieldType typeFromSqlType(int sqlType)
{
    switch (sqlType) {
    case SQL_BIT:
        return FieldType::Boolean;
    case SQL_TINYINT:
        return FieldType::Byte;
    case SQL_SMALLINT:
        return FieldType::SmallInt;
    case SQL_INTEGER:
        return FieldType::Integer;
    case SQL_BIGINT:
        return FieldType::LargeInt;
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE:
        return FieldType::Float;
    case SQL_DECIMAL:
    case SQL_NUMERIC:
        return FieldType::BCD;
    case SQL_TYPE_DATE:
    case SQL_DATE:
        return FieldType::Date;
    case SQL_TYPE_TIME:
    case SQL_TIME:
        return FieldType::Time;
    case SQL_TYPE_TIMESTAMP:
    case SQL_TIMESTAMP:
        return FieldType::DateTime;
    case SQL_CHAR:
        return FieldType::FixedChar;
    case SQL_VARCHAR:
        return FieldType::String;
    case SQL_LONGVARCHAR:
        return FieldType::Memo;
    case SQL_WCHAR:
        return FieldType::FixedWideChar;
    case SQL_WVARCHAR:
        return FieldType::WideString;
    case SQL_WLONGVARCHAR:
        return FieldType::WideMemo;
    case SQL_BINARY:
        return FieldType::Bytes;
    case SQL_VARBINARY:
    case SQL_LONGVARBINARY:
        return FieldType::Blob;
    case SQL_GUID:
        return FieldType::Guid;
    default:
        return FieldType::Unknown;
    }
}

bool hasSize(FieldType t)
{
    switch (t) {
    case FieldType::String:
    case FieldType::FixedChar:
    case FieldType::WideString:
    case FieldType::FixedWideChar:
    case FieldType::Bytes:
        return true;
    default:
        return false;
    }
}

void storeText(QByteArray& bytes, const QString& text)
{
    bytes = text.toUtf8();
}

} // namespace

OdbcRecordSet::OdbcRecordSet(std::shared_ptr<OdbcSession> session, QSqlQuery query)
    : m_session(std::move(session)), m_query(std::move(query))
{
    describeColumns();
    m_cells.resize(m_columns.size());
    fetch();
    m_empty = m_atEnd;
}

void OdbcRecordSet::describeColumns()
{
    const QSqlRecord record = m_query.record();
    for (int i = 0; i < record.count(); ++i) {
        const QSqlField field = record.field(i);
        FieldDef def;
        def.name = field.name();
        def.type = typeFromSqlType(field.typeID());
        if (hasSize(def.type))
            def.size = std::max(0, field.length());
        else if (def.type == FieldType::BCD)
            def.size = std::max(0, field.precision());
        else if (def.type == FieldType::Guid)
            def.size = 38;
        m_columns.push_back(def);
    }
}

void OdbcRecordSet::next()
{
    if (!m_atEnd)
        fetch();
}

void OdbcRecordSet::fetch()
{
    if (!m_query.next()) {
        if (m_query.lastError().isValid())
            throwOdbcError(m_query);
        m_atEnd = true;
        return;
    }
    for (int i = 0; i < int(m_cells.size()); ++i) {
        const QVariant v = m_query.value(i);
        Cell& c = m_cells[std::size_t(i)];
        c = Cell{};
        if (v.isNull())
            continue;
        switch (v.typeId()) {
        case QMetaType::Bool:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            c.kind = CellKind::Integer;
            c.integer = v.toLongLong();
            c.real = double(c.integer);
            c.bytes = QByteArray::number(c.integer);
            break;
        case QMetaType::Float:
        case QMetaType::Double:
            c.kind = CellKind::Real;
            c.real = v.toDouble();
            c.integer = std::int64_t(c.real);
            c.bytes = QByteArray::number(c.real, 'g', 17);
            break;
        case QMetaType::QByteArray:
            c.kind = CellKind::Blob;
            c.bytes = v.toByteArray();
            break;
        case QMetaType::QDate:
            c.kind = CellKind::Text;
            storeText(c.bytes, v.toDate().toString(u"yyyy-MM-dd"));
            break;
        case QMetaType::QTime:
            c.kind = CellKind::Text;
            storeText(c.bytes, v.toTime().toString(u"HH:mm:ss.zzz"));
            break;
        case QMetaType::QDateTime:
            c.kind = CellKind::Text;
            storeText(c.bytes, v.toDateTime().toString(u"yyyy-MM-dd HH:mm:ss.zzz"));
            break;
        default:
            c.kind = CellKind::Text;
            storeText(c.bytes, v.toString());
            c.integer = v.toLongLong();
            c.real = v.toDouble();
        }
    }
}

std::int64_t OdbcRecordSet::intValue(int index) const
{
    return cell(index).integer;
}

double OdbcRecordSet::realValue(int index) const
{
    return cell(index).real;
}

std::string_view OdbcRecordSet::textValue(int index) const
{
    const QByteArray& b = cell(index).bytes;
    return std::string_view(b.constData(), std::size_t(b.size()));
}

std::span<const std::uint8_t> OdbcRecordSet::blobValue(int index) const
{
    const QByteArray& b = cell(index).bytes;
    return {reinterpret_cast<const std::uint8_t*>(b.constData()), std::size_t(b.size())};
}

} // namespace cv::db
