#include "BenchOps.h"

#include "BenchTrace.h"

#include "controls/DataGrid.h"
#include "controls/ReportPreview.h"
#include "core/TableCatalogue.h"
#include "core/modDBase.h"
#include "core/modFileHandler.h"
#include "db/DataControl.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "material/Material.h"
#include "material/frmMaterial2.h"
#include "platform/Environment.h"
#include "platform/MsgBox.h"
#include "search/frmSearch.h"
#include "shell/mdiVelkor.h"

#include <QApplication>
#include <QCheckBox>
#include <QCryptographicHash>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <sys/resource.h>

namespace bench {

namespace {

constexpr int Windows = 30;
constexpr int FirstCopyId = 1000; // ids of the generated grades start here; below are the demo's
constexpr int ReferenceGrades = 20000;
const char DesignTemperature[] = "350";
constexpr int PointerSettleMs = 50;

struct Goal
{
    const char *op;
    double ms;
    bool scaled = true; // grows in proportion above the reference size
};
constexpr Goal Goals[] = {
    {"startup", 100},         {"search_key", 20, false},
    {"open_30", 1000},        {"table_switch_30", 50},
    {"design_30", 100},       {"batch_pdf_30", 400},
    {"open_jet_cached", 300}, {"first_start_jet", 3300, false}, // the splash's own 3 s and 300 ms
    {"peak_rss_mb", 400},
};

constexpr int SearchBoxes = 7;
// One keystroke per criteria box: a character that most of the rows contain.
constexpr char Keystrokes[SearchBoxes] = {'1', 'P', '1', 'e', '1', '2', 'P'};

// A window's control, found by its name as an automation tool finds it.
template <class T>
T *control(const QObject *window, const QString &name)
{
    return window->findChild<T *>(name);
}

QLineEdit *searchBox(const frmSearch *search, int box)
{
    return control<QLineEdit>(search, QStringLiteral("txtSearch%1").arg(box));
}

QString shortHash(const QByteArray &bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex().left(12));
}

QList<frmMaterial2 *> materialWindows()
{
    QList<frmMaterial2 *> list;
    if (mdiVelkor *mdi = mdiVelkor::instance())
        for (QMdiSubWindow *sub : mdi->MaterialWindows())
            if (auto *frm = qobject_cast<frmMaterial2 *>(sub->widget()))
                list << frm;
    return list;
}

// What a window shows of its current table: whether it has data and the rows of its visible grid.
QString shownTable(frmMaterial2 *frm, const QString &key)
{
    int rows = -1;
    for (const char *name : {"tdbBoundTable", "tdbTable"}) {
        const auto *grid = control<controls::DataGrid>(frm, QLatin1String(name));
        if (grid->isVisibleTo(frm))
            rows = grid->rowCount();
    }
    return QStringLiteral("%1:%2:%3").arg(key).arg(frm->mMat->TableHasData(key)).arg(rows);
}

} // namespace

void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QString format(const Line &line, int grades)
{
    auto number = [](double v) { return v < 0 ? QStringLiteral("n/a") : QString::number(v, 'f', 1); };
    QString verdict = line.verdict;
    if (verdict.isEmpty())
        verdict = line.median >= 0 && line.median <= line.goal ? QStringLiteral("PASS") : QStringLiteral("FAIL");
    return QStringLiteral("%1 grades=%2 median_ms=%3 floor_ms=%4 goal_ms=%5 platform=%6 %7")
        .arg(line.op)
        .arg(line.grades >= 0 ? line.grades : grades)
        .arg(number(line.median), number(line.floor), line.goal > 0 ? number(line.goal) : QStringLiteral("n/a"),
             platformName(), verdict);
}

double goalFor(const QString &op, int grades)
{
    const double scale = grades > ReferenceGrades ? double(grades) / ReferenceGrades : 1.0;
    for (const Goal &goal : Goals)
        if (op == QLatin1String(goal.op))
            return goal.scaled ? goal.ms * scale : goal.ms;
    return 0;
}

QString platformName()
{
    return QGuiApplication::platformName();
}

