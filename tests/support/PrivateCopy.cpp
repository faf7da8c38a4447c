#include "PrivateCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace testsupport {

QString privateCopy(const QString &source, const QString &folder, const QString &name)
{
    const QString target = QDir(folder).filePath(name.isEmpty() ? QFileInfo(source).fileName() : name);
    QFile::remove(target);
    if (!QFile::copy(source, target))
        return {};
    // A copy of a read-only file stays read-only; the owner must still be able to remove it.
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    return target;
}

} // namespace testsupport
