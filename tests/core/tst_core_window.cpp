#include "DrawnIcon.h"
#include "ProgramDatabase.h"
#include "tst_core.h"

#include "core/TableCatalogue.h"
#include "core/modDBase.h"
#include "core/modToolTips.h"
#include "db/Database.h"
#include "db/JetReadAhead.h"
#include "db/Recordset.h"
#include "platform/Environment.h"
#include "platform/MsgBox.h"
#include "platform/VbError.h"
#include "shell/ShowToolTips.h"
#include "shell/frmSplash.h"
#include "shell/mdiVelkor.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QSemaphore>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

using platform::ScriptedResponder;
using platform::vbCrLf;

namespace {

QByteArray lines(const QStringList &list, const char *end = "\r\n")
{
    QByteArray bytes;
    for (const QString &line : list)
        bytes += line.toUtf8() + end;
    return bytes;
}

QStringList changedLines()
{
    return {"Tile_Horizontal",
            "Tool_HIDE",
            "Tool_BOTTOM",
            "Status_HIDE",
            "65280",
            "Colours_OFF",
            "ToolTips_OFF",
            "120000",
            "2000",
            "",
            "",
            "",
            "1500",
            "False",
            "",
            "",
            "",
            "",
            "0",
            "[P265]GH's",
            "",
            "",
            "",
            "",
            "",
            "",
            "2"};
}

// A window that records, when it is closed, what the main window's unload had done by then.
class Probe : public QWidget
{
public:
    explicit Probe(bool refuse = false) : m_refuse(refuse) {}
    bool closed = false;
    bool databaseClosed = false;
    bool settingsWritten = false;
    QString settingsFile;

protected:
    void closeEvent(QCloseEvent *event) override
    {
        closed = true;
        databaseClosed = !modDBase::gMaterialDb;
        settingsWritten = QFile::exists(settingsFile);
        if (m_refuse)
            event->ignore();
        else
            event->accept();
    }

private:
    bool m_refuse;
};

} // namespace

// ----- Settings file ---------------------------------------------------------------------------

// clang-format off
void tst_core::loadSettings_data()
{
    QTest::addColumn<bool>("present");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("arrange");
    QTest::addColumn<bool>("toolbarHidden");
    QTest::addColumn<bool>("toolbarBottom");
    QTest::addColumn<bool>("statusHidden");
    QTest::addColumn<uint>("backColor");
    QTest::addColumn<bool>("coloursOff");
    QTest::addColumn<bool>("toolTips");
    QTest::addColumn<double>("width0");
    QTest::addColumn<double>("width1");
    QTest::addColumn<bool>("visible0");
    QTest::addColumn<bool>("visible5");
    QTest::addColumn<QString>("search0");
    QTest::addColumn<QString>("search7");

    const uint blue = 0xFEC7A5;
    QTest::newRow("missing file") << false << QByteArray() << 0 << false << false << false << blue << false << true
                                  << 0.0 << 0.0 << true << true << "" << "";
    QTest::newRow("empty file") << true << QByteArray() << 0 << false << false << false << blue << false << true
                                << 0.0 << 0.0 << true << true << "" << "";
    QTest::newRow("every line changed") << true << lines(changedLines()) << 1 << true << true << true << 0x00FF00u
                                        << true << false << 120.0 << 2000.0 << false << false << "P265GHs" << "2";

    QStringList thirty = changedLines();
    thirty << "Cascade" << "Tool_SHOW" << "3";
    QTest::newRow("30 lines read as 27") << true << lines(thirty) << 1 << true << true << true << 0x00FF00u << true
                                         << false << 120.0 << 2000.0 << false << false << "P265GHs" << "2";

    QTest::newRow("fewer than 27 lines") << true << lines(changedLines().mid(0, 8)) << 1 << true << true << true
                                         << 0x00FF00u << true << false << 120.0 << 0.0 << true << true << "" << "";
    QTest::newRow("line ends LF only") << true << lines(changedLines(), "\n") << 1 << true << true << true << 0x00FF00u
                                       << true << false << 120.0 << 2000.0 << false << false << "P265GHs" << "2";

    QStringList other(27);
    other[0] = "tile_horizontal";
    other[4] = "-2147483624";
    other[6] = "ToolTips_on";
    QTest::newRow("other texts, system colour") << true << lines(other) << 0 << false << false << false << 0x80000018u
                                                << false << true << 0.0 << 0.0 << true << true << "" << "";

    QStringList bad(27);
    bad[4] = "16777216";
    bad[7] = "wide";
    bad[8] = "1500";
    bad[13] = "perhaps";
    bad[18] = "0";
    bad[19] = QString(100000, QLatin1Char('x'));
    bad[26] = "1";
    QByteArray garbage = lines(bad);
    garbage.prepend(QByteArray("\x00\xff\xfe\x01Tile_Horizontal", 19));
    QTest::newRow("garbage, overlong line") << true << garbage << 0 << false << false << false << blue << false << true
                                            << 0.0 << 1500.0 << true << false << "" << "1";
    QTest::newRow("line 4 no whole number") << true << lines({"", "", "", "", "12.5"}) << 0 << false << false << false
                                            << blue << false << true << 0.0 << 0.0 << true << true << "" << "";
}
// clang-format on

