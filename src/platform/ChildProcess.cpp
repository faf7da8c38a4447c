#include "platform/ChildProcess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace platform {

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

// Without a pidfd (kernels before 5.3) a waiter looks at its children this often.
constexpr int kPollWithoutPidFdMs = 5;
constexpr qint64 kReadChunk = 64 * 1024;
// Descriptors closed one by one where close_range is missing.
constexpr rlim_t kMaxDescriptors = 65536;

qint64 nowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Children are reaped by their pid; an ignored SIGCHLD (or SA_NOCLDWAIT) would let the kernel
// reap them first and leave no exit status.
void keepChildStatus()
{
    struct sigaction current
    {
    };
    if (::sigaction(SIGCHLD, nullptr, &current) != 0)
        return;
    const bool ignored = !(current.sa_flags & SA_SIGINFO) && current.sa_handler == SIG_IGN;
    if (!ignored && !(current.sa_flags & SA_NOCLDWAIT))
        return;
    if (ignored)
        current.sa_handler = SIG_DFL;
    current.sa_flags &= ~SA_NOCLDWAIT;
    ::sigaction(SIGCHLD, &current, nullptr);
}

void closeFd(int &fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

// A descriptor of ours that the child is to find as 0, 1 or 2 must not be one of those already (in
// a program started with them closed), or setting up one would overwrite another.
void liftAboveStandard(int &fd)
{
    if (fd < 0 || fd > STDERR_FILENO)
        return;
    const int lifted = ::fcntl(fd, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
    ::close(fd);
    fd = lifted;
}

struct Limit
{
    int resource;
    rlimit value;
};

std::vector<Limit> limitsFor(const ChildLimits &limits)
{
    std::vector<Limit> list{{RLIMIT_CORE, {0, 0}}};
    if (limits.cpu.count() > 0) {
        const rlim_t seconds = rlim_t(limits.cpu.count());
        list.push_back({RLIMIT_CPU, {seconds, seconds + 1}});
    }
    if (limits.memoryBytes > 0 && !kAddressSanitizer)
        list.push_back({RLIMIT_AS, {rlim_t(limits.memoryBytes), rlim_t(limits.memoryBytes)}});
    return list;
}

// Sleeps until one of the children has output or has ended, or ms have passed.
void sleepOn(const QList<ChildProcess *> &children, qint64 ms)
{
    std::vector<pollfd> fds;
    for (const ChildProcess *child : children) {
        if (child->outputFd() >= 0)
            fds.push_back({child->outputFd(), POLLIN, 0});
        if (child->pidFd() >= 0)
            fds.push_back({child->pidFd(), POLLIN, 0});
        else
            ms = std::min<qint64>(ms, kPollWithoutPidFdMs);
    }
    ::poll(fds.data(), nfds_t(fds.size()), int(std::clamp<qint64>(ms, 0, 60000)));
}

bool isExecutableFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

} // namespace

ChildProcess::~ChildProcess()
{
    kill();
    closeFds();
}

bool ChildProcess::start(const QString &program, const QStringList &arguments, const ChildLimits &limits, int inputFd)
{
    kill();
    closeFds();
    m_output.clear();
    m_limits = limits;
    m_pid = -1;
    keepChildStatus();

    // Everything the child needs is made here: between fork and exec it calls only the system.
    std::vector<QByteArray> args{QFile::encodeName(program)};
    for (const QString &argument : arguments)
        args.push_back(QFile::encodeName(argument));
    std::vector<char *> argv;
    for (QByteArray &arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    const std::vector<Limit> rlimits = limitsFor(limits);
    rlimit files{};
    const rlim_t maxFd =
        ::getrlimit(RLIMIT_NOFILE, &files) == 0 ? std::min(files.rlim_cur, kMaxDescriptors) : kMaxDescriptors;

    int devNull = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    int input = inputFd >= 0 ? ::fcntl(inputFd, F_DUPFD_CLOEXEC, STDERR_FILENO + 1) : -1;
    int out[2] = {-1, -1};
    int status[2] = {-1, -1};
    const bool piped = limits.outputBytes > 0;
    const bool ready = devNull >= 0 && (inputFd < 0 || input >= 0) && (!piped || ::pipe2(out, O_CLOEXEC) == 0) &&
                       ::pipe2(status, O_CLOEXEC) == 0;
    for (int *fd : {&devNull, &out[0], &out[1], &status[0], &status[1]})
        liftAboveStandard(*fd);
    // The child's ends, closed here once it has them.
    const auto release = [&] {
        for (int *fd : {&devNull, &input, &out[1], &status[1]})
            closeFd(*fd);
    };
    if (!ready || devNull < 0 || (piped && (out[0] < 0 || out[1] < 0)) || status[0] < 0 || status[1] < 0) {
        const int error = errno;
        release();
        closeFd(out[0]);
        closeFd(status[0]);
        finish(End::NotStarted, error ? error : EMFILE);
        return false;
    }
    const int childIn = input >= 0 ? input : devNull;
    const int childOut = piped ? out[1] : devNull;
    const pid_t parent = ::getpid();

    const pid_t pid = ::fork();
    if (pid == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent)
            ::_exit(127);
        struct sigaction byDefault
        {
        };
        byDefault.sa_handler = SIG_DFL;
        for (int sig = 1; sig < NSIG; ++sig)
            if (sig != SIGKILL && sig != SIGSTOP)
                ::sigaction(sig, &byDefault, nullptr);
        sigset_t none;
        sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        for (const Limit &limit : rlimits)
            ::setrlimit(limit.resource, &limit.value);
        ::umask(077);
        ::dup2(childIn, STDIN_FILENO);
        ::dup2(childOut, STDOUT_FILENO);
        ::dup2(devNull, STDERR_FILENO);
        constexpr int statusFd = STDERR_FILENO + 1;
        if (status[1] != statusFd)
            ::dup3(status[1], statusFd, O_CLOEXEC);
        if (::syscall(SYS_close_range, statusFd + 1, ~0u, 0) != 0)
            for (int fd = statusFd + 1; rlim_t(fd) < maxFd; ++fd)
                ::close(fd);
        ::execve(argv[0], argv.data(), environ);
        const int error = errno;
        [[maybe_unused]] const ssize_t written = ::write(statusFd, &error, sizeof error);
        ::_exit(127);
    }
    const int forkError = errno;
    release();
    if (pid < 0) {
        closeFd(out[0]);
        closeFd(status[0]);
        finish(End::NotStarted, forkError);
        return false;
    }

    // The status pipe closes at the exec; before, the child writes why the exec failed.
    int execError = 0;
    ssize_t got = 0;
    do
        got = ::read(status[0], &execError, sizeof execError);
    while (got < 0 && errno == EINTR);
    closeFd(status[0]);
    m_pid = pid;
    m_end = End::Running;
    if (got == ssize_t(sizeof execError)) {
        while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
        }
        closeFd(out[0]);
        finish(End::NotStarted, execError);
        return false;
    }
    m_outFd = out[0];
    if (m_outFd >= 0)
        ::fcntl(m_outFd, F_SETFL, ::fcntl(m_outFd, F_GETFL) | O_NONBLOCK);
    m_pidFd = int(::syscall(SYS_pidfd_open, pid, 0));
    m_deadline = limits.wall.count() > 0 ? nowMs() + limits.wall.count() : 0;
    return true;
}

