#include "core/ProductInfo.h"
#include "core/frmSplash.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velkor_PED"));
    QApplication::setOrganizationName(product::CompanyName);
    QApplication::setApplicationDisplayName(product::ProductName);

    // The program ends when its last window closes: the main window, or the splash when the
    // start-up failed.
    frmSplash splash;
    splash.Form_Load();
    return app.exec();
}
