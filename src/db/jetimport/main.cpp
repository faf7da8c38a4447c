// velkor-jet-import <part> <parts> <target>
// Imports one part of the Jet file on its standard input into target, a new SQLite file, or, for
// "-", into memory, written to standard output. Started by the program, one child per part, under
// limits (db/JetChildren.h), so that a damaged file that crashes or hangs libmdb takes only this
// process down. Its exit code says what became of the part (db::jet::importexit).

#include "db/JetChildren.h"

#include <QByteArray>
#include <QFile>

#include <cstdio>

int main(int argc, char **argv)
{
    bool partRead = false, partsRead = false;
    const int part = argc == 4 ? QByteArray(argv[1]).toInt(&partRead) : -1;
    const int parts = argc == 4 ? QByteArray(argv[2]).toInt(&partsRead) : 0;
    if (!partRead || !partsRead) {
        std::fprintf(stderr, "usage: %s <part> <parts> <target file or ->  (the Jet file on standard input)\n",
                     db::jet::kImportProgramName);
        return db::jet::importexit::Usage;
    }
    return db::jet::importPart(QStringLiteral("/proc/self/fd/0"), part, parts, QFile::decodeName(argv[3]));
}
