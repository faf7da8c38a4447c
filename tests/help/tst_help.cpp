#include "tst_help.h"

#include "AccessibleNames.h"

#include "controls/RichTextBox.h"
#include "core/HTMLHelp.h"
#include "core/HelpArchive.h"
#include "core/HelpFile.h"
#include "core/HelpSitemap.h"
#include "core/HelpViewer.h"
#include "core/frmAgreement.h"
#include "platform/Environment.h"
#include "platform/MsgBox.h"
#include "platform/VbError.h"
#include "search/frmSearch.h"
#include "search/searchfixture.h"
#include "shell/frmAbout.h"
#include "shell/mdiVelkor.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTreeWidget>
#include <QtEndian>

#include <sys/stat.h>

namespace {

const QString BinDir = QStringLiteral(VELKOR_BIN_DIR);
// Help files damaged on disk (the program's own, mutated), kept from the shared fixtures.
const QString DamagedHelpDir = QStringLiteral(VELKOR_SOURCE_DIR "/tests/help/data");

void closeViewer()
{
    delete HelpViewer::instance();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The document as text with its formatting marked: <b>, <i>, <u>, <fs=N> for a size other than
// 12 points, "[c]" before a centred paragraph, "|" between paragraphs.
QString describe(const QTextDocument &doc)
{
    QStringList blocks;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        QString out;
        if (block.blockFormat().alignment() & Qt::AlignHCenter)
            out += QStringLiteral("[c]");
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat f = fragment.charFormat();
            QString open;
            QString close;
            if (f.fontWeight() >= QFont::Bold) {
                open += QStringLiteral("<b>");
                close.prepend(QStringLiteral("</b>"));
            }
            if (f.fontItalic()) {
                open += QStringLiteral("<i>");
                close.prepend(QStringLiteral("</i>"));
            }
            if (f.fontUnderline()) {
                open += QStringLiteral("<u>");
                close.prepend(QStringLiteral("</u>"));
            }
            if (f.hasProperty(QTextFormat::FontPointSize) && f.fontPointSize() != 12) {
                open += QStringLiteral("<fs=%1>").arg(f.fontPointSize());
                close.prepend(QStringLiteral("</fs>"));
            }
            out += open + fragment.text() + close;
        }
        blocks << out;
    }
    return blocks.join(QLatin1Char('|'));
}

} // namespace

void tst_help::initTestCase()
{
    QVERIFY2(QFile::exists(BinDir + QStringLiteral("/Velkor_PED_HELP.chm")), "the build makes the help file");
    platform::setExeName(QStringLiteral("Velkor_PED"));
}

void tst_help::cleanup()
{
    closeViewer();
    platform::setProgramFolder(QString());
}

void tst_help::helpFilePath_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("named");
    QTest::newRow("1 is the program's help file") << 1 << true;
    QTest::newRow("0 names none") << 0 << false;
    QTest::newRow("2 names none") << 2 << false;
    QTest::newRow("-1 names none") << -1 << false;
}

void tst_help::helpFilePath()
{
    QFETCH(int, number);
    QFETCH(bool, named);
    platform::setProgramFolder(QStringLiteral("/opt/velkor"));
    QCOMPARE(HTMLHelp::HelpFilePath(number), named ? QStringLiteral("/opt/velkor/Velkor_PED_HELP.chm") : QString());
}

// clang-format off
void tst_help::showCommands_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("topic");
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("shownTopic");
    QTest::addColumn<QString>("heading");
    QTest::newRow("contents") << "contents" << QString() << int(HelpViewer::ContentsTab) << "General_Information.htm"
                              << "General Information";
    QTest::newRow("index") << "index" << QString() << int(HelpViewer::IndexTab) << "General_Information.htm"
                           << "General Information";
    QTest::newRow("search") << "search" << QString() << int(HelpViewer::SearchTab) << "General_Information.htm"
                            << "General Information";
    QTest::newRow("general information") << "topic" << "General_Information.htm" << int(HelpViewer::ContentsTab)
                                         << "General_Information.htm" << "General Information";
    QTest::newRow("contact, other letter case") << "topic" << "how_to_contact_us.HTM" << int(HelpViewer::ContentsTab)
                                                << "How_To_Contact_Us.htm" << "How To Contact Us";
}
// clang-format on

