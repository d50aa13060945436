#include "SqliteStatement.h"

#include "DbError.h"
#include "platform/abi/Exception.h"

#include <QDateTime>

#include <sqlite3.h>

#include <cctype>

namespace cv::db {

namespace {

bool isConnectionFailure(int rc)
{
    switch (rc & 0xff) {
    case SQLITE_CANTOPEN:
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
    case SQLITE_IOERR:
    case SQLITE_MISUSE:
        return true;
    default:
        return false;
    }
}

bool isNumericType(FieldType t)
{
    switch (t) {
    case FieldType::ShortInt:
    case FieldType::Byte:
    case FieldType::SmallInt:
    case FieldType::Word:
    case FieldType::Integer:
    case FieldType::LongWord:
    case FieldType::LargeInt:
    case FieldType::AutoInc:
    case FieldType::Boolean:
    case FieldType::Single:
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::BCD:
    case FieldType::FmtBCD:
        return true;
    default:
        return false;
    }
}

void bindText(sqlite3_stmt* stmt, int index, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text64(stmt, index, utf8.constData(), sqlite3_uint64(utf8.size()),
                        SQLITE_TRANSIENT, SQLITE_UTF8);
}

// A text value for a numeric parameter binds as a number, as ADO converts
// values to the parameter's type; text that is no number stays text.
bool bindTextAsNumber(sqlite3_stmt* stmt, int index, const QString& text)
{
    bool ok = false;
    if (const qlonglong i = text.trimmed().toLongLong(&ok); ok) {
        sqlite3_bind_int64(stmt, index, i);
        return true;
    }
    if (const double d = text.trimmed().toDouble(&ok); ok) {
        sqlite3_bind_double(stmt, index, d);
        return true;
    }
    return false;
}

const char* skipComment(const char* p, const char* end)
{
    if (p + 1 < end && p[0] == '-' && p[1] == '-') {
        while (p < end && *p != '\n')
            ++p;
        return p;
    }
    if (p + 1 < end && p[0] == '/' && p[1] == '*') {
        p += 2;
        while (p + 1 < end && !(p[0] == '*' && p[1] == '/'))
            ++p;
        return p + 1 < end ? p + 2 : end;
    }
    return nullptr;
}

} // namespace

void StatementFinalizer::operator()(sqlite3_stmt* s) const
{
    sqlite3_finalize(s);
}

void throwSqliteError(sqlite3* db, int rc)
{
    const QString message =
        db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
    throw Exception(message, isConnectionFailure(rc) ? kConnectionError : kStatementError);
}

StatementHandle prepareNext(sqlite3* db, std::string_view& sql)
{
    while (!sql.empty()) {
        sqlite3_stmt* stmt = nullptr;
        const char* tail = nullptr;
        const int rc = sqlite3_prepare_v2(db, sql.data(), int(sql.size()), &stmt, &tail);
        if (rc != SQLITE_OK)
            throwSqliteError(db, rc);
        const auto used = std::size_t(tail - sql.data());
        sql.remove_prefix(used);
        if (stmt)
            return StatementHandle(stmt);
        if (used == 0)
            break;
    }
    return {};
}

bool isBlankSql(std::string_view sql)
{
    const char* p = sql.data();
    const char* end = p + sql.size();
    while (p < end) {
        if (const char* after = skipComment(p, end)) {
            p = after;
            continue;
        }
        if (!std::isspace(static_cast<unsigned char>(*p)) && *p != ';')
            return false;
        ++p;
    }
    return true;
}

void bindValue(sqlite3_stmt* stmt, int index, const Parameter& param)
{
    const QVariant& v = param.value;
    if (v.isNull()) {
        sqlite3_bind_null(stmt, index);
        return;
    }
    switch (v.typeId()) {
    case QMetaType::Bool:
        sqlite3_bind_int(stmt, index, v.toBool() ? 1 : 0);
        return;
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        sqlite3_bind_int64(stmt, index, v.toLongLong());
        return;
    case QMetaType::Float:
    case QMetaType::Double:
        sqlite3_bind_double(stmt, index, v.toDouble());
        return;
    case QMetaType::QDate:
        bindText(stmt, index, v.toDate().startOfDay().toString(u"yyyy-MM-dd HH:mm:ss.zzz"));
        return;
    case QMetaType::QDateTime:
        bindText(stmt, index, v.toDateTime().toString(u"yyyy-MM-dd HH:mm:ss.zzz"));
        return;
    case QMetaType::QTime:
        bindText(stmt, index, v.toTime().toString(u"HH:mm:ss.zzz"));
        return;
    case QMetaType::QByteArray: {
        const QByteArray bytes = v.toByteArray();
        sqlite3_bind_blob64(stmt, index, bytes.constData(), sqlite3_uint64(bytes.size()),
                            SQLITE_TRANSIENT);
        return;
    }
    default: {
        const QString text = v.toString();
        if (isNumericType(param.type) && bindTextAsNumber(stmt, index, text))
            return;
        bindText(stmt, index, text);
    }
    }
}

void bindParameters(sqlite3_stmt* stmt, const Parameters& params)
{
    const int count = sqlite3_bind_parameter_count(stmt);
    for (int i = 1; i <= count; ++i) {
        const char* name = sqlite3_bind_parameter_name(stmt, i);
        if (!name || !name[0])
            continue;
        if (const Parameter* p = findParameter(params, QString::fromUtf8(name + 1)))
            bindValue(stmt, i, *p);
    }
}

bool stepRow(sqlite3* db, sqlite3_stmt* stmt)
{
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    throwSqliteError(db, rc);
}

void stepToEnd(sqlite3* db, sqlite3_stmt* stmt)
{
    while (stepRow(db, stmt)) {
    }
}

void execFixed(sqlite3* db, const char* sql)
{
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        throwSqliteError(db, rc);
}

} // namespace cv::db
