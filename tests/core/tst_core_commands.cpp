// The main window's commands and the arrangement of the material windows, on the demo
// database with real search and material windows.

#include "tst_core_commands.h"

#include "controls/DataGrid.h"
#include "core/modDBase.h"
#include "core/modFileHandler.h"
#include "core/modToolTips.h"
#include "db/DataControl.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "material/Material.h"
#include "material/frmMaterial2.h"
#include "platform/Environment.h"
#include "platform/MsgBox.h"
#include "platform/Twips.h"
#include "platform/VbConv.h"
#include "search/DropImage.h"
#include "search/frmSearch.h"
#include "shell/mdiVelkor.h"

#include "PrivateCopy.h"
#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

const QList<int> DemoIds = {101, 102, 103, 104, 105};

QColor base(const QWidget *w)
{
    return w->palette().color(QPalette::Base);
}

frmMaterial2 *tst_core_commands::material(QMdiSubWindow *sub)
{
    return static_cast<frmMaterial2 *>(sub->widget());
}

void tst_core_commands::initTestCase()
{
    const QString demo = QStringLiteral(VELKOR_BIN_DIR "/Velkor_PED.mdb");
    if (!QFile::exists(demo))
        QSKIP("the demo database has not been built");
    QVERIFY(m_dir.isValid());
    qputenv("APPDATA", m_dir.path().toLocal8Bit());
    platform::setProgramFolder(m_dir.path());
    modFileHandler::SetupFileEnvironment();
    m_responder = std::make_unique<platform::ScriptedResponder>();

    const QString copy = testsupport::privateCopy(demo, m_dir.path());
    QVERIFY(!copy.isEmpty());
    QVERIFY(m_database.open(copy, QStringLiteral(";Pwd=" VELKOR_DB_PASSWORD)));
    m_mdi = new mdiVelkor;
    m_mdi->resize(platform::twipsToPixels(16000), platform::twipsToPixels(12000));
    m_mdi->SetStatus();
    m_mdi->InitTableNames();
    m_mdi->show();
    m_search = frmSearch::Load(m_mdi);
    QVERIFY(m_search);
    m_search->subWindow()->show();
    m_mdi->ShowToolTips(m_mdi->blnToolTips);
}

void tst_core_commands::init()
{
    if (!m_mdi)
        QSKIP("no main window");
    // Back to the search state with an empty selection, colours and tool tips on.
    if (m_mdi->mnuFileElem[0]->text() == QLatin1String("Select &Material(s)"))
        m_mdi->mnuFileElem_Click(0);
    for (QMdiSubWindow *sub : m_mdi->MaterialWindows())
        delete sub;
    m_mdi->colMaterials.clear();
    m_mdi->iMaterialsOpen = 0;
    m_mdi->mCurrent.reset();
    m_mdi->iWindowArrange = 0;
    m_search->RefreshSelected(QString());
    if (m_mdi->mnuWindowElem[1]->isChecked())
        m_mdi->mnuWindowElem_Click(0);
    if (!m_mdi->mnuSettingsElem[2]->isChecked())
        m_mdi->mnuSettingsElem_Click(2);
    if (!m_mdi->blnToolTips)
        m_mdi->mnuSettingsElem_Click(3);
    m_mdi->SetBackColor(m_mdi->vMyBlue);
}

void tst_core_commands::cleanupTestCase()
{
    if (m_mdi && !m_mdi->Unloaded()) {
        for (QMdiSubWindow *sub : m_mdi->mdiArea()->subWindowList())
            delete sub;
    }
    delete m_mdi;
    m_database.close();
    m_responder.reset();
    platform::setProgramFolder(QString());
}

void tst_core_commands::addMaterial(int id)
{
    db::Recordset *rs = m_search->dtaMaterials->recordset();
    QVERIFY(rs);
    rs->findFirst(QStringLiteral("matID = %1").arg(id));
    QVERIFY(!rs->noMatch());
    m_search->cmdSelectMat_Click();
}

QList<QMdiSubWindow *> tst_core_commands::openMaterials(const QList<int> &ids)
{
    for (int id : ids)
        addMaterial(id);
    m_mdi->mnuFileElem_Click(0);
    return m_mdi->MaterialWindows();
}

