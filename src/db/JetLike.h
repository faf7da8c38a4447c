#pragma once

#include <QString>
#include <QVector>
#include <optional>
#include <string_view>

struct sqlite3;

namespace db::detail {

// A LIKE pattern in the engine's form: "*" any run, "?" one character, "#" one digit, "[abc]",
// "[a-z]" and "[!abc]" character lists. Matching ignores letter case.
class JetPattern
{
public:
    // Nothing when the pattern cannot be read (a "[" without its "]").
    static std::optional<JetPattern> compile(const QString &pattern);
    bool matches(const QString &text) const;
    // The same answer for a text of ASCII characters only (no byte above 127), read as it is stored:
    // the rows' texts need no conversion and no case folding beyond A-Z.
    bool matchesAscii(std::string_view text) const;

private:
    struct Range
    {
        QChar from, to;
    };
    struct Token
    {
        enum Kind { Literal, AnyChar, Digit, AnyRun, List } kind = Literal;
        QChar ch;
        bool negate = false;
        QVector<Range> ranges;
    };
    bool matchOne(const Token &token, QChar c) const;
    template <typename CharAt>
    bool matchText(qsizetype size, CharAt charAt) const;

    QVector<Token> m_tokens;
};

// Registers the engine's LIKE as the SQL function "like" on a connection.
bool registerJetLike(::sqlite3 *db);

// Registers "shortdate(value)": a stored date as the text the engine compares it as, the regional
// short date the grids show ("15/03/2010" in a British locale). Other values pass unchanged, Null
// stays Null. A criterion on a date column reads "shortdate(field) like '*...*'".
bool registerShortDate(::sqlite3 *db);

} // namespace db::detail
