#pragma once

#include "platform/ErrorBoundary.h"

#include <utility>

namespace search {

// Errors raised out of an event handler end here: the user is told what failed and the window
// stays usable.
template <typename F>
void guarded(F &&handler)
{
    platform::guard(platform::OnError::ShowDescription, std::forward<F>(handler));
}

} // namespace search
