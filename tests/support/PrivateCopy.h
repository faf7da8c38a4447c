#pragma once

#include <QString>

namespace testsupport {

// Copies a database that several test executables share (the program folder's demo database, a
// fixture of the source tree) into the caller's own folder, under its own name unless another is
// given, and returns the copy's path, or an empty string when the copy fails. ctest runs the executables side by side,
// and one holding the shared file exclusively would make every other's open of it fail with "file already in use".
QString privateCopy(const QString &source, const QString &folder, const QString &name = {});

} // namespace testsupport
