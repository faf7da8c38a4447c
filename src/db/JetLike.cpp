#include "db/JetLike.h"

#include "db/EngineErrors.h"
#include "platform/VbConv.h"

#include <QDate>
#include <QLocale>
#include <sqlite3.h>

#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

namespace db::detail {

std::optional<JetPattern> JetPattern::compile(const QString &pattern)
{
    const QString p = pattern.toCaseFolded();
    JetPattern result;
    for (qsizetype i = 0; i < p.size(); ++i) {
        Token t;
        const QChar c = p.at(i);
        if (c == u'*') {
            if (!result.m_tokens.isEmpty() && result.m_tokens.last().kind == Token::AnyRun)
                continue;
            t.kind = Token::AnyRun;
        } else if (c == u'?') {
            t.kind = Token::AnyChar;
        } else if (c == u'#') {
            t.kind = Token::Digit;
        } else if (c == u'[') {
            const qsizetype close = p.indexOf(u']', i + 1);
            if (close < 0)
                return std::nullopt;
            QString list = p.mid(i + 1, close - i - 1);
            i = close;
            if (list.isEmpty())
                continue; // "[]" stands for the empty text
            t.kind = Token::List;
            if (list.startsWith(u'!') && list.size() > 1) {
                t.negate = true;
                list.remove(0, 1);
            }
            for (qsizetype k = 0; k < list.size(); ++k) {
                if (k + 2 < list.size() && list.at(k + 1) == u'-') {
                    QChar from = list.at(k), to = list.at(k + 2);
                    if (to < from)
                        return std::nullopt;
                    t.ranges.append({from, to});
                    k += 2;
                } else {
                    t.ranges.append({list.at(k), list.at(k)});
                }
            }
        } else {
            t.kind = Token::Literal;
            t.ch = c;
        }
        result.m_tokens.append(t);
    }
    return result;
}

bool JetPattern::matchOne(const Token &token, QChar c) const
{
    switch (token.kind) {
    case Token::Literal: return token.ch == c;
    case Token::AnyChar: return true;
    case Token::Digit: return c >= u'0' && c <= u'9';
    case Token::List: {
        bool in = false;
        for (const Range &r : token.ranges)
            if (c >= r.from && c <= r.to) {
                in = true;
                break;
            }
        return in != token.negate;
    }
    case Token::AnyRun: break;
    }
    return false;
}

template <typename CharAt>
bool JetPattern::matchText(qsizetype size, CharAt charAt) const
{
    // Every token but "*" takes exactly one character, so backtracking to the last "*" suffices.
    qsizetype t = 0, k = 0, starToken = -1, starText = 0;
    const qsizetype nTokens = m_tokens.size();
    while (t < size) {
        if (k < nTokens && m_tokens[k].kind != Token::AnyRun && matchOne(m_tokens[k], charAt(t))) {
            ++t;
            ++k;
        } else if (k < nTokens && m_tokens[k].kind == Token::AnyRun) {
            starToken = k++;
            starText = t;
        } else if (starToken >= 0) {
            k = starToken + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (k < nTokens && m_tokens[k].kind == Token::AnyRun)
        ++k;
    return k == nTokens;
}

bool JetPattern::matches(const QString &input) const
{
    const QString text = input.toCaseFolded();
    return matchText(text.size(), [&text](qsizetype i) { return text.at(i); });
}

bool JetPattern::matchesAscii(std::string_view text) const
{
    // Case folding of ASCII is A-Z to a-z and nothing else.
    return matchText(qsizetype(text.size()), [text](qsizetype i) {
        const char c = text[size_t(i)];
        return QChar(char16_t(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c));
    });
}

namespace {

bool isAscii(std::string_view text)
{
    for (const char c : text)
        if (uchar(c) >= 0x80)
            return false;
    return true;
}

bool matchesValue(const JetPattern &pattern, sqlite3_value *value)
{
    if (sqlite3_value_type(value) == SQLITE_FLOAT)
        return pattern.matches(QString::number(sqlite3_value_double(value), 'g', 15));
    // Read up to the first NUL, as the conversion of the general path does.
    const std::string_view text(reinterpret_cast<const char *>(sqlite3_value_text(value)));
    if (isAscii(text))
        return pattern.matchesAscii(text);
    return pattern.matches(QString::fromUtf8(text.data(), qsizetype(text.size())));
}

void likeFunction(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    if (argc != 2)
        return sqlite3_result_error(ctx, "Wrong number of arguments to LIKE", -1);
    // SQLite calls like(pattern, text) for "text LIKE pattern".
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    // A constant pattern is compiled once per statement, not once per row.
    if (const auto *cached = static_cast<const JetPattern *>(sqlite3_get_auxdata(ctx, 0)))
        return sqlite3_result_int(ctx, matchesValue(*cached, argv[1]) ? 1 : 0);
    auto compiled = JetPattern::compile(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_value_text(argv[0]))));
    if (!compiled)
        return sqlite3_result_error_code(ctx, InvalidPatternCode);
    sqlite3_result_int(ctx, matchesValue(*compiled, argv[1]) ? 1 : 0);
    // SQLite may delete it at once; it is not touched after this call.
    sqlite3_set_auxdata(ctx, 0, new JetPattern(std::move(*compiled)),
                        [](void *p) { delete static_cast<JetPattern *>(p); });
}

// The short dates a connection made, by stored text: a search formats the same few dates for
// thousands of rows. Kept for the locale they were made in.
struct ShortDates
{
    static constexpr size_t MaxTexts = 4096;
    QLocale locale;
    std::deque<std::string> stored;                         // the keys' texts
    std::unordered_map<std::string_view, QByteArray> texts; // a null text: the value is no date and passes unchanged
    // Rows in table or index order often repeat the date of the row before.
    std::string_view lastStored;
    const QByteArray *lastText = nullptr;

    const QByteArray &textOf(std::string_view text);
    void clear();
};

QByteArray shortDateText(std::string_view stored)
{
    const QDate date =
        QDate::fromString(QString::fromUtf8(stored.data(), qsizetype(stored.size())).left(10), Qt::ISODate);
    return date.isValid() ? platform::shortDate(date).toUtf8() : QByteArray();
}

void ShortDates::clear()
{
    texts.clear();
    stored.clear();
    lastText = nullptr;
}

const QByteArray &ShortDates::textOf(std::string_view text)
{
    if (const QLocale current; current != locale) {
        clear();
        locale = current;
    }
    if (lastText && text == lastStored)
        return *lastText;
    auto found = texts.find(text);
    if (found == texts.end()) {
        if (texts.size() >= MaxTexts)
            clear();
        const std::string_view key = stored.emplace_back(text);
        found = texts.emplace(key, shortDateText(key)).first;
    }
    lastStored = found->first;
    lastText = &found->second;
    return *lastText;
}

void shortDateFunction(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    if (argc != 1)
        return sqlite3_result_error(ctx, "Wrong number of arguments to shortdate", -1);
    if (sqlite3_value_type(argv[0]) != SQLITE_TEXT)
        return sqlite3_result_value(ctx, argv[0]);
    // Dates are stored as ISO texts, with or without a time of day (read up to the first NUL).
    const std::string_view stored(reinterpret_cast<const char *>(sqlite3_value_text(argv[0])));
    const QByteArray &text = static_cast<ShortDates *>(sqlite3_user_data(ctx))->textOf(stored);
    if (text.isNull())
        return sqlite3_result_value(ctx, argv[0]);
    // With its closing NUL: a LIKE that reads the text next needs no copy of its own to add one.
    sqlite3_result_text(ctx, text.constData(), -1, SQLITE_TRANSIENT);
}

} // namespace

bool registerShortDate(sqlite3 *db)
{
    return sqlite3_create_function_v2(db, "shortdate", 1, SQLITE_UTF8, new ShortDates, shortDateFunction, nullptr,
                                      nullptr, [](void *p) { delete static_cast<ShortDates *>(p); }) == SQLITE_OK;
}

bool registerJetLike(sqlite3 *db)
{
    return sqlite3_create_function_v2(db, "like", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, likeFunction, nullptr,
                                      nullptr, nullptr) == SQLITE_OK;
}

} // namespace db::detail
