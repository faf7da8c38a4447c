#include "controls/Pictograms.h"

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
    return QIcon(bundledIconPath(name));
}

} // namespace controls
