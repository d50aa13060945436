// Error numbers of the data access layer. They follow ADO's because callers
// act on them: only a connection error closes the connection, so a statement
// the database refuses never costs the user the connection.
#pragma once

#include <QString>

#include <cstdint>

namespace cv::db {

// The statement itself failed: syntax, constraint, an error a procedure raised.
inline constexpr std::int32_t kStatementError = static_cast<std::int32_t>(0x80040E14u);
// The connection is lost, closed or cannot be opened.
inline constexpr std::int32_t kConnectionError = static_cast<std::int32_t>(0x80004005u);
// A host object offered to attach() is not a connection.
inline constexpr std::int32_t kNoInterface = static_cast<std::int32_t>(0x80004002u);

// What the after-execute notification reports of a failed command.
struct DbError {
    std::int32_t number = 0;
    QString source;
    QString description;
};

} // namespace cv::db
