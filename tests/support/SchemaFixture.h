#pragma once

#include <QString>
#include <QStringList>

namespace testsupport {

// Builds a fresh material database file from the demo database's schema followed by the given
// statements. Returns false, after a warning naming the failing statement, when any of them fails.
bool buildSchemaDatabase(const QString &path, const QStringList &statements);

// Runs the statements, in order, on the SQLite file (made when missing); stops at the first that
// fails, with SQLite's message and the statement in error. With a password, the engine's password
// check is written after them. True when all ran.
bool execSql(const QString &path, const QStringList &statements, QString *error = nullptr,
             const QString &password = {});

} // namespace testsupport
