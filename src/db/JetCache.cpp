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
#include <optional>
#include <fcntl.h>
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
    struct stat st {};
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
    const QByteArray state = QByteArray::number(kCacheApplicationId) + '|' + QByteArray::number(info.size()) + '|'
        + QByteArray::number(info.lastModified().toMSecsSinceEpoch()) + '|'
        + QCryptographicHash::hash(firstPages, QCryptographicHash::Sha1);
    return hashHex(state);
}

QString pathKey(const QString &canonicalPath)
{
    return hashHex(canonicalPath.toUtf8());
}

bool makeSqliteFile(const QByteArray &target, const QString &jetPath)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(target.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    const QByteArray pragmas = "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; PRAGMA locking_mode=EXCLUSIVE; "
                               "PRAGMA cache_size=-65536; PRAGMA application_id="
        + QByteArray::number(kCacheApplicationId);
    bool ok = sqlite3_exec(db, pragmas.constData(), nullptr, nullptr, nullptr) == SQLITE_OK
        && importTables(jetPath, db);
    ok = sqlite3_close(db) == SQLITE_OK && ok;
    return ok;
}

// Imports the Jet file into a new SQLite file at target in a child process. False when the
// child failed, crashed or ran out of time.
bool importInChild(const QString &jetPath, const QString &target)
{
    const QByteArray targetName = QFile::encodeName(target);
    QFile::remove(target);
    const pid_t pid = ::fork();
    if (pid < 0)
        return false;
    if (pid == 0) {
        // libmdb reports damage on standard error; the parent reports it as a format error.
        const int devnull = ::open("/dev/null", O_WRONLY);
        if (devnull >= 0)
            ::dup2(devnull, STDERR_FILENO);
        ::_exit(makeSqliteFile(targetName, jetPath) ? 0 : kImportFailed);
    }
    const qint64 limit = kImportBaseMs + QFileInfo(jetPath).size() / kImportBytesPerMs;
    const qint64 deadline = QDateTime::currentMSecsSinceEpoch() + limit;
    int status = 0;
    for (;;) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid)
            break;
        if (done < 0 && errno != EINTR)
            return false;
        if (QDateTime::currentMSecsSinceEpoch() > deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            QFile::remove(target);
            return false;
        }
        const timespec pause{0, 2'000'000};
        ::nanosleep(&pause, nullptr);
    }
    const bool ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!ok)
        QFile::remove(target);
    return ok;
}

quint32 bigEndian32(const QByteArray &bytes, int offset)
{
    return (quint32(quint8(bytes.at(offset))) << 24) | (quint32(quint8(bytes.at(offset + 1))) << 16)
        | (quint32(quint8(bytes.at(offset + 2))) << 8) | quint32(quint8(bytes.at(offset + 3)));
}

// Opens a cache file read-only; nothing when it is not one of our complete copies.
sqlite3 *openCacheFile(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return nullptr;
    const QByteArray header = f.read(100);
    if (header.size() < 100 || !header.startsWith(QByteArray("SQLite format 3\0", 16))
        || bigEndian32(header, 68) != kCacheApplicationId)
        return nullptr;
    const QByteArray uri = "file:" + QUrl::toPercentEncoding(file, "/") + "?mode=ro&immutable=1";
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(uri.constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr) != SQLITE_OK
        || sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return nullptr;
    }
    return db;
}

// Reads a finished import into an in-memory database, then removes the file.
sqlite3 *loadIntoMemory(const QString &file)
{
    QFile f(file);
    const bool opened = f.open(QIODevice::ReadOnly);
    const qint64 size = opened ? f.size() : 0;
    auto *buffer = size > 0 ? static_cast<unsigned char *>(sqlite3_malloc64(sqlite3_uint64(size))) : nullptr;
    const bool read = buffer && f.read(reinterpret_cast<char *>(buffer), size) == size;
    f.close();
    QFile::remove(file);
    if (!read) {
        sqlite3_free(buffer);
        return nullptr;
    }
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK
        || sqlite3_deserialize(db, "main", buffer, size, size,
                               SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_READONLY) != SQLITE_OK) {
        sqlite3_close(db);
        return nullptr;
    }
    return db;
}

sqlite3 *fromCache(const QDir &folder, const QString &stem)
{
    const QStringList found = folder.entryList({stem + QStringLiteral("-*") + kCacheSuffix}, QDir::Files);
    for (const QString &name : found) {
        const QString file = folder.filePath(name);
        const QString expected = name.mid(stem.size() + 1).chopped(int(strlen(kCacheSuffix)));
        const std::optional<quint64> sum = fileChecksum(file);
        if (sum && QString::number(*sum, 16) == expected)
            if (sqlite3 *db = openCacheFile(file))
                return db;
        QFile::remove(file); // damaged: made again below
    }
    return nullptr;
}

// Imports into the (writable) cache folder and opens the new copy; nothing when the copy cannot
// be kept there.
sqlite3 *intoCache(const QDir &folder, const QString &stem, const QString &path, const QString &canonicalPath)
{
    const QString pathPart = stem.section(u'-', 0, 0);
    const QString temporary = folder.filePath(stem + QStringLiteral(".tmp%1").arg(::getpid()));
    if (!importInChild(canonicalPath, temporary))
        unrecognized(path);
    const std::optional<quint64> sum = fileChecksum(temporary);
    const QString final = folder.filePath(stem + u'-' + QString::number(sum.value_or(0), 16) + kCacheSuffix);
    if (!sum || ::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(final).constData()) != 0) {
        QFile::remove(temporary);
        return nullptr;
    }
    // Copies of earlier states of the same file are of no more use.
    for (const QString &name : folder.entryList({pathPart + QStringLiteral("-*")}, QDir::Files))
        if (!name.startsWith(stem))
            QFile::remove(folder.filePath(name));
    return openCacheFile(final);
}

} // namespace

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
    const QString temporary = QDir(QDir::tempPath()).filePath(QStringLiteral("velkor-jet-%1-%2.sqlite")
                                                                  .arg(::getpid())
                                                                  .arg(QDateTime::currentMSecsSinceEpoch()));
    if (!importInChild(canonicalPath, temporary))
        unrecognized(path);
    sqlite3 *db = loadIntoMemory(temporary);
    if (!db)
        unrecognized(path);
    return db;
}

} // namespace jet
} // namespace db
