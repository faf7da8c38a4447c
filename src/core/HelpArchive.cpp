#include "core/HelpArchive.h"

#include "platform/ChildProcess.h"

#include <QFile>
#include <QSet>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <unistd.h>

#include <chm_lib.h>

namespace helparchive {

namespace {

constexpr char kMagic[] = "VHA1";
constexpr qsizetype kMagicBytes = 4;
constexpr qsizetype kLengthBytes = 4;
constexpr qsizetype kMaxPathBytes = CHM_MAX_PATHLEN;
// The reader's limits: the program's own help file takes a small part of each; a file that makes
// chmlib loop or swell reaches them.
constexpr std::chrono::milliseconds kReaderWall{4000};
constexpr std::chrono::seconds kReaderCpu{3};
constexpr qint64 kReaderMemoryBytes = qint64(512) << 20;
constexpr qint64 kMaxArchiveBytes =
    kMagicBytes + kMaxTotalBytes + (kMaxObjects + 1) * (2 * kLengthBytes + kMaxPathBytes);

QString &programOverride()
{
    static QString program;
    return program;
}

struct Listing
{
    QList<QByteArray> paths;
    QSet<QByteArray> seen;
    bool damaged = false;
};

int listObject(chmFile *, chmUnitInfo *info, void *context)
{
    auto *listing = static_cast<Listing *>(context);
    const QByteArray path(info->path);
    // Directory pages chained in a circle list the same objects again and again.
    if (listing->seen.contains(path) || listing->paths.size() >= kMaxObjects) {
        listing->damaged = true;
        return CHM_ENUMERATOR_FAILURE;
    }
    listing->seen.insert(path);
    listing->paths.append(path);
    return CHM_ENUMERATOR_CONTINUE;
}

QByteArray lengthBytes(qsizetype length)
{
    QByteArray bytes(kLengthBytes, '\0');
    qToLittleEndian<quint32>(quint32(length), bytes.data());
    return bytes;
}

// The object's bytes, or nothing when its length is beyond the file or the limits, or chmlib cannot
// give all of it. chmlib keeps a block it failed to read in its cache as if it held data, so
// after one short read nothing more of the file can be trusted.
std::optional<QByteArray> readObject(chmFile *chm, chmUnitInfo &info, qint64 fileSize, qint64 *total)
{
    if (info.length > LONGUINT64(kMaxObjectBytes) || qint64(info.length) > kMaxTotalBytes - *total)
        return std::nullopt;
    if (info.space == CHM_UNCOMPRESSED && (info.start > LONGUINT64(fileSize) || info.length > fileSize - info.start))
        return std::nullopt;
    QByteArray bytes(qsizetype(info.length), '\0');
    if (info.length > 0 && chm_retrieve_object(chm, &info, reinterpret_cast<unsigned char *>(bytes.data()), 0,
                                               LONGINT64(info.length)) != LONGINT64(info.length))
        return std::nullopt;
    *total += qint64(info.length);
    return bytes;
}

// The compressed stream that holds the pages and pictures ends inside the file. A file cut short
// may still hold its first pages, but not the pages and pictures after them.
bool compressedContentComplete(chmFile *chm)
{
    chmUnitInfo info{};
    if (chm_resolve_object(chm, "::DataSpace/Storage/MSCompressed/Content", &info) != CHM_RESOLVE_SUCCESS ||
        info.length == 0)
        return true; // a file without compressed content
    unsigned char last = 0;
    return chm_retrieve_object(chm, &info, &last, LONGUINT64(info.length - 1), 1) == 1;
}

// The header of the file and of its directory, and the directory's listing pages (chmlib reads
// them as they stand): a page beyond the directory makes chmlib read past it, a chain of pages that
// turns back on itself makes it list for ever.
// One header of the file, read whole, with its signature.
template <std::size_t N>
bool readHeader(QFile &file, quint64 at, const char (&signature)[5], std::array<char, N> *bytes)
{
    return file.seek(qint64(at)) && file.read(bytes->data(), qint64(N)) == qint64(N) &&
           std::memcmp(bytes->data(), signature, 4) == 0;
}

template <typename T, std::size_t N>
T numberAt(const std::array<char, N> &bytes, std::size_t at)
{
    return qFromLittleEndian<T>(bytes.data() + at);
}

bool directorySound(QFile &file)
{
    constexpr std::size_t kFileHeaderBytes = 0x58, kDirOffsetAt = 0x48, kDirLengthAt = 0x50;
    constexpr std::size_t kDirHeaderBytes = 0x24, kDirHeaderLengthAt = 0x08, kPageBytesAt = 0x10, kFirstPageAt = 0x20;
    constexpr std::size_t kPageHeaderBytes = 0x14, kFreeBytesAt = 0x04, kNextPageAt = 0x10;
    constexpr quint32 kMaxPageBytes = 1 << 20;

    std::array<char, kFileHeaderBytes> head;
    if (!readHeader(file, 0, "ITSF", &head))
        return false;
    const auto dirOffset = numberAt<quint64>(head, kDirOffsetAt);
    const auto dirLength = numberAt<quint64>(head, kDirLengthAt);
    const auto fileSize = quint64(file.size());
    std::array<char, kDirHeaderBytes> dir;
    if (dirOffset > fileSize || dirLength > fileSize - dirOffset || dirLength < kDirHeaderBytes ||
        !readHeader(file, dirOffset, "ITSP", &dir))
        return false;
    const auto dirHeaderBytes = numberAt<quint32>(dir, kDirHeaderLengthAt);
    const auto pageBytes = numberAt<quint32>(dir, kPageBytesAt);
    if (dirHeaderBytes < kDirHeaderBytes || dirHeaderBytes > dirLength || pageBytes < kPageHeaderBytes ||
        pageBytes > kMaxPageBytes)
        return false;
    const auto pages = qint64((dirLength - dirHeaderBytes) / pageBytes);
    QSet<qint64> visited;
    for (qint64 page = numberAt<qint32>(dir, kFirstPageAt); page != -1;) {
        std::array<char, kPageHeaderBytes> header;
        if (page < 0 || page >= pages || visited.contains(page) ||
            !readHeader(file, dirOffset + dirHeaderBytes + quint64(page) * pageBytes, "PMGL", &header) ||
            numberAt<quint32>(header, kFreeBytesAt) > pageBytes - kPageHeaderBytes)
            return false;
        visited.insert(page);
        page = numberAt<qint32>(header, kNextPageAt);
    }
    return true;
}

struct Closer
{
    void operator()(chmFile *chm) const { chm_close(chm); }
};

} // namespace

int writeArchive(const QString &chmPath, qint64 fileSize, int fd)
{
    QFile file(chmPath);
    if (!file.open(QIODevice::ReadOnly) || !directorySound(file))
        return readerexit::Damaged;
    const std::unique_ptr<chmFile, Closer> chm(chm_open(QFile::encodeName(chmPath).constData()));
    if (!chm)
        return readerexit::Damaged;
    Listing listing;
    // The file's own records first: the names of its contents, index and default page.
    listing.paths.append(QByteArrayLiteral("/#SYSTEM"));
    listing.seen.insert(listing.paths.first());
    if (!chm_enumerate(chm.get(), CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, listObject, &listing) ||
        listing.damaged || !compressedContentComplete(chm.get()))
        return readerexit::Damaged;

    if (!platform::writeAll(fd, kMagic, kMagicBytes))
        return readerexit::CannotWrite;
    qint64 total = 0;
    for (qsizetype i = 0; i < listing.paths.size(); ++i) {
        const QByteArray &path = listing.paths.at(i);
        chmUnitInfo info{};
        if (chm_resolve_object(chm.get(), path.constData(), &info) != CHM_RESOLVE_SUCCESS) {
            if (i == 0)
                continue; // without the records, the file's parts are found by their suffixes
            return readerexit::Damaged;
        }
        const std::optional<QByteArray> bytes = readObject(chm.get(), info, fileSize, &total);
        if (!bytes)
            return readerexit::Damaged;
        const QByteArray header = lengthBytes(path.size()) + path + lengthBytes(bytes->size());
        if (!platform::writeAll(fd, header.constData(), header.size()) ||
            !platform::writeAll(fd, bytes->constData(), bytes->size()))
            return readerexit::CannotWrite;
    }
    const QByteArray end = lengthBytes(0);
    return platform::writeAll(fd, end.constData(), end.size()) ? readerexit::Done : readerexit::CannotWrite;
}

std::optional<QList<Object>> parseArchive(const QByteArray &archive)
{
    if (archive.size() > kMaxArchiveBytes || !archive.startsWith(QByteArray(kMagic, kMagicBytes)))
        return std::nullopt;
    qsizetype at = kMagicBytes;
    const auto length = [&](qsizetype *value) {
        if (archive.size() - at < kLengthBytes)
            return false;
        *value = qsizetype(qFromLittleEndian<quint32>(archive.constData() + at));
        at += kLengthBytes;
        return true;
    };
    QList<Object> objects;
    QSet<QString> seen;
    qint64 total = 0;
    for (;;) {
        qsizetype pathBytes = 0;
        if (!length(&pathBytes))
            return std::nullopt;
        if (pathBytes == 0)
            break;
        if (pathBytes > kMaxPathBytes || archive.size() - at < pathBytes || objects.size() >= kMaxObjects)
            return std::nullopt;
        const QString path = QString::fromUtf8(archive.constData() + at, pathBytes);
        at += pathBytes;
        qsizetype size = 0;
        if (!length(&size) || size > kMaxObjectBytes || archive.size() - at < size)
            return std::nullopt;
        total += size;
        if (total > kMaxTotalBytes || !path.startsWith(QLatin1Char('/')) || seen.contains(path))
            return std::nullopt;
        seen.insert(path);
        objects.append({path, archive.mid(at, size)});
        at += size;
    }
    if (at != archive.size())
        return std::nullopt;
    return objects;
}

ReadResult readInChild(int fd, QList<Object> *objects)
{
    const QString program = readerProgram();
    if (program.isEmpty())
        return ReadResult::NoReader;
    platform::ChildLimits limits;
    limits.wall = kReaderWall;
    limits.cpu = kReaderCpu;
    limits.memoryBytes = kReaderMemoryBytes;
    limits.outputBytes = kMaxArchiveBytes;
    platform::ChildProcess reader;
    if (!reader.start(program, {}, limits, fd)) {
        const int error = reader.startError();
        return error == ENOENT || error == EACCES || error == ENOEXEC || error == ENOTDIR ? ReadResult::NoReader
                                                                                          : ReadResult::Damaged;
    }
    reader.waitForEnd();
    if (!reader.succeeded())
        return ReadResult::Damaged;
    std::optional<QList<Object>> parsed = parseArchive(reader.takeOutput());
    if (!parsed)
        return ReadResult::Damaged;
    *objects = std::move(*parsed);
    return ReadResult::Done;
}

QString readerProgram()
{
    return programOverride().isEmpty() ? platform::helperProgram(QLatin1String(kReaderProgramName)) : programOverride();
}

void setReaderProgram(const QString &program)
{
    programOverride() = program;
}

} // namespace helparchive
