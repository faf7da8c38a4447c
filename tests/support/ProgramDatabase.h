#pragma once

#include <QString>

namespace testsupport {

// The program's material database (modDBase::gMaterialDb) for as long as the holder lives: opened
// read-only by open, then closed and released, with the open's flags cleared, when the holder goes
// (or by close). A holder made empty takes over whatever the program opened itself.
class ProgramDatabase
{
public:
    ProgramDatabase() = default;
    ~ProgramDatabase();
    ProgramDatabase(const ProgramDatabase &) = delete;
    ProgramDatabase &operator=(const ProgramDatabase &) = delete;

    // Closes any database held before. False, with a warning, when the file does not open.
    bool open(const QString &path, const QString &connect = {}, bool exclusive = false);
    bool isOpen() const;
    static void close();
};

} // namespace testsupport
