// The material report's composition, header, save runs and the print and save dialogs, on a small
// material database made from the project's schema.

#include "AccessibleNames.h"
#include "controls/ReportControls.h"
#include "controls/ReportPreview.h"
#include "core/modDBase.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "db/SqlValues.h"
#include "material/Material.h"
#include "material/ReportCalls.h"
#include "material/frmMaterial2.h"
#include "platform/Environment.h"
#include "platform/MsgBox.h"
#include "platform/Twips.h"
#include "platform/VbConv.h"
#include "reports/actRepBatchPrint.h"
#include "reports/actRepBound.h"
#include "reports/actRepDesign.h"
#include "reports/actRepGraph.h"
#include "reports/actRepMain.h"
#include "reports/actRepUnBound.h"
#include "reports/frmSave.h"
#include "reports/frmSelData.h"
#include "shell/mdiVelkor.h"

#include "ProgramFixture.h"
#include "SchemaFixture.h"
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QHash>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using controls::ReportField;
using controls::ReportImage;
using controls::ReportLabel;
using controls::ReportSubReport;

namespace {

const QStringList GroupHeaders = {"ghChemComp",  "ghMechProp",  "ghElevated1", "ghElevated2", "ghElevated3",
                                  "ghCreepProp", "ghImpEnergy", "ghPhysProp1", "ghPhysProp2", "ghPhysProp3",
                                  "ghPhysProp4", "ghPhysProp5", "ghAddInfo"};

// Standard "EN 1" with material "G1" (1.0001), two composition elements and one Rp0,2 value; no
// impact energy.
const QStringList FixtureRows = {
    "INSERT INTO standard VALUES (5, 'EN 1', 'Plates for pressure purposes', '2007-12-01', 0)",
    "INSERT INTO materials VALUES (1, 'G1', '1.0001', 'Carbon steel', '1.1', '2008-06-01', 'EN 1', NULL, NULL, NULL)",
    "INSERT INTO Chemical VALUES ('EN 1', 'G1', '1.0001', 1, 'C', NULL, NULL)",
    "INSERT INTO Chemical VALUES ('EN 1', 'G1', '1.0001', 2, 'C', '0,20', NULL)",
    "INSERT INTO Rp02 VALUES (1, 100, '214', -1, 1)",
};

QString subReportClass(const controls::Report *report)
{
    if (!report)
        return {};
    if (dynamic_cast<const actRepUnBound *>(report))
        return QStringLiteral("actRepUnBound");
    if (dynamic_cast<const actRepBound *>(report))
        return QStringLiteral("actRepBound");
    if (dynamic_cast<const actRepDesign *>(report))
        return QStringLiteral("actRepDesign");
    if (dynamic_cast<const actRepGraph *>(report))
        return QStringLiteral("actRepGraph");
    return QStringLiteral("other");
}

// "control:class" of every subreport control holding a report, in section order.
QStringList heldSubReports(const controls::Report &report)
{
    QStringList held;
    for (int s = 0; s < report.sectionCount(); ++s)
        for (const auto &control : report.sectionAt(s)->controls())
            if (auto *sub = dynamic_cast<ReportSubReport *>(control.get()); sub && sub->report())
                held << sub->name() + QLatin1Char(':') + subReportClass(sub->report());
    return held;
}

QStringList visibleGroupHeaders(const controls::Report &report)
{
    QStringList visible;
    for (const QString &name : GroupHeaders)
        if (report.section(name)->isVisible())
            visible << name;
    return visible;
}

QStringList queue(const platform::Collection<QString> &collection)
{
    QStringList keys;
    for (const QString &key : collection)
        keys << key;
    return keys;
}

template <typename T>
T *control(const controls::Report &report, const QString &section, const QString &name)
{
    return report.section(section)->controls().item<T>(name);
}

} // namespace

class tst_reports_main : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    // Composition
    void tableSections_data();
    void tableSections();
    void chartAndDesignReports_data();
    void chartAndDesignReports();
    void headerFields();
    void productForms_data();
    void productForms();
    void batchCaptions();
    void pictures_data();
    void pictures();

    // Save runs and preview
    void saveRun_data();
    void saveRun();
    void failedExportIsReported();
    void failedRunEmptiesQueues();
    void pdfText();
    void minimisedPreviewComesBack();

    // Dialogs
    void selDataDisablesEmptyTables();
    void dialogsNamedForScreenReaders();
    void referencesStayTicked_data();
    void referencesStayTicked();
    void selDataSaveAndPrint_data();
    void selDataSaveAndPrint();
    void selDataCancelKeepsFlags();
    void fileMenuOpensSelData_data();
    void fileMenuOpensSelData();
    void saveFormatDialog_data();
    void saveFormatDialog();