void tst_core::loadSettings()
{
    QFETCH(bool, present);
    QFETCH(QByteArray, content);
    QFETCH(int, arrange);
    QFETCH(bool, toolbarHidden);
    QFETCH(bool, toolbarBottom);
    QFETCH(bool, statusHidden);
    QFETCH(uint, backColor);
    QFETCH(bool, coloursOff);
    QFETCH(bool, toolTips);
    QFETCH(double, width0);
    QFETCH(double, width1);
    QFETCH(bool, visible0);
    QFETCH(bool, visible5);
    QFETCH(QString, search0);
    QFETCH(QString, search7);

    Sandbox box;
    if (present)
        writeFile(box.dataFolder() + "Settings.vlk", content);
    mdiVelkor w;
    w.LoadSettings();

    QCOMPARE(w.iWindowArrange, qint16(arrange));
    QCOMPARE(w.mnuWindowElem[0]->isChecked(), arrange == 0);
    QCOMPARE(w.mnuWindowElem[1]->isChecked(), arrange == 1);
    QCOMPARE(w.Toolbar1->isHidden(), toolbarHidden);
    QCOMPARE(w.mnuSettingsToolElem[0]->isEnabled(), toolbarHidden);
    QCOMPARE(w.mnuSettingsToolElem[1]->isEnabled(), !toolbarHidden);
    QCOMPARE(w.ToolbarAtBottom(), toolbarBottom);
    QCOMPARE(w.mnuSettingsToolElem[2]->isEnabled(), toolbarBottom);
    QCOMPARE(w.mnuSettingsToolElem[3]->isEnabled(), !toolbarBottom);
    QCOMPARE(w.stbStatus->isHidden(), statusHidden);
    QCOMPARE(w.mnuSettingsElem[1]->isChecked(), !statusHidden);
    QCOMPARE(w.BackColor(), platform::OleColor(backColor));
    QCOMPARE(w.blnColoursOFF, coloursOff);
    QCOMPARE(w.mnuSettingsElem[2]->isChecked(), !coloursOff);
    QCOMPARE(w.blnToolTips, toolTips);
    QCOMPARE(w.mnuSettingsElem[3]->isChecked(), toolTips);
    QCOMPARE(double(w.ColumnSize(0)), width0);
    QCOMPARE(double(w.ColumnSize(1)), width1);
    QCOMPARE(w.ColumnVisible(0), visible0);
    QCOMPARE(w.ColumnVisible(5), visible5);
    QCOMPARE(w.SavedSearch(0), search0);
    QCOMPARE(w.SavedSearch(7), search7);
}

