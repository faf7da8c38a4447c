#include "tst_material.h"

#include "core/modDBase.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "material/NoDataNote.h"
#include "material/frmMaterial2.h"
#include "platform/MsgBox.h"
#include "platform/Twips.h"
#include "platform/VbConv.h"
#include "platform/VbError.h"
#include "shell/mdiVelkor.h"

#include "SchemaFixture.h"
#include <QFile>
#include <QtTest>

// --- fixture ------------------------------------------------------------------------------------

Fixture::Fixture(const QStringList &statements)
{
    const QString path = m_dir.filePath(QStringLiteral("fixture.mdb"));
    if (testsupport::buildSchemaDatabase(path, statements))
        m_database.open(path);
}

MaterialPtr Fixture::material(int matID) const
{
    auto materials =
        modDBase::gMaterialDb->openRecordset(QStringLiteral("select * from materials where matID = %1").arg(matID));
    auto standard = modDBase::gMaterialDb->openRecordset(
        QStringLiteral("select * from standard where standard = '%1'")
            .arg(db::quoteText(materials->field(QStringLiteral("standard")).toString())));
    auto material = std::make_shared<Material>();
    material->SetProperties(*materials, *standard);
    return material;
}

QStringList baseRows(bool otherElements)
{
    return {
        QStringLiteral("INSERT INTO standard VALUES (5, 'EN 1', 'Plates for pressure purposes', '2007-12-01', %1)")
            .arg(otherElements ? -1 : 0),
        QStringLiteral("INSERT INTO materials VALUES (1, 'G1', '1.0001', 'Carbon steel', '1.1', '2008-06-01', 'EN 1', "
                       "NULL, NULL, NULL)")};
}

QStringList chemicalRows(const QString &name, int elements, const QString &note)
{
    static const char *const symbols[] = {"C", "Si", "Mn", "P", "S", "Cr", "Ni", "Mo", "Cu", "N"};
    QStringList rows;
    for (int e = 0; e < elements; ++e) {
        const QString symbol = QString::fromLatin1(symbols[e]);
        const QString noteValue = note.isEmpty() ? QStringLiteral("NULL") : QStringLiteral("'%1 %2'").arg(note, symbol);
        rows << QStringLiteral("INSERT INTO Chemical VALUES ('EN 1', '%1', '1.0001', %2, '%3', %4, NULL)")
                    .arg(db::quoteText(name))
                    .arg(2 * e + 1)
                    .arg(symbol)
                    .arg(e == 0 ? QStringLiteral("NULL") : QStringLiteral("'0,%1'").arg(e))
             << QStringLiteral("INSERT INTO Chemical VALUES ('EN 1', '%1', '1.0001', %2, '%3', '%4,5', %5)")
                    .arg(db::quoteText(name))
                    .arg(2 * e + 2)
                    .arg(symbol)
                    .arg(e + 1)
                    .arg(noteValue);
    }
    return rows;
}

std::unique_ptr<frmMaterial2> openWindow(const MaterialPtr &material)
{
    auto window = std::make_unique<frmMaterial2>();
    window->SetMaterial(material);
    return window;
}

QRect twips(double left, double top, double width, double height)
{
    return platform::twipsRect(left, top, width, height);
}

QString crlf(const QString &text)
{
    QString result = text;
    return result.replace(QLatin1String("\n"), QLatin1String("\r\n"));
}

// --- test case ----------------------------------------------------------------------------------

void tst_material::initTestCase()
{
    m_mdi = new mdiVelkor;
    m_mdi->InitTableNames();
}

void tst_material::cleanupTestCase()
{
    delete m_mdi;
    m_mdi = nullptr;
}

// --- Material record ----------------------------------------------------------------------------

void tst_material::keysOutsideCatalogueAddressRef_data()
{
    QTest::addColumn<QString>("key");
    QTest::newRow("Design") << "Design";
    QTest::newRow("Elevated") << "Elevated";
    QTest::newRow("empty") << "";
    QTest::newRow("letter case differs") << "rp02";
}

void tst_material::keysOutsideCatalogueAddressRef()
{
    QFETCH(QString, key);
    Material m;
    m.TableHasData(key, true);
    QVERIFY(m.TableHasData(QStringLiteral("Ref")));
    QVERIFY(m.TableChecked(QStringLiteral("Ref")));
    QVERIFY(!m.TableHasData(QStringLiteral("Rp02")));
    QVERIFY(!m.TableChecked(QStringLiteral("Rp02")));
    m.TableHasData(QStringLiteral("Ref"), false);
    QVERIFY(!m.TableHasData(key));
}

