// The design temperature box and the design values interpolated at it.

#include "tst_material_charts.h"

#include "controls/DataGrid.h"
#include "controls/GridView.h"
#include "core/modDBase.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "material/DesignValues.h"
#include "material/frmMaterial2.h"
#include "platform/MsgBox.h"
#include "platform/VbError.h"
#include "shell/mdiVelkor.h"

#include "PrivateCopy.h"
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

namespace {

QString modElast(const QString &rows)
{
    return QStringLiteral("INSERT INTO ModElast VALUES ") + rows;
}

const QString ThreeRows = QStringLiteral("(1, 100, '200', 1), (1, 150, '180', 2), (1, 200, '170', 3)");

// A table of temperatures and values as the material window holds it: "temperature|value|..." per row.
platform::XArray table(const QStringList &rows)
{
    const int columns = int(rows.first().split(QLatin1Char('|')).size()) - 1;
    platform::XArray a(1, int(rows.size()), 0, columns);
    for (int r = 0; r < rows.size(); ++r) {
        const QStringList cells = rows.at(r).split(QLatin1Char('|'));
        for (int c = 0; c < cells.size(); ++c)
            if (!cells.at(c).isEmpty())
                a.setValue(r + 1, c, cells.at(c));
    }
    return a;
}

QStringList valueRow(const platform::XArray &design, int row, int columns)
{
    QStringList out;
    for (int c = 1; c <= columns; ++c)
        out << design.value(row, c).toString();
    return out;
}

// Types into the box as a user does: '<' Backspace, '>' Delete, 'L' caret left, 'A' select all,
// 'E' Enter; any other character is typed.
void type(QLineEdit *box, const QString &script)
{
    for (const QChar ch : script) {
        switch (ch.unicode()) {
        case '<': QTest::keyClick(box, Qt::Key_Backspace); break;
        case '>': QTest::keyClick(box, Qt::Key_Delete); break;
        case 'L': QTest::keyClick(box, Qt::Key_Left); break;
        case 'A': box->selectAll(); break;
        case 'E': QTest::keyClick(box, Qt::Key_Return); break;
        default: QTest::keyClick(box, ch.toLatin1()); break;
        }
    }
}

QStringList creepRows()
{
    return {
        QStringLiteral("INSERT INTO Columns VALUES (1, 'Temperature', 1), (2, 'Rm 10000', 2), (3, 'Rm 100000', 2)"),
        QStringLiteral("INSERT INTO Units VALUES (1, '[°C]'), (2, '[MPa]')"),
        QStringLiteral("INSERT INTO CreepPropTable VALUES (5, 1, NULL, NULL, '900', 1), (5, 2, NULL, NULL, '900', 2), "
                       "(5, 3, NULL, NULL, '900', 3)"),
        QStringLiteral(
            "INSERT INTO CreepProperties VALUES (1, 1, 1, 1, '380'), (1, 1, 2, 2, '229'), (1, 1, 3, 3, '165'), "
            "(1, 2, 1, 1, '400'), (1, 2, 2, 2, '(210)'), (1, 2, 3, 3, '150')")};
}

} // namespace

void tst_material_charts::formatValue_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("whole number") << 190.0 << "190,00";
    QTest::newRow("half rounds up") << 0.125 << "0,13";
    QTest::newRow("negative half rounds away from zero") << -0.125 << "-0,13";
    QTest::newRow("fifteen digits first") << 1.0049999999999999 << "1,01";
    QTest::newRow("carry into the integer") << 99.995 << "100,00";
    QTest::newRow("below a hundredth") << 0.004 << "0,00";
    QTest::newRow("zero") << 0.0 << "0,00";
    QTest::newRow("tiny") << 1e-20 << "0,00";
    QTest::newRow("no grouping") << 1234567.891 << "1234567,89";
}

void tst_material_charts::formatValue()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(designvalues::formatValue(value), text);
}

