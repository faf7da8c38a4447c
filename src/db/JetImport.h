#pragma once

#include <QByteArrayList>
#include <QString>

#include <optional>

struct sqlite3;

namespace db::jet {

// Reads every row of every user table of a Jet file through libmdb, every column bound as text,
// and returns the number of rows (-1 when libmdb cannot read the file). What a plain reader of the
// file pays: the measure an import is compared with.
qint64 readAllRows(const QString &path);

// Copies every user table of the Jet file (not the MSys* ones) into target, an empty SQLite
// database, with column types the database layer hands out as it does for our own files: text and
// memo as TEXT COLLATE NOCASE, whole numbers as INTEGER, the others as REAL, Booleans as -1/0,
// dates as DATE texts, binary and OLE as blobs. Then creates the schema indexes. Returns false with
// a reason when the file cannot be read; libmdb may crash on a damaged file, so callers run this in
// a process of its own. With parts > 1 only the tables of the given part (0 ... parts - 1) are
// copied: the parts split the tables by their row counts, so that each can be imported in a
// process of its own at the same time.
bool importTables(const QString &path, sqlite3 *target, int part = 0, int parts = 1, QString *error = nullptr);

// The names of the user tables that importTables copies, over all parts; nothing when the
// catalogue cannot be read.
std::optional<QByteArrayList> userTableNames(const QString &path);

} // namespace db::jet
