// Reports of demo grades as a user prints and saves them: the design values of a grade whose design
// table is wider than the paper, a full material report through its three export formats, and the
// pictures each saved file carries.
// The written files stay in the folder named by VELKOR_REPORT_OUT (default: a temporary folder).

#include "controls/ReportExport.h"
#include "core/modDBase.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "db/SqlValues.h"
#include "material/Material.h"
#include "material/frmMaterial2.h"
#include "platform/Environment.h"
#include "platform/MsgBox.h"
#include "reports/actRepBatchPrint.h"
#include "reports/actRepMain.h"
#include "shell/mdiVelkor.h"

#include "PrivateCopy.h"
#include "ProgramFixture.h"
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
    void chartPrintsAsPicture();
    void headingsStayWithTheirRows_data();
    void headingsStayWithTheirRows();
    void batchRepeatsHeadings();
    void savedFilePictures_data();
    void savedFilePictures();

private:
    // Opens the grade in a window that has shown every table, as the print dialog expects.
    void open(const QString &name, const QString &standard);
    // Runs the material report and writes it in the format (0 PDF, 1 RTF, 2 text).
    QString write(actRepMain &report, const QString &base, int format);

    QTemporaryDir m_dir;
    testsupport::ProgramDatabase m_database;
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
    const QString copy = testsupport::privateCopy(path, m_dir.path());
    QVERIFY(!copy.isEmpty());
    QVERIFY(
        testsupport::openProgramDatabase(m_database, m_dir.path(), copy, QStringLiteral(";Pwd=" VELKOR_DB_PASSWORD)));
    m_mdi = testsupport::makeMainWindow();
}

void tst_reports_demo::cleanupTestCase()
{
    delete m_mdi;
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
    m_window->iReportType = frmMaterial2::ReportType::DesignValues;

    actRepMain report;
    report.run();
    for (int format = 0; format <= 2; ++format)
        write(report, QStringLiteral("P265GH_design"), format);
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
                QVERIFY2(printed.contains(text),
                         qPrintable(QStringLiteral("row %1 column %2: %3").arg(r).arg(c).arg(text)));
        }
    }
}

void tst_reports_demo::chartPrintsAsPicture()
{
    open(QStringLiteral("P265GH"), QStringLiteral("EN 10028-2"));
    m_window->ShowTable(QStringLiteral("Rp02"));
    m_window->iReportType = frmMaterial2::ReportType::Chart;
    actRepMain report;
    report.run();
    const QString pdf = write(report, QStringLiteral("P265GH_chart"), 0);
    QFile rtf(write(report, QStringLiteral("P265GH_chart"), 1));
    QVERIFY(rtf.open(QIODevice::ReadOnly));
    const QByteArray bytes = rtf.readAll();
    // The chart is the largest of the PNG pictures, at least as large as on the screen.
    QSize largest;
    for (qsizetype at = bytes.indexOf("{\\pict\\pngblip"); at >= 0; at = bytes.indexOf("{\\pict\\pngblip", at + 1)) {
        const qsizetype data = bytes.indexOf("\r\n", at) + 2;
        QByteArray hex = bytes.mid(data, bytes.indexOf('}', data) - data);
        hex.replace("\r\n", "");
        QImage picture;
        QVERIFY(picture.loadFromData(QByteArray::fromHex(hex), "PNG"));
        if (picture.width() > largest.width())
            largest = picture.size();
    }
    QVERIFY2(largest.width() > 600 && largest.height() > 300,
             qPrintable(QStringLiteral("%1x%2").arg(largest.width()).arg(largest.height())));
    QVERIFY(QFile::exists(pdf));
}

// clang-format off
void tst_reports_demo::headingsStayWithTheirRows_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("standard");
    QTest::newRow("P265GH plate") << "P265GH" << "EN 10028-2";
    QTest::newRow("16Mo3 plate") << "16Mo3" << "EN 10028-2";
    QTest::newRow("X6CrNiTi18-10 plate") << "X6CrNiTi18-10" << "EN 10028-7";
}
// clang-format on

