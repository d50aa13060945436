#include "SqliteTypes.h"

#include <QStringList>

#include <sqlite3.h>

#include <array>
#include <utility>

namespace cv::db {

namespace {

struct TypeName {
    const char* name;
    FieldType type;
};

// Exact type names, SQL Server's and SQLite's, upper case.
constexpr std::array kTypeNames{
    TypeName{"INT", FieldType::Integer},
    TypeName{"INTEGER", FieldType::Integer},
    TypeName{"MEDIUMINT", FieldType::Integer},
    TypeName{"BIGINT", FieldType::LargeInt},
    TypeName{"INT8", FieldType::LargeInt},
    TypeName{"SMALLINT", FieldType::SmallInt},
    TypeName{"INT2", FieldType::SmallInt},
    TypeName{"TINYINT", FieldType::Byte},
    TypeName{"BIT", FieldType::Boolean},
    TypeName{"BOOLEAN", FieldType::Boolean},
    TypeName{"BOOL", FieldType::Boolean},
    TypeName{"REAL", FieldType::Float},
    TypeName{"FLOAT", FieldType::Float},
    TypeName{"DOUBLE", FieldType::Float},
    TypeName{"DOUBLE PRECISION", FieldType::Float},
    TypeName{"MONEY", FieldType::Currency},
    TypeName{"SMALLMONEY", FieldType::Currency},
    TypeName{"CURRENCY", FieldType::Currency},
    TypeName{"NUMERIC", FieldType::BCD},
    TypeName{"DECIMAL", FieldType::BCD},
    TypeName{"DATE", FieldType::Date},
    TypeName{"TIME", FieldType::Time},
    TypeName{"DATETIME", FieldType::DateTime},
    TypeName{"DATETIME2", FieldType::DateTime},
    TypeName{"SMALLDATETIME", FieldType::DateTime},
    TypeName{"TIMESTAMP", FieldType::DateTime},
    TypeName{"VARCHAR", FieldType::String},
    TypeName{"CHARACTER VARYING", FieldType::String},
    TypeName{"CHAR", FieldType::FixedChar},
    TypeName{"CHARACTER", FieldType::FixedChar},
    TypeName{"NVARCHAR", FieldType::WideString},
    TypeName{"NCHAR", FieldType::FixedWideChar},
    TypeName{"TEXT", FieldType::WideString},
    TypeName{"CLOB", FieldType::WideMemo},
    TypeName{"NTEXT", FieldType::WideMemo},
    TypeName{"XML", FieldType::WideMemo},
    TypeName{"BLOB", FieldType::Blob},
    TypeName{"IMAGE", FieldType::Blob},
    TypeName{"VARBINARY", FieldType::Blob},
    TypeName{"BINARY", FieldType::Bytes},
    TypeName{"UNIQUEIDENTIFIER", FieldType::Guid},
    TypeName{"GUID", FieldType::Guid},
};

// SQLite's affinity rules for names it does not know exactly.
FieldType typeByAffinity(const QString& name)
{
    if (name.isEmpty())
        return FieldType::Unknown;
    if (name.contains(QLatin1StringView("INT")))
        return FieldType::LargeInt;
    if (name.contains(QLatin1StringView("CHAR")) || name.contains(QLatin1StringView("TEXT")))
        return FieldType::WideString;
    if (name.contains(QLatin1StringView("CLOB")))
        return FieldType::WideMemo;
    if (name.contains(QLatin1StringView("BLOB")))
        return FieldType::Blob;
    return FieldType::Float;
}

bool isText(FieldType t)
{
    return t == FieldType::String || t == FieldType::FixedChar || t == FieldType::WideString ||
           t == FieldType::FixedWideChar;
}

// "DECIMAL(18, 6)" -> {"DECIMAL", ["18", "6"]}
std::pair<QString, QStringList> splitTypeName(QStringView declared)
{
    const qsizetype open = declared.indexOf(u'(');
    const QString base =
        declared.left(open < 0 ? declared.size() : open).toString().simplified().toUpper();
    QStringList args;
    if (open >= 0) {
        const qsizetype close = declared.indexOf(u')', open);
        const QStringView inner = declared.mid(open + 1, close < 0 ? -1 : close - open - 1);
        for (const QString& a : inner.toString().split(u','))
            args.append(a.trimmed().toUpper());
    }
    return {base, args};
}

} // namespace

FieldDef fieldFromDeclaredType(const QString& name, QStringView declaredType)
{
    const auto [base, args] = splitTypeName(declaredType);
    FieldDef def;
    def.name = name;
    def.type = typeByAffinity(base);
    for (const TypeName& t : kTypeNames)
        if (base == QLatin1StringView(t.name))
            def.type = t.type;
    const bool max = !args.isEmpty() && args.first() == QLatin1StringView("MAX");
    if (max && isText(def.type))
        def.type = def.type == FieldType::String ? FieldType::Memo : FieldType::WideMemo;
    else if (max && def.type == FieldType::Bytes)
        def.type = FieldType::Blob;
    else if (!args.isEmpty() && (isText(def.type) || def.type == FieldType::Bytes))
        def.size = args.first().toInt();
    else if (args.size() > 1 && def.type == FieldType::BCD)
        def.size = args.at(1).toInt(); // the scale, as ADO gives it for BCD fields
    if (def.type == FieldType::Guid)
        def.size = 38;
    return def;
}

FieldType fieldTypeFromStorage(int storageClass)
{
    switch (storageClass) {
    case SQLITE_INTEGER:
        return FieldType::LargeInt;
    case SQLITE_FLOAT:
        return FieldType::Float;
    case SQLITE_BLOB:
        return FieldType::Blob;
    default:
        return FieldType::WideString;
    }
}

} // namespace cv::db
