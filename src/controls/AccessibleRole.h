#pragma once

#include <QAccessible>

class QAbstractButton;
class QWidget;

namespace controls {

// Gives a button the role a screen reader announces, where the button's look alone would mislead:
// a toolbar button that the program holds down is still a plain button (reported as pressed), not a
// check box. Roles: QAccessible::Button (pressed state when held down), CheckBox (checked state),
// ButtonMenu (a button with an arrow that opens its menu). Set it as soon as the button exists:
// any change of the button's state may already make the accessibility layer describe it.
void setButtonRole(QAbstractButton *button, QAccessible::Role role);

// Gives a window made of a plain widget the role of a window (QAccessible::Window) or a dialog, which
// a plain widget would not report: a screen reader otherwise announces it as a filler.
void setWindowRole(QWidget *window, QAccessible::Role role);

} // namespace controls
