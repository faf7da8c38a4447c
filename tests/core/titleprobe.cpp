// Starts the main window on the window system (no database in the program folder given as the
// argument) and prints the names the window system holds for the main window and for the message
// box that the failed opening shows, as xprop reports them; then answers the box with No.

#include "core/ProductInfo.h"
#include "core/modFileHandler.h"
#include "platform/Environment.h"
#include "shell/mdiVelkor.h"

#include <QApplication>
#include <QProcess>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

void printNames(const char *label, QWidget *window)
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"),
                {QStringLiteral("-notype"), QStringLiteral("-id"), QString::number(window->winId()),
                 QStringLiteral("_NET_WM_NAME"), QStringLiteral("WM_NAME")});
    xprop.waitForFinished(10000);
    for (const QByteArray &line : xprop.readAllStandardOutput().split('\n'))
        if (!line.isEmpty())
            std::printf("%s %s\n", label, line.constData());
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    product::identifyApplication();
    if (argc < 2)
        return 2;
    platform::setProgramFolder(QString::fromLocal8Bit(argv[1]));
    modFileHandler::SetupFileEnvironment();
    std::printf("desktop %s\n", qPrintable(QGuiApplication::desktopFileName()));

    mdiVelkor main;
    main.winId(); // a window on the window system, so that its title reaches it
    bool boxSeen = false;
    QTimer probe;
    probe.setInterval(50);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        QWidget *box = QApplication::activeModalWidget();
        if (!box)
            return;
        probe.stop();
        boxSeen = true;
        QApplication::sync();
        printNames("main", &main);
        printNames("box", box);
        std::fflush(stdout);
        box->close();
    });
    probe.start();
    main.MDIForm_Load();
    return boxSeen ? 0 : 1;
}
