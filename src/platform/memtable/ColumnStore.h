// Column-wise storage of a MemTable's rows. Rows live in slots that are only
// ever appended: a slot number never changes while the row exists, which is
// what bookmarks and the table's row order refer to. Fixed-width values take
// 8 bytes per cell; text and bytes go to a per-column arena of chunks that
// are never reallocated (a cell holds chunk/offset and length), and nulls to
// a bitmap.
#pragma once

#include "FieldValue.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace cv {

// An append-only array in fixed-size blocks: growing it never moves elements,
// so loading does not copy what it already stored.
template <typename T> class BlockArray {
public:
    void push_back(const T& v)
    {
        if ((m_size & kMask) == 0 && (m_size >> kBits) == m_blocks.size())
            m_blocks.push_back(std::make_unique_for_overwrite<T[]>(kBlock));
        (*this)[m_size++] = v;
    }
    T& operator[](std::size_t i) { return m_blocks[i >> kBits][i & kMask]; }
    const T& operator[](std::size_t i) const { return m_blocks[i >> kBits][i & kMask]; }
    std::size_t size() const { return m_size; }
    void truncate(std::size_t n)
    {
        m_size = std::min(m_size, n);
        m_blocks.resize((m_size + kMask) >> kBits);
    }
    void clear() { truncate(0); }
    std::size_t memoryUsage() const
    {
        return m_blocks.capacity() * sizeof(m_blocks[0]) + m_blocks.size() * kBlock * sizeof(T);
    }

private:
    static constexpr std::size_t kBits = 10;
    static constexpr std::size_t kBlock = std::size_t(1) << kBits;
    static constexpr std::size_t kMask = kBlock - 1;
    std::vector<std::unique_ptr<T[]>> m_blocks;
    std::size_t m_size = 0;
};

class Column {
public:
    explicit Column(bool variableLength) : m_variable(variableLength) {}

    bool variableLength() const { return m_variable; }

    // Loading appends one cell at a time, in slot order.
    void pushNull();
    void pushFixed(std::int64_t v);
    void pushBytes(std::string_view bytes);

    CellView cell(std::uint32_t slot) const;
    void set(std::uint32_t slot, const CellView& value);
    // Gives back the text space of a row that was deleted.
    void release(std::uint32_t slot);

    void clear();
    // Drops the cells of the newest slots (a load that failed half-way);
    // only valid while no cell has been rewritten since they were pushed.
    void truncate(std::uint32_t rows);
    std::size_t memoryUsage() const;

private:
    struct Span {
        std::uint32_t position; // chunk << kOffsetBits | offset in chunk
        std::uint32_t length;
    };
    static constexpr int kOffsetBits = 20;
    static constexpr std::size_t kMaxChunk = std::size_t(1) << kOffsetBits;

    bool isNull(std::uint32_t slot) const { return (m_nulls[slot >> 6] >> (slot & 63)) & 1u; }
    void setNullBit(std::uint32_t slot, bool null);
    void pushNullBit(bool null);
    Span appendToArena(std::string_view bytes);
    std::string_view bytesOf(Span s) const;
    void trimArenaTo(std::uint32_t rows);
    void compactArenaIfWasteful();

    bool m_variable;
    std::uint32_t m_size = 0;
    std::vector<std::uint64_t> m_nulls;
    BlockArray<std::int64_t> m_fixed;  // fixed-width columns
    BlockArray<Span> m_spans;          // variable-length columns
    std::vector<std::string> m_chunks; // capacity fixed when created
    std::size_t m_chunkLimit = 0;      // bytes the last chunk may take
    std::size_t m_arenaBytes = 0;      // bytes in use, garbage included
    std::size_t m_garbage = 0;         // arena bytes no longer referenced
};

class ColumnStore {
public:
    // Drops every row and sets the column layout.
    void reset(const std::vector<bool>& variableLength);
    void clearRows();

    std::uint32_t slotCount() const { return m_slots; }
    int columnCount() const { return int(m_columns.size()); }

    Column& column(int i) { return m_columns[std::size_t(i)]; }
    const Column& column(int i) const { return m_columns[std::size_t(i)]; }
    CellView cell(std::uint32_t slot, int col) const { return column(col).cell(slot); }

    // Call after pushing one cell to every column.
    std::uint32_t commitPushedRow() { return m_slots++; }
    // Drops the newest slots, and cells pushed for a row not yet committed.
    void truncateRows(std::uint32_t rows);
    // A new slot with the given cells (one per column).
    std::uint32_t appendRow(const std::vector<CellData>& cells);
    void releaseRow(std::uint32_t slot);

    std::size_t memoryUsage() const;

private:
    std::vector<Column> m_columns;
    std::uint32_t m_slots = 0;
};

} // namespace cv