void tst_help::showCommands()
{
    QFETCH(QString, command);
    QFETCH(QString, topic);
    QFETCH(int, tab);
    QFETCH(QString, shownTopic);
    QFETCH(QString, heading);
    platform::ScriptedResponder responder;
    platform::setProgramFolder(BinDir);

    if (command == QLatin1String("contents"))
        HTMLHelp::ShowHelpContents(1);
    else if (command == QLatin1String("index"))
        HTMLHelp::ShowHelpIndex(1);
    else if (command == QLatin1String("search"))
        HTMLHelp::ShowHelpSearch(1);
    else
        HTMLHelp::ShowHelpTopic(1, topic);

    HelpViewer *viewer = HelpViewer::instance();
    QVERIFY(viewer);
    QVERIFY(viewer->isVisible());
    QVERIFY(!viewer->isModal());
    QVERIFY(viewer->fileOpened());
    QCOMPARE(viewer->filePath(), BinDir + QStringLiteral("/Velkor_PED_HELP.chm"));
    QCOMPARE(int(viewer->currentTab()), tab);
    QCOMPARE(viewer->currentTopic(), shownTopic);
    QVERIFY2(viewer->pageText().startsWith(heading), qPrintable(viewer->pageText().left(80)));
    QCOMPARE(viewer->windowTitle(), QStringLiteral("Velkor-PED Help"));
    QVERIFY(viewer->treContents->currentItem());
    QCOMPARE(viewer->treContents->currentItem()->data(0, Qt::UserRole).toString(), shownTopic);
    if (command == QLatin1String("contents"))
        QVERIFY(viewer->grab().save(QDir::temp().filePath(QStringLiteral("velkor_help.png"))));
    // The empty search runs nothing.
    QCOMPARE(viewer->lstSearch->count(), 0);

    // A second command reuses the one help window.
    HTMLHelp::ShowHelpTopic(1, QStringLiteral("Cant_Start_Velkor-PED.htm"));
    QCOMPARE(HelpViewer::instance(), viewer);
    QCOMPARE(viewer->currentTopic(), QStringLiteral("Cant_Start_Velkor-PED.htm"));
    QCOMPARE(responder.count(), 0);
}

void tst_help::helpFileNumberWithoutFile()
{
    platform::ScriptedResponder responder;
    platform::setProgramFolder(BinDir);
    HTMLHelp::ShowHelpContents(2);
    HTMLHelp::ShowHelpIndex(2);
    HTMLHelp::ShowHelpSearch(2);
    HTMLHelp::ShowHelpTopic(2, QStringLiteral("General_Information.htm"));
    QVERIFY(!HelpViewer::instance());
    QCOMPARE(responder.count(), 0);
}

void tst_help::unusableHelpFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << "none" << QByteArray() << "cannot be found";
    QTest::newRow("not a help file") << "bytes" << QByteArray("ITSF\x03\x00\x00\x00 binary", 16) << "not a help file";
    QTest::newRow("empty") << "bytes" << QByteArray("") << "not a help file";
    QTest::newRow("cut off") << "truncated" << QByteArray() << "not a help file";
    // Neither may reach the reader: a fifo would block it, a device never ends.
    QTest::newRow("fifo") << "fifo" << QByteArray() << "not a help file";
    QTest::newRow("link to a device") << "device link" << QByteArray() << "not a help file";
    QTest::newRow("folder") << "folder" << QByteArray() << "not a help file";
    // Files that made chmlib divide by zero, list the file's objects without end, and read past the
    // end of a file cut in half: the help reader ends, the program goes on.
    QTest::newRow("division by zero in chmlib") << "damaged" << QByteArray("chm-fpe-chm_open.chm") << "not a help file";
    QTest::newRow("endless listing") << "damaged" << QByteArray("chm-endless-enumerate.chm") << "not a help file";
    QTest::newRow("cut in half") << "damaged" << QByteArray("help-cut-in-half.chm") << "not a help file";
    // Whatever else a file makes chmlib do, the reader's limits end it.
    QTest::newRow("reader that never ends") << "reader" << QByteArray("exec sleep 60") << "not a help file";
    QTest::newRow("reader that crashes") << "reader" << QByteArray("kill -SEGV $$") << "not a help file";
    QTest::newRow("help reader missing") << "no reader" << QByteArray() << "help reader is missing";
}

