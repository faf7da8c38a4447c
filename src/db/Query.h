#pragma once

#include "db/Recordset.h"
#include "db/SqlValues.h"
#include "db/StatementCache.h"

#include <QString>

#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace db::detail {

// Runs one read-only statement and reads all its rows. Raises platform::VbError with the engine's
// numbers: 3078 unknown table, 3061 unknown field, 3075 syntax, 3027 a statement that would write,
// 3142 a second statement, others as EngineErrors.h says. cache: the connection's statements, if it
// keeps them.
RowSet runSelect(sqlite3 *db, const QString &sql, const std::shared_ptr<StatementCache> &cache = {});

// The same statement with its rows read as they are asked for (a grid over thousands of rows shows
// a screenful). At once it counts the rows (a count over the statement, which needs no sorting and
// meets every row, so that it raises what the statement would) and reads the first one; the other
// rows stay in the statement until asked for.
RowSet runSelectOnDemand(sqlite3 *db, const QString &sql, const std::shared_ptr<StatementCache> &cache = {});

// Reads the rows of a statement. Sorted results repeat a column's text from row to row (standard,
// description, dates): an equal text shares the value made for the row before instead of being
// converted again.
class RowReader
{
public:
    explicit RowReader(sqlite3_stmt *stmt);
    QVector<QVariant> read(); // the current row
    QStringList fieldNames() const;

private:
    sqlite3_stmt *m_stmt;
    QVector<ColumnKind> m_kinds;
    std::vector<std::string> m_lastText;
    QVector<QVariant> m_lastValue;
};

// The rows of a statement still being read. Reading raises platform::VbError as runSelect does.
class PendingRows
{
public:
    PendingRows(sqlite3 *db, HeldStatement statement, QString sql, int count);
    ~PendingRows();
    PendingRows(const PendingRows &) = delete;
    PendingRows &operator=(const PendingRows &) = delete;

    // The rows counted, or read when all are read.
    int count() const { return m_statement.get() ? m_count : int(m_rows.size()); }
    // Reads the rows up to and including the 0-based index.
    const QVector<QVariant> &row(int index);
    // Reads every row left and lets the statement go (before its connection closes).
    void readAll();
    bool isComplete() const { return m_statement.get() == nullptr; }

private:
    void readOne();
    void finish();

    sqlite3 *m_db;
    HeldStatement m_statement;
    QString m_sql;
    int m_count;
    RowReader m_reader;
    QVector<QVector<QVariant>> m_rows;
};

// True when the text is a crosstab statement: TRANSFORM aggregate(value) SELECT ... PIVOT expression.
bool isCrosstab(const QString &sql);
// One row per row of the SELECT part, in its order, then one column per distinct pivot value in
// ascending order (numerically when every value is a number), named by the value's text; each cell
// the aggregate of the rows of that row and pivot value, Null where there are none.
RowSet runCrosstab(sqlite3 *db, const QString &sql, const std::shared_ptr<StatementCache> &cache = {});

// Raises the engine error for a failed SQLite call on the connection.
[[noreturn]] void raiseSqliteError(sqlite3 *db, int rc, const QString &sql);

} // namespace db::detail
