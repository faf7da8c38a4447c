// The unbound table subreport, the batch report, the chart subreport and batch printing from the main
// window, on a small material database made from the project's schema.

#include "controls/Chart.h"
#include "controls/ReportControls.h"
#include "controls/ReportExport.h"
#include "controls/ReportPreview.h"
#include "core/modDBase.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "material/Material.h"
#include "material/frmMaterial2.h"
#include "platform/Environment.h"
#include "platform/MsgBox.h"
#include "reports/actRepBatchPrint.h"
#include "reports/actRepGraph.h"
#include "reports/actRepMain.h"
#include "reports/actRepUnBound.h"
#include "shell/mdiVelkor.h"

#include "ProgramFixture.h"
#include "SchemaFixture.h"
#include <QApplication>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using controls::ReportField;
using controls::ReportLabel;
using controls::ReportSubReport;

namespace {

// "EN 1" lists other elements, "EN 2" does not. G1 and G2 have one composition element each.
const QStringList FixtureRows = {
    "INSERT INTO standard VALUES (5, 'EN 1', 'Plates for pressure purposes', '2007-12-01', 1)",
    "INSERT INTO standard VALUES (6, 'EN 2', 'Tubes', '2007-12-01', 0)",
    "INSERT INTO materials VALUES (1, 'G1', '1.0001', 'Carbon steel', '1.1', '2008-06-01', 'EN 1', NULL, NULL, NULL)",
    "INSERT INTO materials VALUES (2, 'G2', '1.0002', 'Fine grain', '1.2', '2008-06-01', 'EN 2', NULL, NULL, NULL)",
    "INSERT INTO materials VALUES (3, 'G3', '1.0003', 'Alloy', '5.1', '2008-06-01', 'EN 2', NULL, NULL, NULL)",
    "INSERT INTO Chemical VALUES ('EN 1', 'G1', '1.0001', 1, 'C', NULL, NULL)",
    "INSERT INTO Chemical VALUES ('EN 1', 'G1', '1.0001', 2, 'C', '0,20', NULL)",
    "INSERT INTO Chemical VALUES ('EN 2', 'G2', '1.0002', 1, 'Mn', '0,90', NULL)",
    "INSERT INTO Chemical VALUES ('EN 2', 'G2', '1.0002', 2, 'Mn', '1,50', NULL)",
    // G1 creep table: the third column holds no value in any row.
    "INSERT INTO Columns VALUES (1, 'Temperature', 1), (2, 'Rm 10000', 2), (3, 'Rm 100000', 2), (4, 'Rp1 10000', 2)",
    "INSERT INTO Units VALUES (1, '[°C]'), (2, '[MPa]')",
    "INSERT INTO CreepPropTable VALUES (5, 1, NULL, NULL, '900', 1), (5, 2, NULL, NULL, '900', 2), "
    "(5, 3, NULL, NULL, '900', 3), (5, 4, NULL, NULL, '900', 4)",
    "INSERT INTO CreepProperties VALUES (1, 1, 1, 1, '380'), (1, 1, 2, 2, '229'), (1, 1, 3, 3, '-'), "
    "(1, 1, 4, 4, '165'), (1, 2, 1, 1, '400'), (1, 2, 2, 2, '210'), (1, 2, 3, 3, ' '), (1, 2, 4, 4, '150')",
};

MaterialPtr loadMaterial(int matId, int stId)
{
    auto materials =
        modDBase::gMaterialDb->openRecordset(QStringLiteral("select * from materials where matID = %1").arg(matId));
    auto standard =
        modDBase::gMaterialDb->openRecordset(QStringLiteral("select * from standard where stID = %1").arg(stId));
    auto mat = std::make_shared<Material>();
    mat->SetProperties(*materials, *standard);
    return mat;
}

// Rows 1..rows; column 0 reads "Rr", every other cell "rRcC"; the columns listed in blank hold "-".
platform::XArray table(int rows, int lastCol, const QList<int> &blank = {})
{
    platform::XArray data(1, rows, 0, lastCol);
    for (int r = 1; r <= rows; ++r)
        for (int c = 0; c <= lastCol; ++c)
            data.setValue(r, c,
                          c == 0              ? QStringLiteral("R%1").arg(r)
                          : blank.contains(c) ? QStringLiteral("-")
                                              : QStringLiteral("r%1c%2").arg(r).arg(c));
    return data;
}

platform::VbArray<float> widths(const QList<double> &list)
{
    platform::VbArray<float> sizes;
    sizes.redim(0, int(list.size()) - 1);
    for (int i = 0; i < list.size(); ++i)
        sizes[i] = float(list.at(i));
    return sizes;
}

// "name@left,top,width" of every visible control of a section, in placing order.
QStringList placed(const controls::Report &report, const QString &section)
{
    QStringList out;
    for (const auto &control : report.section(section)->controls())
        if (control->isVisible())
            out << QStringLiteral("%1@%2,%3,%4")
                       .arg(control->name())
                       .arg(control->left())
                       .arg(control->top())
                       .arg(control->width());
    return out;
}

QString runPdfToText(const QString &pdf)
{
    QProcess process;
    process.start(QStandardPaths::findExecutable(QStringLiteral("pdftotext")),
                  {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class tst_reports_batch : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void unboundLayout_data();
    void unboundLayout();
    void unboundPrintsRows_data();
    void unboundPrintsRows();
    void unboundTitleAndFooters_data();
    void unboundTitleAndFooters();
    void unboundQueueOrderAndNoRows();
    void unboundCreepFromWindow_data();
    void unboundCreepFromWindow();

    void batchLayout_data();
    void batchLayout();
    void batchPreviewNotMinimised();
    void batchPdf();
    void doBatchPrintUnloadsWindowsFirst();
    void doBatchPrintReportsFailure();

    void graphCopiesChart();

private:
    // Fills the material's copy of one unbound table with captions "K0".."Kn" and queues the key.
    void prepare(const QString &key, const platform::XArray &data, const QList<double> &colWidths = {});

    QTemporaryDir m_dir;
    testsupport::ProgramDatabase m_database;
    mdiVelkor *m_mdi = nullptr;
    MaterialPtr m_mat;
    std::unique_ptr<platform::ScriptedResponder> m_responder;
};

void tst_reports_batch::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const QString path = m_dir.filePath(QStringLiteral("fixture.mdb"));
    QVERIFY(testsupport::buildSchemaDatabase(path, FixtureRows));
    QVERIFY(testsupport::openProgramDatabase(m_database, m_dir.path(), path));
    m_mdi = testsupport::makeMainWindow();
}

void tst_reports_batch::cleanupTestCase()
{
    delete m_mdi;
    m_mdi = nullptr;
}

void tst_reports_batch::init()
{
    m_responder = std::make_unique<platform::ScriptedResponder>();
    m_mat = loadMaterial(1, 5);
    m_mdi->mCurrent = m_mat;
    m_mdi->blnBatchPrint = false;
    actRepMain::unloadDefault();
}

void tst_reports_batch::cleanup()
{
    actRepMain::unloadDefault();
    actRepBatchPrint::colMaterialsBatch().clear();
    m_mdi->colMaterials.clear();
    m_mdi->mCurrent.reset();
    m_mdi->blnBatchPrint = false;
    m_mat.reset();
    m_responder.reset();
}

void tst_reports_batch::prepare(const QString &key, const platform::XArray &data, const QList<double> &colWidths)
{
    for (int c = key == QLatin1String("ChemComp") ? 1 : 0; c <= data.upperBound(2); ++c)
        m_mat->AddColCaption(key, QStringLiteral("K%1").arg(c));
    m_mat->SetUnboundArrayData(key, data);
    if (!colWidths.isEmpty())
        m_mat->MechCreepColSize(key, widths(colWidths));
    m_mat->colUnBoundTablePrintList.add(key);
}

// --- unbound table subreport --------------------------------------------------------------------

void tst_reports_batch::unboundLayout_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("lastCol");
    QTest::addColumn<QList<double>>("colWidths");
    QTest::addColumn<QList<int>>("blank");
    QTest::addColumn<int>("split");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QStringList>("detail");
    QTest::addColumn<QStringList>("extended"); // empty: the footer stays hidden

    // Composition: every column 800 wide, chained from Field0 at 142.
    auto chem = [](int from, int to, const QString &prefix, int top, int left0) {
        QStringList out;
        for (int c = from; c <= to; ++c)
            out << QStringLiteral("%1%2@%3,%4,800").arg(prefix).arg(c).arg(left0 + 800 * (c - from)).arg(top);
        return out;
    };
    // The composition hides its title.
    const QStringList chemTitle = QStringList{"lblCaption0@142,425,800"} + chem(1, 11, "lblCaption", 425, 942);
    const QStringList chemDetail = QStringList{"Field0@142,0,800"} + chem(1, 11, "Field", 0, 942);
    QTest::newRow("composition up to index 11: one block")
        << "ChemComp" << 11 << QList<double>{} << QList<int>{} << 0 << chemTitle << chemDetail << QStringList{};

    QStringList ext = {"lblExtended@125,142,6661", "lblCapExt@142,425,850", "FieldExt@142,1100,850",
                       "FieldExt0@142,1420,850"};
    for (int c = 12; c <= 13; ++c) {
        const int left = 992 + 800 * (c - 12);
        ext << QStringLiteral("lblCaption%1@%2,425,800").arg(c).arg(left)
            << QStringLiteral("Field%1@%2,1100,800").arg(c).arg(left)
            << QStringLiteral("FieldExt%1@%2,1420,800").arg(c).arg(left);
    }
    QTest::newRow("composition from index 12: footer block")
        << "ChemComp" << 13 << QList<double>{} << QList<int>{} << 0 << chemTitle << chemDetail << ext;

    // Mechanical properties: 1200 + 9 x 1000 = 10200 fits exactly.
    QList<double> fits{1200};
    for (int i = 0; i < 9; ++i)
        fits << 1000;
    QStringList mechCaptions{"lblTitle@0,0,6803", "lblCaption0@142,425,1200"};
    QStringList mechDetail{"Field0@142,0,1200"};
    for (int c = 1; c <= 9; ++c) {
        mechCaptions << QStringLiteral("lblCaption%1@%2,425,1000").arg(c).arg(1342 + 1000 * (c - 1));
        mechDetail << QStringLiteral("Field%1@%2,0,1000").arg(c).arg(1342 + 1000 * (c - 1));
    }
    QTest::newRow("widths summing to 10200 are not split")
        << "MechProp" << 9 << fits << QList<int>{} << 0 << mechCaptions << mechDetail << QStringList{};

    QList<double> tooWide = fits;
    tooWide[0] = 1201;
    QStringList wideCaptions{"lblTitle@0,0,6803", "lblCaption0@142,425,1201"};
    QStringList wideDetail{"Field0@142,0,1201"};
    for (int c = 1; c <= 8; ++c) {
        wideCaptions << QStringLiteral("lblCaption%1@%2,425,1000").arg(c).arg(1343 + 1000 * (c - 1));
        wideDetail << QStringLiteral("Field%1@%2,0,1000").arg(c).arg(1343 + 1000 * (c - 1));
    }
    // Three rows, 284 high, stacked 47 apart under a repeated leading column.
    const QStringList wideExt{"lblExtended@125,142,6661", "lblX_0@142,425,1201",      "FieldX1_0@142,1372,1201",
                              "FieldX2_0@142,1703,1201",  "FieldX3_0@142,2034,1201",  "lblX_9@1343,425,1000",
                              "FieldX1_9@1343,1372,1000", "FieldX2_9@1343,1703,1000", "FieldX3_9@1343,2034,1000"};
    QTest::newRow("one twip more splits where the sum first exceeds 10200")
        << "MechProp" << 9 << tooWide << QList<int>{} << 9 << wideCaptions << wideDetail << wideExt;

    QList<double> creep = fits;
    creep.insert(4, 5000);
    QStringList creepCaptions{"lblTitle@0,0,6803", "lblCaption0@142,425,1200"};
    QStringList creepDetail{"Field0@142,0,1200"};
    for (int c = 1; c <= 10; ++c) {
        if (c == 4)
            continue;
        const int left = 1342 + 1000 * (c < 4 ? c - 1 : c - 2);
        creepCaptions << QStringLiteral("lblCaption%1@%2,425,1000").arg(c).arg(left);
        creepDetail << QStringLiteral("Field%1@%2,0,1000").arg(c).arg(left);
    }
    QTest::newRow("empty creep columns print nowhere and take no width")
        << "CreepProp" << 10 << creep << QList<int>{4} << 0 << creepCaptions << creepDetail << QStringList{};
}

void tst_reports_batch::unboundLayout()
{
    QFETCH(QString, key);
    QFETCH(int, lastCol);
    QFETCH(QList<double>, colWidths);
    QFETCH(QList<int>, blank);
    QFETCH(QStringList, extended);
    prepare(key, table(3 - (key == QLatin1String("ChemComp") ? 1 : 0), lastCol, blank), colWidths);

    actRepUnBound report;
    report.ActiveReport_DataInitialize();

    QCOMPARE(report.tableKey(), key);
    QTEST(report.splitColumn(), "split");
    QTEST(placed(report, "ghTitle"), "captions");
    QTEST(placed(report, "Detail"), "detail");
    QCOMPARE(report.section("gfExtended")->isVisible(), !extended.isEmpty());
    if (!extended.isEmpty())
        QCOMPARE(placed(report, "gfExtended"), extended);
    QVERIFY(m_mat->colUnBoundTablePrintList.isEmpty());

    const auto *caption1 = report.section("ghTitle")->controls().item<ReportField>("lblCaption1");
    QCOMPARE(caption1->text(), QStringLiteral("K1"));
    QCOMPARE(caption1->height(), key == QLatin1String("ChemComp") ? 571.0 : 851.0);
    QCOMPARE(caption1->alignment(), 2);
    QCOMPARE(caption1->border().leftStyle, 1);
    QCOMPARE(caption1->backStyle(), 1);
    const auto *field1 = report.section("Detail")->controls().item<ReportField>("Field1");
    QCOMPARE(field1->dataField(), QStringLiteral("Field1"));
    QCOMPARE(field1->verticalAlignment(), 1);
    QCOMPARE(field1->border().bottomStyle, 1);
    QCOMPARE(field1->font().size, key == QLatin1String("ChemComp") ? 8.0 : 9.0);
}

void tst_reports_batch::unboundPrintsRows_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("lastCol");
    QTest::addColumn<QList<double>>("colWidths");
    QTest::addColumn<QStringList>("lines"); // printed lines, in order, containing these texts