private:
    void setFlags(const QList<int> &printed);
    // The text a status code shows.
    QString statusFor(int code);

    QTemporaryDir m_dir;
    testsupport::ProgramDatabase m_database;
    mdiVelkor *m_mdi = nullptr;
    MaterialPtr m_mat;
    std::unique_ptr<frmMaterial2> m_window;
    std::unique_ptr<platform::ScriptedResponder> m_responder;
    QHash<int, QString> m_statusTexts;
};

void tst_reports_main::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const QString path = m_dir.filePath(QStringLiteral("fixture.mdb"));
    QVERIFY(testsupport::buildSchemaDatabase(path, FixtureRows));
    QVERIFY(testsupport::openProgramDatabase(m_database, m_dir.path(), path));
    m_mdi = testsupport::makeMainWindow();
    for (int code : {5, 102, 103, 108, 109, 110, 112}) {
        m_mdi->ShowStatus(code);
        m_statusTexts.insert(code, m_mdi->StatusText());
    }
}

void tst_reports_main::cleanupTestCase()
{
    delete m_mdi;
    m_mdi = nullptr;
}

void tst_reports_main::init()
{
    m_responder = std::make_unique<platform::ScriptedResponder>();
    auto materials = modDBase::gMaterialDb->openRecordset(QStringLiteral("select * from materials where matID = 1"));
    auto standard = modDBase::gMaterialDb->openRecordset(QStringLiteral("select * from standard where stID = 5"));
    m_mat = std::make_shared<Material>();
    m_mat->SetProperties(*materials, *standard);
    m_window = std::make_unique<frmMaterial2>();
    m_window->SetMaterial(m_mat);
    m_mdi->mCurrent = m_mat;
    m_mdi->blnBatchPrint = false;
    m_mdi->ShowStatus(5);
    actRepMain::unloadDefault();
}

void tst_reports_main::cleanup()
{
    actRepMain::unloadDefault();
    m_mdi->mCurrent.reset();
    m_window.reset();
    m_mat.reset();
    m_responder.reset();
}

void tst_reports_main::setFlags(const QList<int> &printed)
{
    for (int i = 0; i <= 13; ++i)
        m_mat->PrintTable(i, printed.contains(i));
}

QString tst_reports_main::statusFor(int code)
{
    return m_statusTexts.value(code);
}

// --- composition -------------------------------------------------------------------------------

void tst_reports_main::tableSections_data()
{
    QTest::addColumn<QList<int>>("printed");
    QTest::addColumn<QString>("addInfo");
    QTest::addColumn<QStringList>("visible");
    QTest::addColumn<QStringList>("unbound");
    QTest::addColumn<QStringList>("bound");
    QTest::addColumn<QStringList>("held");

    QTest::newRow("references only") << QList<int>{0} << "Notes" << QStringList{} << QStringList{} << QStringList{}
                                     << QStringList{};
    QTest::newRow("creep and Rm without MechProp")
        << QList<int>{0, 6, 12} << "" << QStringList{"ghMechProp", "ghElevated1", "ghCreepProp"}
        << QStringList{"CreepProp"} << QStringList{"Rm"}
        << QStringList{"subRepElevated1:actRepBound", "subRepCreepProp:actRepUnBound"};
    QTest::newRow("all tables") << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13} << "Delivered normalised."
                                << GroupHeaders << QStringList{"ChemComp", "MechProp", "CreepProp"}
                                << QStringList{"Rp02",     "Rp10",      "Rm",           "ImpEnergy",  "ModElast",
                                               "ThermExp", "ThermCond", "SpecThermCap", "SpecElecRes"}
                                << QStringList{"subRepChemComp:actRepUnBound", "subRepMechProp:actRepUnBound",
                                               "subRepElevated1:actRepBound",  "subRepElevated2:actRepBound",
                                               "subRepElevated3:actRepBound",  "subRepCreepProp:actRepUnBound",
                                               "subRepImpEnergy:actRepBound",  "subRepPhysProp1:actRepBound",
                                               "subRepPhysProp2:actRepBound",  "subRepPhysProp3:actRepBound",
                                               "subRepPhysProp4:actRepBound",  "subRepPhysProp5:actRepBound"};
    QTest::newRow("SpecElecRes alone takes the first physical slot")
        << QList<int>{0, 11} << "" << QStringList{"ghPhysProp1"} << QStringList{} << QStringList{"SpecElecRes"}
        << QStringList{"subRepPhysProp1:actRepBound"};
    QTest::newRow("Rp10 and Rm fill the first two elevated slots")
        << QList<int>{0, 5, 6, 3} << "" << QStringList{"ghMechProp", "ghElevated1", "ghElevated2", "ghImpEnergy"}
        << QStringList{} << QStringList{"Rp10", "Rm", "ImpEnergy"}
        << QStringList{"subRepElevated1:actRepBound", "subRepElevated2:actRepBound", "subRepImpEnergy:actRepBound"};
    QTest::newRow("additional information ticked but empty")
        << QList<int>{0, 1, 13} << "" << QStringList{"ghChemComp"} << QStringList{"ChemComp"} << QStringList{}
        << QStringList{"subRepChemComp:actRepUnBound"};
    QTest::newRow("additional information with text")
        << QList<int>{0, 13} << "Delivered normalised." << QStringList{"ghAddInfo"} << QStringList{} << QStringList{}
        << QStringList{};
}

