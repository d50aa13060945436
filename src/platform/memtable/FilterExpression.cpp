#include "FilterExpression.h"

#include "platform/abi/Exception.h"

namespace cv {
namespace {

enum class Tok { End, Ident, Number, Text, Cmp, LParen, RParen };

struct Token {
    Tok kind = Tok::End;
    QString text;
    qsizetype pos = 0;
};

bool isKeyword(const Token& t, const char* word)
{
    return t.kind == Tok::Ident && t.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

bool isNumericClass(ValueClass c)
{
    return c == ValueClass::Integer || c == ValueClass::Boolean || c == ValueClass::Real ||
           c == ValueClass::Money;
}

double numericValue(ValueClass c, const CellView& cell)
{
    switch (c) {
    case ValueClass::Real:
        return slotToDouble(cell.fixed);
    case ValueClass::Money:
        return double(cell.fixed) / 10000.0;
    default:
        return double(cell.fixed);
    }
}

} // namespace

class FilterExpression::Parser {
public:
    Parser(const QString& text, FilterExpression& out) : m_text(text), m_out(out) { advance(); }

    void parseAll()
    {
        if (m_tok.kind == Tok::End)
            return;
        m_out.m_root = parseOr();
        if (m_tok.kind != Tok::End)
            fail(QStringLiteral("unexpected '%1'").arg(m_tok.text));
    }

private:
    [[noreturn]] void fail(const QString& what) const
    {
        throw Exception(QStringLiteral("Invalid filter expression \"%1\": %2 at position %3")
                            .arg(m_text, what)
                            .arg(m_tok.pos + 1));
    }

    int add(Node n)
    {
        m_out.m_nodes.push_back(std::move(n));
        return int(m_out.m_nodes.size()) - 1;
    }

    int binary(Op op, int left, int right)
    {
        Node n;
        n.op = op;
        n.left = left;
        n.right = right;
        return add(std::move(n));
    }

    int parseOr()
    {
        int left = parseAnd();
        while (isKeyword(m_tok, "OR")) {
            advance();
            left = binary(Op::Or, left, parseAnd());
        }
        return left;
    }

    int parseAnd()
    {
        int left = parseNot();
        while (isKeyword(m_tok, "AND")) {
            advance();
            left = binary(Op::And, left, parseNot());
        }
        return left;
    }

    int parseNot()
    {
        if (isKeyword(m_tok, "NOT")) {
            advance();
            return binary(Op::Not, parseNot(), -1);
        }
        if (m_tok.kind == Tok::LParen) {
            advance();
            const int inner = parseOr();
            if (m_tok.kind != Tok::RParen)
                fail(QStringLiteral("')' expected"));
            advance();
            return inner;
        }
        return parseComparison();
    }

    struct Operand {
        bool isField = false;
        QString field;
        QVariant literal; // invalid QVariant = NULL
    };

    Operand parseOperand()
    {
        Operand o;
        switch (m_tok.kind) {
        case Tok::Number: {
            bool ok = false;
            const qlonglong i = m_tok.text.toLongLong(&ok);
            o.literal = ok ? QVariant(i) : QVariant(m_tok.text.toDouble());
            break;
        }
        case Tok::Text:
            o.literal = m_tok.text;
            break;
        case Tok::Ident:
            if (isKeyword(m_tok, "TRUE") || isKeyword(m_tok, "FALSE"))
                o.literal = isKeyword(m_tok, "TRUE");
            else if (!isKeyword(m_tok, "NULL"))
                o = Operand{true, m_tok.text, {}};
            break;
        default:
            fail(m_tok.kind == Tok::End ? QStringLiteral("field or value expected")
                                        : QStringLiteral("unexpected '%1'").arg(m_tok.text));
        }
        advance();
        return o;
    }

    static Cmp comparison(const QString& op)
    {
        if (op == QLatin1String("="))
            return Cmp::Eq;
        if (op == QLatin1String("<>") || op == QLatin1String("!="))
            return Cmp::Ne;
        if (op == QLatin1String("<"))
            return Cmp::Lt;
        if (op == QLatin1String(">"))
            return Cmp::Gt;
        if (op == QLatin1String("<="))
            return Cmp::Le;
        return Cmp::Ge;
    }

