#pragma once

#include <QString>

struct sqlite3;

namespace db::jet {

// The SQLite copy of a Jet file, read-only. Taken from the cache folder (setJetCacheFolder) when a
// copy made from the file as it is now is there and undamaged; otherwise the file is imported in a
// child process under a time limit, so that a damaged file libmdb cannot read, crashes or hangs
// on ends as 3343 "Unrecognized database format '<path>'." (with the path as given). The new
// copy then goes into the cache, written under a temporary name and renamed, or, without a cache
// folder, is held in memory.
sqlite3 *openImported(const QString &path, const QString &canonicalPath);

// Files from this size on are imported in several parts at once (a negative size: the default).
void setSplitFromBytes(qint64 bytes);

// The name of the cache file a Jet file's current copy has, without its folder (for tests).
QString cacheFileStem(const QString &canonicalPath);

} // namespace db::jet
