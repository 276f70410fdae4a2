#include "platform/database/TsqlRewriter.h"

#include <QSet>
#include <QStringList>

#include <algorithm>
#include <iterator>
#include <vector>

namespace oruhr::db {
namespace {

enum class Kind { Space, Comment, Literal, Word, Number, Symbol, Group };

// A token, or a parenthesised group holding its own nodes.
struct Node {
    Kind kind = Kind::Symbol;
    QString text; // for a group: empty; it is written as ( children )
    std::vector<Node> children;
    bool closed = true; // a group whose ")" was missing stays unclosed in the output
};

class Tokenizer {
public:
    explicit Tokenizer(const QString &sql)
        : m_sql(sql)
    {
    }

    std::vector<Node> parse()
    {
        std::vector<Node> nodes = parseLevel();
        while (m_pos < m_sql.size()) { // a stray ")" at the top level stays as it was written
            nodes.push_back({Kind::Symbol, QStringLiteral(")"), {}, true});
            ++m_pos;
            std::vector<Node> rest = parseLevel();
            std::move(rest.begin(), rest.end(), std::back_inserter(nodes));
        }
        return nodes;
    }

private:
    std::vector<Node> parseLevel()
    {
        std::vector<Node> nodes;
        while (m_pos < m_sql.size()) {
            const QChar c = m_sql[m_pos];
            if (c == QLatin1Char(')'))
                return nodes; // the caller consumes it
            if (c == QLatin1Char('(')) {
                ++m_pos;
                Node group{Kind::Group, {}, parseLevel(), false};
                if (m_pos < m_sql.size()) {
                    ++m_pos;
                    group.closed = true;
                }
                nodes.push_back(std::move(group));
                continue;
            }
            nodes.push_back(next());
        }
        return nodes;
    }

    Node next()
    {
        const qsizetype start = m_pos;
        const QChar c = m_sql[m_pos];
        const QChar following = m_pos + 1 < m_sql.size() ? m_sql[m_pos + 1] : QChar();
        if (c.isSpace()) {
            while (m_pos < m_sql.size() && m_sql[m_pos].isSpace())
                ++m_pos;
            return take(Kind::Space, start);
        }
        if (c == QLatin1Char('-') && following == QLatin1Char('-')) {
            const qsizetype end = m_sql.indexOf(QLatin1Char('\n'), m_pos);
            m_pos = end < 0 ? m_sql.size() : end;
            return take(Kind::Comment, start);
        }
        if (c == QLatin1Char('/') && following == QLatin1Char('*')) {
            const qsizetype end = m_sql.indexOf(QLatin1String("*/"), m_pos + 2);
            m_pos = end < 0 ? m_sql.size() : end + 2;
            return take(Kind::Comment, start);
        }
        if ((c == QLatin1Char('N') || c == QLatin1Char('n')) && following == QLatin1Char('\'')) {
            ++m_pos; // a national literal is a plain literal to SQLite
            skipQuoted(QLatin1Char('\''));
            return {Kind::Literal, m_sql.mid(start + 1, m_pos - start - 1), {}, true};
        }
        if (c == QLatin1Char('\'')) {
            skipQuoted(QLatin1Char('\''));
            return take(Kind::Literal, start);
        }
        if (c == QLatin1Char('"')) {
            skipQuoted(QLatin1Char('"'));
            return take(Kind::Word, start);
        }
        if (c == QLatin1Char('[')) {
            const qsizetype end = m_sql.indexOf(QLatin1Char(']'), m_pos);
            m_pos = end < 0 ? m_sql.size() : end + 1;
            return take(Kind::Word, start);
        }
        if (c.isDigit()) {
            while (m_pos < m_sql.size() && (m_sql[m_pos].isDigit() || m_sql[m_pos] == QLatin1Char('.')))
                ++m_pos;
            return take(Kind::Number, start);
        }
        if (isWordChar(c)) {
            while (m_pos < m_sql.size() && (isWordChar(m_sql[m_pos]) || m_sql[m_pos].isDigit()))
                ++m_pos;
            return take(Kind::Word, start);
        }
        static const QStringList pairs{QStringLiteral("<>"), QStringLiteral("<="), QStringLiteral(">="),
                                       QStringLiteral("!="), QStringLiteral("||")};
        for (const QString &pair : pairs) {
            if (QStringView(m_sql).mid(m_pos, 2) == pair) {
                m_pos += 2;
                return take(Kind::Symbol, start);
            }
        }
        ++m_pos;
        return take(Kind::Symbol, start);
    }

