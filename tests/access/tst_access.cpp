// The program over the demo database, as a keyboard user, a screen reader and an 800 by 600 screen
// meet it. This file holds the surroundings and the openers of every kind of window.

#include "tst_access.h"

#include "core/HTMLHelp.h"
#include "core/HelpViewer.h"
#include "core/ProductInfo.h"
#include "core/modFileHandler.h"
#include "db/DataControl.h"
#include "db/Recordset.h"
#include "material/frmMaterial2.h"
#include "platform/Environment.h"
#include "platform/MsgBox.h"
#include "search/frmSearch.h"
#include "shell/frmSplash.h"
#include "shell/mdiVelkor.h"

#include "PrivateCopy.h"
#include "ProgramDatabase.h"
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTest>

namespace {

// Grades of the demo database with data in most tables.
const QList<int> DemoIds = {101, 102, 103};

template <typename T = QWidget>
T *child(const QWidget *window, const char *name)
{
    return window->findChild<T *>(QString::fromLatin1(name));
}

void click(const QWidget *window, const char *name)
{
    auto *button = child<QAbstractButton>(window, name);
    QVERIFY2(button, name);
    QVERIFY2(button->isEnabled(), name);
    button->click();
}

} // namespace

void tst_access::initTestCase()
{
    const QString bin = QStringLiteral(VELKOR_BIN_DIR);
    if (!QFile::exists(bin + QStringLiteral("/Velkor_PED.mdb")))
        QSKIP("the demo database has not been built");
    QVERIFY(m_dir.isValid());
    qputenv("APPDATA", m_dir.path().toLocal8Bit());
    platform::setProgramFolder(m_dir.path());
    platform::setExeName(QStringLiteral("Velkor_PED"));
    platform::setAvailableScreenOverride(QRect(0, 0, 800, 600));
    product::identifyApplication();
    modFileHandler::SetupFileEnvironment();
    for (const char *name : {"Velkor_PED_HELP.chm", "Velkor_PED_License.rtf", "PMA_Index.mdb"})
        QVERIFY(QFile::copy(bin + QLatin1Char('/') + QLatin1String(name), m_dir.filePath(QLatin1String(name))));
    m_responder = std::make_unique<platform::ScriptedResponder>();

    const QString copy = testsupport::privateCopy(bin + QStringLiteral("/Velkor_PED.mdb"), m_dir.path());
    QVERIFY(!copy.isEmpty());
    QVERIFY(m_database.open(copy, QStringLiteral(";Pwd=" VELKOR_DB_PASSWORD)));
    m_mdi = new mdiVelkor;
    m_mdi->setWindowTitle(product::ProductName + QStringLiteral("   ")); // as its load names it
    m_mdi->SetStatus();
    m_mdi->InitTableNames();
    m_mdi->blnLowResolution = true;
    m_search = frmSearch::Load(m_mdi);
    QVERIFY(m_search);
    m_search->subWindow()->show();
    m_mdi->ShowOnScreen();
    QVERIFY(QTest::qWaitForWindowExposed(m_mdi));
    m_mdi->ShowToolTips(m_mdi->blnToolTips);
}

void tst_access::init()
{
    if (!m_mdi)
        QSKIP("no main window");
    // Back to the search window with an empty selection.
    if (!m_search->subWindow()->isVisible())
        m_mdi->SelectMaterials();
    for (QMdiSubWindow *sub : m_mdi->MaterialWindows())
        delete sub;
    m_mdi->colMaterials.clear();
    m_mdi->iMaterialsOpen = 0;
    m_mdi->mCurrent.reset();
    m_search->RefreshSelected(QString());
    // Every grade listed: a chooser of a test before may have filled a criterion.
    child<QCheckBox>(m_search, "chkListAll")->setChecked(true);
    m_responder->clear();
    // The window system gives the main window back its activation when a window of a test before
    // closes; the headless one leaves it to the test.
    m_mdi->activateWindow();
    QTRY_VERIFY(m_mdi->isActiveWindow());
    m_mdi->mdiArea()->setActiveSubWindow(m_search->subWindow());
}

void tst_access::cleanupTestCase()
{
    if (HelpViewer *viewer = HelpViewer::instance())
        delete viewer;
    if (m_mdi) {
        for (QMdiSubWindow *sub : m_mdi->mdiArea()->subWindowList())
            delete sub;
    }
    delete m_mdi;
    m_database.close();
    m_responder.reset();
    platform::setAvailableScreenOverride(QRect());
    platform::setProgramFolder(QString());
}

void tst_access::addMaterial(int id)
{
    db::Recordset *rs = m_search->findChild<db::DataControl *>(QStringLiteral("dtaMaterials"))->recordset();
    QVERIFY(rs);
    rs->findFirst(QStringLiteral("matID = %1").arg(id));
    QVERIFY(!rs->noMatch());
    click(m_search, "cmdSelectMat");
}

QList<QMdiSubWindow *> tst_access::openMaterials(const QList<int> &ids)
{
    for (int id : ids)
        addMaterial(id);
    m_mdi->mnuFileElem_Click(0);
    return m_mdi->MaterialWindows();
}

