// Rows of an SQLite statement, read straight from the statement: no copy per
// cell, text and blobs are views into SQLite's row buffer.
#pragma once

#include "RecordSet.h"
#include "SqliteStatement.h"

#include <vector>

namespace cv::db {

class SqliteRecordSet final : public RecordSet {
public:
    // `stmt` has been stepped once; `hasRow` tells whether that step gave a row.
    SqliteRecordSet(sqlite3* db, StatementHandle stmt, bool hasRow);

    int columnCount() const override { return int(m_columns.size()); }
    FieldDef column(int index) const override { return m_columns.at(std::size_t(index)); }
    bool atEnd() const override { return m_atEnd; }
    void next() override;
    bool isEmpty() const override { return m_empty; }

    CellKind cellKind(int index) const override;
    std::int64_t intValue(int index) const override;
    double realValue(int index) const override;
    std::string_view textValue(int index) const override;
    std::span<const std::uint8_t> blobValue(int index) const override;

private:
    void describeColumns();

    sqlite3* m_db;
    StatementHandle m_stmt;
    std::vector<FieldDef> m_columns;
    bool m_atEnd;
    bool m_empty;
};

} // namespace cv::db
