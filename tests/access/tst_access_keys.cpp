// The keyboard: the order of Tab in every window, the mnemonics, the keys of the preview and of the
// help window.

#include "tst_access.h"

#include "controls/GridView.h"
#include "controls/ReportPreview.h"

#include <QAbstractButton>
#include <QApplication>
#include <QChartView>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMultiMap>
#include <QPointer>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

namespace {

// The name a control goes by: a grid's table by its grid's, a chart's view by its chart's, a tab bar by
// its tabs'.
QString controlName(const QWidget *w)
{
    if (qobject_cast<const controls::GridView *>(w) || qobject_cast<const QTabBar *>(w) ||
        qobject_cast<const QChartView *>(w))
        w = w->parentWidget();
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
}

// The controls Tab reaches from first on, until it comes back or leaves the window.
QStringList tabChain(QWidget *window, QWidget *first)
{
    first->setFocus(Qt::TabFocusReason);
    QStringList names;
    QWidget *focus = QApplication::focusWidget();
    while (focus && window->isAncestorOf(focus) && names.size() < 80) {
        // A page of the help moves through its links first: one stop for the page.
        if (names.isEmpty() || names.last() != controlName(focus))
            names << controlName(focus);
        QTest::keyClick(focus, Qt::Key_Tab);
        focus = QApplication::focusWidget();
        if (focus == first->focusProxy() || focus == first)
            break;
    }
    return names;
}

QStringList numbered(const char *name, std::initializer_list<int> numbers)
{
    QStringList names;
    for (int n : numbers)
        names << QLatin1String(name) + QString::number(n);
    return names;
}

} // namespace

// clang-format off
void tst_access::tabOrder_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("chain");

    const QStringList search = numbered("txtSearch", {0, 6, 1, 2, 3, 4, 5}) +
                               QStringList{"tdbMaterials", "cmdSelectMat", "cmdSelections0", "chkListAll"} +
                               numbered("cmdSelect", {0, 6, 1, 2, 3, 4, 5}) + numbered("chkSearch", {0, 1, 2, 3, 4, 5}) +
                               QStringList{"cmbChooseStd", "cmdShowPmaIndex", "cmdBatch1"} + numbered("cmdTabNav", {0, 1, 2, 3}) +
                               QStringList{"cmdSelections2", "cmdSelections1"} + numbered("cmdTabNav", {4, 5, 6, 7}) +
                               QStringList{"tdbSelected"};
    // The grade has no data for Rp1,0, Rm and additional information: their boxes are off.
    const QStringList tables = numbered("chkData", {0, 1, 2, 3, 4, 7, 8, 9, 10, 11, 12}) + QStringList{"cmdCancel"};
    QTest::newRow("search window") << "search window" << search;
    QTest::newRow("header") << "material window/Ref" << numbered("txtMainData", {0, 7, 8, 1, 2, 5, 4, 6, 3});
    QTest::newRow("unbound table") << "material window/ChemComp" << QStringList{"tdbTable", "cmdShowNotes"};
    // A switch between table and chart that hides itself hands the focus to the control beside it.
    QTest::newRow("unbound chart") << "material window/CreepProp graph"
                                   << QStringList{"cboColumnList", "cmdUnBoundTable", "MSChart1"} + numbered("cmdPrintSave", {2, 0, 1});
    QTest::newRow("bound table") << "material window/ModElast" << QStringList{"tdbBoundTable", "CommandShowGraph"};
    QTest::newRow("bound chart") << "material window/ModElast graph"
                                 << QStringList{"CommandShowTable", "MSChart1"} + numbered("cmdPrintSave", {2, 0, 1});
    QTest::newRow("elevated table") << "material window/Rp02"
                                    << QStringList{"cmdShowNotes", "optMechProp0", "tdbBoundTable", "CommandShowGraph"};
    QTest::newRow("design values") << "material window/Design"
                                   << QStringList{"txtDesignTemp", "tdbDesign", "cmdPrintSave4", "cmdPrintSave3"};
    QTest::newRow("chart window") << "chart window" << numbered("cmdGraph", {2, 0, 1}) + QStringList{"MSChart1"};
    QTest::newRow("select data to save") << "select data to save" << QStringList{"optFormat0", "cmdSavePrint"} + tables;
    QTest::newRow("select data to print") << "select data to print" << QStringList{"cmdSavePrint"} + tables;
    QTest::newRow("save format") << "save format" << QStringList{"optFormat0", "cmdSave0", "cmdSave1"};
    QTest::newRow("record chooser") << "record chooser"
                                    << QStringList{"dblSelect"} + numbered("cmdSelNav", {0, 1, 2, 3}) + QStringList{"txtSearch"} +
                                       numbered("cmdFind", {0, 1, 2, 3}) + QStringList{"cmdSelect", "cmdCancel"};
    QTest::newRow("standard chooser") << "standard chooser"
                                      << QStringList{"lstSelect", "txtDescription", "txtRevisionDate", "txtProductForms",
                                                     "txtSearch"} + numbered("cmdFind", {0, 1, 2, 3}) +
                                         numbered("cmdSelNav", {0, 1, 2, 3}) + QStringList{"cmdSelect", "cmdCancel"};
    QTest::newRow("PMA index") << "PMA index" << QStringList{"txtSearchString", "cmdSearch", "tdbIndex", "cmdInfo"};
    QTest::newRow("about box") << "about box" << QStringList{"cmdOK", "cmdAgreement", "txtContact"};
    QTest::newRow("agreement") << "agreement" << QStringList{"rtfAgreement", "cmdPrint", "cmdReturn"};
    // On the first page the first and previous buttons are off.
    QTest::newRow("report preview") << "report preview"
                                    << QStringList{"cmdPrint", "cmdNextPage", "cmdLastPage", "cboZoom", "scrPage"};
    QTest::newRow("help viewer") << "help viewer" << QStringList{"tabs", "treContents", "browser"};
}
// clang-format on

