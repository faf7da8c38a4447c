#include "db/Query.h"

#include "db/Database.h"
#include "platform/VbError.h"

#include <sqlite3.h>

#include <string_view>

namespace db::detail {

namespace {

// Finalizes its statement when it goes; a statement handed on is released first.
struct Statement
{
    sqlite3_stmt *stmt;
    ~Statement() { sqlite3_finalize(stmt); }
};

// Prepares one read-only statement, or takes the one the cache keeps for the same text (checked
// when it was prepared).
HeldStatement prepareSelect(sqlite3 *db, const QString &sql, const std::shared_ptr<StatementCache> &cache)
{
    QByteArray utf8 = sql.toUtf8();
    if (cache) {
        if (const StatementCache::Prepared kept = cache->take(utf8); kept.stmt)
            return HeldStatement(kept, std::move(utf8), cache);
    }
    sqlite3_stmt *stmt = nullptr;
    const char *tail = nullptr;
    const int rc = sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &stmt, &tail);
    if (rc != SQLITE_OK)
        raiseSqliteError(db, rc, sql);
    Statement finalizer{stmt};
    if (!stmt)
        throw platform::VbError(dberr::SyntaxError, QStringLiteral("Invalid SQL statement; expected 'SELECT'."));
    for (const char *p = tail; p && *p; ++p)
        if (*p != ';' && !QChar::isSpace(uchar(*p)))
            throw platform::VbError(dberr::CharactersAfterEnd,
                                    QStringLiteral("Characters found after end of SQL statement."));
    if (!sqlite3_stmt_readonly(stmt))
        throw platform::VbError(dberr::ReadOnly, QStringLiteral("Cannot update. Database or object is read-only."));
    finalizer.stmt = nullptr;
    const qsizetype textLength = tail ? tail - utf8.constData() : utf8.size();
    return HeldStatement({stmt, textLength}, std::move(utf8), cache);
}

bool isWordChar(char c)
{
    return QChar::isLetterOrNumber(uchar(c)) || c == '_' || uchar(c) >= 0x80;
}

// The statement without its closing ORDER BY when it has one and no LIMIT after it: the number of
// rows does not depend on the order, and a count that follows an index to keep it reads the rows
// in index order instead of straight through the table. Anything unclear leaves the text whole.
QByteArray withoutFinalOrder(const QByteArray &sql)
{
    int depth = 0;
    qsizetype orderAt = -1;
    QByteArray previous;
    qsizetype previousAt = -1;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const char c = sql.at(i);
        if (c == '\'' || c == '"' || c == '`' || c == '[') {
            i = sql.indexOf(c == '[' ? ']' : c, i + 1);
            if (i < 0)
                return sql;
        } else if (c == '-' && sql.mid(i, 2) == "--") {
            i = sql.indexOf('\n', i);
            if (i < 0)
                break;
        } else if (c == '/' && sql.mid(i, 2) == "/*") {
            i = sql.indexOf("*/", i + 2);
            if (i < 0)
                return sql;
            ++i;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')') {
            --depth;
        } else if (isWordChar(c)) {
            qsizetype end = i;
            while (end < sql.size() && isWordChar(sql.at(end)))
                ++end;
            const QByteArray word = sql.mid(i, end - i).toLower();
            if (depth == 0 && word == "by" && previous == "order")
                orderAt = previousAt;
            else if (depth == 0 && word == "limit" && orderAt >= 0)
                return sql;
            previous = word;
            previousAt = i;
            i = end - 1;
        }
    }
    return orderAt > 0 ? sql.left(orderAt) : sql;
}

} // namespace

RowReader::RowReader(sqlite3_stmt *stmt) : m_stmt(stmt)
{
    const int columns = sqlite3_column_count(stmt);
    m_kinds.resize(columns);
    for (int c = 0; c < columns; ++c)
        m_kinds[c] = columnKind(stmt, c);
    m_lastText.resize(size_t(columns));
    m_lastValue.resize(columns);
}

