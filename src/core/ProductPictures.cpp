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

} // namespace product
