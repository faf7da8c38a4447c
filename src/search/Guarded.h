#pragma once

#include "platform/MsgBox.h"
#include "platform/VbError.h"

namespace search {

// Errors raised out of an event handler end here: the user is told what failed and the window
// stays usable.
template <typename F>
void guarded(F &&handler)
{
    try {
        handler();
    } catch (const platform::VbError &error) {
        platform::msgBox(error.description(), platform::vbExclamation);
    }
}

} // namespace search
