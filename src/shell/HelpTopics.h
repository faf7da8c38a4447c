#pragma once

// F1 opens the help on the page about the window in use, or on its contents when the help has no
// page about that window (the main window itself, a message box, the help window).

#include <QObject>
#include <QString>

class QWidget;

namespace helptopics {

// The help page about the window that holds the widget; for the main window, about its active
// child window. Empty when the help has none.
QString TopicOf(const QWidget *widget);

// Opens the help on TopicOf(widget), or on its contents.
void ShowHelpFor(const QWidget *widget);

// Installed on the application: F1 pressed in any window opens ShowHelpFor of the widget that has
// the focus. It takes F1 before the main window's Help > Contents shortcut, which the menu item
// keeps.
class HelpKey : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace helptopics