void tst_access::showTable(const QString &key)
{
    for (QMdiSubWindow *sub : m_mdi->MaterialWindows())
        static_cast<frmMaterial2 *>(sub->widget())->ShowTable(key);
}

void tst_access::inDialog(const std::function<void()> &open, const WindowCheck &check)
{
    bool shown = false;
    m_responder->answerDialog([&](QDialog &dialog) {
        shown = true;
        // Modal, as the program runs it: a dialog it opens in turn is not blocked by this one.
        dialog.setWindowModality(Qt::ApplicationModal);
        dialog.show();
        // As the window system activates a window it shows; the headless one does not.
        dialog.activateWindow();
        QVERIFY(QTest::qWaitFor([&] { return QApplication::activeWindow() == &dialog; }));
        check(&dialog);
    });
    open();
    QVERIFY2(shown, "the dialog was not opened");
}

// clang-format off
void tst_access::addWindowRows()
{
    QTest::addColumn<QString>("kind");
    for (const char *kind : {"main window", "search window", "material window", "chart window", "select data to save",
                             "select data to print", "save format", "record chooser", "standard chooser",
                             "PMA index", "about box", "agreement", "report preview", "batch preview",
                             "help viewer", "splash"})
        QTest::newRow(kind) << QString::fromLatin1(kind);
}
// clang-format on

void tst_access::withWindow(const QString &kind, const WindowCheck &check)
{
    if (kind == QLatin1String("main window")) {
        check(m_mdi);
    } else if (kind == QLatin1String("search window")) {
        check(m_search->subWindow());
    } else if (kind == QLatin1String("splash")) {
        frmSplash splash;
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        check(&splash);
    } else if (kind == QLatin1String("help viewer")) {
        HTMLHelp::ShowHelpContents(1);
        QPointer<HelpViewer> viewer = HelpViewer::instance();
        QVERIFY(viewer);
        QVERIFY(QTest::qWaitForWindowExposed(viewer));
        check(viewer);
        if (viewer)
            viewer->close();
    } else if (kind == QLatin1String("record chooser") || kind == QLatin1String("standard chooser")) {
        const char *button = kind == QLatin1String("record chooser") ? "cmdSelect1" : "cmdSelect0";
        inDialog([&] { click(m_search, button); }, check);
    } else if (kind == QLatin1String("PMA index")) {
        inDialog([&] { click(m_search, "cmdShowPmaIndex"); }, check);
    } else if (kind == QLatin1String("about box")) {
        inDialog([&] { m_mdi->mnuHelpElem_Click(4); }, check);
    } else if (kind == QLatin1String("agreement")) {
        inDialog([&] { m_mdi->mnuHelpElem_Click(4); },
                 [&](QWidget *about) { inDialog([&] { click(about, "cmdAgreement"); }, check); });
    } else if (kind == QLatin1String("batch preview")) {
        for (int id : DemoIds)
            addMaterial(id);
        inDialog([&] { click(m_search, "cmdBatch0"); }, check);
    } else {
        const QList<QMdiSubWindow *> windows = openMaterials(DemoIds);
        QVERIFY(!windows.isEmpty());
        QMdiSubWindow *sub = windows.last();
        m_mdi->mdiArea()->setActiveSubWindow(sub);
        QWidget *material = sub->widget();
        if (kind.startsWith(QLatin1String("material window"))) {
            // "material window/Key" shows that table, "material window/Key graph" its chart.
            QString table = kind.section(QLatin1Char('/'), 1);
            const bool graph = table.endsWith(QLatin1String(" graph"));
            table = table.section(QLatin1Char(' '), 0, 0);
            showTable(table.isEmpty() ? QStringLiteral("ModElast") : table);
            if (graph) {
                // Pressed from the keyboard: the button hides itself and hands the focus on.
                auto *button = child<QAbstractButton>(material, table == QLatin1String("ModElast") ? "CommandShowGraph"
                                                                                                   : "cmdUnBoundGraph");
                QVERIFY(button->isVisible());
                button->setFocus();
                QTest::keyClick(button, Qt::Key_Space);
            }
            check(sub);
        } else if (kind == QLatin1String("chart window")) {
            showTable(QStringLiteral("ModElast"));
            click(material, "CommandShowGraph");
            inDialog([&] { click(material, "cmdPrintSave2"); }, check);
        } else if (kind == QLatin1String("save format")) {
            showTable(QStringLiteral("Design"));
            child<QLineEdit>(material, "txtDesignTemp")->setText(QStringLiteral("100"));
            inDialog([&] { click(material, "cmdPrintSave4"); }, check);
        } else if (kind == QLatin1String("select data to save")) {
            inDialog([&] { m_mdi->mnuFileElem_Click(2); }, check);
        } else if (kind == QLatin1String("select data to print")) {
            inDialog([&] { m_mdi->mnuFileElem_Click(3); }, check);
        } else if (kind == QLatin1String("report preview")) {
            inDialog([&] { m_mdi->mnuFileElem_Click(3); },
                     [&](QWidget *data) { inDialog([&] { click(data, "cmdSavePrint"); }, check); });
        } else {
            QFAIL(qPrintable(QStringLiteral("no such window: ") + kind));
        }
    }
}

QTEST_MAIN(tst_access)
