// Reports of demo grades as a user prints and saves them: the design values of a grade whose design
// table is wider than the paper, and a full material report through its three export formats.
// The written files stay in the folder named by VELKOR_REPORT_OUT (default: a temporary folder).

#include "core/mdiVelkor.h"
#include "core/modDBase.h"
#include "controls/ReportExport.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "db/SqlValues.h"
#include "material/Material.h"
#include "material/frmMaterial2.h"
#include "platform/Environment.h"
#include "platform/MsgBox.h"
#include "reports/actRepMain.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using controls::PageItem;
using controls::ReportDocument;

class tst_reports_demo : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();

    void designValuesStayOnThePaper();

private:
    // Opens the grade in a window that has shown every table, as the print dialog expects.
    void open(const QString &name, const QString &standard);
    // Runs the material report and writes it in the format (0 PDF, 1 RTF, 2 text).
    QString write(actRepMain &report, const QString &base, int format);

    QTemporaryDir m_dir;
    QString m_out;
    mdiVelkor *m_mdi = nullptr;
    MaterialPtr m_mat;
    std::unique_ptr<frmMaterial2> m_window;
    std::unique_ptr<platform::ScriptedResponder> m_responder;
};

void tst_reports_demo::initTestCase()
{
    const QString path = QStringLiteral(VELKOR_BIN_DIR "/Velkor_PED.mdb");
    if (!QFile::exists(path))
        QSKIP("the demo database has not been built");
    QVERIFY(m_dir.isValid());
    m_out = qEnvironmentVariable("VELKOR_REPORT_OUT", m_dir.path());
    QDir().mkpath(m_out);
    qputenv("APPDATA", m_dir.path().toLocal8Bit());
    platform::setProgramFolder(m_dir.path());
    platform::setExeName(QStringLiteral("Velkor_PED"));
    modDBase::gMaterialDb = db::Database::open(path, false, true, QStringLiteral(";Pwd=quzmal"));
    QVERIFY(modDBase::gMaterialDb && modDBase::gMaterialDb->isOpen());
    m_mdi = new mdiVelkor;
    m_mdi->SetStatus();
    m_mdi->InitTableNames();
}

void tst_reports_demo::cleanupTestCase()
{
    delete m_mdi;
    if (modDBase::gMaterialDb)
        modDBase::gMaterialDb->close();
    modDBase::gMaterialDb.reset();
}

void tst_reports_demo::cleanup()
{
    if (m_mdi)
        m_mdi->mCurrent.reset();
    m_window.reset();
    m_mat.reset();
    m_responder.reset();
}

void tst_reports_demo::open(const QString &name, const QString &standard)
{
    m_responder = std::make_unique<platform::ScriptedResponder>();
    auto materials = modDBase::gMaterialDb->openRecordset(
        QStringLiteral("select * from materials where name = '%1' and standard = '%2'")
            .arg(db::quoteText(name), db::quoteText(standard)));
    QVERIFY(!materials->eof());
    auto std = modDBase::gMaterialDb->openRecordset(
        QStringLiteral("select * from standard where standard = '%1'").arg(db::quoteText(standard)));
    m_mat = std::make_shared<Material>();
    m_mat->SetProperties(*materials, *std);
    m_window = std::make_unique<frmMaterial2>();
    m_window->SetMaterial(m_mat);
    m_mdi->mCurrent = m_mat;
    for (int i = 0; i <= 13; ++i)
        m_window->ShowTable(m_mdi->GetShortTableName(i));
    for (int i = 0; i <= 13; ++i)
        m_mat->PrintTable(i, m_mat->TableHasData(m_mdi->GetShortTableName(i)) || i == 0);
}

QString tst_reports_demo::write(actRepMain &report, const QString &base, int format)
{
    std::unique_ptr<controls::ReportExportFilter> filter;
    if (format == 0)
        filter = std::make_unique<controls::PdfExport>();
    else if (format == 1)
        filter = std::make_unique<controls::RtfExport>();
    else
        filter = std::make_unique<controls::TextExport>();
    const QString file = QDir(m_out).filePath(base + QStringList{".pdf", ".rtf", ".txt"}.at(format));
    filter->setFileName(file);
    report.exportReport(*filter);
    return file;
}

void tst_reports_demo::designValuesStayOnThePaper()
{
    open(QStringLiteral("P265GH"), QStringLiteral("EN 10028-2"));
    m_window->ShowTable(QStringLiteral("Design"));
    m_window->txtDesignTemp->setText(QStringLiteral("100"));
    const platform::XArray design = m_window->xDesignDB;
    QVERIFY2(design.upperBound(2) >= 8, "the grade's design table should be wider than the paper");
    m_window->iReportType = 2;

    actRepMain report;
    report.run(true);
    write(report, QStringLiteral("P265GH_design"), 0);
    QCOMPARE(m_responder->count(), 0);

    const ReportDocument &document = report.document();
    const double edge = document.leftMargin + document.printWidth;
    QStringList printed;
    for (const auto &page : document.pages) {
        for (const PageItem &item : page.items) {
            QVERIFY2(item.rect.right() <= edge + 0.5, qPrintable(item.text));
            printed << item.text;
        }
    }
    // Every heading and value of the array is on the paper.
    for (int r = 1; r <= design.upperBound(1); ++r) {
        for (int c = 1; c <= design.upperBound(2); ++c) {
            const QString text = design.value(r, c).toString();
            if (!text.trimmed().isEmpty())
                QVERIFY2(printed.contains(text), qPrintable(QStringLiteral("row %1 column %2: %3").arg(r).arg(c).arg(text)));
        }
    }
}

QTEST_MAIN(tst_reports_demo)
#include "tst_reports_demo.moc"
