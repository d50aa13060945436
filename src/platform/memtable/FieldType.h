// Data types of table fields and query columns, as the data access layer
// reports them (the ADO set, named as the module's code uses them).
#pragma once

#include <QString>

#include <cstdint>

namespace cv {

enum class FieldType : std::uint8_t {
    Unknown,
    String,        // narrow text with a size
    FixedChar,
    WideString,
    FixedWideChar,
    Memo,
    FmtMemo,
    WideMemo,
    ShortInt,      // 8-bit signed
    Byte,          // 8-bit unsigned
    SmallInt,      // 16-bit signed
    Word,          // 16-bit unsigned
    Integer,       // 32-bit signed
    LongWord,      // 32-bit unsigned
    LargeInt,      // 64-bit signed
    AutoInc,
    Boolean,
    Single,
    Float,         // double
    Currency,      // fixed point, four decimals
    BCD,
    FmtBCD,
    Date,
    Time,
    DateTime,
    TimeStamp,
    Bytes,
    VarBytes,
    Blob,
    Graphic,
    Guid,
};

struct FieldDef {
    QString name;
    FieldType type = FieldType::Unknown;
    int size = 0;          // characters for text, bytes for binary, 0 otherwise
    bool readOnly = false;
    bool visible = true;
};

} // namespace cv
