// child_stub <what> [argument]: a child for the tests of platform::ChildProcess.
//   exit N        exits with N            crash        dies of SIGSEGV
//   sleep         never ends              spin         uses the processor without end
//   allocate MB   takes MB of memory, exits 0 (5 when it gets none)
//   write N       writes N bytes          echo         copies its input to its output
//   fds           writes its open descriptors
//   create PATH   creates a file (mode 0666 asked), writes the mode it got in octal
//   parent N      starts N children that sleep, writes their pids, then sleeps

#include "platform/ChildProcess.h"

#include <QFile>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

int main(int argc, char **argv)
{
    const std::string what = argc > 1 ? argv[1] : "";
    const char *argument = argc > 2 ? argv[2] : "0";
    if (what == "exit")
        return std::atoi(argument);
    if (what == "crash") {
        std::signal(SIGSEGV, SIG_DFL); // a sanitizer's handler would report it and exit instead
        std::raise(SIGSEGV);
        return 1;
    }
    if (what == "sleep")
        for (;;)
            ::pause();
    if (what == "spin") {
        volatile unsigned long n = 0;
        for (;;)
            n = n + 1;
    }
    if (what == "allocate") {
        const size_t bytes = size_t(std::atol(argument)) << 20;
        char *memory = static_cast<char *>(std::malloc(bytes));
        if (!memory)
            return 5;
        std::memset(memory, 1, bytes);
        std::free(memory);
        return 0;
    }
    if (what == "write") {
        const std::string bytes(size_t(std::atol(argument)), 'x');
        return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() ? 0 : 1;
    }
    if (what == "echo") {
        char buffer[4096];
        size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, stdin)) > 0)
            std::fwrite(buffer, 1, got, stdout);
        return 0;
    }
    if (what == "fds") {
        DIR *listing = ::opendir("/proc/self/fd");
        std::vector<int> open;
        while (const dirent *entry = listing ? ::readdir(listing) : nullptr)
            if (entry->d_name[0] != '.' && std::atoi(entry->d_name) != ::dirfd(listing))
                open.push_back(std::atoi(entry->d_name));
        if (listing)
            ::closedir(listing);
        std::sort(open.begin(), open.end());
        for (size_t i = 0; i < open.size(); ++i)
            std::printf(i ? " %d" : "%d", open[i]);
        return 0;
    }
    if (what == "create") {
        const int fd = ::open(argument, O_WRONLY | O_CREAT | O_EXCL, 0666);
        struct stat info
        {
        };
        if (fd < 0 || ::fstat(fd, &info) != 0)
            return 1;
        std::printf("%o", unsigned(info.st_mode & 07777));
        return 0;
    }
    if (what == "parent") {
        std::vector<std::unique_ptr<platform::ChildProcess>> children;
        for (int i = 0; i < std::atoi(argument); ++i) {
            children.push_back(std::make_unique<platform::ChildProcess>());
            if (!children.back()->start(QFile::decodeName(argv[0]), {QStringLiteral("sleep")}))
                return 1;
            std::printf("%d\n", int(children.back()->pid()));
        }
        std::fflush(stdout);
        for (;;)
            ::pause();
    }
    std::fprintf(stderr,
                 "usage: child_stub exit N|crash|sleep|spin|allocate MB|write N|echo|fds|create PATH|parent N\n");
    return 2;
}
