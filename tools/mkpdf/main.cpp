// mkpdf: turns a text file into an A4 PDF document.
//
//   mkpdf <input.txt> <output.pdf>
//
// The first line of the text is the document's title, printed as a heading; the lines after it
// are paragraphs, an empty line separating them. Lines that start with "- " are list items.

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextDocument>

#include <cstdio>

namespace {

QString toHtml(const QString &title, const QStringList &body)
{
    QString html = QStringLiteral("<h2>%1</h2>").arg(title.toHtmlEscaped());
    QString paragraph;
    bool inList = false;
    auto flush = [&]() {
        if (!paragraph.isEmpty())
            html += QStringLiteral("<p>%1</p>").arg(paragraph);
        paragraph.clear();
    };
    for (const QString &raw : body) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1String("- "))) {
            flush();
            if (!inList)
                html += QStringLiteral("<ul>");
            inList = true;
            html += QStringLiteral("<li>%1</li>").arg(line.mid(2).toHtmlEscaped());
            continue;
        }
        if (inList) {
            html += QStringLiteral("</ul>");
            inList = false;
        }
        if (line.isEmpty()) {
            flush();
            continue;
        }
        if (!paragraph.isEmpty())
            paragraph += QLatin1Char(' ');
        paragraph += line.toHtmlEscaped();
    }
    flush();
    if (inList)
        html += QStringLiteral("</ul>");
    return html;
}

} // namespace

int main(int argc, char *argv[])
{
    // No display is needed to lay out text for a PDF.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Build machines often have no session runtime folder; a private one keeps Qt from warning on every run.
    QTemporaryDir runtimeDir;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtimeDir.isValid())
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.path()));
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: mkpdf <input.txt> <output.pdf>\n");
        return 2;
    }
    QFile input(args.at(1));
    if (!input.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "mkpdf: cannot read %s: %s\n", qPrintable(args.at(1)), qPrintable(input.errorString()));
        return 1;
    }
    QStringList lines = QString::fromUtf8(input.readAll()).split(QLatin1Char('\n'));
    const QString title = lines.isEmpty() ? QString() : lines.takeFirst().trimmed();

    QPdfWriter writer(args.at(2));
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Velkor-PED"));
    writer.setResolution(300);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 20, 20, 20),
                                     QPageLayout::Millimeter));

    QTextDocument document;
    document.documentLayout()->setPaintDevice(&writer);
    document.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 11));
    // The page layout holds the margins; a document margin as well makes a line repeat at page breaks.
    document.setDocumentMargin(0);
    document.setHtml(toHtml(title, lines));
    document.setPageSize(QSizeF(writer.pageLayout().paintRectPixels(writer.resolution()).size()));
    document.print(&writer);
    if (QFileInfo(args.at(2)).size() == 0) {
        std::fprintf(stderr, "mkpdf: cannot write %s\n", qPrintable(args.at(2)));
        return 1;
    }
    return 0;
}
