#pragma once

#include <QRect>
#include <QString>
#include <functional>

class QWidget;

namespace platform {

// The program folder, without a trailing separator: the executable's folder, or, for a program
// installed in <prefix>/bin, the folder <prefix>/share/velkor-ped that the installation made.
QString programFolder();
// The program folder of an executable in exeFolder.
QString programFolderFor(const QString &exeFolder);
// Tests point the program folder elsewhere; an empty text restores the real one.
void setProgramFolder(const QString &folder);

// The executable's name without extension ("Velkor_PED").
QString exeName();
// Tests give the program another name; an empty text restores the real one.
void setExeName(const QString &name);

// Environment variables; empty when not set.
QString environ(const QString &name);

// Width of the screen the main window opens on, in pixels; tests replace it.
int screenWidthPixels();
void setScreenWidthOverride(int pixels); // 0 restores the real screen
// The part of that screen a window may take (without the desktop's panels), in pixels; tests replace it.
QRect availableScreenGeometry();
void setAvailableScreenOverride(const QRect &area); // an empty rectangle restores the real screen
// Keeps a window about to be shown within that area with its frame: one larger than the area is made
// as small as its minimum size allows, one placed partly outside is moved in. A frame the window
// system has not drawn yet is reckoned at a common title bar and border.
void keepOnScreen(QWidget *window);

// The network share behind a lettered drive ("Z:" -> "\\server\share"); empty for a local drive
// and on systems without lettered drives. Tests install a fake.
using DriveShareLookup = std::function<QString(const QString &drive)>;
QString driveShareName(const QString &drive);
void setDriveShareLookup(DriveShareLookup lookup); // empty function restores the real one

} // namespace platform
