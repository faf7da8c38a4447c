#include "Processes.h"

#include <QFile>

namespace testsupport {

bool isRunning(pid_t pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (pid <= 0 || !stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = stat.readAll();
    // The state follows the command name, which is in parentheses and may hold any character.
    const qsizetype state = line.lastIndexOf(')') + 2;
    return state > 1 && state < line.size() && line.at(state) != 'Z' && line.at(state) != 'X';
}

} // namespace testsupport