    QTest::newRow("composition: minimum on the min line, maximum on the max line")
        << "ChemComp" << 13 << QList<double>{}
        << QStringList{"K1",  "R1",  "r1c1",  "r1c11", "R2",  "r2c11", "Chemical composition continued...",
                       "K12", "min", "r1c12", "r1c13", "max", "r2c12", "r2c13"};

    QList<double> tooWide{5000, 5000, 1000};
    QTest::newRow("split table: continuation rows under the repeated leading column")
        << "MechProp" << 2 << tooWide
        << QStringList{"Mechanical properties at room temperature",
                       "K0",
                       "K1",
                       "R1",
                       "r1c1",
                       "R3",
                       "r3c1",
                       "Mechanical properties at room temperature continued...",
                       "K0",
                       "K2",
                       "R1",
                       "r1c2",
                       "R2",
                       "r2c2",
                       "R3",
                       "r3c2"};
}

void tst_reports_batch::unboundPrintsRows()
{
    QFETCH(QString, key);
    QFETCH(int, lastCol);
    QFETCH(QList<double>, colWidths);
    QFETCH(QStringList, lines);
    const int rows = key == QLatin1String("ChemComp") ? 2 : 3;
    prepare(key, table(rows, lastCol), colWidths);
    m_mat->TableNotes(m_mdi->GetTableIndex(key), QStringLiteral("Values for information."));

    actRepUnBound report;
    report.run();
    const QString text = controls::TextExport::text(report.document());

    qsizetype at = 0;
    for (const QString &piece : lines) {
        const qsizetype found = text.indexOf(piece, at);
        QVERIFY2(found >= 0, qPrintable(piece + QStringLiteral(" after ") + QString::number(at) + "\n" + text));
        at = found + piece.size();
    }
    QVERIFY(text.indexOf(QStringLiteral("Notes"), at) > 0);
    QVERIFY(text.contains(QStringLiteral("Values for information.")));
    // Cells of the continuation block never print in the table itself.
    if (key == QLatin1String("MechProp"))
        QCOMPARE(text.count(QStringLiteral("r1c2")), 1);
}

