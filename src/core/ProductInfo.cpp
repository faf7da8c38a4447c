#include "core/ProductInfo.h"

#include <QGuiApplication>

namespace product {

void identifyApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("Velkor_PED"));
    QCoreApplication::setOrganizationName(CompanyName);
    // No display name: the window system would append it to every window's title, and each window
    // carries its own title. The desktop knows the program by its desktop entry instead.
    QGuiApplication::setDesktopFileName(DesktopFileName);
}

} // namespace product