void tst_material::attachingWindowClearsChecked()
{
    Material m;
    m.TableHasData(QStringLiteral("Rp02"), false);
    m.TableHasData(QStringLiteral("CreepProp"), true);
    QVERIFY(m.TableChecked(QStringLiteral("Rp02")));
    QVERIFY(m.TableChecked(QStringLiteral("CreepProp")));

    frmMaterial2 window;
    m.MyForm(&window);
    QCOMPARE(m.MyForm(), &window);
    for (const char *key : {"Ref", "Rp02", "CreepProp", "AddInfo"})
        QVERIFY2(!m.TableChecked(QString::fromLatin1(key)), key);
    QVERIFY(m.TableHasData(QStringLiteral("CreepProp")));
    QVERIFY(!m.TableHasData(QStringLiteral("Rp02")));
}

void tst_material::captionLists_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("appended");
    QTest::addColumn<QStringList>("expected"); // from index 0; empty: unallocated

    QTest::newRow("ChemComp first") << "ChemComp" << QStringList{"C"} << QStringList{"", "C"};
    QTest::newRow("ChemComp three") << "ChemComp" << QStringList{"C", "Si", "Mn"} << QStringList{"", "C", "Si", "Mn"};
    QTest::newRow("MechProp first") << "MechProp" << QStringList{"Rm"} << QStringList{"Rm"};
    QTest::newRow("CreepProp two") << "CreepProp" << QStringList{"T", "Rm 10000"} << QStringList{"T", "Rm 10000"};
    QTest::newRow("other key ignored") << "Rp02" << QStringList{"x"} << QStringList{};
}

void tst_material::captionLists()
{
    QFETCH(QString, key);
    QFETCH(QStringList, appended);
    QFETCH(QStringList, expected);

    Material m;
    for (const QString &caption : appended)
        m.AddColCaption(key, caption);
    const platform::VbArray<QString> list = m.ColCaptions(key);
    QCOMPARE(list.isAllocated(), !expected.isEmpty());
    if (expected.isEmpty()) {
        QVERIFY_THROWS_EXCEPTION(platform::VbError, m.ColCaption(key, 0));
        return;
    }
    QCOMPARE(list.lowerBound(), 0);
    QCOMPARE(list.upperBound(), expected.size() - 1);
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(m.ColCaption(key, i), expected.at(i));
    // The other two lists stay untouched.
    for (const char *other : {"ChemComp", "MechProp", "CreepProp"})
        if (key != QLatin1String(other))
            QVERIFY(!m.ColCaptions(QString::fromLatin1(other)).isAllocated());
}

void tst_material::unboundCopy()
{
    platform::XArray grid(1, 2, 0, 5);
    grid.setValue(1, 0, QStringLiteral("min"));
    grid.setValue(1, 1, 5);
    grid.setValue(2, 2, QStringLiteral("0,07"));
    grid.setValue(2, 5, QStringLiteral("-"));

    Material m;
    QVERIFY(!m.UnboundTableData(QStringLiteral("MechProp")).isAllocated());
    m.SetUnboundArrayData(QStringLiteral("MechProp"), grid);
    m.SetUnboundArrayData(QStringLiteral("Rp02"), grid);

    const platform::XArray copy = m.UnboundTableData(QStringLiteral("MechProp"));
    QCOMPARE(copy.lowerBound(1), 1);
    QCOMPARE(copy.upperBound(1), 2);
    QCOMPARE(copy.lowerBound(2), 0);
    QCOMPARE(copy.upperBound(2), 5);
    for (int r = 1; r <= 2; ++r)
        for (int c = 0; c <= 5; ++c) {
            QCOMPARE(copy.value(r, c).typeId(), QMetaType::QString);
            QCOMPARE(copy.value(r, c).toString(), grid.isNull(r, c) ? QString() : platform::cStr(grid.value(r, c)));
        }
    QCOMPARE(copy.value(1, 1).toString(), QStringLiteral("5"));
    QVERIFY(!m.UnboundTableData(QStringLiteral("Rp02")).isAllocated());
    QVERIFY(!m.UnboundTableData(QStringLiteral("ChemComp")).isAllocated());

    // The copy is the record's own: changing the grid afterwards does not reach it.
    grid.setValue(1, 0, QStringLiteral("changed"));
    QCOMPARE(m.UnboundTableData(QStringLiteral("MechProp")).value(1, 0).toString(), QStringLiteral("min"));
}

