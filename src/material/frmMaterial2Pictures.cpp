#include "material/frmMaterial2.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

const QChar SharpS(0x00DF);
const QChar Omega(0x03A9);
const QChar Times(0x00D7);
const QChar Squared(0x00B2);

QImage blankImage(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QFont pictureFont(int pixelSize, bool bold = false)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

// A unit drawn as a fraction: numerator, bar, denominator, centred.
QImage fraction(const QString &numerator, const QString &denominator, int width)
{
    QImage image = blankImage(width, 36);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(pictureFont(11));
    p.setPen(Qt::black);
    p.drawText(QRect(0, 1, width, 16), Qt::AlignHCenter | Qt::AlignBottom, numerator);
    const QFontMetrics fm(p.font());
    const int bar = qMin(width - 4, qMax(fm.horizontalAdvance(numerator), fm.horizontalAdvance(denominator)) + 6);
    p.drawLine((width - bar) / 2, 18, (width + bar) / 2, 18);
    p.drawText(QRect(0, 19, width, 16), Qt::AlignHCenter | Qt::AlignTop, denominator);
    return image;
}

// A symbol with its subscript on the first line and the unit below, the exponent raised where given.
QImage symbolWithUnit(const QString &symbol, const QString &subscript, const QString &unitBase,
                      const QString &unitExponent, const QString &unitRest, int width)
{
    QImage image = blankImage(width, 38);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(Qt::black);
    const QFont main = pictureFont(12);
    const QFont small = pictureFont(8);
    const QFontMetrics fmMain(main), fmSmall(small);

    const int topWidth = fmMain.horizontalAdvance(symbol) + fmSmall.horizontalAdvance(subscript);
    int x = qMax(0, (width - topWidth) / 2);
    p.setFont(main);
    p.drawText(x, 14, symbol);
    x += fmMain.horizontalAdvance(symbol);
    p.setFont(small);
    p.drawText(x, 17, subscript);

    const QFont unit = pictureFont(10);
    const QFontMetrics fmUnit(unit);
    const int unitWidth = fmUnit.horizontalAdvance(unitBase) + fmSmall.horizontalAdvance(unitExponent) +
                          fmUnit.horizontalAdvance(unitRest);
    x = qMax(0, (width - unitWidth) / 2);
    p.setFont(unit);
    p.drawText(x, 33, unitBase);
    x += fmUnit.horizontalAdvance(unitBase);
    p.setFont(small);
    p.drawText(x, 28, unitExponent);
    x += fmSmall.horizontalAdvance(unitExponent);
    p.setFont(unit);
    p.drawText(x, 33, unitRest);
    return image;
}

// The notes button's arrow: pointing up while the pane is closed, down while it is open.
QPixmap arrow(bool up, const QColor &fill)
{
    QImage image = blankImage(16, 12);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(fill);
    const QPolygonF shape = up ? QPolygonF({QPointF(2, 10), QPointF(14, 10), QPointF(8, 2)})
                               : QPolygonF({QPointF(2, 2), QPointF(14, 2), QPointF(8, 10)});
    p.drawPolygon(shape);
    return QPixmap::fromImage(image);
}

} // namespace

void frmMaterial2::CreatePictures()
{
    imgUpDown[0] = arrow(true, QColor(0, 0, 128));
    imgUpDown[1] = arrow(false, QColor(0, 0, 128));
    imgUpDown[2] = arrow(true, QColor(255, 220, 0));

    imgPhys[0] = fraction(QStringLiteral("kN"), QStringLiteral("mm") + Squared, 44);
    imgPhys[1] = QImage();
    imgPhys[2] = fraction(QStringLiteral("W"), QStringLiteral("m ") + Times + QStringLiteral(" K"), 44);
    imgPhys[3] = QImage();
    imgPhys[4] = fraction(Omega + QStringLiteral(" ") + Times + QStringLiteral(" mm") + Squared, QStringLiteral("m"), 50);

    imgTherm[0] = symbolWithUnit(QString(SharpS), QStringLiteral("20, t"), QStringLiteral("[E"), QStringLiteral("-6"),
                                 QStringLiteral("/K]"), 46);
    imgTherm[1] = symbolWithUnit(QString(SharpS), QStringLiteral("diff, t"), QStringLiteral("[E"), QStringLiteral("-6"),
                                 QStringLiteral("/K]"), 48);
    imgTherm[2] = symbolWithUnit(QStringLiteral("C"), QStringLiteral("p20, t"), QStringLiteral("[J/kgK]"), QString(),
                                 QString(), 46);
    imgTherm[3] = symbolWithUnit(QStringLiteral("C"), QStringLiteral("p diff, t"), QStringLiteral("[J/kgK]"), QString(),
                                 QString(), 48);
}
