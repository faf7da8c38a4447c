#include "FaultyFiles.h"

#include "platform/SafeFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>

#include <linux/capability.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace testsupport {

namespace {

constexpr qint64 LongLineBytes = 10 * 1024 * 1024;
constexpr int GarbageBytes = 4096;

bool isRoot()
{
    return ::geteuid() == 0;
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size() && file.flush();
}

QByteArray garbage()
{
    QByteArray bytes(GarbageBytes, '\0');
    for (int i = 0; i < GarbageBytes; ++i)
        bytes[i] = char((i * 131 + 7) & 0xff); // every byte value, NUL, CR and LF among them
    return bytes;
}

// Fills the file system the folder is on until no byte is left.
void fill(const QString &folder)
{
    QFile filler(QDir(folder).filePath(QStringLiteral(".filler")));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return;
    const QByteArray block(4096, 'f');
    while (filler.write(block) == block.size()) {
    }
    const QByteArray byte(1, 'f');
    while (filler.write(byte) == 1) {
    }
}

} // namespace

QString faultName(Fault fault)
{
    switch (fault) {
    case Fault::Missing: return QStringLiteral("missing");
    case Fault::Empty: return QStringLiteral("empty");
    case Fault::Folder: return QStringLiteral("a folder");
    case Fault::Fifo: return QStringLiteral("a fifo");
    case Fault::DevZeroLink: return QStringLiteral("a link to /dev/zero");
    case Fault::Garbage: return QStringLiteral("binary garbage");
    case Fault::LongLine: return QStringLiteral("a 10 MB line");
    case Fault::Unreadable: return QStringLiteral("unreadable");
    case Fault::ReadOnlyFolder: return QStringLiteral("read-only folder");
    case Fault::FullDisk: return QStringLiteral("full disk");
    case Fault::FailingDevice: return QStringLiteral("failing device");
    }
    return {};
}

QList<Fault> allFaults()
{
    return {Fault::Missing,        Fault::Empty,    Fault::Folder,       Fault::Fifo,
            Fault::DevZeroLink,    Fault::Garbage,  Fault::LongLine,     Fault::Unreadable,
            Fault::ReadOnlyFolder, Fault::FullDisk, Fault::FailingDevice};
}

bool isWriteFault(Fault fault)
{
    return fault == Fault::ReadOnlyFolder || fault == Fault::FullDisk || fault == Fault::FailingDevice;
}

qint64 FailingSaveFile::writeData(const char *data, qint64 len)
{
    if (m_budget <= 0)
        return -1;
    const qint64 taken = QSaveFile::writeData(data, qMin(len, m_budget));
    m_budget -= qMax<qint64>(taken, 0);
    return taken;
}

TmpfsMount::TmpfsMount(const QString &folder, const QByteArray &options)
{
    if (!isRoot()) {
        m_skip = QStringLiteral("mounting a tmpfs needs root; the failing device covers the same code");
        return;
    }
    if (::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, options.constData()) != 0) {
        m_skip = QStringLiteral("cannot mount a tmpfs here");
        return;
    }
    m_folder = folder;
}

TmpfsMount::~TmpfsMount()
{
    if (!m_folder.isEmpty())
        ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
}

