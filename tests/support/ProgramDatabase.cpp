#include "ProgramDatabase.h"

#include "core/modDBase.h"
#include "db/Database.h"

#include <exception>

namespace testsupport {

ProgramDatabase::~ProgramDatabase()
{
    close();
}

bool ProgramDatabase::open(const QString &path, const QString &connect, bool exclusive)
{
    close();
    try {
        modDBase::gMaterialDb = db::Database::open(path, exclusive, true, connect);
    } catch (const std::exception &error) {
        qWarning("cannot open %s: %s", qPrintable(path), error.what());
    }
    return isOpen();
}

bool ProgramDatabase::isOpen() const
{
    return modDBase::gMaterialDb && modDBase::gMaterialDb->isOpen();
}

void ProgramDatabase::close()
{
    if (modDBase::gMaterialDb)
        modDBase::gMaterialDb->close();
    modDBase::gMaterialDb.reset();
    modDBase::gDbPathChanged = false;
    modDBase::gDbNotOpened = false;
}

} // namespace testsupport
