// How field values are held in a MemTable and converted to and from QVariant.
//
// Every cell is either one 8-byte slot or a byte string:
//   integers, booleans       int64
//   Single, Float, FmtBCD    double (bit pattern in the slot)
//   Currency, BCD            int64 fixed point, value * 10000 (Delphi's Currency)
//   Date, DateTime, TimeStamp  milliseconds since 1970-01-01 00:00 of the wall-clock
//                            date-time (no time zone; Date at midnight)
//   Time                     milliseconds since midnight
//   text kinds, Guid         UTF-8 bytes
//   Bytes, VarBytes, Blob, Graphic  raw bytes
#pragma once

#include "FieldType.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <optional>
#include <string_view>

namespace cv {

enum class ValueClass : std::uint8_t {
    None, // cannot be stored (Unknown)
    Integer,
    Boolean,
    Real,
    Money,
    DateTime,
    Date,
    Time,
    Text,
    Bytes,
};

ValueClass valueClass(FieldType type);
inline bool isVariableLength(ValueClass c)
{
    return c == ValueClass::Text || c == ValueClass::Bytes;
}

// A read-only look at one stored cell; `bytes` is valid until the table changes.
struct CellView {
    bool null = true;
    std::int64_t fixed = 0;
    std::string_view bytes;
};

// An owned cell: the edit buffer and converted literals.
struct CellData {
    bool null = true;
    std::int64_t fixed = 0;
    QByteArray bytes;

    CellView view() const
    {
        return {null, fixed, std::string_view(bytes.constData(), std::size_t(bytes.size()))};
    }
};

std::int64_t doubleToSlot(double v);
double slotToDouble(std::int64_t slot);

// Whether v lies in the range of an integer field type (always true for others).
bool integerFits(FieldType type, std::int64_t v);

// Text parsing shared by loading and assignment. All return nullopt when the
// text does not hold a valid value. Surrounding blanks are ignored.
std::optional<std::int64_t> parseInteger(std::string_view text);
std::optional<double> parseReal(std::string_view text);
std::optional<std::int64_t> parseMoney(std::string_view text); // scaled by 10000, exact
// "YYYY-MM-DD", "YYYY-MM-DD HH:MM[:SS[.zzz]]" (also with 'T'); msecs as above.
std::optional<std::int64_t> parseDateTime(std::string_view text);
// "HH:MM[:SS[.zzz]]" or a full date-time (its time of day).
std::optional<std::int64_t> parseTime(std::string_view text);
std::optional<bool> parseBoolean(std::string_view text);

std::int64_t dateTimeToMsecs(const QDateTime& dt);
std::int64_t dateToMsecs(QDate d);
QDateTime msecsToDateTime(std::int64_t ms);
QDate msecsToDate(std::int64_t ms);
QTime msecsToTime(std::int64_t msOfDay);
std::int64_t floorToDay(std::int64_t ms);
std::int64_t timeOfDay(std::int64_t ms);

// Converts an assigned value to the field's storage; a null or invalid QVariant
// gives null, and so does a blank string for fields other than text and bytes.
// Throws cv::Exception when it does not fit.
CellData encodeValue(const FieldDef& field, const QVariant& value);

// Converters of a stored cell (null gives an invalid QVariant, 0, "", false,
// an invalid QDateTime or no bytes); they throw cv::Exception where TField's
// AsXxx would raise (e.g. text that is not a number).
QVariant cellToVariant(FieldType type, const CellView& cell);
QString cellToString(FieldType type, const CellView& cell);
std::int64_t cellToInt64(const FieldDef& field, const CellView& cell);
double cellToDouble(const FieldDef& field, const CellView& cell);
bool cellToBoolean(const FieldDef& field, const CellView& cell);
QDateTime cellToDateTime(const FieldDef& field, const CellView& cell);
QByteArray cellToBytes(FieldType type, const CellView& cell);

// Orders two non-null cells of the same field; text compares by code point
// (UTF-8 byte order) or, when caseInsensitive, by QString's case folding.
int compareCells(ValueClass c, const CellView& a, const CellView& b, bool caseInsensitive = false);

} // namespace cv
