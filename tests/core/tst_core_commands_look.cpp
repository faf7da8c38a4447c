// The Settings commands, the colour scheme, the tool tips and the current-material bookkeeping.

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

using platform::OleColor;

// --- Settings -------------------------------------------------------------------------------------

void tst_core_commands::settingsCommands()
{
    // Status bar: the menu item and a double click on the bar both toggle it.
    QVERIFY(!m_mdi->stbStatus->isHidden());
    QTest::mouseDClick(m_mdi->stbStatus, Qt::LeftButton);
    QVERIFY(m_mdi->stbStatus->isHidden());
    QVERIFY(!m_mdi->mnuSettingsElem[1]->isChecked());
    m_mdi->mnuSettingsElem[1]->trigger();
    QVERIFY(!m_mdi->stbStatus->isHidden());
    QVERIFY(m_mdi->mnuSettingsElem[1]->isChecked());

    // Toolbar: of each pair, the item that would change the present state is the enabled one.
    const QList<QAction *> &tool = m_mdi->mnuSettingsToolElem;
    const bool hiddenBefore = m_mdi->Toolbar1->isHidden();
    if (hiddenBefore)
        m_mdi->Toolbar1->show();
    QVERIFY(!tool[0]->isEnabled() && tool[1]->isEnabled() && !tool[2]->isEnabled() && tool[3]->isEnabled());
    tool[1]->trigger();
    QVERIFY(m_mdi->Toolbar1->isHidden());
    QVERIFY(tool[0]->isEnabled() && !tool[1]->isEnabled());
    tool[0]->trigger();
    QVERIFY(!m_mdi->Toolbar1->isHidden());
    QVERIFY(!tool[0]->isEnabled() && tool[1]->isEnabled());
    tool[3]->trigger();
    QVERIFY(m_mdi->ToolbarAtBottom());
    QVERIFY(tool[2]->isEnabled() && !tool[3]->isEnabled());
    tool[2]->trigger();
    QVERIFY(!m_mdi->ToolbarAtBottom());
    QVERIFY(!tool[2]->isEnabled() && tool[3]->isEnabled());
    m_mdi->Toolbar1->setHidden(hiddenBefore);
}

void tst_core_commands::colourScheme_data()
{
    QTest::addColumn<bool>("on");
    QTest::newRow("switched off") << false;
    QTest::newRow("switched on again") << true;
}

void tst_core_commands::colourScheme()
{
    QFETCH(bool, on);

    const QList<QMdiSubWindow *> windows = openMaterials({101, 102});
    if (on)
        m_mdi->mnuSettingsElem[2]->trigger();
    m_mdi->mnuSettingsElem[2]->trigger();
    QCOMPARE(m_mdi->mnuSettingsElem[2]->isChecked(), on);
    QCOMPARE(m_mdi->blnColoursOFF, !on);

    const QColor c = platform::toQColor(on ? platform::olecolor::InfoBackground : platform::olecolor::White);
    QCOMPARE(m_mdi->BackColor(), on ? m_mdi->vMyBlue : platform::olecolor::White);
    for (QLineEdit *box : m_search->txtSearch)
        QCOMPARE(base(box), c);
    QCOMPARE(m_search->tdbMaterials->alternatingRows(), on);
    QCOMPARE(m_search->tdbSelected->alternatingRows(), on);
    for (QMdiSubWindow *sub : windows) {
        frmMaterial2 *frm = material(sub);
        QCOMPARE(base(frm->txtDesignTemp), c);
        QCOMPARE(base(frm->txtNotes), c);
        QCOMPARE(base(frm->txtNoData), c);
        for (QPlainTextEdit *box : frm->txtMainData)
            QCOMPARE(base(box), c);
        QCOMPARE(frm->framChart->palette().color(QPalette::Window), c);
        for (controls::DataGrid *grid : {frm->tdbTable, frm->tdbBoundTable, frm->tdbDesign})
            QCOMPARE(grid->alternatingRows(), on);
    }

    // A window opened later follows the scheme (its load removes it while it is off); row
    // colours stay the main window's pair.
    m_mdi->mnuFileElem_Click(0);
    const QList<QMdiSubWindow *> again = openMaterials({});
    QCOMPARE(again.size(), 2);
    frmMaterial2 *frm = material(again.first());
    QCOMPARE(frm->tdbTable->alternatingRows(), on);
    QCOMPARE(frm->tdbDesign->alternatingRows(), on);
    if (!on)
        QCOMPARE(base(frm->txtDesignTemp), c);
    QCOMPARE(frm->tdbTable->evenRowColor(), m_mdi->vMyGreen);
    QCOMPARE(frm->tdbTable->oddRowColor(), m_mdi->vMyBlue);
    QCOMPARE(m_search->tdbSelected->evenRowColor(), m_mdi->vMyBlue);
    QCOMPARE(m_search->tdbSelected->oddRowColor(), m_mdi->vMyGreen);
}

