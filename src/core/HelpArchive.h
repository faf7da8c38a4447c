#pragma once

// A compiled help file is read by the help reader, a program of its own started as a child
// process under limits (velkor-help-read): chmlib trusts the file it reads, and a damaged one can
// make it divide by zero, read out of bounds, loop or ask for gigabytes. The reader sends the
// file's objects to the program as an archive on its standard output; the program takes only an
// archive that is whole.
//
// The archive: "VHA1", then per object its path's length (32 bits, little-endian), the path
// (UTF-8, "/..."), its length (32 bits) and its bytes, in the order of the file; a path length of
// zero ends it.

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace helparchive {

constexpr char kReaderProgramName[] = "velkor-help-read";
namespace readerexit {
constexpr int Done = 0;
constexpr int Usage = 2;
constexpr int Damaged = 3;     // not a compiled help file, or one that cannot be read whole
constexpr int CannotWrite = 4; // the program stopped listening
} // namespace readerexit

// What a help file may hold; more is damage.
constexpr qint64 kMaxObjectBytes = qint64(16) << 20;
constexpr qint64 kMaxTotalBytes = qint64(64) << 20;
constexpr int kMaxObjects = 20000;

struct Object
{
    QString path; // "/page.htm", "/#SYSTEM"
    QByteArray bytes;
};

// In the reader: reads every object of the compiled help file at chmPath (of fileSize bytes) and
// writes the archive to the descriptor. Returns the exit code.
int writeArchive(const QString &chmPath, qint64 fileSize, int fd);

// The objects of an archive; nothing when it is not one whole archive within the limits.
std::optional<QList<Object>> parseArchive(const QByteArray &archive);

enum class ReadResult {
    Done,
    Damaged,  // the reader refused the file, crashed or ran out of its limits
    NoReader, // the help reader is missing
};

// Reads the compiled help file open as fd (a regular file) in a help reader; the objects on Done.
ReadResult readInChild(int fd, QList<Object> *objects);

// The help reader; tests put another in its place (empty: the one shipped beside the program).
QString readerProgram();
void setReaderProgram(const QString &program);

} // namespace helparchive