qint64 ChildProcess::msLeft() const
{
    return m_deadline == 0 ? -1 : std::max<qint64>(0, m_deadline - nowMs());
}

void ChildProcess::readOutput()
{
    while (m_outFd >= 0) {
        const qsizetype had = m_output.size();
        if (m_output.capacity() - had < kReadChunk)
            m_output.reserve(std::max<qsizetype>(2 * m_output.capacity(), had + kReadChunk));
        m_output.resize(had + kReadChunk);
        const ssize_t got = ::read(m_outFd, m_output.data() + had, size_t(kReadChunk));
        m_output.resize(had + std::max<ssize_t>(got, 0));
        if (got > 0 && m_output.size() > m_limits.outputBytes) {
            m_output.clear();
            closeFd(m_outFd);
            if (m_end == End::Running) {
                ::kill(m_pid, SIGKILL);
                reap(0);
            }
            m_end = End::TooMuchOutput;
            return;
        }
        if (got == 0 || (got < 0 && errno != EINTR && errno != EAGAIN))
            closeFd(m_outFd);
        else if (got < 0 && errno == EAGAIN)
            return;
    }
}

// Takes the child's exit status; false while it is still running (flags WNOHANG).
bool ChildProcess::reap(int flags)
{
    int status = 0;
    pid_t done = 0;
    do
        done = ::waitpid(m_pid, &status, flags);
    while (done < 0 && errno == EINTR);
    if (done == 0)
        return false;
    if (done < 0)
        finish(End::Lost, 0);
    else if (WIFEXITED(status))
        finish(End::Exited, WEXITSTATUS(status));
    else
        finish(End::Signalled, WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    // What it wrote before it ended is still in the pipe.
    readOutput();
    closeFd(m_outFd);
    return true;
}

void ChildProcess::finish(End end, int code)
{
    m_end = end;
    m_code = code;
    closeFd(m_pidFd);
}

bool ChildProcess::poll(std::chrono::milliseconds wait)
{
    const qint64 until = nowMs() + wait.count();
    while (m_end == End::Running) {
        readOutput();
        if (m_end != End::Running || reap(WNOHANG))
            break;
        if (m_deadline != 0 && msLeft() == 0) {
            ::kill(m_pid, SIGKILL);
            reap(0);
            m_end = End::TimedOut;
            break;
        }
        qint64 ms = until - nowMs();
        if (ms <= 0)
            return false;
        if (m_deadline != 0)
            ms = std::min(ms, msLeft());
        sleepOn({this}, ms);
    }
    return true;
}

void ChildProcess::waitForEnd()
{
    while (!poll(std::chrono::hours(1))) {
    }
}

void ChildProcess::kill()
{
    if (m_end != End::Running)
        return;
    ::kill(m_pid, SIGKILL);
    reap(0);
}

void ChildProcess::closeFds()
{
    closeFd(m_outFd);
    closeFd(m_pidFd);
}

namespace {

void waitFor(const QList<ChildProcess *> &children, bool any)
{
    QList<ChildProcess *> running;
    for (ChildProcess *child : children)
        if (child->end() == ChildProcess::End::Running)
            running.append(child);
    while (!running.isEmpty()) {
        qint64 ms = 60000;
        const qsizetype before = running.size();
        running.removeIf([&ms](ChildProcess *child) {
            if (child->poll())
                return true;
            if (child->msLeft() >= 0)
                ms = std::min(ms, child->msLeft());
            return false;
        });
        if (running.isEmpty() || (any && running.size() < before))
            return;
        sleepOn(running, ms);
    }
}

} // namespace

void waitForAll(const QList<ChildProcess *> &children)
{
    waitFor(children, false);
}

void waitForAny(const QList<ChildProcess *> &children)
{
    waitFor(children, true);
}

bool writeAll(int fd, const void *data, qint64 size)
{
    const auto *bytes = static_cast<const char *>(data);
    while (size > 0) {
        const ssize_t written = ::write(fd, bytes, size_t(std::min<qint64>(size, qint64(1) << 30)));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes += written;
        size -= written;
    }
    return true;
}

QString helperProgramFor(const QString &exeFolder, const QString &name)
{
    const QDir folder(exeFolder);
    if (folder.dirName() == QLatin1String("bin")) {
        const QString installed = QDir::cleanPath(folder.filePath(QStringLiteral(VELKOR_LIBEXEC_FROM_BIN "/") + name));
        if (isExecutableFile(installed))
            return installed;
    }
    const QString beside = QDir::cleanPath(folder.filePath(name));
    return isExecutableFile(beside) ? beside : QString();
}

QString helperProgram(const QString &name)
{
    static const QString exeFolder = QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath();
    return helperProgramFor(exeFolder, name);
}

} // namespace platform
