// A RecordSource over rows written in the test, with the kinds a driver
// would report. Can be told to fail when moving past a given row.
#pragma once

#include "platform/abi/Exception.h"
#include "platform/memtable/RecordSource.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace cv::test {

using Blob = std::vector<std::uint8_t>;
using Cell = std::variant<std::monostate, std::int64_t, double, std::string, Blob>;
using Row = std::vector<Cell>;

class FakeRecordSource : public RecordSource {
public:
    FakeRecordSource(std::vector<FieldDef> columns, std::vector<Row> rows)
        : m_columns(std::move(columns)), m_rows(std::move(rows))
    {
    }

    void failAfterRow(std::size_t row) { m_failAfter = row; }

    int columnCount() const override { return int(m_columns.size()); }
    FieldDef column(int index) const override { return m_columns[std::size_t(index)]; }
    bool atEnd() const override { return m_pos >= m_rows.size(); }
    void next() override
    {
        if (m_pos == m_failAfter)
            throw Exception(QStringLiteral("connection lost"), -2147467259);
        ++m_pos;
    }

    CellKind cellKind(int i) const override
    {
        static constexpr CellKind kinds[] = {CellKind::Null, CellKind::Integer, CellKind::Real,
                                             CellKind::Text, CellKind::Blob};
        return kinds[cell(i).index()];
    }
    std::int64_t intValue(int i) const override
    {
        if (auto* v = std::get_if<std::int64_t>(&cell(i)))
            return *v;
        return std::int64_t(realValue(i));
    }
    double realValue(int i) const override
    {
        if (auto* v = std::get_if<double>(&cell(i)))
            return *v;
        if (auto* v = std::get_if<std::int64_t>(&cell(i)))
            return double(*v);
        return 0.0;
    }
    std::string_view textValue(int i) const override
    {
        if (auto* v = std::get_if<std::string>(&cell(i)))
            return *v;
        return {};
    }
    std::span<const std::uint8_t> blobValue(int i) const override
    {
        if (auto* v = std::get_if<Blob>(&cell(i)))
            return *v;
        return {};
    }

private:
    const Cell& cell(int i) const { return m_rows[m_pos][std::size_t(i)]; }

    std::vector<FieldDef> m_columns;
    std::vector<Row> m_rows;
    std::size_t m_pos = 0;
    std::size_t m_failAfter = SIZE_MAX;
};

} // namespace cv::test