void tst_material_charts::interpolation_data()
{
    QTest::addColumn<QStringList>("statements");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("expected");

    const QStringList three{modElast(ThreeRows)};
    QTest::newRow("exact temperature") << three << "150" << false << "de_DE" << QStringList{"180"};
    QTest::newRow("between") << three << "125" << false << "de_DE" << QStringList{"190,00"};
    QTest::newRow("typed decimal") << three << "125,5" << false << "de_DE" << QStringList{"189,80"};
    QTest::newRow("below the range") << three << "50" << false << "de_DE" << QStringList{"-"};
    QTest::newRow("above the range") << three << "250" << false << "de_DE" << QStringList{"+"};
    QTest::newRow("last temperature typed as stored") << three << "200" << false << "de_DE" << QStringList{"170"};
    QTest::newRow("last temperature typed differently")
        << three << "200,0" << false << "de_DE" << QStringList{"170,00"};
    QTest::newRow("prefix and suffix kept") << QStringList{modElast("(1, 100, '(200)', 1), (1, 150, '(180)', 2)")}
                                            << "125" << false << "de_DE" << QStringList{"(190,00)"};
    QTest::newRow("marking only in the upper cell")
        << QStringList{modElast("(1, 100, '200', 1), (1, 150, '180 a)', 2)")} << "125" << false << "de_DE"
        << QStringList{"190,00 a)"};
    QTest::newRow("negative values and temperatures") << QStringList{modElast("(1, -50, '-10', 1), (1, 50, '10', 2)")}
                                                      << "-25" << false << "de_DE" << QStringList{"-5,00"};
    QTest::newRow("fifteen digits before rounding") << QStringList{modElast("(1, 100, '0', 1), (1, 200, '2,01', 2)")}
                                                    << "150" << false << "de_DE" << QStringList{"1,01"};
    QTest::newRow("single row, at its temperature")
        << QStringList{modElast("(1, 100, '200', 1)")} << "100" << false << "de_DE" << QStringList{"200"};
    QTest::newRow("single row, below") << QStringList{modElast("(1, 100, '200', 1)")} << "50" << false << "de_DE"
                                       << QStringList{"-"};
    QTest::newRow("single row, above") << QStringList{modElast("(1, 100, '200', 1)")} << "150" << false << "de_DE"
                                       << QStringList{"+"};

    const QStringList thermExp{
        QStringLiteral("INSERT INTO ThermExp VALUES (1, 100, '12,1', '12,6', 1), (1, 200, '12,7', NULL, 2)")};
    QTest::newRow("missing neighbour in one column")
        << thermExp << "150" << false << "de_DE" << QStringList{"12,40", "x"};
    QTest::newRow("missing value at the temperature")
        << thermExp << "200" << false << "de_DE" << QStringList{"12,7", "x"};
    QTest::newRow("stored cell with a point when English")
        << thermExp << "100" << true << "en_US" << QStringList{"12.1", "12.6"};
    QTest::newRow("interpolated with a comma when English")
        << thermExp << "150" << true << "en_US" << QStringList{"12,40", "x"};
    QTest::newRow("between, English locale") << three << "125" << true << "en_US" << QStringList{"190,00"};
    QTest::newRow("typed decimal, English locale") << three << "125,5" << true << "en_US" << QStringList{"189,80"};
    QTest::newRow("point in pasted text") << three << "125.5" << false << "de_DE" << QStringList{"189,80"};

    QTest::newRow("thickness columns") << QStringList{QStringLiteral(
                                              "INSERT INTO Rp02 VALUES (1, 100, '214', 16, 1), (1, 150, '198', 16, 2), "
                                              "(1, 100, '205', 40, 1), (1, 150, '190', 40, 2)")}
                                       << "125" << false << "de_DE" << QStringList{"206,00", "197,50"};
    QTest::newRow("creep table") << creepRows() << "390" << false << "de_DE" << QStringList{"(219,50)", "157,50"};
}