void tst_reports_main::tableSections()
{
    QFETCH(QList<int>, printed);
    QFETCH(QString, addInfo);
    setFlags(printed);
    m_mat->AddInfo(addInfo);

    actRepMain report;
    report.ActiveReport_ReportStart();

    QTEST(visibleGroupHeaders(report), "visible");
    QTEST(queue(m_mat->colUnBoundTablePrintList), "unbound");
    QTEST(queue(m_mat->colTablePrintList), "bound");
    QTEST(heldSubReports(report), "held");
    QCOMPARE(report.mMat, m_mat);
    QCOMPARE(control<ReportLabel>(report, "ghMechProp", "lblMechProp")->caption(),
             QStringLiteral("Mechanical Properties"));
    if (printed.contains(13) && !addInfo.isEmpty())
        QCOMPARE(control<ReportField>(report, "ghAddInfo", "txtAddInfo")->text(), addInfo);
    const auto *impact = report.section("ghImpEnergy")->controls().item<ReportSubReport>("subRepImpEnergy");
    if (auto *bound = dynamic_cast<actRepBound *>(impact->report()))
        QCOMPARE(bound->ParentReport, static_cast<controls::Report *>(&report));
}

// clang-format off
void tst_reports_main::chartAndDesignReports_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("held");
    QTest::addColumn<QString>("heading");

    QTest::newRow("chart") << 1 << "subRepMechProp:actRepGraph" << "Mechanical Properties";
    QTest::newRow("design values") << 2 << "subRepMechProp:actRepDesign" << "Design Values";
    QTest::newRow("any other type prints design values") << 3 << "subRepMechProp:actRepDesign" << "Design Values";
}
// clang-format on

void tst_reports_main::chartAndDesignReports()
{
    QFETCH(int, type);
    QFETCH(QString, held);
    QFETCH(QString, heading);
    setFlags({0, 1, 2, 3, 4, 13});
    m_mat->AddInfo(QStringLiteral("Delivered normalised."));
    m_window->iReportType = frmMaterial2::ReportType(type);

    actRepMain report;
    const QImage laidOut = control<ReportImage>(report, "ghMechProp", "imgIcon2")->picture();
    report.ActiveReport_ReportStart();

    QCOMPARE(heldSubReports(report), QStringList{held});
    QCOMPARE(visibleGroupHeaders(report), QStringList{"ghMechProp"});
    QCOMPARE(control<ReportLabel>(report, "ghMechProp", "lblMechProp")->caption(), heading);
    const QImage icon = control<ReportImage>(report, "ghMechProp", "imgIcon2")->picture();
    QCOMPARE(icon == control<ReportImage>(report, "ghMechProp", "imgIcon6")->picture(), type != 1);
    QCOMPARE(icon == laidOut, type == 1);
    QVERIFY(m_mat->colTablePrintList.isEmpty());
    QVERIFY(m_mat->colUnBoundTablePrintList.isEmpty());
}

