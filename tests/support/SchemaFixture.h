#pragma once

#include <QString>
#include <QStringList>

namespace testsupport {

// Builds a fresh material database file from the demo database's schema followed by the given
// statements. Returns false, after a warning naming the failing statement, when any of them fails.
bool buildSchemaDatabase(const QString &path, const QStringList &statements);

} // namespace testsupport
