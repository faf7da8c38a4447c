// Starts timed in new processes: velkorbench started again as the program (what its main() runs),
// from the exec of the process to the search window usable.

#include "BenchOps.h"
#include "BenchTrace.h"

#include "core/ProductInfo.h"
#include "platform/Environment.h"
#include "search/frmSearch.h"
#include "shell/frmSplash.h"
#include "shell/mdiVelkor.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include <cstdio>
#include <cstdlib>
#include <time.h>
#include <unistd.h>

namespace bench {

namespace {

constexpr int ChildTimeoutMs = 120000;
constexpr double SplashMs = 3000; // the splash's own wait before it hands over
constexpr int PollMs = 1;

// Usable: the main window on the screen (exposed, so painted once) with the search window shown in
// it, and the event loop free to take the user's input.
bool searchWindowUsable()
{
    const frmSearch *search = frmSearch::instance();
    const mdiVelkor *mdi = mdiVelkor::instance();
    return search && mdi && search->isVisible() && mdi->windowHandle() && mdi->windowHandle()->isExposed();
}

struct ChildRun
{
    double ms = -1;
    double floor = -1;
    QString result;
};

// Runs one start; the clock starts in the new process just before it executes the program.
ChildRun runChild(const QString &programFolder, bool pressKey, const QProcessEnvironment &environment)
{
    QTemporaryFile stamp;
    if (!stamp.open())
        return {};
    const int stampFd = int(stamp.handle());
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setChildProcessModifier([stampFd] {
        const qint64 ns = monotonicNs();
        (void)!::pwrite(stampFd, &ns, sizeof ns, 0);
    });
    QStringList args{QStringLiteral("--child"), pressKey ? QStringLiteral("startup") : QStringLiteral("first_start"),
                     QStringLiteral("--program"), programFolder};
    process.start(QCoreApplication::applicationFilePath(), args);
    if (!process.waitForFinished(ChildTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    qint64 startNs = 0;
    stamp.seek(0);
    if (stamp.read(reinterpret_cast<char *>(&startNs), sizeof startNs) != sizeof startNs)
        return {};
    const QStringList fields = QString::fromUtf8(process.readAllStandardOutput()).trimmed().split(u' ');
    if (fields.size() < 3 || fields.first() != QLatin1String("ready"))
        return {};
    ChildRun run;
    run.ms = double(fields.at(1).toLongLong() - startNs) / 1e6;
    run.floor = fields.at(2).toDouble();
    run.result = fields.mid(3).join(u' ');
    return run;
}

// Median time, floor and the last result of a warm-up and then `runs` starts.
Line timeStarts(const QString &op, int runs, const std::function<ChildRun()> &start)
{
    QList<double> times, floors;
    QString result;
    for (int run = 0; run <= runs; ++run) {
        const ChildRun child = start();
        if (child.ms < 0) {
            Line failed(op);
            failed.verdict = QStringLiteral("FAIL (the start did not reach the search window)");
            return failed;
        }
        result = child.result;
        if (run == 0)
            continue;
        times << child.ms;
        floors << child.floor;
    }
    Line line(op, median(times), median(floors));
    line.result = result;
    return line;
}

} // namespace

qint64 monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

int runStartChild(const QString &programFolder, bool pressKey)
{
    product::identifyApplication();
    platform::setProgramFolder(programFolder);
    // A box that a start shows is answered, and counted in the result, instead of waiting for a user.
    platform::ScriptedResponder responder;
    Recording recording;

    frmSplash splash;
    splash.Form_Load();
    if (pressKey)
        QTimer::singleShot(0, &splash, [&splash] { QTest::keyClick(&splash, Qt::Key_Space); });

    qint64 readyNs = 0;
    QTimer poll;
    poll.setTimerType(Qt::PreciseTimer);
    poll.setInterval(PollMs);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!searchWindowUsable())
            return;
        readyNs = monotonicNs();
        poll.stop();
        QCoreApplication::exit(0);
    });
    poll.start();
    QTimer::singleShot(ChildTimeoutMs, [] { QCoreApplication::exit(1); });
    if (QCoreApplication::exec() != 0)
        return 1;

    const QList<Statement> statements = recording.statements();
    const double floor = replayMs(statements) + (pressKey ? 0 : SplashMs);
    std::printf("ready %lld %.3f search shown=1 demo rows=%d boxes=%d\n", static_cast<long long>(readyNs), floor,
                demoRows(), responder.count());
    std::fflush(stdout);
    // The process ends here: what its windows and files do on closing is no part of a start.
    std::_Exit(0);
}

Line Session::startup()
{
    endMainWindow();
    const QString program = QDir(m_dir->path()).filePath(QStringLiteral("program"));
    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    return timeStarts(QStringLiteral("startup"), m_options.runs, [&] { return runChild(program, true, environment); });
}

Line firstStartJet(const Options &options)
{
    int grades = 0;
    const QString jet = jetFile(options, &grades);
    Line skipped(QStringLiteral("first_start_jet"));
    skipped.grades = grades;
    if (jet.isEmpty()) {
        skipped.verdict = QStringLiteral("SKIP (no Jet file)");
        return skipped;
    }
    Line line = timeStarts(QStringLiteral("first_start_jet"), options.runs, [&] {
        // Every start as a new user's: a data folder and a cache folder of its own, both empty.
        QTemporaryDir user;
        const QDir dir(user.path());
        const QString program = dir.filePath(QStringLiteral("program"));
        if (!makeProgramFolder(program, options.binFolder, jet))
            return ChildRun{};
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("APPDATA"), dir.filePath(QStringLiteral("appdata")));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), dir.filePath(QStringLiteral("cache")));
        return runChild(program, false, environment);
    });
    line.grades = grades;
    return line;
}

} // namespace bench