void tst_core_commands::backColourCycle_data()
{
    QTest::addColumn<bool>("scheme");
    QTest::addColumn<OleColor>("start");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<OleColor>("end");

    const OleColor blue = 0xFEC7A5, green = 0xA8FBA2, info = platform::olecolor::InfoBackground,
                   workspace = platform::olecolor::AppWorkspace, white = platform::olecolor::White;
    QTest::newRow("on, one step") << true << blue << 1 << green;
    QTest::newRow("on, green to info") << true << green << 1 << info;
    QTest::newRow("on, info to workspace") << true << info << 1 << workspace;
    QTest::newRow("on, workspace to white") << true << workspace << 1 << white;
    QTest::newRow("on, white to blue") << true << white << 1 << blue;
    QTest::newRow("on, six from blue end on green") << true << blue << 6 << green;
    QTest::newRow("on, another colour stays") << true << OleColor(0x00FF00) << 2 << OleColor(0x00FF00);
    QTest::newRow("off, blue stays") << false << blue << 1 << blue;
    QTest::newRow("off, white to workspace") << false << white << 1 << workspace;
    QTest::newRow("off, workspace to white") << false << workspace << 1 << white;
    QTest::newRow("off, two from white") << false << white << 2 << white;
}

void tst_core_commands::backColourCycle()
{
    QFETCH(bool, scheme);
    QFETCH(OleColor, start);
    QFETCH(int, clicks);
    QFETCH(OleColor, end);

    if (!scheme)
        m_mdi->mnuSettingsElem_Click(2);
    m_mdi->SetBackColor(start);
    // Double clicks on the empty area, and the Settings item, run the same step.
    for (int i = 0; i < clicks; ++i) {
        if (i % 2 == 0)
            QTest::mouseDClick(m_mdi->mdiArea()->viewport(), Qt::LeftButton, {}, QPoint(2, 2));
        else
            m_mdi->mnuSettingsElem[4]->trigger();
    }
    QCOMPARE(m_mdi->BackColor(), end);
}

// --- Tool tips ----------------------------------------------------------------------------------

void tst_core_commands::toolTips_data()
{
    QTest::addColumn<bool>("on");
    QTest::addColumn<bool>("materialsShown");
    QTest::newRow("on, search shown") << true << false;
    QTest::newRow("on, materials shown") << true << true;
    QTest::newRow("off, search shown") << false << false;
    QTest::newRow("off, materials shown") << false << true;
}

