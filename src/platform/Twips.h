#pragma once

#include <QRect>

class QWidget;

namespace platform {

// Every position and size of the windows and reports is given in twips; this is the one conversion.
constexpr int TwipsPerPixel = 15;

int twipsToPixels(double twips);
double pixelsToTwips(int pixels);
QRect twipsRect(double left, double top, double width, double height);

// Moves and sizes a widget inside its parent; arguments in twips.
void moveTwips(QWidget *widget, double left, double top, double width, double height);
void resizeTwips(QWidget *widget, double width, double height);

// Geometry read back in twips.
double leftTwips(const QWidget *widget);
double topTwips(const QWidget *widget);
double widthTwips(const QWidget *widget);
double heightTwips(const QWidget *widget);

} // namespace platform