void tst_help::unusableHelpFile()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    // The program as the user has it, with its main window and the search window open.
    searchtest::SearchEnv env;
    QVERIFY(env.isValid());
    const QPointer<frmSearch> search = env.loadSearch();
    mdiVelkor &mdi = searchtest::mainWindow();
    mdi.show();
    QVERIFY(search && search->isVisible());
    platform::ScriptedResponder responder;
    const QDir dir(env.folder());
    const QString helpPath = dir.filePath(QStringLiteral("Velkor_PED_HELP.chm"));
    if (kind == QLatin1String("bytes")) {
        writeFile(helpPath, content);
    } else if (kind == QLatin1String("truncated")) {
        QFile built(BinDir + QStringLiteral("/Velkor_PED_HELP.chm"));
        QVERIFY(built.open(QIODevice::ReadOnly));
        writeFile(helpPath, built.read(built.size() / 3));
    } else if (kind == QLatin1String("fifo")) {
        QCOMPARE(mkfifo(QFile::encodeName(helpPath).constData(), 0600), 0);
    } else if (kind == QLatin1String("device link")) {
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), helpPath));
    } else if (kind == QLatin1String("folder")) {
        QVERIFY(dir.mkdir(QStringLiteral("Velkor_PED_HELP.chm")));
    } else if (kind == QLatin1String("damaged")) {
        QVERIFY(QFile::copy(DamagedHelpDir + QLatin1Char('/') + QString::fromLatin1(content), helpPath));
    } else if (kind == QLatin1String("reader")) {
        QVERIFY(QFile::copy(BinDir + QStringLiteral("/Velkor_PED_HELP.chm"), helpPath));
        const QString reader = dir.filePath(QStringLiteral("reader.sh"));
        writeFile(reader, "#!/bin/sh\n" + content + "\n");
        QVERIFY(QFile::setPermissions(reader, QFile::ReadOwner | QFile::ExeOwner));
        helparchive::setReaderProgram(reader);
    } else if (kind == QLatin1String("no reader")) {
        QVERIFY(QFile::copy(BinDir + QStringLiteral("/Velkor_PED_HELP.chm"), helpPath));
        helparchive::setReaderProgram(dir.filePath(QLatin1String(helparchive::kReaderProgramName)));
    }

    HTMLHelp::ShowHelpTopic(1, QStringLiteral("General_Information.htm"));
    HelpViewer *viewer = HelpViewer::instance();
    QVERIFY(viewer);
    QVERIFY(viewer->isVisible());
    QVERIFY(!viewer->fileOpened());
    QVERIFY(viewer->currentTopic().isEmpty());
    QVERIFY2(viewer->pageText().contains(message), qPrintable(viewer->pageText()));
    QCOMPARE(viewer->treContents->topLevelItemCount(), 0);
    HTMLHelp::ShowHelpContents(1);
    QVERIFY(viewer->pageText().contains(message));
    QCOMPARE(responder.count(), 0); // the program itself shows nothing
    QVERIFY(mdi.isVisible());
    QVERIFY(search && search->isVisible());

    // Once the file is there, the next call reads it.
    helparchive::setReaderProgram(QString());
    if (kind == QLatin1String("folder"))
        QVERIFY(QDir(helpPath).removeRecursively());
    else
        QFile::remove(helpPath);
    QVERIFY(QFile::copy(BinDir + QStringLiteral("/Velkor_PED_HELP.chm"), helpPath));
    HTMLHelp::ShowHelpTopic(1, QStringLiteral("How_To_Contact_Us.htm"));
    QVERIFY(viewer->fileOpened());
    QCOMPARE(viewer->currentTopic(), QStringLiteral("How_To_Contact_Us.htm"));
}

void tst_help::missingTopicAndLinks()
{
    platform::setProgramFolder(BinDir);
    HTMLHelp::ShowHelpTopic(1, QStringLiteral("No_Such_Page.htm"));
    HelpViewer *viewer = HelpViewer::instance();
    QVERIFY(viewer);
    QVERIFY(viewer->currentTopic().isEmpty());
    QVERIFY(viewer->pageText().contains(QStringLiteral("\"No_Such_Page.htm\" is not in this help file")));

    // A link of a page leads to the page it names; a broken one to the error page.
    HTMLHelp::ShowHelpTopic(1, QStringLiteral("General_Information.htm"));
    viewer->browser->setSource(QUrl(QStringLiteral("How_To_Contact_Us.htm")));
    QCOMPARE(viewer->currentTopic(), QStringLiteral("How_To_Contact_Us.htm"));
    QVERIFY(viewer->pageText().startsWith(QStringLiteral("How To Contact Us")));
    QCOMPARE(viewer->treContents->currentItem()->text(0), QStringLiteral("How To Contact Us"));
    viewer->browser->setSource(QUrl(QStringLiteral("Gone.htm")));
    QVERIFY(viewer->currentTopic().isEmpty());
    QVERIFY(viewer->pageText().contains(QStringLiteral("Page not found")));

    // Pictures come from the file too, named relative to the page.
    HTMLHelp::ShowHelpTopic(1, QStringLiteral("About_Box.htm"));
    const QVariant picture =
        viewer->browser->loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("images/velkor-ped.png")));
    QVERIFY(!QImage::fromData(picture.toByteArray()).isNull());
    QVERIFY(
        viewer->browser->loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("images/gone.png"))).isNull());
    QVERIFY(viewer->grab().save(QDir::temp().filePath(QStringLiteral("velkor_help_about.png"))));
}

