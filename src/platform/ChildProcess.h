#pragma once

// Work that may crash, hang or take all memory on bad input (reading a damaged file with a library
// that trusts it) runs in a child process under limits, so that the program survives it.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <chrono>
#include <sys/types.h>

namespace platform {

struct ChildLimits
{
    // From the start, on the monotonic clock; zero: none.
    std::chrono::milliseconds wall{0};
    // Processor time; at its end the child gets SIGXCPU. Zero: none.
    std::chrono::seconds cpu{0};
    // Address space; zero: none. Not applied in a build with AddressSanitizer, whose shadow memory
    // alone is larger than any such limit.
    qint64 memoryBytes = 0;
    // Standard output is kept up to this many bytes (the child is killed when it writes more);
    // zero: its output is discarded.
    qint64 outputBytes = 0;
};

// One child process, started by exec of a program (never a fork that goes on running this
// program's code: a multi-threaded process may hold locks in its other threads that a forked copy
// would wait for). The child
// - ends when the thread that started it ends (PR_SET_PDEATHSIG, so also when this process is
//   killed), and does not start at all when that thread is already gone;
// - gets every signal at its default action and none blocked, whatever this process inherited;
// - creates its files as private (umask 077) and leaves no core dump;
// - inherits no descriptor but its standard input (a file given, else /dev/null), output (a pipe
//   when kept, else /dev/null) and error (/dev/null).
// It is reaped by its own pid, also when SIGCHLD is ignored (the disposition is set back to the
// default for that). One object is used by one thread at a time; nothing blocks without a bound
// but waitForEnd() of a child without a wall limit.
class ChildProcess
{
public:
    enum class End {
        Running,
        Exited,        // exitCode()
        Signalled,     // signal(); SIGXCPU when its processor time ran out
        TimedOut,      // killed at its wall limit
        TooMuchOutput, // killed when it wrote more than its output limit
        Lost,          // reaped by someone else, its end unknown
        NotStarted,    // startError() (errno): the program is missing, not executable, no process left
    };

    ChildProcess() = default;
    ~ChildProcess(); // a child still running is killed and reaped
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    // Starts program (a full path) with the arguments; inputFd, if not -1, becomes its standard
    // input. False when it could not be started (end() is then NotStarted).
    bool start(const QString &program, const QStringList &arguments, const ChildLimits &limits = {}, int inputFd = -1);

    // Takes what the child wrote and looks whether it has ended, waiting for either at most `wait`.
    // True once it has ended.
    bool poll(std::chrono::milliseconds wait = std::chrono::milliseconds(0));
    // Polls until the child has ended.
    void waitForEnd();
    // Ends a running child now (it then counts as Signalled by SIGKILL).
    void kill();

    End end() const { return m_end; }
    bool succeeded() const { return m_end == End::Exited && m_code == 0; }
    int exitCode() const { return m_end == End::Exited ? m_code : -1; }
    int signal() const { return m_end == End::Signalled ? m_code : 0; }
    int startError() const { return m_end == End::NotStarted ? m_code : 0; }
    pid_t pid() const { return m_pid; }
    const QByteArray &output() const { return m_output; }
    QByteArray takeOutput() { return std::exchange(m_output, {}); }

    // The descriptors that wake a waiter when there is output or the child has ended (-1: none).
    int outputFd() const { return m_outFd; }
    int pidFd() const { return m_pidFd; }
    // The time left before the wall limit, or -1 without one.
    qint64 msLeft() const;

private:
    void readOutput();
    bool reap(int flags);
    void finish(End end, int code);
    void closeFds();

    pid_t m_pid = -1;
    int m_outFd = -1;
    int m_pidFd = -1;
    End m_end = End::NotStarted;
    int m_code = 0;
    ChildLimits m_limits;
    qint64 m_deadline = 0; // monotonic milliseconds, 0: none
    QByteArray m_output;
};

// Polls every child until all have ended, sleeping in between on their descriptors; their limits
// bound the wait. Blocks the calling thread: call it from a worker thread, or call poll() of each
// child from an event loop instead.
void waitForAll(const QList<ChildProcess *> &children);
// The same until one of those running has ended (at once when none is running).
void waitForAny(const QList<ChildProcess *> &children);

// In a child: writes all of the bytes to fd (its output to the program), also in pieces and when a
// signal interrupts; false on any error.
bool writeAll(int fd, const void *data, qint64 size);

// The full path of a program that ships beside this one (as the import program): beside the
// executable (the build folder's bin/), or for a program installed in <prefix>/bin in the folder
// <prefix>/libexec/velkor-ped that the installation made. Empty when it is in neither place.
QString helperProgram(const QString &name);
// The same for an executable in exeFolder.
QString helperProgramFor(const QString &exeFolder, const QString &name);

} // namespace platform
