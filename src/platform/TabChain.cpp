#include "platform/TabChain.h"

#include <QWidget>

namespace platform {

void setTabChain(const QList<QWidget *> &controls)
{
    QWidget *previous = nullptr;
    for (QWidget *control : controls) {
        if (!control || control->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

} // namespace platform
