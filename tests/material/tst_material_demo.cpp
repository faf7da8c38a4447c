// A material of the demo database, and of Jet databases written by another program (one of them
// changed after its rows were written, with a 20,000-character note), in its window inside the main
// window, through all 14 tables.

#include "tst_material.h"

#include "controls/DataGrid.h"
#include "core/TableCatalogue.h"
#include "core/modDBase.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "material/TextBox.h"
#include "material/frmMaterial2.h"
#include "platform/MsgBox.h"
#include "shell/mdiVelkor.h"

#include "PrivateCopy.h"
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

// clang-format off
void tst_material::demoMaterialThroughAllTables_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("shots");
    QTest::addColumn<QString>("grade");
    QTest::addColumn<QString>("longNote"); // the table whose notes hold the 20,000-character note
    QTest::newRow("demo database") << QStringLiteral(VELKOR_BIN_DIR "/Velkor_PED.mdb") << "/tmp/material-shots" << "16Mo3" << "";
    QTest::newRow("Jet file") << QStringLiteral(VELKOR_SOURCE_DIR "/tests/fixtures/jet/Velkor_PED_pw.mdb")
                              << "/tmp/material-shots/jet" << "P265GH" << "";
    QTest::newRow("Jet file with a history") << QStringLiteral(VELKOR_SOURCE_DIR "/tests/fixtures/jet-real/Velkor_PED_history.mdb")
                                             << "/tmp/material-shots/jet-history" << "P265GH" << "Rp02";
}
// clang-format on

namespace {

// The note as the other Jet reader read it (the fixture's reference: TableNotes row 1 of Rp02).
QString referenceNote()
{
    QFile file(QStringLiteral(VELKOR_SOURCE_DIR "/tests/fixtures/jet-real/Velkor_PED_history.mdb.reference.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).chopped(1);
        if (line.startsWith(QLatin1String("R 1\t'Rp02\t'")))
            return line.section(u'\t', 2).mid(1);
    }
    return {};
}

} // namespace

void tst_material::demoMaterialThroughAllTables()
{
    QFETCH(QString, path);
    QFETCH(QString, shots);
    QFETCH(QString, grade);
    QFETCH(QString, longNote);
    if (!QFile::exists(path))
        QSKIP("the demo database has not been built");
    QTemporaryDir dir;
    const QString copy = testsupport::privateCopy(path, dir.path());
    QVERIFY(!copy.isEmpty());
    testsupport::ProgramDatabase database;
    QVERIFY(database.open(copy, QStringLiteral(";Pwd=" VELKOR_DB_PASSWORD)));

    auto materials =
        modDBase::gMaterialDb->openRecordset(QStringLiteral("select * from materials where name = '%1'").arg(grade));
    QVERIFY(!materials->eof());
    auto standard = modDBase::gMaterialDb->openRecordset(
        QStringLiteral("select * from standard where standard = '%1'")
            .arg(db::quoteText(materials->field(QStringLiteral("standard")).toString())));
    auto m = std::make_shared<Material>();
    m->SetProperties(*materials, *standard);

    platform::ScriptedResponder responder;
    m_mdi->resize(1024, 740);
    m_mdi->show();
    auto *w = new frmMaterial2;
    w->setWindowTitle(QStringLiteral("Name: %1 Number: %2 Standard: %3").arg(m->Name(), m->Number(), m->Standard()));
    QMdiSubWindow *sub = m_mdi->mdiArea()->addSubWindow(w);
    w->SetMaterial(m);
    sub->show();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_mdi));
    auto closeWindow = qScopeGuard([&] {
        const qint16 open = m_mdi->iMaterialsOpen;
        sub->close();
        m_mdi->iMaterialsOpen = open;
        m_mdi->hide();
    });

    QDir().mkpath(shots);
    QStringList keys;
    for (int i = 0; i <= 13; ++i)
        keys << m_mdi->GetShortTableName(i);
    keys << QStringLiteral("Elevated");
    int n = 0;
    for (const QString &key : keys) {
        w->ShowTable(key);
        QCOMPARE(responder.count(), 0);
        const QString shown = key == QLatin1String("Elevated") ? QStringLiteral("Rp02") : key;
        QCOMPARE(w->strCurrentTable, shown);
        if (shown != QLatin1String("Ref") && shown != QLatin1String("AddInfo")) {
            controls::DataGrid *grid = (shown == QLatin1String("ChemComp") || shown == QLatin1String("MechProp") ||
                                        shown == QLatin1String("CreepProp"))
                                           ? w->tdbTable
                                           : w->tdbBoundTable;
            // Each table either shows its rows or the note that the grade has none.
            if (m->TableHasData(shown)) {
                QVERIFY2(!grid->isHidden() && grid->rowCount() > 0, qPrintable(shown));
                QVERIFY2(w->framNoData->isHidden(), qPrintable(shown));
            } else {
                QVERIFY2(!w->framNoData->isHidden() || grid->rowCount() == 1, qPrintable(shown));
            }
        }
        QCoreApplication::processEvents();
        sub->grab().save(QStringLiteral("%1/%2_%3.png").arg(shots).arg(n++, 2, 10, QLatin1Char('0')).arg(key));
    }
    // The composition with its notes pane open.
    w->ShowTable(QStringLiteral("ChemComp"));
    QVERIFY(!w->cmdShowNotes->isHidden());
    w->cmdShowNotes->click();
    QVERIFY(!textbox::text(w->txtNotes).isEmpty());
    QCoreApplication::processEvents();
    sub->grab().save(shots + QStringLiteral("/15_ChemComp_notes.png"));

    if (!longNote.isEmpty()) {
        const QString note = referenceNote();
        QCOMPARE(note.size(), 20000);
        w->ShowTable(longNote);
        QVERIFY(!w->cmdShowNotes->isHidden());
        w->cmdShowNotes->click();
        QVERIFY(textbox::text(w->txtNotes).contains(note));
        QCoreApplication::processEvents();
        sub->grab().save(shots + QStringLiteral("/16_%1_notes.png").arg(longNote));
    }

    QVERIFY(m->TableHasData(QStringLiteral("ChemComp")));
    QVERIFY(m->TableHasData(QStringLiteral("MechProp")));
    QVERIFY(m->TableHasData(QStringLiteral("Rp02")));
    QVERIFY(!m->AddInfo().isEmpty() || !m->TableHasData(QStringLiteral("AddInfo")));
    QCOMPARE(sub->size(), QSize(752, 336));
}