void tst_core_commands::toolTips()
{
    QFETCH(bool, on);
    QFETCH(bool, materialsShown);

    m_search->chkSearch[3]->setChecked(false);
    QList<QMdiSubWindow *> windows;
    if (materialsShown)
        windows = openMaterials({102, 101});
    if (!on)
        m_mdi->mnuSettingsElem[3]->trigger();
    else
        m_mdi->ShowToolTips(true);
    QCOMPARE(m_mdi->blnToolTips, on);
    QCOMPARE(m_mdi->mnuSettingsElem[3]->isChecked(), on);
    auto expect = [on](const QString &text) { return on ? text : QString(); };

    // Toolbar: the table texts, with the current material's name on three buttons while the
    // material windows are shown.
    const QString name = materialsShown ? m_mdi->mCurrent->Name() : QString();
    const QStringList tips = {"Select Material(s)...",
                              "Show Next Material",
                              "Close Current Material",
                              "",
                              "Save Current Material To File...",
                              "Preview / Print Current Material...",
                              "",
                              "References",
                              "Chemical Composition",
                              "Mechanical Properties...",
                              "Impact Energy",
                              "Physical Properties...",
                              "Additional Information",
                              "Design Values",
                              "",
                              "",
                              "Cascade",
                              "Tile Horizontal",
                              "",
                              "",
                              "General Information...",
                              "",
                              "",
                              "Exit"};
    for (int i = 1; i <= 24; ++i) {
        QString text = tips[i - 1];
        if (materialsShown && (i == 3 || i == 5 || i == 6))
            text = QStringList{"Close '", "", "Save '", "Print '"}[i - 3] + name + "'";
        QCOMPARE(m_mdi->Buttons(i)->toolTip(), expect(text));
        QCOMPARE(modToolTips::ToolbarText(i), tips[i - 1]);
    }
    if (QWidget *face = m_mdi->Toolbar1->widgetForAction(m_mdi->Buttons(QStringLiteral("Exit"))))
        QCOMPARE(face->toolTip(), expect(QStringLiteral("Exit")));

    // Search window.
    for (QLineEdit *box : m_search->txtSearch)
        QCOMPARE(box->toolTip(), expect(QStringLiteral("Type In Required Search Criteria")));
    QCOMPARE(m_search->chkListAll->toolTip(), expect(QStringLiteral("Clear All Search Boxes ( Start New Search )")));
    QCOMPARE(m_search->cmdSelectMat->toolTip(),
             expect(QStringLiteral("Add Currently Chosen Material To The 'Selected' Grid")));
    QCOMPARE(m_search->cmdTabNav[3]->toolTip(), expect(QStringLiteral("Move To Last Material In List")));
    QCOMPARE(m_search->imgBin->toolTip(),
             expect(QStringLiteral("'Drag and drop' Material Here To Remove From 'Selected' Grid")));
    QCOMPARE(m_search->imgFolder->toolTip(),
             expect(QStringLiteral("'Drag and drop' Material Here To Add To 'Selected' Grid")));
    QCOMPARE(m_search->cmdSelections[2]->toolTip(), expect(QStringLiteral("Remove Currently Selected Material...")));
    QCOMPARE(m_search->chkSearch[1]->toolTip(), expect(QStringLiteral("Hide 'Name' Column")));
    QCOMPARE(m_search->chkSearch[3]->toolTip(), expect(QStringLiteral("Show 'Description' Column")));
    QCOMPARE(m_search->cmdSelect[0]->toolTip(), expect(QStringLiteral("Select 'Standard' From List...")));
    QCOMPARE(m_search->cmdSelect[5]->toolTip(),
             expect(QStringLiteral("Select Material's 'Revision Date' From List...")));
    QCOMPARE(m_search->cmdSelect[6]->toolTip(), expect(QStringLiteral("Select 'Product Form' From List...")));
    QCOMPARE(m_search->tdbMaterials->cellTips(),
             on ? controls::DataGrid::FloatingCellTips : controls::DataGrid::NoCellTips);

    // Material windows.
    for (QMdiSubWindow *sub : windows) {
        frmMaterial2 *frm = material(sub);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(frm->cmdPrintSave[i]->toolTip(), expect(modToolTips::MaterialText(i)));
        QCOMPARE(frm->txtDesignTemp->toolTip(), expect(QStringLiteral("Enter Design Temperature Here")));
        QCOMPARE(frm->txtMainData[6]->toolTip(),
                 expect(QStringLiteral("Date Velkor-PED last updated for this Material")));
        QCOMPARE(frm->txtMainData[8]->toolTip(),
                 expect(QStringLiteral("Date Velkor-PED last updated for this Standard")));
        QCOMPARE(frm->cmdShowNotes->toolTip(), expect(QStringLiteral("Show Table Notes")));
    }
    m_search->chkSearch[3]->setChecked(true);
}

// --- Current material ---------------------------------------------------------------------------

void tst_core_commands::activationMakesMaterialCurrent_data()
{
    QTest::addColumn<bool>("toolTips");
    QTest::newRow("tool tips on") << true;
    QTest::newRow("tool tips off") << false;
}

void tst_core_commands::activationMakesMaterialCurrent()
{
    QFETCH(bool, toolTips);

    const QList<QMdiSubWindow *> windows = openMaterials({101, 102, 103});
    if (!toolTips)
        m_mdi->mnuSettingsElem_Click(3);
    for (QMdiSubWindow *sub : {windows[0], windows[2], windows[1]}) {
        m_mdi->mdiArea()->setActiveSubWindow(sub);
        QTRY_COMPARE(m_mdi->mCurrent, material(sub)->mMat);
        const QString name = material(sub)->mMat->Name();
        QCOMPARE(m_mdi->Buttons(QStringLiteral("Close"))->toolTip(), toolTips ? "Close " + name : QString());
        QCOMPARE(m_mdi->Buttons(QStringLiteral("Save"))->toolTip(),
                 toolTips ? "Save " + name + " Report To File..." : QString());
        QCOMPARE(m_mdi->Buttons(QStringLiteral("Print"))->toolTip(),
                 toolTips ? "Print (Preview) " + name + " Report..." : QString());
    }
}