QString tst_core_commands::statusTextOf(int code)
{
    const QString shown = m_mdi->StatusText();
    m_mdi->ShowStatus(code + 100);
    const QString text = m_mdi->StatusText();
    m_mdi->ShowStatus(100);
    return shown == m_mdi->StatusText() ? text : QStringLiteral("(status disturbed)");
}

// --- menus and toolbar by state ---------------------------------------------------------------

void tst_core_commands::menusAndToolbarByState_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<bool>("materials");   // View shown, report items and Toolbar submenu enabled
    QTest::addColumn<bool>("toolbar");     // the toolbar shown
    QTest::addColumn<bool>("fullToolbar"); // buttons 2 to 22 shown
    QTest::addColumn<QString>("fileItem0");

    QTest::newRow("search at start") << "start" << false << true << true << "Show Selected &Material(s)";
    QTest::newRow("selection opened") << "opened" << true << true << true << "Select &Material(s)";
    QTest::newRow("back to the search") << "back" << false << false << false << "Show Selected &Material(s)";
    QTest::newRow("last window closed") << "closed" << false << true << false << "Select &Material(s)";
}

void tst_core_commands::menusAndToolbarByState()
{
    QFETCH(QString, state);
    QFETCH(bool, materials);
    QFETCH(bool, toolbar);
    QFETCH(bool, fullToolbar);
    QFETCH(QString, fileItem0);

    if (state != QLatin1String("start")) {
        const QList<QMdiSubWindow *> windows = openMaterials({101, 102});
        QCOMPARE(windows.size(), 2);
        if (state == QLatin1String("back")) {
            m_mdi->mnuFileElem_Click(0);
        } else if (state == QLatin1String("closed")) {
            for (QMdiSubWindow *sub : windows)
                sub->close();
            QCOMPARE(m_mdi->iMaterialsOpen, qint16(0));
        }
    } else {
        // The toolbar as the window is created (the search state before any selection).
        for (int i = 1; i <= m_mdi->ButtonCount(); ++i)
            m_mdi->Buttons(i)->setVisible(true);
        m_mdi->Toolbar1->show();
    }

    QCOMPARE(m_mdi->mnuView->menuAction()->isVisible(), materials);
    QCOMPARE(m_mdi->mnuFileElem[2]->isEnabled(), materials);
    QCOMPARE(m_mdi->mnuFileElem[3]->isEnabled(), materials);
    QCOMPARE(m_mdi->mnuSettingsElem[0]->isEnabled(), materials);
    QCOMPARE(m_mdi->mnuFileElem[0]->text(), fileItem0);
    QCOMPARE(!m_mdi->Toolbar1->isHidden(), toolbar);
    for (int i = 1; i <= m_mdi->ButtonCount(); ++i) {
        const bool always = i == 1 || i >= m_mdi->ButtonCount() - 1;
        QVERIFY2(m_mdi->Buttons(i)->isVisible() == (always || fullToolbar), qPrintable(QString::number(i)));
    }
    QCOMPARE(m_search->subWindow()->isHidden(), state == QLatin1String("opened") || state == QLatin1String("closed"));
}

// --- View commands ------------------------------------------------------------------------------

// clang-format off
void tst_core_commands::viewCommands_data()
{
    QTest::addColumn<QString>("source"); // View, Mech, Phys, Button (key), ButtonMenu (key)
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("key");    // the button or button menu
    QTest::addColumn<QString>("shown");  // strCurrentTable of every window afterwards
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("lastView");

    QTest::newRow("View 1") << "View" << 1 << "" << "ChemComp" << 1 << "ChemComp";
    QTest::newRow("View 3") << "View" << 3 << "" << "ImpEnergy" << 1 << "ImpEnergy";
    QTest::newRow("View 5") << "View" << 5 << "" << "AddInfo" << 1 << "AddInfo";
    QTest::newRow("View 6") << "View" << 6 << "" << "Design" << 6 << "Design";
    QTest::newRow("Mech 0") << "Mech" << 0 << "" << "MechProp" << 1 << "Mech";
    QTest::newRow("Mech 1") << "Mech" << 1 << "" << "Rp02" << 13 << "Mech";
    QTest::newRow("Mech 3") << "Mech" << 3 << "" << "CreepProp" << 14 << "Mech";
    QTest::newRow("Phys 0") << "Phys" << 0 << "" << "ModElast" << 1 << "Physical";
    QTest::newRow("Phys 1") << "Phys" << 1 << "" << "ThermExp" << 1 << "Physical";
    QTest::newRow("Phys 2") << "Phys" << 2 << "" << "ThermCond" << 1 << "Physical";
    QTest::newRow("Phys 3") << "Phys" << 3 << "" << "SpecThermCap" << 1 << "Physical";
    QTest::newRow("Phys 4") << "Phys" << 4 << "" << "SpecElecRes" << 1 << "Physical";
    QTest::newRow("button ChemComp") << "Button" << 0 << "ChemComp" << "ChemComp" << 1 << "ChemComp";
    QTest::newRow("button Design") << "Button" << 0 << "Design" << "Design" << 6 << "Design";
    QTest::newRow("button menu Elevated") << "ButtonMenu" << 0 << "Elevated" << "Rp02" << 13 << "Mech";
    QTest::newRow("button menu CreepProp") << "ButtonMenu" << 0 << "CreepProp" << "CreepProp" << 14 << "Mech";
    QTest::newRow("button menu ThermCond") << "ButtonMenu" << 0 << "ThermCond" << "ThermCond" << 1 << "Physical";
}
// clang-format on