void tst_core::saveSettingsWritesTwentySevenLines()
{
    Sandbox box;
    const QString file = box.dataFolder() + "Settings.vlk";
    {
        mdiVelkor w;
        w.LoadSettings();
        w.SaveSettings();
    }
    QStringList defaults{"Cascade", "Tool_SHOW", "Tool_TOP", "Status_SHOW", "16697253", "Colours_ON", "ToolTips_ON"};
    defaults << QStringList(6, "0") << QStringList(6, "True") << QStringList(8, "");
    QCOMPARE(readFile(file), lines(defaults));

    // Every setting changed, written and read back.
    {
        mdiVelkor w;
        w.mnuWindowElem[0]->setChecked(false);
        w.mnuWindowElem[1]->setChecked(true);
        w.mnuSettingsToolElem[0]->setEnabled(true);
        w.SetToolbarAtBottom(true);
        w.stbStatus->setHidden(true);
        w.SetBackColor(platform::olecolor::AppWorkspace);
        w.blnColoursOFF = true;
        w.blnToolTips = false;
        w.ColumnSize(0, 1234.6f);
        w.ColumnSize(1, 1234.5f);
        w.ColumnSize(5, 99999.0f);
        w.ColumnVisible(2, false);
        w.SavedSearch(0, QStringLiteral("Stähle"));
        w.SavedSearch(7, QStringLiteral("1"));
        w.SaveSettings();

        QVERIFY_THROWS_EXCEPTION(platform::VbError, w.ColumnSize(6));
        QVERIFY_THROWS_EXCEPTION(platform::VbError, w.ColumnVisible(-1, true));
        QVERIFY_THROWS_EXCEPTION(platform::VbError, w.SavedSearch(8));
    }
    QStringList changed{"Tile_Horizontal",
                        "Tool_HIDE",
                        "Tool_BOTTOM",
                        "Status_HIDE",
                        "-2147483636",
                        "Colours_OFF",
                        "ToolTips_OFF",
                        "1235",
                        "1234",
                        "0",
                        "0",
                        "0",
                        "32767",
                        "True",
                        "True",
                        "False",
                        "True",
                        "True",
                        "True",
                        "Stähle",
                        "",
                        "",
                        "",
                        "",
                        "",
                        "",
                        "1"};
    QCOMPARE(readFile(file), lines(changed));

    mdiVelkor w;
    w.LoadSettings();
    QCOMPARE(w.iWindowArrange, qint16(1));
    QVERIFY(w.Toolbar1->isHidden());
    QVERIFY(w.ToolbarAtBottom());
    QVERIFY(w.stbStatus->isHidden());
    QCOMPARE(w.BackColor(), platform::olecolor::AppWorkspace);
    QVERIFY(w.blnColoursOFF);
    QVERIFY(!w.blnToolTips);
    QCOMPARE(w.ColumnSize(0), 1235.0f);
    QCOMPARE(w.ColumnSize(5), 32.767f);
    QVERIFY(!w.ColumnVisible(2));
    QCOMPARE(w.SavedSearch(0), QStringLiteral("Stähle"));
}

void tst_core::saveSettingsIntoUnwritableFolder()
{
    Sandbox box;
    const QString file = box.dataFolder() + "Settings.vlk";
    QDir().mkpath(file);
    mdiVelkor w;
    w.LoadSettings();
    w.SaveSettings();
    QVERIFY(QFileInfo(file).isDir());
}

// ----- Status texts ----------------------------------------------------------------------------

void tst_core::showStatus_data()
{
    QTest::addColumn<QList<int>>("codes");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("fails");

    const QString text0 = "You can search Materials by typing in the 'Search Materials On...' boxes. Select materials "
                          "from 'Materials List' and then press 'Show' to view data.";
    const QString text3 = "Select/de-select tables to be saved to file by clicking appropriate check-box(es), select "
                          "file format by clicking appropriate option button and then press 'Save...'";
    const QString text7 = "About Velkor-PED - press 'License Agreement' to see License, 'OK' or 'X' to return.";
    const QString text14 = "Select table from 'View' menu or by pressing appropriate toolbar button. Toggle between "
                           "'Table' and 'Graph' using the 'Show...' button";
    QTest::newRow("0") << QList<int>{0} << text0 << false;
    QTest::newRow("7 names the product") << QList<int>{7} << text7 << false;
    QTest::newRow("14") << QList<int>{14} << text14 << false;
    QTest::newRow("15 to 20 empty") << QList<int>{7, 20} << "" << false;
    QTest::newRow("103 shows 3") << QList<int>{7, 103} << text3 << false;
    QTest::newRow("100 restores after 103") << QList<int>{7, 103, 100} << text7 << false;
    QTest::newRow("100 restores an empty text") << QList<int>{15, 114, 100} << "" << false;
    QTest::newRow("120 shows 20, 100 restores") << QList<int>{3, 120, 100} << text3 << false;
    QTest::newRow("100 at start shows 0") << QList<int>{100} << text0 << false;
    QTest::newRow("21") << QList<int>{3, 21} << text3 << true;
    QTest::newRow("99") << QList<int>{3, 99} << text3 << true;
    QTest::newRow("-1") << QList<int>{3, -1} << text3 << true;
    QTest::newRow("121") << QList<int>{3, 121} << text3 << true;
    QTest::newRow("failed code keeps the remembered one") << QList<int>{7, 50, 114, 100} << text7 << true;
}