void tst_core_commands::closeMaterial()
{
    const QList<QMdiSubWindow *> windows = openMaterials({101, 102});
    m_mdi->mdiArea()->setActiveSubWindow(windows[1]);
    QTRY_COMPARE(m_mdi->mCurrent, material(windows[1])->mMat);
    const MaterialPtr closing = m_mdi->mCurrent;

    m_mdi->Buttons(QStringLiteral("Close"))->trigger();

    QCOMPARE(m_mdi->colMaterials.count(), 1);
    QVERIFY(!m_mdi->colMaterials.contains(QString::number(closing->ID())));
    QCOMPARE(m_mdi->MaterialWindows().size(), 1);
    QCOMPARE(m_mdi->iMaterialsOpen, qint16(1));
    // A window remains: the materials state stays.
    QVERIFY(m_mdi->mnuView->menuAction()->isVisible());
    QVERIFY(m_mdi->Buttons(QStringLiteral("Close"))->isVisible());
    QVERIFY(!m_mdi->Buttons(QStringLiteral("Close"))->isChecked());
}

void tst_core_commands::closingLastWindowReducesToolbar()
{
    const QList<QMdiSubWindow *> windows = openMaterials({104});
    m_mdi->mdiArea()->setActiveSubWindow(windows[0]);
    QTRY_COMPARE(m_mdi->mCurrent, material(windows[0])->mMat);
    m_mdi->CloseMaterial();

    QCOMPARE(m_mdi->iMaterialsOpen, qint16(0));
    QVERIFY(m_mdi->colMaterials.isEmpty());
    QVERIFY(m_mdi->MaterialWindows().isEmpty());
    QStringList visible;
    for (int i = 1; i <= m_mdi->ButtonCount(); ++i)
        if (m_mdi->Buttons(i)->isVisible())
            visible << m_mdi->Buttons(i)->objectName();
    QCOMPARE(visible, QStringList({"Select", "Separator8", "Exit"}));
    QVERIFY(!m_mdi->mnuView->menuAction()->isVisible());
    QVERIFY(!m_mdi->mnuFileElem[2]->isEnabled());
    QVERIFY(!m_mdi->mnuSettingsElem[0]->isEnabled());
    QCOMPARE(m_mdi->mnuFileElem[0]->text(), QStringLiteral("Select &Material(s)"));
    QVERIFY(m_search->subWindow()->isHidden());

    // Select then returns to the search window.
    m_mdi->Buttons(QStringLiteral("Select"))->trigger();
    QVERIFY(!m_search->subWindow()->isHidden());
    QCOMPARE(m_mdi->StatusText(), statusTextOf(0));
}

void tst_core_commands::closeMaterialNotInSelectionDoesNothing()
{
    const QList<QMdiSubWindow *> windows = openMaterials({101, 102});
    m_mdi->mdiArea()->setActiveSubWindow(windows[0]);
    QTRY_COMPARE(m_mdi->mCurrent, material(windows[0])->mMat);
    m_mdi->colMaterials.remove(QString::number(m_mdi->mCurrent->ID()));
    m_mdi->CloseMaterial();
    QCOMPARE(m_mdi->MaterialWindows().size(), 2);
    QCOMPARE(m_mdi->iMaterialsOpen, qint16(2));

    m_mdi->mCurrent.reset();
    m_mdi->CloseMaterial();
    QCOMPARE(m_mdi->MaterialWindows().size(), 2);
    QVERIFY(m_responder->messages().isEmpty());

    // With windows still open, counting changes nothing.
    m_mdi->CountMaterialsOpen();
    QVERIFY(m_mdi->mnuView->menuAction()->isVisible());
}

void tst_core_commands::nextActivatesFollowingWindow()
{
    const QList<QMdiSubWindow *> windows = openMaterials({101, 102, 103});
    m_mdi->mdiArea()->setActiveSubWindow(windows[1]);
    m_mdi->Buttons(QStringLiteral("Next"))->trigger();
    QCOMPARE(m_mdi->mdiArea()->activeSubWindow(), windows[2]);
    m_mdi->Buttons(QStringLiteral("Next"))->trigger();
    QCOMPARE(m_mdi->mdiArea()->activeSubWindow(), windows[0]);
    QTRY_COMPARE(m_mdi->mCurrent, material(windows[0])->mMat);
    QVERIFY(!m_mdi->Buttons(QStringLiteral("Next"))->isChecked());
}
