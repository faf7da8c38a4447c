// Child processes under limits, and where the programs that ship beside the program are found.

#include "tst_platform.h"

#include "Processes.h"

#include "platform/ChildProcess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using platform::ChildProcess;
using End = ChildProcess::End;

Q_DECLARE_METATYPE(ChildProcess::End)

namespace {

const QString kStub = QStringLiteral(CHILD_STUB);

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif

} // namespace

// clang-format off
void tst_Platform::childEnds_data()
{
    QTest::addColumn<QString>("program");        // the stub unless given
    QTest::addColumn<QStringList>("arguments");  // %dir: a fresh folder
    QTest::addColumn<int>("wallMs");
    QTest::addColumn<int>("cpuSeconds");
    QTest::addColumn<int>("memoryMB");
    QTest::addColumn<int>("outputBytes");
    QTest::addColumn<QByteArray>("input");       // read by the child from a file, if any
    QTest::addColumn<bool>("ignoreSigchld");     // as some launchers hand it down
    QTest::addColumn<End>("end");
    QTest::addColumn<int>("code");               // exit code or signal
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<int>("withinMs");

    const QByteArray none;
    const int kib = 1024;
    QTest::newRow("exit code") << "" << QStringList{"exit", "3"} << 0 << 0 << 0 << 0 << none << false
                               << End::Exited << 3 << none << 5000;
    QTest::newRow("crash") << "" << QStringList{"crash"} << 0 << 0 << 0 << 0 << none << false
                           << End::Signalled << SIGSEGV << none << 5000;
    QTest::newRow("wall limit") << "" << QStringList{"sleep"} << 300 << 0 << 0 << 0 << none << false
                                << End::TimedOut << 0 << none << 2000;
    QTest::newRow("processor limit") << "" << QStringList{"spin"} << 30000 << 1 << 0 << 0 << none << false
                                     << End::Signalled << SIGXCPU << none << 6000;
    QTest::newRow("memory limit") << "" << QStringList{"allocate", "1024"} << 0 << 0 << 256 << 0 << none << false
                                  << End::Exited << 5 << none << 5000;
    QTest::newRow("memory within the limit") << "" << QStringList{"allocate", "64"} << 0 << 0 << 256 << 0 << none
                                             << false << End::Exited << 0 << none << 5000;
    QTest::newRow("output kept") << "" << QStringList{"write", "300000"} << 0 << 0 << 0 << 1024 * kib << none
                                 << false << End::Exited << 0 << QByteArray(300000, 'x') << 5000;
    QTest::newRow("output over its limit") << "" << QStringList{"write", "3000000"} << 0 << 0 << 0 << 1024 * kib
                                           << none << false << End::TooMuchOutput << 0 << none << 5000;
    QTest::newRow("output discarded") << "" << QStringList{"write", "1000"} << 0 << 0 << 0 << 0 << none << false
                                      << End::Exited << 0 << none << 5000;
    QTest::newRow("input from a file") << "" << QStringList{"echo"} << 0 << 0 << 0 << kib
                                       << QByteArray("one\0two\n", 8) << false << End::Exited << 0
                                       << QByteArray("one\0two\n", 8) << 5000;
    QTest::newRow("only the standard descriptors") << "" << QStringList{"fds"} << 0 << 0 << 0 << kib << none << false
                                                   << End::Exited << 0 << QByteArray("0 1 2") << 5000;
    QTest::newRow("private files under umask 022") << "" << QStringList{"create", "%dir/made"} << 0 << 0 << 0 << kib
                                                   << none << false << End::Exited << 0 << QByteArray("600") << 5000;
    QTest::newRow("SIGCHLD ignored") << "" << QStringList{"exit", "7"} << 0 << 0 << 0 << 0 << none << true
                                     << End::Exited << 7 << none << 5000;
    QTest::newRow("missing program") << "missing" << QStringList{"exit", "0"} << 0 << 0 << 0 << 0 << none << false
                                     << End::NotStarted << 0 << none << 5000;
}
// clang-format on

void tst_Platform::childEnds()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QFETCH(int, wallMs);
    QFETCH(int, cpuSeconds);
    QFETCH(int, memoryMB);
    QFETCH(int, outputBytes);
    QFETCH(QByteArray, input);
    QFETCH(bool, ignoreSigchld);
    QFETCH(End, end);
    QFETCH(int, code);
    QFETCH(QByteArray, output);
    QFETCH(int, withinMs);
    if (memoryMB > 0 && kAddressSanitizer)
        QSKIP("no memory limit under AddressSanitizer");

    QTemporaryDir dir;
    for (QString &argument : arguments)
        argument.replace(QLatin1String("%dir"), dir.path());
    int inputFd = -1;
    if (!input.isNull()) {
        QFile file(dir.filePath(QStringLiteral("input")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(input) == input.size());
        file.close();
        inputFd = ::open(QFile::encodeName(file.fileName()).constData(), O_RDONLY | O_CLOEXEC);
    }
    // Open without close-on-exec, as a library may leave one: the child must not get it.
    const int leaked = ::open("/dev/null", O_RDONLY);
    const mode_t mask = ::umask(022);
    if (ignoreSigchld)
        ::signal(SIGCHLD, SIG_IGN);

    ChildProcess child;
    platform::ChildLimits limits;
    limits.wall = std::chrono::milliseconds(wallMs);
    limits.cpu = std::chrono::seconds(cpuSeconds);
    limits.memoryBytes = qint64(memoryMB) << 20;
    limits.outputBytes = outputBytes;
    QElapsedTimer timer;
    timer.start();
    const bool started = child.start(program.isEmpty() ? kStub : dir.filePath(program), arguments, limits, inputFd);
    child.waitForEnd();
    const qint64 ms = timer.elapsed();

    ::umask(mask);
    ::close(leaked);
    if (inputFd >= 0)
        ::close(inputFd);
    if (ignoreSigchld)
        ::signal(SIGCHLD, SIG_DFL);
    QCOMPARE(started, end != End::NotStarted);
    QCOMPARE(child.end(), end);
    QCOMPARE(end == End::Signalled ? child.signal() : child.exitCode(),
             end == End::Exited || end == End::Signalled ? code : -1);
    QCOMPARE(child.output(), output);
    QVERIFY2(ms < withinMs, qPrintable(QStringLiteral("%1 ms").arg(ms)));
    if (end == End::NotStarted)
        QCOMPARE(child.startError(), ENOENT);
}

