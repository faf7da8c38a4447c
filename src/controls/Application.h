#pragma once

#include <QApplication>

namespace controls {

// The program's application object and the last boundary of every event: an error that a handler let
// pass is shown through the message service and ends that event, and the program goes on. Nothing
// thrown ever unwinds through the event loop.
class Application : public QApplication
{
public:
    Application(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};

} // namespace controls
