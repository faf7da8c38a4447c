#pragma once

// The engine speaks Jet: every failure of SQLite that a caller can see is turned into Jet's
// number and Jet's words here. SQLite's own messages never leave this layer.

#include "platform/VbError.h"

#include <QString>

struct sqlite3;

namespace db::detail {

// The table that holds the password verifier: hidden from every statement and listing.
inline constexpr char VerifierTable[] = "velkor_access";

// The result code our LIKE function raises for a pattern it cannot read (SQLite itself does not
// use it any more).
inline constexpr int InvalidPatternCode = 24; // SQLITE_FORMAT

// Jet's errors.
platform::VbError inputTableNotFound(const QString &name);         // 3078
platform::VbError tooFewParameters(int expected);                  // 3061
platform::VbError itemNotFound();                                  // 3265
platform::VbError queryExpressionError(const QString &expression); // 3075

// The error for a failed SQLite call on the connection. A statement that does not prepare is
// told apart by what SQLite does with variants of it: an unknown table (looked up in the
// schema), unknown fields (names that SQLite stops at and that stop failing once replaced by a
// value; their count is Jet's number of missing parameters), an undefined function, or a syntax
// error. Other failures go by their result code. Never uses SQLite's message text.
platform::VbError engineError(sqlite3 *db, int rc, const QString &sql);
// The same for a failure that has no statement (opening, registering functions).
platform::VbError engineError(sqlite3 *db, int rc);

// True when the database has a table or view of this name (letter case ignored). The verifier
// table is not one.
bool hasTable(sqlite3 *db, const QString &name);

} // namespace db::detail
