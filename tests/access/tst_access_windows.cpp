// The windows and dialogs: their titles.

#include "tst_access.h"

#include "controls/ReportPreview.h"

#include <QAbstractButton>
#include <QTest>
#include <QToolButton>

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
