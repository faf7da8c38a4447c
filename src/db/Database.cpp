#include "db/Database.h"

#include "db/EngineErrors.h"
#include "db/JetCache.h"
#include "db/JetHeader.h"
#include "db/JetLike.h"
#include "db/JetReadAhead.h"
#include "db/Query.h"
#include "db/Recordset.h"
#include "db/StatementCache.h"
#include "platform/SafeFile.h"
#include "platform/VbError.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QRandomGenerator>
#include <QUrl>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/file.h>
#include <unistd.h>

namespace db {

namespace {

// A table or schema name as SQL reads it: in double quotes, its own quotes doubled.
QString quotedName(QString name)
{
    return QLatin1Char('"') + name.replace(u'"', QStringLiteral("\"\"")) + QLatin1Char('"');
}

using detail::VerifierTable;
// Enough for a SQLite header (100 bytes) and a whole Jet header page (up to 4096 bytes).
constexpr qint64 HeaderBytes = 4096;

QList<std::weak_ptr<Database>> &openDatabases()
{
    static QList<std::weak_ptr<Database>> list;
    return list;
}

[[noreturn]] void unrecognized(const QString &path)
{
    throw platform::VbError(dberr::UnrecognizedFormat, QStringLiteral("Unrecognized database format '%1'.").arg(path));
}

quint32 bigEndian(const QByteArray &bytes, int offset, int size)
{
    quint32 v = 0;
    for (int i = 0; i < size; ++i)
        v = (v << 8) | quint8(bytes.at(offset + i));
    return v;
}

// The file's first bytes tell its format: a Jet file gives its version and its header page, which
// must be whole. A SQLite file must also be as long as its header says, so that a truncated copy
// is refused at once rather than failing later in some query.
std::optional<jet::Version> checkFormat(const QString &path, const QFileInfo &info, QByteArray *jetHeaderPage)
{
    const platform::FileRead file = platform::readRegularFile(path, HeaderBytes, platform::Oversize::Head);
    if (file.status == platform::FileRead::Missing)
        throw platform::VbError(dberr::FileNotFound, QStringLiteral("Could not find file '%1'.").arg(path));
    if (!file.ok())
        throw platform::VbError(
            dberr::CannotOpen,
            QStringLiteral("Cannot open the file '%1'. You need permission to view its data.").arg(path));
    const QByteArray &header = file.bytes;
    if (const std::optional<jet::Version> version = jet::versionOf(header)) {
        *jetHeaderPage = header.left(jet::pageSize(*version));
        if (jetHeaderPage->size() < jet::pageSize(*version))
            unrecognized(path);
        return version;
    }
    if (header.size() < 100 || !header.startsWith(QByteArray("SQLite format 3\0", 16)))
        unrecognized(path);
    quint32 pageSize = bigEndian(header, 16, 2);
    if (pageSize == 1)
        pageSize = 65536;
    if (pageSize < 512 || pageSize > 65536 || (pageSize & (pageSize - 1)) != 0)
        unrecognized(path);
    const qint64 size = info.size();
    if (size < qint64(pageSize) || size % pageSize != 0)
        unrecognized(path);
    const quint32 changeCounter = bigEndian(header, 24, 4);
    const quint32 pageCount = bigEndian(header, 28, 4);
    const quint32 validFor = bigEndian(header, 92, 4);
    if (pageCount != 0 && changeCounter == validFor && qint64(pageCount) * pageSize > size)
        unrecognized(path);
    return std::nullopt;
}

// The header and the page count are checked before; beyond them the schema and the first page of
// every table are read, so that a damaged file is refused at once. The file cannot change while it is
// open, so reading all of it (an integrity check takes seconds on a large file) would find no more
// than the queries themselves report.
void checkTablePages(sqlite3 *db)
{
    const RowSet tables =
        detail::runSelect(db, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND rootpage > 0"));
    for (const auto &row : tables.rows)
        detail::runSelect(db, QStringLiteral("SELECT 1 FROM %1 LIMIT 1").arg(quotedName(row.value(0).toString())));
}

QString passwordOf(const QString &connect)
{
    for (const QString &part : connect.split(u';')) {
        const qsizetype eq = part.indexOf(u'=');
        if (eq < 0)
            continue;
        if (part.left(eq).trimmed().compare(QLatin1String("pwd"), Qt::CaseInsensitive) == 0)
            return part.mid(eq + 1);
    }
    return QString();
}

QByteArray verifierHash(const QByteArray &salt, const QString &password)
{
    return QCryptographicHash::hash(salt + password.toUtf8(), QCryptographicHash::Sha256).toHex();
}

// Returns the stored salt and hash, or nothing when the file carries no verifier.
bool readVerifier(sqlite3 *db, QByteArray *salt, QByteArray *hash)
{
    sqlite3_stmt *stmt = nullptr;
    const QByteArray sql = QByteArray("SELECT key, value FROM ") + VerifierTable;
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(stmt);
        return false;
    }
    bool found = false;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        const QByteArray key = reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0));
        const QByteArray value = reinterpret_cast<const char *>(sqlite3_column_text(stmt, 1));
        if (key == "salt") {
            *salt = QByteArray::fromHex(value);
            found = true;
        } else if (key == "sha256") {
            *hash = value.toLower();
            found = true;
        }
    }
    sqlite3_finalize(stmt);
    return found;
}

