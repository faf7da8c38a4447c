#pragma once

#include "platform/OleColor.h"

class QWidget;

namespace controls {

// A text box's or grid's writing area in a stored colour, in every state of the window.
void setBoxBackColor(QWidget *box, platform::OleColor color);

// A frame filled with a stored colour behind its children.
void setFrameBackColor(QWidget *frame, platform::OleColor color);

} // namespace controls
