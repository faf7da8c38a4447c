#include "platform/Environment.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace platform {

namespace {
QString g_programFolder;
QString g_exeName;
int g_screenWidth = 0;
QRect g_availableScreen;
DriveShareLookup g_driveLookup;
} // namespace

QString programFolder()
{
    if (!g_programFolder.isEmpty())
        return g_programFolder;
    if (!QCoreApplication::instance())
        return QDir::currentPath();
    static const QString folder = programFolderFor(QCoreApplication::applicationDirPath());
    return folder;
}

QString programFolderFor(const QString &exeFolder)
{
    // The build folder's bin/ holds the files itself; an installed bin/ holds only the program.
    const QDir exeDir(exeFolder);
    if (exeDir.dirName() == QLatin1String("bin")) {
        const QFileInfo installed(exeDir.filePath(QStringLiteral(VELKOR_DATA_FROM_BIN)));
        if (installed.isDir())
            return QDir::cleanPath(installed.absoluteFilePath());
    }
    return QDir::cleanPath(exeFolder);
}

void setProgramFolder(const QString &folder)
{
    QString f = QDir::fromNativeSeparators(folder);
    while (f.size() > 1 && f.endsWith(QLatin1Char('/')))
        f.chop(1);
    g_programFolder = f;
}

QString exeName()
{
    if (!g_exeName.isEmpty())
        return g_exeName;
    if (!QCoreApplication::instance())
        return QString();
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

void setExeName(const QString &name)
{
    g_exeName = name;
}

QString environ(const QString &name)
{
    if (name.isEmpty())
        return QString();
    return qEnvironmentVariable(name.toLocal8Bit().constData());
}

int screenWidthPixels()
{
    if (g_screenWidth > 0)
        return g_screenWidth;
    if (qGuiApp) {
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            return screen->size().width();
    }
    return 1024;
}

void setScreenWidthOverride(int pixels)
{
    g_screenWidth = qMax(0, pixels);
}

QRect availableScreenGeometry()
{
    if (!g_availableScreen.isEmpty())
        return g_availableScreen;
    if (qGuiApp) {
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            return screen->availableGeometry();
    }
    return QRect(0, 0, 1024, 768);
}

void setAvailableScreenOverride(const QRect &area)
{
    g_availableScreen = area;
}

void keepOnScreen(QWidget *window)
{
    if (!window || !window->isWindow())
        return;
    // A title bar and borders as the common desktops draw them.
    constexpr QMargins UnknownFrame(4, 32, 4, 4);
    QMargins frame;
    if (const QWindow *handle = window->windowHandle())
        frame = handle->frameMargins();
    if (frame.isNull() && !(window->windowFlags() & Qt::FramelessWindowHint))
        frame = UnknownFrame;
    const QRect area = availableScreenGeometry();
    const QSize room = area.marginsRemoved(frame).size();
    const QSize size = window->size();
    if (size.width() > room.width() || size.height() > room.height())
        window->resize(size.boundedTo(room).expandedTo(window->minimumSize()));
    // A window not placed by the program is placed by the window system, within the screen.
    if (!window->testAttribute(Qt::WA_Moved))
        return;
    const QSize outer = window->size().grownBy(frame);
    const int x = std::clamp(window->x(), area.left(), std::max(area.left(), area.right() + 1 - outer.width()));
    const int y = std::clamp(window->y(), area.top(), std::max(area.top(), area.bottom() + 1 - outer.height()));
    if (QPoint(x, y) != window->pos())
        window->move(x, y);
}

QString driveShareName(const QString &drive)
{
    if (g_driveLookup)
        return g_driveLookup(drive);
    return QString(); // no lettered drives here
}

void setDriveShareLookup(DriveShareLookup lookup)
{
    g_driveLookup = std::move(lookup);
}

} // namespace platform
