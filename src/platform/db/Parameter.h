// Query parameters and execute options.
#pragma once

#include "platform/memtable/FieldType.h"

#include <QString>
#include <QVariant>

#include <vector>

namespace cv::db {

// One named parameter of a statement. A null QVariant (or an invalid one)
// binds SQL NULL; type and size guide the binding where the driver needs them.
struct Parameter {
    QString name;
    FieldType type = FieldType::Unknown;
    int size = 0;
    QVariant value;

    bool isNull() const { return value.isNull(); }
    // Sets the value and, while the type is still unknown, takes it from the value.
    void setValue(const QVariant& v);
};

using Parameters = std::vector<Parameter>;

// The parameter of `name` (case-insensitive), or nullptr.
const Parameter* findParameter(const Parameters& params, QStringView name);

// The field type that describes a value of this kind.
FieldType fieldTypeOf(const QVariant& value);

enum class ExecuteOption : unsigned {
    None = 0,
    // The statement returns no rows worth fetching: no record set is built.
    NoRecords = 1,
};

struct ExecuteOptions {
    unsigned bits = 0;

    bool has(ExecuteOption o) const { return bits & static_cast<unsigned>(o); }
    void set(ExecuteOption o, bool on = true)
    {
        bits = on ? bits | static_cast<unsigned>(o) : bits & ~static_cast<unsigned>(o);
    }
    friend bool operator==(ExecuteOptions, ExecuteOptions) = default;
};

} // namespace cv::db
