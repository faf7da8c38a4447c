// The table fillers: chemical composition, mechanical and creep tables, bound tables, notes and
// additional information.

#include "tst_material.h"

#include "controls/DataGrid.h"
#include "controls/HeadingPictures.h"
#include "db/DataControl.h"
#include "material/TextBox.h"
#include "material/frmMaterial2.h"
#include "platform/MsgBox.h"
#include "shell/mdiVelkor.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

QStringList materialRows(const QString &name, bool otherElements)
{
    return {
        QStringLiteral("INSERT INTO standard VALUES (5, 'EN 1', NULL, '2007-12-01', %1)").arg(otherElements ? -1 : 0),
        QStringLiteral("INSERT INTO materials VALUES (1, '%1', '1.0001', NULL, NULL, '2008-06-01', 'EN 1', NULL, NULL, "
                       "NULL)")
            .arg(db::quoteText(name))};
}

QStringList mechanicalDefinitions()
{
    return {
        QStringLiteral("INSERT INTO Columns VALUES (1, 'Thickness', 1), (2, 'ReH', 2), (3, 'Rm', 2), (4, 'A', 3), "
                       "(5, 'KV', 4), (6, 'Cond', 5)"),
        QStringLiteral("INSERT INTO Units VALUES (1, '[mm]'), (2, '[MPa]'), (3, '[%]'), (4, '[J]'), (5, '[NoUnit]')"),
        QStringLiteral(
            "INSERT INTO MechMatTable VALUES (1, 2, 'transv.', 'min', '0', 2), (1, 1, 'up to', NULL, '900', 1), "
            "(1, 3, NULL, NULL, '1100', 3), (1, 4, NULL, 'min', '0', 4), (1, 5, NULL, 'min', NULL, 5), "
            "(1, 6, 'annealed', NULL, '0', 6)")};
}

QStringList mechanicalData(int records, const QString &value = {})
{
    QStringList rows;
    for (int k = 0; k < records; ++k)
        rows << QStringLiteral("INSERT INTO MechPropData VALUES (1, %1, %2, %3, %4)")
                    .arg(k / 6 + 1)
                    .arg(k % 6 + 1)
                    .arg(k % 6 + 1)
                    .arg(value.isNull() ? QStringLiteral("'v%1'").arg(k) : value);
    return rows;
}

QStringList lines(const QString &joined)
{
    return joined.split(QStringLiteral("\r\n"));
}

} // namespace

// --- chemical composition -----------------------------------------------------------------------

void tst_material::chemicalComposition_data()
{
    QTest::addColumn<bool>("tableNotes");
    QTest::addColumn<QString>("elementNote");
    QTest::addColumn<QString>("captionOfC");

    QTest::newRow("table notes and element notes") << true << "see" << crlf("C\n\nsee C");
    QTest::newRow("element notes without table notes") << false << "see" << crlf("C\n\n");
    QTest::newRow("table notes, no element notes") << true << "" << crlf("C\n\n");
}