// clang-format off
void tst_reports_batch::unboundTitleAndFooters_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("material");
    QTest::addColumn<bool>("batch");
    QTest::addColumn<QString>("others");
    QTest::addColumn<QString>("notes");
    QTest::addColumn<QString>("title");
    QTest::addColumn<double>("titleWidth");
    QTest::addColumn<bool>("otherShown");

    QTest::newRow("composition with other elements") << "ChemComp" << 1 << false << "Nb 0,05" << "Note 1."
                                                     << "Chemical composition" << 6803.0 << true;
    QTest::newRow("other elements '-'") << "ChemComp" << 1 << false << "-" << "" << "Chemical composition" << 6803.0
                                        << false;
    QTest::newRow("other elements empty") << "ChemComp" << 1 << false << "" << "-" << "Chemical composition"
                                          << 6803.0 << false;
    QTest::newRow("standard without other elements") << "ChemComp" << 2 << false << "Nb 0,05" << "-"
                                                     << "Chemical composition" << 6803.0 << false;
    QTest::newRow("mechanical properties never print other elements")
        << "MechProp" << 1 << false << "Nb 0,05" << "Note 2." << "Mechanical properties at room temperature" << 6803.0 << false;
    QTest::newRow("batch title") << "CreepProp" << 1 << true << "" << "Note 3."
                                 << "Creep properties     G1_1.0001" << 9071.0 << false;
}
// clang-format on

