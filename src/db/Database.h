#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

struct sqlite3;

namespace db {

class Recordset;
namespace detail {
class PendingRows;
class StatementCache;
} // namespace detail

// Error numbers of the engine (the Jet numbering the callers branch on).
namespace dberr {
constexpr int FileNotFound = 3024;       // "Could not find file '<path>'."
constexpr int InvalidPath = 3044;        // "'<folder>' is not a valid path."
constexpr int FileInUse = 3045;          // "Could not use '<path>'; file already in use."
constexpr int InvalidPassword = 3031;    // "Not a valid password."
constexpr int UnrecognizedFormat = 3343; // "Unrecognized database format '<path>'."
constexpr int NoCurrentRecord = 3021;    // "No current record."
constexpr int ItemNotFound = 3265;       // "Item not found in this collection."
constexpr int InputTableNotFound =
    3078; // "The Microsoft Jet database engine cannot find the input table or query '<name>'. ..."
constexpr int TooFewParameters = 3061;   // "Too few parameters. Expected <n>." (n unknown names of a query)
constexpr int SyntaxError = 3075;        // syntax error in a query or criterion
constexpr int ObjectClosed = 3420;       // "Object invalid or no longer set."
constexpr int OtherEngineError = 3000;   // "Reserved error (<code>); there is no message for this error."
constexpr int InvalidArgument = 3001;    // "Invalid argument." (a position outside the records)
constexpr int ReadOnly = 3027;           // "Cannot update. Database or object is read-only."
constexpr int CannotOpen = 3051;         // the file cannot be read (permissions)
constexpr int UnknownName = 3070;        // a criterion names a field the recordset does not have
constexpr int CharactersAfterEnd = 3142; // "Characters found after end of SQL statement."
constexpr int ResourcesExceeded = 3035;  // "System resource exceeded." (no memory, no room)
} // namespace dberr

// One open database file. Every failure raises platform::VbError with the number and description above.
// Nothing is ever written to the file: it is opened read-only and its bytes never change.
class Database : public std::enable_shared_from_this<Database>
{
public:
    ~Database();

    // Opens a database: a Jet 3 or 4 file (read through an SQLite copy of its tables) or one of our
    // SQLite files, told apart by the first bytes. exclusive: no other open of the file (in this or another process)
    // until this one is closed. connect: ";Pwd=<password>" or "Access 2000;" and the like. A file carrying a database
    // password or a password verifier needs the right password (3031 otherwise).
    static std::shared_ptr<Database> open(const QString &path, bool exclusive, bool readOnly,
                                          const QString &connect = {});

    // Starts reading the database at path ahead, in a thread of its own, so that an open of it that
    // follows finds it read: a Jet file with the password in connect is imported. Does nothing for
    // a file that needs no reading ahead (ours) or cannot be opened (its open reports why).
    static void readAhead(const QString &path, const QString &connect = {});
    // True while the database at path is being read ahead.
    static bool readingAhead(const QString &path);

    // The database of this process that is open under this path, if any (the data controls bind to
    // the open database by its name).
    static std::shared_ptr<Database> findOpen(const QString &path);

    // The full path it was opened with.
    QString name() const { return m_name; }
    bool isOpen() const { return m_db != nullptr; }
    void close();

    // Runs a table name or an SQL statement in the engine's forms (LIKE with * and ?, crosstab
    // TRANSFORM ... PIVOT, names in any letter case) and returns its rows. OnDemand: the rows of a
    // statement are read as they are first asked for (a crosstab is read at once); the recordset's
    // answers are the same. Closing the database reads what is left.
    enum class ReadRows { AtOnce, OnDemand };
    std::unique_ptr<Recordset> openRecordset(const QString &source, ReadRows read = ReadRows::AtOnce);

    // Table names of the file (our own metadata table excluded).
    QStringList tableNames() const;
    QStringList fieldNames(const QString &table) const;

    bool isExclusive() const { return m_exclusive; }

private:
    Database() = default;
    void checkOpen() const;
    static std::shared_ptr<Database> finishOpen(std::shared_ptr<Database> database);
    sqlite3 *m_db = nullptr;
    std::vector<std::weak_ptr<detail::PendingRows>> m_pending;
    std::shared_ptr<detail::StatementCache> m_statements; // finalized before the connection closes
    int m_lockFd = -1;
    QString m_name;
    QString m_canonicalPath;
    bool m_exclusive = false;
};

// Where the SQLite copies of imported Jet files are kept between runs; empty: nowhere (each open
// imports the file again and holds the copy in memory). The folder is made private to the user
// (mode 0700) and holds the copies of the last few Jet files opened; what imports that ended with
// their process left there is removed at its first use.
void setJetCacheFolder(const QString &folder);
// Removes the copies from a cache folder that is no longer used, and the folder when it is then
// empty.
void removeJetCacheFolder(const QString &folder);

// Text for a quoted literal in SQL or a criterion: single quotes doubled ("O'Neil" -> "O''Neil").
QString quoteText(const QString &text);
// Text for inside a LIKE pattern that matches itself literally: quotes doubled and the pattern
// characters "[", "*", "?" and "#" bracketed ("a[b" -> "a[[]b"). The caller adds its own "*".
QString likeLiteral(const QString &text);

// Writes a password verifier (salted hash, never the password) into a database file that is being
// built: the table "velkor_access" (key, value) with the rows "salt" (random bytes, hex) and "sha256"
// (hex SHA-256 of the salt bytes followed by the UTF-8 password). Replaces an earlier verifier.
// Used by the build of the demo database only; the program never writes to a database.
bool writePasswordVerifier(sqlite3 *db, const QString &password, QString *error = nullptr);

} // namespace db