void tst_core::showStatus()
{
    QFETCH(QList<int>, codes);
    QFETCH(QString, expected);
    QFETCH(bool, fails);

    mdiVelkor w;
    w.SetStatus();
    bool failed = false;
    for (int code : codes) {
        try {
            w.ShowStatus(code);
        } catch (const platform::VbError &e) {
            QCOMPARE(e.number(), platform::vberr::SubscriptOutOfRange);
            failed = true;
        }
    }
    QCOMPARE(failed, fails);
    QCOMPARE(w.StatusText(), expected);
}

// ----- Table catalogue -------------------------------------------------------------------------

void tst_core::catalogueIndex_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("index");
    QTest::newRow("Ref") << "Ref" << 0;
    QTest::newRow("Rp10") << "Rp10" << 5;
    QTest::newRow("rp10") << "rp10" << 0;
    QTest::newRow("CreepProp") << "CreepProp" << 12;
    QTest::newRow("AddInfo") << "AddInfo" << 13;
    QTest::newRow("Design") << "Design" << 0;
    QTest::newRow("Elevated") << "Elevated" << 0;
    QTest::newRow("empty") << "" << 0;
}

void tst_core::catalogueIndex()
{
    QFETCH(QString, key);
    QFETCH(int, index);
    mdiVelkor w;
    w.InitTableNames();
    QCOMPARE(w.GetTableIndex(key), qint16(index));
}

// clang-format off
void tst_core::catalogueNames_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("key");
    QTest::newRow("0") << 0 << "References" << "Ref";
    QTest::newRow("4") << 4 << "Minimum values for Rp0,2 [MPa] at elevated temperature" << "Rp02";
    QTest::newRow("11") << 11 << "Specific electrical resistance" << "SpecElecRes";
    QTest::newRow("12") << 12 << "Creep properties" << "CreepProp";
    QTest::newRow("13") << 13 << "Additional Information" << "AddInfo";
    QTest::newRow("14 fails") << 14 << "" << "";
    QTest::newRow("-1 fails") << -1 << "" << "";
}
// clang-format on

void tst_core::catalogueNames()
{
    QFETCH(int, index);
    QFETCH(QString, title);
    QFETCH(QString, key);
    mdiVelkor w;
    w.InitTableNames();
    if (title.isEmpty()) {
        QVERIFY_THROWS_EXCEPTION(platform::VbError, w.GetTableName(index));
        QVERIFY_THROWS_EXCEPTION(platform::VbError, w.GetShortTableName(index));
        return;
    }
    QCOMPARE(w.GetTableName(index), title);
    QCOMPARE(w.GetShortTableName(index), key);
    QCOMPARE(w.GetTableIndex(key), qint16(index));
}

// The places a row gives its table (menu items, design blocks, report subreports) are each taken
// once; the orders that number a sequence leave no gap, or the tables after it would be lost.
void tst_core::cataloguePlaces_data()
{
    using catalogue::Menu;
    QTest::addColumn<QList<int>>("places");
    QTest::addColumn<bool>("gapless");

    auto views = [](auto place) {
        QList<int> places;
        for (const catalogue::TableInfo &info : catalogue::Tables)
            if (const int p = place(info); p >= 0)
                places << p;
        for (const catalogue::TableInfo &info : catalogue::WindowViews)
            if (const int p = place(info); p >= 0)
                places << p;
        return places;
    };
    auto menuItems = [&](Menu menu) {
        return views([menu](const catalogue::TableInfo &info) { return info.menu == menu ? info.menuItem : -1; });
    };
    QList<int> view = menuItems(Menu::View);
    for (const catalogue::SubmenuInfo &submenu : catalogue::Submenus)
        view << submenu.viewItem;
    QList<int> keys;
    for (int i = 0; i < catalogue::TableCount; ++i)
        keys << catalogue::IndexOfKey(QString::fromLatin1(catalogue::Tables[i].key));

    QTest::newRow("keys") << keys << true;
    QTest::newRow("View menu") << view << false;
    QTest::newRow("Mechanical menu") << menuItems(Menu::Mechanical) << false;
    QTest::newRow("Physical menu") << menuItems(Menu::Physical) << false;
    QTest::newRow("design blocks") << views([](const catalogue::TableInfo &info) { return info.designOrder; }) << true;
    QTest::newRow("report") << views([](const catalogue::TableInfo &info) { return info.reportOrder; }) << true;
}