void tst_material_charts::interpolation()
{
    QFETCH(QStringList, statements);
    QFETCH(QString, typed);
    QFETCH(bool, english);
    QFETCH(QString, locale);
    QFETCH(QStringList, expected);

    QLocale::setDefault(QLocale(locale));
    m_mdi->blnEnglish = english;
    m_mdi->blnEnglishSystem = english;
    ChartFixture fixture(chartBaseRows() + statements);
    QVERIFY(fixture.isOpen());
    platform::ScriptedResponder responder;
    auto w = openChartWindow(fixture.material(1));
    w->ShowTable(QStringLiteral("Design"));
    QVERIFY(w->txtDesignTemp->isEnabled());
    w->txtDesignTemp->setText(typed);
    QCOMPARE(responder.count(), 0);
    QCOMPARE(valueRow(w->xDesignDB, 2, int(expected.size())), expected);
    QCOMPARE(w->tdbDesign->text(1, 1), expected.first());
}

// The calculation alone, without a window or a database.
void tst_material_charts::valuesAt_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("english");
    QTest::addColumn<QStringList>("expected"); // or the error number

    const QStringList three{"100|200", "150|180", "200|170"};
    QTest::newRow("below") << three << "99,9" << false << QStringList{"-"};
    QTest::newRow("above") << three << "200,1" << false << QStringList{"+"};
    QTest::newRow("at a row") << three << "150" << false << QStringList{"180"};
    QTest::newRow("between the last two") << three << "175" << false << QStringList{"175,00"};
    QTest::newRow("at the last row, written otherwise") << three << "200,0" << false << QStringList{"170,00"};
    QTest::newRow("missing and present columns")
        << QStringList{"100|12,1|12,6", "200|12,7|"} << "150" << false << QStringList{"12,40", "x"};
    QTest::newRow("marking of the upper cell kept")
        << QStringList{"100|200", "150|180 a)"} << "125" << false << QStringList{"190,00 a)"};
    QTest::newRow("stored point when English")
        << QStringList{"100|12,1", "200|12,7"} << "100" << true << QStringList{"12.1"};
    QTest::newRow("one row") << QStringList{"100|200"} << "100" << false << QStringList{"200"};
    QTest::newRow("no number typed") << three << "12a" << false << QStringList{"13"};
    QTest::newRow("no number stored") << QStringList{"100|200", "1O0|180"} << "120" << false << QStringList{"13"};
}

void tst_material_charts::valuesAt()
{
    QFETCH(QStringList, rows);
    QFETCH(QString, typed);
    QFETCH(bool, english);
    QFETCH(QStringList, expected);

    const platform::XArray a = table(rows);
    try {
        QCOMPARE(designvalues::valuesAt(a, typed, a.upperBound(2), english), expected);
    } catch (const platform::VbError &e) {
        QCOMPARE(QString::number(e.number()), expected.value(0));
    }
}

