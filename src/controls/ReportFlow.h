#pragma once

// A page as a word processor or a text file takes it: from top to bottom, lines of free text,
// tables (rows of bordered cells side by side) and pictures. The exports that write no positioned
// drawing (RTF, text) read pages through this.

#include "controls/ReportPage.h"

#include <QStringList>
#include <QVector>

namespace controls {

struct FlowCell
{
    double left = 0;
    double right = 0;
    QStringList lines; // the text by its line breaks, each trimmed; a picture gives its alternate text
    ReportFont font;
    int alignment = 0;
    int verticalAlignment = 0;
    ReportBorder border;
};

struct FlowRow
{
    double top = 0;
    double height = 0;
    QVector<FlowCell> cells; // left to right, not overlapping
};

struct FlowBlock
{
    enum class Kind { Line, Table, Picture };
    Kind kind = Kind::Line;
    double top = 0;
    QList<TextPiece> line; // Line
    QVector<FlowRow> rows; // Table
    PageItem picture;      // Picture: a chart, or an image that has no text
};

// The body of the page in reading order, then its page footer.
QVector<FlowBlock> pageFlow(const ReportPage &page);

// Free texts as lines from top to bottom, each line's pieces from left to right.
QList<QList<TextPiece>> textLines(const QVector<PageItem> &items);

} // namespace controls
