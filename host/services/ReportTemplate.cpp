#include "ReportTemplate.h"

#include "platform/abi/Exception.h"

#include <QDateTime>

#include <optional>

namespace cv::host {

struct ReportTemplate::Node {
    enum class Kind { Text, Value, List, Sql, SqlEmpty };
    Kind kind = Kind::Text;
    // The text, the value's name, the list index or the statement.
    QString argument;
    std::vector<Node> children;
};

namespace {

using Node = ReportTemplate::Node;
using Kind = Node::Kind;

[[noreturn]] void fail(const QString& what, qsizetype at)
{
    throw Exception(QStringLiteral("报表模板错误（第%1个字符）：%2").arg(at + 1).arg(what));
}

struct Tag {
    QString text;
    qsizetype start = 0;
};

class Parser {
public:
    explicit Parser(const QString& text) : m_text(text) {}

    // Nodes up to the closing tag of `section` ("list", "sql"; empty for the
    // whole template).
    std::vector<Node> parseUntil(const QString& section, qsizetype openedAt)
    {
        std::vector<Node> nodes;
        while (true) {
            const qsizetype open = m_text.indexOf(QLatin1String("{{"), m_pos);
            const qsizetype textEnd = open < 0 ? m_text.size() : open;
            if (textEnd > m_pos)
                nodes.push_back({Kind::Text, m_text.mid(m_pos, textEnd - m_pos), {}});
            if (open < 0) {
                m_pos = m_text.size();
                if (!section.isEmpty())
                    fail(QStringLiteral("{{#%1}} 没有对应的 {{/%1}}").arg(section), openedAt);
                return nodes;
            }
            const Tag tag = readTag(open);
            if (tag.text.startsWith(u'/')) {
                if (section.isEmpty() || tag.text.mid(1).trimmed() != section)
                    fail(QStringLiteral("多余的 {{%1}}").arg(tag.text), tag.start);
                return nodes;
            }
            if (!tag.text.startsWith(u'!'))
                nodes.push_back(nodeOf(tag));
        }
    }

private:
    Tag readTag(qsizetype open)
    {
        const qsizetype close = m_text.indexOf(QLatin1String("}}"), open + 2);
        if (close < 0)
            fail(QStringLiteral("标记缺少结尾的 }}"), open);
        m_pos = close + 2;
        return {m_text.mid(open + 2, close - open - 2).trimmed(), open};
    }

    Node nodeOf(const Tag& tag)
    {
        if (tag.text.startsWith(u'#') || tag.text.startsWith(u'^'))
            return sectionOf(tag);
        if (tag.text.isEmpty() || tag.text.contains(u' '))
            fail(QStringLiteral("无法识别的标记 {{%1}}").arg(tag.text), tag.start);
        return {Kind::Value, tag.text, {}};
    }

    Node sectionOf(const Tag& tag)
    {
        const QString body = tag.text.mid(1);
        const qsizetype space = body.indexOf(u' ');
        const QString name = space < 0 ? body : body.left(space);
        Node node;
        node.argument = space < 0 ? QString() : body.mid(space + 1).trimmed();
        const bool inverted = tag.text.startsWith(u'^');
        if (name == QLatin1String("list") && !inverted) {
            bool ok = false;
            node.argument.toInt(&ok);
            if (!ok)
                fail(QStringLiteral("{{#list}} 需要数据列表的序号"), tag.start);
            node.kind = Kind::List;
        } else if (name == QLatin1String("sql") && !node.argument.isEmpty()) {
            node.kind = inverted ? Kind::SqlEmpty : Kind::Sql;
        } else {
            fail(QStringLiteral("无法识别的段落 {{%1}}").arg(tag.text), tag.start);
        }
        node.children = parseUntil(name, tag.start);
        return node;
    }

    const QString& m_text;
    qsizetype m_pos = 0;
};

// Names in scope at one place of the template, innermost first.
struct Scope {
    const Scope* outer = nullptr;
    QStringList names;
    std::vector<QVariant> values;

    std::optional<QVariant> find(const QString& name) const
    {
        for (const Scope* s = this; s; s = s->outer)
            for (qsizetype i = 0; i < s->names.size(); ++i)
                if (s->names.at(i).compare(name, Qt::CaseInsensitive) == 0)
                    return s->values[std::size_t(i)];
        return std::nullopt;
    }
};

class Renderer {
public:
    Renderer(const ReportTemplate::Input& input, const ReportTemplate::SqlRunner& runner)
        : m_input(input), m_runner(runner)
    {
    }

    void render(const std::vector<Node>& nodes, const Scope& scope, QString& out) const
    {
        for (const Node& node : nodes)
            renderNode(node, scope, out);
    }

private:
    void renderNode(const Node& node, const Scope& scope, QString& out) const
    {
        switch (node.kind) {
        case Kind::Text:
            out += node.argument;
            break;
        case Kind::Value:
            out += ReportTemplate::valueText(lookup(node.argument, scope)).toHtmlEscaped();
            break;
        case Kind::List:
            renderList(node, scope, out);
            break;
        case Kind::Sql:
        case Kind::SqlEmpty:
            renderSql(node, scope, out);
            break;
        }
    }

    QVariant lookup(const QString& name, const Scope& scope) const
    {
        if (const std::optional<QVariant> v = scope.find(name))
            return *v;
        for (auto it = m_input.variables.begin(); it != m_input.variables.end(); ++it)
            if (it.key().compare(name, Qt::CaseInsensitive) == 0)
                return it.value();
        return {};
    }

    void renderList(const Node& node, const Scope& scope, QString& out) const
    {
        const QStringList lines = m_input.dataLists.value(node.argument.toInt());
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const Scope inner{&scope,
                              {QStringLiteral("Item"), QStringLiteral("ItemNo")},
                              {lines.at(i), int(i + 1)}};
            render(node.children, inner, out);
        }
    }

    void renderSql(const Node& node, const Scope& scope, QString& out) const
    {
        if (!m_runner)
            throw Exception(QStringLiteral("报表模板的查询段没有数据库可用."));
        const QueryResult rows =
            m_runner(node.argument, [&](const QString& name) { return lookup(name, scope); });
        if (node.kind == Kind::SqlEmpty) {
            if (rows.rows.empty())
                render(node.children, scope, out);
            return;
        }
        int number = 0;
        for (const auto& row : rows.rows) {
            Scope inner{&scope, rows.columns, row};
            inner.names.append(QStringLiteral("RowNo"));
            inner.values.push_back(++number);
            render(node.children, inner, out);
        }
    }

    const ReportTemplate::Input& m_input;
    const ReportTemplate::SqlRunner& m_runner;
};

QString numberText(double value)
{
    QString text = QString::number(value, 'f', 4);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

} // namespace

ReportTemplate ReportTemplate::parse(const QString& text)
{
    Parser parser(text);
    ReportTemplate result;
    result.m_nodes = std::make_shared<const std::vector<Node>>(parser.parseUntil(QString(), 0));
    return result;
}

QString ReportTemplate::render(const Input& input, const SqlRunner& runner) const
{
    QString out;
    if (m_nodes)
        Renderer(input, runner).render(*m_nodes, Scope{}, out);
    return out;
}

QString ReportTemplate::valueText(const QVariant& value)
{
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::QDateTime: {
        const QDateTime dt = value.toDateTime();
        return dt.time() == QTime(0, 0) ? dt.toString(QStringLiteral("yyyy-MM-dd"))
                                        : dt.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    }
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::Double:
    case QMetaType::Float:
        return numberText(value.toDouble());
    default:
        return value.toString();
    }
}

} // namespace cv::host