void tst_help::indexAndSearchTabs()
{
    platform::setProgramFolder(BinDir);
    HTMLHelp::ShowHelpIndex(1);
    HelpViewer *viewer = HelpViewer::instance();
    QVERIFY(viewer);

    // Typing selects the first keyword that starts with the text; Display shows its page.
    QTest::keyClicks(viewer->txtIndex, QStringLiteral("errorl"));
    QVERIFY(viewer->lstIndex->currentItem());
    QCOMPARE(viewer->lstIndex->currentItem()->text(), QStringLiteral("ErrorLog.txt"));
    viewer->cmdIndexDisplay->click();
    QCOMPARE(viewer->currentTopic(), QStringLiteral("Cant_Start_Velkor-PED.htm"));
    // The keywords are sorted without regard to letter case.
    QCOMPARE(viewer->lstIndex->item(0)->text(), QStringLiteral("About box"));
    QCOMPARE(viewer->lstIndex->item(1)->text(), QStringLiteral("ASME designations"));

    // A query with every word on one page only lists that page; the help's own search with a
    // query runs it at once.
    hh::FtsQuery query;
    query.pszSearchQuery = QStringLiteral("NOTES button blinks");
    HelpViewer::htmlHelp(nullptr, HTMLHelp::HelpFilePath(1), hh::DisplaySearch, query);
    QCOMPARE(int(viewer->currentTab()), int(HelpViewer::SearchTab));
    QCOMPARE(viewer->lstSearch->count(), 1);
    QCOMPARE(viewer->lstSearch->item(0)->text(), QStringLiteral("The Material Window"));
    viewer->cmdSearchDisplay->click();
    QCOMPARE(viewer->currentTopic(), QStringLiteral("Material_Window.htm"));

    viewer->txtSearch->setText(QStringLiteral("zzzunknownword"));
    viewer->cmdListTopics->click();
    QCOMPARE(viewer->lstSearch->count(), 1);
    QCOMPARE(viewer->lstSearch->item(0)->text(), QStringLiteral("No topics found."));
    viewer->cmdSearchDisplay->click();
    QCOMPARE(viewer->currentTopic(), QStringLiteral("Material_Window.htm"));
}

void tst_help::builtHelpFileIsComplete()
{
    const QString path = BinDir + QStringLiteral("/Velkor_PED_HELP.chm");
    HelpFile file;
    QVERIFY2(file.load(path), qPrintable(file.errorString()));
    QCOMPARE(file.title(), QStringLiteral("Velkor-PED Help"));
    QCOMPARE(file.defaultTopic(), QStringLiteral("General_Information.htm"));
    for (const char *topic : {"General_Information.htm", "How_To_Contact_Us.htm", "Cant_Start_Velkor-PED.htm"})
        QVERIFY2(file.hasTopic(QString::fromLatin1(topic)), topic);
    QVERIFY(file.contents().size() >= 10);
    QVERIFY(file.index().size() >= 30);
    for (const HelpFile::ContentsEntry &entry : file.contents())
        QVERIFY2(entry.topic.isEmpty() || file.hasTopic(entry.topic), qPrintable(entry.topic));
    for (const HelpFile::IndexEntry &entry : file.index())
        QVERIFY2(file.hasTopic(entry.topic), qPrintable(entry.topic));

    // Every link and picture of every page is in the file.
    static const QRegularExpression reference(QStringLiteral("(?:href|src)=\"([^\"]+)\""));
    for (const QString &topic : file.topicNames()) {
        for (auto it = reference.globalMatch(file.topicHtml(topic)); it.hasNext();) {
            const QString target = it.next().captured(1);
            QVERIFY2(!file.object(target).isEmpty(), qPrintable(topic + QStringLiteral(" -> ") + target));
        }
    }

    // The start-up's missing-database message sends the user to this page of this book.
    const QList<HelpFile::ContentsEntry> &contents = file.contents();
    int book = -1;
    for (int i = 0; i < contents.size(); ++i)
        if (contents.at(i).title == QLatin1String("How To Use Velkor-PED"))
            book = i;
    QVERIFY(book >= 0);
    bool found = false;
    for (int i = book + 1; i < contents.size() && contents.at(i).level > contents.at(book).level; ++i)
        found = found || contents.at(i).title == QLatin1String("Can't Start Velkor-PED?");
    QVERIFY(found);
    QCOMPARE(file.topicTitle(QStringLiteral("Cant_Start_Velkor-PED.htm")), QStringLiteral("Can't Start Velkor-PED?"));

    // A second reader sees a compiled help file with its sitemaps and its full-text search index.
    const QString enumerator = QStandardPaths::findExecutable(QStringLiteral("enum_chmLib"));
    if (enumerator.isEmpty())
        QSKIP("enum_chmLib (libchm-bin) is not installed");
    QProcess listing;
    listing.start(enumerator, {path});
    QVERIFY(listing.waitForFinished(30000));
    const QString objects = QString::fromUtf8(listing.readAllStandardOutput());
    for (const char *object : {"/#SYSTEM", "/$FIftiMain", "/Velkor_PED_HELP.hhc", "/Velkor_PED_HELP.hhk",
                               "/General_Information.htm", "/images/velkor-ped.png"})
        QVERIFY2(objects.contains(QLatin1String(object)), object);
}

