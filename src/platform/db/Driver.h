// What a connection needs of a database driver. Internal to the layer.
#pragma once

#include "Parameter.h"
#include "RecordSet.h"

#include <QString>

#include <cstdint>

namespace cv::db {

struct Statement {
    QString text;
    // Null: the text runs as it is, without parameter binding.
    const Parameters* parameters = nullptr;
    // Seconds; negative: the connection's command time-out.
    int timeout = -1;
};

class Driver {
public:
    virtual ~Driver() = default;

    // The error source reported to listeners ("SQLite", "ODBC").
    virtual QString name() const = 0;
    virtual void setCommandTimeout(int seconds) = 0;
    // Runs the statement to its end; rows are not fetched.
    virtual void execute(const Statement& statement) = 0;
    // Runs a statement that returns rows; fails when it returns none.
    virtual RecordSetPtr open(const Statement& statement) = 0;
    // The driver's own handle, for sharing the connection in this process
    // (the sqlite3* of the embedded driver); 0 when it cannot be shared.
    virtual std::uintptr_t nativeHandle() const { return 0; }
};

} // namespace cv::db
