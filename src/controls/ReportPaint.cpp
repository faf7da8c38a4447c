#include "controls/ReportPaint.h"

#include "controls/Chart.h"
#include "controls/ReportPage.h"
#include "platform/OleColor.h"
#include "platform/Twips.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace controls {

QFont qtFont(const ReportFont &font)
{
    QFont qfont(font.name);
    qfont.setPixelSize(std::max(1, qRound(font.size * 20)));
    qfont.setBold(font.bold);
    qfont.setHintingPreference(QFont::PreferNoHinting);
    return qfont;
}

QString displayText(const QString &text)
{
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

int qtAlignment(int alignment, int verticalAlignment)
{
    int flags = alignment == textalign::Right    ? Qt::AlignRight
                : alignment == textalign::Centre ? Qt::AlignHCenter
                                                 : Qt::AlignLeft;
    flags |= verticalAlignment == textalign::Middle   ? Qt::AlignVCenter
             : verticalAlignment == textalign::Bottom ? Qt::AlignBottom
                                                      : Qt::AlignTop;
    return flags;
}

namespace {

Qt::PenStyle penStyle(int style)
{
    switch (style) {
    case borderstyle::None: return Qt::NoPen;
    case borderstyle::Dash: return Qt::DashLine;
    case borderstyle::Dot: return Qt::DotLine;
    case borderstyle::DashDot: return Qt::DashDotLine;
    default: return Qt::SolidLine;
    }
}

void paintBorder(QPainter &painter, const PageItem &item)
{
    const QRectF r = item.rect;
    const QColor color = platform::toQColor(item.border.color);
    const auto side = [&](int style, QPointF a, QPointF b) {
        if (style == borderstyle::None)
            return;
        painter.setPen(QPen(color, 15, penStyle(style), Qt::FlatCap));
        painter.drawLine(a, b);
    };
    side(item.border.leftStyle, r.topLeft(), r.bottomLeft());
    side(item.border.topStyle, r.topLeft(), r.topRight());
    side(item.border.rightStyle, r.topRight(), r.bottomRight());
    side(item.border.bottomStyle, r.bottomLeft(), r.bottomRight());
}

} // namespace

void paintPage(QPainter &painter, const ReportDocument &document, int pageIndex)
{
    if (pageIndex < 0 || pageIndex >= document.pages.size())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    for (const PageItem &item : document.pages.at(pageIndex).items) {
        if (item.kind == PageItem::Kind::Image) {
            const QSizeF size = QSizeF(item.image.size()).scaled(item.rect.size(), Qt::KeepAspectRatio);
            painter.drawImage(QRectF(item.rect.topLeft(), size), item.image);
            continue;
        }
        if (item.kind == PageItem::Kind::Chart) {
            // A chart lays itself out in screen pixels; it is drawn at that size, scaled to twips.
            const QRectF pixels(0, 0, item.rect.width() / platform::TwipsPerPixel,
                                item.rect.height() / platform::TwipsPerPixel);
            if (!item.chart || pixels.isEmpty())
                continue;
            painter.save();
            painter.translate(item.rect.topLeft());
            painter.scale(platform::TwipsPerPixel, platform::TwipsPerPixel);
            item.chart->renderTo(&painter, pixels);
            painter.restore();
            continue;
        }
        if (item.opaque)
            painter.fillRect(item.rect, platform::toQColor(item.backColor));
        if (!item.text.isEmpty()) {
            painter.setFont(qtFont(item.font));
            painter.setPen(platform::toQColor(item.foreColor));
            const QRectF inner = item.rect.adjusted(TextPadding, 0, -TextPadding, 0);
            // A text taller than its box runs over the edge rather than losing lines.
            painter.drawText(inner,
                             qtAlignment(item.alignment, item.verticalAlignment) | Qt::TextWordWrap | Qt::TextDontClip,
                             displayText(item.text));
        }
        paintBorder(painter, item);
    }
    painter.restore();
}

QImage pageImage(const ReportDocument &document, int pageIndex, double zoom)
{
    const double scale = zoom / platform::TwipsPerPixel;
    QImage image(std::max(1, qRound(document.paperWidth * scale)), std::max(1, qRound(document.paperHeight * scale)),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    paintPage(painter, document, pageIndex);
    return image;
}

} // namespace controls
