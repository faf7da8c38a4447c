#include "reports/ColumnBands.h"

#include <cmath>

namespace columnbands {

namespace {
constexpr double Tolerance = 0.5; // twips: a column ending exactly at the edge fits
}

QVector<int> bandStarts(double left, const QVector<double> &widths, double printWidth)
{
    QVector<int> starts;
    if (widths.size() < 2)
        return starts;
    const double labelRight = left + widths.at(0);
    double right = labelRight;
    bool bandEmpty = true;
    for (int c = 1; c < widths.size(); ++c) {
        if (!bandEmpty && right + widths.at(c) > printWidth + Tolerance) {
            starts.append(c);
            right = labelRight;
        }
        right += widths.at(c);
        bandEmpty = false;
    }
    return starts;
}

int splitColumn(double start, const QVector<double> &widths, int first, double maxWidth, const QVector<bool> &skip,
                bool roundEach)
{
    double width = start;
    for (int c = qMax(first, 0); c < widths.size(); ++c) {
        if (c < skip.size() && skip.at(c))
            continue;
        width += widths.at(c);
        if (roundEach)
            width = std::nearbyint(width);
        if (width > maxWidth)
            return c;
    }
    return -1;
}

} // namespace columnbands
