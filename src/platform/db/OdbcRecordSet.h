// Rows of a forward-only QSqlQuery, one QVariant per cell, converted once
// per row into the cell forms of RecordSource.
#pragma once

#include "RecordSet.h"

#include <QByteArray>
#include <QSqlQuery>

#include <memory>
#include <vector>

namespace cv::db {

class OdbcSession;

class OdbcRecordSet final : public RecordSet {
public:
    // `query` has been executed and stands before its first row.
    OdbcRecordSet(std::shared_ptr<OdbcSession> session, QSqlQuery query);

    int columnCount() const override { return int(m_columns.size()); }
    FieldDef column(int index) const override { return m_columns.at(std::size_t(index)); }
    bool atEnd() const override { return m_atEnd; }
    void next() override;
    bool isEmpty() const override { return m_empty; }

    CellKind cellKind(int index) const override { return cell(index).kind; }
    std::int64_t intValue(int index) const override;
    double realValue(int index) const override;
    std::string_view textValue(int index) const override;
    std::span<const std::uint8_t> blobValue(int index) const override;

private:
    struct Cell {
        CellKind kind = CellKind::Null;
        std::int64_t integer = 0;
        double real = 0;
        QByteArray bytes; // UTF-8 text, raw blob, or the number as text
    };

    const Cell& cell(int index) const { return m_cells.at(std::size_t(index)); }
    void describeColumns();
    void fetch();

    std::shared_ptr<OdbcSession> m_session; // outlives m_query
    QSqlQuery m_query;
    std::vector<FieldDef> m_columns;
    std::vector<Cell> m_cells;
    bool m_atEnd = false;
    bool m_empty = false;
};

} // namespace cv::db
