#include "ProgramFixture.h"

#include "core/modDBase.h"
#include "db/Database.h"
#include "platform/Environment.h"
#include "shell/mdiVelkor.h"

namespace testsupport {

bool openProgramDatabase(const QString &folder, const QString &path, const QString &connect)
{
    qputenv("APPDATA", folder.toLocal8Bit());
    platform::setProgramFolder(folder);
    platform::setExeName(QStringLiteral("Velkor_PED"));
    modDBase::gMaterialDb = db::Database::open(path, false, true, connect);
    if (modDBase::gMaterialDb && modDBase::gMaterialDb->isOpen())
        return true;
    qWarning("fixture: cannot open %s", qPrintable(path));
    return false;
}

mdiVelkor *makeMainWindow()
{
    auto *window = new mdiVelkor;
    window->SetStatus();
    window->InitTableNames();
    return window;
}

} // namespace testsupport