void tst_core::cataloguePlaces()
{
    QFETCH(QList<int>, places);
    QFETCH(bool, gapless);
    QList<int> sorted = places;
    std::sort(sorted.begin(), sorted.end());
    QVERIFY(!sorted.isEmpty());
    QVERIFY2(std::adjacent_find(sorted.begin(), sorted.end()) == sorted.end(), "a place is taken twice");
    if (gapless)
        QCOMPARE(sorted.last(), int(sorted.size()) - 1);
}

// clang-format off
void tst_core::captions_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("caption");
    const QString sq(QChar(0xB2));
    QTest::newRow("Rp02") << "Rp02" << "Rp0,2 " + vbCrLf + vbCrLf + "[MPa]";
    QTest::newRow("Rp10") << "Rp10" << "Rp1,0 " + vbCrLf + vbCrLf + "[MPa]";
    QTest::newRow("Rm") << "Rm" << "Rm " + vbCrLf + vbCrLf + "[MPa]";
    QTest::newRow("ModElast") << "ModElast" << "KN " + vbCrLf + vbCrLf + "/ mm" + sq;
    QTest::newRow("ThermCond") << "ThermCond" << "W " + vbCrLf + vbCrLf + "/ (m x K)";
    QTest::newRow("SpecElecRes") << "SpecElecRes" << "Ohm x mm" + sq + " " + vbCrLf + vbCrLf + "/ m";
    QTest::newRow("CreepProp") << "CreepProp" << "Creep Properties";
    QTest::newRow("ThermExp") << "ThermExp" << "";
    QTest::newRow("rp02") << "rp02" << "";
}
// clang-format on

void tst_core::captions()
{
    QFETCH(QString, key);
    QFETCH(QString, caption);
    mdiVelkor w;
    w.InitTableNames();
    QCOMPARE(w.GetCaption(key), caption);
}

// ----- Start-up and shutdown -------------------------------------------------------------------

void tst_core::programAndToolbarPictures()
{
    Sandbox box; // no database: the start-up ends after the toolbar got its pictures
    ScriptedResponder responder;
    responder.answerMessage(platform::vbNo);
    mdiVelkor w;
    w.MDIForm_Load();

    // Every window shows the program's icon, the child windows inside the main window too.
    QVERIFY(testutil::drawsAt(QApplication::windowIcon(), 16));
    QVERIFY(testutil::drawsAt(QApplication::windowIcon(), 256));

    // Each button with a face has a picture of its own, sharp at the toolbar's sizes and on a
    // screen of twice the density.
    QList<QImage> faces;
    for (int i = 1; i <= w.ButtonCount(); ++i) {
        QAction *button = w.Buttons(i);
        if (button->isSeparator())
            continue;
        const QIcon icon = button->icon();
        for (int size : {16, 24, 32})
            QVERIFY2(testutil::drawsAt(icon, size),
                     qPrintable(QStringLiteral("%1 at %2").arg(button->objectName()).arg(size)));
        QVERIFY2(testutil::drawsAt(icon, 24, 2.0), qPrintable(button->objectName()));
        const QImage face = icon.pixmap(24).toImage();
        QVERIFY2(!faces.contains(face),
                 qPrintable(button->objectName() + QStringLiteral(" looks like another button")));
        faces << face;
    }
    QCOMPARE(faces.size(), 16);

    // The look of the toolbar, for a person to check.
    w.Toolbar1->setVisible(true);
    for (int i = 1; i <= w.ButtonCount(); ++i)
        w.Buttons(i)->setVisible(true);
    w.Toolbar1->adjustSize();
    QVERIFY(w.Toolbar1->grab().save(QDir::temp().filePath(QStringLiteral("velkor_toolbar.png"))));
}