// Statements may neither read the verifier nor reach other files.
int authorize(void *, int action, const char *first, const char *, const char *, const char *)
{
    if (action == SQLITE_ATTACH || action == SQLITE_DETACH)
        return SQLITE_DENY;
    if (action == SQLITE_READ && first && QByteArray(first).compare(VerifierTable, Qt::CaseInsensitive) == 0)
        return SQLITE_DENY;
    return SQLITE_OK;
}

bool isSingleName(const QString &source)
{
    if (source.startsWith(u'[') && source.endsWith(u']') && source.count(u'[') == 1)
        return true;
    for (const QChar c : source)
        if (!(c.isLetterOrNumber() || c == u'_' || c == u'$'))
            return false;
    return !source.isEmpty();
}

} // namespace

Database::~Database()
{
    close();
}

std::shared_ptr<Database> Database::open(const QString &path, bool exclusive, bool readOnly, const QString &connect)
{
    Q_UNUSED(readOnly); // every open is read-only: the program never writes to a database
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) {
        const QString folder = info.path();
        if (!path.isEmpty() && !QFileInfo(folder).isDir())
            throw platform::VbError(dberr::InvalidPath, QStringLiteral("'%1' is not a valid path.").arg(folder));
        throw platform::VbError(dberr::FileNotFound, QStringLiteral("Could not find file '%1'.").arg(path));
    }
    if (!info.isFile())
        unrecognized(path);
    QByteArray jetHeaderPage;
    const std::optional<jet::Version> jetVersion = checkFormat(path, info, &jetHeaderPage);

    std::shared_ptr<Database> database(new Database);
    database->m_name = info.absoluteFilePath();
    database->m_canonicalPath = info.canonicalFilePath();
    database->m_exclusive = exclusive;

    database->m_lockFd =
        ::open(QFile::encodeName(database->m_canonicalPath).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (database->m_lockFd < 0)
        throw platform::VbError(
            dberr::CannotOpen,
            QStringLiteral("Cannot open the file '%1'. You need permission to view its data.").arg(path));
    if (::flock(database->m_lockFd, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
        const int err = errno;
        database->close();
        if (err == EWOULDBLOCK)
            throw platform::VbError(dberr::FileInUse,
                                    QStringLiteral("Could not use '%1'; file already in use.").arg(path));
        throw platform::VbError(
            dberr::CannotOpen,
            QStringLiteral("Cannot open the file '%1'. You need permission to view its data.").arg(path));
    }

    // What fails from here on is let go of by the database's destructor, its lock with it.
    if (jetVersion) {
        jet::checkPassword(*jetVersion, jetHeaderPage, passwordOf(connect));
        if (std::optional<jet::ReadAhead> ahead = jet::takeReadAhead(database->m_canonicalPath)) {
            if (ahead->error && ahead->error->number() == dberr::UnrecognizedFormat)
                unrecognized(path); // under the path of this open
            if (ahead->error)
                throw *ahead->error;
            database->m_db = ahead->db;
        } else {
            database->m_db = jet::openImported(path, database->m_canonicalPath);
        }
        return finishOpen(std::move(database));
    }

    // immutable: SQLite neither locks nor writes anything beside or into the file.
    const QByteArray uri = "file:" + QUrl::toPercentEncoding(database->m_canonicalPath, "/") + "?mode=ro&immutable=1";
    const int rc = sqlite3_open_v2(uri.constData(), &database->m_db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
    if (rc != SQLITE_OK) {
        database->close();
        if ((rc & 0xff) == SQLITE_NOTADB || (rc & 0xff) == SQLITE_CORRUPT)
            unrecognized(path);
        if ((rc & 0xff) == SQLITE_CANTOPEN)
            throw platform::VbError(
                dberr::CannotOpen,
                QStringLiteral("Cannot open the file '%1'. You need permission to view its data.").arg(path));
        throw detail::engineError(nullptr, rc);
    }
    sqlite3_limit(database->m_db, SQLITE_LIMIT_ATTACHED, 0);
    sqlite3_extended_result_codes(database->m_db, 1);

    try {
        checkTablePages(database->m_db);
    } catch (const platform::VbError &e) {
        database->close();
        if (e.number() == dberr::UnrecognizedFormat)
            throw;
        unrecognized(path);
    }

    QByteArray salt, hash;
    if (readVerifier(database->m_db, &salt, &hash) && verifierHash(salt, passwordOf(connect)) != hash) {
        database->close();
        throw platform::VbError(dberr::InvalidPassword, QStringLiteral("Not a valid password."));
    }
    return finishOpen(std::move(database));
}

void Database::readAhead(const QString &path, const QString &connect)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile())
        return;
    try {
        QByteArray jetHeaderPage;
        const std::optional<jet::Version> jetVersion = checkFormat(path, info, &jetHeaderPage);
        if (!jetVersion)
            return;
        jet::checkPassword(*jetVersion, jetHeaderPage, passwordOf(connect));
    } catch (const platform::VbError &) {
        return;
    }
    jet::startReadAhead(path, info.canonicalFilePath());
}

