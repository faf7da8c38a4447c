#include "controls/BackColor.h"

#include <QPalette>
#include <QWidget>

namespace controls {

namespace {

void setRole(QWidget *widget, QPalette::ColorRole role, platform::OleColor color)
{
    QPalette palette = widget->palette();
    palette.setColor(role, platform::toQColor(color)); // in every state of the window
    widget->setPalette(palette);
}

} // namespace

void setBoxBackColor(QWidget *box, platform::OleColor color)
{
    if (box)
        setRole(box, QPalette::Base, color);
}

void setFrameBackColor(QWidget *frame, platform::OleColor color)
{
    if (!frame)
        return;
    setRole(frame, QPalette::Window, color);
    frame->setAutoFillBackground(true);
}

} // namespace controls
