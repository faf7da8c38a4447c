#pragma once

#include <Qt>

class QKeyEvent;

namespace platform {

// The key codes and shift mask the key handlers receive (vbKeyBack 8, vbKeyReturn 13,
// vbKeyDelete 46, letters 65-90, ...): 0 for a key that has no code. Shift 1, Ctrl 2, Alt 4.
int vbKeyCode(const QKeyEvent *event);
constexpr int vbKeyBack = 8;
constexpr int vbKeyReturn = 13;
constexpr int vbKeyDelete = 46;
int vbShift(Qt::KeyboardModifiers modifiers);

} // namespace platform