void tst_reports_main::headerFields()
{
    setFlags({0});
    actRepMain report;
    report.ActiveReport_ReportStart();

    const QList<std::pair<QString, QString>> expected = {
        {"txtMatName", "G1"},
        {"txtMatNumber", "1.0001"},
        {"txtMatDesc", "Carbon steel"},
        {"txtMatGroup", "1.1"},
        {"txtRevDate", platform::cStr(QVariant(QDate(2008, 6, 1)))},
        {"txtStandName", "EN 1"},
        {"txtSRevDate", platform::cStr(QVariant(QDate(2007, 12, 1)))},
        {"txtStandDesc", "Plates for pressure purposes"},
        {"txtProdForm", ""},
    };
    for (const auto &[name, text] : expected)
        QCOMPARE(control<ReportField>(report, "ReportHeader", name)->text(), text);
    QVERIFY(!control<ReportField>(report, "ReportHeader", "txtDateTime")->text().isEmpty());
    QCOMPARE(report.caption(), QStringLiteral("Name : G1 Number : 1.0001 Standard : EN 1"));
    QCOMPARE(report.documentName(), QStringLiteral("Velkor_PED_G1_1.0001"));
    QCOMPARE(control<ReportLabel>(report, "PageFooter", "lblDocName")->caption(), report.documentName());
    QVERIFY(!control<ReportLabel>(report, "PageFooter", "lblCopyright")->caption().isEmpty());
    QCOMPARE(control<ReportLabel>(report, "ReportHeader", "lblVelkor")->caption(), QStringLiteral("     elkor-PED"));
}

void tst_reports_main::productForms_data()
{
    QTest::addColumn<QStringList>("forms");
    QTest::addColumn<QString>("text");
    QTest::newRow("one") << QStringList{"Plate"} << "Plate.";
    QTest::newRow("three in array order") << QStringList{"Plate", "Strip", "Bar"} << "Plate, Strip, Bar.";
}

void tst_reports_main::productForms()
{
    QFETCH(QStringList, forms);
    platform::VbArray<QString> array;
    array.redim(0, int(forms.size()) - 1);
    for (int i = 0; i < forms.size(); ++i)
        array[i] = forms[i];
    m_mat->ProductForms(array);
    setFlags({0});

    actRepMain report;
    report.ActiveReport_ReportStart();
    QTEST(control<ReportField>(report, "ReportHeader", "txtProdForm")->text(), "text");
}

void tst_reports_main::batchCaptions()
{
    // The batch takes its material from its own collection and makes it the current one.
    auto other = std::make_shared<Material>();
    other->MyForm(m_window.get());
    m_mdi->mCurrent = other;
    m_mdi->blnBatchPrint = true;
    actRepBatchPrint::colMaterialsBatch().clear();
    actRepBatchPrint::colMaterialsBatch().add(m_mat);
    setFlags({0, 1, 3, 11, 13});
    m_mat->AddInfo(QStringLiteral("Delivered normalised."));

    actRepMain report;
    report.ActiveReport_ReportStart();
    m_mdi->blnBatchPrint = false;

    QCOMPARE(report.mMat, m_mat);
    QCOMPARE(m_mdi->mCurrent, m_mat);
    QVERIFY(actRepBatchPrint::colMaterialsBatch().isEmpty());
    QCOMPARE(control<ReportLabel>(report, "ghChemComp", "lblChemComp")->caption(),
             QStringLiteral("Chemical Composition     G1_1.0001"));
    QCOMPARE(control<ReportLabel>(report, "ghImpEnergy", "lblImpEnergy")->caption(),
             QStringLiteral("Impact Energy     G1_1.0001"));
    QCOMPARE(control<ReportLabel>(report, "ghAddInfo", "lblAddInfo")->caption(),
             QStringLiteral("Additional Information...     G1_1.0001"));
    QCOMPARE(control<ReportLabel>(report, "ghMechProp", "lblMechProp")->caption(),
             QStringLiteral("Mechanical Properties"));
    QCOMPARE(control<ReportLabel>(report, "ghPhysProp1", "lblPhysProp")->caption(),
             QStringLiteral("Physical Properties"));
}

void tst_reports_main::pictures_data()
{
    QTest::addColumn<bool>("save");
    QTest::addColumn<int>("format");
    QTest::addColumn<bool>("headerPictures");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("sectionIcons");

    QTest::newRow("preview") << false << 1 << true << "     elkor-PED" << true;
    QTest::newRow("pdf") << true << 0 << true << "     elkor-PED" << false;
    QTest::newRow("rtf") << true << 1 << false << "Velkor-PED" << false;
    QTest::newRow("text") << true << 2 << false << "Velkor-PED" << false;
}

