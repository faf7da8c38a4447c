#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QTemporaryDir;

namespace platform {
class ScriptedResponder;
}

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

// One report line: "<operation> grades=<N> median_ms=<x> floor_ms=<y> goal_ms=<z> PASS|FAIL".
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

// Goals at 20,000 grades, scaled with the size above it.
double goalFor(const QString &op, int grades);

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
    Line startup();
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
    int demoRows() const;
    QString demoTitle(QString title) const;

    Options m_options;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<platform::ScriptedResponder> m_responder;
    QList<int> m_ids; // the 30 grades opened
    int m_copy = 0;   // the copy of the demo's grades they belong to, 0 for the demo's own
    bool m_valid = false;
};

// The Jet operations (BenchJet.cpp): open_jet and open_jet_cached.
QList<Line> jetLines(const Options &options);

void settle();

} // namespace bench
