#include "ColumnStore.h"

#include "platform/abi/Exception.h"

#include <algorithm>
#include <limits>

namespace cv {
namespace {

constexpr std::size_t kCompactThreshold = 64 * 1024;
constexpr std::size_t kFirstChunk = 4096;
constexpr std::size_t kMaxChunks = std::size_t(1) << (32 - 20);

} // namespace

void Column::pushNullBit(bool null)
{
    if ((m_size & 63) == 0)
        m_nulls.push_back(0);
    if (null)
        m_nulls.back() |= std::uint64_t(1) << (m_size & 63);
    ++m_size;
}

void Column::setNullBit(std::uint32_t slot, bool null)
{
    const std::uint64_t bit = std::uint64_t(1) << (slot & 63);
    if (null)
        m_nulls[slot >> 6] |= bit;
    else
        m_nulls[slot >> 6] &= ~bit;
}

void Column::pushNull()
{
    if (m_variable)
        m_spans.push_back({0, 0});
    else
        m_fixed.push_back(0);
    pushNullBit(true);
}

void Column::pushFixed(std::int64_t v)
{
    m_fixed.push_back(v);
    pushNullBit(false);
}

void Column::pushBytes(std::string_view bytes)
{
    m_spans.push_back(appendToArena(bytes));
    pushNullBit(false);
}

Column::Span Column::appendToArena(std::string_view bytes)
{
    static_assert(kOffsetBits == 20, "kMaxChunks assumes 20 offset bits");
    if (bytes.empty())
        return {0, 0};
    if (bytes.size() > std::numeric_limits<std::uint32_t>::max())
        throw Exception(QStringLiteral("A value of more than 4 GiB cannot be stored"));
    if (m_chunks.empty() || m_chunks.back().size() + bytes.size() > m_chunkLimit) {
        if (m_chunks.size() >= kMaxChunks)
            throw Exception(QStringLiteral("Text of one column exceeds the table's storage"));
        // Chunks grow from 4 KiB to 1 MiB so that small tables stay small;
        // a larger value gets a chunk of its own.
        const std::size_t grown = kFirstChunk << std::min<std::size_t>(m_chunks.size(), 8);
        m_chunkLimit = std::max(std::min(kMaxChunk, grown), bytes.size());
        m_chunks.emplace_back().reserve(m_chunkLimit);
    }
    std::string& chunk = m_chunks.back();
    const Span span{std::uint32_t((m_chunks.size() - 1) << kOffsetBits | chunk.size()),
                    std::uint32_t(bytes.size())};
    chunk.append(bytes);
    m_arenaBytes += bytes.size();
    return span;
}

std::string_view Column::bytesOf(Span s) const
{
    if (s.length == 0)
        return {};
    const std::string& chunk = m_chunks[s.position >> kOffsetBits];
    return std::string_view(chunk).substr(s.position & (kMaxChunk - 1), s.length);
}

CellView Column::cell(std::uint32_t slot) const
{
    if (isNull(slot))
        return {};
    if (!m_variable)
        return {false, m_fixed[slot], {}};
    return {false, 0, bytesOf(m_spans[slot])};
}

void Column::set(std::uint32_t slot, const CellView& value)
{
    if (m_variable) {
        if (!isNull(slot))
            m_garbage += m_spans[slot].length;
        // The new bytes may come from this very arena, which compaction rebuilds.
        const std::string copy(value.null ? std::string_view() : value.bytes);
        m_spans[slot] = value.null ? Span{0, 0} : appendToArena(copy);
        setNullBit(slot, value.null);
        compactArenaIfWasteful();
        return;
    }
    m_fixed[slot] = value.null ? 0 : value.fixed;
    setNullBit(slot, value.null);
}

void Column::release(std::uint32_t slot)
{
    set(slot, CellView{});
}

void Column::compactArenaIfWasteful()
{
    if (m_garbage < kCompactThreshold || m_garbage * 2 < m_arenaBytes)
        return;
    const std::vector<std::string> old = std::move(m_chunks);
    m_chunks.clear();
    m_arenaBytes = 0;
    m_garbage = 0;
    for (std::uint32_t slot = 0; slot < m_size; ++slot) {
        Span& s = m_spans[slot];
        if (isNull(slot) || s.length == 0)
            continue;
        const std::string& chunk = old[s.position >> kOffsetBits];
        s = appendToArena(std::string_view(chunk).substr(s.position & (kMaxChunk - 1), s.length));
    }
}

void Column::clear()
{
    m_size = 0;
    m_garbage = 0;
    m_arenaBytes = 0;
    m_nulls = {};
    m_fixed.clear();
    m_spans.clear();
    m_chunks = {};
}

void Column::truncate(std::uint32_t rows)
{
    if (rows >= m_size)
        return;
    if (m_variable)
        trimArenaTo(rows);
    m_size = rows;
    m_fixed.truncate(rows);
    m_spans.truncate(rows);
    m_nulls.resize((rows + 63) / 64);
    if (rows & 63)
        m_nulls.back() &= (std::uint64_t(1) << (rows & 63)) - 1;
}

// Cells from `rows` on were appended last, so their bytes end the arena.
void Column::trimArenaTo(std::uint32_t rows)
{
    for (std::uint32_t slot = rows; slot < m_size; ++slot) {
        const Span s = m_spans[slot];
        if (isNull(slot) || s.length == 0)
            continue;
        const std::size_t chunkIndex = s.position >> kOffsetBits;
        for (std::size_t c = chunkIndex; c < m_chunks.size(); ++c)
            m_arenaBytes -= m_chunks[c].size();
        m_chunks.resize(chunkIndex + 1);
        m_chunks.back().resize(s.position & (kMaxChunk - 1));
        m_arenaBytes += m_chunks.back().size();
        return;
    }
}

std::size_t Column::memoryUsage() const
{
    std::size_t total = m_nulls.capacity() * sizeof(std::uint64_t) + m_fixed.memoryUsage() +
                        m_spans.memoryUsage() + m_chunks.capacity() * sizeof(std::string);
    for (const std::string& chunk : m_chunks)
        total += chunk.capacity();
    return total;
}

void ColumnStore::reset(const std::vector<bool>& variableLength)
{
    m_columns.clear();
    m_columns.reserve(variableLength.size());
    for (bool v : variableLength)
        m_columns.emplace_back(v);
    m_slots = 0;
}

void ColumnStore::clearRows()
{
    for (Column& c : m_columns)
        c.clear();
    m_slots = 0;
}

std::uint32_t ColumnStore::appendRow(const std::vector<CellData>& cells)
{
    if (m_slots == std::numeric_limits<std::uint32_t>::max())
        throw Exception(QStringLiteral("Too many rows in one table"));
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        const CellData& c = cells[i];
        if (c.null)
            m_columns[i].pushNull();
        else if (m_columns[i].variableLength())
            m_columns[i].pushBytes(c.view().bytes);
        else
            m_columns[i].pushFixed(c.fixed);
    }
    return commitPushedRow();
}

void ColumnStore::truncateRows(std::uint32_t rows)
{
    m_slots = std::min(m_slots, rows);
    for (Column& c : m_columns)
        c.truncate(m_slots);
}

void ColumnStore::releaseRow(std::uint32_t slot)
{
    for (Column& c : m_columns)
        c.release(slot);
}

std::size_t ColumnStore::memoryUsage() const
{
    std::size_t total = m_columns.capacity() * sizeof(Column);
    for (const Column& c : m_columns)
        total += c.memoryUsage();
    return total;
}

} // namespace cv