void tst_material::keyedArrays()
{
    Material m;
    platform::VbArray<float> mech, creep;
    mech.redim(0, 1);
    mech[0] = 1150;
    mech[1] = 780;
    creep.redim(0, 0);
    creep[0] = 1000;
    m.MechCreepColSize(QStringLiteral("MechProp"), mech);
    m.MechCreepColSize(QStringLiteral("CreepProp"), creep);
    m.MechCreepColSize(QStringLiteral("Rp02"), mech); // ignored
    QCOMPARE(m.MechCreepColSize(QStringLiteral("MechProp")), mech);
    QCOMPARE(m.MechCreepColSize(QStringLiteral("CreepProp")), creep);
    QCOMPARE(m.MechCreepColSize(QStringLiteral("Rp02")), creep);

    platform::VbArray<qint16> thick;
    thick.redim(1, 2);
    thick[1] = 16;
    thick[2] = 40;
    m.ElevatedColumns(QStringLiteral("Rp10"), thick);
    m.ElevatedColumns(QStringLiteral("ModElast"), thick);
    m.ElevatedMultiCol(QStringLiteral("Rp10"), true);
    m.ElevatedMultiCol(QStringLiteral("ModElast"), true);
    QCOMPARE(m.ElevatedColumns(QStringLiteral("Rp10")), thick);
    QVERIFY(!m.ElevatedColumns(QStringLiteral("Rp02")).isAllocated());
    QVERIFY(!m.ElevatedColumns(QStringLiteral("ModElast")).isAllocated());
    QVERIFY(m.ElevatedMultiCol(QStringLiteral("Rp10")));
    QVERIFY(!m.ElevatedMultiCol(QStringLiteral("Rm")));
    QVERIFY(!m.ElevatedMultiCol(QStringLiteral("ModElast")));

    platform::VbArray<QString> forms;
    forms.redim(0, 1);
    forms[0] = QStringLiteral("Plate");
    forms[1] = QStringLiteral("Strip");
    QVERIFY(!m.HasProductForms());
    QVERIFY(!m.ProductForms().isAllocated());
    m.ProductForms(forms);
    QVERIFY(m.HasProductForms());
    QCOMPARE(m.ProductForms(), forms);
}

void tst_material::indexBounds_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("valid");
    QTest::newRow("PrintTable -1") << "PrintTable" << -1 << false;
    QTest::newRow("PrintTable 0") << "PrintTable" << 0 << true;
    QTest::newRow("PrintTable 13") << "PrintTable" << 13 << true;
    QTest::newRow("PrintTable 14") << "PrintTable" << 14 << false;
    QTest::newRow("TableNotes 0") << "TableNotes" << 0 << false;
    QTest::newRow("TableNotes 1") << "TableNotes" << 1 << true;
    QTest::newRow("TableNotes 13") << "TableNotes" << 13 << true;
    QTest::newRow("TableNotes 14") << "TableNotes" << 14 << false;
}

void tst_material::indexBounds()
{
    QFETCH(QString, property);
    QFETCH(int, index);
    QFETCH(bool, valid);
    Material m;
    const bool print = property == QLatin1String("PrintTable");
    auto set = [&] {
        if (print)
            m.PrintTable(index, true);
        else
            m.TableNotes(index, QStringLiteral("note"));
    };
    if (!valid) {
        try {
            set();
            QFAIL("no error raised");
        } catch (const platform::VbError &err) {
            QCOMPARE(err.number(), platform::vberr::SubscriptOutOfRange);
        }
        return;
    }
    set();
    if (print)
        QVERIFY(m.PrintTable(index));
    else
        QCOMPARE(m.TableNotes(index), QStringLiteral("note"));
}

