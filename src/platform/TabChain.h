#pragma once

#include <QList>

class QWidget;

namespace platform {

// The order in which Tab moves through a window's controls: each control after the one before it.
// A control made of others that hands its focus to one of them (a grid to its table) moves with its
// parts; a control that takes no focus is passed over.
void setTabChain(const QList<QWidget *> &controls);

} // namespace platform
