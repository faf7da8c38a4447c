#include "core/ProductPictures.h"

#include "core/ProductInfo.h"

#include <QPainter>

namespace product {

QPixmap logoPicture(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1F, 0x4E, 0x8C));
    p.drawEllipse(QRectF(1, 1, size - 2, size - 2));
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(size * 6 / 10);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, CompanyName.left(1));
    return pixmap;
}

QPixmap vesselPicture(int width, int height, VesselStance stance)
{
    const bool standing = stance == VesselStance::Standing;
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor dark(0x5C, 0x66, 0x70);
    const QColor light(0xE8, 0xEC, 0xF0);
    // The shell, lit across its axis.
    const QRectF shell = standing ? QRectF(width * 0.2, height * 0.06, width * 0.6, height * 0.78)
                                  : QRectF(width * 0.08, height * 0.25, width * 0.84, height * 0.45);
    QLinearGradient steel(shell.topLeft(), standing ? shell.topRight() : shell.bottomLeft());
    if (standing) {
        steel.setColorAt(0, dark);
        steel.setColorAt(0.45, light);
    } else {
        steel.setColorAt(0, light);
        steel.setColorAt(0.5, QColor(0x9A, 0xA6, 0xB2));
    }
    steel.setColorAt(1, dark);
    p.setPen(QPen(QColor(0x40, 0x48, 0x50), standing ? 1.2 : 1.5));
    p.setBrush(steel);
    const double radius = standing ? shell.width() / 2 : shell.height() / 2;
    p.drawRoundedRect(shell, radius, radius);
    // The skirt, or the two nozzles and the two saddles.
    p.setBrush(QColor(0x70, 0x7A, 0x84));
    if (standing) {
        p.drawRect(QRectF(width * 0.3, height * 0.84, width * 0.4, height * 0.12));
    } else {
        p.drawRect(QRectF(width * 0.30, height * 0.12, width * 0.07, height * 0.14));
        p.drawRect(QRectF(width * 0.62, height * 0.12, width * 0.07, height * 0.14));
        p.drawRect(QRectF(width * 0.22, height * 0.70, width * 0.10, height * 0.18));
        p.drawRect(QRectF(width * 0.68, height * 0.70, width * 0.10, height * 0.18));
    }
    return pixmap;
}

} // namespace product