void tst_core_commands::viewCommands()
{
    QFETCH(QString, source);
    QFETCH(int, index);
    QFETCH(QString, key);
    QFETCH(QString, shown);
    QFETCH(int, status);
    QFETCH(QString, lastView);

    const QList<QMdiSubWindow *> windows = openMaterials({101, 105});
    QCOMPARE(windows.size(), 2);
    for (QMdiSubWindow *sub : windows)
        material(sub)->strCurrentTable = QStringLiteral("untouched");
    m_mdi->ShowStatus(0);

    if (source == QLatin1String("View"))
        m_mdi->mnuViewElem[index]->trigger();
    else if (source == QLatin1String("Mech"))
        m_mdi->mnuViewMechElem[index]->trigger();
    else if (source == QLatin1String("Phys"))
        m_mdi->mnuViewPhysElem[index]->trigger();
    else if (source == QLatin1String("Button"))
        m_mdi->Buttons(key)->trigger();
    else {
        QAction *item = nullptr;
        for (const QString &button : {QStringLiteral("Mech"), QStringLiteral("Physical")})
            for (int i = 1; m_mdi->ButtonMenus(button, i); ++i)
                if (m_mdi->ButtonMenus(button, i)->objectName() == key)
                    item = m_mdi->ButtonMenus(button, i);
        QVERIFY(item);
        item->trigger();
    }

    for (QMdiSubWindow *sub : windows)
        QCOMPARE(material(sub)->strCurrentTable, shown);
    QCOMPARE(m_mdi->StatusText(), statusTextOf(status));
    QCOMPARE(m_mdi->strLastViewButton, lastView);
    // One view button pressed, and it is the one of the shown table.
    for (int i = 8; i <= 14; ++i)
        QCOMPARE(m_mdi->Buttons(i)->isChecked(), m_mdi->Buttons(i)->objectName() == lastView);
    QVERIFY(m_mdi->Buttons(QStringLiteral("Cascade"))->isChecked());
    QVERIFY(!m_mdi->Buttons(QStringLiteral("Horizontal"))->isChecked());
}

void tst_core_commands::repeatingTheShownTableDoesNothing_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("viewItem");
    QTest::newRow("pressed ChemComp") << "ChemComp" << 1;
    QTest::newRow("pressed Design") << "Design" << 6;
    QTest::newRow("check button Ref") << "Ref" << 0;
}

