#include "search/DropImage.h"

#include "controls/DataGrid.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>

DropImage::DropImage(QWidget *parent) : QLabel(parent)
{
    setAcceptDrops(true);
    setAlignment(Qt::AlignCenter);
}

void DropImage::dragEnterEvent(QDragEnterEvent *event)
{
    if (controls::DataGrid::isGridDrag(event->mimeData()))
        event->acceptProposedAction();
}

void DropImage::dragMoveEvent(QDragMoveEvent *event)
{
    if (controls::DataGrid::isGridDrag(event->mimeData()))
        event->acceptProposedAction();
}

void DropImage::dropEvent(QDropEvent *event)
{
    if (!controls::DataGrid::isGridDrag(event->mimeData()))
        return;
    event->acceptProposedAction();
    emit dragDrop(controls::DataGrid::dragSourceName(event->mimeData()));
}

namespace searchpictures {

namespace {

QPixmap canvas(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QPixmap bin(int size, bool full)
{
    QPixmap pixmap = canvas(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    p.setPen(QPen(QColor(60, 60, 60), s / 16));
    if (full) {
        p.setBrush(QColor(235, 235, 200));
        p.drawEllipse(QRectF(s * 0.22, s * 0.12, s * 0.3, s * 0.22));
        p.drawEllipse(QRectF(s * 0.45, s * 0.08, s * 0.32, s * 0.25));
    }
    p.setBrush(QColor(170, 180, 190));
    QPainterPath body;
    body.moveTo(s * 0.18, s * 0.3);
    body.lineTo(s * 0.82, s * 0.3);
    body.lineTo(s * 0.72, s * 0.94);
    body.lineTo(s * 0.28, s * 0.94);
    body.closeSubpath();
    p.drawPath(body);
    for (int i = 1; i <= 3; ++i) {
        const qreal x = s * (0.28 + 0.11 * i);
        p.drawLine(QPointF(x, s * 0.4), QPointF(x, s * 0.84));
    }
    return pixmap;
}

} // namespace

QPixmap folder(int size)
{
    QPixmap pixmap = canvas(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    p.setPen(QPen(QColor(120, 90, 10), s / 16));
    p.setBrush(QColor(240, 200, 80));
    QPainterPath back;
    back.moveTo(s * 0.06, s * 0.22);
    back.lineTo(s * 0.38, s * 0.22);
    back.lineTo(s * 0.46, s * 0.32);
    back.lineTo(s * 0.94, s * 0.32);
    back.lineTo(s * 0.94, s * 0.86);
    back.lineTo(s * 0.06, s * 0.86);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(QColor(250, 222, 120));
    QPainterPath front;
    front.moveTo(s * 0.06, s * 0.86);
    front.lineTo(s * 0.18, s * 0.44);
    front.lineTo(s * 0.98, s * 0.44);
    front.lineTo(s * 0.9, s * 0.86);
    front.closeSubpath();
    p.drawPath(front);
    return pixmap;
}

QPixmap emptyBin(int size)
{
    return bin(size, false);
}

QPixmap fullBin(int size)
{
    return bin(size, true);
}

QPixmap helpIcon(int size)
{
    QPixmap pixmap = canvas(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    p.setPen(QPen(QColor(20, 60, 140), s / 14));
    p.setBrush(QColor(90, 140, 220));
    p.drawEllipse(QRectF(s * 0.06, s * 0.06, s * 0.88, s * 0.88));
    QFont font;
    font.setBold(true);
    font.setPixelSize(int(s * 0.6));
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, s, s), Qt::AlignCenter, QStringLiteral("?"));
    return pixmap;
}

} // namespace searchpictures
