#pragma once

#include "platform/VbError.h"

#include <QString>

// Runs the call and returns the number of the VbError it raised, 0 when it raised none.
template <typename F>
int errorOf(F &&call, QString *description = nullptr)
{
    try {
        call();
    } catch (const platform::VbError &e) {
        if (description)
            *description = e.description();
        return e.number();
    }
    return 0;
}
