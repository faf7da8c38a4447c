#include "controls/Application.h"

#include "platform/ErrorBoundary.h"
#include "platform/MsgBox.h"

#include <exception>

namespace controls {

Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const platform::VbError &error) {
        platform::reportError(platform::OnError::ShowNumbered, error);
    } catch (const std::exception &error) {
        platform::msgBox(QString::fromLocal8Bit(error.what()), platform::vbCritical);
    } catch (...) {
        platform::msgBox(QStringLiteral("An unexpected error ended the last action."), platform::vbCritical);
    }
    return false;
}

} // namespace controls