namespace {

class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

// The splash starts reading the database; the main window's open waits for it with the windows
// painting under the wait cursor, and takes what was read.
void tst_core::splashReadsDatabaseAhead()
{
    Sandbox box;
    const QString path = box.programFolder() + "/Velkor_PED.mdb";
    writeFile(path, readFile(QStringLiteral(VELKOR_SOURCE_DIR "/tests/fixtures/jet/Velkor_PED_pw.mdb")));
    QSemaphore held;
    db::jet::setReadAheadGate([&held] { held.tryAcquire(1, 20000); });
    auto openGate = qScopeGuard([] { db::jet::setReadAheadGate({}); });

    frmSplash splash;
    splash.Form_Load();
    splash.findChild<QTimer *>(QStringLiteral("Timer1"))->stop(); // the hand-over is the test's
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    QVERIFY(db::Database::readingAhead(path));

    PaintCounter counter;
    splash.installEventFilter(&counter);
    bool waitCursor = false;
    QTimer::singleShot(50, &splash, [&] {
        waitCursor = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        splash.update();
        QTimer::singleShot(50, &splash, [&held] { held.release(); });
    });
    ScriptedResponder responder;
    QVERIFY(modDBase::OpenDBase(nullptr, modDBase::MaterialDbName(), modDBase::PathFileName(), true, true,
                                modDBase::MaterialPassword(), QString()));
    QVERIFY(waitCursor);
    QVERIFY(counter.paints > 0);
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(!db::Database::readingAhead(path));
    QCOMPARE(responder.count(), 0);
    auto rs = modDBase::gMaterialDb->openRecordset(QStringLiteral("select name from materials where matID = 2"));
    QCOMPARE(rs->field(0).toString(), QStringLiteral("16Mo3"));
}

void tst_core::screenWidth_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("low");
    QTest::addColumn<bool>("message");
    QTest::newRow("1280") << 1280 << false << false;
    QTest::newRow("1024") << 1024 << false << false;
    QTest::newRow("1000") << 1000 << true << false;
    QTest::newRow("800") << 800 << true << false;
    QTest::newRow("640") << 640 << true << true;
}

void tst_core::screenWidth()
{
    QFETCH(int, width);
    QFETCH(bool, low);
    QFETCH(bool, message);

    Sandbox box; // no database: the start-up ends after the screen check
    platform::setScreenWidthOverride(width);
    ScriptedResponder responder;
    if (message)
        responder.answerMessage(platform::vbOK);
    responder.answerMessage(platform::vbNo);

    mdiVelkor w;
    w.MDIForm_Load();

    QCOMPARE(w.blnLowResolution, low);
    QStringList titles{"Database Missing"};
    if (message)
        titles.prepend("Screen Resolution");
    QCOMPARE(responder.messageTitles(), titles);
    if (message) {
        const platform::MessageRequest shown = responder.messages().first();
        QCOMPARE(shown.style, int(platform::vbOKOnly));
        QCOMPARE(shown.text, "Velkor-PED is best viewed with Screen Resolution (Desktop Area) of 800 x 600 (Pixels) "
                             "or greater." +
                                 vbCrLf + vbCrLf + "Close this program." + vbCrLf + "Right-Click on Desktop." + vbCrLf +
                                 "Click on 'Properties' in pop-up menu." + vbCrLf +
                                 "Click the 'Settings' tab on the Display Properties window." + vbCrLf +
                                 "Change the 'Desktop Area' to 800 x 600 (Pixels) or greater.");
    }
    // Without a database the main window unloads itself.
    QVERIFY(w.Unloaded());
    QVERIFY(modDBase::gDbNotOpened);
}

void tst_core::unloadClosesDatabaseSavesSettingsClosesWindows()
{
    Sandbox box;
    const QString settings = box.dataFolder() + "Settings.vlk";
    makeDatabase(box.path(QStringLiteral("m.mdb")));
    testsupport::ProgramDatabase database;
    QVERIFY(database.open(box.path(QStringLiteral("m.mdb")), QStringLiteral(";Pwd=" VELKOR_DB_PASSWORD), true));

    mdiVelkor w;
    w.show();
    auto *child = new Probe;
    auto *stubborn = new Probe(true);
    auto *dialog = new Probe;
    for (Probe *probe : {child, stubborn, dialog})
        probe->settingsFile = settings;
    QPointer<QMdiSubWindow> childWindow = w.mdiArea()->addSubWindow(child);
    QPointer<QMdiSubWindow> stubbornWindow = w.mdiArea()->addSubWindow(stubborn);
    childWindow->show();
    stubbornWindow->show();
    dialog->show();

    ScriptedResponder responder;
    QVERIFY(w.close());

    QCOMPARE(responder.count(), 0);
    QVERIFY(!modDBase::gMaterialDb);
    const QStringList written = QString::fromUtf8(readFile(settings)).split(vbCrLf);
    QCOMPARE(written.size(), 28); // 27 lines, each ended
    for (Probe *probe : {child, dialog}) {
        QVERIFY(probe->closed);
        QVERIFY(probe->databaseClosed);
        QVERIFY(probe->settingsWritten);
    }
    QVERIFY(dialog->isHidden());
    QTRY_VERIFY(!childWindow);
    QTRY_VERIFY(!stubbornWindow);
    QVERIFY(w.colMaterials.isEmpty());
    delete dialog;
}

