#include "controls/Pictograms.h"

#include <QHash>

namespace controls {

QString bundledIconPath(const QString &name)
{
    return QStringLiteral(":/icons/") + name + QStringLiteral(".svg");
}

QIcon programIcon()
{
    return themeIcon(QStringLiteral("velkor-ped"));
}

QIcon themeIcon(const QString &name)
{
    return QIcon::fromTheme(name, ownIcon(name));
}

QIcon ownIcon(const QString &name)
{
    // Every window asks for its pictures; each drawing is read once. The icons are kept to the end of
    // the process: their engines must not be destroyed after the application's.
    static auto *icons = new QHash<QString, QIcon>;
    auto it = icons->constFind(name);
    if (it == icons->cend())
        it = icons->insert(name, QIcon(bundledIconPath(name)));
    return *it;
}

} // namespace controls