void tst_core_commands::repeatingTheShownTableDoesNothing()
{
    QFETCH(QString, button);
    QFETCH(int, viewItem);

    const QList<QMdiSubWindow *> windows = openMaterials({101, 102});
    m_mdi->mnuViewElem_Click(qint16(viewItem));
    QVERIFY(!m_mdi->mnuViewElem[viewItem]->isEnabled());
    for (QMdiSubWindow *sub : windows)
        material(sub)->strCurrentTable = QStringLiteral("untouched");

    m_mdi->Buttons(button)->trigger();
    // A disabled menu item cannot be chosen; the handler refuses it all the same.
    m_mdi->mnuViewElem_Click(qint16(viewItem));

    for (QMdiSubWindow *sub : windows)
        QCOMPARE(material(sub)->strCurrentTable, QStringLiteral("untouched"));
    QVERIFY(m_mdi->Buttons(button)->isChecked());
    QCOMPARE(m_mdi->strLastViewButton, button);
    QVERIFY(m_mdi->Buttons(QStringLiteral("Cascade"))->isChecked());

    // Separators, submenu titles and the faces of the drop-down buttons do nothing either.
    m_mdi->mnuViewElem_Click(2);
    m_mdi->mnuViewElem_Click(4);
    m_mdi->mnuViewMechElem_Click(2);
    m_mdi->Buttons(QStringLiteral("Mech"))->trigger();
    m_mdi->Buttons(QStringLiteral("Physical"))->trigger();
    for (QMdiSubWindow *sub : windows)
        QCOMPARE(material(sub)->strCurrentTable, QStringLiteral("untouched"));
    QCOMPARE(m_mdi->strLastViewButton, button);
    QVERIFY(!m_mdi->Buttons(QStringLiteral("Mech"))->isChecked());
}

// clang-format off
void tst_core_commands::updateMenusAndButtonsMarks_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("pressed");          // view button pressed afterwards, "" none
    QTest::addColumn<QString>("disabledItem");     // "View 3", "Mech 3", "Phys 4" or ""
    QTest::addColumn<int>("disabledMechMenu");     // button menu of Mech disabled, 0 none
    QTest::addColumn<int>("disabledPhysMenu");

    QTest::newRow("View 0") << "View" << 0 << "Ref" << "View 0" << 0 << 0;
    QTest::newRow("View 6") << "View" << 6 << "Design" << "View 6" << 0 << 0;
    QTest::newRow("Mech 0") << "Mech" << 0 << "Mech" << "Mech 0" << 1 << 0;
    QTest::newRow("Mech 1") << "Mech" << 1 << "Mech" << "Mech 1" << 2 << 0;
    QTest::newRow("Mech 3 is button menu 3") << "Mech" << 3 << "Mech" << "Mech 3" << 3 << 0;
    QTest::newRow("Phys 0") << "Phys" << 0 << "Physical" << "Phys 0" << 0 << 1;
    QTest::newRow("Phys 4") << "Phys" << 4 << "Physical" << "Phys 4" << 0 << 5;
    QTest::newRow("other menu only resets") << "Other" << 2 << "" << "" << 0 << 0;
}
// clang-format on

void tst_core_commands::updateMenusAndButtonsMarks()
{
    QFETCH(QString, menu);
    QFETCH(int, index);
    QFETCH(QString, pressed);
    QFETCH(QString, disabledItem);
    QFETCH(int, disabledMechMenu);
    QFETCH(int, disabledPhysMenu);

    // Start from a different mark, so that the reset is seen.
    m_mdi->UpdateMenusAndButtons(QStringLiteral("Mech"), 3);
    m_mdi->UpdateMenusAndButtons(QStringLiteral("Phys"), 2);
    m_mdi->UpdateMenusAndButtons(menu, index);

    const QList<std::pair<QString, QList<QAction *>>> menus = {{QStringLiteral("View"), m_mdi->mnuViewElem},
                                                               {QStringLiteral("Mech"), m_mdi->mnuViewMechElem},
                                                               {QStringLiteral("Phys"), m_mdi->mnuViewPhysElem}};
    for (const auto &[name, items] : menus)
        for (int i = 0; i < items.size(); ++i)
            if (!items[i]->isSeparator())
                QVERIFY2(items[i]->isEnabled() == (disabledItem != name + QLatin1Char(' ') + QString::number(i)),
                         qPrintable(name + QString::number(i)));
    for (int i = 1; i <= 3; ++i)
        QCOMPARE(m_mdi->ButtonMenus(QStringLiteral("Mech"), i)->isEnabled(), i != disabledMechMenu);
    for (int i = 1; i <= 5; ++i)
        QCOMPARE(m_mdi->ButtonMenus(QStringLiteral("Physical"), i)->isEnabled(), i != disabledPhysMenu);
    for (int i = 8; i <= 14; ++i)
        QCOMPARE(m_mdi->Buttons(i)->isChecked(), m_mdi->Buttons(i)->objectName() == pressed);
    if (!pressed.isEmpty())
        QCOMPARE(m_mdi->strLastViewButton, pressed);
}

// --- Window commands and arrangement ----------------------------------------------------------