void tst_material_charts::designHeadings()
{
    ChartFixture fixture(chartBaseRows() + creepRows()
                         << QStringLiteral("INSERT INTO Rp02 VALUES (1, 100, '214', 16, 1), (1, 100, '205', 40, 1), "
                                           "(1, 100, '196', 60, 1)")
                         << QStringLiteral("INSERT INTO ThermExp VALUES (1, 100, '12,1', '12,6', 1), (1, 200, '12,7', "
                                           "'13,4', 2)")
                         << QStringLiteral("INSERT INTO ThermExp VALUES (2, 100, '12,1', '12,6', 1)")
                         << modElast(QStringLiteral("(2, 100, '200', 1)"))
                         << QStringLiteral("INSERT INTO SpecElecRes VALUES (2, 100, '0,25', 1)"));
    const MaterialPtr m = fixture.material(1);
    auto w = openChartWindow(m);
    w->ShowTable(QStringLiteral("Design"));
    QCOMPARE(w->strCurrentTable, QStringLiteral("Design"));
    QVERIFY(!w->framDesign->isHidden());

    // Blocks in design-key order: Rp02, CreepProp, ThermExp; as wide as the widest table.
    const platform::XArray &d = w->xDesignDB;
    QCOMPARE(m->MaxDesignCols(), qint16(3));
    QCOMPARE(d.lowerBound(1), 1);
    QCOMPARE(d.upperBound(1), 9);
    QCOMPARE(d.upperBound(2), 3);
    QCOMPARE(w->tdbDesign->columnCount(), 4);
    QCOMPARE(d.value(1, 0).toString(), m_mdi->GetCaption(QStringLiteral("Rp02")));
    QCOMPARE(valueRow(d, 1, 3), (QStringList{"(  ) - 16mm", "(16) - 40mm", "(40) - 60mm"}));
    QCOMPARE(valueRow(d, 2, 3), (QStringList{"", "", ""})); // values wait for a temperature
    QCOMPARE(d.value(4, 0).toString(), QStringLiteral("Creep Properties"));
    const platform::VbArray<QString> captions = m->ColCaptions(QStringLiteral("CreepProp"));
    QCOMPARE(valueRow(d, 4, 2), (QStringList{captions.at(1), captions.at(2)}));
    QCOMPARE(d.value(7, 0).toString(), QStringLiteral("ThermExp"));
    QCOMPARE(valueRow(d, 7, 2), (QStringList{QStringLiteral("β20, t [E-6/K]"), QStringLiteral("βdiff, t [E-6/K]")}));

    // Each row of the grid is as high as its text: a heading row shows every line of its captions
    // (the units on the last), a value or spacer row is one line high.
    const QTableView *view = w->tdbDesign->view();
    const QFontMetrics metrics(view->font());
    int tall = 0;
    for (int r = 0; r < w->tdbDesign->rowCount(); ++r) {
        int lines = 1;
        for (int c = 0; c < w->tdbDesign->columnCount(); ++c)
            lines = std::max(lines, int(w->tdbDesign->text(r, c).count(QLatin1Char('\n'))) + 1);
        if (lines == 1) {
            QCOMPARE(view->rowHeight(r), view->verticalHeader()->defaultSectionSize());
            continue;
        }
        ++tall;
        QVERIFY2(view->rowHeight(r) >= lines * metrics.height(),
                 qPrintable(QStringLiteral("row %1: %2 lines in %3 pixels").arg(r).arg(lines).arg(view->rowHeight(r))));
    }
    QVERIFY(tall >= 2); // the Rp0,2 and creep headings

    // One design column: ThermExp shows only its first heading and computes without a failure.
    const MaterialPtr narrow = fixture.material(2);
    platform::ScriptedResponder responder;
    auto n = openChartWindow(narrow);
    n->ShowTable(QStringLiteral("Design"));
    QCOMPARE(narrow->MaxDesignCols(), qint16(1));
    QCOMPARE(n->xDesignDB.upperBound(2), 1);
    QCOMPARE(n->xDesignDB.value(1, 0).toString(), QStringLiteral("ModElast"));
    QCOMPARE(n->xDesignDB.value(1, 1).toString(), QStringLiteral("[kN/mm²]"));
    QCOMPARE(n->xDesignDB.value(4, 1).toString(), QStringLiteral("β20, t [E-6/K]"));
    QCOMPARE(n->xDesignDB.value(7, 1).toString(), QStringLiteral("[Ω × mm²/m]"));
    n->txtDesignTemp->setText(QStringLiteral("100"));
    QCOMPARE(responder.count(), 0);
    QCOMPARE(n->xDesignDB.value(5, 1).toString(), QStringLiteral("12,1"));
}

void tst_material_charts::noDesignTablesDisablesBox()
{
    ChartFixture fixture(chartBaseRows() << modElast(QStringLiteral("(2, 100, '200', 1)")));
    auto empty = openChartWindow(fixture.material(1));
    auto other = openChartWindow(fixture.material(2));
    empty->ShowTable(QStringLiteral("Design"));
    other->ShowTable(QStringLiteral("Design"));
    QVERIFY(!empty->txtDesignTemp->isEnabled());
    QVERIFY(!empty->cmdPrintSave[3]->isEnabled());
    QVERIFY(!empty->cmdPrintSave[4]->isEnabled());
    QVERIFY(other->cmdPrintSave[3]->isEnabled());

    type(other->txtDesignTemp, QStringLiteral("100"));
    QCOMPARE(empty->txtDesignTemp->text(), QString());
}

