#pragma once

#include "db/Recordset.h"

#include <QString>

struct sqlite3;

namespace db::detail {

// Runs one read-only statement and reads all its rows. Raises platform::VbError with the engine's
// numbers: 3078 unknown table, 3061 unknown field, 3075 syntax, 3027 a statement that would write,
// 3142 a second statement, others as EngineErrors.h says.
RowSet runSelect(sqlite3 *db, const QString &sql);

// True when the text is a crosstab statement: TRANSFORM aggregate(value) SELECT ... PIVOT expression.
bool isCrosstab(const QString &sql);
// One row per row of the SELECT part, in its order, then one column per distinct pivot value in
// ascending order (numerically when every value is a number), named by the value's text; each cell
// the aggregate of the rows of that row and pivot value, Null where there are none.
RowSet runCrosstab(sqlite3 *db, const QString &sql);

// Raises the engine error for a failed SQLite call on the connection.
[[noreturn]] void raiseSqliteError(sqlite3 *db, int rc, const QString &sql);

} // namespace db::detail