void tst_reports_batch::unboundTitleAndFooters()
{
    QFETCH(QString, key);
    QFETCH(int, material);
    QFETCH(bool, batch);
    QFETCH(QString, others);
    QFETCH(QString, notes);
    if (material == 2)
        m_mat = loadMaterial(2, 6);
    m_mdi->mCurrent = m_mat;
    m_mdi->blnBatchPrint = batch;
    m_mat->OthersText(others);
    m_mat->TableNotes(m_mdi->GetTableIndex(key), notes);
    prepare(key, table(2, 2), {1000, 1000, 1000});

    actRepUnBound report;
    report.ActiveReport_DataInitialize();

    const auto *title = report.section("ghTitle")->controls().item<ReportLabel>("lblTitle");
    QTEST(title->caption(), "title");
    QTEST(title->width(), "titleWidth");
    QCOMPARE(title->isVisible(), key != QLatin1String("ChemComp"));
    QTEST(report.section("gfOther")->isVisible(), "otherShown");
    if (report.section("gfOther")->isVisible())
        QCOMPARE(report.section("gfOther")->controls().item<ReportField>("txtOther")->text(), others);
    const bool notesShown = notes != QLatin1String("-") && !notes.isEmpty();
    QCOMPARE(report.section("gfNotes")->isVisible(), notesShown);
    QCOMPARE(report.section("gfNotes")->controls().item<ReportField>("txtNotes")->text(), notes);
}

