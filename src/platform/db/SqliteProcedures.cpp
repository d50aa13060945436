#include "SqliteProcedures.h"

#include "DbError.h"
#include "SqlText.h"
#include "SqliteStatement.h"
#include "platform/abi/Exception.h"

#include <QRegularExpression>

#include <sqlite3.h>

#include <memory>
#include <vector>

namespace cv::db {

namespace {

struct ValueFree {
    void operator()(sqlite3_value* v) const { sqlite3_value_free(v); }
};
using ValueHandle = std::unique_ptr<sqlite3_value, ValueFree>;

struct DeclaredParameter {
    QString name; // without '@' or ':'
    ValueHandle value;
};

QString withoutComments(const QString& text)
{
    QString out;
    for (const SqlSegment& s : splitSql(text))
        out += s.kind == SqlSegment::Kind::Comment ? QStringLiteral(" ")
                                                   : text.mid(s.position, s.length);
    return out;
}

QString bareName(QString name)
{
    name = name.trimmed();
    if (name.startsWith(u'@') || name.startsWith(u':'))
        name.remove(0, 1);
    return name;
}

// Splits at commas outside literals and parentheses.
QStringList splitArguments(const QString& text)
{
    QStringList args;
    QString current;
    int depth = 0;
    for (const SqlSegment& s : splitSql(text)) {
        const QString part = text.mid(s.position, s.length);
        if (s.kind != SqlSegment::Kind::Code) {
            current += part;
            continue;
        }
        for (const QChar c : part) {
            if (c == u'(')
                ++depth;
            else if (c == u')')
                --depth;
            if (c == u',' && depth == 0) {
                args.append(current.trimmed());
                current.clear();
            } else {
                current += c;
            }
        }
    }
    if (!current.trimmed().isEmpty() || !args.isEmpty())
        args.append(current.trimmed());
    return args;
}

std::vector<DeclaredParameter> lookUpProcedure(sqlite3* db, const QString& name, QString& body)
{
    std::string_view sql = "SELECT params, body FROM cv_procedures WHERE name = ?";
    StatementHandle stmt = prepareNext(db, sql);
    const QByteArray utf8 = name.toUtf8();
    sqlite3_bind_text(stmt.get(), 1, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    if (!stepRow(db, stmt.get()))
        throw Exception(QStringLiteral("Could not find stored procedure '%1'.").arg(name),
                        kStatementError);
    const auto text = [&](int column) {
        return QString::fromUtf8(
            reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), column)));
    };
    body = text(1);
    std::vector<DeclaredParameter> declared;
    for (const QString& p : text(0).split(u',', Qt::SkipEmptyParts))
        if (!bareName(p).isEmpty())
            declared.push_back({bareName(p), nullptr});
    return declared;
}

DeclaredParameter& declaredByName(std::vector<DeclaredParameter>& declared, const QString& name,
                                  const QString& procedure)
{
    for (DeclaredParameter& d : declared)
        if (d.name.compare(name, Qt::CaseInsensitive) == 0)
            return d;
    throw Exception(QStringLiteral("@%1 is not a parameter for procedure %2.").arg(name, procedure),
                    kStatementError);
}

// Evaluates the argument expressions in one SELECT with the caller's
// parameters bound, and hands each value to its declared parameter.
void assignArguments(sqlite3* db, const ProcedureCall& call, const Parameters* callerParameters,
                     std::vector<DeclaredParameter>& declared)
{
    if (call.arguments.isEmpty())
        return;
    static const QRegularExpression named(QStringLiteral(R"(^@(\w+)\s*=\s*(.+)$)"),
                                          QRegularExpression::DotMatchesEverythingOption);
    std::vector<DeclaredParameter*> targets;
    QStringList expressions;
    for (qsizetype i = 0; i < call.arguments.size(); ++i) {
        const QRegularExpressionMatch m = named.match(call.arguments[i]);
        if (m.hasMatch()) {
            targets.push_back(&declaredByName(declared, m.captured(1), call.name));
            expressions.append(m.captured(2));
            continue;
        }
        if (std::size_t(i) >= declared.size())
            throw Exception(
                QStringLiteral("Procedure or function %1 has too many arguments specified.")
                    .arg(call.name),
                kStatementError);
        targets.push_back(&declared[std::size_t(i)]);
        expressions.append(call.arguments[i]);
    }
    const QByteArray select = ("SELECT " + expressions.join(QStringLiteral(", "))).toUtf8();
    std::string_view sql(select.constData(), std::size_t(select.size()));
    StatementHandle stmt = prepareNext(db, sql);
    if (!stmt || !isBlankSql(sql))
        throw Exception(QStringLiteral("Invalid procedure arguments."), kStatementError);
    if (callerParameters)
        bindParameters(stmt.get(), *callerParameters);
    stepRow(db, stmt.get());
    for (std::size_t i = 0; i < targets.size(); ++i)
        targets[i]->value.reset(sqlite3_value_dup(sqlite3_column_value(stmt.get(), int(i))));
}

