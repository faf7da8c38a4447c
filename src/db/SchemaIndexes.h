#pragma once

#include <QString>
#include <QStringList>

struct sqlite3;

namespace db {

// The indexes the program's queries rely on, as CREATE INDEX statements. The demo databases are built
// with them and a Jet database gets them after its import, so both are browsed equally fast.
const QStringList &schemaIndexStatements();

// Creates every index whose table exists in db (tables a database lacks are passed over).
// Returns false with SQLite's text in error when a statement fails.
bool createSchemaIndexes(sqlite3 *db, QString *error = nullptr);

} // namespace db