void tst_reports_demo::headingsStayWithTheirRows()
{
    QFETCH(QString, name);
    QFETCH(QString, standard);
    open(name, standard);
    m_window->iReportType = frmMaterial2::ReportType::Full;

    actRepMain report;
    report.run();
    for (int format = 0; format <= 2; ++format)
        write(report, name + QStringLiteral("_full"), format);
    QCOMPARE(m_responder->count(), 0);

    QStringList titles;
    for (int i = 1; i <= 12; ++i)
        titles << m_mdi->GetTableName(i);
    const ReportDocument &document = report.document();
    QVERIFY(document.pages.size() > 1);
    int seen = 0;
    for (int p = 0; p < document.pages.size(); ++p) {
        const auto &items = document.pages.at(p).items;
        for (const PageItem &title : items) {
            if (!titles.contains(title.text))
                continue;
            ++seen;
            // A table's title has at least one bordered cell of its table below it on its page.
            const bool rowBelow = std::any_of(items.cbegin(), items.cend(), [&](const PageItem &cell) {
                return cell.rect.top() > title.rect.bottom() - 1 && cell.border.topStyle + cell.border.bottomStyle > 0;
            });
            QVERIFY2(rowBelow, qPrintable(QStringLiteral("page %1: %2").arg(p + 1).arg(title.text)));
        }
    }
    QVERIFY(seen > 3);

    // Each page of the text ends with its footer, never inside a table.
    QFile text(QDir(m_out).filePath(name + QStringLiteral("_full.txt")));
    QVERIFY(text.open(QIODevice::ReadOnly));
    const QStringList pages = QString::fromUtf8(text.readAll()).split(QLatin1Char('\f'));
    QCOMPARE(pages.size(), document.pages.size());
    for (int p = 0; p < pages.size(); ++p) {
        const QStringList lines = pages.at(p).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QVERIFY2(lines.last().contains(QStringLiteral("Page %1 of %2").arg(p + 1).arg(pages.size())),
                 qPrintable(lines.last()));
    }

    // A word processor finds the tables and the pictured headings as text.
    const QString rtf = QDir(m_out).filePath(name + QStringLiteral("_full.rtf"));
    QProcess pandoc;
    pandoc.start(QStringLiteral("pandoc"),
                 {QStringLiteral("-f"), QStringLiteral("rtf"), QStringLiteral("-t"), QStringLiteral("native"), rtf});
    if (!pandoc.waitForFinished(60000) || pandoc.exitCode() != 0)
        QSKIP("pandoc is not installed");
    const QString native = QString::fromUtf8(pandoc.readAllStandardOutput());
    QVERIFY(native.count(QRegularExpression(QStringLiteral("\\bTable\\s+\\("))) >= seen);
    // β as pandoc writes it.
    if (m_mat->TableHasData(QStringLiteral("ThermExp")))
        QVERIFY(native.contains(QStringLiteral("Str \"\\946")));

    // A second word processor, where one is installed.
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        return;
    QProcess convert;
    convert.start(soffice, {QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("pdf"),
                            QStringLiteral("--outdir"), m_dir.filePath(QStringLiteral("office")), rtf});
    QVERIFY(convert.waitForFinished(120000));
    QVERIFY(QFile::exists(m_dir.filePath(QStringLiteral("office/") + name + QStringLiteral("_full.pdf"))));
}

// The batch of the first 30 demo grades read back from its PDF: a table that continues on the next
// page starts that page with its title (as it stands) and its column headings again, and no page
// starts with bare rows or with headings without their title.
void tst_reports_demo::batchRepeatsHeadings()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed");
    m_responder = std::make_unique<platform::ScriptedResponder>();
    auto grades = modDBase::gMaterialDb->openRecordset(
        QStringLiteral("select m.matID, s.stID from materials m, standard s where s.standard = m.standard "
                       "order by m.matID"));
    std::vector<std::unique_ptr<frmMaterial2>> windows;
    for (; !grades->eof() && windows.size() < 30; grades->moveNext()) {
        auto material = modDBase::gMaterialDb->openRecordset(
            QStringLiteral("select * from materials where matID = %1").arg(grades->field(0).toInt()));
        auto standard = modDBase::gMaterialDb->openRecordset(
            QStringLiteral("select * from standard where stID = %1").arg(grades->field(1).toInt()));
        auto mat = std::make_shared<Material>();
        mat->SetProperties(*material, *standard);
        windows.push_back(std::make_unique<frmMaterial2>());
        windows.back()->SetMaterial(mat);
        m_mdi->colMaterials.add(mat, QString::number(mat->ID()));
    }
    QCOMPARE(int(windows.size()), 30);
    m_mdi->PrepareBatchPrint();
    m_mdi->blnBatchPrint = true;
    actRepBatchPrint report;
    report.run();
    m_mdi->blnBatchPrint = false;
    m_mdi->colMaterials.clear();
    const QString file = QDir(m_out).filePath(QStringLiteral("batch30.pdf"));
    controls::PdfExport pdf;
    pdf.setFileName(file);
    report.exportReport(pdf);

    QProcess pdftotext;
    pdftotext.start(QStandardPaths::findExecutable(QStringLiteral("pdftotext")),
                    {QStringLiteral("-layout"), file, QStringLiteral("-")});
    QVERIFY(pdftotext.waitForFinished(60000));
    QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (pages.last().trimmed().isEmpty())
        pages.removeLast();
    QCOMPARE(pages.size(), report.pageCount());

    // Each page's lines, blanks collapsed, without the page footer.
    QList<QStringList> lines;
    for (const QString &page : std::as_const(pages)) {
        QStringList body;
        for (const QString &line : page.split(QLatin1Char('\n'))) {
            if (!line.trimmed().isEmpty() && !line.contains(QStringLiteral("_MATERIALS_BATCH_PRINT")))
                body << line.simplified();
        }
        lines << body;
    }
    // A table's title in the batch ends with the grade's name and number: "Impact Energy P280GH_1.0426".
    const QRegularExpression title(QStringLiteral("^\\S.* \\S+_\\d\\.\\d{4}( continued\\.\\.\\.)?$"));
    const QStringList sectionHeadings = {QStringLiteral("Mechanical Properties"),
                                         QStringLiteral("Physical Properties")};
    int continued = 0;
    for (int p = 1; p < lines.size(); ++p) {
        const QStringList &page = lines.at(p);
        QVERIFY2(!page.isEmpty(), qPrintable(QStringLiteral("page %1 is empty").arg(p + 1)));
        const QString first = page.first();
        const bool startsReport = first.contains(QStringLiteral("elkor-PED"));
        const bool startsFooter = first == QLatin1String("Notes");
        QVERIFY2(startsReport || startsFooter || sectionHeadings.contains(first) || title.match(first).hasMatch(),
                 qPrintable(QStringLiteral("page %1 starts with: %2").arg(p + 1).arg(first)));
        // A title already on the page before is the table continuing: the lines of its column
        // headings follow it as they did where the table started.
        const QStringList &before = lines.at(p - 1);
        const qsizetype started = before.indexOf(first);
        if (startsReport || started < 0)
            continue;
        ++continued;
        QVERIFY2(started + 2 < before.size() && page.size() > 2, qPrintable(first));
        QCOMPARE(page.mid(1, 2), before.mid(started + 1, 2));
    }
    QVERIFY2(continued >= 3, qPrintable(QString::number(continued)));
}

