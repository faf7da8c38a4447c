#pragma once

// The per-user data folder that holds the path file, the settings file and the error log.

#include <QString>

namespace modFileHandler {

// Decides the data folder, and on the first run creates it and copies the program folder's
// "*.vlk" files into it. Reports its own failure and always leaves a usable folder.
void SetupFileEnvironment();
// The data folder, ending in "/".
QString GetDataFolder();
// The data folder followed by the name.
QString DataFilePath(const QString &strFile);
// Creates every missing folder level; raises VbError when a level cannot be created.
void MakePath(const QString &strPath);
// Copies the program folder's "*.vlk" files into the data folder; stops silently at the first error.
void CopyDataFiles();

// The parent of the data folder: APPDATA, else XDG_CONFIG_HOME, else HOME/.config; empty when
// none is set. Uses "/" and has no trailing separator.
QString AppDataFolder();

// Where the copies of imported Jet databases are kept: "velkor-ped" below XDG_CACHE_HOME (when it
// is an absolute path), else below HOME/.cache; empty when neither is set.
QString CacheFolder();

} // namespace modFileHandler
