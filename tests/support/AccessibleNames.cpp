#include "AccessibleNames.h"

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QScrollBar>
#include <QWidget>

namespace testsupport {

QStringList unnamedControls(const QWidget *window)
{
    QStringList unnamed;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!(w->focusPolicy() & Qt::TabFocus) || w->focusProxy() || qobject_cast<QScrollBar *>(w) ||
            !w->isVisibleTo(window))
            continue;
        // A view's viewport is part of the view; a control that takes the focus for its parent may
        // be named by it.
        QWidget *parent = w->parentWidget();
        if (qobject_cast<const QAbstractScrollArea *>(parent))
            continue;
        auto nameOf = [](QWidget *widget) {
            QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
            return accessible ? accessible->text(QAccessible::Name).trimmed() : QString();
        };
        if (nameOf(w).isEmpty() && !(parent && parent->focusProxy() == w && !nameOf(parent).isEmpty()))
            unnamed << QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(' ') + w->objectName();
    }
    return unnamed;
}

} // namespace testsupport
