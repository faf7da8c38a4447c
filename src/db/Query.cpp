#include "db/Query.h"

#include "db/Database.h"
#include "db/SqlValues.h"
#include "platform/VbError.h"

#include <sqlite3.h>

#include <string>
#include <string_view>
#include <vector>

namespace db::detail {

RowSet runSelect(sqlite3 *db, const QString &sql)
{
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt *stmt = nullptr;
    const char *tail = nullptr;
    int rc = sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &stmt, &tail);
    if (rc != SQLITE_OK)
        raiseSqliteError(db, rc, sql);
    struct Finalizer
    {
        sqlite3_stmt *s;
        ~Finalizer() { sqlite3_finalize(s); }
    } finalizer{stmt};
    if (!stmt)
        throw platform::VbError(dberr::SyntaxError, QStringLiteral("Invalid SQL statement; expected 'SELECT'."));
    for (const char *p = tail; p && *p; ++p)
        if (*p != ';' && !QChar::isSpace(uchar(*p)))
            throw platform::VbError(dberr::CharactersAfterEnd, QStringLiteral("Characters found after end of SQL statement."));
    if (!sqlite3_stmt_readonly(stmt))
        throw platform::VbError(dberr::ReadOnly, QStringLiteral("Cannot update. Database or object is read-only."));

    RowSet result;
    const int columns = sqlite3_column_count(stmt);
    for (int c = 0; c < columns; ++c)
        result.fieldNames.append(QString::fromUtf8(sqlite3_column_name(stmt, c)));
    QVector<ColumnKind> kinds(columns);
    for (int c = 0; c < columns; ++c)
        kinds[c] = columnKind(stmt, c);
    // Sorted results repeat a column's text from row to row (standard, description, dates): an equal
    // text shares the value made for the row before instead of being converted again.
    std::vector<std::string> lastText(columns);
    QVector<QVariant> lastValue(columns);
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        QVector<QVariant> row;
        row.reserve(columns);
        for (int c = 0; c < columns; ++c) {
            if (sqlite3_column_type(stmt, c) != SQLITE_TEXT) {
                row.append(columnValue(stmt, c, kinds[c]));
                continue;
            }
            const std::string_view text(reinterpret_cast<const char *>(sqlite3_column_text(stmt, c)),
                                        size_t(sqlite3_column_bytes(stmt, c)));
            if (lastValue[c].isValid() && text == lastText[c]) {
                row.append(lastValue[c]);
                continue;
            }
            lastText[c].assign(text);
            lastValue[c] = columnValue(stmt, c, kinds[c]);
            row.append(lastValue[c]);
        }
        result.rows.append(std::move(row));
    }
    if (rc != SQLITE_DONE)
        raiseSqliteError(db, rc, sql);
    return result;
}

} // namespace db::detail
