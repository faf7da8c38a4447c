#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace controls {

// Column headings drawn as typeset pictures, for the units the grids and reports cannot write as
// plain text, numbered as the material report's picture holders keep them (imgPhys0..5, then the
// second column's own picture).
enum class UnitHeading : int {
    None = -1,
    ModulusUnit = 0,  // kN over mm²
    ExpansionAt20,    // β 20, t over [E-6/K]
    ConductivityUnit, // W over m × K
    CapacityAt20,     // Cp20, t over [J/kgK]
    ResistivityUnit,  // Ω × mm² over m
    CapacityDiff,     // Cp diff, t over [J/kgK]
    ExpansionDiff,    // β diff, t over [E-6/K]
};
inline constexpr int UnitHeadingCount = 7;

// A heading drawn in black on a transparent image of the size given, centred in it; without a
// size, at the size the grids show it (about 44 to 50 by 36 to 38 pixels). Null for None.
QImage headingPicture(UnitHeading heading, QSize size = {});

// The same heading as text, for the exports that write text: a unit as one line ("[kN/mm²]"), a
// symbol with its subscript as plain text, an empty line and the unit.
QString headingText(UnitHeading heading);

} // namespace controls