void tst_core_commands::windowCommands_data()
{
    QTest::addColumn<QString>("via"); // menu or button
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<int>("arrange");
    QTest::addColumn<bool>("secondArranges");

    QTest::newRow("menu tile") << "menu" << 1 << 1 << 1 << false;
    QTest::newRow("menu tile then cascade") << "menu" << 1 << 0 << 0 << true;
    QTest::newRow("menu cascade while cascaded") << "menu" << 0 << 0 << 0 << false;
    QTest::newRow("button tile then cascade") << "button" << 1 << 0 << 0 << true;
    QTest::newRow("button cascade while cascaded") << "button" << 0 << 0 << 0 << false;
}

void tst_core_commands::windowCommands()
{
    QFETCH(QString, via);
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(int, arrange);
    QFETCH(bool, secondArranges);

    const QList<QMdiSubWindow *> windows = openMaterials({101, 102, 103});
    m_mdi->mnuViewElem_Click(1);
    auto choose = [&](int item) {
        if (via == QLatin1String("menu"))
            m_mdi->mnuWindowElem[item]->trigger();
        else
            m_mdi->Buttons(item == 0 ? QStringLiteral("Cascade") : QStringLiteral("Horizontal"))->trigger();
    };
    choose(first);
    // Moved away by hand: a command that arranges puts it back.
    windows[2]->move(3, 3);
    choose(second);

    QCOMPARE(m_mdi->iWindowArrange, qint16(arrange));
    QCOMPARE(m_mdi->mnuWindowElem[0]->isChecked(), arrange == 0);
    QCOMPARE(m_mdi->mnuWindowElem[1]->isChecked(), arrange == 1);
    QCOMPARE(m_mdi->Buttons(QStringLiteral("Cascade"))->isChecked(), arrange == 0);
    QCOMPARE(m_mdi->Buttons(QStringLiteral("Horizontal"))->isChecked(), arrange == 1);
    QCOMPARE(m_mdi->strLastWindowButton, arrange == 0 ? QStringLiteral("Cascade") : QStringLiteral("Horizontal"));
    QCOMPARE(windows[2]->pos() != QPoint(3, 3), secondArranges);
    // The view button stays pressed through the arrangement commands.
    QVERIFY(m_mdi->Buttons(QStringLiteral("ChemComp"))->isChecked());
}

void tst_core_commands::tileTops_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<double>>("tops");
    QTest::newRow("1") << 1 << QList<double>{0};
    QTest::newRow("2") << 2 << QList<double>{0, 5050};
    QTest::newRow("3") << 3 << QList<double>{0, 5050, 5050};
    QTest::newRow("4") << 4 << QList<double>{0, 0, 5050, 5050};
    QTest::newRow("5") << 5 << QList<double>{0, 0, 5050, 5050, 5050};
}

void tst_core_commands::tileTops()
{
    QFETCH(int, count);
    QFETCH(QList<double>, tops);

    m_mdi->iWindowArrange = 1;
    const QList<QMdiSubWindow *> windows = openMaterials(DemoIds.mid(0, count));
    QCOMPARE(windows.size(), count);
    m_mdi->DoTileHorizontal();
    const double left = platform::roundHalfEven((platform::widthTwips(m_mdi) - 11280) / 2);
    for (int i = 0; i < count; ++i) {
        QVERIFY(qAbs(platform::topTwips(windows[i]) - tops[i]) < platform::TwipsPerPixel);
        QVERIFY(qAbs(platform::leftTwips(windows[i]) - left) < platform::TwipsPerPixel);
    }
    // The last placed is current; the first is in front.
    QCOMPARE(m_mdi->mCurrent, material(windows.last())->mMat);
    QCOMPARE(m_mdi->mdiArea()->subWindowList(QMdiArea::StackingOrder).last(), windows.first());
}

void tst_core_commands::cascadeCentresAndSkipsMinimised()
{
    const QList<QMdiSubWindow *> windows = openMaterials({101, 102, 103, 104});
    windows[1]->showMinimized();
    const QPoint minimisedAt = windows[1]->pos();
    m_mdi->mCurrent.reset();
    m_mdi->DoCascade();

    const QList<double> tops = {0, -1, 300, 600};
    for (int i : {0, 2, 3}) {
        QVERIFY(qAbs(platform::topTwips(windows[i]) - tops[i]) < platform::TwipsPerPixel);
        const double left = (platform::widthTwips(m_mdi) - platform::widthTwips(windows[i])) / 2;
        QVERIFY(qAbs(platform::leftTwips(windows[i]) - left) < platform::TwipsPerPixel);
    }
    QCOMPARE(windows[1]->pos(), minimisedAt);
    QVERIFY(windows[1]->isMinimized());
    QCOMPARE(m_mdi->mCurrent, material(windows[3])->mMat);
    QCOMPARE(m_mdi->mdiArea()->subWindowList(QMdiArea::StackingOrder).last(), windows[3]);
}