void tst_material::chemicalComposition()
{
    QFETCH(bool, tableNotes);
    QFETCH(QString, elementNote);
    QFETCH(QString, captionOfC);

    QStringList rows = baseRows() << chemicalRows(QStringLiteral("G1"), 7, elementNote);
    if (tableNotes)
        rows << QStringLiteral("INSERT INTO MatNotes VALUES (1, 'ChemComp', 1, 20)")
             << QStringLiteral("INSERT INTO TableNotes VALUES (20, 'ChemComp', 'Cast analysis.')");
    Fixture fixture(rows);
    platform::ScriptedResponder responder;
    const MaterialPtr m = fixture.material(1);
    auto w = openWindow(m);
    w->ShowTable(QStringLiteral("ChemComp"));
    QCOMPARE(responder.count(), 0);

    QCOMPARE(w->dtaTable->recordSource(),
             QStringLiteral("select * from Chemical where standard = 'EN 1' and name = 'G1' "
                            "and numbr = '1.0001' order by elemID"));
    controls::DataGrid *grid = w->tdbTable;
    QVERIFY(!grid->isHidden());
    QCOMPARE(grid->caption(), QStringLiteral("Chemical composition"));
    QCOMPARE(grid->rowCount(), 2);
    QCOMPARE(grid->columnCount(), 8);
    QCOMPARE(grid->text(0, 0), QStringLiteral("min"));
    QCOMPARE(grid->text(1, 0), QStringLiteral("max"));
    QCOMPARE(grid->text(0, 1), QString());
    QCOMPARE(grid->text(1, 1), QStringLiteral("1,5"));
    QCOMPARE(grid->text(0, 7), QStringLiteral("0,6"));
    QCOMPARE(grid->text(1, 7), QStringLiteral("7,5"));
    QCOMPARE(grid->column(0)->caption(), QString());
    QCOMPARE(grid->column(0)->widthTwips(), 780.0);
    QCOMPARE(grid->column(1)->caption(), captionOfC);
    QCOMPARE(lines(grid->column(7)->caption()).first(), QStringLiteral("Ni"));
    for (int c = 1; c < 8; ++c)
        QCOMPARE(grid->column(c)->widthTwips(), 780.0);

    QVERIFY(m->TableHasData(QStringLiteral("ChemComp")));
    const platform::VbArray<QString> captions = m->ColCaptions(QStringLiteral("ChemComp"));
    QCOMPARE(captions.upperBound(), 7);
    QCOMPARE(captions.at(0), QString());
    for (int c = 1; c <= 7; ++c)
        QCOMPARE(captions.at(c), grid->column(c)->caption());
    const platform::XArray copy = m->UnboundTableData(QStringLiteral("ChemComp"));
    QCOMPARE(copy.lowerBound(1), 1);
    QCOMPARE(copy.upperBound(1), 2);
    QCOMPARE(copy.lowerBound(2), 0);
    QCOMPARE(copy.upperBound(2), 7);
    QCOMPARE(copy.value(1, 0).toString(), QStringLiteral("min"));
    QCOMPARE(copy.value(1, 1).typeId(), QMetaType::QString);
    QCOMPARE(copy.value(2, 3).toString(), QStringLiteral("3,5"));
    QCOMPARE(!w->cmdShowNotes->isHidden(), tableNotes);
    if (tableNotes)
        QCOMPARE(m->TableNotes(1), QStringLiteral("Cast analysis."));

    // Shown again: the grid is rebuilt, the captions are not stored twice.
    w->ShowTable(QStringLiteral("MechProp"));
    w->ShowTable(QStringLiteral("ChemComp"));
    QCOMPARE(grid->columnCount(), 8);
    QCOMPARE(m->ColCaptions(QStringLiteral("ChemComp")).upperBound(), 7);
}

// clang-format off
void tst_material::otherElements_data()
{
    QTest::addColumn<bool>("standardHasOthers");
    QTest::addColumn<QString>("other"); // "<none>": no OtherElem row, "<null>": a Null text
    QTest::addColumn<bool>("tableNotes");
    QTest::addColumn<QString>("notes");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("othersText");
    QTest::addColumn<bool>("buttonShown");

    QTest::newRow("standard without other elements")
        << false << "Cu 0,3" << false << "" << "Notes..." << "kept" << false;
    QTest::newRow("dash") << true << "-" << false << "" << "Notes..." << "-" << false;
    QTest::newRow("dash with notes") << true << "-" << true << "Cast analysis." << "Notes..." << "-" << true;
    QTest::newRow("text without notes")
        << true << "Cu < 0,30" << false << crlf("Other Elements - Cu < 0,30\n\n") << "Other Elements..." << "Cu < 0,30"
        << true;
    QTest::newRow("text and notes") << true << "Cu < 0,30" << true
                                    << crlf("Other Elements - Cu < 0,30\n\nCast analysis.")
                                    << "Other Elements & Notes..." << "Cu < 0,30" << true;
    QTest::newRow("no entry for the material") << true << "<none>" << false << "" << "Notes..." << "" << false;
    QTest::newRow("null entry") << true << "<null>" << false << "" << "Notes..." << "" << false;
}
// clang-format on

void tst_material::otherElements()
{
    QFETCH(bool, standardHasOthers);
    QFETCH(QString, other);
    QFETCH(bool, tableNotes);
    QFETCH(QString, notes);
    QFETCH(QString, label);
    QFETCH(QString, othersText);
    QFETCH(bool, buttonShown);

    QStringList rows = materialRows(QStringLiteral("G1"), standardHasOthers) << chemicalRows(QStringLiteral("G1"), 2);
    if (other == QLatin1String("<null>"))
        rows << QStringLiteral("INSERT INTO OtherElem VALUES (1, 5, NULL)");
    else if (other != QLatin1String("<none>"))
        rows << QStringLiteral("INSERT INTO OtherElem VALUES (1, 5, '%1')").arg(db::quoteText(other));
    rows << QStringLiteral("INSERT INTO OtherElem VALUES (2, 5, 'another grade')");
    if (tableNotes)
        rows << QStringLiteral("INSERT INTO MatNotes VALUES (1, 'ChemComp', 1, 20)")
             << QStringLiteral("INSERT INTO TableNotes VALUES (20, 'ChemComp', 'Cast analysis.')");
    Fixture fixture(rows);
    platform::ScriptedResponder responder;
    const MaterialPtr m = fixture.material(1);
    m->OthersText(QStringLiteral("kept"));
    auto w = openWindow(m);
    w->ShowTable(QStringLiteral("ChemComp"));
    QCOMPARE(responder.count(), 0);

    QCOMPARE(textbox::text(w->txtNotes), notes);
    QCOMPARE(w->lblNotes->text(), label);
    QCOMPARE(m->OthersText(), othersText);
    QCOMPARE(!w->cmdShowNotes->isHidden(), buttonShown);
    QCOMPARE(!w->lblNotes->isHidden(), buttonShown);
    QCOMPARE(w->TimerFlash->isActive(), buttonShown);
    if (standardHasOthers)
        QCOMPARE(w->dtaOther->recordSource(), QStringLiteral("select other from OtherElem where mID = 1 and stID = 5"));
    // The other-elements line is not part of the table notes the reports print.
    if (tableNotes)
        QCOMPARE(m->TableNotes(1), QStringLiteral("Cast analysis."));
}

