// mkpng: renders an SVG drawing to square PNG files.
//
//   mkpng <drawing.svg> <output.png> <size>
//
// The drawing is scaled to fill the square, keeping its proportions, on a transparent ground. No
// display is needed, so drawings for it hold shapes only, no text.

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    bool sizeOk = false;
    const int size = args.value(3).toInt(&sizeOk);
    if (args.size() != 4 || !sizeOk || size < 1 || size > 1024) {
        std::fprintf(stderr, "usage: mkpng <drawing.svg> <output.png> <size 1..1024>\n");
        return 2;
    }
    QSvgRenderer renderer(args.at(1));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "mkpng: %s is not a readable SVG drawing\n", qPrintable(args.at(1)));
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.setAspectRatioMode(Qt::KeepAspectRatio);
    renderer.render(&painter, QRectF(0, 0, size, size));
    painter.end();
    if (!image.save(args.at(2), "PNG")) {
        std::fprintf(stderr, "mkpng: cannot write %s\n", qPrintable(args.at(2)));
        return 1;
    }
    return 0;
}
