#include "reports/ColumnBands.h"

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

} // namespace columnbands
