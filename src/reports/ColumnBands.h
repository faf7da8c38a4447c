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

// Where a table too wide for one row of columns splits: the widths of columns first, first + 1, ...
// are added in turn to start, and the first column at which the sum passes maxWidth is returned;
// -1 when every column fits. A column marked in skip takes no room; with roundEach the sum is
// rounded to whole twips (halves to even) after each column, as the creep table's widths are.
int splitColumn(double start, const QVector<double> &widths, int first, double maxWidth, const QVector<bool> &skip = {},
                bool roundEach = false);

} // namespace columnbands