void tst_reports_main::pictures()
{
    QFETCH(bool, save);
    QFETCH(int, format);
    QFETCH(bool, sectionIcons);
    setFlags({0, 1, 2, 3, 7, 13});
    m_mat->AddInfo(QStringLiteral("Delivered normalised."));

    actRepMain report;
    report.blnSave = save;
    report.iExpFileType = exportformat::Type(format);
    report.ActiveReport_ReportStart();

    auto *icon = control<ReportImage>(report, "ReportHeader", "imgVelkor");
    QTEST(icon->isVisible(), "headerPictures");
    QVERIFY(!icon->picture().isNull());
    QTEST(control<ReportImage>(report, "ReportHeader", "Image1")->isVisible(), "headerPictures");
    QTEST(control<ReportLabel>(report, "ReportHeader", "lblVelkor")->caption(), "title");
    const QList<std::pair<QString, QString>> icons = {{"ghChemComp", "imgIcon1"},
                                                      {"ghMechProp", "imgIcon2"},
                                                      {"ghImpEnergy", "imgIcon3"},
                                                      {"ghPhysProp1", "imgIcon4"},
                                                      {"ghAddInfo", "imgIcon5"}};
    for (const auto &[section, name] : icons)
        QCOMPARE(control<ReportImage>(report, section, name)->isVisible(), sectionIcons);
    QVERIFY(!control<ReportImage>(report, "ghMechProp", "imgIcon6")->isVisible());
}

// --- save runs ----------------------------------------------------------------------------------

// clang-format off
void tst_reports_main::saveRun_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<bool>("fromChart");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("proposed");
    QTest::addColumn<QString>("filter");

    QTest::newRow("pdf") << 0 << false << false << "c:\\G1.pdf" << "Portable Document Format (*.pdf)|*.pdf";
    QTest::newRow("rtf") << 1 << false << false << "c:\\G1.rtf" << "Rich Text Format (*.rtf)|*.rtf";
    QTest::newRow("text from the chart window")
        << 2 << true << false << "c:\\G1.txt" << "Text Format (*.txt)|*.txt";
    QTest::newRow("cancelled") << 0 << false << true << "c:\\G1.pdf" << "Portable Document Format (*.pdf)|*.pdf";
    QTest::newRow("cancelled from the chart window")
        << 1 << true << true << "c:\\G1.rtf" << "Rich Text Format (*.rtf)|*.rtf";
}
// clang-format on

void tst_reports_main::saveRun()
{
    QFETCH(int, format);
    QFETCH(bool, fromChart);
    QFETCH(bool, cancel);
    setFlags({0, 13});
    m_mat->AddInfo(QStringLiteral("Delivered normalised."));
    const QString remembered = m_mdi->StatusText();
    const QString target = m_dir.filePath(QStringLiteral("saved%1").arg(QTest::currentDataTag()));
    if (cancel)
        m_responder->cancelFile();
    else
        m_responder->answerFile(target);

    actRepMain *report = &actRepMain::defaultInstance();
    report->blnSave = true;
    report->blnfrmChart = fromChart;
    report->iExpFileType = exportformat::Type(format);
    report->run();

    // The name is typed without an extension; the format's is added.
    const QString saved = target + QStringList{".pdf", ".rtf", ".txt"}.at(format);
    QCOMPARE(m_responder->count(), cancel ? 1 : 2);
    const auto &dialog = m_responder->interactions().at(0);
    QCOMPARE(dialog.kind, platform::ScriptedResponder::Interaction::File);
    QCOMPARE(dialog.file.kind, platform::FileDialogRequest::Save);
    QTEST(dialog.file.fileName, "proposed");
    QCOMPARE(dialog.file.initialDir, QStringLiteral("c:\\"));
    QTEST(dialog.file.filter, "filter");
    if (!cancel) {
        QCOMPARE(m_responder->messages().at(0).text, saved);
        QCOMPARE(m_responder->messages().at(0).buttons(), int(platform::vbOKOnly));
    }
    QCOMPARE(QFile::exists(saved), !cancel);
    QCOMPARE(m_mdi->StatusText(), fromChart ? statusFor(108) : remembered);

    // The save run unloaded the report: the next use starts afresh.
    actRepMain &next = actRepMain::defaultInstance();
    QVERIFY(&next != report);
    QVERIFY(!next.blnSave);
    QVERIFY(!next.blnfrmChart);
}