void tst_material::compositionOutsideDataModel_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("gridRows");

    QStringList odd = chemicalRows(QStringLiteral("G1"), 3);
    odd.removeLast();
    QTest::newRow("odd number of records") << "G1" << odd << 3 << 2;
    QTest::newRow("apostrophe in the grade name") << "G'1" << chemicalRows(QStringLiteral("G'1"), 2) << 3 << 2;
    QTest::newRow("no records") << "G1" << QStringList{} << 1 << 0;
}

void tst_material::compositionOutsideDataModel()
{
    QFETCH(QString, name);
    QFETCH(QStringList, rows);
    QFETCH(int, columns);
    QFETCH(int, gridRows);

    Fixture fixture(materialRows(name, false) << rows);
    platform::ScriptedResponder responder;
    const MaterialPtr m = fixture.material(1);
    auto w = openWindow(m);
    w->ShowTable(QStringLiteral("ChemComp"));
    QCOMPARE(responder.count(), 0);
    QCOMPARE(w->tdbTable->columnCount(), columns);
    QCOMPARE(w->tdbTable->rowCount(), gridRows);
    QCOMPARE(m->TableHasData(QStringLiteral("ChemComp")), gridRows > 0);
    QVERIFY(w->framNoData->isHidden());

    const platform::XArray copy = m->UnboundTableData(QStringLiteral("ChemComp"));
    if (gridRows == 0) {
        QCOMPARE(copy.lowerBound(1), 0);
        QCOMPARE(copy.upperBound(1), 0);
        QCOMPARE(copy.upperBound(2), 0);
        QCOMPARE(copy.value(0, 0).toString(), QString());
    } else {
        QCOMPARE(copy.upperBound(2), columns - 1);
        QCOMPARE(m->ColCaptions(QStringLiteral("ChemComp")).upperBound(), columns - 1);
    }
}

// --- mechanical and creep properties ------------------------------------------------------------