// clang-format off
void tst_material_charts::temperatureFilter_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("text");

    QTest::newRow("point shows as comma") << "12." << "12,";
    QTest::newRow("second separator refused") << "12,5." << "12,5";
    QTest::newRow("second decimal refused") << "12,53" << "12,5";
    QTest::newRow("digit before the decimal refused") << "12,5L3" << "12,5";
    QTest::newRow("minus only in an empty box") << "-1-2" << "-12";
    QTest::newRow("separator refused after a lone minus") << "-," << "-";
    QTest::newRow("separator refused in an empty box") << ",1" << "1";
    QTest::newRow("four digits need a separator") << "12345" << "1234";
    QTest::newRow("six characters take only Backspace") << "1234,56<" << "1234,";
    QTest::newRow("letters refused") << "1a2" << "12";
    QTest::newRow("digit replaces a selection") << "12,5A3" << "3";
    QTest::newRow("comma on a selection empties the box") << "12,5A," << "";
    QTest::newRow("Backspace twice drops decimal and separator") << "12,5<<,7" << "12,7";
    QTest::newRow("Backspace after the comma takes the digit too") << "12,5L<" << "12";
    QTest::newRow("Delete on the comma takes the digit too") << "12,5LL>" << "12";
    QTest::newRow("separator before the last digit") << "125L,3" << "12,5";
    QTest::newRow("Enter changes nothing") << "12E" << "12";
}
// clang-format on

void tst_material_charts::temperatureFilter()
{
    QFETCH(QString, script);
    QFETCH(QString, text);

    ChartFixture fixture(chartBaseRows() << modElast(ThreeRows));
    platform::ScriptedResponder responder;
    auto w = openChartWindow(fixture.material(1));
    w->ShowTable(QStringLiteral("Design"));
    type(w->txtDesignTemp, script);
    QCOMPARE(w->txtDesignTemp->text(), text);
    QCOMPARE(responder.count(), 0);
    QCOMPARE(m_mdi->frmCurrentDesign.data(), w.get());
}

void tst_material_charts::temperatureCopiedToOtherWindows()
{
    ChartFixture fixture(chartBaseRows() << modElast(ThreeRows)
                                         << modElast(QStringLiteral("(2, 100, '300', 1), (2, 150, '280', 2)"))
                                         << modElast(QStringLiteral("(3, 100, '100', 1), (3, 150, '90', 2)")));
    platform::ScriptedResponder responder;
    auto a = openChartWindow(fixture.material(1));
    auto b = openChartWindow(fixture.material(2));
    auto later = openChartWindow(fixture.material(3));
    a->ShowTable(QStringLiteral("Design"));
    b->ShowTable(QStringLiteral("Design"));

    type(a->txtDesignTemp, QStringLiteral("125"));
    QCOMPARE(m_mdi->frmCurrentDesign.data(), a.get());
    QCOMPARE(b->txtDesignTemp->text(), QStringLiteral("125"));
    QCOMPARE(b->xDesignDB.value(2, 1).toString(), QStringLiteral("290,00"));
    QCOMPARE(a->xDesignDB.value(2, 1).toString(), QStringLiteral("190,00"));

    // A window without its design grid yet takes the temperature quietly and shows its values
    // once the grid is built.
    QCOMPARE(later->txtDesignTemp->text(), QStringLiteral("125"));
    later->ShowTable(QStringLiteral("Design"));
    QCOMPARE(later->xDesignDB.value(2, 1).toString(), QStringLiteral("95,00"));

    // Typing in another window makes it the source; a copied separator is known to the filter.
    type(b->txtDesignTemp, QStringLiteral(",5,"));
    QCOMPARE(m_mdi->frmCurrentDesign.data(), b.get());
    QCOMPARE(a->txtDesignTemp->text(), QStringLiteral("125,5"));
    QCOMPARE(a->xDesignDB.value(2, 1).toString(), QStringLiteral("189,80"));
    type(a->txtDesignTemp, QStringLiteral(",3"));
    QCOMPARE(a->txtDesignTemp->text(), QStringLiteral("125,5"));

    // Clearing the box or a lone "-" leaves the values standing.
    a->txtDesignTemp->clear();
    QCOMPARE(b->txtDesignTemp->text(), QString());
    QCOMPARE(b->xDesignDB.value(2, 1).toString(), QStringLiteral("289,80"));
    type(b->txtDesignTemp, QStringLiteral("-E"));
    QCOMPARE(a->xDesignDB.value(2, 1).toString(), QStringLiteral("189,80"));
    QCOMPARE(responder.count(), 0);
}