const DeclaredParameter* findDeclared(const std::vector<DeclaredParameter>& declared,
                                      const QString& name)
{
    for (const DeclaredParameter& d : declared)
        if (d.name.compare(name, Qt::CaseInsensitive) == 0)
            return &d;
    return nullptr;
}

// A name the procedure does not declare is an error, as in T-SQL; a declared
// parameter without argument is NULL.
void bindDeclared(sqlite3_stmt* stmt, const std::vector<DeclaredParameter>& declared,
                  const QString& procedure)
{
    const int count = sqlite3_bind_parameter_count(stmt);
    for (int i = 1; i <= count; ++i) {
        const char* name = sqlite3_bind_parameter_name(stmt, i);
        const QString bare = name ? QString::fromUtf8(name + 1) : QString();
        const DeclaredParameter* d = findDeclared(declared, bare);
        if (!d)
            throw Exception(
                QStringLiteral("Must declare the scalar variable \"@%1\" (procedure %2).")
                    .arg(bare, procedure),
                kStatementError);
        if (d->value)
            sqlite3_bind_value(stmt, i, d->value.get());
    }
}

void runBody(sqlite3* db, const QString& body, std::vector<DeclaredParameter>& declared,
             const QString& procedure)
{
    const QByteArray utf8 = body.toUtf8();
    std::string_view sql(utf8.constData(), std::size_t(utf8.size()));
    while (StatementHandle stmt = prepareNext(db, sql)) {
        bindDeclared(stmt.get(), declared, procedure);
        stepToEnd(db, stmt.get());
    }
}

// Undoes the procedure's work after a failure. A trigger's RAISE(ROLLBACK)
// may already have ended the whole transaction, savepoint included.
void rollBackCall(sqlite3* db)
{
    if (sqlite3_get_autocommit(db))
        return;
    execFixed(db, "ROLLBACK TO cv_procedure");
    execFixed(db, "RELEASE cv_procedure");
}

} // namespace

std::optional<ProcedureCall> parseProcedureCall(const QString& text)
{
    static const QRegularExpression call(
        QStringLiteral(
            R"(^\s*EXEC(?:UTE)?\s+((?:\[[^\]]+\]|[\w#$]+)(?:\.(?:\[[^\]]+\]|[\w#$]+))*)(.*?)[\s;]*$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption |
            QRegularExpression::UseUnicodePropertiesOption);
    const QRegularExpressionMatch m = call.match(withoutComments(text));
    if (!m.hasMatch())
        return std::nullopt;
    QString name = m.captured(1).split(u'.').last();
    if (name.startsWith(u'[') && name.endsWith(u']'))
        name = name.mid(1, name.size() - 2);
    return ProcedureCall{name, splitArguments(m.captured(2))};
}

bool isRollbackIfInTransaction(const QString& text)
{
    static const QRegularExpression rollback(
        QStringLiteral(R"(^\s*IF\s+@@TRANCOUNT\s*>\s*0\s+ROLLBACK\s+TRAN\s*;?\s*$)"),
        QRegularExpression::CaseInsensitiveOption);
    return rollback.match(text).hasMatch();
}

void rollbackIfInTransaction(sqlite3* db)
{
    if (!sqlite3_get_autocommit(db))
        execFixed(db, "ROLLBACK");
}

void ensureProcedureTable(sqlite3* db)
{
    execFixed(db, "CREATE TABLE IF NOT EXISTS cv_procedures("
                  "name TEXT PRIMARY KEY COLLATE NOCASE, params TEXT, body TEXT)");
}

void runProcedure(sqlite3* db, const ProcedureCall& call, const Parameters* callerParameters)
{
    ensureProcedureTable(db);
    QString body;
    std::vector<DeclaredParameter> declared = lookUpProcedure(db, call.name, body);
    assignArguments(db, call, callerParameters, declared);
    execFixed(db, "SAVEPOINT cv_procedure");
    try {
        runBody(db, body, declared, call.name);
    } catch (const Exception& e) {
        try {
            rollBackCall(db);
        } catch (const Exception& rollbackError) {
            throw Exception(e.message() + QStringLiteral("\n") + rollbackError.message(),
                            kConnectionError);
        }
        throw;
    }
    execFixed(db, "RELEASE cv_procedure");
}

} // namespace cv::db
