// F1 in the program's windows: the help opens on the page about the window in use, on its contents
// where the help has no such page.

#include "tst_core_commands.h"

#include "core/HTMLHelp.h"
#include "core/HelpViewer.h"
#include "material/frmMaterial2.h"
#include "platform/Environment.h"
#include "search/frmSearch.h"
#include "shell/mdiVelkor.h"

#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

namespace {

// The help window's tab and page after F1 on the widget; "contents" when it shows the Contents
// tab on the help file's first page.
QString helpAfterF1(QWidget *widget)
{
    delete HelpViewer::instance();
    QTest::keyClick(widget->focusWidget() ? widget->focusWidget() : widget, Qt::Key_F1);
    const HelpViewer *viewer = HelpViewer::instance();
    if (!viewer)
        return QStringLiteral("(no help window)");
    if (viewer->currentTab() == HelpViewer::ContentsTab &&
        viewer->currentTopic() == QLatin1String("General_Information.htm"))
        return QStringLiteral("contents");
    return viewer->currentTopic();
}

} // namespace

// clang-format off
void tst_core_commands::helpKeyOpensThePageOfTheWindow_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("help");

    QTest::newRow("search window") << "search" << "Search_Window.htm";
    QTest::newRow("main window's menu bar, search window active") << "menu bar" << "Search_Window.htm";
    QTest::newRow("material window") << "material" << "Material_Window.htm";
    QTest::newRow("material window, chart") << "chart" << "Charts.htm";
    QTest::newRow("material window, design values") << "design" << "Design_Values.htm";
    QTest::newRow("chart window") << "chart window" << "Charts.htm";
    QTest::newRow("print dialog") << "print" << "Printing_And_Preview.htm";
    QTest::newRow("print preview") << "preview" << "Printing_And_Preview.htm";
    QTest::newRow("save dialog") << "save" << "Saving_Reports.htm";
    QTest::newRow("design values' save dialog") << "save design" << "Saving_Reports.htm";
    QTest::newRow("PMA index") << "pma" << "PMA_Index.htm";
    QTest::newRow("about box") << "about" << "About_Box.htm";
    QTest::newRow("help window") << "help" << "contents";
}
// clang-format on

void tst_core_commands::helpKeyOpensThePageOfTheWindow()
{
    QFETCH(QString, window);
    QFETCH(QString, help);

    // The program folder with the help file and the appraisal index the windows open.
    for (const char *name : {"/Velkor_PED_HELP.chm", "/PMA_Index.mdb"}) {
        const QString file = platform::programFolder() + QLatin1String(name);
        if (!QFile::exists(file))
            QVERIFY(QFile::copy(QStringLiteral(VELKOR_BIN_DIR) + QLatin1String(name), file));
    }
    const auto closeHelp = qScopeGuard([] { delete HelpViewer::instance(); });

    QString seen = QStringLiteral("(no window)");
    const auto pressInDialog = [&](QDialog &dialog) { seen = helpAfterF1(&dialog); };
    const auto click = [](QWidget *parent, const QString &name) {
        auto *button = parent->findChild<QPushButton *>(name);
        QVERIFY2(button, qPrintable(name));
        button->click();
    };

    if (window == QLatin1String("search")) {
        // The main window active: F1 is also the shortcut of its Help > Contents.
        m_mdi->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_mdi));
        seen = helpAfterF1(m_search->findChild<QLineEdit *>());
    } else if (window == QLatin1String("menu bar")) {
        m_mdi->mdiArea()->setActiveSubWindow(m_search->subWindow());
        seen = helpAfterF1(m_mdi->menuBar());
    } else if (window == QLatin1String("pma")) {
        m_responder->answerDialog(pressInDialog);
        m_search->cmdShowPmaIndex_Click();
    } else if (window == QLatin1String("about")) {
        m_responder->answerDialog(pressInDialog);
        m_mdi->ShowAbout();
    } else if (window == QLatin1String("help")) {
        HTMLHelp::ShowHelpIndex(1);
        QTest::keyClick(HelpViewer::instance(), Qt::Key_F1);
        seen = HelpViewer::instance()->currentTab() == HelpViewer::ContentsTab ? QStringLiteral("contents")
                                                                               : QStringLiteral("another tab");
    } else {
        frmMaterial2 *frm = material(openMaterials({DemoIds.at(0)}).value(0));
        QVERIFY(frm);
        if (window == QLatin1String("material")) {
            frm->ShowTable(QStringLiteral("MechProp"));
            seen = helpAfterF1(frm);
        } else if (window == QLatin1String("chart") || window == QLatin1String("chart window")) {
            frm->ShowTable(QStringLiteral("Rp02"));
            click(frm, QStringLiteral("CommandShowGraph"));
            if (window == QLatin1String("chart")) {
                seen = helpAfterF1(frm);
            } else {
                m_responder->answerDialog(pressInDialog);
                click(frm, QStringLiteral("cmdPrintSave2"));
            }
        } else if (window == QLatin1String("design") || window == QLatin1String("save design")) {
            frm->ShowTable(QStringLiteral("Design"));
            frm->findChild<QLineEdit *>(QStringLiteral("txtDesignTemp"))->setText(QStringLiteral("100"));
            if (window == QLatin1String("design")) {
                seen = helpAfterF1(frm);
            } else {
                m_responder->answerDialog(pressInDialog);
                click(frm, QStringLiteral("cmdPrintSave4"));
            }
        } else if (window == QLatin1String("preview")) {
            m_responder->answerDialog([&](QDialog &dialog) { click(&dialog, QStringLiteral("cmdSavePrint")); });
            m_responder->answerDialog(pressInDialog);
            m_mdi->mnuFileElem_Click(3);
        } else {
            m_responder->answerDialog(pressInDialog);
            m_mdi->mnuFileElem_Click(window == QLatin1String("save") ? 2 : 3);
        }
    }
    QCOMPARE(seen, help);
    QCOMPARE(m_responder->count(), 0);
}
