#include "db/JetChildren.h"

#include "db/JetImport.h"
#include "platform/ChildProcess.h"

#include <QCryptographicHash>
#include <QFile>
#include <QMutex>
#include <QtEndian>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>
#include <vector>

namespace db::jet {

namespace {

// A child's time: a fixed allowance plus time for the file's size, the same for its processor time.
constexpr qint64 kImportBaseMs = 10000;
constexpr qint64 kImportBytesPerMs = 4000;
// A child's address space: the program and libmdb's buffers, and a copy in memory several times
// the file's size at most. A damaged file that makes libmdb ask for more is refused.
constexpr qint64 kImportMemoryBytes = qint64(1) << 30;
constexpr qint64 kImportMemoryPerFileByte = 8;
// A part sent back in memory: the copies are no larger than the Jet file; far more is damage.
constexpr qint64 kOutputSlackBytes = qint64(64) << 20;
constexpr qint64 kOutputPerFileByte = 4;
// A child that dies is started once more before the file is refused.
constexpr int kStartsPerPart = 2;

QMutex &programLock()
{
    static QMutex lock;
    return lock;
}

QString &programOverride()
{
    static QString program;
    return program;
}

enum class Verdict { Running, Done, Again, Unreadable, CannotWrite, NoProgram };

Verdict verdictOn(const platform::ChildProcess &child)
{
    using End = platform::ChildProcess::End;
    switch (child.end()) {
    case End::Running: return Verdict::Running;
    case End::Exited:
        if (child.exitCode() == importexit::Done)
            return Verdict::Done;
        return child.exitCode() == importexit::CannotWrite ? Verdict::CannotWrite : Verdict::Unreadable;
    // Over its limits: a file that makes libmdb loop or eat memory does so again.
    case End::TimedOut:
    case End::TooMuchOutput: return Verdict::Unreadable;
    case End::Signalled: return child.signal() == SIGXCPU ? Verdict::Unreadable : Verdict::Again;
    case End::Lost: return Verdict::Again;
    case End::NotStarted:
        return child.startError() == ENOENT || child.startError() == EACCES || child.startError() == ENOEXEC ||
                       child.startError() == ENOTDIR
                   ? Verdict::NoProgram
                   : Verdict::Again;
    }
    return Verdict::Unreadable;
}

ImportResult resultOf(Verdict verdict)
{
    switch (verdict) {
    case Verdict::CannotWrite: return ImportResult::CannotWrite;
    case Verdict::NoProgram: return ImportResult::NoProgram;
    default: return ImportResult::Unreadable;
    }
}

bool isWriteFault(int code)
{
    switch (code & 0xff) {
    case SQLITE_FULL:
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_NOMEM:
    case SQLITE_NOLFS: return true;
    default: return false;
    }
}

} // namespace

JetSource::JetSource(const QString &canonicalPath)
{
    m_fd = ::open(QFile::encodeName(canonicalPath).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (m_fd >= 0 && (::fstat(m_fd, &m_state) != 0 || !S_ISREG(m_state.st_mode))) {
        ::close(m_fd);
        m_fd = -1;
    }
}

JetSource::~JetSource()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

QByteArray JetSource::read(qint64 offset, qint64 bytes) const
{
    QByteArray data(qsizetype(std::max<qint64>(bytes, 0)), '\0');
    qint64 got = 0;
    while (got < bytes) {
        const ssize_t n = ::pread(m_fd, data.data() + got, size_t(bytes - got), off_t(offset + got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += n;
    }
    data.truncate(qsizetype(got));
    return data;
}

bool JetSource::unchanged() const
{
    struct stat now
    {
    };
    return ::fstat(m_fd, &now) == 0 && now.st_size == m_state.st_size && now.st_mtim.tv_sec == m_state.st_mtim.tv_sec &&
           now.st_mtim.tv_nsec == m_state.st_mtim.tv_nsec && now.st_ctim.tv_sec == m_state.st_ctim.tv_sec &&
           now.st_ctim.tv_nsec == m_state.st_ctim.tv_nsec;
}

QString importProgram()
{
    QMutexLocker locker(&programLock());
    return programOverride().isEmpty() ? platform::helperProgram(QLatin1String(kImportProgramName)) : programOverride();
}

void setImportProgram(const QString &program)
{
    QMutexLocker locker(&programLock());
    programOverride() = program;
}

ImportResult importInChildren(const JetSource &jet, const QStringList &targets, QList<QByteArray> *outputs)
{
    const QString program = importProgram();
    if (program.isEmpty())
        return ImportResult::NoProgram;
    const qsizetype parts = targets.size();
    const qint64 wallMs = kImportBaseMs + jet.size() / kImportBytesPerMs;
    platform::ChildLimits limits;
    limits.wall = std::chrono::milliseconds(wallMs);
    limits.cpu = std::chrono::seconds((wallMs + 999) / 1000);
    limits.memoryBytes = kImportMemoryBytes + kImportMemoryPerFileByte * jet.size();
    limits.outputBytes = outputs ? kOutputSlackBytes + kOutputPerFileByte * jet.size() : 0;

    std::vector<platform::ChildProcess> children(static_cast<size_t>(parts));
    std::vector<int> starts(static_cast<size_t>(parts), 0);
    QList<platform::ChildProcess *> all;
    const auto start = [&](qsizetype part) {
        ++starts[size_t(part)];
        const QString &target = targets.at(part);
        if (!target.isEmpty())
            QFile::remove(target); // what a child that died left
        children[size_t(part)].start(
            program, {QString::number(part), QString::number(parts), target.isEmpty() ? QStringLiteral("-") : target},
            limits, jet.fd());
    };
    for (qsizetype part = 0; part < parts; ++part) {
        start(part);
        all.append(&children[size_t(part)]);
    }
    for (;;) {
        bool running = false;
        for (qsizetype part = 0; part < parts; ++part) {
            const Verdict verdict = verdictOn(children[size_t(part)]);
            if (verdict == Verdict::Again && starts[size_t(part)] < kStartsPerPart) {
                start(part);
                running = true;
            } else if (verdict == Verdict::Running) {
                running = true;
            } else if (verdict != Verdict::Done) {
                return resultOf(verdict); // the others are ended with their objects
            }
        }
        if (!running)
            break;
        platform::waitForAny(all);
    }
    if (outputs)
        for (platform::ChildProcess &child : children)
            outputs->append(child.takeOutput());
    return ImportResult::Done;
}

int importPart(const QString &jetPath, int part, int parts, const QString &target)
{
    if (parts < 1 || part < 0 || part >= parts || target.isEmpty())
        return importexit::Usage;
    const bool toOutput = target == QLatin1String("-");
    const QByteArray name = toOutput ? QByteArray(":memory:") : QFile::encodeName(target);
    if (!toOutput) {
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0)
            return importexit::CannotWrite;
        ::close(fd);
    }
    sqlite3 *db = nullptr;
    const auto closed = [&db](int code) {
        const bool ok = sqlite3_close(db) == SQLITE_OK;
        return ok || code != importexit::Done ? code : importexit::CannotWrite;
    };
    if (sqlite3_open_v2(name.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
        return closed(importexit::CannotWrite);
    const QByteArray pragmas = "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; PRAGMA locking_mode=EXCLUSIVE; "
                               "PRAGMA cache_size=-65536; PRAGMA application_id=" +
                               QByteArray::number(kCopyApplicationId);
    if (sqlite3_exec(db, pragmas.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        return closed(importexit::CannotWrite);
    const std::optional<QByteArrayList> names = userTableNames(jetPath);
    if (!names)
        return closed(importexit::Unreadable);
    if (!importTables(jetPath, db, part, parts))
        return closed(isWriteFault(sqlite3_errcode(db)) ? importexit::CannotWrite : importexit::Unreadable);
    const QByteArray digest = "PRAGMA user_version=" + QByteArray::number(tableListDigest(*names));
    if (sqlite3_exec(db, digest.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        return closed(importexit::CannotWrite);
    if (toOutput) {
        sqlite3_int64 size = 0;
        unsigned char *bytes = sqlite3_serialize(db, "main", &size, 0);
        const bool written = bytes && platform::writeAll(STDOUT_FILENO, bytes, size);
        sqlite3_free(bytes);
        if (!written)
            return closed(importexit::CannotWrite);
    }
    return closed(importexit::Done);
}

int tableListDigest(QByteArrayList names)
{
    std::sort(names.begin(), names.end());
    const QByteArray hash = QCryptographicHash::hash(names.join('\0'), QCryptographicHash::Sha1);
    return qFromBigEndian<qint32>(hash.constData());
}

} // namespace db::jet
