#include "platform/OleColor.h"

#include <QGuiApplication>
#include <QPalette>

namespace platform {

namespace {

QPalette currentPalette()
{
    return qGuiApp ? QGuiApplication::palette() : QPalette();
}

// The system colour indexes of the stored values, in the order Windows numbers them.
QColor systemColor(int index)
{
    const QPalette p = currentPalette();
    switch (index) {
    case 0x00: return p.color(QPalette::Button);          // scroll bars
    case 0x01: return p.color(QPalette::Dark);            // desktop
    case 0x02: return p.color(QPalette::Highlight);       // active title bar
    case 0x03: return p.color(QPalette::Mid);             // inactive title bar
    case 0x04: return p.color(QPalette::Window);          // menu bar
    case 0x05: return p.color(QPalette::Base);            // window background
    case 0x06: return p.color(QPalette::Shadow);          // window frame
    case 0x07: return p.color(QPalette::WindowText);      // menu text
    case 0x08: return p.color(QPalette::WindowText);      // window text
    case 0x09: return p.color(QPalette::HighlightedText); // active title text
    case 0x0A: return p.color(QPalette::Button);          // active border
    case 0x0B: return p.color(QPalette::Button);          // inactive border
    case 0x0C: return QColor(171, 171, 171);              // application workspace (MDI background)
    case 0x0D: return p.color(QPalette::Highlight);
    case 0x0E: return p.color(QPalette::HighlightedText);
    case 0x0F: return p.color(QPalette::Button);                   // button face
    case 0x10: return p.color(QPalette::Dark);                     // button shadow
    case 0x11: return p.color(QPalette::Disabled, QPalette::Text); // grey text
    case 0x12: return p.color(QPalette::ButtonText);
    case 0x13: return p.color(QPalette::Disabled, QPalette::WindowText); // inactive title text
    case 0x14: return p.color(QPalette::Light);                          // 3D highlight
    case 0x15: return p.color(QPalette::Shadow);                         // 3D dark shadow
    case 0x16: return p.color(QPalette::Midlight);                       // 3D light
    case 0x17: return p.color(QPalette::ToolTipText);                    // info text
    case 0x18: return p.color(QPalette::ToolTipBase);                    // info background
    default: return p.color(QPalette::WindowText);
    }
}

} // namespace

bool isSystemColor(OleColor value)
{
    return (value & 0xFF000000u) == 0x80000000u;
}

QColor toQColor(OleColor value)
{
    if (isSystemColor(value))
        return systemColor(int(value & 0xFFu));
    return QColor(int(value & 0xFFu), int((value >> 8) & 0xFFu), int((value >> 16) & 0xFFu));
}

OleColor fromQColor(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return OleColor(rgb.red()) | (OleColor(rgb.green()) << 8) | (OleColor(rgb.blue()) << 16);
}

} // namespace platform