// clang-format off
void tst_help::helpCoversTheProgram_data()
{
    QTest::addColumn<QString>("topic");
    QTest::addColumn<QString>("title");    // the page's title and its entry in the contents
    QTest::addColumn<QStringList>("says"); // texts the page holds
    QTest::newRow("printing") << "Printing_And_Preview.htm" << "Printing and the Print Preview"
                              << QStringList{"Print (Preview) Report For Current Material...", "Ctrl+P", "Print/Preview...", "title and column headings"};
    QTest::newRow("saving") << "Saving_Reports.htm" << "Saving Reports as PDF, RTF or Text"
                            << QStringList{"Save Report For Current Material To File...", "*.pdf", "*.rtf", "*.txt", "no pictures"};
    QTest::newRow("batch") << "Batch_Printing.htm" << "Printing All Selected Materials"
                           << QStringList{"Print All Selected Materials", "Velkor_PED_MATERIALS_BATCH_PRINT"};
    QTest::newRow("charts") << "Charts.htm" << "Charts and the Chart Window"
                            << QStringList{"Show Graph", "Enlarge Graph View", "Return To Material"};
    QTest::newRow("design values") << "Design_Values.htm" << "Design Values"
                                   << QStringList{"Design temperature [°C]", "\"-\" marks", "two decimals"};
    QTest::newRow("keyboard") << "Keyboard.htm" << "Using the Keyboard"
                              << QStringList{"F1 opens this help", "PageDown", "Ctrl+W", "Ctrl+Tab"};
    QTest::newRow("PMA index") << "PMA_Index.htm" << "Index of Particular Material Appraisal"
                               << QStringList{"press Enter on it"};
    QTest::newRow("settings") << "Settings_And_Files.htm" << "Settings and Files"
                              << QStringList{"~/.cache/velkor-ped", "$XDG_CACHE_HOME/velkor-ped"};
}
// clang-format on

// The pages on printing, saving, batch printing, charts, design values and the keyboard are in the
// built help file, listed in its contents under "How To Use Velkor-PED" and in its index, and the
// pictures of windows that the build took for them are in it as well.
void tst_help::helpCoversTheProgram()
{
    QFETCH(QString, topic);
    QFETCH(QString, title);
    QFETCH(QStringList, says);

    HelpFile file;
    QVERIFY2(file.load(BinDir + QStringLiteral("/Velkor_PED_HELP.chm")), qPrintable(file.errorString()));
    QVERIFY(file.hasTopic(topic));
    QCOMPARE(file.topicTitle(topic), title);

    const QList<HelpFile::ContentsEntry> &contents = file.contents();
    int book = -1;
    int listed = -1;
    for (int i = 0; i < contents.size(); ++i) {
        if (contents.at(i).title == QLatin1String("How To Use Velkor-PED"))
            book = i;
        else if (contents.at(i).topic == topic)
            listed = i;
    }
    QVERIFY(book >= 0);
    QVERIFY2(listed > book && contents.at(listed).level == contents.at(book).level + 1, qPrintable(topic));
    QCOMPARE(contents.at(listed).title, title);
    QVERIFY(std::any_of(file.index().cbegin(), file.index().cend(),
                        [&](const HelpFile::IndexEntry &entry) { return entry.topic == topic; }));

    QTextDocument page;
    page.setHtml(file.topicHtml(topic));
    const QString text = page.toPlainText().simplified();
    for (const QString &said : says)
        QVERIFY2(text.contains(said), qPrintable(said));

    static const QRegularExpression picture(QStringLiteral("<img src=\"(images/[^\"]+\\.png)\""));
    for (auto it = picture.globalMatch(file.topicHtml(topic)); it.hasNext();) {
        const QString name = it.next().captured(1);
        const QImage image = QImage::fromData(file.object(name), "PNG");
        QVERIFY2(image.width() >= 200 && image.height() >= 100, qPrintable(name));
        // A picture of a window, not of an empty surface.
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 7)
            for (int x = 0; x < image.width(); x += 7)
                colours.insert(image.pixel(x, y));
        QVERIFY2(colours.size() > 8, qPrintable(name));
    }
}

// clang-format off
void tst_help::sitemapParsing_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("expected"); // level:name>local, "|" between items
    QTest::newRow("nested books")
        << "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"Book\"></OBJECT>"
           "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"Page\">"
           "<param name=\"Local\" value=\"a.htm\"></OBJECT></UL>"
           "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"Next\"><param name=\"Local\" "
           "value=\"b.htm\"></OBJECT></UL>"
        << "0:Book>|1:Page>a.htm|0:Next>b.htm";
    QTest::newRow("letter case, quotes and references")
        << "<ul><li><object TYPE='text/sitemap'><PARAM NAME=name VALUE='Can&#39;t &amp; won&apos;t'>"
           "<param name=local value=c.htm></object></ul>"
        << "0:Can't & won't>c.htm";
    QTest::newRow("first name and page of an entry with several")
        << "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"Key\"><param name=\"Name\" "
           "value=\"Other\"><param name=\"Local\" value=\"x.htm\"><param name=\"Local\" value=\"y.htm\">"
           "</OBJECT></UL>"
        << "0:Key>x.htm";
    QTest::newRow("site properties and nameless items skipped")
        << "<OBJECT type=\"text/site properties\"><param name=\"Name\" value=\"Style\"></OBJECT>"
           "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Local\" value=\"z.htm\"></OBJECT></UL>"
        << "";
    QTest::newRow("unbalanced lists") << "</UL></UL><UL><UL><UL><LI><OBJECT type=\"text/sitemap\">"
                                         "<param name=\"Name\" value=\"Deep\"></OBJECT>"
                                      << "2:Deep>";
}
// clang-format on

