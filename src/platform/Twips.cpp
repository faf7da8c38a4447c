#include "platform/Twips.h"

#include <QWidget>
#include <cmath>

namespace platform {

int twipsToPixels(double twips)
{
    return int(std::lround(twips / TwipsPerPixel));
}

double pixelsToTwips(int pixels)
{
    return double(pixels) * TwipsPerPixel;
}

QRect twipsRect(double left, double top, double width, double height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

void moveTwips(QWidget *widget, double left, double top, double width, double height)
{
    if (widget)
        widget->setGeometry(twipsRect(left, top, width, height));
}

void resizeTwips(QWidget *widget, double width, double height)
{
    if (widget)
        widget->resize(twipsToPixels(width), twipsToPixels(height));
}

double leftTwips(const QWidget *widget)
{
    return widget ? pixelsToTwips(widget->x()) : 0.0;
}

double topTwips(const QWidget *widget)
{
    return widget ? pixelsToTwips(widget->y()) : 0.0;
}

double widthTwips(const QWidget *widget)
{
    return widget ? pixelsToTwips(widget->width()) : 0.0;
}

double heightTwips(const QWidget *widget)
{
    return widget ? pixelsToTwips(widget->height()) : 0.0;
}

} // namespace platform