QStringList RowReader::fieldNames() const
{
    QStringList names;
    for (int c = 0; c < m_kinds.size(); ++c)
        names.append(QString::fromUtf8(sqlite3_column_name(m_stmt, c)));
    return names;
}

QVector<QVariant> RowReader::read()
{
    const int columns = int(m_kinds.size());
    QVector<QVariant> row;
    row.reserve(columns);
    for (int c = 0; c < columns; ++c) {
        if (sqlite3_column_type(m_stmt, c) != SQLITE_TEXT) {
            row.append(columnValue(m_stmt, c, m_kinds[c]));
            continue;
        }
        const std::string_view text(reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, c)),
                                    size_t(sqlite3_column_bytes(m_stmt, c)));
        if (m_lastValue[c].isValid() && text == m_lastText[size_t(c)]) {
            row.append(m_lastValue[c]);
            continue;
        }
        m_lastText[size_t(c)].assign(text);
        m_lastValue[c] = columnValue(m_stmt, c, m_kinds[c]);
        row.append(m_lastValue[c]);
    }
    return row;
}

RowSet runSelect(sqlite3 *db, const QString &sql, const std::shared_ptr<StatementCache> &cache)
{
    const HeldStatement statement = prepareSelect(db, sql, cache);
    RowReader reader(statement.get());
    RowSet result;
    result.fieldNames = reader.fieldNames();
    int rc;
    while ((rc = sqlite3_step(statement.get())) == SQLITE_ROW)
        result.rows.append(reader.read());
    if (rc != SQLITE_DONE)
        raiseSqliteError(db, rc, sql);
    return result;
}

RowSet runSelectOnDemand(sqlite3 *db, const QString &sql, const std::shared_ptr<StatementCache> &cache)
{
    HeldStatement statement = prepareSelect(db, sql, cache);
    QByteArray text = statement.text();
    while (!text.isEmpty() && (text.back() == ';' || QChar::isSpace(uchar(text.back()))))
        text.chop(1);
    int count = 0;
    {
        const QString countSql =
            QStringLiteral("SELECT count(*) FROM (%1\n)").arg(QString::fromUtf8(withoutFinalOrder(text)));
        const HeldStatement counting = prepareSelect(db, countSql, cache);
        const int rc = sqlite3_step(counting.get());
        if (rc != SQLITE_ROW)
            raiseSqliteError(db, rc, sql);
        count = sqlite3_column_int(counting.get(), 0);
    }
    RowSet result;
    result.fieldNames = RowReader(statement.get()).fieldNames();
    result.pending = std::make_shared<PendingRows>(db, std::move(statement), sql, count);
    if (count > 0)
        result.pending->row(0);
    else
        result.pending->readAll();
    return result;
}

PendingRows::PendingRows(sqlite3 *db, HeldStatement statement, QString sql, int count)
    : m_db(db), m_statement(std::move(statement)), m_sql(std::move(sql)), m_count(count), m_reader(m_statement.get())
{
}

PendingRows::~PendingRows()
{
    finish();
}

void PendingRows::finish()
{
    m_statement.release();
}

void PendingRows::readOne()
{
    const int rc = sqlite3_step(m_statement.get());
    if (rc == SQLITE_ROW) {
        m_rows.append(m_reader.read());
        return;
    }
    const HeldStatement done = std::move(m_statement); // released after the error is read
    if (rc != SQLITE_DONE)
        raiseSqliteError(m_db, rc, m_sql);
}

const QVector<QVariant> &PendingRows::row(int index)
{
    while (m_statement.get() && index >= m_rows.size())
        readOne();
    if (index < 0 || index >= m_rows.size())
        throw platform::VbError(dberr::NoCurrentRecord, QStringLiteral("No current record."));
    return m_rows.at(index);
}

void PendingRows::readAll()
{
    while (m_statement.get())
        readOne();
}

} // namespace db::detail
