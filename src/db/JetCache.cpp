#include "db/JetCache.h"

#include "db/Database.h"
#include "db/JetImport.h"
#include "platform/VbError.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sqlite3.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace db {

namespace {

QString &cacheFolderSetting()
{
    static QString folder;
    return folder;
}

} // namespace

void setJetCacheFolder(const QString &folder)
{
    cacheFolderSetting() = folder;
}

namespace jet {

namespace {

// Marks our cache files (SQLite's application id) and changes with the import's output.
constexpr quint32 kCacheApplicationId = 0x564a4331; // "VJC1"
constexpr char kCacheSuffix[] = ".sqlite";
// The pages of a Jet file that go into the cache key beside its size and modification time.
constexpr qint64 kKeyedBytes = 16 * 4096;
// The import's time limit: a fixed allowance plus time for the file's size.
constexpr qint64 kImportBaseMs = 10000;
constexpr qint64 kImportBytesPerMs = 4000;
constexpr int kImportFailed = 3;
// Files from this size on are imported by several processes at once, each taking some tables.
constexpr qint64 kSplitFromBytes = 1024 * 1024;
constexpr int kParts = 6;

qint64 &splitFromBytes()
{
    static qint64 bytes = kSplitFromBytes;
    return bytes;
}

[[noreturn]] void unrecognized(const QString &path)
{
    throw platform::VbError(dberr::UnrecognizedFormat, QStringLiteral("Unrecognized database format '%1'.").arg(path));
}

QString hashHex(const QByteArray &data)
{
    return QString::fromLatin1(QCryptographicHash::hash(data, QCryptographicHash::Sha1).toHex().left(16));
}

// A fast checksum of a whole file (four interleaved multiply-rotate lanes over 64-bit words),
// enough to find a cache file that was cut short or damaged; nothing when it cannot be read.
std::optional<quint64> fileChecksum(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0 || st.st_size <= 0) {
        ::close(fd);
        return std::nullopt;
    }
    const size_t size = size_t(st.st_size);
    void *map = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    ::close(fd);
    if (map == MAP_FAILED)
        return std::nullopt;
    ::madvise(map, size, MADV_SEQUENTIAL);
    constexpr quint64 prime = 0x9E3779B97F4A7C15ull;
    quint64 lane[4] = {1, 2, 3, 4};
    const auto *bytes = static_cast<const uchar *>(map);
    size_t i = 0;
    for (; i + 32 <= size; i += 32)
        for (int k = 0; k < 4; ++k) {
            quint64 w;
            std::memcpy(&w, bytes + i + 8 * k, 8);
            lane[k] = ((lane[k] ^ w) * prime);
            lane[k] = (lane[k] << 29) | (lane[k] >> 35);
        }
    quint64 h = size;
    for (; i < size; ++i)
        h = (h ^ bytes[i]) * prime;
    ::munmap(map, size);
    for (quint64 l : lane)
        h = ((h ^ l) * prime) ^ (h >> 31);
    return h;
}

// The state of the Jet file that a cached copy must have been made from.
QString stateKey(const QString &canonicalPath)
{
    const QFileInfo info(canonicalPath);
    QFile file(canonicalPath);
    QByteArray firstPages;
    if (file.open(QIODevice::ReadOnly))
        firstPages = file.read(kKeyedBytes);
    const QByteArray state = QByteArray::number(kCacheApplicationId) + '|' + QByteArray::number(info.size()) + '|' +
                             QByteArray::number(info.lastModified().toMSecsSinceEpoch()) + '|' +
                             QCryptographicHash::hash(firstPages, QCryptographicHash::Sha1);
    return hashHex(state);
}

QString pathKey(const QString &canonicalPath)
{
    return hashHex(canonicalPath.toUtf8());
}

bool makeSqliteFile(const QByteArray &target, const QString &jetPath, int part, int parts)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(target.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    const QByteArray pragmas = "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; PRAGMA locking_mode=EXCLUSIVE; "
                               "PRAGMA cache_size=-65536; PRAGMA application_id=" +
                               QByteArray::number(kCacheApplicationId);
    bool ok = sqlite3_exec(db, pragmas.constData(), nullptr, nullptr, nullptr) == SQLITE_OK &&
              importTables(jetPath, db, part, parts);
    ok = sqlite3_close(db) == SQLITE_OK && ok;
    return ok;
}

void removeAll(const QStringList &files)
{
    for (const QString &file : files)
        QFile::remove(file);
}

// Imports the Jet file into new SQLite files, one per part, each in a child process of its own.
// False when any child failed, crashed or ran out of time; no target file is then left.
bool importInChildren(const QString &jetPath, const QStringList &targets)
{
    removeAll(targets);
    QList<pid_t> children;
    for (int part = 0; part < targets.size(); ++part) {
        const QByteArray targetName = QFile::encodeName(targets.at(part));
        const pid_t pid = ::fork();
        if (pid == 0) {
            // libmdb reports damage on standard error; the parent reports it as a format error.
            const int devnull = ::open("/dev/null", O_WRONLY);
            if (devnull >= 0)
                ::dup2(devnull, STDERR_FILENO);
            ::_exit(makeSqliteFile(targetName, jetPath, part, int(targets.size())) ? 0 : kImportFailed);
        }
        if (pid > 0)
            children.append(pid);
    }
    bool ok = children.size() == targets.size();
    const qint64 deadline =
        QDateTime::currentMSecsSinceEpoch() + kImportBaseMs + QFileInfo(jetPath).size() / kImportBytesPerMs;
    while (!children.isEmpty()) {
        for (qsizetype i = children.size() - 1; i >= 0; --i) {
            int status = 0;
            const pid_t done = ::waitpid(children.at(i), &status, WNOHANG);
            if (done == children.at(i) || (done < 0 && errno != EINTR)) {
                ok = ok && done > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
                children.removeAt(i);
            }
        }
        if (!ok || QDateTime::currentMSecsSinceEpoch() > deadline) {
            ok = false;
            for (const pid_t pid : children) {
                ::kill(pid, SIGKILL);
                ::waitpid(pid, nullptr, 0);
            }
            break;
        }
        if (!children.isEmpty()) {
            const timespec pause{0, 2'000'000};
            ::nanosleep(&pause, nullptr);
        }
    }
    if (!ok)
        removeAll(targets);
    return ok;
}

quint32 bigEndian32(const QByteArray &bytes, int offset)
{
    return (quint32(quint8(bytes.at(offset))) << 24) | (quint32(quint8(bytes.at(offset + 1))) << 16) |
           (quint32(quint8(bytes.at(offset + 2))) << 8) | quint32(quint8(bytes.at(offset + 3)));
}

bool isCacheFile(const QString &file)
{
    QFile f(file);
    const QByteArray header = f.open(QIODevice::ReadOnly) ? f.read(100) : QByteArray();
    return header.size() == 100 && header.startsWith(QByteArray("SQLite format 3\0", 16)) &&
           bigEndian32(header, 68) == kCacheApplicationId;
}

QByteArray schemaName(int part)
{
    return part == 0 ? QByteArray("main") : "part" + QByteArray::number(part);
}

// One connection over the parts: the first is the main database, the others are attached, so
// that every table is reached by its name alone. From files opened read-only in place, or
// (inMemory) read into memory, the files then removed.
sqlite3 *openParts(const QStringList &files, bool inMemory)
{
    sqlite3 *db = nullptr;
    const auto fail = [&db, &files, inMemory]() -> sqlite3 * {
        sqlite3_close(db);
        if (inMemory)
            removeAll(files);
        return nullptr;
    };
    for (int part = 0; part < files.size(); ++part) {
        if (!isCacheFile(files.at(part)))
            return fail();
        const QByteArray schema = schemaName(part);
        if (inMemory) {
            if (part == 0 && sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
                return fail();
            if (part > 0 && sqlite3_exec(db, "ATTACH ':memory:' AS " + schema, nullptr, nullptr, nullptr) != SQLITE_OK)
                return fail();
            QFile f(files.at(part));
            const qint64 size = f.open(QIODevice::ReadOnly) ? f.size() : 0;
            auto *buffer = size > 0 ? static_cast<unsigned char *>(sqlite3_malloc64(sqlite3_uint64(size))) : nullptr;
            if (!buffer || f.read(reinterpret_cast<char *>(buffer), size) != size) {
                sqlite3_free(buffer);
                return fail();
            }
            if (sqlite3_deserialize(db, schema.constData(), buffer, size, size,
                                    SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_READONLY) != SQLITE_OK)
                return fail();
        } else {
            const QByteArray uri = "file:" + QUrl::toPercentEncoding(files.at(part), "/") + "?mode=ro&immutable=1";
            if (part == 0 &&
                sqlite3_open_v2(uri.constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr) != SQLITE_OK)
                return fail();
            if (part > 0 &&
                sqlite3_exec(db, "ATTACH '" + uri + "' AS " + schema, nullptr, nullptr, nullptr) != SQLITE_OK)
                return fail();
        }
        if (sqlite3_exec(db, "SELECT count(*) FROM " + schema + ".sqlite_master", nullptr, nullptr, nullptr) !=
            SQLITE_OK)
            return fail();
    }
    if (inMemory)
        removeAll(files);
    return db;
}

// Cache files are named <stem>-<part>of<parts>-<checksum>.sqlite.
QString partName(const QString &stem, int part, int parts, quint64 checksum)
{
    return QStringLiteral("%1-%2of%3-%4%5")
        .arg(stem)
        .arg(part)
        .arg(parts)
        .arg(checksum, 16, 16, QLatin1Char('0'))
        .arg(QLatin1String(kCacheSuffix));
}

// The cached copy of the file's current state, or nothing; damaged or incomplete copies are removed.
sqlite3 *fromCache(const QDir &folder, const QString &stem)
{
    const QStringList found = folder.entryList({stem + QStringLiteral("-*") + kCacheSuffix}, QDir::Files, QDir::Name);
    if (found.isEmpty())
        return nullptr;
    QStringList files;
    bool whole = true;
    for (const QString &name : found) {
        const QStringList pieces = name.mid(stem.size() + 1).chopped(int(strlen(kCacheSuffix))).split(u'-');
        const QStringList counts = pieces.value(0).split(QStringLiteral("of"));
        const int part = counts.value(0).toInt(), parts = counts.value(1).toInt();
        const std::optional<quint64> sum = fileChecksum(folder.filePath(name));
        whole = whole && pieces.size() == 2 && counts.size() == 2 && parts == found.size() && part == files.size() &&
                sum && partName(stem, part, parts, *sum) == name;
        files.append(folder.filePath(name));
    }
    if (whole)
        if (sqlite3 *db = openParts(files, false))
            return db;
    removeAll(files); // made again by the caller
    return nullptr;
}

int partCount(const QString &jetPath)
{
    return QFileInfo(jetPath).size() < splitFromBytes() ? 1 : kParts;
}

QStringList temporaryParts(const QDir &folder, const QString &stem, int parts)
{
    QStringList files;
    for (int part = 0; part < parts; ++part)
        files.append(folder.filePath(QStringLiteral("%1.%2.%3.tmp").arg(stem).arg(::getpid()).arg(part)));
    return files;
}

// Imports into the (writable) cache folder and opens the new copy; nothing when the copy cannot
// be kept there.
sqlite3 *intoCache(const QDir &folder, const QString &stem, const QString &path, const QString &canonicalPath)
{
    const int parts = partCount(canonicalPath);
    const QStringList temporary = temporaryParts(folder, stem, parts);
    if (!importInChildren(canonicalPath, temporary))
        unrecognized(path);
    QStringList files;
    for (int part = 0; part < parts; ++part) {
        const std::optional<quint64> sum = fileChecksum(temporary.at(part));
        const QString final = folder.filePath(partName(stem, part, parts, sum.value_or(0)));
        if (!sum ||
            ::rename(QFile::encodeName(temporary.at(part)).constData(), QFile::encodeName(final).constData()) != 0) {
            removeAll(temporary);
            removeAll(files);
            return nullptr;
        }
        files.append(final);
    }
    // Copies of earlier states of the same file are of no more use, nor are the temporary files of
    // imports whose process is gone.
    const QString pathPart = stem.section(u'-', 0, 0);
    for (const QString &name : folder.entryList({pathPart + QStringLiteral("-*")}, QDir::Files)) {
        const bool temporaryFile = name.endsWith(QLatin1String(".tmp"));
        const pid_t owner = pid_t(name.section(u'.', 1, 1).toInt());
        if (temporaryFile ? owner > 0 && ::kill(owner, 0) != 0 && errno == ESRCH : !name.startsWith(stem))
            QFile::remove(folder.filePath(name));
    }
    return openParts(files, false);
}

} // namespace

void setSplitFromBytes(qint64 bytes)
{
    splitFromBytes() = bytes < 0 ? kSplitFromBytes : bytes;
}

QString cacheFileStem(const QString &canonicalPath)
{
    return pathKey(canonicalPath) + u'-' + stateKey(canonicalPath);
}

sqlite3 *openImported(const QString &path, const QString &canonicalPath)
{
    const QString folderPath = cacheFolderSetting();
    if (!folderPath.isEmpty() && QDir().mkpath(folderPath)) {
        const QDir folder(folderPath);
        const QString stem = cacheFileStem(canonicalPath);
        if (sqlite3 *db = fromCache(folder, stem))
            return db;
        if (QFileInfo(folderPath).isWritable())
            if (sqlite3 *db = intoCache(folder, stem, path, canonicalPath))
                return db;
    }
    const QStringList temporary = temporaryParts(
        QDir(QDir::tempPath()), QStringLiteral("velkor-jet-%1").arg(pathKey(canonicalPath)), partCount(canonicalPath));
    if (!importInChildren(canonicalPath, temporary))
        unrecognized(path);
    sqlite3 *db = openParts(temporary, true);
    if (!db)
        unrecognized(path);
    return db;
}

} // namespace jet
} // namespace db
