#pragma once

#include <QIcon>
#include <QImage>

namespace testutil {

// True when the icon gives a picture of the full size (pixels: size times the ratio) that shows
// something: neither missing nor blank.
inline bool drawsAt(const QIcon &icon, int size, qreal devicePixelRatio = 1.0)
{
    const QImage image = icon.pixmap(QSize(size, size), devicePixelRatio).toImage();
    const int pixels = qRound(size * devicePixelRatio);
    if (image.isNull() || image.width() < pixels || image.height() < pixels)
        return false;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0)
                return true;
    return false;
}

} // namespace testutil