bool makeProgramFolder(const QString &dir, const QString &binFolder, const QString &database)
{
    const QDir program(dir);
    if (!program.mkpath(QStringLiteral(".")))
        return false;
    for (const char *name : {"PathSet.vlk", "Settings.vlk", "PMA_Index.mdb", "Velkor_PED_HELP.chm"})
        QFile::copy(QDir(binFolder).filePath(QLatin1String(name)), program.filePath(QLatin1String(name)));
    return QFile::link(QFileInfo(database).absoluteFilePath(), program.filePath(QStringLiteral("Velkor_PED.mdb")));
}

int demoRows()
{
    const frmSearch *search = frmSearch::instance();
    const db::Recordset *rs =
        search ? control<db::DataControl>(search, QStringLiteral("dtaMaterials"))->recordset() : nullptr;
    if (!rs)
        return -1;
    const int id = rs->fieldIndex(QStringLiteral("matID"));
    int n = 0;
    for (int row = 0; row < rs->recordCount(); ++row)
        if (rs->value(row, id).toInt() < FirstCopyId)
            ++n;
    return n;
}

Timing measure(int runs, const std::function<void()> &setup, const std::function<void()> &timed,
               const std::function<void()> &teardown)
{
    QList<double> times, floors;
    for (int run = 0; run <= runs; ++run) {
        if (setup)
            setup();
        settle();
        QList<Statement> statements;
        double ms = 0;
        {
            Recording recording;
            ms = timeMs(timed);
            statements = recording.statements();
        }
        if (teardown)
            teardown();
        if (run == 0)
            continue; // the warm-up
        times << ms;
        floors << replayMs(statements);
    }
    return {median(times), median(floors)};
}

Session::Session(const Options &options) : m_options(options), m_dir(std::make_unique<QTemporaryDir>())
{
    if (!m_dir->isValid())
        return;
    const QDir dir(m_dir->path());
    dir.mkpath(QStringLiteral("appdata"));
    const QString program = dir.filePath(QStringLiteral("program"));
    if (!makeProgramFolder(program, options.binFolder, options.database))
        return;
    qputenv("APPDATA", dir.filePath(QStringLiteral("appdata")).toLocal8Bit());
    platform::setProgramFolder(program);
    m_responder = std::make_unique<PdfPrinterResponder>();
    modFileHandler::SetupFileEnvironment();
    m_valid = true;
}

Session::~Session()
{
    endMainWindow();
    platform::setProgramFolder(QString());
}

void Session::startMainWindow()
{
    auto *mdi = new mdiVelkor;
    mdi->MDIForm_Load();
    mdi->showMaximized();
    settle();
    // The user's pointer rests on the main window, as after choosing a command: the window system
    // then tells the program of every window that comes under it.
    if (QTest::qWaitForWindowExposed(mdi)) {
        QCursor::setPos(mdi->mapToGlobal(mdi->rect().center()));
        QTest::qWait(PointerSettleMs);
    }
    settle();
}

void Session::endMainWindow()
{
    mdiVelkor *mdi = mdiVelkor::instance();
    if (!mdi)
        return;
    for (QMdiSubWindow *sub : mdi->mdiArea()->subWindowList())
        delete sub;
    delete frmSearch::instance();
    if (modDBase::gMaterialDb)
        modDBase::gMaterialDb->close();
    modDBase::gMaterialDb.reset();
    delete mdi;
    settle();
}

Line Session::searchKey()
{
    frmSearch *search = frmSearch::instance();
    Line line(QStringLiteral("search_key"), 0, 0);
    QStringList results;
    auto *listAllBox = control<QCheckBox>(search, QStringLiteral("chkListAll"));
    auto clearBoxes = [&] {
        for (int box = 0; box < SearchBoxes; ++box)
            searchBox(search, box)->setText(QString());
    };
    for (int box = 0; box <= SearchBoxes; ++box) {
        const bool listAll = box == SearchBoxes;
        const Timing t = measure(
            m_options.runs,
            [&] {
                clearBoxes();
                if (listAll) {
                    searchBox(search, 1)->setText(QStringLiteral("P"));
                    listAllBox->setChecked(false);
                }
            },
            [&] {
                if (listAll)
                    listAllBox->setChecked(true);
                else
                    QTest::keyClick(searchBox(search, box), Keystrokes[box]);
                QCoreApplication::processEvents();
            });
        results << QString::number(demoRows());
        if (t.median > line.median) {
            line.median = t.median;
            line.floor = t.floor;
        }
    }
    clearBoxes();
    line.result = QStringLiteral("demo rows per box and List All: ") + results.join(u' ');
    return line;
}