void tst_reports_batch::unboundQueueOrderAndNoRows()
{
    // Each subreport takes the next key; a table without rows prints title and captions only.
    prepare(QStringLiteral("MechProp"), platform::XArray(1, 0, 0, 1), {1500, 1500});
    prepare(QStringLiteral("CreepProp"), table(1, 1), {1500, 1500});

    actRepUnBound first;
    first.run();
    QCOMPARE(first.tableKey(), QStringLiteral("MechProp"));
    const QString text = controls::TextExport::text(first.document());
    QVERIFY(text.contains(QStringLiteral("Mechanical properties at room temperature")));
    QVERIFY(text.contains(QStringLiteral("K1")));
    QVERIFY(!text.contains(QStringLiteral("Field")));

    actRepUnBound second;
    second.run();
    QCOMPARE(second.tableKey(), QStringLiteral("CreepProp"));
    QVERIFY(controls::TextExport::text(second.document()).contains(QStringLiteral("r1c1")));
    QVERIFY(m_mat->colUnBoundTablePrintList.isEmpty());
}

void tst_reports_batch::unboundCreepFromWindow_data()
{
    QTest::addColumn<bool>("windowOpen");
    QTest::newRow("window open") << true;
    // Batch printing closes the windows before the report runs.
    QTest::newRow("window closed") << false;
}

