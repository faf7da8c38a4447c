#include "controls/Application.h"
#include "core/ProductInfo.h"
#include "shell/frmSplash.h"

int main(int argc, char *argv[])
{
    controls::Application app(argc, argv);
    product::identifyApplication();

    // The program ends when its last window closes: the main window, or the splash when the
    // start-up failed.
    frmSplash splash;
    splash.Form_Load();
    return app.exec();
}
