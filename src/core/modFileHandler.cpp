#include "core/modFileHandler.h"

#include "db/Database.h"
#include "platform/Environment.h"
#include "platform/MsgBox.h"
#include "platform/SafeFile.h"
#include "platform/VbError.h"

#include <QDir>
#include <QFileInfo>

namespace modFileHandler {

namespace {

QString DataFolder;

constexpr int PathFileAccessError = 75;
// The default data files are a few short lines each.
constexpr qint64 MaxDataFileBytes = 1024 * 1024;

QString withoutTrailingSeparator(QString path)
{
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

QString programFolderWithSeparator()
{
    QString folder = withoutTrailingSeparator(platform::programFolder());
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

} // namespace

QString AppDataFolder()
{
    QString folder = platform::environ(QStringLiteral("APPDATA"));
    if (folder.isEmpty())
        folder = platform::environ(QStringLiteral("XDG_CONFIG_HOME"));
    if (folder.isEmpty()) {
        const QString home = platform::environ(QStringLiteral("HOME"));
        if (!home.isEmpty())
            folder = withoutTrailingSeparator(home) + QStringLiteral("/.config");
    }
    if (folder.isEmpty())
        return {};
    return withoutTrailingSeparator(folder);
}

void SetupFileEnvironment()
{
    try {
        DataFolder = programFolderWithSeparator();
        const QString appData = AppDataFolder();
        if (appData.isEmpty())
            return;
        DataFolder = (appData == QLatin1String("/") ? QString() : appData) + QStringLiteral("/Brisvale/Velkor_PED/");
        if (!QFileInfo::exists(DataFolder)) {
            MakePath(DataFolder);
            CopyDataFiles();
        }
    } catch (const platform::VbError &e) {
        DataFolder = programFolderWithSeparator();
        platform::msgBox(QString::number(e.number()) +
                             QStringLiteral(": Error in SetupFileEnvironment(). Error Description: ") + e.description(),
                         platform::vbCritical | platform::vbOKOnly, QStringLiteral("Error"));
    }
    // Imported Jet databases are kept in the desktop's cache folder between runs; earlier versions
    // kept them in the data folder, where they would only take room now.
    db::setJetCacheFolder(CacheFolder());
    db::removeJetCacheFolder(GetDataFolder() + QStringLiteral("cache"));
}

QString CacheFolder()
{
    QString folder = withoutTrailingSeparator(platform::environ(QStringLiteral("XDG_CACHE_HOME")));
    if (!folder.startsWith(QLatin1Char('/'))) {
        const QString home = platform::environ(QStringLiteral("HOME"));
        if (home.isEmpty())
            return {};
        folder = withoutTrailingSeparator(home) + QStringLiteral("/.cache");
    }
    return (folder == QLatin1String("/") ? QString() : folder) + QStringLiteral("/velkor-ped");
}

QString GetDataFolder()
{
    if (DataFolder.isEmpty())
        return programFolderWithSeparator();
    return DataFolder;
}

QString DataFilePath(const QString &strFile)
{
    return GetDataFolder() + strFile;
}

void MakePath(const QString &strPath)
{
    QString path = strPath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    // An absolute path keeps its root, as a drive keeps its letter.
    QString prefix = path.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QString();
    const QStringList pieces = path.split(QLatin1Char('/'));
    for (const QString &piece : pieces) {
        if (piece.isEmpty())
            continue;
        prefix += piece + QLatin1Char('/');
        if (piece.endsWith(QLatin1Char(':')))
            continue;
        if (!QFileInfo::exists(prefix) && !QDir().mkdir(prefix))
            throw platform::VbError(PathFileAccessError, QStringLiteral("Path/File access error"));
    }
}

void CopyDataFiles()
{
    const QDir source(platform::programFolder());
    const QStringList files = source.entryList({QStringLiteral("*.vlk")}, QDir::Files);
    for (const QString &name : files) {
        const platform::FileRead file = platform::readRegularFile(source.filePath(name), MaxDataFileBytes);
        if (!file.ok() || !platform::writeFileAtomically(DataFilePath(name), file.bytes))
            return;
    }
}

} // namespace modFileHandler