void tst_help::sitemapParsing()
{
    QFETCH(QString, html);
    QFETCH(QString, expected);
    QStringList items;
    for (const helpsitemap::Item &item : helpsitemap::parse(html))
        items << QStringLiteral("%1:%2>%3").arg(item.level).arg(item.name, item.local);
    QCOMPARE(items.join(QLatin1Char('|')), expected);
}

// clang-format off
void tst_help::topicPath_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("path");
    QTest::newRow("page") << "General_Information.htm" << "General_Information.htm";
    QTest::newRow("rooted, with a fragment") << "/sub/Page.htm#part" << "sub/Page.htm";
    QTest::newRow("another file's form") << "ms-its:Other.chm::/a/b.htm" << "a/b.htm";
    QTest::newRow("escaped, backslash, dots") << "sub\\..\\My%20Page.htm" << "My Page.htm";
    QTest::newRow("web link") << "https://example.com/a.htm" << "";
    QTest::newRow("mail") << "mailto:help@example.com" << "";
    QTest::newRow("fragment only") << "#top" << "";
}
// clang-format on

void tst_help::topicPath()
{
    QFETCH(QString, link);
    QFETCH(QString, path);
    QCOMPARE(HelpFile::topicPath(link), path);
}

namespace {

QByteArray archiveLength(qsizetype length)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian<quint32>(quint32(length), bytes.data());
    return bytes;
}

QByteArray archiveRecord(const QByteArray &path, const QByteArray &bytes)
{
    return archiveLength(path.size()) + path + archiveLength(bytes.size()) + bytes;
}

} // namespace

// The program takes from the help reader only an archive that is whole and within the limits.
void tst_help::helpArchive_data()
{
    QTest::addColumn<QByteArray>("archive");
    QTest::addColumn<QStringList>("paths"); // {"-"}: refused
    const QByteArray start("VHA1");
    const QByteArray page = archiveRecord("/a.htm", "<p>a</p>");
    const QByteArray end = archiveLength(0);
    const QStringList refused{QStringLiteral("-")};
    QTest::newRow("objects in their order")
        << start + archiveRecord("/#SYSTEM", QByteArray(8, '\0')) + page + archiveRecord("/b.png", "") + end
        << QStringList{"/#SYSTEM", "/a.htm", "/b.png"};
    QTest::newRow("no objects") << start + end << QStringList();
    QTest::newRow("another format") << "VHA2" + page + end << refused;
    QTest::newRow("cut before its end") << start + page << refused;
    QTest::newRow("cut in an object") << start + page.left(page.size() - 2) << refused;
    QTest::newRow("bytes after its end") << start + page + end + "x" << refused;
    QTest::newRow("object longer than the limit")
        << start + archiveLength(6) + "/a.htm" + archiveLength(helparchive::kMaxObjectBytes + 1) << refused;
    QTest::newRow("path too long") << start + archiveRecord("/" + QByteArray(600, 'a'), "x") + end << refused;
    QTest::newRow("path outside the file") << start + archiveRecord("a.htm", "x") + end << refused;
    QTest::newRow("one path twice") << start + page + page + end << refused;
}

void tst_help::helpArchive()
{
    QFETCH(QByteArray, archive);
    QFETCH(QStringList, paths);
    const std::optional<QList<helparchive::Object>> objects = helparchive::parseArchive(archive);
    QStringList read;
    if (!objects)
        read << QStringLiteral("-");
    else
        for (const helparchive::Object &object : *objects)
            read << object.path;
    QCOMPARE(read, paths);
    if (objects && !objects->isEmpty())
        QCOMPARE(objects->at(1).bytes, QByteArray("<p>a</p>"));
}

// The help reader refuses a damaged file itself, at once, rather than by its limits.
void tst_help::helpReader_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("the program's help file") << BinDir + "/Velkor_PED_HELP.chm" << helparchive::readerexit::Done;
    QTest::newRow("endless listing") << DamagedHelpDir + "/chm-endless-enumerate.chm"
                                     << helparchive::readerexit::Damaged;
    QTest::newRow("cut in half") << DamagedHelpDir + "/help-cut-in-half.chm" << helparchive::readerexit::Damaged;
}