bool Database::readingAhead(const QString &path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return !canonical.isEmpty() && jet::readingAhead(canonical);
}

std::shared_ptr<Database> Database::finishOpen(std::shared_ptr<Database> database)
{
    sqlite3_set_authorizer(database->m_db, authorize, nullptr);
    if (!detail::registerJetLike(database->m_db) || !detail::registerShortDate(database->m_db)) {
        const platform::VbError error = detail::engineError(database->m_db, sqlite3_errcode(database->m_db));
        database->close();
        throw error;
    }
    database->m_statements = std::make_shared<detail::StatementCache>();

    auto &list = openDatabases();
    list.erase(std::remove_if(list.begin(), list.end(), [](const auto &w) { return w.expired(); }), list.end());
    list.append(database);
    return database;
}

std::shared_ptr<Database> Database::findOpen(const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    if (canonical.isEmpty())
        return nullptr;
    for (const auto &weak : openDatabases()) {
        auto database = weak.lock();
        if (database && database->isOpen() && database->m_canonicalPath == canonical)
            return database;
    }
    return nullptr;
}

void Database::close()
{
    // Recordsets outlive their database with every row.
    for (const auto &weak : m_pending)
        if (const auto pending = weak.lock()) {
            try {
                pending->readAll();
            } catch (const platform::VbError &) {
                // the rows read before the failure stay
            }
        }
    m_pending.clear();
    m_statements.reset();
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
    if (m_lockFd >= 0) {
        ::close(m_lockFd); // releases the lock
        m_lockFd = -1;
    }
}

void Database::checkOpen() const
{
    if (!m_db)
        throw platform::VbError(dberr::ObjectClosed, QStringLiteral("Object invalid or no longer set."));
}