    static Cmp mirrored(Cmp c)
    {
        switch (c) {
        case Cmp::Lt:
            return Cmp::Gt;
        case Cmp::Gt:
            return Cmp::Lt;
        case Cmp::Le:
            return Cmp::Ge;
        case Cmp::Ge:
            return Cmp::Le;
        default:
            return c;
        }
    }

    int parseIsNull(const Operand& left)
    {
        advance();
        const bool negated = isKeyword(m_tok, "NOT");
        if (negated)
            advance();
        if (!isKeyword(m_tok, "NULL"))
            fail(QStringLiteral("NULL expected"));
        advance();
        Node n;
        n.op = negated ? Op::NotNull : Op::IsNull;
        n.fieldName = left.field;
        return add(std::move(n));
    }

    int parseComparison()
    {
        Operand left = parseOperand();
        if (left.isField && isKeyword(m_tok, "IS"))
            return parseIsNull(left);
        if (m_tok.kind != Tok::Cmp)
            fail(QStringLiteral("comparison operator expected"));
        Cmp cmp = comparison(m_tok.text);
        advance();
        Operand right = parseOperand();
        if (left.isField == right.isField)
            fail(QStringLiteral("a comparison needs one field and one value"));
        if (!left.isField) {
            std::swap(left, right);
            cmp = mirrored(cmp);
        }
        Node n;
        n.fieldName = left.field;
        if (!right.literal.isValid()) {
            if (cmp != Cmp::Eq && cmp != Cmp::Ne)
                fail(QStringLiteral("NULL can only be compared with = or <>"));
            n.op = cmp == Cmp::Eq ? Op::IsNull : Op::NotNull;
        } else {
            n.op = Op::Compare;
            n.cmp = cmp;
            n.literal = right.literal;
        }
        return add(std::move(n));
    }

    void advance()
    {
        while (m_pos < m_text.size() && m_text[m_pos].isSpace())
            ++m_pos;
        m_tok = Token{Tok::End, {}, m_pos};
        if (m_pos >= m_text.size())
            return;
        const QChar c = m_text[m_pos];
        if (c == QLatin1Char('('))
            single(Tok::LParen);
        else if (c == QLatin1Char(')'))
            single(Tok::RParen);
        else if (c == QLatin1Char('\''))
            readText();
        else if (c == QLatin1Char('['))
            readBracketed();
        else if (c.isDigit() || c == QLatin1Char('.') ||
                 (c == QLatin1Char('-') && m_pos + 1 < m_text.size() &&
                  (m_text[m_pos + 1].isDigit() || m_text[m_pos + 1] == QLatin1Char('.'))))
            readNumber();
        else if (QStringLiteral("=<>!").contains(c))
            readOperator();
        else if (c.isLetter() || c == QLatin1Char('_'))
            readIdent();
        else
            fail(QStringLiteral("unexpected character '%1'").arg(c));
    }

    void single(Tok kind)
    {
        m_tok.kind = kind;
        m_tok.text = m_text[m_pos++];
    }

    void readText()
    {
        QString value;
        ++m_pos;
        for (;;) {
            if (m_pos >= m_text.size())
                fail(QStringLiteral("unterminated string"));
            const QChar c = m_text[m_pos++];
            if (c != QLatin1Char('\'')) {
                value += c;
            } else if (m_pos < m_text.size() && m_text[m_pos] == QLatin1Char('\'')) {
                value += c;
                ++m_pos;
            } else {
                break;
            }
        }
        m_tok.kind = Tok::Text;
        m_tok.text = value;
    }

    void readBracketed()
    {
        const qsizetype close = m_text.indexOf(QLatin1Char(']'), m_pos);
        if (close < 0)
            fail(QStringLiteral("']' expected"));
        m_tok.kind = Tok::Ident;
        m_tok.text = m_text.mid(m_pos + 1, close - m_pos - 1);
        m_pos = close + 1;
    }

    void readNumber()
    {
        const qsizetype start = m_pos++;
        while (m_pos < m_text.size() &&
               (m_text[m_pos].isDigit() || m_text[m_pos] == QLatin1Char('.')))
            ++m_pos;
        m_tok.kind = Tok::Number;
        m_tok.text = m_text.mid(start, m_pos - start);
        bool ok = false;
        m_tok.text.toDouble(&ok);
        if (!ok)
            fail(QStringLiteral("invalid number '%1'").arg(m_tok.text));
    }