void tst_help::helpReader()
{
    QFETCH(QString, file);
    QFETCH(int, exitCode);
    QProcess reader;
    reader.setStandardInputFile(file);
    reader.start(helparchive::readerProgram(), QStringList());
    QVERIFY(reader.waitForFinished(10000));
    QCOMPARE(reader.exitStatus(), QProcess::NormalExit);
    QCOMPARE(reader.exitCode(), exitCode);
    const std::optional<QList<helparchive::Object>> objects = helparchive::parseArchive(reader.readAllStandardOutput());
    QCOMPARE(objects.has_value(), exitCode == helparchive::readerexit::Done);
}

void tst_help::readRtf_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain text") << QByteArray("{\\rtf1 Hello world}") << "Hello world";
    QTest::newRow("paragraphs") << QByteArray("{\\rtf1 a\\par b\\par}") << "a|b|";
    QTest::newRow("line ends are no text") << QByteArray("{\\rtf1 a\r\nb\nc}") << "abc";
    QTest::newRow("bold on and off") << QByteArray("{\\rtf1 a\\b b\\b0 c}") << "a<b>b</b>c";
    QTest::newRow("italic, underline") << QByteArray("{\\rtf1 \\i x\\i0 \\ul y\\ulnone  z\\ul w\\ul0 v}")
                                       << "<i>x</i><u>y</u> z<u>w</u>v";
    QTest::newRow("group restores") << QByteArray("{\\rtf1 a{\\b b}c}") << "a<b>b</b>c";
    QTest::newRow("nested groups") << QByteArray("{\\rtf1 {\\b a{\\i b{\\ul c}}d}e}")
                                   << "<b>a</b><b><i>b</i></b><b><i><u>c</u></i></b><b>d</b>e";
    QTest::newRow("font size") << QByteArray("{\\rtf1 \\fs32 big{\\fs16 small}\\fs24 n}")
                               << "<fs=16>big</fs><fs=8>small</fs>n";
    QTest::newRow("plain resets") << QByteArray("{\\rtf1\\b\\i\\fs30 x\\plain y}") << "<b><i><fs=15>x</fs></i></b>y";
    QTest::newRow("tab") << QByteArray("{\\rtf1 1.\\tab Grant}") << "1.\tGrant";
    QTest::newRow("code page escapes") << QByteArray("{\\rtf1\\ansi\\ansicpg1252 caf\\'e9 \\'80 \\'93q\\'94\\'a9}")
                                       << QStringLiteral("caf\u00e9 \u20ac \u201cq\u201d\u00a9");
    QTest::newRow("unicode with its fallback skipped")
        << QByteArray("{\\rtf1\\uc1 x\\u8364?y\\u-4064?z}") << QStringLiteral("x\u20acy\uf020z");
    QTest::newRow("unicode with a hex fallback")
        << QByteArray("{\\rtf1\\uc1 \\u937\\'3f!}") << QStringLiteral("\u03a9!");
    QTest::newRow("unicode without fallback") << QByteArray("{\\rtf1\\uc0 \\u937 z}") << QStringLiteral("\u03a9z");
    QTest::newRow("escaped symbols") << QByteArray("{\\rtf1 a\\\\b\\{c\\}d\\~e}") << QStringLiteral("a\\b{c}d\u00a0e");
    QTest::newRow("named punctuation") << QByteArray("{\\rtf1 \\ldblquote x\\rdblquote\\endash y}")
                                       << QStringLiteral("\u201cx\u201d\u2013y");
    QTest::newRow("tables and information skipped")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}{\\f1 Times;}}{\\colortbl;\\red0\\green0\\blue0;}"
                      "{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}{\\author A}}{\\*\\generator Riched20;}\\f0 Body}")
        << "Body";
    QTest::newRow("unknown starred destination") << QByteArray("{\\rtf1 a{\\*\\foo hidden {\\b too}}b}") << "ab";
    QTest::newRow("unknown control words ignored") << QByteArray("{\\rtf1\\deff0\\viewkind4 a\\lang1031  b}") << "a b";
    QTest::newRow("centred paragraph") << QByteArray("{\\rtf1\\qc T\\par\\pard x}") << "[c]T|x";
    QTest::newRow("unterminated group") << QByteArray("{\\rtf1 {\\b open") << "<b>open</b>";
    QTest::newRow("extra closing braces") << QByteArray("{\\rtf1 a}}}b") << "ab";
    QTest::newRow("escape cut off") << QByteArray("{\\rtf1 a\\'") << "a";
}

void tst_help::readRtf()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("old content"));
    controls::readRtf(rtf, &doc);
    QCOMPARE(describe(doc), expected);
}

