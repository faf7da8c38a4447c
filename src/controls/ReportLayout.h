#pragma once

#include "controls/ReportPage.h"

#include <QHash>
#include <QVector>

namespace controls {

class Report;
class ReportControl;
class ReportSection;

// A heading printed again at the top of a page that starts between `from` and `to` of its band
// (inside the rows it heads); its items stand in twips from the heading's own top.
struct RepeatedHeading
{
    double from = 0;
    double to = 0;
    double height = 0;
    QVector<PageItem> items;
};

// One printed section: its items in twips from the section's top left corner, its height, and the
// places where a page break starts a new page. A page may not end strictly inside a kept span
// (unless the span is taller than a page); a band kept with the next one does not end a page
// without at least the first line of that band. The band of a repeating group header heads the
// `headsRows` bands after it; a band that holds a subreport's rows carries their headings.
struct ReportBand
{
    double height = 0;
    QVector<PageItem> items;
    QVector<double> breaks;
    QVector<QPair<double, double>> keeps;
    QVector<RepeatedHeading> headings;
    bool keepWithNext = false;
    int headsRows = 0;

    bool insideKeep(double y) const;
    // The first place below `from` where the band can end a page after at least one of its items.
    double firstCut(double from) const;
};

// The engine behind Report::run(): raises the events, prints the sections into bands and lays the
// bands out into pages.
class ReportLayout
{
public:
    // Runs the report up to its last section (without reportEnd) and returns what it printed.
    static QVector<ReportBand> printSections(Report &report);
    // A subreport's whole run, reportEnd included.
    static QVector<ReportBand> runSubReport(Report &report);
    // Field boxes with a data field take the current value of that field as their text.
    static void bindFields(Report &report, ReportSection &section);
    static ReportBand printSection(const ReportSection &section,
                                   const QHash<const ReportControl *, QVector<ReportBand>> &children);
    static ReportDocument paginate(Report &report, const QVector<ReportBand> &bands);
    // Height in twips that a text needs in a box of this width.
    static double textHeight(const QString &text, const ReportFont &font, double width);
};

} // namespace controls