void tst_material::mechanicalTable()
{
    {
        Fixture fixture(baseRows() << mechanicalDefinitions() << mechanicalData(18)
                                   << QStringLiteral("INSERT INTO MatNotes VALUES (1, 'MechProp', 1, 21)")
                                   << QStringLiteral("INSERT INTO TableNotes VALUES (21, 'MechProp', 'Annealed.')"));
        platform::ScriptedResponder responder;
        const MaterialPtr m = fixture.material(1);
        const qint16 designCols = m->MaxDesignCols();
        auto w = openWindow(m);
        w->ShowTable(QStringLiteral("MechProp"));
        QCOMPARE(responder.count(), 0);

        QCOMPARE(w->dtaOther->recordSource(),
                 QStringLiteral("select * from MechMatTable where matID = 1 order by ordering"));
        // The table's chart queries last on the same data control: for the mechanical table its
        // column ids are unset, so it asks for column 0.
        QCOMPARE(w->dtaTable->recordSource(),
                 QStringLiteral("select * from MechPropData where matID = 1 and  colID = 0 order by rowNo"));
        controls::DataGrid *grid = w->tdbTable;
        QCOMPARE(grid->caption(), QStringLiteral("Mechanical properties at room temperature"));
        QCOMPARE(grid->rowCount(), 3);
        QCOMPARE(grid->columnCount(), 6);
        QCOMPARE(grid->text(0, 0), QStringLiteral("v0"));
        QCOMPARE(grid->text(2, 5), QStringLiteral("v17"));
        QCOMPARE(grid->column(0)->caption(), crlf("Thickness\nup to\n[mm]\n"));
        QCOMPARE(grid->column(1)->caption(), crlf("ReH\ntransv.\n[MPa]\nmin"));
        QCOMPARE(grid->column(5)->caption(), crlf("Cond\nannealed\n\n"));
        const QList<double> widths{1150, 780, 1100, 780, 780, 780};
        for (int c = 0; c < 6; ++c)
            QCOMPARE(grid->column(c)->widthTwips(), widths.at(c));

        const platform::VbArray<float> sizes = m->MechCreepColSize(QStringLiteral("MechProp"));
        QCOMPARE(sizes.lowerBound(), 0);
        QCOMPARE(sizes.upperBound(), 5);
        for (int c = 0; c < 6; ++c)
            QCOMPARE(double(sizes.at(c)), widths.at(c));
        const platform::XArray copy = m->UnboundTableData(QStringLiteral("MechProp"));
        QCOMPARE(copy.lowerBound(1), 1);
        QCOMPARE(copy.upperBound(1), 3);
        QCOMPARE(copy.lowerBound(2), 0);
        QCOMPARE(copy.upperBound(2), 5);
        QCOMPARE(copy.value(3, 5).toString(), QStringLiteral("v17"));
        QCOMPARE(m->ColCaption(QStringLiteral("MechProp"), 1), grid->column(1)->caption());
        QVERIFY(m->TableHasData(QStringLiteral("MechProp")));
        QCOMPARE(m->MaxDesignCols(), designCols);

        w->ShowTable(QStringLiteral("MechProp"));
        QCOMPARE(m->ColCaptions(QStringLiteral("MechProp")).upperBound(), 5);
        QCOMPARE(grid->columnCount(), 6);
    }
    {
        Fixture fixture(baseRows() << mechanicalDefinitions() << mechanicalData(6));
        auto w = openWindow(fixture.material(1));
        w->ShowTable(QStringLiteral("MechProp"));
        QCOMPARE(w->tdbTable->column(1)->caption(), crlf("ReH\n\n[MPa]\nmin"));
        QCOMPARE(w->tdbTable->column(5)->caption(), crlf("Cond\n\n\n"));
    }
}

void tst_material::mechanicalRecordCounts_data()
{
    QTest::addColumn<QStringList>("data");
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("hasData");
    QTest::addColumn<bool>("noDataNote");

    QTest::newRow("17 records") << mechanicalData(17) << 3 << true << false;
    QTest::newRow("15 records, half to even") << mechanicalData(15) << 2 << true << false;
    QTest::newRow("21 records, half to even") << mechanicalData(21) << 4 << true << false;
    QTest::newRow("one row of Null cells") << mechanicalData(6, QStringLiteral("NULL")) << 1 << false << false;
    QTest::newRow("one row of empty texts") << mechanicalData(6, QStringLiteral("''")) << 1 << false << false;
    QTest::newRow("no records") << QStringList{} << 1 << false << true;
}

void tst_material::mechanicalRecordCounts()
{
    QFETCH(QStringList, data);
    QFETCH(int, rows);
    QFETCH(bool, hasData);
    QFETCH(bool, noDataNote);

    Fixture fixture(baseRows() << mechanicalDefinitions() << data);
    platform::ScriptedResponder responder;
    const MaterialPtr m = fixture.material(1);
    auto w = openWindow(m);
    w->ShowTable(QStringLiteral("MechProp"));
    QCOMPARE(responder.count(), 0);
    QCOMPARE(w->tdbTable->rowCount(), rows);
    QCOMPARE(w->tdbTable->columnCount(), 6);
    QCOMPARE(m->TableHasData(QStringLiteral("MechProp")), hasData);
    QCOMPARE(!w->framNoData->isHidden(), noDataNote);
    QCOMPARE(w->tdbTable->isHidden(), noDataNote);
    const platform::XArray copy = m->UnboundTableData(QStringLiteral("MechProp"));
    QCOMPARE(copy.upperBound(1), rows);
    QCOMPARE(copy.upperBound(2), 5);
    if (data.size() == 17)
        QCOMPARE(w->tdbTable->text(2, 5), QString());
}