// clang-format off
void tst_reports_demo::savedFilePictures_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("format");
    QTest::addColumn<bool>("pictures");

    // RTF and text carry no picture of the layout; a chart report's chart is what it was asked for.
    QTest::newRow("full, PDF")          << int(frmMaterial2::ReportType::Full)         << 0 << true;
    QTest::newRow("full, RTF")          << int(frmMaterial2::ReportType::Full)         << 1 << false;
    QTest::newRow("full, text")         << int(frmMaterial2::ReportType::Full)         << 2 << false;
    QTest::newRow("design values, PDF") << int(frmMaterial2::ReportType::DesignValues) << 0 << true;
    QTest::newRow("design values, RTF") << int(frmMaterial2::ReportType::DesignValues) << 1 << false;
    QTest::newRow("design values, text")<< int(frmMaterial2::ReportType::DesignValues) << 2 << false;
    QTest::newRow("chart, PDF")         << int(frmMaterial2::ReportType::Chart)        << 0 << true;
    QTest::newRow("chart, RTF")         << int(frmMaterial2::ReportType::Chart)        << 1 << true;
    QTest::newRow("chart, text")        << int(frmMaterial2::ReportType::Chart)        << 2 << false;
}
// clang-format on

// The report saved as the user saves it (save mode, the file dialog answered), read back from the file.
void tst_reports_demo::savedFilePictures()
{
    QFETCH(int, type);
    QFETCH(int, format);
    QFETCH(bool, pictures);
    open(QStringLiteral("P265GH"), QStringLiteral("EN 10028-2"));
    const auto reportType = frmMaterial2::ReportType(type);
    if (reportType == frmMaterial2::ReportType::DesignValues) {
        m_window->ShowTable(QStringLiteral("Design"));
        m_window->txtDesignTemp->setText(QStringLiteral("100"));
    } else if (reportType == frmMaterial2::ReportType::Chart) {
        m_window->ShowTable(QStringLiteral("Rp02"));
    }
    m_window->iReportType = reportType;
    const QString base = QDir(m_out).filePath(QStringLiteral("P265GH_saved_%1_%2").arg(type).arg(format));
    const QString file = base + QStringList{".pdf", ".rtf", ".txt"}.at(format);
    QFile::remove(file);
    m_responder->answerFile(base);

    actRepMain report;
    report.blnSave = true;
    report.iExpFileType = exportformat::Type(format);
    report.run();
    QFile saved(file);
    QVERIFY2(saved.open(QIODevice::ReadOnly), qPrintable(file));
    const QByteArray bytes = saved.readAll();

    if (format == 0) {
        // The program's icon stays on the first page, at its place in the header.
        const auto &items = report.document().pages.first().items;
        QVERIFY(std::any_of(items.cbegin(), items.cend(), [](const PageItem &item) {
            return item.kind == PageItem::Kind::Image && qRound(item.rect.width()) == 570 &&
                   qRound(item.rect.height()) == 525;
        }));
        QCOMPARE(bytes.count("/Subtype /Image") > 0, pictures);
        return;
    }
    if (format == 1)
        QCOMPARE(bytes.count("{\\pict") > 0, pictures);
    // The title in full stands first, before the material's band.
    const qsizetype title = bytes.indexOf("Velkor-PED");
    QVERIFY(title >= 0);
    QVERIFY(title < bytes.indexOf("Material"));
    // The physical tables' drawn headings are written as their text.
    if (reportType == frmMaterial2::ReportType::Full)
        QVERIFY(bytes.contains("[E-6/K]"));
}

QTEST_MAIN(tst_reports_demo)
#include "tst_reports_demo.moc"
