#include "db/EngineErrors.h"

#include "db/Database.h"

#include <QList>

#include <algorithm>
#include <optional>
#include <sqlite3.h>

namespace db::detail {

static_assert(InvalidPatternCode == SQLITE_FORMAT);

namespace {

constexpr int UndefinedFunction = 3085;
constexpr int InvalidStatement = 3129;
constexpr int DiskError = 3043;
// Every unknown name costs two prepares; a statement has never more than a handful.
constexpr int MaxUnknownNames = 100;

struct SqlToken
{
    enum Kind { Name, Text, Other } kind = Other;
    int start = 0;
    int length = 0;
    bool quoted = false; // a name in brackets, double quotes or back quotes
    QByteArray name;     // a name without its quotes; the character of Other
};

bool isNameByte(char c)
{
    const uchar u = uchar(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_' || u == '$' ||
           u >= 0x80;
}

// SQLite's lexical rules, as far as telling names, texts and punctuation apart needs them.
QList<SqlToken> tokenize(const QByteArray &sql)
{
    QList<SqlToken> tokens;
    const int n = int(sql.size());
    int i = 0;
    while (i < n) {
        const char c = sql.at(i);
        const char next = i + 1 < n ? sql.at(i + 1) : '\0';
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v') {
            ++i;
            continue;
        }
        if (c == '-' && next == '-') {
            while (i < n && sql.at(i) != '\n')
                ++i;
            continue;
        }
        if (c == '/' && next == '*') {
            const int end = int(sql.indexOf("*/", i + 2));
            i = end < 0 ? n : end + 2;
            continue;
        }
        SqlToken token;
        token.start = i;
        if (c == '\'' || c == '"' || c == '`' || c == '[') {
            const char close = c == '[' ? ']' : c;
            int k = i + 1;
            QByteArray inner;
            while (k < n) {
                if (sql.at(k) == close) {
                    if (close != ']' && k + 1 < n && sql.at(k + 1) == close) {
                        inner += close;
                        k += 2;
                        continue;
                    }
                    break;
                }
                inner += sql.at(k++);
            }
            token.kind = c == '\'' ? SqlToken::Text : SqlToken::Name;
            token.quoted = true;
            token.name = inner;
            i = qMin(k + 1, n);
        } else if (isNameByte(c) && !(c >= '0' && c <= '9')) {
            int k = i;
            while (k < n && isNameByte(sql.at(k)))
                ++k;
            token.kind = SqlToken::Name;
            token.name = sql.mid(i, k - i);
            i = k;
        } else if (c >= '0' && c <= '9') {
            int k = i;
            while (k < n && (isNameByte(sql.at(k)) || sql.at(k) == '.'))
                ++k;
            i = k;
        } else {
            token.name = QByteArray(1, c);
            ++i;
        }
        token.length = i - token.start;
        tokens.append(token);
    }
    return tokens;
}

bool isKeyword(const SqlToken &token, const char *word)
{
    return token.kind == SqlToken::Name && !token.quoted && token.name.compare(word, Qt::CaseInsensitive) == 0;
}

bool isPunctuation(const QList<SqlToken> &tokens, int i, char c)
{
    return i >= 0 && i < tokens.size() && tokens.at(i).kind == SqlToken::Other && tokens.at(i).name == QByteArray(1, c);
}

// The tokens that name a table: the first name after FROM or JOIN and after each comma of a FROM
// list (the last part of a qualified name). A sub-select in brackets has its own FROM list.
QList<int> tableReferences(const QList<SqlToken> &tokens)
{
    static const char *const listEnds[] = {"WHERE",  "GROUP",     "ORDER", "HAVING", "LIMIT",  "UNION",
                                           "EXCEPT", "INTERSECT", "ON",    "USING",  "WINDOW", "PIVOT"};
    QList<int> refs;
    QList<bool> inFromList{false}; // one entry per bracket level
    bool expectTable = false;
    for (int i = 0; i < tokens.size(); ++i) {
        const SqlToken &token = tokens.at(i);
        if (isPunctuation(tokens, i, '(')) {
            inFromList.append(false);
            expectTable = false;
        } else if (isPunctuation(tokens, i, ')')) {
            if (inFromList.size() > 1)
                inFromList.removeLast();
            expectTable = false;
        } else if (isKeyword(token, "FROM") || isKeyword(token, "JOIN")) {
            inFromList.last() = true;
            expectTable = true;
        } else if (isPunctuation(tokens, i, ',')) {
            expectTable = inFromList.last();
        } else if (std::any_of(std::begin(listEnds), std::end(listEnds),
                               [&](const char *w) { return isKeyword(token, w); })) {
            inFromList.last() = false;
            expectTable = false;
        } else if (expectTable && token.kind == SqlToken::Name) {
            while (isPunctuation(tokens, i + 1, '.') && i + 2 < tokens.size() &&
                   tokens.at(i + 2).kind == SqlToken::Name)
                i += 2;
            refs.append(i);
            expectTable = false;
        } else {
            expectTable = false;
        }
    }
    return refs;
}

struct Prepared
{
    int rc = SQLITE_OK;
    int offset = -1; // SQLite's byte offset of the token it stopped at, or -1
};

Prepared prepare(sqlite3 *db, const QByteArray &sql)
{
    sqlite3_stmt *stmt = nullptr;
    Prepared result;
    result.rc = sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &stmt, nullptr);
    if (result.rc != SQLITE_OK)
        result.offset = sqlite3_error_offset(db);
    sqlite3_finalize(stmt);
    return result;
}

QString fileOf(sqlite3 *db)
{
    const char *file = db ? sqlite3_db_filename(db, "main") : nullptr;
    return file ? QString::fromUtf8(file) : QString();
}

// SQLite checks a view's statement for syntax only and looks its names up when the view is used.
// Preparing, never running, such a definition tells a statement SQLite cannot read from one that
// names something missing; nothing is created.
bool parses(sqlite3 *db, const QByteArray &sql)
{
    return prepare(db, QByteArrayLiteral("CREATE TEMP VIEW velkor_syntax_check AS ") + sql).rc == SQLITE_OK;
}

std::optional<QString> missingTable(sqlite3 *db, const QList<SqlToken> &tokens)
{
    for (int i : tableReferences(tokens)) {
        const QString name = QString::fromUtf8(tokens.at(i).name);
        if (!hasTable(db, name))
            return name;
    }
    return std::nullopt;
}

platform::VbError statementError(sqlite3 *db, const QString &sqlText)
{
    const QByteArray sql = sqlText.toUtf8();
    Prepared now = prepare(db, sql);
    if (now.rc == SQLITE_OK)
        return engineError(db, SQLITE_ERROR); // it failed while running
    if (!parses(db, sql)) {
        if ((now.rc & 0xff) == SQLITE_AUTH)
            return platform::VbError(InvalidStatement, QStringLiteral("Invalid SQL statement; expected 'DELETE', "
                                                                      "'INSERT', 'PROCEDURE', 'SELECT', or 'UPDATE'."));
        return queryExpressionError(sqlText);
    }
    // SQLite looks up the tables before any field, and so does the report of them.
    if (const std::optional<QString> table = missingTable(db, tokenize(sql)))
        return inputTableNotFound(*table);

    // Each name SQLite stops at is replaced by a value until the statement prepares; Jet counts
    // them as the parameters it was not given.
    QByteArray current = sql;
    int unknown = 0;
    while (now.rc != SQLITE_OK && unknown < MaxUnknownNames) {
        if (now.offset < 0) {
            // A name SQLite does not place (in a join's ON clause): one more, and no way to go on.
            ++unknown;
            break;
        }
        const QList<SqlToken> tokens = tokenize(current);
        int at = -1;
        for (int i = 0; i < tokens.size(); ++i)
            if (tokens.at(i).start == now.offset && tokens.at(i).kind == SqlToken::Name)
                at = i;
        if (at < 0)
            return queryExpressionError(sqlText);
        if (isPunctuation(tokens, at + 1, '('))
            return platform::VbError(
                UndefinedFunction,
                QStringLiteral("Undefined function '%1' in expression.").arg(QString::fromUtf8(tokens.at(at).name)));
        int last = at;
        while (isPunctuation(tokens, last + 1, '.') && last + 2 < tokens.size() &&
               tokens.at(last + 2).kind == SqlToken::Name)
            last += 2;
        const int start = tokens.at(at).start;
        QByteArray candidate = current;
        candidate.replace(start, tokens.at(last).start + tokens.at(last).length - start, QByteArrayLiteral("NULL"));
        const Prepared next = prepare(db, candidate);
        if ((next.rc != SQLITE_OK && next.offset == now.offset) || !parses(db, candidate))
            return queryExpressionError(sqlText);
        ++unknown;
        current = candidate;
        now = next;
    }
    return tooFewParameters(unknown);
}

} // namespace

