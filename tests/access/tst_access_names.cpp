// The windows as a screen reader sees them: their roles, the headings of the tables, the pictures.

#include "tst_access.h"

#include "controls/DataGrid.h"
#include "controls/GridView.h"

#include <QAccessible>
#include <QMdiSubWindow>
#include <QTest>

namespace {

// The names a screen reader hears for the headings of a grid's table, in the order they show.
QStringList headingNames(controls::DataGrid *grid)
{
    QStringList names;
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(grid->view());
    QAccessibleTableInterface *cells = table ? table->tableInterface() : nullptr;
    if (!cells)
        return {QStringLiteral("(no table)")};
    for (int column = 0; column < cells->columnCount(); ++column) {
        QAccessibleInterface *heading = cells->cellAt(-1, column);
        names << (heading ? heading->text(QAccessible::Name) : QStringLiteral("(none)"));
    }
    return names;
}

} // namespace

// clang-format off
void tst_access::windowRoles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("role");
    for (const char *kind : {"main window", "help viewer", "splash"})
        QTest::newRow(kind) << QString::fromLatin1(kind) << int(QAccessible::Window);
    for (const char *kind : {"chart window", "select data to print", "save format", "record chooser", "standard chooser",
                             "PMA index", "about box", "agreement", "report preview"})
        QTest::newRow(kind) << QString::fromLatin1(kind) << int(QAccessible::Dialog);
}
// clang-format on

// Every window reports itself as a window or a dialog, never as a filler.
void tst_access::windowRoles()
{
    QFETCH(QString, kind);
    QFETCH(int, role);
    withWindow(kind, [&](QWidget *window) {
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(window);
        QVERIFY(accessible);
        QCOMPARE(int(accessible->role()), role);
        QVERIFY(!accessible->text(QAccessible::Name).isEmpty());
    });
}

// clang-format off
void tst_access::tableHeadingNames_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("names");
    const QString temperature = QStringLiteral("Temperature [") + QChar(0x00B0) + QStringLiteral("C]");
    const QString squared = QChar(0x00B2);
    const QString beta = QChar(0x03B2);
    // The physical tables' values are headed by pictures of their units; impact energy, shown before
    // each, leaves three value columns behind, of which this grade fills only the third.
    QTest::newRow("modulus of elasticity") << "ModElast" << QStringList{temperature, "KN / mm" + squared};
    QTest::newRow("thermal expansion") << "ThermExp" << QStringList{temperature, beta + "20, t [E-6/K]", beta + "diff, t [E-6/K]"};
    QTest::newRow("thermal conductivity") << "ThermCond" << QStringList{temperature, "W / (m x K)"};
    QTest::newRow("specific thermal capacity") << "SpecThermCap" << QStringList{temperature, "Cp20, t [J/kgK]", "Cp diff, t [J/kgK]"};
    QTest::newRow("specific electrical resistivity") << "SpecElecRes" << QStringList{temperature, "Ohm x mm" + squared + " / m"};
    QTest::newRow("impact energy") << "ImpEnergy" << QStringList{temperature, "KVT [Joule]"};
}
// clang-format on

// The headings of a table are named by their texts, also where a picture shows them, and a hidden
// column is no column: none keeps the heading of the table shown before.
void tst_access::tableHeadingNames()
{
    QFETCH(QString, table);
    QFETCH(QStringList, names);
    withWindow(QStringLiteral("material window/ImpEnergy"), [&](QWidget *sub) {
        showTable(table);
        auto *grid = sub->findChild<controls::DataGrid *>(QStringLiteral("tdbBoundTable"));
        QVERIFY(grid);
        QCOMPARE(headingNames(grid), names);
    });
}

// clang-format off
void tst_access::pictureNames_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    QTest::newRow("help") << "imgIcon" << "How To Contact Us" << "";
    QTest::newRow("folder") << "imgFolder" << "Add To 'Selected' Grid"
                            << "'Drag and drop' Material Here To Add To 'Selected' Grid";
    QTest::newRow("bin") << "imgBin" << "Remove From 'Selected' Grid"
                         << "'Drag and drop' Material Here To Remove From 'Selected' Grid";
}
// clang-format on

// The search window's pictures are named by what they do, also with the tool tips off.
void tst_access::pictureNames()
{
    QFETCH(QString, picture);
    QFETCH(QString, name);
    QFETCH(QString, description);
    withWindow(QStringLiteral("search window"), [&](QWidget *window) {
        auto *widget = window->findChild<QWidget *>(picture);
        QVERIFY(widget);
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
        QCOMPARE(accessible->text(QAccessible::Name), name);
        QCOMPARE(accessible->text(QAccessible::Description), description);
    });
}
