#include "material/frmMaterial2.h"

#include "controls/HeadingPictures.h"

#include <QPainter>
#include <QPolygonF>

namespace {

const QChar Beta(0x03B2);
const QChar Omega(0x03A9);
const QChar Times(0x00D7);
const QChar Squared(0x00B2);

QImage blankImage(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
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

    using controls::fractionPicture;
    using controls::symbolPicture;
    imgPhys[0] = fractionPicture(QStringLiteral("kN"), QStringLiteral("mm") + Squared, 44, 36);
    imgPhys[1] = QImage();
    imgPhys[2] = fractionPicture(QStringLiteral("W"), QStringLiteral("m ") + Times + QStringLiteral(" K"), 44, 36);
    imgPhys[3] = QImage();
    imgPhys[4] = fractionPicture(Omega + QStringLiteral(" ") + Times + QStringLiteral(" mm") + Squared,
                                 QStringLiteral("m"), 50, 36);

    imgTherm[0] = symbolPicture(QString(Beta), QStringLiteral("20, t"), QStringLiteral("[E"), QStringLiteral("-6"),
                                QStringLiteral("/K]"), 46, 38);
    imgTherm[1] = symbolPicture(QString(Beta), QStringLiteral("diff, t"), QStringLiteral("[E"), QStringLiteral("-6"),
                                QStringLiteral("/K]"), 48, 38);
    imgTherm[2] = symbolPicture(QStringLiteral("C"), QStringLiteral("p20, t"), QStringLiteral("[J/kgK]"), QString(),
                                QString(), 46, 38);
    imgTherm[3] = symbolPicture(QStringLiteral("C"), QStringLiteral("p diff, t"), QStringLiteral("[J/kgK]"), QString(),
                                QString(), 48, 38);
}
