#pragma once

// The program's pictures for windows and buttons, drawn as SVG (data/icons/, compiled into the
// program) so that they stay sharp at every size and on high-density screens.

#include <QIcon>
#include <QString>

namespace controls {

// The program's own icon: the icon theme's "velkor-ped" once installed, else the bundled drawing.
QIcon programIcon();

// A picture with a standard meaning, by its freedesktop icon name ("document-save"): the desktop
// theme's icon, else the bundled drawing of that name.
QIcon themeIcon(const QString &name);

// One of the program's own drawings, by its file name without ".svg" ("table-chemical").
QIcon ownIcon(const QString &name);

// The resource path of a bundled drawing.
QString bundledIconPath(const QString &name);

} // namespace controls