void tst_material::creepEmptyColumnsHidden()
{
    Fixture fixture(
        baseRows() << QStringLiteral("INSERT INTO Columns VALUES (1, 'Temperature', 1), (2, 'Rm 10000', 2), "
                                     "(3, 'Rm 100000', 2), (4, 'Rp1 10000', 2), (5, 'Rp1 100000', 2)")
                   << QStringLiteral("INSERT INTO Units VALUES (1, '[°C]'), (2, '[MPa]')")
                   << QStringLiteral("INSERT INTO CreepPropTable VALUES (5, 1, NULL, NULL, '900', 1), "
                                     "(5, 2, NULL, NULL, '900', 2), (5, 3, NULL, NULL, '900', 3), "
                                     "(5, 4, NULL, NULL, '900', 4), (5, 5, NULL, NULL, '900', 5)")
                   << QStringLiteral("INSERT INTO CreepProperties VALUES (1, 1, 1, 1, '380'), "
                                     "(1, 1, 2, 2, '229'), (1, 1, 3, 3, '-'), (1, 1, 4, 4, '165'), "
                                     "(1, 1, 5, 5, '120'), (1, 2, 1, 1, '400'), (1, 2, 2, 2, '210'), "
                                     "(1, 2, 3, 3, ' '), (1, 2, 4, 4, '150'), (1, 2, 5, 5, '')"));
    platform::ScriptedResponder responder;
    const MaterialPtr m = fixture.material(1);
    m->MaxDesignCols(1);
    auto w = openWindow(m);
    w->ShowTable(QStringLiteral("CreepProp"));
    QCOMPARE(responder.count(), 0);

    QCOMPARE(w->dtaOther->recordSource(),
             QStringLiteral("select * from CreepPropTable where stID = 5 order by ordering"));
    controls::DataGrid *grid = w->tdbTable;
    QCOMPARE(grid->caption(), QStringLiteral("Creep properties"));
    QCOMPARE(grid->rowCount(), 2);
    QCOMPARE(grid->columnCount(), 5);
    const QList<bool> empty{false, false, true, false, false};
    const platform::VbArray<bool> flags = w->EmptyCreepCols();
    QCOMPARE(flags.lowerBound(), 0);
    QCOMPARE(flags.upperBound(), 4);
    for (int c = 0; c < 5; ++c) {
        QCOMPARE(flags.at(c), empty.at(c));
        QCOMPARE(grid->column(c)->isVisible(), !empty.at(c));
    }
    const platform::XArray copy = m->UnboundTableData(QStringLiteral("CreepProp"));
    QCOMPARE(copy.upperBound(2), 4);
    QCOMPARE(copy.value(1, 2).toString(), QStringLiteral("-"));
    QCOMPARE(m->ColCaptions(QStringLiteral("CreepProp")).upperBound(), 4);

    QCOMPARE(w->cboColumnList->count(), 3);
    QCOMPARE(w->cboColumnList->itemText(0), QStringLiteral("Rm 10000 [MPa]"));
    QCOMPARE(w->cboColumnList->itemText(1), QStringLiteral("Rp1 10000 [MPa]"));
    QCOMPARE(w->cboColumnList->itemText(2), QStringLiteral("Rp1 100000 [MPa]"));
    QCOMPARE(w->cboColumnList->currentIndex(), 0);
    QCOMPARE(w->lblXAxis->text(), QStringLiteral("Temperature [°C]"));
    QCOMPARE(m->MaxDesignCols(), qint16(3));
    QVERIFY(!w->cmdUnBoundGraph->isHidden());
}

// --- bound tables -------------------------------------------------------------------------------

void tst_material::elevatedThickness_data()
{
    QTest::addColumn<QList<int>>("thicknesses");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QString>("firstValue");

    QTest::newRow("no thickness ranges") << QList<int>{-1} << QStringList{crlf("Rp1,0 \n\n[MPa]")}
                                         << QStringList{"Rp10"} << 4 << "291";
    QTest::newRow("single thickness") << QList<int>{16} << QStringList{crlf("(   ) - \n\n16mm")} << QStringList{"16"}
                                      << 4 << "274";
    QTest::newRow("four thicknesses") << QList<int>{16, 40, 60, 100}
                                      << QStringList{crlf("(   ) - \n\n16mm"), crlf("(16) - \n\n40mm"),
                                                     crlf("(40) - \n\n60mm"), crlf("(60) - \n\n100mm")}
                                      << QStringList{"16", "40", "60", "100"} << 5 << "274";
}

