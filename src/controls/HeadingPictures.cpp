#include "controls/HeadingPictures.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

namespace controls {

namespace {

constexpr int FractionHeight = 36;
constexpr int SymbolHeight = 38;

QImage blankImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QFont pictureFont(int pixelSize)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace

QImage fractionPicture(const QString &numerator, const QString &denominator, int width, int height)
{
    QImage image = blankImage(width, height);
    const int top = qMax(0, (height - FractionHeight) / 2);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(pictureFont(11));
    p.setPen(Qt::black);
    p.drawText(QRect(0, top + 1, width, 16), Qt::AlignHCenter | Qt::AlignBottom, numerator);
    const QFontMetrics fm(p.font());
    const int bar = qMin(width - 4, qMax(fm.horizontalAdvance(numerator), fm.horizontalAdvance(denominator)) + 6);
    p.drawLine((width - bar) / 2, top + 18, (width + bar) / 2, top + 18);
    p.drawText(QRect(0, top + 19, width, 16), Qt::AlignHCenter | Qt::AlignTop, denominator);
    return image;
}

QImage symbolPicture(const QString &symbol, const QString &subscript, const QString &unitBase, const QString &exponent,
                     const QString &unitRest, int width, int height)
{
    QImage image = blankImage(width, height);
    const int top = qMax(0, (height - SymbolHeight) / 2);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(Qt::black);
    const QFont main = pictureFont(12), small = pictureFont(8), unit = pictureFont(10);
    const QFontMetrics fmMain(main), fmSmall(small), fmUnit(unit);

    int x = qMax(0, (width - fmMain.horizontalAdvance(symbol) - fmSmall.horizontalAdvance(subscript)) / 2);
    p.setFont(main);
    p.drawText(x, top + 14, symbol);
    x += fmMain.horizontalAdvance(symbol);
    p.setFont(small);
    p.drawText(x, top + 17, subscript);

    const int unitWidth =
        fmUnit.horizontalAdvance(unitBase) + fmSmall.horizontalAdvance(exponent) + fmUnit.horizontalAdvance(unitRest);
    x = qMax(0, (width - unitWidth) / 2);
    p.setFont(unit);
    p.drawText(x, top + 33, unitBase);
    x += fmUnit.horizontalAdvance(unitBase);
    p.setFont(small);
    p.drawText(x, top + 28, exponent);
    x += fmSmall.horizontalAdvance(exponent);
    p.setFont(unit);
    p.drawText(x, top + 33, unitRest);
    return image;
}

QString electricalResistivityUnit()
{
    return QStringLiteral("[") + QChar(0x03A9) + QStringLiteral(" ") + QChar(0x00D7) + QStringLiteral(" mm") +
           QChar(0x00B2) + QStringLiteral("/m]");
}

} // namespace controls