// clang-format off
void tst_material::tablesReadRecordAsShown_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("matID");
    const QString demo = QStringLiteral(VELKOR_BIN_DIR "/Velkor_PED.mdb");
    QTest::newRow("split by thickness, creep, impact, notes, information") << demo << 102;
    QTest::newRow("no elevated or creep values") << demo << 202;
    QTest::newRow("elevated not split, physical tables") << demo << 301;
    QTest::newRow("creep without thickness split") << demo << 407;
    QTest::newRow("hardly any data") << demo << 604;
    QTest::newRow("Jet file with a history")
        << QStringLiteral(VELKOR_SOURCE_DIR "/tests/fixtures/jet-real/Velkor_PED_history.mdb") << 0;
}
// clang-format on

namespace {

QString arrayText(const platform::XArray &a)
{
    if (!a.isAllocated())
        return QStringLiteral("unallocated");
    QStringList rows;
    for (int r = a.lowerBound(1); r <= a.upperBound(1); ++r) {
        QStringList cells;
        for (int c = a.lowerBound(2); c <= a.upperBound(2); ++c)
            cells << a.value(r, c).toString();
        rows << cells.join(u'|');
    }
    return QStringLiteral("%1..%2 x %3..%4: ")
               .arg(a.lowerBound(1))
               .arg(a.upperBound(1))
               .arg(a.lowerBound(2))
               .arg(a.upperBound(2)) +
           rows.join(u'/');
}

template <class T>
QString listText(const platform::VbArray<T> &a)
{
    if (!a.isAllocated())
        return QStringLiteral("unallocated");
    QStringList items;
    for (int i = a.lowerBound(); i <= a.upperBound(); ++i)
        items << QVariant::fromValue(a.at(i)).toString();
    return QString::number(a.lowerBound()) + QStringLiteral(": ") + items.join(u'|');
}

// What a window and its material hold once every table has been looked at and the design values computed.
QStringList recorded(const frmMaterial2 &w)
{
    const Material &m = *w.mMat;
    QStringList out;
    for (int i = catalogue::FirstDataTable; i < catalogue::TableCount; ++i) {
        const QString key = QString::fromLatin1(catalogue::Tables[i].key);
        out << key + QStringLiteral(" data %1 checked %2 notes ").arg(m.TableHasData(key)).arg(m.TableChecked(key)) +
                   m.TableNotes(i);
    }
    for (const char *key : {"Rp02", "Rp10", "Rm"})
        out << QLatin1String(key) + QStringLiteral(" split %1 ").arg(m.ElevatedMultiCol(QLatin1String(key))) +
                   listText(m.ElevatedColumns(QLatin1String(key)));
    for (const char *key : {"ChemComp", "MechProp", "CreepProp"}) {
        out << QLatin1String(key) + QStringLiteral(" captions ") + listText(m.ColCaptions(QLatin1String(key)));
        out << QLatin1String(key) + QStringLiteral(" copy ") + arrayText(m.UnboundTableData(QLatin1String(key)));
    }
    for (const char *key : {"MechProp", "CreepProp"})
        out << QLatin1String(key) + QStringLiteral(" sizes ") + listText(m.MechCreepColSize(QLatin1String(key)));
    out << QStringLiteral("design columns %1 impact columns %2").arg(m.MaxDesignCols()).arg(m.ImpEnergyCols());
    out << QStringLiteral("information ") + m.AddInfo() << QStringLiteral("others ") + m.OthersText();
    out << QStringLiteral("empty creep columns ") + listText(w.EmptyCreepCols());
    out << QStringLiteral("design ") + arrayText(w.xDesignDB);
    return out;
}

} // namespace

