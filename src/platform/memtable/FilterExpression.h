// The filter language of MemTable: comparisons of a field with a literal,
// joined by AND / OR / NOT and parentheses, e.g.
//   FCheck = 1
//   (VDZ17 <> 1 OR BCE01 = 'x') AND NOT VFK13 = NULL
// Literals: numbers, 'quoted text' ('' inside for a quote), NULL, TRUE, FALSE.
// Field names are plain identifiers or [bracketed]. "X = NULL" / "X IS NULL"
// hold for null cells and "X <> NULL" / "X IS NOT NULL" for the others; any
// other comparison with a null cell is false. A text literal ending in '*'
// compared with = or <> matches by prefix.
#pragma once

#include "FieldValue.h"

#include <QString>

#include <functional>
#include <vector>

namespace cv {

class FilterExpression {
public:
    using CellReader = std::function<CellView(int field)>;

    FilterExpression() = default;

    // Throws cv::Exception describing the first syntax error.
    static FilterExpression parse(const QString& text);

    bool isEmpty() const { return m_nodes.empty(); }

    // Resolves field names (without regard to case) and converts the literals
    // to the fields' types. Throws cv::Exception for a missing field or a
    // literal that does not fit its field.
    void bind(const std::vector<FieldDef>& fields);

    // Needs a successful bind(); an empty expression matches every row.
    bool matches(const CellReader& cell) const;

private:
    enum class Op : std::uint8_t { And, Or, Not, Compare, IsNull, NotNull };
    enum class Cmp : std::uint8_t { Eq, Ne, Lt, Gt, Le, Ge };

    struct Node {
        Op op = Op::Compare;
        Cmp cmp = Cmp::Eq;
        int left = -1;
        int right = -1;
        QString fieldName;
        QVariant literal;
        // Set by bind():
        int field = -1;
        ValueClass cls = ValueClass::None;
        CellData value;
        double number = 0; // numeric fields compare as double
        bool prefix = false;
    };

    class Parser;

    bool evaluate(int node, const CellReader& cell) const;
    bool compare(const Node& n, const CellView& cell) const;

    std::vector<Node> m_nodes;
    int m_root = -1;
};

} // namespace cv
