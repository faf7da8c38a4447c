#pragma once

#include "platform/MsgBox.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QTemporaryDir;

namespace bench {

struct Options
{
    QString database;    // the material database to time
    int grades = 0;      // its number of grades, for the report lines
    int runs = 5;        // timed runs of each operation, after one warm-up
    QString binFolder;   // the program folder of a build (settings and index files)
    QString jetFolder;   // the Jet files of that scale, "" when there are none
    QString resultsFile; // where to write what each operation produced, "" for nowhere
    QStringList only;    // the operations to run, empty for all
};

// One report line: "<operation> grades=<N> median_ms=<x> floor_ms=<y> goal_ms=<z> platform=<p> PASS|FAIL".
struct Line
{
    explicit Line(const QString &name, double medianMs = -1, double floorMs = -1)
        : op(name), median(medianMs), floor(floorMs)
    {
    }
    QString op;
    double median = -1; // < 0: not measured
    double floor = -1;  // < 0: no floor
    double goal = 0;
    QString verdict; // "" for PASS/FAIL from median <= goal, else as given (e.g. "SKIP (...)")
    QString result;  // what the operation produced, compared by the smoke test
    int grades = -1; // the grades measured, when not those of the run
};

QString format(const Line &line, int grades);

// Median time and floor of an operation: setup and teardown untimed, each run's statements replayed.
struct Timing
{
    double median = 0;
    double floor = 0;
};
Timing measure(int runs, const std::function<void()> &setup, const std::function<void()> &timed,
               const std::function<void()> &teardown = {});

// Answers the message boxes and dialogs as the tests' responder does; a print dialog, while a PDF file
// is named, as a user who chooses to print into that file.
class PdfPrinterResponder : public platform::ScriptedResponder
{
public:
    void printIntoPdf(const QString &path) { m_pdf = path; }
    bool printDialog(const platform::PrintDialogRequest &request) override;

private:
    QString m_pdf;
};

// Goals at 20,000 grades, scaled with the size above it where the operation grows with it.
double goalFor(const QString &op, int grades);

// The window system the benchmark runs on: "xcb" (an X server) or "offscreen".
QString platformName();

// The program's state for a benchmark: a program folder around the database, a main window, the search
// window, 30 material windows.
class Session
{
public:
    explicit Session(const Options &options);
    ~Session();

    bool isValid() const { return m_valid; }
    QList<Line> run();

private:
    Line startup(); // a new process (BenchStartup.cpp)
    Line searchKey();
    Line open30();
    Line tableSwitch30();
    Line design30();
    Line batchPdf30();
    Line peakRss();

    void startMainWindow();
    void endMainWindow();
    void backToSearch();
    void select30();
    void open30Windows(bool batch);
    QString demoTitle(QString title) const;

    Options m_options;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<PdfPrinterResponder> m_responder;
    QList<int> m_ids; // the 30 grades opened
    int m_copy = 0;   // the copy of the demo's grades they belong to, 0 for the demo's own
    bool m_valid = false;
};

// A program folder in dir around a database: the data files of the build's program folder and the
// database as "Velkor_PED.mdb"; false when it cannot be made.
bool makeProgramFolder(const QString &dir, const QString &binFolder, const QString &database);

// The Jet file of the run's scale and its number of grades; "" when there is none.
QString jetFile(const Options &options, int *grades);

// The Jet operations (BenchJet.cpp): open_jet, open_jet_1cpu and open_jet_cached.
QList<Line> jetLines(const Options &options);

// A new process on the Jet file with an empty cache, to the search window usable (BenchStartup.cpp).
Line firstStartJet(const Options &options);

// The process started again by the benchmark to time a start (BenchStartup.cpp): runs what the
// program's main() runs, pressing a key on the splash at once when pressKey is set, and prints
// "ready <ns> <floor ms> <result>" once the search window is usable, <ns> read from CLOCK_MONOTONIC.
int runStartChild(const QString &programFolder, bool pressKey);

// Nanoseconds of CLOCK_MONOTONIC, the same clock in every process.
qint64 monotonicNs();

// The rows of the search window's grid that belong to the demo's own grades; -1 without the window.
int demoRows();

void settle();

} // namespace bench