std::unique_ptr<Recordset> Database::openRecordset(const QString &source, ReadRows read)
{
    checkOpen();
    const QString text = source.trimmed();
    if (text.isEmpty())
        throw detail::inputTableNotFound(QString());
    RowSet rows;
    if (isSingleName(text)) {
        QString table = text;
        if (table.startsWith(u'['))
            table = table.mid(1, table.size() - 2);
        if (table.compare(QLatin1String(VerifierTable), Qt::CaseInsensitive) == 0)
            throw detail::inputTableNotFound(table);
        rows = detail::runSelect(m_db, QStringLiteral("SELECT * FROM %1").arg(quotedName(table)), m_statements);
    } else if (detail::isCrosstab(text)) {
        rows = detail::runCrosstab(m_db, text, m_statements);
    } else if (read == ReadRows::OnDemand) {
        rows = detail::runSelectOnDemand(m_db, text, m_statements);
        if (rows.pending && !rows.pending->isComplete()) {
            std::erase_if(m_pending, [](const auto &weak) { return weak.expired(); });
            m_pending.push_back(rows.pending);
        }
    } else {
        rows = detail::runSelect(m_db, text, m_statements);
    }
    return std::make_unique<Recordset>(QSharedPointer<const RowSet>::create(std::move(rows)));
}

QStringList Database::tableNames() const
{
    checkOpen();
    // An imported Jet file may spread its tables over attached databases.
    QStringList selects;
    for (const auto &schema : detail::runSelect(m_db, QStringLiteral("PRAGMA database_list")).rows)
        if (schema.value(1).toString() != QLatin1String("temp"))
            selects.append(QStringLiteral("SELECT name FROM %1.sqlite_master WHERE type IN ('table', 'view')")
                               .arg(quotedName(schema.value(1).toString())));
    const RowSet rows =
        detail::runSelect(m_db, selects.join(QStringLiteral(" UNION ALL ")) + QStringLiteral(" ORDER BY name"));
    QStringList names;
    for (const auto &row : rows.rows) {
        const QString name = row.value(0).toString();
        if (name.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive) ||
            name.compare(QLatin1String(VerifierTable), Qt::CaseInsensitive) == 0)
            continue;
        names.append(name);
    }
    return names;
}

QStringList Database::fieldNames(const QString &table) const
{
    checkOpen();
    if (table.compare(QLatin1String(VerifierTable), Qt::CaseInsensitive) == 0)
        throw detail::inputTableNotFound(table);
    return detail::runSelect(m_db, QStringLiteral("SELECT * FROM %1 LIMIT 0").arg(quotedName(table)), m_statements)
        .fieldNames;
}

QString quoteText(const QString &text)
{
    return QString(text).replace(u'\'', QStringLiteral("''"));
}

QString likeLiteral(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'[' || c == u'*' || c == u'?' || c == u'#') {
            out += u'[';
            out += c;
            out += u']';
        } else if (c == u'\'') {
            out += QStringLiteral("''");
        } else {
            out += c;
        }
    }
    return out;
}

bool writePasswordVerifier(sqlite3 *db, const QString &password, QString *error)
{
    if (!db) {
        if (error)
            *error = QStringLiteral("No database.");
        return false;
    }
    QByteArray salt(16, '\0');
    QRandomGenerator::system()->generate(reinterpret_cast<quint32 *>(salt.data()),
                                         reinterpret_cast<quint32 *>(salt.data() + salt.size()));
    const QByteArray sql = QByteArray("DROP TABLE IF EXISTS ") + VerifierTable + "; CREATE TABLE " + VerifierTable +
                           " (key TEXT PRIMARY KEY, value TEXT NOT NULL); INSERT INTO " + VerifierTable +
                           " VALUES ('salt', '" + salt.toHex() + "'), ('sha256', '" + verifierHash(salt, password) +
                           "');";
    char *message = nullptr;
    if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        if (error)
            *error = message ? QString::fromUtf8(message) : QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_free(message);
        return false;
    }
    return true;
}

} // namespace db
