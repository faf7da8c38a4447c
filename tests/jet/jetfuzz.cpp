// jet_fuzz <iterations> <seed> <file.mdb>...
// Imports mutated copies of Jet files (bits flipped, also in table definitions, byte runs overwritten,
// pages garbled, the file cut short) in child processes and counts how each ends: imported,
// refused, crashed or hung.
// Built with -fsanitize=address it shows whether our import code misreads memory; libmdb itself is
// not instrumented, its faults show as crashes. Not part of the test run: run it by hand.

#include "db/JetImport.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <map>
#include <sqlite3.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kPage = 4096;
constexpr unsigned kHangSeconds = 20;

QByteArray mutate(QByteArray bytes, QRandomGenerator &random)
{
    bytes.detach();
    const qsizetype size = bytes.size();
    switch (random.bounded(5)) {
    case 0: // a few bits anywhere after the header page
        for (int i = 0, n = 1 + random.bounded(20); i < n; ++i) {
            const qsizetype at = kPage + random.bounded(size - kPage);
            bytes[at] = char(bytes.at(at) ^ (1 << random.bounded(8)));
        }
        break;
    case 1: { // a run of random bytes
        const qsizetype at = kPage + random.bounded(size - kPage);
        for (qsizetype i = at, end = std::min(size, at + 1 + random.bounded(64)); i < end; ++i)
            bytes[i] = char(random.bounded(256));
        break;
    }
    case 2: { // a page of zeros or of its bytes shuffled
        const qsizetype page = 1 + random.bounded(size / kPage - 1);
        for (qsizetype i = 0; i < kPage; ++i)
            bytes[page * kPage + i] = random.bounded(2) ? char(0) : char(random.bounded(256));
        break;
    }
    case 3: // cut short
        bytes.truncate(kPage + random.bounded(size - kPage));
        break;
    default: { // a few bits of one table definition page, where libmdb finds its way through the file
        QList<qsizetype> definitions;
        for (qsizetype page = 1; page < size / kPage; ++page)
            if (bytes.at(page * kPage) == 0x02)
                definitions.append(page);
        const qsizetype page = definitions.isEmpty() ? 1 : definitions.at(random.bounded(int(definitions.size())));
        for (int i = 0, n = 1 + random.bounded(8); i < n; ++i) {
            const qsizetype at = page * kPage + random.bounded(kPage);
            bytes[at] = char(bytes.at(at) ^ (1 << random.bounded(8)));
        }
    }
    }
    return bytes;
}

// 0 imported, 1 refused, 2 crashed, 3 hung.
int importInChild(const QString &path)
{
    const pid_t pid = fork();
    if (pid == 0) {
        const int devnull = open("/dev/null", O_WRONLY);
        dup2(devnull, STDOUT_FILENO);
        alarm(kHangSeconds);
        sqlite3 *db = nullptr;
        sqlite3_open(":memory:", &db);
        const bool ok = db::jet::importTables(path, db);
        sqlite3_close(db);
        _exit(ok ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFEXITED(status))
        return WEXITSTATUS(status) == 0 ? 0 : WEXITSTATUS(status) == 1 ? 1 : 2;
    return WTERMSIG(status) == SIGALRM ? 3 : 2;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: jet_fuzz <iterations> <seed> <file.mdb>...\n");
        return 2;
    }
    const int iterations = std::atoi(argv[1]);
    QRandomGenerator random(quint32(std::strtoul(argv[2], nullptr, 10)));
    QList<QByteArray> inputs;
    for (int i = 3; i < argc; ++i) {
        QFile file(QString::fromLocal8Bit(argv[i]));
        if (!file.open(QIODevice::ReadOnly))
            return 2;
        inputs.append(file.readAll());
    }
    const QString work = QDir::temp().filePath(QStringLiteral("jet_fuzz_%1").arg(getpid()));
    QDir().mkpath(work);
    const char *names[] = {"imported", "refused", "crashed", "hung"};
    int counts[4] = {};
    for (int n = 0; n < iterations; ++n) {
        const QByteArray bytes = mutate(inputs.at(random.bounded(int(inputs.size()))), random);
        const QString path = work + QStringLiteral("/case.mdb");
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            return 2;
        file.close();
        const int outcome = importInChild(path);
        ++counts[outcome];
        if (outcome >= 2)
            QFile::copy(path, work + QStringLiteral("/%1-%2.mdb").arg(QLatin1String(names[outcome])).arg(n));
    }
    for (int i = 0; i < 4; ++i)
        std::printf("%s: %d\n", names[i], counts[i]);
    std::printf("kept in %s\n", qPrintable(work));
    return 0;
}
