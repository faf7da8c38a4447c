#pragma once

#include "platform/VbError.h"

#include <QObject>

#include <concepts>
#include <utility>

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

// Connects a signal to a window's handler with the window's boundary around it, so that what the
// handler raises ends as the window's policy says. The handler takes the signal's first arguments, or
// none; the connection lives as long as the context.
template <typename Sender, typename Signal, typename Handler>
QMetaObject::Connection connectGuarded(const Sender *sender, Signal signal, const QObject *context, OnError policy,
                                       Handler handler)
{
    return QObject::connect(
        sender, signal, context,
        [ policy, handler = std::move(handler) ](
            const auto &...args) -> void requires std::invocable<const Handler &, decltype(args)...> {
            guard(policy, [&] { handler(args...); });
        });
}

} // namespace platform
