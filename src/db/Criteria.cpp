#include "db/Criteria.h"

#include "db/Database.h"
#include "db/JetLike.h"
#include "db/SqlValues.h"
#include "platform/VbError.h"

#include <algorithm>
#include <optional>

namespace db::detail {

namespace {

enum class Tri { False, True, Null };

// Brackets, NOT and chains of AND and OR nest the criterion; evaluating and freeing it recurse as
// deep. No real criterion comes near this, and a deeper one is refused like any unreadable text
// instead of overflowing the stack.
constexpr int MaxCriteriaDepth = 200;

Tri triNot(Tri v)
{
    return v == Tri::Null ? Tri::Null : (v == Tri::True ? Tri::False : Tri::True);
}

struct Token
{
    enum Kind { End, Name, Number, Text, Op, LParen, RParen } kind = End;
    QString text; // name, operator, keyword (upper case) or text literal
    double number = 0;
};

} // namespace

struct Criteria::Node
{
    enum Kind { Field, Constant, And, Or, Not, Compare, Like, IsNull } kind = Constant;
    int field = -1;
    QVariant constant;
    QString op;
    std::optional<JetPattern> pattern; // a LIKE against a constant pattern, compiled once
    std::unique_ptr<Node> left, right;
    int depth = 1; // of the tree below and including this node

    QVariant value(const QVector<QVariant> &row) const
    {
        if (kind == Field)
            return field < row.size() ? row.at(field) : QVariant();
        if (kind == Constant)
            return constant;
        switch (truth(row)) {
        case Tri::True: return -1;
        case Tri::False: return 0;
        case Tri::Null: break;
        }
        return QVariant();
    }

    Tri truth(const QVector<QVariant> &row) const
    {
        switch (kind) {
        case And: {
            const Tri a = left->truth(row);
            if (a == Tri::False)
                return Tri::False;
            const Tri b = right->truth(row);
            if (b == Tri::False)
                return Tri::False;
            return (a == Tri::Null || b == Tri::Null) ? Tri::Null : Tri::True;
        }
        case Or: {
            const Tri a = left->truth(row);
            if (a == Tri::True)
                return Tri::True;
            const Tri b = right->truth(row);
            if (b == Tri::True)
                return Tri::True;
            return (a == Tri::Null || b == Tri::Null) ? Tri::Null : Tri::False;
        }
        case Not: return triNot(left->truth(row));
        case IsNull: {
            const bool isNull = left->value(row).isNull();
            return (isNull != (op == QLatin1String("NOT"))) ? Tri::True : Tri::False;
        }
        case Like: {
            const QVariant v = left->value(row);
            if (v.isNull())
                return Tri::Null;
            bool hit = false;
            if (pattern) {
                hit = pattern->matches(textOf(v));
            } else {
                const QVariant p = right->value(row);
                if (p.isNull())
                    return Tri::Null;
                const auto compiled = JetPattern::compile(textOf(p));
                hit = compiled && compiled->matches(textOf(v));
            }
            return (hit != (op == QLatin1String("NOT"))) ? Tri::True : Tri::False;
        }
        case Compare: {
            const auto c = compareValues(left->value(row), right->value(row));
            if (!c)
                return Tri::Null;
            bool r = false;
            if (op == QLatin1String("="))
                r = *c == 0;
            else if (op == QLatin1String("<>"))
                r = *c != 0;
            else if (op == QLatin1String("<"))
                r = *c < 0;
            else if (op == QLatin1String(">"))
                r = *c > 0;
            else if (op == QLatin1String("<="))
                r = *c <= 0;
            else if (op == QLatin1String(">="))
                r = *c >= 0;
            return r ? Tri::True : Tri::False;
        }
        case Field:
        case Constant: {
            const auto n = numberOf(value(row));
            if (!n)
                return value(row).isNull() ? Tri::Null : Tri::False;
            return *n != 0 ? Tri::True : Tri::False;
        }
        }
        return Tri::Null;
    }
};

namespace {

class Parser
{
public:
    Parser(const QString &text, const QStringList &fields) : m_text(text), m_fields(fields) { advance(); }

    std::unique_ptr<Criteria::Node> parseAll()
    {
        if (m_tok.kind == Token::End)
            syntaxError();
        auto node = parseOr();
        if (m_tok.kind != Token::End)
            syntaxError();
        return node;
    }

private:
    using NodePtr = std::unique_ptr<Criteria::Node>;

    [[noreturn]] void syntaxError() const
    {
        throw platform::VbError(
            dberr::SyntaxError,
            QStringLiteral("Syntax error (missing operator) in query expression '%1'.").arg(m_text));
    }