    static bool isWordChar(QChar c)
    {
        return c.isLetter() || c == QLatin1Char('_') || c == QLatin1Char('@') || c == QLatin1Char('#')
               || c == QLatin1Char('$');
    }

    void skipQuoted(QChar quote)
    {
        ++m_pos;
        while (m_pos < m_sql.size()) {
            if (m_sql[m_pos] == quote) {
                if (m_pos + 1 < m_sql.size() && m_sql[m_pos + 1] == quote) {
                    m_pos += 2;
                    continue;
                }
                ++m_pos;
                return;
            }
            ++m_pos;
        }
    }

    Node take(Kind kind, qsizetype start) { return {kind, m_sql.mid(start, m_pos - start), {}, true}; }

    const QString &m_sql;
    qsizetype m_pos = 0;
};

bool isWord(const Node &node, const char *word)
{
    return node.kind == Kind::Word && node.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

bool isSignificant(const Node &node)
{
    return node.kind != Kind::Space && node.kind != Kind::Comment;
}

// Index of the next significant node after i, or nodes.size().
size_t nextSignificant(const std::vector<Node> &nodes, size_t i)
{
    for (++i; i < nodes.size(); ++i)
        if (isSignificant(nodes[i]))
            return i;
    return nodes.size();
}

bool isCall(const std::vector<Node> &nodes, size_t i)
{
    const size_t next = nextSignificant(nodes, i);
    return nodes[i].kind == Kind::Word && next < nodes.size() && nodes[next].kind == Kind::Group;
}

// The first word of a convert()'s type argument, lower case, or empty.
QString convertType(const Node &group)
{
    for (const Node &child : group.children) {
        if (child.kind == Kind::Word)
            return child.text.toLower();
        if (isSignificant(child))
            return {};
    }
    return {};
}

// The type a convert() names, in the target's words; empty when it is not in the subset.
QString targetType(const QString &tsqlType, SqlDialect dialect)
{
    static const QSet<QString> integers{QStringLiteral("int"), QStringLiteral("integer"), QStringLiteral("bigint"),
                                        QStringLiteral("smallint"), QStringLiteral("tinyint"), QStringLiteral("bit")};
    static const QSet<QString> texts{QStringLiteral("varchar"), QStringLiteral("nvarchar"), QStringLiteral("char"),
                                     QStringLiteral("nchar"), QStringLiteral("text"), QStringLiteral("ntext")};
    static const QSet<QString> reals{QStringLiteral("decimal"), QStringLiteral("numeric"), QStringLiteral("float"),
                                     QStringLiteral("real"), QStringLiteral("money")};
    const bool postgres = dialect == SqlDialect::PostgreSQL;
    if (integers.contains(tsqlType))
        return postgres && tsqlType == QLatin1String("bigint") ? QStringLiteral("BIGINT") : QStringLiteral("INTEGER");
    if (texts.contains(tsqlType))
        return QStringLiteral("TEXT");
    if (reals.contains(tsqlType))
        return postgres ? QStringLiteral("NUMERIC") : QStringLiteral("REAL");
    return {};
}

bool isTextFunction(const Node &name, const Node &group)
{
    static const QSet<QString> functions{QStringLiteral("isnull"), QStringLiteral("ifnull"), QStringLiteral("ltrim"),
                                         QStringLiteral("rtrim"), QStringLiteral("upper"), QStringLiteral("lower"),
                                         QStringLiteral("substring"), QStringLiteral("replace"),
                                         QStringLiteral("left"), QStringLiteral("right")};
    const QString lower = name.text.toLower();
    if (lower == QLatin1String("convert"))
        return targetType(convertType(group), SqlDialect::SQLite) == QLatin1String("TEXT");
    return functions.contains(lower);
}

// Words and symbols that end an expression: a text + never reaches across them.
bool isBoundary(const Node &node)
{
    static const QSet<QString> keywords{
        QStringLiteral("select"), QStringLiteral("from"),   QStringLiteral("where"),  QStringLiteral("and"),
        QStringLiteral("or"),     QStringLiteral("not"),    QStringLiteral("on"),     QStringLiteral("as"),
        QStringLiteral("then"),   QStringLiteral("else"),   QStringLiteral("when"),   QStringLiteral("end"),
        QStringLiteral("case"),   QStringLiteral("in"),     QStringLiteral("like"),   QStringLiteral("is"),
        QStringLiteral("between"), QStringLiteral("order"), QStringLiteral("group"),  QStringLiteral("by"),
        QStringLiteral("having"), QStringLiteral("union"),  QStringLiteral("into"),   QStringLiteral("values"),
        QStringLiteral("set"),    QStringLiteral("exists"), QStringLiteral("distinct"), QStringLiteral("desc"),
        QStringLiteral("asc"),    QStringLiteral("join"),   QStringLiteral("all"),    QStringLiteral("top")};
    static const QSet<QString> symbols{QStringLiteral(","),  QStringLiteral("="),  QStringLiteral("<"),
                                       QStringLiteral(">"),  QStringLiteral("<>"), QStringLiteral("<="),
                                       QStringLiteral(">="), QStringLiteral("!="), QStringLiteral(";")};
    if (node.kind == Kind::Word)
        return keywords.contains(node.text.toLower());
    return node.kind == Kind::Symbol && symbols.contains(node.text);
}

// Marks the + signs of this level that join texts: every + of an expression that has a
// string literal or a text function among its operands.
std::vector<bool> textPlusSigns(const std::vector<Node> &nodes)
{
    std::vector<bool> textual(nodes.size(), false);
    size_t start = 0;
    while (start < nodes.size()) {
        size_t end = start;
        bool hasText = false;
        std::vector<size_t> pluses;
        for (; end < nodes.size(); ++end) {
            const Node &node = nodes[end];
            if (isBoundary(node))
                break;
            if (node.kind == Kind::Literal)
                hasText = true;
            else if (node.kind == Kind::Symbol && node.text == QLatin1String("+"))
                pluses.push_back(end);
            else if (isCall(nodes, end) && isTextFunction(node, nodes[nextSignificant(nodes, end)]))
                hasText = true;
        }
        if (hasText)
            for (size_t plus : pluses)
                textual[plus] = true;
        start = end + 1;
    }
    return textual;
}

QString rewriteLevel(const std::vector<Node> &nodes, SqlDialect dialect);

QString writeGroup(const Node &group, SqlDialect dialect)
{
    return QLatin1Char('(') + rewriteLevel(group.children, dialect) + (group.closed ? QStringLiteral(")") : QString());
}

bool hasParameter(const std::vector<Node> &nodes)
{
    return std::any_of(nodes.cbegin(), nodes.cend(), [](const Node &node) {
        return (node.kind == Kind::Symbol && node.text == QLatin1String("?")) || hasParameter(node.children);
    });
}

// convert(type, expr) as CAST(expr AS type); anything else is left as written.
bool writeConvert(const Node &group, SqlDialect dialect, QString &out)
{
    const QString type = targetType(convertType(group), dialect);
    if (type.isEmpty())
        return false;
    std::vector<Node> expression;
    bool afterComma = false;
    for (const Node &child : group.children) {
        if (afterComma) {
            if (child.kind == Kind::Symbol && child.text == QLatin1String(","))
                return false; // a style argument: not part of the subset
            expression.push_back(child);
        } else if (child.kind == Kind::Symbol && child.text == QLatin1String(",")) {
            afterComma = true;
        }
    }
    if (!afterComma)
        return false;
    const QString value = rewriteLevel(expression, dialect).trimmed();
    // SQL Server makes an empty or blank text 0, PostgreSQL fails on it: a code left empty
    // would stop the whole list. The value is written twice, so not with a parameter in it.
    if (dialect == SqlDialect::PostgreSQL && type != QLatin1String("NUMERIC") && type != QLatin1String("TEXT")
        && !hasParameter(expression)) {
        out += QStringLiteral("CASE WHEN trim(CAST(") + value + QStringLiteral(" AS TEXT)) = '' THEN 0 ELSE CAST(")
               + value + QStringLiteral(" AS ") + type + QStringLiteral(") END");
        return true;
    }
    out += QStringLiteral("CAST(") + value + QStringLiteral(" AS ") + type + QLatin1Char(')');
    return true;
}

// SQL Server sorts NULL before every value; PostgreSQL after, unless told. The items of an
// ORDER BY are followed until a comma or the end of the statement at their level.
class NullOrdering {
public:
    explicit NullOrdering(SqlDialect dialect)
        : m_enabled(dialect == SqlDialect::PostgreSQL)
    {
    }

    // Called before each node is written; closes the item the node ends.
    void before(const std::vector<Node> &nodes, size_t i, QString &out)
    {
        if (!m_enabled)
            return;
        const Node &node = nodes[i];
        if (!m_inItem) {
            const size_t next = nextSignificant(nodes, i);
            if (isWord(node, "order") && next < nodes.size() && isWord(nodes[next], "by"))
                m_startsOrderBy = true;
            return;
        }
        const bool comma = node.kind == Kind::Symbol && node.text == QLatin1String(",");
        if (comma || isWord(node, "union") || isWord(node, "limit") || isWord(node, "offset")
            || (node.kind == Kind::Symbol && node.text == QLatin1String(";"))) {
            finish(out);
            m_inItem = comma;
        } else if (isWord(node, "desc")) {
            m_descending = true;
        }
    }

    void after(const Node &node)
    {
        if (m_startsOrderBy && isWord(node, "by")) {
            m_startsOrderBy = false;
            m_inItem = true;
        }
    }

    void end(QString &out)
    {
        if (m_inItem)
            finish(out);
    }

private:
    void finish(QString &out)
    {
        qsizetype end = out.size();
        while (end > 0 && out[end - 1].isSpace())
            --end;
        out.insert(end, m_descending ? QStringLiteral(" NULLS LAST") : QStringLiteral(" NULLS FIRST"));
        m_descending = false;
        m_inItem = false;
    }

    bool m_enabled;
    bool m_startsOrderBy = false;
    bool m_inItem = false;
    bool m_descending = false;
};

QString rewriteLevel(const std::vector<Node> &nodes, SqlDialect dialect)
{
    const std::vector<bool> textual = textPlusSigns(nodes);
    NullOrdering ordering(dialect);
    QString out;
    for (size_t i = 0; i < nodes.size(); ++i) {
        const Node &node = nodes[i];
        const size_t next = nextSignificant(nodes, i);
        ordering.before(nodes, i, out);
        ordering.after(node);
        if (node.kind == Kind::Group) {
            out += writeGroup(node, dialect);
        } else if (isWord(node, "isnull") && isCall(nodes, i)) {
            out += dialect == SqlDialect::PostgreSQL ? QStringLiteral("coalesce") : QStringLiteral("ifnull");
        } else if (isWord(node, "convert") && isCall(nodes, i)) {
            if (writeConvert(nodes[next], dialect, out))
                i = next;
            else
                out += node.text;
        } else if (isWord(node, "delete") && next < nodes.size() && nodes[next].kind == Kind::Word
                   && !isWord(nodes[next], "from")) {
            out += node.text + QStringLiteral(" FROM");
        } else if (textual[i]) {
            out += QStringLiteral("||");
        } else {
            out += node.text;
        }
    }
    ordering.end(out);
    return out;
}

} // namespace

QString TsqlRewriter::rewrite(const QString &tsql, SqlDialect dialect)
{
    return rewriteLevel(Tokenizer(tsql).parse(), dialect);
}

} // namespace oruhr::db