    void readOperator()
    {
        const qsizetype start = m_pos++;
        if (m_pos < m_text.size() &&
            (m_text[m_pos] == QLatin1Char('=') ||
             (m_text[start] == QLatin1Char('<') && m_text[m_pos] == QLatin1Char('>'))))
            ++m_pos;
        m_tok.kind = Tok::Cmp;
        m_tok.text = m_text.mid(start, m_pos - start);
        if (m_tok.text == QLatin1String("!") || m_tok.text == QLatin1String("=="))
            fail(QStringLiteral("unknown operator '%1'").arg(m_tok.text));
    }

    void readIdent()
    {
        const qsizetype start = m_pos++;
        while (m_pos < m_text.size() &&
               (m_text[m_pos].isLetterOrNumber() || m_text[m_pos] == QLatin1Char('_')))
            ++m_pos;
        m_tok.kind = Tok::Ident;
        m_tok.text = m_text.mid(start, m_pos - start);
    }

    const QString& m_text;
    FilterExpression& m_out;
    qsizetype m_pos = 0;
    Token m_tok;
};

FilterExpression FilterExpression::parse(const QString& text)
{
    FilterExpression expr;
    Parser(text, expr).parseAll();
    return expr;
}

void FilterExpression::bind(const std::vector<FieldDef>& fields)
{
    for (Node& n : m_nodes) {
        if (n.op != Op::Compare && n.op != Op::IsNull && n.op != Op::NotNull)
            continue;
        n.field = -1;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (fields[i].name.compare(n.fieldName, Qt::CaseInsensitive) == 0)
                n.field = int(i);
        }
        if (n.field < 0)
            throw Exception(QStringLiteral("Field '%1' not found").arg(n.fieldName));
        const FieldDef& def = fields[std::size_t(n.field)];
        n.cls = valueClass(def.type);
        if (n.op != Op::Compare)
            continue;
        if (isNumericClass(n.cls)) {
            FieldDef asReal = def;
            asReal.type = FieldType::Float;
            n.number = slotToDouble(encodeValue(asReal, n.literal).fixed);
            continue;
        }
        QVariant literal = n.literal;
        const bool text = literal.typeId() == QMetaType::QString;
        n.prefix = text && n.cls == ValueClass::Text && (n.cmp == Cmp::Eq || n.cmp == Cmp::Ne) &&
                   literal.toString().endsWith(QLatin1Char('*'));
        if (n.prefix)
            literal = literal.toString().chopped(1);
        n.value = encodeValue(def, literal); // '' for a date field gives null
    }
}

bool FilterExpression::matches(const CellReader& cell) const
{
    return m_root < 0 || evaluate(m_root, cell);
}

bool FilterExpression::evaluate(int index, const CellReader& cell) const
{
    const Node& n = m_nodes[std::size_t(index)];
    switch (n.op) {
    case Op::And:
        return evaluate(n.left, cell) && evaluate(n.right, cell);
    case Op::Or:
        return evaluate(n.left, cell) || evaluate(n.right, cell);
    case Op::Not:
        return !evaluate(n.left, cell);
    case Op::IsNull:
        return cell(n.field).null;
    case Op::NotNull:
        return !cell(n.field).null;
    case Op::Compare:
        if (!isNumericClass(n.cls) && n.value.null)
            return n.cmp == Cmp::Ne ? !cell(n.field).null : cell(n.field).null;
        return compare(n, cell(n.field));
    }
    return false;
}

bool FilterExpression::compare(const Node& n, const CellView& cell) const
{
    if (cell.null)
        return false;
    int order = 0;
    if (isNumericClass(n.cls)) {
        const double v = numericValue(n.cls, cell);
        order = v < n.number ? -1 : (v > n.number ? 1 : 0);
    } else if (n.prefix) {
        order = cell.bytes.starts_with(n.value.view().bytes) ? 0 : 1;
    } else {
        order = compareCells(n.cls, cell, n.value.view());
    }
    switch (n.cmp) {
    case Cmp::Eq:
        return order == 0;
    case Cmp::Ne:
        return order != 0;
    case Cmp::Lt:
        return order < 0;
    case Cmp::Gt:
        return order > 0;
    case Cmp::Le:
        return order <= 0;
    case Cmp::Ge:
        return order >= 0;
    }
    return false;
}

} // namespace cv