void tst_help::loadFile()
{
    QTemporaryDir dir;
    controls::RichTextBox box;
    QVERIFY(box.isReadOnly());
    const QString rtf = dir.filePath(QStringLiteral("a.rtf"));
    writeFile(rtf, "{\\rtf1 {\\b Title}\\par body}");
    box.LoadFile(rtf);
    QCOMPARE(box.toPlainText(), QStringLiteral("Title\nbody"));
    QCOMPARE(box.SelLength(), 0);

    const QString text = dir.filePath(QStringLiteral("a.txt"));
    writeFile(text, "not {\\b rich} text");
    box.LoadFile(text);
    QCOMPARE(box.toPlainText(), QStringLiteral("not {\\b rich} text"));

    try {
        box.LoadFile(dir.filePath(QStringLiteral("missing.rtf")));
        QFAIL("a missing file raises an error");
    } catch (const platform::VbError &e) {
        QCOMPARE(e.number(), 75);
    }
    QVERIFY(box.toPlainText().isEmpty());
}

namespace {

// An RTF document of `paragraphs` paragraphs, each `unit` repeated `times`.
QByteArray rtfOf(const QByteArray &unit, int times, int paragraphs = 1)
{
    const QByteArray paragraph = unit.repeated(times);
    QByteArray rtf("{\\rtf1\\ansi ");
    rtf.reserve(rtf.size() + paragraphs * (paragraph.size() + 5) + 1);
    for (int i = 0; i < paragraphs; ++i)
        rtf += i == 0 ? paragraph : "\\par " + paragraph;
    return rtf + '}';
}

} // namespace

// A document laid out in time that grows faster than its paragraphs, runs and line breaks is
// refused as damaged, however few bytes it takes; the ordinary document is shown whole.
void tst_help::documentLimits_data()
{
    using namespace controls::DocumentLimits;
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("paragraphs"); // 0: refused
    QTest::newRow("paragraphs at the limit") << rtfOf("", 0, Paragraphs) << Paragraphs;
    QTest::newRow("one paragraph more") << rtfOf("", 0, Paragraphs + 1) << 0;
    QTest::newRow("4 MiB of empty paragraphs") << rtfOf("", 0, int(Bytes / 5) - 4) << 0;
    QTest::newRow("format changes at the limit") << rtfOf("\\b x\\b0 y", ParagraphRuns / 2) << 1;
    QTest::newRow("format changes in one paragraph") << rtfOf("\\b x\\b0 y", ParagraphRuns / 2 + 1) << 0;
    QTest::newRow("groups repeating one format") << rtfOf("{\\b x}", ParagraphRuns * 10) << 1;
    QTest::newRow("line breaks in one paragraph") << rtfOf("x\\line ", ParagraphRuns + 1) << 0;
    QTest::newRow("format changes in the document")
        << rtfOf("\\b x\\b0 y", ParagraphRuns / 2, Runs / ParagraphRuns + 1) << 0;
    QTest::newRow("characters in one paragraph") << rtfOf("x", int(ParagraphCharacters) + 1) << 0;
    QTest::newRow("characters in the document")
        << rtfOf("x", int(ParagraphCharacters), int(Characters / ParagraphCharacters) + 1) << 0;
    QTest::newRow("a long ordinary document")
        << rtfOf("Plain words \\b bold\\b0  and {\\i italic} text.\\line ", 2, 2000) << 2000;
    QTest::newRow("plain text lines") << QByteArray(Paragraphs, '\n') << 0;
    QTest::newRow("a long plain line") << QByteArray(ParagraphCharacters + 1, 'x') << 0;
    QTest::newRow("plain text") << QByteArray("one\ntwo\nthree") << 3;
}

void tst_help::documentLimits()
{
    QFETCH(QByteArray, content);
    QFETCH(int, paragraphs);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("document.rtf"));
    writeFile(path, content);
    controls::RichTextBox box;
    box.setPlainText(QStringLiteral("old content"));
    try {
        box.LoadFile(path);
        QVERIFY2(paragraphs > 0, "an oversized document raises an error");
    } catch (const platform::VbError &e) {
        QVERIFY2(paragraphs == 0, qPrintable(e.description()));
        QCOMPARE(e.number(), 75);
    }
    QCOMPARE(box.document()->blockCount(), qMax(paragraphs, 1));
    QCOMPARE(box.toPlainText().isEmpty(), paragraphs == 0);
}

QTEST_MAIN(tst_help)

// The help viewer, the about box and the agreement name every control a user reaches by keyboard.
void tst_help::helpWindowsNamedForScreenReaders()
{
    platform::setProgramFolder(BinDir);
    HTMLHelp::ShowHelpContents(1);
    HelpViewer *viewer = HelpViewer::instance();
    QVERIFY(viewer);
    QStringList unnamed;
    viewer->showContents();
    unnamed << testsupport::unnamedControls(viewer);
    viewer->showIndex();
    unnamed << testsupport::unnamedControls(viewer);
    viewer->showSearch();
    unnamed << testsupport::unnamedControls(viewer);
    closeViewer();
    frmAbout about;
    about.Form_Load();
    unnamed << testsupport::unnamedControls(&about);
    frmAgreement agreement;
    unnamed << testsupport::unnamedControls(&agreement);
    platform::setProgramFolder(QString());
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1String(", "))));
}