void tst_material::elevatedThickness()
{
    QFETCH(QList<int>, thicknesses);
    QFETCH(QStringList, captions);
    QFETCH(QStringList, fields);
    QFETCH(int, columns);
    QFETCH(QString, firstValue);

    QStringList rows = baseRows();
    for (int t : thicknesses)
        for (int temp : {100, 200})
            rows << QStringLiteral("INSERT INTO Rp10 VALUES (1, %1, '%2', %3, %4)")
                        .arg(temp)
                        .arg(300 - temp / 10 - t)
                        .arg(t)
                        .arg(temp / 100);
    Fixture fixture(rows);
    platform::ScriptedResponder responder;
    const MaterialPtr m = fixture.material(1);
    auto w = openWindow(m);
    w->ShowTable(QStringLiteral("Rp10"));
    QCOMPARE(responder.count(), 0);

    const bool split = thicknesses.first() != -1;
    controls::DataGrid *grid = w->tdbBoundTable;
    QCOMPARE(grid->caption(), QStringLiteral("Minimum values for Rp1,0 [MPa] at elevated temperature"));
    QCOMPARE(grid->columnCount(), columns);
    QCOMPARE(grid->rowCount(), 2);
    for (int i = 0; i < captions.size(); ++i) {
        QCOMPARE(grid->column(i + 1)->caption(), captions.at(i));
        QCOMPARE(grid->column(i + 1)->dataField(), fields.at(i));
        QVERIFY(grid->column(i + 1)->isVisible());
        QCOMPARE(grid->column(i + 1)->widthTwips(), split ? 900.0 : 1200.0);
    }
    QCOMPARE(grid->text(0, 0), QStringLiteral("100"));
    QCOMPARE(grid->text(0, 1), firstValue);
    QCOMPARE(m->ElevatedMultiCol(QStringLiteral("Rp10")), split);
    QVERIFY(!m->ElevatedMultiCol(QStringLiteral("Rp02")));
    const platform::VbArray<qint16> cols = m->ElevatedColumns(QStringLiteral("Rp10"));
    QCOMPARE(cols.isAllocated(), split);
    if (split) {
        QCOMPARE(
            w->dtaTable->recordSource(),
            QStringLiteral("transform max(Rp10.Rp10) select temp, ordering from Rp10 where matID = 1 group by temp, "
                           "ordering order by ordering pivot Rp10.thickness"));
        QCOMPARE(cols.lowerBound(), 1);
        QCOMPARE(cols.upperBound(), int(thicknesses.size()));
        for (int i = 1; i <= thicknesses.size(); ++i)
            QCOMPARE(int(cols.at(i)), thicknesses.at(i - 1));
        QCOMPARE(m->MaxDesignCols(), qint16(thicknesses.size()));
        QCOMPARE(grid->text(1, int(thicknesses.size())), QString::number(300 - 20 - thicknesses.last()));
    } else {
        QCOMPARE(w->dtaTable->recordSource(),
                 QStringLiteral("select * from Rp10 where matID = 1 order by thickness, ordering"));
        QCOMPARE(m->MaxDesignCols(), qint16(0));
    }
}

void tst_material::impactEnergyColumns_data()
{
    QTest::addColumn<QStringList>("records"); // kv|kvLong|kvTrans, NULL for a Null value
    QTest::addColumn<int>("mask");
    QTest::addColumn<QList<bool>>("visible");

    QTest::newRow("KV only") << QStringList{"27|NULL|-", "40|NULL|-"} << 1 << QList<bool>{true, false, false};
    QTest::newRow("a blank counts as data")
        << QStringList{"27| |-", "40|NULL|-"} << 3 << QList<bool>{true, true, false};
    QTest::newRow("empty text and Null") << QStringList{"|30|31", "NULL|32|33"} << 6 << QList<bool>{false, true, true};
    QTest::newRow("a value in a later record")
        << QStringList{"-|NULL|NULL", "27|NULL|NULL"} << 1 << QList<bool>{true, false, false};
    QTest::newRow("all three") << QStringList{"27|30|31"} << 7 << QList<bool>{true, true, true};
    QTest::newRow("no records, mask kept") << QStringList{} << 5 << QList<bool>{true, true, true};
}

void tst_material::impactEnergyColumns()
{
    QFETCH(QStringList, records);
    QFETCH(int, mask);
    QFETCH(QList<bool>, visible);

    QStringList rows = baseRows();
    int temp = -40;
    for (const QString &record : records) {
        QStringList values;
        for (const QString &v : record.split(QLatin1Char('|')))
            values << (v == QLatin1String("NULL") ? v : QStringLiteral("'%1'").arg(v));
        rows << QStringLiteral("INSERT INTO ImpEnergy VALUES (1, %1, %2, 1)")
                    .arg(temp)
                    .arg(values.join(QStringLiteral(", ")));
        temp += 20;
    }
    Fixture fixture(rows);
    platform::ScriptedResponder responder;
    const MaterialPtr m = fixture.material(1);
    m->ImpEnergyCols(5);
    auto w = openWindow(m);
    w->ShowTable(QStringLiteral("ImpEnergy"));
    QCOMPARE(responder.count(), 0);

    controls::DataGrid *grid = w->tdbBoundTable;
    QCOMPARE(m->ImpEnergyCols(), qint16(mask));
    for (int i = 0; i < 3; ++i)
        QCOMPARE(grid->column(i + 1)->isVisible(), visible.at(i));
    QCOMPARE(grid->column(1)->caption(), crlf("KV\n\n[Joule]"));
    QCOMPARE(grid->column(2)->caption(), crlf("KVL\n\n[Joule]"));
    QCOMPARE(grid->column(3)->caption(), crlf("KVT\n\n[Joule]"));
    QCOMPARE(grid->column(3)->dataField(), QStringLiteral("kvTrans"));
    QCOMPARE(grid->rowCount(), int(records.size()));
    QCOMPARE(grid->caption(), QStringLiteral("Impact energy"));
    QCOMPARE(m->TableHasData(QStringLiteral("ImpEnergy")), !records.isEmpty());
    QVERIFY(!grid->column(1)->showsHeadingPicture());
}