// A window that reads its tables only for their values (the design grid built first, the tables
// checked for the report) holds what one that showed every table holds.
void tst_material::tablesReadRecordAsShown()
{
    QFETCH(QString, path);
    QFETCH(int, matID);
    if (!QFile::exists(path))
        QSKIP("the demo database has not been built");
    QTemporaryDir dir;
    const QString copy = testsupport::privateCopy(path, dir.path());
    QVERIFY(!copy.isEmpty());
    testsupport::ProgramDatabase database;
    QVERIFY(database.open(copy, QStringLiteral(";Pwd=" VELKOR_DB_PASSWORD)));
    auto material = [&] {
        auto materials = modDBase::gMaterialDb->openRecordset(
            matID ? QStringLiteral("select * from materials where matID = %1").arg(matID)
                  : QStringLiteral("select * from materials where name = 'P265GH'"));
        auto standard = modDBase::gMaterialDb->openRecordset(
            QStringLiteral("select * from standard where standard = '%1'")
                .arg(db::quoteText(materials->field(QStringLiteral("standard")).toString())));
        auto m = std::make_shared<Material>();
        m->SetProperties(*materials, *standard);
        return m;
    };
    platform::ScriptedResponder responder;

    const std::unique_ptr<frmMaterial2> shown = openWindow(material());
    for (int i = catalogue::FirstDataTable; i < catalogue::TableCount; ++i)
        shown->ShowTable(QString::fromLatin1(catalogue::Tables[i].key));
    shown->ShowTable(QStringLiteral("Design"));

    const std::unique_ptr<frmMaterial2> read = openWindow(material());
    read->ShowTable(QStringLiteral("Design"));
    read->CheckTablesForRecords();
    QCOMPARE(read->strCurrentTable, QStringLiteral("Design"));

    for (frmMaterial2 *w : {shown.get(), read.get()})
        w->txtDesignTemp->setText(QStringLiteral("350"));
    QCOMPARE(recorded(*read), recorded(*shown));
    QCOMPARE(responder.count(), 0);
}
