// The embedded driver on the sqlite3 C API. Besides plain SQLite it runs the
// T-SQL procedure call and rollback shapes (SqliteProcedures.h) and offers
// the functions of SqliteFunctions.h.
#pragma once

#include "Driver.h"

#include <QString>

#include <memory>

struct sqlite3;

namespace cv::db {

class SqliteDriver final : public Driver {
public:
    // Opens (creating when missing) the database file; ":memory:" works.
    // Throws kConnectionError when the file cannot be opened or is no database.
    static std::unique_ptr<SqliteDriver> openFile(const QString& path, int timeoutSeconds);
    // Works on a handle owned by someone else; it is never closed here.
    static std::unique_ptr<SqliteDriver> share(sqlite3* db, int timeoutSeconds);

    struct Token {
        explicit Token() = default;
    };
    SqliteDriver(Token, sqlite3* db, bool owned, int timeoutSeconds);
    ~SqliteDriver() override;
    SqliteDriver(const SqliteDriver&) = delete;
    SqliteDriver& operator=(const SqliteDriver&) = delete;

    QString name() const override { return QStringLiteral("SQLite"); }
    void setCommandTimeout(int seconds) override;
    void execute(const Statement& statement) override;
    RecordSetPtr open(const Statement& statement) override;

    sqlite3* handle() const { return m_db; }
    std::uintptr_t nativeHandle() const override { return reinterpret_cast<std::uintptr_t>(m_db); }

private:
    void applyTimeout(int seconds);

    sqlite3* m_db;
    bool m_owned;
    int m_timeout;
};

} // namespace cv::db
