#pragma once

#include "controls/ReportControls.h"

#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>
#include <QVector>
#include <memory>

class QPainter;

namespace controls {

class Chart;

// Paper and margins in twips; A4 portrait. The left margin centres the printable width.
struct PageSettings
{
    double paperWidth = 11906;
    double paperHeight = 16838;
    double topMargin = 850;
    double bottomMargin = 850;
    double leftMargin(double printWidth) const;
};

// One thing drawn on a page, in twips from the paper's top left corner.
struct PageItem
{
    enum class Kind { Text, Image, Chart };
    Kind kind = Kind::Text;
    QRectF rect;
    QString text; // CR LF line breaks as given; for an image its alternate text
    ReportFont font;
    int alignment = 0;
    int verticalAlignment = 0;
    bool opaque = false;
    platform::OleColor backColor = platform::olecolor::White;
    platform::OleColor foreColor = platform::olecolor::Black;
    ReportBorder border;
    QImage image;
    // A copy of the chart as it was when its section printed; drawn at its size in pixels.
    std::shared_ptr<controls::Chart> chart;
    ReportField::PageValue pageValue = ReportField::PageValue::None;
    bool canSplit = false; // a grown text: it may continue on the next page between two of its lines
};

struct ReportPage
{
    QVector<PageItem> items;
    int footerItems = 0; // the last items are the page footer's
};

struct ReportDocument
{
    QString title;
    double paperWidth = 11906;
    double paperHeight = 16838;
    double leftMargin = 992;
    double printWidth = 9921;
    double topMargin = 850;
    double bottomMargin = 850;
    QVector<ReportPage> pages;
};

// Draws a page; the painter's coordinates must be twips (the caller scales).
void paintPage(QPainter &painter, const ReportDocument &document, int pageIndex);
// The page drawn into an image, zoom 1 = 15 twips per pixel.
QImage pageImage(const ReportDocument &document, int pageIndex, double zoom);

// One line's piece of text, with its left edge and top in twips.
struct TextPiece
{
    double left = 0;
    double top = 0;
    double lineHeight = 0;
    QString text;
    ReportFont font;
};

} // namespace controls
