#include "SqliteRecordSet.h"

#include "SqliteTypes.h"

#include <sqlite3.h>

namespace cv::db {

SqliteRecordSet::SqliteRecordSet(sqlite3* db, StatementHandle stmt, bool hasRow)
    : m_db(db), m_stmt(std::move(stmt)), m_atEnd(!hasRow), m_empty(!hasRow)
{
    describeColumns();
}

void SqliteRecordSet::describeColumns()
{
    sqlite3_stmt* s = m_stmt.get();
    const int count = sqlite3_column_count(s);
    m_columns.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        const QString name = QString::fromUtf8(sqlite3_column_name(s, i));
        const char* declared = sqlite3_column_decltype(s, i);
        // Expressions carry no declared type: the first row decides.
        FieldDef def =
            declared ? fieldFromDeclaredType(name, QString::fromUtf8(declared))
                     : FieldDef{name, fieldTypeFromStorage(m_atEnd ? SQLITE_NULL
                                                                   : sqlite3_column_type(s, i))};
        // A computed column has no table behind it and cannot be written
        // back, as ADO reports such fields.
        def.readOnly = sqlite3_column_table_name(s, i) == nullptr;
        m_columns.push_back(def);
    }
}

void SqliteRecordSet::next()
{
    if (!m_atEnd)
        m_atEnd = !stepRow(m_db, m_stmt.get());
}

CellKind SqliteRecordSet::cellKind(int index) const
{
    switch (sqlite3_column_type(m_stmt.get(), index)) {
    case SQLITE_INTEGER:
        return CellKind::Integer;
    case SQLITE_FLOAT:
        return CellKind::Real;
    case SQLITE_TEXT:
        return CellKind::Text;
    case SQLITE_BLOB:
        return CellKind::Blob;
    default:
        return CellKind::Null;
    }
}

std::int64_t SqliteRecordSet::intValue(int index) const
{
    return sqlite3_column_int64(m_stmt.get(), index);
}

double SqliteRecordSet::realValue(int index) const
{
    return sqlite3_column_double(m_stmt.get(), index);
}

std::string_view SqliteRecordSet::textValue(int index) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt.get(), index));
    const int bytes = sqlite3_column_bytes(m_stmt.get(), index);
    return text ? std::string_view(text, std::size_t(bytes)) : std::string_view();
}

std::span<const std::uint8_t> SqliteRecordSet::blobValue(int index) const
{
    const auto* data = static_cast<const std::uint8_t*>(sqlite3_column_blob(m_stmt.get(), index));
    const int bytes = sqlite3_column_bytes(m_stmt.get(), index);
    return data ? std::span<const std::uint8_t>(data, std::size_t(bytes))
                : std::span<const std::uint8_t>();
}

} // namespace cv::db
