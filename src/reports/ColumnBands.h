#pragma once

// How a table too wide for the paper continues: its first column (the row labels) is repeated at
// the left of every further band, and each band takes as many of the remaining columns as fit.

#include <QVector>

namespace columnbands {

// widths[0] is the label column, widths[c] column c, laid side by side from `left` (twips from the
// printable area's left edge). Returns the first column of every band after the first; empty when
// the whole table fits within printWidth. A band always takes at least one column, so a column
// wider than the paper on its own still prints (cut at the edge) rather than being lost.
QVector<int> bandStarts(double left, const QVector<double> &widths, double printWidth);

} // namespace columnbands
