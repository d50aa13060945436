// A throwaway PostgreSQL cluster on a loopback port, started on first use and
// stopped when the test binary exits.
#pragma once

#include <QString>

#include <filesystem>
#include <optional>
#include <string>

class PgCluster {
public:
    // The shared cluster, started on first call.
    static PgCluster& shared();

    // Why the cluster cannot exist here (no server binaries or ODBC driver);
    // empty when it can.
    const std::string& missingReason() const { return m_missing; }
    // Why starting failed although everything is installed; empty on success.
    const std::string& startError() const { return m_error; }
    // ODBC connection string of the cluster's "postgres" database.
    QString odbcConnectionString() const;

    ~PgCluster();
    PgCluster(const PgCluster&) = delete;
    PgCluster& operator=(const PgCluster&) = delete;

private:
    PgCluster();
    void start();
    // Runs a command as the cluster's owner (root may not run the server).
    bool run(const std::string& command) const;

    std::filesystem::path m_bin;
    std::filesystem::path m_dir;
    std::string m_runAs;
    int m_port = 0;
    bool m_running = false;
    std::string m_missing;
    std::string m_error;
};

inline constexpr const char* kPsqlOdbcDriver = "/usr/lib/x86_64-linux-gnu/odbc/psqlodbcw.so";
inline constexpr const char* kSqliteOdbcDriver = "/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so";