    bool isKeyword(const char *word) const
    {
        return m_tok.kind == Token::Name && m_tok.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0 &&
               !m_tokBracketed;
    }

    void advance()
    {
        const QString &s = m_text;
        qsizetype &i = m_at;
        while (i < s.size() && s.at(i).isSpace())
            ++i;
        m_tok = Token();
        m_tokBracketed = false;
        if (i >= s.size())
            return;
        const QChar c = s.at(i);
        if (c == u'\'' || c == u'"') {
            QString text;
            qsizetype k = i + 1;
            for (;;) {
                if (k >= s.size())
                    throw platform::VbError(dberr::SyntaxError,
                                            QStringLiteral("Syntax error in string in query expression '%1'.").arg(s));
                if (s.at(k) == c) {
                    if (k + 1 < s.size() && s.at(k + 1) == c) {
                        text += c;
                        k += 2;
                        continue;
                    }
                    break;
                }
                text += s.at(k++);
            }
            i = k + 1;
            m_tok.kind = Token::Text;
            m_tok.text = text;
            return;
        }
        if (c == u'[') {
            const qsizetype close = s.indexOf(u']', i + 1);
            if (close < 0)
                throw platform::VbError(dberr::SyntaxError,
                                        QStringLiteral("Syntax error in query expression '%1'.").arg(s));
            m_tok.kind = Token::Name;
            m_tok.text = s.mid(i + 1, close - i - 1);
            m_tokBracketed = true;
            i = close + 1;
            return;
        }
        if (c.isDigit() || (c == u'.' && i + 1 < s.size() && s.at(i + 1).isDigit())) {
            qsizetype k = i;
            while (k < s.size() && s.at(k).isDigit())
                ++k;
            if (k < s.size() && s.at(k) == u'.') {
                ++k;
                while (k < s.size() && s.at(k).isDigit())
                    ++k;
            }
            if (k < s.size() && (s.at(k) == u'e' || s.at(k) == u'E')) {
                qsizetype e = k + 1;
                if (e < s.size() && (s.at(e) == u'+' || s.at(e) == u'-'))
                    ++e;
                if (e < s.size() && s.at(e).isDigit()) {
                    k = e;
                    while (k < s.size() && s.at(k).isDigit())
                        ++k;
                }
            }
            if (k < s.size() && (s.at(k).isLetter() || s.at(k) == u'_'))
                syntaxError();
            m_tok.kind = Token::Number;
            m_tok.number = s.mid(i, k - i).toDouble();
            m_tok.text = s.mid(i, k - i);
            i = k;
            return;
        }
        if (c.isLetter() || c == u'_') {
            qsizetype k = i;
            while (k < s.size() && (s.at(k).isLetterOrNumber() || s.at(k) == u'_' || s.at(k) == u'.'))
                ++k;
            m_tok.kind = Token::Name;
            m_tok.text = s.mid(i, k - i);
            i = k;
            return;
        }
        if (c == u'(' || c == u')') {
            m_tok.kind = c == u'(' ? Token::LParen : Token::RParen;
            ++i;
            return;
        }
        static const char *const ops[] = {"<>", "<=", ">=", "=", "<", ">", "-", "+"};
        for (const char *op : ops) {
            const QLatin1String o(op);
            if (s.mid(i, o.size()) == o) {
                m_tok.kind = Token::Op;
                m_tok.text = QString(o);
                i += o.size();
                return;
            }
        }
        syntaxError();
    }

    NodePtr binary(Criteria::Node::Kind kind, NodePtr l, NodePtr r, const QString &op = {})
    {
        auto n = std::make_unique<Criteria::Node>();
        n->kind = kind;
        n->left = std::move(l);
        n->right = std::move(r);
        n->op = op;
        n->depth = 1 + std::max(n->left ? n->left->depth : 0, n->right ? n->right->depth : 0);
        if (n->depth > MaxCriteriaDepth)
            syntaxError();
        return n;
    }

    // Counts one level of the parser's own recursion (a bracket or a NOT) while it lasts.
    struct Nesting
    {
        explicit Nesting(Parser &parser) : m_parser(parser)
        {
            if (++m_parser.m_nesting > MaxCriteriaDepth)
                m_parser.syntaxError();
        }
        ~Nesting() { --m_parser.m_nesting; }
        Nesting(const Nesting &) = delete;
        Nesting &operator=(const Nesting &) = delete;
        Parser &m_parser;
    };

    NodePtr parseOr()
    {
        auto l = parseAnd();
        while (isKeyword("OR")) {
            advance();
            l = binary(Criteria::Node::Or, std::move(l), parseAnd());
        }
        return l;
    }

