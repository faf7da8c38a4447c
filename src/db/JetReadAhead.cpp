#include "db/JetReadAhead.h"

#include "db/JetCache.h"

#include <QCoreApplication>
#include <QFile>

#include <atomic>
#include <memory>
#include <mutex>
#include <sqlite3.h>
#include <sys/stat.h>
#include <thread>

namespace db::jet {

namespace {

// Which file it is and whether it has been written to.
struct FileState
{
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = -1;
    timespec modified{};

    bool operator==(const FileState &o) const
    {
        return device == o.device && inode == o.inode && size == o.size && modified.tv_sec == o.modified.tv_sec &&
               modified.tv_nsec == o.modified.tv_nsec;
    }
};

FileState stateOf(const QString &path)
{
    struct stat st
    {
    };
    FileState state;
    if (::stat(QFile::encodeName(path).constData(), &st) == 0)
        state = FileState{st.st_dev, st.st_ino, st.st_size, st.st_mtim};
    return state;
}

struct Reading
{
    QString canonicalPath;
    FileState state;
    std::thread thread;
    std::atomic<bool> ended{false};
    ReadAhead result; // written by the thread until it has ended

    ~Reading()
    {
        if (thread.joinable())
            thread.join();
        sqlite3_close(result.db);
    }
};

struct ReadingAhead
{
    std::mutex lock;
    std::unique_ptr<Reading> reading;
    std::function<void()> gate;
};

ReadingAhead &readingAheadState()
{
    static ReadingAhead state;
    return state;
}

// The thread uses the program's other parts; it ends before they go.
void endReadAhead()
{
    ReadingAhead &state = readingAheadState();
    const std::lock_guard locker(state.lock);
    state.reading.reset();
}

} // namespace

void startReadAhead(const QString &path, const QString &canonicalPath)
{
    ReadingAhead &state = readingAheadState();
    const std::lock_guard locker(state.lock);
    if (state.reading &&
        !(state.reading->canonicalPath != canonicalPath && state.reading->ended.load(std::memory_order_acquire)))
        return;
    state.reading.reset(); // a copy of another file that no open took
    qRemovePostRoutine(endReadAhead);
    qAddPostRoutine(endReadAhead);
    state.reading = std::make_unique<Reading>();
    Reading *reading = state.reading.get();
    reading->canonicalPath = canonicalPath;
    reading->state = stateOf(canonicalPath);
    reading->thread = std::thread([reading, path, canonicalPath, gate = state.gate] {
        if (gate)
            gate();
        try {
            reading->result.db = openImported(path, canonicalPath);
        } catch (const platform::VbError &e) {
            reading->result.error = e;
        } catch (...) {
            // No copy and no error: the open imports the file itself.
        }
        reading->ended.store(true, std::memory_order_release);
    });
}

bool readingAhead(const QString &canonicalPath)
{
    ReadingAhead &state = readingAheadState();
    const std::lock_guard locker(state.lock);
    return state.reading && state.reading->canonicalPath == canonicalPath &&
           !state.reading->ended.load(std::memory_order_acquire);
}

std::optional<ReadAhead> takeReadAhead(const QString &canonicalPath)
{
    ReadingAhead &state = readingAheadState();
    const std::lock_guard locker(state.lock);
    if (!state.reading)
        return std::nullopt;
    if (state.reading->canonicalPath != canonicalPath) {
        // Another file is opened instead: a copy made of this one is of no more use.
        if (state.reading->ended.load(std::memory_order_acquire))
            state.reading.reset();
        return std::nullopt;
    }
    const std::unique_ptr<Reading> reading = std::move(state.reading);
    reading->thread.join();
    if (!(stateOf(canonicalPath) == reading->state) || (!reading->result.db && !reading->result.error))
        return std::nullopt; // the copy, if any, goes with the reading
    return std::exchange(reading->result, {});
}

void setReadAheadGate(std::function<void()> gate)
{
    ReadingAhead &state = readingAheadState();
    const std::lock_guard locker(state.lock);
    state.gate = std::move(gate);
}

} // namespace db::jet