void tst_material::printQueuesFirstInFirstOut()
{
    Material m;
    QVERIFY(m.colTablePrintList.isEmpty());
    QVERIFY(m.colUnBoundTablePrintList.isEmpty());
    for (const char *key : {"Rp02", "Rm", "ImpEnergy"})
        m.colTablePrintList.add(QString::fromLatin1(key));
    QStringList consumed;
    while (!m.colTablePrintList.isEmpty()) {
        consumed << m.colTablePrintList.item(1);
        m.colTablePrintList.remove(1);
    }
    QCOMPARE(consumed, (QStringList{"Rp02", "Rm", "ImpEnergy"}));
}

void tst_material::setProperties()
{
    Fixture fixture(baseRows(true) << QStringLiteral("INSERT INTO materials VALUES (2, 'G2', '1.0002', NULL, NULL, "
                                                     "'2009-01-31', 'EN 1', NULL, NULL, NULL)")
                                   << QStringLiteral("INSERT INTO standard VALUES (6, 'EN 2', NULL, '2001-02-03', 0)"));
    QVERIFY(fixture.isOpen());

    const MaterialPtr m = fixture.material(1);
    QCOMPARE(m->ID(), qint16(1));
    QCOMPARE(m->Name(), QStringLiteral("G1"));
    QCOMPARE(m->Number(), QStringLiteral("1.0001"));
    QCOMPARE(m->Description(), QStringLiteral("Carbon steel"));
    QCOMPARE(m->Group(), QStringLiteral("1.1"));
    QCOMPARE(m->RevisionDate(), QDate(2008, 6, 1));
    QCOMPARE(m->Standard(), QStringLiteral("EN 1"));
    QCOMPARE(m->StandardID(), qint16(5));
    QCOMPARE(m->StandardRevisionDate(), QDate(2007, 12, 1));
    QVERIFY(m->OthersElement());
    QCOMPARE(m->StandardDescription(), QStringLiteral("Plates for pressure purposes"));

    // Null description gives ""; Null groups keeps the group the record had.
    auto rows = modDBase::gMaterialDb->openRecordset(QStringLiteral("select * from materials where matID = 2"));
    auto standard = modDBase::gMaterialDb->openRecordset(QStringLiteral("select * from standard where stID = 6"));
    m->SetProperties(*rows, *standard);
    QCOMPARE(m->ID(), qint16(2));
    QCOMPARE(m->Description(), QString());
    QCOMPARE(m->Group(), QStringLiteral("1.1"));
    QCOMPARE(m->StandardDescription(), QString());
    QVERIFY(!m->OthersElement());

    Material fresh;
    fresh.SetProperties(*rows, *standard);
    QCOMPARE(fresh.Group(), QString());
    QVERIFY(!fresh.HasProductForms());
}

void tst_material::noDataNoteText_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("paragraph");
    QTest::addColumn<bool>("spaced");
    QTest::addColumn<QString>("expected");

    QTest::newRow("window") << "ImpEnergy" << true << true
                            << crlf("\n\n  * For this Grade - 'G'1',\n\n    the Specification - 'EN 1',\n\n"
                                    "    does not provide any data for - \n\n    'Impact energy.'");
    QTest::newRow("report") << "Rp02" << true << false
                            << crlf("\n\n  * For this Grade - 'G'1',\n    the Specification - 'EN 1',\n"
                                    "    does not provide any data for - \n"
                                    "    'Minimum values for Rp0,2 [MPa] at elevated temperature.'");
    QTest::newRow("one line") << "CreepProp" << false << false
                              << crlf("\n  * For this Grade - 'G'1',  the Specification - 'EN 1',  "
                                      "does not provide any data for -   'Creep properties.'");
    QTest::newRow("key outside catalogue") << "Design" << false << true
                                           << crlf("\n  * For this Grade - 'G'1',  the Specification - 'EN 1',  "
                                                   "does not provide any data for -   'References.'");
}

void tst_material::noDataNoteText()
{
    QFETCH(QString, key);
    QFETCH(bool, paragraph);
    QFETCH(bool, spaced);
    QFETCH(QString, expected);

    Fixture fixture({QStringLiteral("INSERT INTO standard VALUES (5, 'EN 1', NULL, '2007-12-01', 0)"),
                     QStringLiteral("INSERT INTO materials VALUES (1, 'G''1', '1.0001', NULL, NULL, '2008-06-01', "
                                    "'EN 1', NULL, NULL, NULL)")});
    QCOMPARE(BuildNoDataNote(*fixture.material(1), key, paragraph, spaced), expected);
}

QTEST_MAIN(tst_material)
