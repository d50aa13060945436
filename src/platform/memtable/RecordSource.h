// A forward-only source of typed rows: what a query's open result offers to
// the in-memory table when it rebuilds its structure or appends rows. The data
// access layer implements it on its record sets; reading is per cell and
// allocation-free so that large results load quickly.
#pragma once

#include "FieldType.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace cv {

// The storage class of one cell of the current row, as the driver delivers it.
enum class CellKind : std::uint8_t { Null, Integer, Real, Text, Blob };

class RecordSource {
public:
    virtual ~RecordSource() = default;

    virtual int columnCount() const = 0;
    virtual FieldDef column(int index) const = 0;

    // True while a current row exists. A freshly opened source stands on its
    // first row (or at its end when the result is empty).
    virtual bool atEnd() const = 0;
    // Moves to the next row; throws cv::Exception on a driver error.
    virtual void next() = 0;

    // Cells of the current row. Text is UTF-8, blobs are raw bytes; views stay
    // valid until next() is called. Asking for a kind other than the one
    // cellKind() reports converts as the driver would (e.g. text "12" -> 12).
    virtual CellKind cellKind(int index) const = 0;
    virtual std::int64_t intValue(int index) const = 0;
    virtual double realValue(int index) const = 0;
    virtual std::string_view textValue(int index) const = 0;
    virtual std::span<const std::uint8_t> blobValue(int index) const = 0;
};

} // namespace cv