platform::VbError inputTableNotFound(const QString &name)
{
    return platform::VbError(
        dberr::InputTableNotFound,
        QStringLiteral("The Microsoft Jet database engine cannot find the input table or query '%1'.  "
                       "Make sure it exists and that its name is spelled correctly.")
            .arg(name));
}

platform::VbError tooFewParameters(int expected)
{
    return platform::VbError(dberr::TooFewParameters, QStringLiteral("Too few parameters. Expected %1.").arg(expected));
}

platform::VbError itemNotFound()
{
    return platform::VbError(dberr::ItemNotFound, QStringLiteral("Item not found in this collection."));
}

platform::VbError queryExpressionError(const QString &expression)
{
    return platform::VbError(
        dberr::SyntaxError,
        QStringLiteral("Syntax error (missing operator) in query expression '%1'.").arg(expression));
}

platform::VbError engineError(sqlite3 *db, int rc, const QString &sql)
{
    const int primary = rc & 0xff;
    if ((primary == SQLITE_ERROR || primary == SQLITE_AUTH) && db && !sql.trimmed().isEmpty())
        return statementError(db, sql);
    if (primary == InvalidPatternCode)
        return platform::VbError(dberr::SyntaxError,
                                 QStringLiteral("Invalid pattern string in query expression '%1'.").arg(sql));
    return engineError(db, rc);
}

