// The two T-SQL shapes the module sends that SQLite lacks.
//
// Stored procedures live in the database's procedure table
//   cv_procedures(name TEXT PRIMARY KEY COLLATE NOCASE, params TEXT, body TEXT)
// `params` lists the declared parameter names ("@XML,@Operate"); `body` is one
// or more SQLite statements that use them as :XML, @XML (any case). A body
// must not BEGIN or COMMIT: the call runs inside a savepoint.
#pragma once

#include "Parameter.h"

#include <QString>
#include <QStringList>

#include <optional>

struct sqlite3;

namespace cv::db {

// "EXEC name :a, 'x', @p = 5" (EXEC or EXECUTE, any case; comments ignored).
struct ProcedureCall {
    QString name;
    QStringList arguments; // SQL expressions; "@p = expr" names the parameter
};

std::optional<ProcedureCall> parseProcedureCall(const QString& text);

// "IF @@TRANCOUNT>0 ROLLBACK TRAN", any case and spacing.
bool isRollbackIfInTransaction(const QString& text);

// Rolls back the open transaction, if any.
void rollbackIfInTransaction(sqlite3* db);

// Runs the procedure's body in one savepoint; the arguments are evaluated
// with `callerParameters` bound and passed to the declared parameters by
// position (or by name). Any failure rolls the whole call back and reaches
// the caller as a statement error with the database's message.
void runProcedure(sqlite3* db, const ProcedureCall& call, const Parameters* callerParameters);

// Creates the procedure table when it is missing.
void ensureProcedureTable(sqlite3* db);

} // namespace cv::db