// Looking at a child does not hold up the caller; several are waited for together, for the first
// to end or for all.
void tst_Platform::childrenPolledAndWaitedTogether()
{
    ChildProcess quick, slow;
    QVERIFY(quick.start(kStub, {QStringLiteral("exit"), QStringLiteral("0")}));
    platform::ChildLimits limits;
    limits.wall = std::chrono::milliseconds(2000);
    QVERIFY(slow.start(kStub, {QStringLiteral("sleep")}, limits));
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!slow.poll());
    QVERIFY(timer.elapsed() < 100);
    platform::waitForAny({&quick, &slow});
    QVERIFY(quick.succeeded());
    QCOMPARE(slow.end(), End::Running);
    platform::waitForAll({&quick, &slow});
    QCOMPARE(slow.end(), End::TimedOut);
    QVERIFY(timer.elapsed() >= 1900);
    QVERIFY(timer.elapsed() < 5000);
}

// A program that is killed leaves none of its children running.
void tst_Platform::childrenEndWithTheirParent()
{
    ChildProcess parent;
    platform::ChildLimits limits;
    limits.wall = std::chrono::seconds(30);
    limits.outputBytes = 4096;
    QVERIFY(parent.start(kStub, {QStringLiteral("parent"), QStringLiteral("3")}, limits));
    QElapsedTimer timer;
    timer.start();
    while (parent.output().count('\n') < 3 && !parent.poll(std::chrono::milliseconds(100)) && timer.elapsed() < 10000) {
    }
    QList<pid_t> pids;
    for (const QByteArray &line : parent.output().split('\n'))
        if (!line.isEmpty())
            pids.append(pid_t(line.toInt()));
    QCOMPARE(pids.size(), 3);
    for (const pid_t pid : pids)
        QVERIFY(testsupport::isRunning(pid));

    // Left by a failure, they are not to outlive the test.
    const auto cleanup = qScopeGuard([&pids] {
        for (const pid_t pid : pids)
            if (testsupport::isRunning(pid))
                ::kill(pid, SIGKILL);
    });
    parent.kill();
    timer.restart();
    for (const pid_t pid : pids)
        QTRY_VERIFY_WITH_TIMEOUT(!testsupport::isRunning(pid), 2000 - int(timer.elapsed()));
    QVERIFY(timer.elapsed() < 2000);
}

// clang-format off
void tst_Platform::helperProgramFound_data()
{
    QTest::addColumn<QString>("exe");        // the executable's folder, under a temporary root
    QTest::addColumn<QStringList>("made");   // programs there; "=plain": a file that is not executable
    QTest::addColumn<QString>("expected");
    QTest::newRow("build folder") << "build/bin" << QStringList{"build/bin/tool"} << "build/bin/tool";
    QTest::newRow("installed") << "usr/bin" << QStringList{"usr/libexec/velkor-ped/tool"}
                               << "usr/libexec/velkor-ped/tool";
    QTest::newRow("installed, another beside") << "usr/bin"
                                               << QStringList{"usr/bin/tool", "usr/libexec/velkor-ped/tool"}
                                               << "usr/libexec/velkor-ped/tool";
    QTest::newRow("not executable") << "build/bin" << QStringList{"build/bin/tool=plain"} << "";
    QTest::newRow("missing") << "usr/bin" << QStringList{} << "";
}
// clang-format on

void tst_Platform::helperProgramFound()
{
    QFETCH(QString, exe);
    QFETCH(QStringList, made);
    QFETCH(QString, expected);
    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkpath(exe));
    for (QString path : made) {
        const bool plain = path.endsWith(QLatin1String("=plain"));
        if (plain)
            path.chop(6);
        QVERIFY(QDir(root.path()).mkpath(QFileInfo(path).path()));
        QFile file(root.filePath(path));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.setPermissions(plain ? QFile::ReadOwner | QFile::WriteOwner
                                  : QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QCOMPARE(platform::helperProgramFor(root.filePath(exe), QStringLiteral("tool")),
             expected.isEmpty() ? QString() : root.filePath(expected));
}
