#pragma once

// Reading a Jet file ahead: its import (openImported) runs in a thread of its own while the
// program starts, and the open that follows takes the copy it made instead of importing again.

#include "platform/VbError.h"

#include <QString>

#include <functional>
#include <optional>

struct sqlite3;

namespace db::jet {

struct ReadAhead
{
    sqlite3 *db = nullptr;                  // the copy, read-only; the taker owns it
    std::optional<platform::VbError> error; // or why it could not be made
};

// Starts importing the file in a thread of its own; the thread is waited for at the latest when
// the application object goes. One file at a time: while one is read ahead, others are not.
void startReadAhead(const QString &path, const QString &canonicalPath);

// True while the file is being read ahead.
bool readingAhead(const QString &canonicalPath);

// What reading the file ahead made, once it has ended (waits for it); nothing when the file was not
// read ahead or has changed since.
std::optional<ReadAhead> takeReadAhead(const QString &canonicalPath);

// For tests: runs in the reading thread before it reads, so that a test can hold the reading there.
void setReadAheadGate(std::function<void()> gate);

} // namespace db::jet