FileFault::FileFault(Fault fault, const QString &path, const QByteArray &goodContent)
    : m_fault(fault), m_path(path), m_content(goodContent)
{
    const QString folder = QFileInfo(path).absolutePath();
    const QByteArray name = QFile::encodeName(path);
    QFile::remove(path);
    switch (fault) {
    case Fault::Missing: break;
    case Fault::Empty:
        m_content.clear();
        writeBytes(path, m_content);
        break;
    case Fault::Folder: QDir().mkpath(path); break;
    case Fault::Fifo: ::mkfifo(name.constData(), 0644); break;
    case Fault::DevZeroLink: ::symlink("/dev/zero", name.constData()); break;
    case Fault::Garbage:
        m_content = garbage();
        writeBytes(path, m_content);
        break;
    case Fault::LongLine:
        m_content = QByteArray(LongLineBytes, 'x');
        writeBytes(path, m_content);
        break;
    case Fault::Unreadable:
        writeBytes(path, m_content);
        ::chmod(name.constData(), 0);
        if (isRoot()) {
            __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
            __user_cap_data_struct caps[2]{};
            if (::syscall(SYS_capget, &header, caps) != 0 || ::syscall(SYS_capset, &header, caps) != 0)
                m_skip = QStringLiteral("root reads mode 000 files, and its capabilities cannot be lowered here");
        }
        break;
    case Fault::ReadOnlyFolder:
        writeBytes(path, m_content);
        if (isRoot()) {
            const QByteArray d = QFile::encodeName(folder);
            if (::mount(d.constData(), d.constData(), nullptr, MS_BIND, nullptr) != 0) {
                m_skip = QStringLiteral("cannot bind-mount the folder read-only here");
                break;
            }
            m_mounts << folder;
            if (::mount(nullptr, d.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
                m_skip = QStringLiteral("cannot remount the folder read-only here");
        } else {
            m_readOnlyFolder = folder;
            ::chmod(QFile::encodeName(folder).constData(), 0555);
        }
        break;
    case Fault::FullDisk: {
        m_tmpfs = std::make_unique<TmpfsMount>(folder, "size=" + QByteArray::number(m_content.size() / 1024 + 64) +
                                                           "k,mode=0755");
        m_skip = m_tmpfs->skipReason();
        if (!m_skip.isEmpty())
            break;
        writeBytes(path, m_content);
        fill(folder);
        break;
    }
    case Fault::FailingDevice:
        writeBytes(path, m_content);
        platform::setSaveFileFactory([](const QString &target) { return std::make_unique<FailingSaveFile>(target); });
        break;
    }
}

FileFault::~FileFault()
{
    platform::setSaveFileFactory({});
    for (const QString &mount : std::as_const(m_mounts))
        ::umount2(QFile::encodeName(mount).constData(), MNT_DETACH);
    if (!m_readOnlyFolder.isEmpty())
        ::chmod(QFile::encodeName(m_readOnlyFolder).constData(), 0755);
    if (m_fault == Fault::Unreadable)
        ::chmod(QFile::encodeName(m_path).constData(), 0644);
}

qint64 FileFault::act(const std::function<void()> &step, int timeoutMs)
{
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    const QByteArray what = (QFileInfo(m_path).fileName() + QStringLiteral(", ") + faultName(m_fault)).toLocal8Bit();
    std::thread watchdog([&] {
        std::unique_lock<std::mutex> lock(mutex);
        if (!done.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return finished; })) {
            std::fprintf(stderr, "FAIL: the program hangs on %s (no answer within %d ms)\n", what.constData(),
                         timeoutMs);
            std::fflush(stderr);
            std::_Exit(1);
        }
    });
    // Root reads a mode 000 file; without the capabilities that override file modes the thread
    // meets the modes as their owner does, and everything else stays as it was.
    const bool unprivileged = m_fault == Fault::Unreadable && isRoot();
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved[2]{};
    if (unprivileged && ::syscall(SYS_capget, &header, saved) == 0) {
        __user_cap_data_struct reduced[2] = {saved[0], saved[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        ::syscall(SYS_capset, &header, reduced);
    }
    const auto restore = [&] {
        if (unprivileged)
            ::syscall(SYS_capset, &header, saved);
    };
    QElapsedTimer timer;
    timer.start();
    try {
        step();
    } catch (...) {
        restore();
        {
            std::lock_guard<std::mutex> lock(mutex);
            finished = true;
        }
        done.notify_one();
        watchdog.join();
        throw;
    }
    const qint64 elapsed = timer.elapsed();
    restore();
    {
        std::lock_guard<std::mutex> lock(mutex);
        finished = true;
    }
    done.notify_one();
    watchdog.join();
    return elapsed;
}

bool FileFault::untouched() const
{
    const QByteArray name = QFile::encodeName(m_path);
    struct stat info
    {
    };
    if (::lstat(name.constData(), &info) != 0)
        return m_fault == Fault::Missing;
    switch (m_fault) {
    case Fault::Missing: return false;
    case Fault::Folder: return S_ISDIR(info.st_mode);
    case Fault::Fifo: return S_ISFIFO(info.st_mode);
    case Fault::DevZeroLink:
        return S_ISLNK(info.st_mode) && QFileInfo(m_path).symLinkTarget() == QLatin1String("/dev/zero");
    case Fault::Unreadable:
        return S_ISREG(info.st_mode) && (info.st_mode & 0777) == 0 && info.st_size == m_content.size();
    default:
        return S_ISREG(info.st_mode) &&
               checksum(m_path) == QCryptographicHash::hash(m_content, QCryptographicHash::Sha256);
    }
}

QByteArray checksum(const QString &path)
{
    if (!platform::isRegularFile(path))
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return hash.result();
}

} // namespace testsupport
