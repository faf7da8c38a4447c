#pragma once

#include <QImage>
#include <QString>

namespace controls {

// Column headings drawn as typeset pictures, for the units the grids and reports cannot write as
// plain text. Both are drawn in black on a transparent image and centred in it.

// A unit written as a fraction: numerator, bar, denominator.
QImage fractionPicture(const QString &numerator, const QString &denominator, int width, int height);

// A symbol with its subscript on the first line and the unit below, with the exponent raised where
// one is given: unitBase, exponent, unitRest.
QImage symbolPicture(const QString &symbol, const QString &subscript, const QString &unitBase, const QString &exponent,
                     const QString &unitRest, int width, int height);

// The unit of the specific electrical resistance as one line of text: "[Ω × mm²/m]".
QString electricalResistivityUnit();

} // namespace controls
