#pragma once

// The program's one way to read and write its own files.
//
// Reading takes only regular files (a link is followed), and at most a given number of bytes: a
// folder, a fifo, a device or a file larger than the caller allows counts as damaged, so that
// nothing the user's folder holds can block the program or make it read without end.
//
// Writing replaces a file atomically: the new bytes go into a temporary file beside the target,
// which takes the target's name only when every write and the final flush succeeded. On any
// failure (a full disk, a read-only folder, a target that is not a regular file) the earlier file
// stays whole and the caller learns that nothing was written.

#include <QByteArray>
#include <QSaveFile>
#include <QString>

#include <functional>
#include <memory>

namespace platform {

struct FileRead
{
    enum Status { Ok, Missing, Damaged };
    Status status = Missing;
    QByteArray bytes; // the file's bytes when Ok

    bool ok() const { return status == Ok; }
};

// What a read does with a file longer than the cap.
enum class Oversize {
    Damaged, // the file is not one of ours
    Head,    // the first maxBytes are enough for the caller (a format check)
};

// True when the path names a regular file, following links; false for a folder, a fifo, a device,
// a socket, a dangling link or a missing path.
bool isRegularFile(const QString &path);

// Reads a regular file without ever blocking: a fifo is refused before anything is read from it.
// Missing: nothing at the path. Damaged: not a regular file, larger than maxBytes (unless Head),
// unreadable, or a read error.
FileRead readRegularFile(const QString &path, qint64 maxBytes, Oversize oversize = Oversize::Damaged);

// Writes the bytes as the whole new content of the file. False, with the old file intact, when
// the file could not be written completely.
bool writeFileAtomically(const QString &path, const QByteArray &bytes);

// Test seam: every atomic write opens the device this factory returns for the target path. An
// empty factory restores the plain QSaveFile. A test may return a QSaveFile whose writes fail.
using SaveFileFactory = std::function<std::unique_ptr<QSaveFile>(const QString &path)>;
void setSaveFileFactory(SaveFileFactory factory);

} // namespace platform