platform::VbError engineError(sqlite3 *db, int rc)
{
    const QString file = fileOf(db);
    switch (rc & 0xff) {
    case SQLITE_READONLY:
        return platform::VbError(dberr::ReadOnly, QStringLiteral("Cannot update. Database or object is read-only."));
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return platform::VbError(dberr::UnrecognizedFormat,
                                 QStringLiteral("Unrecognized database format '%1'.").arg(file));
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return platform::VbError(dberr::FileInUse,
                                 QStringLiteral("Could not use '%1'; file already in use.").arg(file));
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
        return platform::VbError(
            dberr::CannotOpen,
            QStringLiteral("Cannot open the file '%1'. You need permission to view its data.").arg(file));
    case SQLITE_IOERR: return platform::VbError(DiskError, QStringLiteral("Disk or network error."));
    case SQLITE_NOMEM:
    case SQLITE_FULL:
    case SQLITE_TOOBIG: return platform::VbError(dberr::ResourcesExceeded, QStringLiteral("System resource exceeded."));
    default:
        return platform::VbError(
            dberr::OtherEngineError,
            QStringLiteral("Reserved error (%1); there is no message for this error.").arg(rc & 0xff));
    }
}

bool hasTable(sqlite3 *db, const QString &name)
{
    if (!db || name.compare(QLatin1String(VerifierTable), Qt::CaseInsensitive) == 0)
        return false;
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db,
                           "SELECT 1 FROM sqlite_master WHERE type IN ('table', 'view') AND name = ?1 COLLATE NOCASE",
                           -1, &stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(stmt);
        return false;
    }
    const QByteArray utf8 = name.toUtf8();
    sqlite3_bind_text(stmt, 1, utf8.constData(), int(utf8.size()), SQLITE_STATIC);
    const bool found = sqlite3_step(stmt) == SQLITE_ROW;
    sqlite3_finalize(stmt);
    return found;
}

// Declared with the statement runner, which every caller of the engine already includes.
void raiseSqliteError(sqlite3 *db, int rc, const QString &sql)
{
    throw engineError(db, rc, sql);
}

} // namespace db::detail
