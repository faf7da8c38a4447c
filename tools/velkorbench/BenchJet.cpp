// Opening Jet files: the first open imports the file, a later open with a cache folder reuses the
// import.

#include "BenchOps.h"
#include "BenchTrace.h"

#include "db/Database.h"
#include "db/JetImport.h"
#include "platform/VbError.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

namespace bench {

namespace {

constexpr int LargeJetGrades = 20000;
constexpr int SmallJetGrades = 1000;
constexpr double JetGoalPerFloor = 2.0;

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

} // namespace

QList<Line> jetLines(const Options &options)
{
    const int grades = options.grades >= LargeJetGrades ? LargeJetGrades : SmallJetGrades;
    const QString path = QDir(options.jetFolder).filePath(QStringLiteral("Velkor_PED_%1.mdb").arg(grades));
    Line first(QStringLiteral("open_jet"));
    Line cached(QStringLiteral("open_jet_cached"));
    first.grades = cached.grades = grades;
    if (options.jetFolder.isEmpty() || !QFileInfo::exists(path)) {
        first.verdict = cached.verdict = QStringLiteral("SKIP (no Jet file)");
        return {first, cached};
    }

    auto openOnce = [&] {
        std::shared_ptr<db::Database> database = db::Database::open(path, false, true);
        first.result = QStringLiteral("tables %1").arg(database->tableNames().size());
        database->close();
    };
    try {
        useJetCache(QString());
        QList<double> times, floors;
        for (int run = 0; run <= options.runs; ++run) {
            const double ms = timeMs(openOnce);
            if (run == 0)
                continue;
            times << ms;
            floors << jetReadFloorMs(path);
        }
        first.median = median(times);
        first.floor = median(floors);
        first.goal = first.floor > 0 ? JetGoalPerFloor * first.floor : 0;
        if (first.goal <= 0)
            first.verdict = QStringLiteral("FAIL (no floor)");

        QTemporaryDir cache;
        useJetCache(cache.path());
        times.clear();
        for (int run = 0; run <= options.runs; ++run) {
            const double ms = timeMs(openOnce);
            if (run > 0)
                times << ms;
        }
        useJetCache(QString());
        cached.median = median(times);
        cached.goal = goalFor(cached.op, grades);
        cached.result = first.result;
    } catch (const platform::VbError &e) {
        first.verdict = cached.verdict = QStringLiteral("FAIL (error %1)").arg(e.number());
    }
    return {first, cached};
}

} // namespace bench
