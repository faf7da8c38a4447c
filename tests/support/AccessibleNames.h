#pragma once

#include <QStringList>

class QWidget;

namespace testsupport {

// The controls of a window, as it stands, that a user reaches by keyboard but a screen reader could
// not name: "class objectName" for each shown, focusable widget whose accessible name is empty.
QStringList unnamedControls(const QWidget *window);

} // namespace testsupport