void tst_reports_batch::unboundCreepFromWindow()
{
    QFETCH(bool, windowOpen);
    auto window = std::make_unique<frmMaterial2>();
    window->SetMaterial(m_mat);
    window->ShowTable(QStringLiteral("CreepProp"));
    QCOMPARE(m_responder->count(), 0);
    if (!windowOpen)
        window.reset();
    m_mat->colUnBoundTablePrintList.add(QStringLiteral("CreepProp"));

    actRepUnBound report;
    report.run();

    QStringList detail;
    for (const auto &control : report.section("Detail")->controls())
        detail << control->name();
    QCOMPARE(detail, (QStringList{"Field0", "Field1", "Field3"}));
    const QString text = controls::TextExport::text(report.document());
    for (const char *expected : {"Creep properties", "Rm 10000", "Rp1 10000", "380", "229", "165", "400", "150"})
        QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
    QVERIFY(!text.contains(QStringLiteral("Rm 100000")));
    QCOMPARE(report.section("ghTitle")->controls().item("lblCaption3")->left(),
             report.section("Detail")->controls().item("Field3")->left());
}

// --- batch report ---------------------------------------------------------------------------------

void tst_reports_batch::batchLayout_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("detail");

    QTest::newRow("one material: no page break") << 1 << QStringList{"SubReport1@0,0,9921"};
    QTest::newRow("three materials: breaks between, none after the last")
        << 3
        << QStringList{"SubReport1@0,0,9921", "PageBreak1@0,283,1440", "SubReport2@0,283,9921", "PageBreak2@0,566,1440",
                       "SubReport3@0,566,9921"};
}

