#pragma once

#include <sys/types.h>

namespace testsupport {

// The process exists and is no zombie (a process ended and not reaped yet runs no more; where
// nobody reaps the orphans, it stays one).
bool isRunning(pid_t pid);

} // namespace testsupport