void tst_reports_main::failedExportIsReported()
{
    setFlags({0});
    const QString target = m_dir.filePath(QStringLiteral("missing/folder/G1.pdf"));
    m_responder->answerFile(target);
    actRepMain &report = actRepMain::defaultInstance();
    report.blnSave = true;
    report.run();

    const auto messages = m_responder->messages();
    QCOMPARE(messages.size(), 2);
    QCOMPARE(messages.at(0).text, target);
    QCOMPARE(messages.at(1).icon(), int(platform::vbCritical));
    QVERIFY(!QFile::exists(target));
}

void tst_reports_main::failedRunEmptiesQueues()
{
    // The composition queues both tables; the database goes away before their subreports read it.
    setFlags({0, 1, 4, 12});
    auto database = modDBase::gMaterialDb;
    modDBase::gMaterialDb.reset();
    m_responder->cancelFile();
    reportcalls::RunMainReportToPdf(false);
    modDBase::gMaterialDb = database;
    QCOMPARE(m_responder->count(), 1);
    QCOMPARE(m_responder->messages().at(0).icon(), int(platform::vbCritical));
    // Keys left behind would go to the subreports of the next report of this material.
    QVERIFY(m_mat->colTablePrintList.isEmpty());
    QVERIFY(m_mat->colUnBoundTablePrintList.isEmpty());
}

void tst_reports_main::pdfText()
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        QSKIP("pdftotext is not installed");
    platform::VbArray<QString> forms;
    forms.redim(0, 1);
    forms[0] = QStringLiteral("Plate");
    forms[1] = QStringLiteral("Strip");
    m_mat->ProductForms(forms);
    m_mat->AddInfo(QStringLiteral("Delivered normalised."));
    const QString target = m_dir.filePath(QStringLiteral("G1.pdf"));
    m_responder->answerFile(target);

    // Every table with data stays ticked: references, composition and Rp0,2.
    frmSelData dialog;
    dialog.Form_Load();
    dialog.chkData[13]->setEnabled(true);
    dialog.chkData[13]->setChecked(true);
    dialog.cmdSavePrint->setText(QStringLiteral("Save..."));
    dialog.cmdSavePrint_Click();
    QVERIFY(QFile::exists(target));

    QProcess process;
    process.start(pdftotext, {QStringLiteral("-layout"), target, QStringLiteral("-")});
    QVERIFY(process.waitForFinished(30000));
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    for (const char *expected : {"elkor-PED",
                                 "Material",
                                 "Name",
                                 "G1",
                                 "Number",
                                 "1.0001",
                                 "Description",
                                 "Carbon steel",
                                 "Group",
                                 "Rev. Date",
                                 "Standard",
                                 "EN 1",
                                 "Product Form(s)",
                                 "Plate, Strip.",
                                 "Plates for pressure purposes",
                                 "Chemical Composition",
                                 "Mechanical Properties",
                                 "214",
                                 "Additional Information...",
                                 "Delivered normalised.",
                                 "Page",
                                 "Velkor_PED_G1_1.0001"})
        QVERIFY2(text.contains(QString::fromLatin1(expected)), expected);
    QVERIFY(!text.contains(QStringLiteral("Impact Energy")));
    QVERIFY(!text.contains(QStringLiteral("Physical Properties")));
    QVERIFY(m_mat->colTablePrintList.isEmpty());
    QVERIFY(m_mat->colUnBoundTablePrintList.isEmpty());
}

void tst_reports_main::minimisedPreviewComesBack()
{
    setFlags({0});
    actRepMain report;
    controls::ReportPreview *preview = report.show(nullptr, false);
    QVERIFY(preview);
    QCOMPARE(m_mdi->StatusText(), statusFor(110));
    report.setWindowState(1);
    QCOMPARE(report.windowState(), 0);
    preview->close();
}

// --- dialogs ------------------------------------------------------------------------------------