void Session::backToSearch()
{
    mdiVelkor *mdi = mdiVelkor::instance();
    if (!materialWindows().isEmpty())
        mdi->SelectMaterials();
    settle();
    if (frmSearch *search = frmSearch::instance(); search && search->subWindow())
        search->subWindow()->show();
    settle();
}

void Session::select30()
{
    frmSearch *search = frmSearch::instance();
    search->cmdSelections_Click(1); // empties the selection
    if (m_ids.isEmpty()) {
        // The last whole copy of the demo's grades: the highest ids of the database, the demo's own
        // data under the copy's names.
        auto count = modDBase::gMaterialDb->openRecordset(
            QStringLiteral("select count(*) from materials where matID < %1").arg(FirstCopyId));
        const int demo = count->field(0).toInt();
        count = modDBase::gMaterialDb->openRecordset(QStringLiteral("select count(*) from materials"));
        m_copy = demo > 0 ? count->field(0).toInt() / demo - 1 : 0;
        const int first = m_copy == 0 ? 0 : FirstCopyId + (m_copy - 1) * demo;
        const int end = m_copy == 0 ? FirstCopyId : first + demo;
        auto rs = modDBase::gMaterialDb->openRecordset(
            QStringLiteral("select matID from materials where matID >= %1 and matID < %2 order by matID")
                .arg(first)
                .arg(end));
        for (; !rs->eof() && m_ids.size() < Windows; rs->moveNext())
            m_ids << rs->field(0).toInt();
    }
    auto *materials = control<db::DataControl>(search, QStringLiteral("dtaMaterials"));
    for (const int id : std::as_const(m_ids)) {
        materials->recordset()->findFirst(QStringLiteral("matID = %1").arg(id));
        search->cmdSelectMat_Click();
    }
}

void Session::open30Windows(bool batch)
{
    backToSearch();
    select30();
    mdiVelkor::instance()->blnBatchPrint = batch;
    frmSearch::instance()->cmdSelections_Click(0);
    settle();
}

// A copy's window title with the copy's marks taken off the name, number and standard.
QString Session::demoTitle(QString title) const
{
    if (m_copy == 0)
        return title;
    const QString k = QString::number(m_copy);
    title.replace(QStringLiteral("-%1 Number: ").arg(k), QStringLiteral(" Number: "));
    title.replace(QStringLiteral("-%1 Standard: ").arg(k), QStringLiteral(" Standard: "));
    if (title.endsWith(QStringLiteral(" x") + k))
        title.chop(k.size() + 2);
    return title;
}

Line Session::open30()
{
    const Timing t = measure(
        m_options.runs,
        [&] {
            backToSearch();
            select30();
        },
        [&] {
            frmSearch::instance()->cmdSelections_Click(0);
            QCoreApplication::processEvents();
        });
    Line line(QStringLiteral("open_30"), t.median, t.floor);
    QStringList titles;
    for (frmMaterial2 *frm : materialWindows())
        titles << demoTitle(frm->windowTitle());
    titles.sort();
    line.result = QStringLiteral("%1 windows %2").arg(titles.size()).arg(shortHash(titles.join(u'\n').toUtf8()));
    return line;
}

Line Session::tableSwitch30()
{
    if (materialWindows().size() != Windows)
        open30Windows(false);
    Line line(QStringLiteral("table_switch_30"), 0, 0);
    QStringList shown;
    QString slowest;
    for (const catalogue::TableInfo &table : catalogue::Tables) {
        const QString key = QString::fromLatin1(table.key);
        const QString other =
            key == catalogue::key::Ref ? QString(catalogue::key::ChemComp) : QString(catalogue::key::Ref);
        const Timing t = measure(
            m_options.runs,
            [&] {
                for (frmMaterial2 *frm : materialWindows())
                    frm->ShowTable(other);
            },
            [&] {
                for (frmMaterial2 *frm : materialWindows())
                    frm->ShowTable(key);
                QCoreApplication::processEvents();
            });
        for (frmMaterial2 *frm : materialWindows())
            shown << shownTable(frm, key);
        if (t.median > line.median) {
            line.median = t.median;
            line.floor = t.floor;
            slowest = key;
        }
    }
    line.result = QStringLiteral("tables %1").arg(shortHash(shown.join(u'\n').toUtf8()));
    std::fprintf(stderr, "table_switch_30: slowest table %s\n", qPrintable(slowest));
    return line;
}

