#pragma once

#include <QColor>
#include <cstdint>

namespace platform {

// Colours are kept as the stored values &H00BBGGRR, or &H800000xx for a system colour, so that the
// settings file stays compatible; this is the one place they turn into screen colours.
using OleColor = std::uint32_t;

namespace olecolor {
constexpr OleColor White = 0xFFFFFF;
constexpr OleColor Black = 0x000000;
constexpr OleColor InfoBackground = 0x80000018;   // vbInfoBackground
constexpr OleColor AppWorkspace = 0x8000000C;     // vbApplicationWorkspace
constexpr OleColor WindowBackground = 0x80000005; // vbWindowBackground
constexpr OleColor ButtonFace = 0x8000000F;       // vbButtonFace
constexpr OleColor WindowText = 0x80000008;       // vbWindowText
} // namespace olecolor

bool isSystemColor(OleColor value);
QColor toQColor(OleColor value);
// A colour back to its stored form (never a system colour).
OleColor fromQColor(const QColor &color);

} // namespace platform
