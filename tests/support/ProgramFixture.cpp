#include "ProgramFixture.h"

#include "platform/Environment.h"
#include "shell/mdiVelkor.h"

namespace testsupport {

bool openProgramDatabase(ProgramDatabase &database, const QString &folder, const QString &path, const QString &connect)
{
    qputenv("APPDATA", folder.toLocal8Bit());
    platform::setProgramFolder(folder);
    platform::setExeName(QStringLiteral("Velkor_PED"));
    return database.open(path, connect);
}

mdiVelkor *makeMainWindow()
{
    auto *window = new mdiVelkor;
    window->SetStatus();
    window->InitTableNames();
    return window;
}

} // namespace testsupport