Line Session::design30()
{
    mdiVelkor *mdi = mdiVelkor::instance();
    const Timing t = measure(
        m_options.runs, [&] { open30Windows(false); },
        [&] {
            mdi->mnuViewElem_Click(6);
            QList<frmMaterial2 *> windows = materialWindows();
            QTest::keyClicks(control<QLineEdit>(windows.first(), QStringLiteral("txtDesignTemp")),
                             QLatin1String(DesignTemperature));
            QCoreApplication::processEvents();
        });
    Line line(QStringLiteral("design_30"), t.median, t.floor);
    QStringList cells;
    for (frmMaterial2 *frm : materialWindows()) {
        const platform::XArray &a = frm->xDesignDB;
        if (a.isAllocated())
            for (int r = a.lowerBound(1); r <= a.upperBound(1); ++r)
                for (int c = a.lowerBound(2); c <= a.upperBound(2); ++c)
                    cells << a.value(r, c).toString();
        cells << QStringLiteral("|");
    }
    line.result = QStringLiteral("design cells %1").arg(shortHash(cells.join(u'\t').toUtf8()));
    return line;
}

bool PdfPrinterResponder::printDialog(const platform::PrintDialogRequest &request)
{
    if (m_pdf.isEmpty() || !request.printer)
        return ScriptedResponder::printDialog(request);
    request.printer->setOutputFormat(QPrinter::PdfFormat);
    request.printer->setOutputFileName(m_pdf);
    return true;
}

// From the batch button to the PDF written: the windows opened for the report, the report run and
// previewed, printed from the preview into a PDF file, and the search window back.
Line Session::batchPdf30()
{
    frmSearch *search = frmSearch::instance();
    const QString pdf = QDir(m_dir->path()).filePath(QStringLiteral("batch.pdf"));
    int pages = 0;
    auto printFromPreview = [&](QDialog &dialog) {
        auto *preview = qobject_cast<controls::ReportPreview *>(&dialog);
        if (!preview)
            return;
        preview->show();
        QCoreApplication::processEvents();
        pages = preview->pageCount();
        preview->printButton()->click();
    };
    m_responder->printIntoPdf(pdf);
    const Timing t = measure(
        m_options.runs,
        [&] {
            backToSearch();
            select30();
            QFile::remove(pdf);
            m_responder->answerDialog(printFromPreview);
        },
        [&] {
            control<QPushButton>(search, QStringLiteral("cmdBatch0"))->click();
            QCoreApplication::processEvents();
        });
    m_responder->printIntoPdf(QString());
    Line line(QStringLiteral("batch_pdf_30"), t.median, t.floor);
    line.result = QStringLiteral("pages %1 pdf %2").arg(pages).arg(QFileInfo(pdf).size() > 0);
    return line;
}

Line Session::peakRss()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    Line line(QStringLiteral("peak_rss_mb"), double(usage.ru_maxrss) / 1024.0, -1);
    return line;
}

QList<Line> Session::run()
{
    QList<Line> lines;
    auto add = [&](Line line) {
        if (line.goal <= 0 && line.verdict.isEmpty())
            line.goal = goalFor(line.op, m_options.grades);
        std::printf("%s\n", qPrintable(format(line, m_options.grades)));
        std::fflush(stdout);
        lines << line;
    };
    auto wanted = [&](const char *name) {
        return m_options.only.isEmpty() || m_options.only.contains(QLatin1String(name));
    };
    // The start is timed in processes of its own, which open the database while this one has it closed.
    if (wanted("startup"))
        add(startup());
    const std::pair<const char *, std::function<Line()>> operations[] = {
        {"search_key", [this] { return searchKey(); }},          {"open_30", [this] { return open30(); }},
        {"table_switch_30", [this] { return tableSwitch30(); }}, {"design_30", [this] { return design30(); }},
        {"batch_pdf_30", [this] { return batchPdf30(); }},
    };
    for (const auto &[name, operation] : operations) {
        if (!mdiVelkor::instance())
            startMainWindow();
        if (wanted(name))
            add(operation());
    }
    backToSearch();
    add(peakRss());
    endMainWindow();
    if (wanted("open_jet"))
        for (Line &line : jetLines(m_options))
            add(line);
    if (wanted("first_start_jet"))
        add(firstStartJet(m_options));
    return lines;
}

} // namespace bench