void tst_reports_main::selDataDisablesEmptyTables()
{
    frmSelData dialog;
    dialog.Form_Load();
    QCOMPARE(dialog.mMaterial, m_mat);
    // The fixture has composition and Rp0,2 values only.
    for (int i = 0; i <= 13; ++i) {
        const bool hasData = i == 0 || i == 1 || i == 4;
        QCOMPARE(dialog.chkData[i]->isEnabled(), hasData);
        QCOMPARE(dialog.chkData[i]->isChecked(), hasData);
    }
    QCOMPARE(dialog.chkData[3]->text(), QStringLiteral("Impact Energy"));
    QVERIFY(qAbs(platform::leftTwips(&dialog) - 5000) < 15);
    QVERIFY(qAbs(platform::topTwips(&dialog) - 3000) < 15);
    QVERIFY(dialog.optFormat[0]->isChecked());
    QCOMPARE(dialog.optFormat[1]->toolTip(), QStringLiteral("Rich Text Format"));
}

// The report's dialogs and its preview name every control a user reaches by keyboard.
void tst_reports_main::dialogsNamedForScreenReaders()
{
    QStringList unnamed;
    frmSelData data;
    data.Form_Load();
    unnamed << testsupport::unnamedControls(&data);
    frmSave save;
    unnamed << testsupport::unnamedControls(&save);
    setFlags({0});
    actRepMain report;
    controls::ReportPreview *preview = report.show(nullptr, false);
    QVERIFY(preview);
    unnamed << testsupport::unnamedControls(preview);
    preview->close();
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1String(", "))));
}

void tst_reports_main::referencesStayTicked_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("mouse click") << "click";
    QTest::newRow("space key") << "key";
    QTest::newRow("unticked from outside") << "setChecked";
    QTest::newRow("screen reader's toggle") << "toggleAction";
}

// However a tick changes, the references box stays ticked and the others follow the user.
void tst_reports_main::referencesStayTicked()
{
    QFETCH(QString, how);
    frmSelData dialog;
    dialog.Form_Load();
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto untick = [&](QCheckBox *box) {
        if (how == QLatin1String("click")) {
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2)); // on the tick
        } else if (how == QLatin1String("key")) {
            QTest::keyClick(box, Qt::Key_Space);
        } else if (how == QLatin1String("setChecked")) {
            box->setChecked(false);
        } else {
            QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(box);
            accessible->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        }
    };
    untick(dialog.chkData[0]);
    QVERIFY(dialog.chkData[0]->isChecked());
    untick(dialog.chkData[1]);
    QVERIFY(!dialog.chkData[1]->isChecked());
    dialog.chkData[1]->click();
    QVERIFY(dialog.chkData[1]->isChecked());
}

void tst_reports_main::selDataSaveAndPrint_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("option");
    QTest::addColumn<QString>("filter"); // empty: a preview, no file dialog

    QTest::newRow("save unchanged is pdf") << "Save..." << 0 << "Portable Document Format (*.pdf)|*.pdf";
    QTest::newRow("save rtf") << "Save..." << 1 << "Rich Text Format (*.rtf)|*.rtf";
    QTest::newRow("save text") << "Save..." << 2 << "Text Format (*.txt)|*.txt";
    QTest::newRow("print ignores the format") << "Print/Preview..." << 2 << "";
}

void tst_reports_main::selDataSaveAndPrint()
{
    QFETCH(QString, button);
    QFETCH(int, option);
    QFETCH(QString, filter);
    const QString remembered = m_mdi->StatusText();

    frmSelData dialog;
    dialog.Form_Load();
    dialog.cmdSavePrint->setText(button);
    dialog.optFormat[option]->setChecked(true);
    dialog.chkData[4]->setChecked(false);
    m_responder->cancelFile();
    bool previewed = false;
    if (filter.isEmpty()) {
        m_responder->answerDialog([&](QDialog &dialog) {
            if (auto *preview = qobject_cast<controls::ReportPreview *>(&dialog)) {
                previewed = true;
                preview->close();
            }
        });
    }
    dialog.cmdSavePrint_Click();

    QVERIFY(dialog.Unloaded());
    for (int i = 0; i <= 13; ++i)
        QCOMPARE(m_mat->PrintTable(i), i == 0 || i == 1);
    if (filter.isEmpty()) {
        QVERIFY(previewed);
        QCOMPARE(m_responder->count(), 0);
    } else {
        QCOMPARE(m_responder->count(), 1);
        QCOMPARE(m_responder->interactions().at(0).file.filter, filter);
    }
    QCOMPARE(m_mdi->StatusText(), remembered);
    QVERIFY(m_mat->colUnBoundTablePrintList.isEmpty());
    QVERIFY(m_mat->colTablePrintList.isEmpty());
}

