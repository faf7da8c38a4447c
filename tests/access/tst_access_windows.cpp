// The windows and dialogs: on an 800 by 600 screen, and their titles.

#include "tst_access.h"

#include "controls/DataGrid.h"
#include "controls/GridView.h"
#include "controls/ReportPreview.h"
#include "core/ProgramWindow.h"
#include "platform/Environment.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPixmap>
#include <QRegularExpression>
#include <QStyle>
#include <QTest>
#include <QToolButton>

namespace {

// The controls a user must reach that lie outside what the window shows of them: "objectName class"
// for each shown button, box or list whose rectangle is cut by one of its parents up to within.
QStringList cutControls(QWidget *within)
{
    QStringList cut;
    for (QWidget *w : within->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(within) || w->isWindow())
            continue;
        if (!qobject_cast<QAbstractButton *>(w) && !qobject_cast<QLineEdit *>(w) && !qobject_cast<QComboBox *>(w))
            continue;
        const QRect rect(w->mapTo(within, QPoint(0, 0)), w->size());
        for (QWidget *parent = w->parentWidget(); parent; parent = parent->parentWidget()) {
            if (!QRect(parent->mapTo(within, QPoint(0, 0)), parent->size()).contains(rect)) {
                cut << w->objectName() + QLatin1Char(' ') + QLatin1String(w->metaObject()->className());
                break;
            }
            if (parent == within)
                break;
        }
    }
    return cut;
}

// The texts the grids of the window cut: "grid: text" for each heading word wider than its column's
// header and each date in the rows shown that its cell would shorten.
QStringList cutTexts(const QWidget *window)
{
    QStringList cut;
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (const controls::DataGrid *grid : window->findChildren<controls::DataGrid *>()) {
        if (!grid->isVisible())
            continue;
        const QTableView *view = grid->view();
        const QFontMetrics head(grid->headFont());
        const QFontMetrics cell(view->font());
        const int margin = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
        const int firstRow = std::max(0, view->rowAt(0));
        for (int c = 0; c < grid->columnCount(); ++c) {
            if (view->isColumnHidden(c))
                continue;
            const int width = view->columnWidth(c);
            for (const QString &word : grid->column(c)->caption().split(blanks, Qt::SkipEmptyParts))
                if (head.horizontalAdvance(word) > width - 4)
                    cut << grid->objectName() + QStringLiteral(": ") + word;
            for (int r = firstRow; r < std::min(grid->rowCount(), firstRow + 10); ++r) {
                if (grid->value(r, c).typeId() != QMetaType::QDate)
                    continue;
                const QString text = grid->text(r, c);
                if (cell.elidedText(text, Qt::ElideRight, width - margin) != text)
                    cut << grid->objectName() + QStringLiteral(": ") + text;
            }
        }
    }
    cut.removeDuplicates();
    return cut;
}

void saveShot(const QString &kind, QWidget *window)
{
    const QString folder = qEnvironmentVariable("VELKOR_SHOTS");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    // The screen as the user sees it: the main window, then the window looked at in front of it.
    QPixmap shot(platform::availableScreenGeometry().size());
    shot.fill(Qt::darkGray);
    QPainter painter(&shot);
    for (QWidget *top : {static_cast<QWidget *>(ProgramWindow::instance()), window->window()})
        if (top && top->isVisible())
            painter.drawPixmap(top->frameGeometry().topLeft(), top->grab());
    painter.end();
    QString name = kind;
    name.replace(QLatin1Char(' '), QLatin1Char('-')).replace(QLatin1Char('/'), QLatin1Char('-'));
    QVERIFY(shot.save(QDir(folder).filePath(name + QStringLiteral(".png"))));
}

} // namespace

void tst_access::windowsFitSmallScreen_data()
{
    addWindowRows();
    // The material window in the views whose headings carry notes, units and thickness ranges.
    for (const char *view :
         {"material window/ChemComp", "material window/MechProp", "material window/Rp02", "material window/CreepProp"})
        QTest::newRow(view) << QString::fromLatin1(view);
}

// At 800 by 600 every window lies within the screen's available area, a child window within the main
// window's work area, and none cuts off a control the user needs, a heading's word or a date.
void tst_access::windowsFitSmallScreen()
{
    QFETCH(QString, kind);
    withWindow(kind, [&](QWidget *window) {
        QTest::qWait(50);
        saveShot(kind, window);
        if (auto *sub = qobject_cast<QMdiSubWindow *>(window)) {
            QWidget *area = sub->mdiArea()->viewport();
            QVERIFY2(area->rect().contains(sub->geometry()),
                     qPrintable(
                         QStringLiteral("%1 in %2")
                             .arg(QString::number(sub->geometry().bottom()), QString::number(area->rect().bottom()))));
            const QStringList cut = cutControls(area) + cutTexts(sub);
            QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral(", "))));
        } else {
            const QRect available = platform::availableScreenGeometry();
            QVERIFY2(available.contains(window->frameGeometry()),
                     qPrintable(QStringLiteral("%1,%2 %3x%4")
                                    .arg(window->frameGeometry().x())
                                    .arg(window->frameGeometry().y())
                                    .arg(window->frameGeometry().width())
                                    .arg(window->frameGeometry().height())));
            const QStringList cut = cutControls(window) + cutTexts(window);
            QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral(", "))));
        }
    });
}

// clang-format off
void tst_access::windowTitles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("title");
    const char *const rows[][2] = {
        {"search window", "Select Material(s)..."},
        {"material window", "Name: P295GH Number: 1.0481 Standard: EN 10028-2"},
        {"chart window", "Modulus of elasticity - P295GH"},
        {"select data to save", "Save P295GH As Text File - Select Data..."},
        {"select data to print", "Print P295GH - Select Data..."},
        {"save format", "Save Design Values..."},
        {"record chooser", "Select 'Material Name'"},
        {"standard chooser", "Select 'Standard'"},
        {"PMA index", "PMA Index"},
        {"about box", "About Velkor_PED"},
        {"agreement", "Velkor-PED License Agreement"},
        {"report preview", "Name : P295GH Number : 1.0481 Standard : EN 10028-2"},
        {"batch preview", "Print All Selected Materials"},
        {"help viewer", "Velkor-PED Help"},
        {"splash", "Velkor-PED"},
    };
    for (const auto &row : rows)
        QTest::newRow(row[0]) << QString::fromLatin1(row[0]) << QString::fromLatin1(row[1]);
}
// clang-format on

// The titles the windows are given, and a human one where none is given; the print dialog of a
// preview is titled as the preview.
void tst_access::windowTitles()
{
    QFETCH(QString, kind);
    QFETCH(QString, title);
    withWindow(kind, [&](QWidget *window) {
        QCOMPARE(window->windowTitle(), title);
        if (auto *preview = qobject_cast<controls::ReportPreview *>(window)) {
            m_responder->clear();
            preview->printButton()->click();
            QCOMPARE(m_responder->count(), 1);
            QCOMPARE(m_responder->interactions().constFirst().print.title, title);
        }
    });
}