// Tab follows the order the windows are given, and the layout where none is given; a window opens
// with the focus on the first control of its order.
void tst_access::tabOrder()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, chain);
    withWindow(kind, [&](QWidget *window) {
        QWidget *opening = QApplication::focusWidget();

        QVERIFY(opening);
        QCOMPARE(controlName(opening), chain.constFirst());
        const QStringList reached = tabChain(window, opening);
        QVERIFY2(reached == chain, qPrintable(QStringLiteral("Tab reaches: ") + reached.join(QLatin1Char(' '))));
    });
}

namespace {

// The letter a caption marks with '&' ('&&' is a plain ampersand), or none.
QChar mnemonicOf(const QString &caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != QLatin1Char('&'))
            continue;
        if (caption.at(i + 1) != QLatin1Char('&'))
            return caption.at(i + 1).toUpper();
        ++i;
    }
    return {};
}

// Letters that more than one shown control of the window marks, with the controls: the menu bar's
// titles count for the windows inside the main window.
QStringList sharedMnemonics(QWidget *window)
{
    QMultiMap<QChar, QString> marked;
    QWidget *top = window->window();
    for (QWidget *w : top->findChildren<QWidget *>()) {
        if (!w->isVisible() || !w->isEnabled() || (w->window() != top))
            continue;
        QString caption;
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            caption = button->text();
        else if (auto *label = qobject_cast<QLabel *>(w); label && label->buddy())
            caption = label->text();
        else if (auto *box = qobject_cast<QGroupBox *>(w); box && box->isCheckable())
            caption = box->title();
        if (const QChar letter = mnemonicOf(caption); !letter.isNull())
            marked.insert(letter, caption);
    }
    if (auto *main = qobject_cast<QMainWindow *>(top))
        for (QAction *menu : main->menuBar()->actions())
            if (const QChar letter = mnemonicOf(menu->text()); menu->isVisible() && !letter.isNull())
                marked.insert(letter, menu->text());
    QStringList shared;
    for (const QChar letter : marked.uniqueKeys())
        if (marked.count(letter) > 1)
            shared << QStringList(marked.values(letter)).join(QStringLiteral(" / "));
    return shared;
}

} // namespace

// clang-format off
void tst_access::mnemonics_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<char>("letter");
    QTest::addColumn<QString>("control");
    const struct { const char *kind; char letter; const char *control; } rows[] = {
        {"search window", 'L', "chkListAll"},       {"search window", 'M', "cmdSelectMat"},
        {"search window", 'O', "cmdSelections0"},   {"search window", 'C', "cmdSelections1"},
        {"search window", 'R', "cmdSelections2"},
        {"record chooser", 'F', "cmdFind0"},        {"record chooser", 'P', "cmdFind1"},
        {"record chooser", 'N', "cmdFind2"},        {"record chooser", 'L', "cmdFind3"},
        {"record chooser", 'S', "cmdSelect"},       {"record chooser", 'C', "cmdCancel"},
        {"standard chooser", 'N', "cmdFind2"},      {"standard chooser", 'S', "cmdSelect"},
        {"about box", 'A', "cmdAgreement"},
        {"agreement", 'P', "cmdPrint"},             {"agreement", 'R', "cmdReturn"},
    };
    for (const auto &row : rows)
        QTest::addRow("%s Alt+%c", row.kind, row.letter) << QString::fromLatin1(row.kind) << row.letter
                                                          << QString::fromLatin1(row.control);
}
// clang-format on