void tst_core_commands::narrowMainWindowTilesToNegativeLeft()
{
    const QSize before = m_mdi->size();
    const QList<QMdiSubWindow *> windows = openMaterials({101});
    m_mdi->resize(platform::twipsToPixels(9000), before.height());
    m_mdi->DoTileHorizontal();
    QVERIFY(platform::leftTwips(windows[0]) < 0);
    QVERIFY(qAbs(platform::leftTwips(windows[0]) - platform::roundHalfEven((platform::widthTwips(m_mdi) - 11280) / 2)) <
            platform::TwipsPerPixel);
    m_mdi->resize(before);
}

// --- File menu ----------------------------------------------------------------------------------

void tst_core_commands::selectWithEmptySelectionDoesNothing()
{
    m_mdi->mnuFileElem[0]->trigger();
    QCOMPARE(m_mdi->mnuFileElem[0]->text(), QStringLiteral("Show Selected &Material(s)"));
    QVERIFY(m_mdi->MaterialWindows().isEmpty());
    QVERIFY(!m_search->subWindow()->isHidden());
}

void tst_core_commands::backToSearchState()
{
    const QList<QMdiSubWindow *> windows = openMaterials({101, 102, 103});
    QCOMPARE(windows.size(), 3);
    m_search->subWindow()->move(40, 300);

    m_mdi->mnuFileElem[0]->trigger();

    QVERIFY(m_mdi->MaterialWindows().isEmpty());
    QCOMPARE(m_mdi->iMaterialsOpen, qint16(0));
    QCOMPARE(m_mdi->colMaterials.count(), 3);
    QVERIFY(!m_search->subWindow()->isHidden());
    QCOMPARE(m_search->subWindow()->y(), platform::twipsToPixels(50));
    QCOMPARE(m_search->subWindow()->x(), 40);
    QCOMPARE(m_search->tdbSelected->rowCount(), 3);
    QVERIFY(m_mdi->Toolbar1->isHidden());

    // And forth again: the selection opens once more.
    m_mdi->mnuFileElem[0]->trigger();
    QCOMPARE(m_mdi->MaterialWindows().size(), 3);
    QVERIFY(!m_mdi->Toolbar1->isHidden());
    QVERIFY(m_mdi->Buttons(QStringLiteral("Ref"))->isChecked());
}

void tst_core_commands::aboutShowsItsStatusText()
{
    const QString aboutText = statusTextOf(7);
    m_mdi->ShowStatus(1);
    const QString remembered = m_mdi->StatusText();
    QString whileShown;
    int shown = 0;
    m_responder->answerDialog([&](QDialog &dialog) {
        ++shown;
        whileShown = m_mdi->StatusText();
        dialog.reject();
    });
    m_mdi->mnuHelpElem[4]->trigger();
    QCOMPARE(shown, 1);
    QCOMPARE(whileShown, aboutText);
    QCOMPARE(m_mdi->StatusText(), remembered);
}

void tst_core_commands::exitUnloadsEverything()
{
    const QList<QMdiSubWindow *> windows = openMaterials({101, 102});
    QCOMPARE(windows.size(), 2);
    m_search->txtSearch[2]->setText(QStringLiteral("1.04"));

    m_mdi->Buttons(QStringLiteral("Exit"))->trigger();

    QVERIFY(m_mdi->Unloaded());
    QVERIFY(m_mdi->MaterialWindows().isEmpty());
    QVERIFY(!frmSearch::instance());
    QVERIFY(m_responder->messages().isEmpty());
    // The search window unloaded before the settings were written: its criteria are saved.
    const QString settings = modFileHandler::DataFilePath(QStringLiteral("Settings.vlk"));
    QFile file(settings);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("1.04"));
    m_search = nullptr;
}

QTEST_MAIN(tst_core_commands)
