#pragma once

#include <QApplication>

namespace platform {

// The hourglass for the length of a busy step: set when made, taken back when it goes (also when
// the step fails). Open no dialog while one is held.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

} // namespace platform