// The window system shows each window's own title, with nothing appended; the desktop knows the
// program by its desktop entry.
void tst_core::windowSystemTitles()
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
    if (xvfb.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("xprop")).isEmpty())
        QSKIP("needs xvfb-run and xprop");
    Sandbox box;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("APPDATA"), box.path(QStringLiteral("user")));
    QProcess probe;
    probe.setProcessEnvironment(environment);
    probe.start(xvfb, {QStringLiteral("-a"), QStringLiteral(CORE_TITLE_PROBE), box.programFolder()});
    QVERIFY(probe.waitForFinished(120000));
    const QString output = QString::fromUtf8(probe.readAllStandardOutput());
    QVERIFY2(probe.exitCode() == 0, qPrintable(output + QString::fromUtf8(probe.readAllStandardError())));

    auto name = [&](const QString &window, const QString &property) {
        const QRegularExpression line(QStringLiteral("^") + window + QLatin1Char(' ') + property +
                                          QStringLiteral(" = \"(.*)\"$"),
                                      QRegularExpression::MultilineOption);
        return line.match(output).captured(1);
    };
    for (const char *property : {"_NET_WM_NAME", "WM_NAME"}) {
        QCOMPARE(name(QStringLiteral("main"), QLatin1String(property)), QStringLiteral("Velkor-PED   "));
        QCOMPARE(name(QStringLiteral("box"), QLatin1String(property)), QStringLiteral("Database Missing"));
    }
    QVERIFY2(output.contains(QStringLiteral("desktop velkor-ped\n")), qPrintable(output));
}

// clang-format off
void tst_core::toolbarForScreenReaders_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("role");
    QTest::addColumn<bool>("pressed");
    const int button = QAccessible::Button, check = QAccessible::CheckBox, menu = QAccessible::ButtonMenu;
    QTest::newRow("plain") << "Select" << "Select Material(s)..." << button << false;
    QTest::newRow("plain, last") << "Exit" << "Exit" << button << false;
    QTest::newRow("check, pressed") << "Ref" << "References" << check << true;
    QTest::newRow("held by the view") << "ChemComp" << "Chemical Composition" << button << false;
    QTest::newRow("held by the arrangement") << "Cascade" << "Cascade" << button << true;
    QTest::newRow("drop-down") << "Physical" << "Physical Properties..." << menu << false;
}
// clang-format on

// Each toolbar button is announced by its tool-tip text, also with tool tips off, in the role of its
// style; only the check button can be ticked.
void tst_core::toolbarForScreenReaders()
{
    QFETCH(QString, key);
    QFETCH(QString, name);
    QFETCH(int, role);
    QFETCH(bool, pressed);
    mdiVelkor w;
    QCOMPARE(mdiVelkor::instance(), &w);
    int named = 0;
    for (int i = 1; i <= w.ButtonCount(); ++i)
        if (QAction *b = w.Buttons(i); !b->isSeparator()) {
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w.Toolbar1->widgetForAction(b));
            named += a && !a->text(QAccessible::Name).isEmpty() ? 1 : 0;
        }
    QCOMPARE(named, 16);

    w.blnToolTips = false;
    modToolTips::InitToolTipTexts();
    modToolTips::ShowToolTips(false);
    QAction *action = w.Buttons(key);
    QVERIFY(action->toolTip().isEmpty());
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w.Toolbar1->widgetForAction(action));
    QVERIFY(a);
    QCOMPARE(a->text(QAccessible::Name), name);
    QCOMPARE(int(a->role()), role);
    QCOMPARE(bool(a->state().checkable), role == QAccessible::CheckBox);
    QCOMPARE(bool(a->state().checked || a->state().pressed), pressed);
    QCOMPARE(action->isCheckable(), key != QLatin1String("Select") && key != QLatin1String("Exit"));
    QVERIFY(a->actionInterface());
    QVERIFY(a->actionInterface()->actionNames().contains(role == QAccessible::CheckBox
                                                             ? QAccessibleActionInterface::toggleAction()
                                                             : QAccessibleActionInterface::pressAction()));
}