    NodePtr parseAnd()
    {
        auto l = parseNot();
        while (isKeyword("AND")) {
            advance();
            l = binary(Criteria::Node::And, std::move(l), parseNot());
        }
        return l;
    }

    NodePtr parseNot()
    {
        if (isKeyword("NOT")) {
            const Nesting level(*this);
            advance();
            return binary(Criteria::Node::Not, parseNot(), nullptr);
        }
        return parseComparison();
    }

    NodePtr parseComparison()
    {
        auto l = parseOperand();
        if (m_tok.kind == Token::Op && m_tok.text != QLatin1String("-") && m_tok.text != QLatin1String("+")) {
            const QString op = m_tok.text;
            advance();
            return binary(Criteria::Node::Compare, std::move(l), parseOperand(), op);
        }
        bool negated = false;
        if (isKeyword("NOT")) {
            negated = true;
            advance();
            if (!isKeyword("LIKE"))
                syntaxError();
        }
        if (isKeyword("LIKE")) {
            advance();
            auto r = parseOperand();
            auto n =
                binary(Criteria::Node::Like, std::move(l), std::move(r), negated ? QStringLiteral("NOT") : QString());
            if (n->right->kind == Criteria::Node::Constant && !n->right->constant.isNull()) {
                n->pattern = JetPattern::compile(textOf(n->right->constant));
                if (!n->pattern)
                    throw platform::VbError(
                        dberr::SyntaxError,
                        QStringLiteral("Invalid pattern string in query expression '%1'.").arg(m_text));
            }
            return n;
        }
        if (isKeyword("IS")) {
            advance();
            bool isNot = false;
            if (isKeyword("NOT")) {
                isNot = true;
                advance();
            }
            if (!isKeyword("NULL"))
                syntaxError();
            advance();
            return binary(Criteria::Node::IsNull, std::move(l), nullptr, isNot ? QStringLiteral("NOT") : QString());
        }
        return l;
    }

    NodePtr parseOperand()
    {
        auto n = std::make_unique<Criteria::Node>();
        if (m_tok.kind == Token::Op && (m_tok.text == QLatin1String("-") || m_tok.text == QLatin1String("+"))) {
            const bool minus = m_tok.text == QLatin1String("-");
            advance();
            if (m_tok.kind != Token::Number)
                syntaxError();
            n->constant = minus ? -m_tok.number : m_tok.number;
            advance();
            return n;
        }
        switch (m_tok.kind) {
        case Token::Number:
            n->constant = m_tok.number;
            advance();
            return n;
        case Token::Text:
            n->constant = m_tok.text;
            advance();
            return n;
        case Token::LParen: {
            const Nesting level(*this);
            advance();
            auto inner = parseOr();
            if (m_tok.kind != Token::RParen)
                syntaxError();
            advance();
            return inner;
        }
        case Token::Name: {
            if (!m_tokBracketed) {
                if (isKeyword("NULL")) {
                    advance();
                    return n;
                }
                if (isKeyword("TRUE") || isKeyword("FALSE")) {
                    n->constant = isKeyword("TRUE") ? -1 : 0;
                    advance();
                    return n;
                }
                static const char *const reserved[] = {"AND", "OR", "NOT", "LIKE", "IS"};
                for (const char *word : reserved)
                    if (isKeyword(word))
                        syntaxError();
            }
            n->kind = Criteria::Node::Field;
            n->field = fieldIndex(m_tok.text);
            advance();
            return n;
        }
        default: syntaxError();
        }
    }

    int fieldIndex(const QString &name) const
    {
        QString plain = name;
        for (int pass = 0; pass < 2; ++pass) {
            for (int i = 0; i < m_fields.size(); ++i)
                if (m_fields.at(i).compare(plain, Qt::CaseInsensitive) == 0)
                    return i;
            // "table.field" names the field of the one table a recordset reads.
            const qsizetype dot = plain.lastIndexOf(u'.');
            if (dot < 0)
                break;
            plain = plain.mid(dot + 1);
        }
        throw platform::VbError(
            dberr::UnknownName,
            QStringLiteral("The database engine does not recognize '%1' as a valid field name or expression.")
                .arg(name));
    }

    QString m_text;
    QStringList m_fields;
    qsizetype m_at = 0;
    int m_nesting = 0;
    Token m_tok;
    bool m_tokBracketed = false;
};

} // namespace

Criteria::Criteria(const QString &text, const QStringList &fieldNames)
{
    Parser parser(text, fieldNames);
    m_root = parser.parseAll();
}

Criteria::~Criteria() = default;
Criteria::Criteria(Criteria &&) noexcept = default;

bool Criteria::matches(const QVector<QVariant> &row) const
{
    return m_root->truth(row) == Tri::True;
}

} // namespace db::detail
