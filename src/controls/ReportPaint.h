#pragma once

#include "controls/ReportControls.h"

#include <QFont>
#include <QString>

namespace controls {

// Space between a box's side and its text, in twips.
constexpr double TextPadding = 30;

// A report font for painting in twips: one point is 20 twips.
QFont qtFont(const ReportFont &font);
// CR LF and lone CR as the line breaks Qt draws.
QString displayText(const QString &text);
int qtAlignment(int alignment, int verticalAlignment);

} // namespace controls
