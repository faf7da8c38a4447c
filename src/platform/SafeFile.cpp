#include "platform/SafeFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

SaveFileFactory &saveFileFactory()
{
    static SaveFileFactory factory;
    return factory;
}

// Closes the descriptor on every way out.
struct Descriptor
{
    int fd = -1;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

// Nothing at the path may be replaced unless it is a regular file we may write, or nothing at
// all: a folder, a fifo or a device named like one of our files is the user's and stays as it is,
// and so does a file whose mode forbids writing it.
bool replaceable(const QByteArray &name)
{
    struct stat info
    {
    };
    if (::lstat(name.constData(), &info) != 0)
        return errno == ENOENT;
    if (S_ISLNK(info.st_mode)) {
        if (::stat(name.constData(), &info) != 0)
            return false; // a dangling link: where it points is not ours to create
    }
    return S_ISREG(info.st_mode) && ::faccessat(AT_FDCWD, name.constData(), W_OK, AT_EACCESS) == 0;
}

} // namespace

bool isRegularFile(const QString &path)
{
    if (path.isEmpty())
        return false;
    struct stat info
    {
    };
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 && S_ISREG(info.st_mode);
}

FileRead readRegularFile(const QString &path, qint64 maxBytes, Oversize oversize)
{
    FileRead result;
    if (path.isEmpty())
        return result;
    const QByteArray name = QFile::encodeName(path);
    Descriptor file;
    // Opening does not wait for a writer when the path is a fifo; fstat then refuses it.
    file.fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (file.fd < 0) {
        struct stat info
        {
        };
        result.status = (errno == ENOENT || errno == ENOTDIR) && ::lstat(name.constData(), &info) != 0
                            ? FileRead::Missing
                            : FileRead::Damaged;
        return result;
    }
    result.status = FileRead::Damaged;
    struct stat info
    {
    };
    if (::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode))
        return result;
    if (info.st_size > maxBytes && oversize == Oversize::Damaged)
        return result;

    // One byte beyond the cap tells a file that grew while we read it.
    const qint64 wanted = maxBytes + 1;
    QByteArray bytes;
    bytes.resize(qsizetype(qMin<qint64>(wanted, qMax<qint64>(info.st_size, 0) + 1)));
    qint64 got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (got >= wanted)
                break;
            bytes.resize(qsizetype(qMin<qint64>(wanted, qMax<qint64>(got * 2, 4096))));
        }
        const ssize_t n = ::read(file.fd, bytes.data() + got, size_t(bytes.size() - got));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return result;
        }
        if (n == 0)
            break;
        got += n;
    }
    if (got > maxBytes) {
        if (oversize == Oversize::Damaged)
            return result;
        got = maxBytes;
    }
    bytes.truncate(qsizetype(got));
    result.bytes = std::move(bytes);
    result.status = FileRead::Ok;
    return result;
}

bool writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    if (path.isEmpty() || !replaceable(QFile::encodeName(path)))
        return false;
    std::unique_ptr<QSaveFile> file = saveFileFactory() ? saveFileFactory()(path) : std::make_unique<QSaveFile>(path);
    if (!file || !file->open(QIODevice::WriteOnly))
        return false;
    // commit() alone is not enough: a flush that fails for a full disk may still be committed,
    // leaving a short file under the real name. Every step is checked, and any failure discards.
    if (file->write(bytes) != bytes.size() || !file->flush() || file->error() != QFileDevice::NoError) {
        file->cancelWriting();
        file->commit();
        return false;
    }
    return file->commit();
}

void setSaveFileFactory(SaveFileFactory factory)
{
    saveFileFactory() = std::move(factory);
}

} // namespace platform
