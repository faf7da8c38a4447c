// Opening Jet files: the first open imports the file (on every processor, then on one), a later open
// with a cache folder reuses the import.

#include "BenchOps.h"
#include "BenchTrace.h"

#include "db/Database.h"
#include "db/JetImport.h"
#include "platform/VbError.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sched.h>

namespace bench {

namespace {

constexpr int LargeJetGrades = 20000;
constexpr int SmallJetGrades = 1000;
constexpr double JetGoalPerFloor = 2.0;
constexpr double OneCpuGoalPerFloor = 1.5;

// The Jet importer's own read of every row (libmdb), the floor of an import.
double jetReadFloorMs(const QString &path)
{
    return timeMs([&] { db::jet::readAllRows(path); });
}

// Where imports are kept between opens; an empty folder keeps none.
void useJetCache(const QString &folder)
{
    db::setJetCacheFolder(folder);
}

// Keeps this process, and the processes it starts meanwhile, on the one processor it runs on.
class OneCpu
{
public:
    OneCpu()
    {
        m_pinned = sched_getaffinity(0, sizeof m_all, &m_all) == 0;
        const int cpu = sched_getcpu();
        cpu_set_t one;
        CPU_ZERO(&one);
        CPU_SET(cpu < 0 ? 0 : cpu, &one);
        m_pinned = m_pinned && sched_setaffinity(0, sizeof one, &one) == 0;
    }
    ~OneCpu()
    {
        if (m_pinned)
            sched_setaffinity(0, sizeof m_all, &m_all);
    }
    OneCpu(const OneCpu &) = delete;
    OneCpu &operator=(const OneCpu &) = delete;
    bool isPinned() const { return m_pinned; }

private:
    cpu_set_t m_all{};
    bool m_pinned = false;
};

} // namespace

QString jetFile(const Options &options, int *grades)
{
    *grades = options.grades >= LargeJetGrades ? LargeJetGrades : SmallJetGrades;
    const QString path = QDir(options.jetFolder).filePath(QStringLiteral("Velkor_PED_%1.mdb").arg(*grades));
    return options.jetFolder.isEmpty() || !QFileInfo::exists(path) ? QString() : path;
}

QList<Line> jetLines(const Options &options)
{
    int grades = 0;
    const QString path = jetFile(options, &grades);
    Line first(QStringLiteral("open_jet"));
    Line oneCpu(QStringLiteral("open_jet_1cpu"));
    Line cached(QStringLiteral("open_jet_cached"));
    first.grades = oneCpu.grades = cached.grades = grades;
    if (path.isEmpty()) {
        first.verdict = oneCpu.verdict = cached.verdict = QStringLiteral("SKIP (no Jet file)");
        return {first, oneCpu, cached};
    }

    QString tables;
    auto openOnce = [&] {
        std::shared_ptr<db::Database> database = db::Database::open(path, false, true);
        tables = QStringLiteral("tables %1").arg(database->tableNames().size());
        database->close();
    };
    // Imports without a cache; the floor read as the import is, on all processors or on one.
    auto timeImports = [&](Line &line, double goalPerFloor) {
        QList<double> times, floors;
        for (int run = 0; run <= options.runs; ++run) {
            const double ms = timeMs(openOnce);
            if (run == 0)
                continue;
            times << ms;
            floors << jetReadFloorMs(path);
        }
        line.median = median(times);
        line.floor = median(floors);
        line.goal = line.floor > 0 ? goalPerFloor * line.floor : 0;
        if (line.goal <= 0)
            line.verdict = QStringLiteral("FAIL (no floor)");
        line.result = tables;
    };
    try {
        useJetCache(QString());
        timeImports(first, JetGoalPerFloor);
        {
            const OneCpu pinned;
            if (pinned.isPinned())
                timeImports(oneCpu, OneCpuGoalPerFloor);
            else
                oneCpu.verdict = QStringLiteral("SKIP (cannot keep to one processor)");
        }

        QTemporaryDir cache;
        useJetCache(cache.path());
        QList<double> times;
        for (int run = 0; run <= options.runs; ++run) {
            const double ms = timeMs(openOnce);
            if (run > 0)
                times << ms;
        }
        useJetCache(QString());
        cached.median = median(times);
        cached.goal = goalFor(cached.op, grades);
        cached.result = tables;
    } catch (const platform::VbError &e) {
        first.verdict = oneCpu.verdict = cached.verdict = QStringLiteral("FAIL (error %1)").arg(e.number());
    }
    return {first, oneCpu, cached};
}

} // namespace bench