void tst_reports_main::selDataCancelKeepsFlags()
{
    setFlags({0, 3, 5});
    frmSelData dialog;
    dialog.Form_Load();
    m_mdi->ShowStatus(112);
    dialog.cmdCancel_Click();
    QVERIFY(dialog.Unloaded());
    for (int i = 0; i <= 13; ++i)
        QCOMPARE(m_mat->PrintTable(i), i == 0 || i == 3 || i == 5);
    QCOMPARE(m_mdi->StatusText(), statusFor(5));
    QCOMPARE(m_responder->count(), 0);
}

// clang-format off
void tst_reports_main::fileMenuOpensSelData_data()
{
    QTest::addColumn<int>("item");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("formats");
    QTest::addColumn<int>("status");

    QTest::newRow("save") << 2 << "Save G1 As Text File - Select Data..." << "Save..." << true << 103;
    QTest::newRow("print") << 3 << "Print G1 - Select Data..." << "Print/Preview..." << false << 102;
}
// clang-format on

void tst_reports_main::fileMenuOpensSelData()
{
    QFETCH(int, item);
    QFETCH(int, status);
    const QString expectedStatus = statusFor(status);
    m_window->iReportType = frmMaterial2::ReportType::DesignValues;
    bool shown = false;
    m_responder->answerDialog([&](QDialog &dialog) {
        auto *selData = qobject_cast<frmSelData *>(&dialog);
        QVERIFY(selData);
        shown = true;
        QTEST(selData->windowTitle(), "caption");
        QTEST(selData->cmdSavePrint->text(), "button");
        QTEST(!selData->framSave->isHidden(), "formats");
        QVERIFY(qAbs(platform::topTwips(selData) - 1500) < 15);
        QVERIFY(qAbs(platform::leftTwips(selData) - 5000) < 15);
        QCOMPARE(m_mdi->StatusText(), expectedStatus);
        selData->cmdCancel_Click();
    });
    // On a screen that holds it the dialog keeps its place.
    platform::setAvailableScreenOverride(QRect(0, 0, 1280, 1024));
    m_mdi->mnuFileElem_Click(qint16(item));
    platform::setAvailableScreenOverride(QRect());
    QVERIFY(shown);
    QCOMPARE(m_window->iReportType, frmMaterial2::ReportType::Full);
}

void tst_reports_main::saveFormatDialog_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("option");
    QTest::addColumn<int>("reportType");
    QTest::addColumn<QString>("filter");

    QTest::newRow("save pdf") << 0 << 0 << 2 << "Portable Document Format (*.pdf)|*.pdf";
    QTest::newRow("save text") << 0 << 2 << 2 << "Text Format (*.txt)|*.txt";
    QTest::newRow("cancel") << 1 << 1 << 0 << "";
}

void tst_reports_main::saveFormatDialog()
{
    QFETCH(int, button);
    QFETCH(int, option);
    QFETCH(QString, filter);
    QFETCH(int, reportType);
    m_window->ShowTable(QStringLiteral("Design"));
    m_window->txtDesignTemp->setText(QStringLiteral("100"));
    const QString remembered = m_mdi->StatusText();
    m_window->iReportType = frmMaterial2::ReportType::DesignValues;
    m_responder->cancelFile();
    bool shown = false;
    m_responder->answerDialog([&](QDialog &dialog) {
        auto *save = qobject_cast<frmSave *>(&dialog);
        QVERIFY(save);
        shown = true;
        QCOMPARE(save->windowTitle(), QStringLiteral("Save Design Values..."));
        QCOMPARE(m_mdi->StatusText(), statusFor(109));
        QVERIFY(save->optFormat[0]->isChecked());
        save->optFormat[option]->setChecked(true);
        save->cmdSave_Click(button);
        QVERIFY(save->Unloaded());
    });
    reportcalls::ShowSaveFormatDialog(QStringLiteral("Save Design Values..."));

    QVERIFY(shown);
    QCOMPARE(int(m_window->iReportType), reportType);
    if (filter.isEmpty()) {
        QCOMPARE(m_responder->count(), 0);
    } else {
        QCOMPARE(m_responder->count(), 1);
        QCOMPARE(m_responder->interactions().at(0).file.filter, filter);
    }
    QCOMPARE(m_mdi->StatusText(), remembered);
}

QTEST_MAIN(tst_reports_main)
#include "tst_reports_main.moc"
