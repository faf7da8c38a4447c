#pragma once

#include "platform/VbError.h"

namespace platform {

// What an event handler's boundary does with an error that reaches it. Each window names its own:
// the main window's commands fail silently, the search window shows the description, the material
// window shows "Error <number>: <description>".
enum class OnError {
    Silent,          // the handler ends; nothing is shown
    ShowDescription, // the description, exclamation icon
    ShowNumbered,    // "Error <number>: <description>", critical icon
    ShowErrorNo,     // "Error no. <number> <description>", critical icon
    AbsorbAny,       // anything thrown ends the handler silently (start-up must go on)
};

// Shows the box the policy gives for the error (none for the silent ones); an empty title is the
// program's title.
void reportError(OnError policy, const VbError &error, const QString &title = {});

// The boundary of one event handler: runs it and ends there whatever it raises, as the policy says.
// Returns false when the handler failed. An empty title is the program's title.
template <typename Handler>
bool guard(OnError policy, Handler &&handler, const QString &title = {})
{
    try {
        handler();
        return true;
    } catch (const VbError &error) {
        reportError(policy, error, title);
        return false;
    } catch (...) {
        if (policy != OnError::AbsorbAny)
            throw;
        return false;
    }
}

} // namespace platform
