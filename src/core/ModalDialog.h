#pragma once

// Runs the program's own modal dialogs. Tests install a runner that shows the dialog without
// blocking and drives its handlers.

#include <functional>

class QDialog;

namespace modal {

using Runner = std::function<void(QDialog &dialog)>;

// Shows the dialog modally and returns once it is closed.
void run(QDialog &dialog);
// Replaces the runner; an empty function restores the modal loop.
void setRunner(Runner runner);

} // namespace modal
