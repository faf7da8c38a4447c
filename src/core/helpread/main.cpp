// velkor-help-read
// Reads the compiled help file on its standard input with chmlib and writes its objects to
// standard output as an archive (core/HelpArchive.h). Started by the program's help window as a
// child under limits, so that a damaged file that crashes or hangs chmlib takes only this process
// down. Its exit code says what became of the file (helparchive::readerexit).

#include "core/HelpArchive.h"

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

int main(int argc, char **)
{
    if (argc != 1) {
        std::fprintf(stderr, "usage: %s  (the help file on standard input)\n", helparchive::kReaderProgramName);
        return helparchive::readerexit::Usage;
    }
    struct stat file
    {
    };
    if (::fstat(STDIN_FILENO, &file) != 0 || !S_ISREG(file.st_mode))
        return helparchive::readerexit::Damaged;
    return helparchive::writeArchive(QStringLiteral("/proc/self/fd/0"), qint64(file.st_size), STDOUT_FILENO);
}
