#include "material/frmMaterial2.h"

#include <QPainter>
#include <QPolygonF>

namespace {

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
    imgUpDown[NotesClosed] = arrow(true, QColor(0, 0, 128));
    imgUpDown[NotesOpen] = arrow(false, QColor(0, 0, 128));
    imgUpDown[NotesBlinking] = arrow(true, QColor(255, 220, 0));
}