void tst_reports_batch::batchLayout()
{
    QFETCH(int, count);
    const QList<MaterialPtr> materials{m_mat, loadMaterial(2, 6), loadMaterial(3, 6)};
    for (int i = 0; i < count; ++i)
        m_mdi->colMaterials.add(materials.at(i), QString::number(materials.at(i)->ID()));
    actRepBatchPrint::colMaterialsBatch().add(materials.at(2)); // left over from an earlier run

    actRepBatchPrint report;
    report.ActiveReport_ReportStart();

    QTEST(placed(report, "Detail"), "detail");
    for (const auto &control : report.section("Detail")->controls())
        if (auto *sub = dynamic_cast<ReportSubReport *>(control.get()))
            QVERIFY(dynamic_cast<actRepMain *>(sub->report()));
    QCOMPARE(actRepBatchPrint::colMaterialsBatch().count(), count);
    for (int i = 1; i <= count; ++i)
        QCOMPARE(actRepBatchPrint::colMaterialsBatch().item(i), materials.at(i - 1));
    QCOMPARE(report.documentName(), QStringLiteral("Velkor_PED_MATERIALS_BATCH_PRINT"));
    auto &footer = report.section("PageFooter")->controls();
    QCOMPARE(footer.item<ReportLabel>("lblDocName")->caption(), report.documentName());
    QVERIFY(!footer.item<ReportField>("txtDateTime")->text().isEmpty());
}

void tst_reports_batch::batchPreviewNotMinimised()
{
    actRepBatchPrint report;
    controls::ReportPreview *preview = report.show(nullptr, false);
    QVERIFY(preview);
    report.setWindowState(1);
    QTRY_COMPARE(report.windowState(), 2);
    preview->close();
}

void tst_reports_batch::batchPdf()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed");
    const MaterialPtr second = loadMaterial(2, 6);
    std::vector<std::unique_ptr<frmMaterial2>> windows;
    for (const MaterialPtr &mat : {m_mat, second}) {
        windows.push_back(std::make_unique<frmMaterial2>());
        windows.back()->SetMaterial(mat);
        windows.back()->CheckTablesForRecords();
        for (int i = 0; i <= 13; ++i)
            mat->PrintTable(i, i <= 1);
        m_mdi->colMaterials.add(mat, QString::number(mat->ID()));
    }
    m_mdi->blnBatchPrint = true;

    actRepBatchPrint report;
    report.run();
    QVERIFY(actRepBatchPrint::colMaterialsBatch().isEmpty());
    QVERIFY(report.pageCount() >= 2);
    const QString target = m_dir.filePath(QStringLiteral("batch.pdf"));
    controls::PdfExport pdf;
    pdf.setFileName(target);
    report.exportReport(pdf);
    const QString text = runPdfToText(target);

    const qsizetype g1 = text.indexOf(QStringLiteral("1.0001"));
    const qsizetype g2 = text.indexOf(QStringLiteral("1.0002"));
    QVERIFY2(g1 >= 0 && g2 > g1, qPrintable(text));
    // The second material starts on a page of its own.
    QVERIFY(text.lastIndexOf(QLatin1Char('\f'), g2) > g1);
    QVERIFY(text.contains(QStringLiteral("0,20")));
    QVERIFY(text.contains(QStringLiteral("1,50")));
    QVERIFY(text.contains(QStringLiteral("Velkor_PED_MATERIALS_BATCH_PRINT")));
    QVERIFY2(text.contains(QRegularExpression(QStringLiteral("Page\\s+1\\s+of\\s+%1").arg(report.pageCount()))),
             qPrintable(text));
}

