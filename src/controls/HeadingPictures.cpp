#include "controls/HeadingPictures.h"

#include "platform/MsgBox.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

namespace controls {

namespace {

constexpr int FractionHeight = 36;
constexpr int SymbolHeight = 38;

const QChar Beta(0x03B2);
const QChar Omega(0x03A9);
const QChar Times(0x00D7);
const QChar Squared(0x00B2);

QImage blankImage(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QFont pictureFont(int pixelSize)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    return font;
}

// A unit written as a fraction: numerator, bar, denominator.
QImage fractionPicture(const QString &numerator, const QString &denominator, QSize size)
{
    QImage image = blankImage(size);
    const int width = size.width();
    const int top = qMax(0, (size.height() - FractionHeight) / 2);
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

// A symbol with its subscript on the first line and the unit below, with the exponent raised where
// one is given: unitBase, exponent, unitRest.
QImage symbolPicture(const QString &symbol, const QString &subscript, const QString &unitBase, const QString &exponent,
                     const QString &unitRest, QSize size)
{
    QImage image = blankImage(size);
    const int width = size.width();
    const int top = qMax(0, (size.height() - SymbolHeight) / 2);
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

QSize gridSize(UnitHeading heading)
{
    switch (heading) {
    case UnitHeading::ModulusUnit:
    case UnitHeading::ConductivityUnit: return {44, FractionHeight};
    case UnitHeading::ResistivityUnit: return {50, FractionHeight};
    case UnitHeading::ExpansionAt20:
    case UnitHeading::CapacityAt20: return {46, SymbolHeight};
    case UnitHeading::ExpansionDiff:
    case UnitHeading::CapacityDiff: return {48, SymbolHeight};
    case UnitHeading::None: break;
    }
    return {};
}

QString threeLines(const QString &first, const QString &last)
{
    return first + platform::vbCrLf + platform::vbCrLf + last;
}

} // namespace

QImage headingPicture(UnitHeading heading, QSize size)
{
    if (size.isEmpty())
        size = gridSize(heading);
    switch (heading) {
    case UnitHeading::ModulusUnit: return fractionPicture(QStringLiteral("kN"), QStringLiteral("mm") + Squared, size);
    case UnitHeading::ExpansionAt20:
        return symbolPicture(QString(Beta), QStringLiteral("20, t"), QStringLiteral("[E"), QStringLiteral("-6"),
                             QStringLiteral("/K]"), size);
    case UnitHeading::ConductivityUnit:
        return fractionPicture(QStringLiteral("W"), QStringLiteral("m ") + Times + QStringLiteral(" K"), size);
    case UnitHeading::CapacityAt20:
        return symbolPicture(QStringLiteral("C"), QStringLiteral("p20, t"), QStringLiteral("[J/kgK]"), {}, {}, size);
    case UnitHeading::ResistivityUnit:
        return fractionPicture(Omega + QStringLiteral(" ") + Times + QStringLiteral(" mm") + Squared,
                               QStringLiteral("m"), size);
    case UnitHeading::CapacityDiff:
        return symbolPicture(QStringLiteral("C"), QStringLiteral("p diff, t"), QStringLiteral("[J/kgK]"), {}, {}, size);
    case UnitHeading::ExpansionDiff:
        return symbolPicture(QString(Beta), QStringLiteral("diff, t"), QStringLiteral("[E"), QStringLiteral("-6"),
                             QStringLiteral("/K]"), size);
    case UnitHeading::None: break;
    }
    return {};
}

QString headingText(UnitHeading heading)
{
    switch (heading) {
    case UnitHeading::ModulusUnit: return QStringLiteral("[kN/mm") + Squared + QStringLiteral("]");
    case UnitHeading::ExpansionAt20: return threeLines(Beta + QStringLiteral("20, t"), QStringLiteral("[E-6/K]"));
    case UnitHeading::ConductivityUnit: return QStringLiteral("[W/(m ") + Times + QStringLiteral(" K)]");
    case UnitHeading::CapacityAt20: return threeLines(QStringLiteral("Cp20, t"), QStringLiteral("[J/kgK]"));
    case UnitHeading::ResistivityUnit:
        return QStringLiteral("[") + Omega + QStringLiteral(" ") + Times + QStringLiteral(" mm") + Squared +
               QStringLiteral("/m]");
    case UnitHeading::CapacityDiff: return threeLines(QStringLiteral("Cp diff, t"), QStringLiteral("[J/kgK]"));
    case UnitHeading::ExpansionDiff: return threeLines(Beta + QStringLiteral("diff, t"), QStringLiteral("[E-6/K]"));
    case UnitHeading::None: break;
    }
    return {};
}

} // namespace controls