void tst_material::physicalHeadings()
{
    using controls::headingPicture;
    using controls::UnitHeading;
    QStringList rows = baseRows();
    for (int i = 0; i < 12; ++i)
        rows << QStringLiteral("INSERT INTO ThermExp VALUES (1, %1, '1%2,0', '1%2,5', 1)").arg(20 + 50 * i).arg(i);
    rows << QStringLiteral("INSERT INTO ModElast VALUES (1, 20, '210', 1), (1, 100, '204', 1)")
         << QStringLiteral("INSERT INTO Rp02 VALUES (1, 100, '250', -1, 1)");
    Fixture fixture(rows);
    platform::ScriptedResponder responder;
    const MaterialPtr m = fixture.material(1);
    auto w = openWindow(m);
    controls::DataGrid *grid = w->tdbBoundTable;

    w->ShowTable(QStringLiteral("ThermExp"));
    QCOMPARE(w->dtaTable->recordSource(), QStringLiteral("select * from ThermExp where matID = 1 order by temp"));
    QCOMPARE(grid->rowCount(), 12);
    QCOMPARE(grid->column(1)->caption(), crlf(QStringLiteral("β20, t\n\n[E-6/K]")));
    QCOMPARE(grid->column(2)->caption(), crlf(QStringLiteral("βdiff, t\n\n[E-6/K]")));
    QCOMPARE(grid->column(1)->headingPicture(), headingPicture(UnitHeading::ExpansionAt20));
    QCOMPARE(grid->column(2)->headingPicture(), headingPicture(UnitHeading::ExpansionDiff));
    QVERIFY(grid->column(2)->isVisible());
    QVERIFY(!grid->column(3)->isVisible());
    QCOMPARE(grid->text(11, 2), QStringLiteral("111,5"));
    QVERIFY(m->MaxDesignCols() >= 12);

    w->ShowTable(QStringLiteral("ModElast"));
    QCOMPARE(grid->column(1)->caption(), m_mdi->GetCaption(QStringLiteral("ModElast")));
    QCOMPARE(grid->column(1)->dataField(), QStringLiteral("ModElast"));
    QCOMPARE(grid->column(1)->headingPicture(), headingPicture(UnitHeading::ModulusUnit));
    QVERIFY(!grid->column(2)->isVisible());
    QVERIFY(grid->column(2)->showsHeadingPicture());

    w->ShowTable(QStringLiteral("Rp02"));
    QVERIFY(!grid->column(1)->showsHeadingPicture());
    QVERIFY(!grid->column(2)->showsHeadingPicture());

    w->ShowTable(QStringLiteral("SpecThermCap"));
    QCOMPARE(grid->caption(), QStringLiteral("Specific thermal capacity"));
    QCOMPARE(grid->column(1)->caption(), crlf("Cp20, t\n\n[J/kgK]"));
    QCOMPARE(grid->column(2)->caption(), crlf("Cp diff, t\n\n[J/kgK]"));
    QCOMPARE(grid->column(1)->headingPicture(), headingPicture(UnitHeading::CapacityAt20));
    QCOMPARE(grid->column(2)->headingPicture(), headingPicture(UnitHeading::CapacityDiff));
    w->ShowTable(QStringLiteral("ThermCond"));
    QCOMPARE(grid->column(1)->headingPicture(), headingPicture(UnitHeading::ConductivityUnit));
    w->ShowTable(QStringLiteral("SpecElecRes"));
    QCOMPARE(grid->column(1)->headingPicture(), headingPicture(UnitHeading::ResistivityUnit));
    QCOMPARE(responder.count(), 0);

    // The grid's pictures: the units as fractions, the symbols over their units.
    for (UnitHeading heading :
         {UnitHeading::ModulusUnit, UnitHeading::ConductivityUnit, UnitHeading::ResistivityUnit}) {
        const QImage image = headingPicture(heading);
        QVERIFY(!image.isNull());
        QVERIFY(image.width() >= 40 && image.width() <= 50);
        QCOMPARE(image.height(), 36);
    }
    for (UnitHeading heading : {UnitHeading::ExpansionAt20, UnitHeading::ExpansionDiff, UnitHeading::CapacityAt20,
                                UnitHeading::CapacityDiff}) {
        const QImage image = headingPicture(heading);
        QVERIFY(image.width() >= 43 && image.width() <= 48);
        QVERIFY(image.height() >= 37 && image.height() <= 38);
    }
}

