// The help viewer on a compiled help file other than the program's: pages in folders, a page in
// another character set, sub-keywords, and the file's own default page and title.

#include "tst_help.h"

#include "core/HelpFile.h"
#include "core/HelpViewer.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QPixmap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTreeWidget>

namespace {

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray sitemapItem(const char *name, const char *local = nullptr)
{
    QByteArray item = QByteArray("<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"") + name + "\">";
    if (local)
        item += QByteArray("<param name=\"Local\" value=\"") + local + "\">";
    return item + "</OBJECT>\n";
}

// The pictures that the page shown draws, loaded through the viewer.
int picturesShown(const QTextDocument *doc)
{
    int shown = 0;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (const QTextCharFormat f = it.fragment().charFormat(); f.isImageFormat()) {
                const QVariant picture = doc->resource(QTextDocument::ImageResource, QUrl(f.toImageFormat().name()));
                const bool drawn = picture.typeId() == QMetaType::QPixmap ? !picture.value<QPixmap>().isNull()
                                   : picture.typeId() == QMetaType::QImage
                                       ? !picture.value<QImage>().isNull()
                                       : !QImage::fromData(picture.toByteArray()).isNull();
                shown += drawn ? 1 : 0;
            }
    return shown;
}

} // namespace

void tst_help::otherHelpFile()
{
    QString compiler = QStandardPaths::findExecutable(QStringLiteral("chmcmd"));
    if (compiler.isEmpty())
        compiler = QStandardPaths::findExecutable(QStringLiteral("chmcmd-3.2.2"));
    if (compiler.isEmpty())
        QSKIP("chmcmd (fp-utils) is not installed");
    QTemporaryDir dir;
    QByteArray picture;
    {
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(Qt::red);
        QBuffer buffer(&picture);
        QVERIFY(buffer.open(QIODevice::WriteOnly) && image.save(&buffer, "PNG"));
    }
    QVERIFY(writeFile(dir.filePath(QStringLiteral("other.hhp")),
                      "[OPTIONS]\nCompiled file=other.chm\nContents file=toc.hhc\nIndex file=keys.hhk\n"
                      "Default topic=docs\\start.htm\nTitle=Other Help\n\n[FILES]\ndocs\\start.htm\n"
                      "docs\\more\\deep.htm\ndocs\\pic.png\n"));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("docs/start.htm")),
                      "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
                      "<title>Start</title></head><body><h1>Start page</h1><p>Caf\xe9 steel</p>"
                      "<p><img src=\"pic.png\"> <a href=\"more/deep.htm#s\">deeper</a></p></body></html>"));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("docs/more/deep.htm")),
                      "<html><head><title>Deep</title></head><body><h1>Deep page</h1><p><a name=\"s\">Steel</a> "
                      "grades <img src=\"../pic.png\"></p></body></html>"));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("docs/pic.png")), picture));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("toc.hhc")), "<UL>" + sitemapItem("Docs") + "<UL>" +
                                                                   sitemapItem("Deep", "docs/more/deep.htm") + "</UL>" +
                                                                   sitemapItem("Start", "docs/start.htm") + "</UL>"));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("keys.hhk")),
                      "<UL>" + sitemapItem("Steel") + "<UL>" + sitemapItem("grades", "docs/more/deep.htm#s") + "</UL>" +
                          sitemapItem("Start", "/docs/start.htm") + "</UL>"));
    QProcess compile;
    compile.setWorkingDirectory(dir.path());
    compile.start(compiler, {QStringLiteral("other.hhp")});
    QVERIFY(compile.waitForFinished(60000));
    const QString chm = dir.filePath(QStringLiteral("other.chm"));
    QVERIFY2(QFile::exists(chm), compile.readAll().constData());

    HelpViewer *viewer = HelpViewer::htmlHelp(nullptr, chm, hh::DisplayToc);
    QVERIFY(viewer && viewer->fileOpened());
    QCOMPARE(viewer->windowTitle(), QStringLiteral("Other Help"));
    // The file's default page, read in the character set it names, with its picture.
    QCOMPARE(viewer->currentTopic(), QStringLiteral("docs/start.htm"));
    QVERIFY2(viewer->pageText().contains(QStringLiteral("Caf\u00e9 steel")), qPrintable(viewer->pageText()));
    QCOMPARE(picturesShown(viewer->browser->document()), 1);

    // A link into a folder below, and the picture named from there.
    viewer->browser->setSource(viewer->browser->source().resolved(QUrl(QStringLiteral("more/deep.htm#s"))));
    QCOMPARE(viewer->currentTopic(), QStringLiteral("docs/more/deep.htm"));
    QCOMPARE(picturesShown(viewer->browser->document()), 1);
    QCOMPARE(viewer->treContents->currentItem()->text(0), QStringLiteral("Deep"));
    QCOMPARE(viewer->treContents->currentItem()->parent()->text(0), QStringLiteral("Docs"));

    // Sub-keywords read with their keyword; a keyword without a page of its own is not listed.
    QStringList keywords;
    for (int i = 0; i < viewer->lstIndex->count(); ++i)
        keywords << viewer->lstIndex->item(i)->text();
    QCOMPARE(keywords, QStringList({QStringLiteral("Start"), QStringLiteral("Steel, grades")}));

    QCOMPARE(viewer->helpFile().search(QStringLiteral("steel")),
             QStringList({QStringLiteral("docs/more/deep.htm"), QStringLiteral("docs/start.htm")}));
}
