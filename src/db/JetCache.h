#pragma once

#include <QString>

struct sqlite3;

namespace db::jet {

// The SQLite copy of a Jet file, read-only. Taken from the cache folder (setJetCacheFolder) when a
// copy made from the file as it is now is there, whole, and holds every table; otherwise the file
// is imported by child processes under limits (JetChildren.h), so that a damaged file libmdb
// cannot read, crashes or hangs on ends as 3343 "Unrecognized database format '<path>'." (with
// the path as given). The new copy goes into the cache when the cache folder has room for it and
// takes it, or else is held in memory: a cache that cannot be written never stops the open.
sqlite3 *openImported(const QString &path, const QString &canonicalPath);

// Files from this size on are imported in several parts at once (a negative size: the default).
void setSplitFromBytes(qint64 bytes);

// The name of the cache file a Jet file's current copy has, without its folder (for tests).
QString cacheFileStem(const QString &canonicalPath);

} // namespace db::jet
