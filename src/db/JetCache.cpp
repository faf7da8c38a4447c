#include "db/JetCache.h"

#include "db/Database.h"
#include "db/JetChildren.h"
#include "platform/VbError.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QRegularExpression>
#include <QSet>
#include <QUrl>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <signal.h>
#include <sqlite3.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <utility>

namespace db {

namespace {

struct CacheSetting
{
    QMutex lock;
    QString folder;
    QString swept; // the folder whose leftovers are gone
};

CacheSetting &cacheSetting()
{
    static CacheSetting setting;
    return setting;
}

constexpr char kCacheSuffix[] = ".sqlite";
// Each import writes into a private folder of its own below the cache folder, which holds a lock
// for as long as its process runs.
constexpr char kImportFolderPrefix[] = ".import-";
constexpr char kLockName[] = ".lock";
// A folder of an import without its lock yet is its process's only for a moment.
constexpr qint64 kAbandonedAfterSecs = 60;

// <path key>-<state key>-<part>of<parts>-<checksum>.sqlite
const QRegularExpression &copyName()
{
    static const QRegularExpression name(QStringLiteral("^([0-9a-f]{16})-([0-9a-f]{16})-(\\d+)of(\\d+)-([0-9a-f]{16})"
                                                        "\\.sqlite$"));
    return name;
}

bool isDirectory(const QString &path)
{
    struct stat info
    {
    };
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

// An import folder whose process is gone: nobody holds its lock.
bool abandoned(const QString &importFolder)
{
    const int fd = ::open(QFile::encodeName(importFolder + u'/' + QLatin1String(kLockName)).constData(),
                          O_RDWR | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return QFileInfo(importFolder).lastModified().secsTo(QDateTime::currentDateTime()) > kAbandonedAfterSecs;
    const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return free;
}

void removeAbandonedImports(const QDir &folder)
{
    for (const QString &name :
         folder.entryList({QLatin1String(kImportFolderPrefix) + u'*'}, QDir::Dirs | QDir::Hidden | QDir::NoSymLinks))
        if (isDirectory(folder.filePath(name)) && abandoned(folder.filePath(name)))
            QDir(folder.filePath(name)).removeRecursively();
}

// Earlier versions imported into /tmp under names anyone could guess and read; what their killed
// imports left there goes as well.
void removeOldTemporaryFiles()
{
    const QDir temp(QDir::tempPath());
    for (const QString &name : temp.entryList({QStringLiteral("velkor-jet-*.tmp")}, QDir::Files | QDir::System)) {
        const QByteArray file = QFile::encodeName(temp.filePath(name));
        struct stat info
        {
        };
        const pid_t owner = pid_t(name.section(u'.', 1, 1).toInt());
        if (::lstat(file.constData(), &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid() && owner > 0 &&
            ::kill(owner, 0) != 0 && errno == ESRCH)
            ::unlink(file.constData());
    }
}

// Makes the folder (and each missing level above it) private to the user, as it must be: it holds
// copies of a password-protected database. False when it is not ours or cannot be made.
bool makePrivateFolder(const QString &path)
{
    const QString clean = QDir::cleanPath(path);
    QString level;
    for (const QString &piece : clean.split(u'/')) {
        level += piece;
        if (!level.isEmpty() && ::mkdir(QFile::encodeName(level).constData(), 0700) != 0 && errno != EEXIST)
            return false;
        level += u'/';
    }
    const QByteArray name = QFile::encodeName(clean);
    struct stat info
    {
    };
    if (::stat(name.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid())
        return false;
    return (info.st_mode & 077) == 0 || ::chmod(name.constData(), 0700) == 0;
}

} // namespace

void setJetCacheFolder(const QString &folder)
{
    CacheSetting &setting = cacheSetting();
    QMutexLocker locker(&setting.lock);
    setting.folder = folder;
    setting.swept.clear();
}

void removeJetCacheFolder(const QString &folder)
{
    const QDir dir(folder);
    if (folder.isEmpty() || !isDirectory(folder))
        return;
    for (const QString &name : dir.entryList(QDir::Files | QDir::System | QDir::Hidden))
        if (copyName().match(name).hasMatch() || name.endsWith(QLatin1String(".tmp")))
            QFile::remove(dir.filePath(name));
    removeAbandonedImports(dir);
    dir.rmdir(dir.absolutePath());
}

namespace jet {

namespace {

// The key reads the header pages whole (the password is kept there) and pages spread over the
// rest of the file.
constexpr qint64 kHeadBytes = 64 * 1024;
constexpr int kSampledPages = 64;
constexpr qint64 kSampledPageBytes = 4096;
// Files from this size on are imported by several processes at once, each taking some tables.
constexpr qint64 kSplitFromBytes = 1024 * 1024;
constexpr int kParts = 6;
// The cache keeps the copies of this many Jet files, the ones used last.
constexpr int kKeptPaths = 4;
// A copy is no larger than its Jet file (about 103 MB for 104 MB with 20,000 grades), but for
// SQLite's pages of a small one; and the cache never takes the last megabytes of a disk.
constexpr qint64 kCopySlackBytes = 1024 * 1024;
constexpr qint64 kKeepFreeBytes = 32 * 1024 * 1024;

qint64 &splitFromBytes()
{
    static qint64 bytes = kSplitFromBytes;
    return bytes;
}

[[noreturn]] void unrecognized(const QString &path)
{
    throw platform::VbError(dberr::UnrecognizedFormat, QStringLiteral("Unrecognized database format '%1'.").arg(path));
}

[[noreturn]] void refuse(ImportResult result, const QString &path)
{
    if (result == ImportResult::NoProgram)
        throw platform::VbError(
            dberr::OtherEngineError,
            QStringLiteral("Could not start the import program '%1'.")
                .arg(importProgram().isEmpty() ? QLatin1String(kImportProgramName) : importProgram()));
    if (result == ImportResult::CannotWrite)
        throw platform::VbError(dberr::ResourcesExceeded, QStringLiteral("System resource exceeded."));
    unrecognized(path);
}

QString hashHex(const QByteArray &data)
{
    return QString::fromLatin1(QCryptographicHash::hash(data, QCryptographicHash::Sha1).toHex().left(16));
}

// A fast checksum of a whole file (four interleaved multiply-rotate lanes over 64-bit words),
// enough to find a cache file that was cut short or damaged; nothing when it cannot be read or
// is no regular file.
std::optional<quint64> fileChecksum(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size <= 0) {
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

QByteArray timeText(const timespec &time)
{
    return QByteArray::number(qint64(time.tv_sec)) + '.' + QByteArray::number(qint64(time.tv_nsec));
}

// The state of the Jet file that a cached copy must have been made from: which file it is
// (device and inode), its size, modification and change time (which no copy can set back), and
// a digest of its header pages and of pages spread through the whole file.
QString stateKey(const JetSource &jet)
{
    const struct stat &st = jet.state();
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(QByteArray::number(kCopyApplicationId) + '|' + QByteArray::number(quint64(st.st_dev)) + '|' +
                 QByteArray::number(quint64(st.st_ino)) + '|' + QByteArray::number(qint64(st.st_size)) + '|' +
                 timeText(st.st_mtim) + '|' + timeText(st.st_ctim));
    hash.addData(jet.read(0, kHeadBytes));
    const qint64 rest = jet.size() - kHeadBytes - kSampledPageBytes;
    if (rest > 0)
        for (int i = 0; i < kSampledPages; ++i) {
            const qint64 offset = kHeadBytes + rest * i / (kSampledPages - 1);
            hash.addData(jet.read(offset - offset % kSampledPageBytes, kSampledPageBytes));
        }
    return QString::fromLatin1(hash.result().toHex().left(16));
}

QString pathKey(const QString &canonicalPath)
{
    return hashHex(canonicalPath.toUtf8());
}

bool hasCopyHeader(const QByteArray &header)
{
    return header.size() >= 100 && header.startsWith(QByteArray("SQLite format 3\0", 16)) &&
           (quint32(quint8(header.at(68))) << 24 | quint32(quint8(header.at(69))) << 16 |
            quint32(quint8(header.at(70))) << 8 | quint32(quint8(header.at(71)))) == kCopyApplicationId;
}

QByteArray schemaName(int part)
{
    return part == 0 ? QByteArray("main") : "part" + QByteArray::number(part);
}

// Runs a statement; each row's first column goes to `row`. False on an error.
template <typename Row>
bool eachRow(sqlite3 *db, const QByteArray &sql, Row &&row)
{
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        return false;
    }
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW)
        row(statement);
    sqlite3_finalize(statement);
    return rc == SQLITE_DONE;
}

// The parts together hold every table of the Jet file, each once: what each part recorded of the
// file's tables is what they hold.
bool partsHoldEveryTable(sqlite3 *db, int parts)
{
    QByteArrayList names;
    QSet<QString> seen;
    bool unique = true;
    std::optional<int> digest;
    bool agreed = true;
    for (int part = 0; part < parts; ++part) {
        const QByteArray schema = schemaName(part);
        const bool listed =
            eachRow(db, "SELECT name FROM " + schema + ".sqlite_master WHERE type = 'table'", [&](sqlite3_stmt *row) {
                const QByteArray name(reinterpret_cast<const char *>(sqlite3_column_text(row, 0)));
                if (name.toLower().startsWith("sqlite_"))
                    return;
                const QString folded = QString::fromUtf8(name).toCaseFolded();
                unique = unique && !seen.contains(folded);
                seen.insert(folded);
                names.append(name);
            });
        const bool versioned = eachRow(db, "PRAGMA " + schema + ".user_version", [&](sqlite3_stmt *row) {
            const int recorded = sqlite3_column_int(row, 0);
            agreed = agreed && (!digest || *digest == recorded);
            digest = recorded;
        });
        if (!listed || !versioned)
            return false;
    }
    return unique && agreed && digest && tableListDigest(names) == *digest;
}

// A part of a copy: a file in the cache, opened in place, or a database in memory.
struct Part
{
    QString file;
    QByteArray bytes;
};

// One connection over the parts: the first is the main database, the others are attached, so
// that every table is reached by its name alone. Nothing when a part is damaged or the parts do
// not hold every table together. A part in memory is let go of once SQLite has its copy.
sqlite3 *openParts(QList<Part> parts)
{
    sqlite3 *db = nullptr;
    const auto fail = [&db]() -> sqlite3 * {
        sqlite3_close(db);
        return nullptr;
    };
    for (int part = 0; part < parts.size(); ++part) {
        const QByteArray schema = schemaName(part);
        Part &source = parts[part];
        if (source.file.isEmpty()) {
            if (!hasCopyHeader(source.bytes.left(100)))
                return fail();
            if (part == 0 && sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
                return fail();
            if (part > 0 && sqlite3_exec(db, "ATTACH ':memory:' AS " + schema, nullptr, nullptr, nullptr) != SQLITE_OK)
                return fail();
            const qint64 size = source.bytes.size();
            auto *buffer = static_cast<unsigned char *>(sqlite3_malloc64(sqlite3_uint64(size)));
            if (!buffer)
                return fail();
            std::memcpy(buffer, source.bytes.constData(), size_t(size));
            source.bytes = QByteArray();
            if (sqlite3_deserialize(db, schema.constData(), buffer, size, size,
                                    SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_READONLY) != SQLITE_OK)
                return fail();
        } else {
            QFile file(source.file);
            if (!hasCopyHeader(file.open(QIODevice::ReadOnly) ? file.read(100) : QByteArray()))
                return fail();
            const QByteArray uri = "file:" + QUrl::toPercentEncoding(source.file, "/") + "?mode=ro&immutable=1";
            if (part == 0 &&
                sqlite3_open_v2(uri.constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr) != SQLITE_OK)
                return fail();
            if (part > 0 &&
                sqlite3_exec(db, "ATTACH '" + uri + "' AS " + schema, nullptr, nullptr, nullptr) != SQLITE_OK)
                return fail();
        }
    }
    if (!partsHoldEveryTable(db, int(parts.size())))
        return fail();
    return db;
}

QList<Part> inMemory(QList<QByteArray> outputs)
{
    QList<Part> parts;
    for (QByteArray &bytes : outputs)
        parts.append({QString(), std::exchange(bytes, {})});
    return parts;
}

QList<Part> readIntoMemory(const QStringList &files)
{
    QList<QByteArray> outputs;
    for (const QString &name : files) {
        QFile file(name);
        outputs.append(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    }
    return inMemory(std::move(outputs));
}

QString partName(const QString &stem, int part, int parts, quint64 checksum)
{
    return QStringLiteral("%1-%2of%3-%4%5")
        .arg(stem)
        .arg(part)
        .arg(parts)
        .arg(checksum, 16, 16, QLatin1Char('0'))
        .arg(QLatin1String(kCacheSuffix));
}

void removeAll(const QDir &folder, const QStringList &names)
{
    for (const QString &name : names)
        ::unlink(QFile::encodeName(folder.filePath(name)).constData());
}

// The cached copy of the file's current state, or nothing; damaged or incomplete copies are removed.
sqlite3 *fromCache(const QDir &folder, const QString &stem)
{
    const QStringList found =
        folder.entryList({stem + QStringLiteral("-*")}, QDir::Files | QDir::System | QDir::Hidden);
    if (found.isEmpty())
        return nullptr;
    QStringList files(found.size());
    bool whole = true;
    for (const QString &name : found) {
        const QRegularExpressionMatch match = copyName().match(name);
        const int part = match.captured(3).toInt(), parts = match.captured(4).toInt();
        const std::optional<quint64> sum = fileChecksum(folder.filePath(name));
        whole = whole && match.hasMatch() && parts == found.size() && part < parts && files.at(part).isEmpty() && sum &&
                partName(stem, part, parts, *sum) == name;
        if (whole)
            files[part] = folder.filePath(name);
    }
    if (whole) {
        QList<Part> parts;
        for (const QString &file : files)
            parts.append({file, {}});
        if (sqlite3 *db = openParts(parts)) {
            // The time of last use, by which the cache keeps the copies of the files used last.
            for (const QString &file : files)
                ::utimensat(AT_FDCWD, QFile::encodeName(file).constData(), nullptr, 0);
            return db;
        }
    }
    removeAll(folder, found); // made again by the caller
    return nullptr;
}

int partCount(const JetSource &jet)
{
    return jet.size() < splitFromBytes() ? 1 : kParts;
}

bool hasRoom(const QDir &folder, qint64 jetBytes)
{
    struct statvfs info
    {
    };
    if (::statvfs(QFile::encodeName(folder.absolutePath()).constData(), &info) != 0)
        return false;
    return qint64(info.f_bavail) * qint64(info.f_frsize) >= jetBytes + kCopySlackBytes + kKeepFreeBytes;
}

// A folder of its own for one import below the cache folder, locked while it lives.
class ImportFolder
{
public:
    explicit ImportFolder(const QDir &cache)
    {
        QByteArray name = QFile::encodeName(cache.filePath(QLatin1String(kImportFolderPrefix) + "XXXXXX"));
        if (!::mkdtemp(name.data()))
            return;
        m_path = QFile::decodeName(name);
        m_lock = ::open(QFile::encodeName(m_path + u'/' + QLatin1String(kLockName)).constData(),
                        O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (m_lock < 0 || ::flock(m_lock, LOCK_EX) != 0)
            remove();
    }
    ~ImportFolder() { remove(); }
    ImportFolder(const ImportFolder &) = delete;
    ImportFolder &operator=(const ImportFolder &) = delete;

    bool isMade() const { return !m_path.isEmpty(); }
    QString filePath(const QString &name) const { return m_path + u'/' + name; }

private:
    void remove()
    {
        if (!m_path.isEmpty())
            QDir(m_path).removeRecursively();
        m_path.clear();
        if (m_lock >= 0)
            ::close(m_lock);
        m_lock = -1;
    }

    QString m_path;
    int m_lock = -1;
};

// Keeps the copy just made and the copies of the other files used last; removes copies of earlier
// states of this file and of files used longer ago.
void prune(const QDir &folder, const QString &stem)
{
    QHash<QString, QStringList> byPath;
    QHash<QString, QDateTime> lastUse;
    const QString pathPart = stem.left(16);
    for (const QFileInfo &info : folder.entryInfoList(QDir::Files | QDir::System | QDir::Hidden)) {
        const QRegularExpressionMatch match = copyName().match(info.fileName());
        if (!match.hasMatch())
            continue;
        if (match.captured(1) == pathPart) {
            if (!info.fileName().startsWith(stem + u'-'))
                removeAll(folder, {info.fileName()});
            continue;
        }
        byPath[match.captured(1)].append(info.fileName());
        lastUse[match.captured(1)] = std::max(lastUse.value(match.captured(1)), info.lastModified());
    }
    QStringList others = byPath.keys();
    std::sort(others.begin(), others.end(),
              [&](const QString &a, const QString &b) { return lastUse.value(a) > lastUse.value(b); });
    for (qsizetype i = kKeptPaths - 1; i < others.size(); ++i)
        removeAll(folder, byPath.value(others.at(i)));
}

// Imports into the cache folder and opens the new copy; nothing when the copy cannot be kept there
// (no room, any write error), the caller then imports into memory.
sqlite3 *intoCache(const QDir &folder, const QString &stem, const JetSource &jet, const QString &path)
{
    if (!hasRoom(folder, jet.size()))
        return nullptr;
    const ImportFolder work(folder);
    if (!work.isMade())
        return nullptr;
    const int parts = partCount(jet);
    QStringList temporary;
    for (int part = 0; part < parts; ++part)
        temporary.append(work.filePath(QStringLiteral("%1.sqlite").arg(part)));
    const ImportResult result = importInChildren(jet, temporary);
    if (result == ImportResult::CannotWrite)
        return nullptr;
    if (result != ImportResult::Done)
        refuse(result, path);
    QStringList kept;
    // A file that changed while it was read is not kept: the copy may not be of one state.
    bool keep = jet.unchanged();
    for (int part = 0; keep && part < parts; ++part) {
        const std::optional<quint64> sum = fileChecksum(temporary.at(part));
        const QString name = partName(stem, part, parts, sum.value_or(0));
        keep = sum && ::rename(QFile::encodeName(temporary.at(part)).constData(),
                               QFile::encodeName(folder.filePath(name)).constData()) == 0;
        if (keep)
            kept.append(name);
    }
    if (!keep) {
        QStringList files = temporary;
        for (int part = 0; part < kept.size(); ++part)
            files[part] = folder.filePath(kept.at(part));
        QList<Part> copy = readIntoMemory(files);
        removeAll(folder, kept);
        sqlite3 *db = openParts(std::move(copy));
        if (!db)
            unrecognized(path);
        return db;
    }
    prune(folder, stem);
    QList<Part> copy;
    for (const QString &name : kept)
        copy.append({folder.filePath(name), {}});
    if (sqlite3 *db = openParts(copy))
        return db;
    removeAll(folder, kept);
    unrecognized(path);
}

sqlite3 *intoMemory(const JetSource &jet, const QString &path)
{
    QList<QByteArray> outputs;
    const ImportResult result = importInChildren(jet, QStringList(partCount(jet)), &outputs);
    if (result != ImportResult::Done)
        refuse(result, path);
    sqlite3 *db = openParts(inMemory(std::move(outputs)));
    if (!db)
        unrecognized(path);
    return db;
}

// The cache folder, ready for use: private, and rid of what earlier imports left (once per run).
QString usableCacheFolder()
{
    CacheSetting &setting = cacheSetting();
    QMutexLocker locker(&setting.lock);
    if (setting.folder.isEmpty() || !makePrivateFolder(setting.folder))
        return {};
    if (setting.swept != setting.folder) {
        removeAbandonedImports(QDir(setting.folder));
        removeOldTemporaryFiles();
        setting.swept = setting.folder;
    }
    return setting.folder;
}

} // namespace

void setSplitFromBytes(qint64 bytes)
{
    splitFromBytes() = bytes < 0 ? kSplitFromBytes : bytes;
}

QString cacheFileStem(const QString &canonicalPath)
{
    const JetSource jet(canonicalPath);
    return pathKey(canonicalPath) + u'-' + (jet.isOpen() ? stateKey(jet) : QString());
}

sqlite3 *openImported(const QString &path, const QString &canonicalPath)
{
    const JetSource jet(canonicalPath);
    if (!jet.isOpen())
        unrecognized(path);
    const QString folderPath = usableCacheFolder();
    if (!folderPath.isEmpty()) {
        const QDir folder(folderPath);
        const QString stem = pathKey(canonicalPath) + u'-' + stateKey(jet);
        if (sqlite3 *db = fromCache(folder, stem))
            return db;
        if (sqlite3 *db = intoCache(folder, stem, jet, path))
            return db;
    }
    return intoMemory(jet, path);
}

} // namespace jet
} // namespace db