// clang-format off
void tst_material_charts::failureClearsBox_data()
{
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("text");

    QTest::newRow("letters in the box") << ThreeRows << "1a";
    QTest::newRow("a range as neighbour") << "(1, 100, '200', 1), (1, 150, '12-15', 2)" << "125";
    QTest::newRow("a lone minus as neighbour") << "(1, 100, '200', 1), (1, 150, '-', 2)" << "125";
    QTest::newRow("a row without temperature") << "(1, NULL, '200', 1), (1, 150, '180', 2)" << "125";
}
// clang-format on

void tst_material_charts::failureClearsBox()
{
    QFETCH(QString, rows);
    QFETCH(QString, text);

    ChartFixture fixture(chartBaseRows() << modElast(rows) << modElast(QStringLiteral("(2, 100, '300', 1)")));
    platform::ScriptedResponder responder;
    auto w = openChartWindow(fixture.material(1));
    auto other = openChartWindow(fixture.material(2));
    w->ShowTable(QStringLiteral("Design"));
    other->ShowTable(QStringLiteral("Design"));
    m_mdi->frmCurrentDesign = w.get();
    w->txtDesignTemp->setText(text);

    QCOMPARE(responder.messages().size(), 1);
    QCOMPARE(responder.messages().first().text, QStringLiteral("Type mismatch"));
    QCOMPARE(responder.messages().first().title, platform::appTitle());
    QCOMPARE(w->txtDesignTemp->text(), QString());
    QCOMPARE(other->txtDesignTemp->text(), QString());
}

void tst_material_charts::demoDesignValues()
{
    const QString path = QStringLiteral(VELKOR_BIN_DIR "/Velkor_PED.mdb");
    if (!QFile::exists(path))
        QSKIP("the demo database has not been built");
    QTemporaryDir dir;
    const QString copy = testsupport::privateCopy(path, dir.path());
    QVERIFY(!copy.isEmpty());
    testsupport::ProgramDatabase database;
    QVERIFY(database.open(copy, QStringLiteral(";Pwd=" VELKOR_DB_PASSWORD)));
    auto materials =
        modDBase::gMaterialDb->openRecordset(QStringLiteral("select * from materials where name = '16Mo3'"));
    QVERIFY(!materials->eof());
    auto standard =
        modDBase::gMaterialDb->openRecordset(QStringLiteral("select * from standard where standard = 'EN 10028-2'"));
    auto m = std::make_shared<Material>();
    m->SetProperties(*materials, *standard);

    platform::ScriptedResponder responder;
    auto w = openChartWindow(m);
    w->ShowTable(QStringLiteral("Design"));
    type(w->txtDesignTemp, QStringLiteral("325"));
    QCOMPARE(responder.count(), 0);
    // Rp0,2 by thickness: between 300 and 350 degrees, up to 16 mm and in the 150-250 mm range.
    QCOMPARE(w->xDesignDB.value(1, 6).toString(), QStringLiteral("(150) - 250mm"));
    QCOMPARE(w->xDesignDB.value(2, 1).toString(), QStringLiteral("184,50"));
    QCOMPARE(w->xDesignDB.value(2, 6).toString(), QStringLiteral("141,00"));
    for (int r = 2; r <= w->xDesignDB.upperBound(1); r += 3)
        QVERIFY2(!w->xDesignDB.value(r, 1).toString().isEmpty(), qPrintable(w->xDesignDB.value(r - 1, 0).toString()));
}
