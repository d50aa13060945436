// Small helpers over sqlite3 statements shared by the SQLite driver and its
// procedure support. Internal to the layer.
#pragma once

#include "Parameter.h"

#include <memory>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace cv::db {

struct StatementFinalizer {
    void operator()(sqlite3_stmt* s) const;
};
using StatementHandle = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

// Throws cv::Exception with the connection's message: kConnectionError for
// errors that leave the database unusable, kStatementError otherwise.
[[noreturn]] void throwSqliteError(sqlite3* db, int rc);

// Prepares the next statement of `sql` and advances it past that statement.
// Null when only blanks and comments remain.
StatementHandle prepareNext(sqlite3* db, std::string_view& sql);

// True when the text holds no statement: blanks, ';' and comments only.
bool isBlankSql(std::string_view sql);

// Binds parameters by name (":name", "@name"; case-insensitive). Names
// without a parameter stay NULL.
void bindParameters(sqlite3_stmt* stmt, const Parameters& params);
void bindValue(sqlite3_stmt* stmt, int index, const Parameter& param);

// Steps once; true on a row, false when done; throws on error.
bool stepRow(sqlite3* db, sqlite3_stmt* stmt);
void stepToEnd(sqlite3* db, sqlite3_stmt* stmt);

// Runs a fixed statement without parameters (SAVEPOINT, ROLLBACK, ...).
void execFixed(sqlite3* db, const char* sql);

} // namespace cv::db
