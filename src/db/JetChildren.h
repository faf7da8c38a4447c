#pragma once

// The import of a Jet file by child processes that run the import program, each taking some of
// its tables (a part), and what the import program does in such a child.

#include <QByteArrayList>
#include <QList>
#include <QString>
#include <QStringList>

#include <sys/stat.h>

namespace db::jet {

// The import program's file name and its exit codes.
constexpr char kImportProgramName[] = "velkor-jet-import";
// Marks the SQLite copies (their application id); changes with what the import writes.
constexpr quint32 kCopyApplicationId = 0x564a4332; // "VJC2"
namespace importexit {
constexpr int Done = 0;
constexpr int Usage = 2;
constexpr int Unreadable = 3;  // libmdb cannot read the Jet file whole
constexpr int CannotWrite = 4; // the copy cannot be written (no room, read-only, any write error)
} // namespace importexit

// A Jet file opened for its import: the children read this very file, whatever becomes of its
// path meanwhile.
class JetSource
{
public:
    explicit JetSource(const QString &canonicalPath);
    ~JetSource();
    JetSource(const JetSource &) = delete;
    JetSource &operator=(const JetSource &) = delete;

    bool isOpen() const { return m_fd >= 0; }
    int fd() const { return m_fd; }
    qint64 size() const { return qint64(m_state.st_size); }
    const struct stat &state() const { return m_state; }
    // Up to `bytes` bytes from the offset; fewer at the end of the file or on a read error.
    QByteArray read(qint64 offset, qint64 bytes) const;
    // Nothing has changed the file since it was opened (size, modification and change time).
    bool unchanged() const;

private:
    int m_fd = -1;
    struct stat m_state
    {
    };
};

enum class ImportResult {
    Done,
    Unreadable,  // the file is damaged, or its children crashed twice or ran out of their limits
    CannotWrite, // a copy could not be written
    NoProgram,   // the import program is missing
};

// Imports the Jet file in targets.size() parts, each by a child of its own: into the file named by
// its target (which must not exist; it is made private), or, for an empty target, into memory,
// the part's SQLite database then in outputs. A child that dies is started once more; a part that
// fails for good ends the others at once.
ImportResult importInChildren(const JetSource &jet, const QStringList &targets, QList<QByteArray> *outputs = nullptr);

// The import program; tests put another in its place (empty: the one shipped beside the program).
QString importProgram();
void setImportProgram(const QString &program);

// In the import program: imports one part of the Jet file at jetPath into target, a new file, or,
// for "-", into memory, written to standard output as a serialized SQLite database. Returns the
// exit code.
int importPart(const QString &jetPath, int part, int parts, const QString &target);

// The digest of the names of all tables of a Jet file, which every part keeps (as its
// user_version), so that the parts are known to hold every table together.
int tableListDigest(QByteArrayList names);

} // namespace db::jet