// The captions' marked letters work with Alt.
void tst_access::mnemonics()
{
    QFETCH(QString, kind);
    QFETCH(char, letter);
    QFETCH(QString, control);
    withWindow(kind, [&](QWidget *window) {
        auto *button = window->findChild<QAbstractButton *>(control);
        QVERIFY(button);
        QSignalSpy clicked(button, &QAbstractButton::clicked);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(Qt::Key_A + (letter - 'A')), Qt::AltModifier);
        // A mnemonic presses its button as the mouse would, for a moment.
        QTRY_COMPARE(clicked.count(), 1);
    });
}

void tst_access::mnemonicsUnique_data()
{
    addWindowRows();
}

// No letter is marked twice in one window.
void tst_access::mnemonicsUnique()
{
    QFETCH(QString, kind);
    withWindow(kind, [&](QWidget *window) {
        const QStringList shared = sharedMnemonics(window);
        QVERIFY2(shared.isEmpty(), qPrintable(shared.join(QStringLiteral(", "))));
    });
}

// clang-format off
void tst_access::previewPageKeys_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("to"); // -1: the last page
    QTest::newRow("next page") << "scrPage" << 0 << int(Qt::Key_PageDown) << 1;
    QTest::newRow("previous page") << "scrPage" << 2 << int(Qt::Key_PageUp) << 1;
    QTest::newRow("before the first page") << "scrPage" << 0 << int(Qt::Key_PageUp) << 0;
    QTest::newRow("after the last page") << "scrPage" << -1 << int(Qt::Key_PageDown) << -1;
    QTest::newRow("from the zoom box") << "cboZoom" << 0 << int(Qt::Key_PageDown) << 1;
    QTest::newRow("from the print button") << "cmdPrint" << 1 << int(Qt::Key_PageUp) << 0;
}
// clang-format on

// PageDown and PageUp turn the preview's pages, never past either end.
void tst_access::previewPageKeys()
{
    QFETCH(QString, focus);
    QFETCH(int, from);
    QFETCH(int, key);
    QFETCH(int, to);
    withWindow(QStringLiteral("report preview"), [&](QWidget *window) {
        auto *preview = qobject_cast<controls::ReportPreview *>(window);
        QVERIFY(preview);
        QVERIFY(preview->pageCount() >= 3);
        const int last = preview->pageCount() - 1;
        preview->setPageIndex(from < 0 ? last : from);
        QWidget *target = window->findChild<QWidget *>(focus);
        QVERIFY(target);
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key));
        QCOMPARE(preview->pageIndex(), to < 0 ? last : to);
        QCOMPARE(preview->pageLabel()->pixmap().isNull(), false);
    });
}

// clang-format off
void tst_access::helpViewerCloseKeys_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QKeySequence>("keys");
    QTest::newRow("Escape in the page") << 0 << "browser" << QKeySequence(Qt::Key_Escape);
    QTest::newRow("Escape in the contents") << 0 << "treContents" << QKeySequence(Qt::Key_Escape);
    QTest::newRow("Escape in the keyword box") << 1 << "txtIndex" << QKeySequence(Qt::Key_Escape);
    QTest::newRow("Ctrl+W in the page") << 0 << "browser" << QKeySequence(Qt::CTRL | Qt::Key_W);
    QTest::newRow("Ctrl+W in the search box") << 2 << "txtSearch" << QKeySequence(Qt::CTRL | Qt::Key_W);
}
// clang-format on

// Escape and Ctrl+W close the help window from wherever its focus is.
void tst_access::helpViewerCloseKeys()
{
    QFETCH(int, tab);
    QFETCH(QString, focus);
    QFETCH(QKeySequence, keys);
    withWindow(QStringLiteral("help viewer"), [&](QWidget *window) {
        window->activateWindow();
        QTRY_VERIFY(window->isActiveWindow());
        window->findChild<QTabWidget *>(QStringLiteral("tabs"))->setCurrentIndex(tab);
        QWidget *target = window->findChild<QWidget *>(focus);
        QVERIFY(target);
        target->setFocus();
        QPointer<QWidget> open(window);
        QTest::keySequence(target, keys);
        QTRY_VERIFY(!open || !open->isVisible());
    });
}