void tst_reports_batch::doBatchPrintUnloadsWindowsFirst()
{
    const MaterialPtr second = loadMaterial(2, 6);
    QList<QPointer<frmMaterial2>> windows;
    for (const MaterialPtr &mat : {m_mat, second}) {
        // As the search window opens them: deleted when closed.
        auto *frm = new frmMaterial2;
        frm->setAttribute(Qt::WA_DeleteOnClose);
        m_mdi->mdiArea()->addSubWindow(frm)->hide();
        frm->SetMaterial(mat);
        frm->iReportType = frmMaterial2::ReportType::Chart;
        windows << frm;
        m_mdi->colMaterials.add(mat, QString::number(mat->ID()));
    }
    m_mdi->iMaterialsOpen = 2;
    m_mdi->blnBatchPrint = true;

    int openWhenShown = -1;
    int pagesShown = -1;
    QList<bool> printed;
    m_responder->answerDialog([&](QDialog &dialog) {
        auto *preview = qobject_cast<controls::ReportPreview *>(&dialog);
        QVERIFY(preview);
        openWhenShown = m_mdi->iMaterialsOpen;
        pagesShown = preview->pageCount();
        for (int i = 0; i <= 13; ++i)
            printed << m_mat->PrintTable(i);
        preview->close();
    });
    m_mdi->DoBatchPrint();

    QCOMPARE(openWhenShown, 0);
    QVERIFY(pagesShown >= 2);
    // G1 has references, a composition and creep values only.
    QCOMPARE(printed, (QList<bool>{false, true, false, false, false, false, false, false, false, false, false, false,
                                   true, false}));
    QVERIFY(QApplication::overrideCursor() == nullptr);
    for (const auto &frm : windows)
        QTRY_VERIFY(frm.isNull());
}

void tst_reports_batch::doBatchPrintReportsFailure()
{
    // Without a database the bound Rp0,2 subreport cannot run.
    m_mat->PrintTable(4, true);
    m_mdi->colMaterials.add(m_mat, QStringLiteral("1"));
    m_mdi->blnBatchPrint = true;
    std::shared_ptr<db::Database> database;
    std::swap(database, modDBase::gMaterialDb);
    bool previewShown = false;
    m_responder->answerDialog([&](QDialog &dialog) {
        if (auto *preview = qobject_cast<controls::ReportPreview *>(&dialog)) {
            previewShown = true;
            preview->close();
        }
    });
    m_mdi->DoBatchPrint();
    std::swap(database, modDBase::gMaterialDb);

    QVERIFY(!previewShown);
    const auto messages = m_responder->messages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.at(0).icon(), int(platform::vbCritical));
    QVERIFY(messages.at(0).text.startsWith(QStringLiteral("Error no. ")));
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

// --- chart subreport -------------------------------------------------------------------------------

void tst_reports_batch::graphCopiesChart()
{
    frmMaterial2 window;
    window.SetMaterial(m_mat);
    controls::Chart *source = window.ShownChart();
    QVERIFY(source);
    platform::XArray data(1, 3, 1, 4);
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 4; ++c)
            data.setValue(r, c, r * 10 + c);
    source->setChartType(16);
    source->setChartData(data);
    source->setTitleText(QStringLiteral("Rp0,2 / MPa"));
    source->setAxisTitle(0, QStringLiteral("Temperature"));
    source->setAxisTitle(1, QStringLiteral("Stress"));
    source->setShowLegend(true);
    const QStringList labels{"T1", "t <= 16", "T2", "16 < t <= 40"};
    for (int c = 1; c <= 4; ++c) {
        source->setColumn(c);
        source->setColumnLabel(labels.at(c - 1));
    }

    actRepGraph report;
    report.run();
    controls::Chart *copy = report.section("GroupHeader1")->controls().item<controls::ReportChart>("MSChart1")->chart();
    QCOMPARE(copy->chartType(), 16);
    QCOMPARE(copy->chartData(), data);
    QCOMPARE(copy->titleText(), QStringLiteral("Rp0,2 / MPa"));
    QCOMPARE(copy->axisTitle(0), QStringLiteral("Temperature"));
    QCOMPARE(copy->axisTitle(1), QStringLiteral("Stress"));
    QVERIFY(copy->showLegend());
    QCOMPARE(copy->columnCount(), 4);
    QStringList copied;
    for (int c = 1; c <= 4; ++c) {
        copy->setColumn(c);
        copied << copy->columnLabel();
    }
    QCOMPARE(copied, labels);
    QCOMPARE(report.pageCount(), 1);
}

QTEST_MAIN(tst_reports_batch)
#include "tst_reports_batch.moc"
