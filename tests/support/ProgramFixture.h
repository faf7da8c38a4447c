#pragma once

#include "ProgramDatabase.h"

#include <QString>

class mdiVelkor;

namespace testsupport {

// The program's surroundings in a test folder: the per-user data and the program folder there, the
// program's name, and the material database at path opened read-only into the holder (connect may
// carry its password). False, with a warning, when the database does not open.
bool openProgramDatabase(ProgramDatabase &database, const QString &folder, const QString &path,
                         const QString &connect = {});

// A main window with its status texts and table names, as the start-up leaves it. The caller owns it.
mdiVelkor *makeMainWindow();

} // namespace testsupport