// --- notes and additional information -----------------------------------------------------------

void tst_material::tableNotesText()
{
    Fixture fixture(
        baseRows() << QStringLiteral("INSERT INTO MatNotes VALUES (1, 'Rp02', 2, 31), (1, 'Rp02', 1, 30), "
                                     "(1, 'Rp02', 3, 99), (1, 'Rm', 1, 30), (2, 'Rp02', 1, 32)")
                   << QStringLiteral("INSERT INTO TableNotes VALUES (30, 'Rm', 'Rm note.'), "
                                     "(30, 'Rp02', 'First.'), (31, 'Rp02', 'Second.'), (32, 'Rp02', 'Other.'), "
                                     "(99, 'Rm', 'Not for Rp02.')"));
    platform::ScriptedResponder responder;
    const MaterialPtr m = fixture.material(1);
    auto w = openWindow(m);
    w->ShowTable(QStringLiteral("Rp02"));
    QCOMPARE(responder.count(), 0);
    QCOMPARE(w->dtaNotes->recordSource(),
             QStringLiteral("select * from MatNotes where matID = 1 and tableName = 'Rp02' order by ordering"));
    QCOMPARE(textbox::text(w->txtNotes), crlf("First.\nSecond."));
    QCOMPARE(w->txtNotes->toPlainText(), QStringLiteral("First.\nSecond."));
    QCOMPARE(m->TableNotes(4), crlf("First.\nSecond."));
    QVERIFY(!w->cmdShowNotes->isHidden());
    QVERIFY(!w->lblNotes->isHidden());

    w->ShowTable(QStringLiteral("Rm"));
    QCOMPARE(m->TableNotes(6), QStringLiteral("Rm note."));
    QCOMPARE(m->TableNotes(4), crlf("First.\nSecond."));

    w->ShowTable(QStringLiteral("Rp10"));
    QVERIFY(w->cmdShowNotes->isHidden());
    QVERIFY(w->lblNotes->isHidden());
    QCOMPARE(m->TableNotes(5), QString());
}

void tst_material::additionalInformation_data()
{
    QTest::addColumn<QStringList>("info"); // titleID|ordering|text
    QTest::addColumn<QString>("expected");

    QTest::newRow("two titled groups") << QStringList{"1|1|l1", "1|2|l2", "2|1|l3"}
                                       << crlf("Welding\n\nl1\nl2\n\nHeat treatment\n\nl3\n\n");
    QTest::newRow("untitled group at the end")
        << QStringList{"3|1|u1", "1|1|l1", "3|2|u2"} << crlf("Welding\n\nl1\n\n\nu1\nu2");
    QTest::newRow("only untitled") << QStringList{"3|1|u1"} << crlf("\n\n\nu1");
    QTest::newRow("Null text") << QStringList{"1|1|NULL"} << crlf("Welding\n\n\n\n");
    QTest::newRow("none") << QStringList{} << QString();
}

void tst_material::additionalInformation()
{
    QFETCH(QStringList, info);
    QFETCH(QString, expected);

    QStringList rows = baseRows() << QStringLiteral(
                           "INSERT INTO InfoTitle VALUES (2, 'Heat treatment'), (1, 'Welding'), (3, '[NoTitle]')");
    for (const QString &line : info) {
        const QStringList parts = line.split(QLatin1Char('|'));
        rows << QStringLiteral("INSERT INTO GetInfo VALUES (1, %1, %2, %3)")
                    .arg(parts[0], parts[1],
                         parts[2] == QLatin1String("NULL") ? parts[2] : QStringLiteral("'%1'").arg(parts[2]));
    }
    Fixture fixture(rows);
    platform::ScriptedResponder responder;
    const MaterialPtr m = fixture.material(1);
    auto w = openWindow(m);
    w->ShowTable(QStringLiteral("AddInfo"));
    QCOMPARE(responder.count(), 0);
    QCOMPARE(textbox::text(w->txtNotes), expected);
    QCOMPARE(m->AddInfo(), expected);
    QCOMPARE(m->TableHasData(QStringLiteral("AddInfo")), !info.isEmpty());
    QVERIFY(m->TableChecked(QStringLiteral("AddInfo")));
    QVERIFY(w->framNoData->isHidden());
}
