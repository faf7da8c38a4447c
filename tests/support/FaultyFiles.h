#pragma once

// Bad files and bad folders as a user's desktop has them, for the tests of everything the program
// reads and writes.

#include <QByteArray>
#include <QSaveFile>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace testsupport {

enum class Fault {
    Missing,        // nothing at the path
    Empty,          // a file of no bytes
    Folder,         // a folder of that name
    Fifo,           // a named pipe nobody writes to
    DevZeroLink,    // a link to /dev/zero: endless zero bytes
    Garbage,        // binary bytes, NULs and line ends among them
    LongLine,       // 10 MB without a line end
    Unreadable,     // mode 000
    ReadOnlyFolder, // a good file in a folder that takes no writes
    FullDisk,       // a good file on a file system without a free byte
    FailingDevice,  // a good file; every write through the file service fails half way
};

QString faultName(Fault fault);
QList<Fault> allFaults();
// True for the faults where the file itself is good and only writing it fails.
bool isWriteFault(Fault fault);

// A QSaveFile that takes the first bytes it is given and then fails, as a disk that fills up.
class FailingSaveFile : public QSaveFile
{
public:
    explicit FailingSaveFile(const QString &name, qint64 budget = 8) : QSaveFile(name), m_budget(budget) {}

protected:
    qint64 writeData(const char *data, qint64 len) override;

private:
    qint64 m_budget;
};

// A tmpfs mounted over a folder with the mount options given ("size=8m", "nr_inodes=3"), until the
// object goes: a real file system that runs out of room. Needs root or the right to mount;
// skipReason() tells when it cannot be made here.
class TmpfsMount
{
public:
    TmpfsMount(const QString &folder, const QByteArray &options);
    ~TmpfsMount();
    TmpfsMount(const TmpfsMount &) = delete;
    TmpfsMount &operator=(const TmpfsMount &) = delete;

    QString skipReason() const { return m_skip; }

private:
    QString m_folder;
    QString m_skip;
};

// Makes one fault for the file at path. goodContent is what the file holds for the write faults
// (and what a test compares with afterwards). The folder of path must exist; the fault is undone
// when the object goes.
//
// FullDisk mounts a tiny tmpfs over the file's folder, and ReadOnlyFolder a read-only bind mount
// of it when running as root (who may write into any folder otherwise); both need root or the
// right to mount. Unreadable, for root who reads mode 000 files, runs act() without the
// capabilities that override file modes. skipReason() tells when a fault cannot be made here.
class FileFault
{
public:
    FileFault(Fault fault, const QString &path, const QByteArray &goodContent);
    ~FileFault();
    FileFault(const FileFault &) = delete;
    FileFault &operator=(const FileFault &) = delete;

    QString skipReason() const { return m_skip; }
    // Runs the program's step under the fault; a hang ends the test run with a message after
    // timeoutMs instead of blocking it. Returns the milliseconds it took.
    qint64 act(const std::function<void()> &step, int timeoutMs = 20000);
    // The file at the path is still what the fault made of it (a folder, a fifo, the link, the
    // good content, the unreadable bytes).
    bool untouched() const;

private:
    Fault m_fault;
    QString m_path;
    QByteArray m_content;
    QString m_skip;
    QStringList m_mounts;
    std::unique_ptr<TmpfsMount> m_tmpfs;
    QString m_readOnlyFolder;
};

// The SHA-256 of a file's bytes, empty when it cannot be read.
QByteArray checksum(const QString &path);

} // namespace testsupport
