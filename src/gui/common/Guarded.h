#pragma once
// The edge of an event handler: an error thrown by the core stops the operation and its message
// is shown in an error box. Nothing is swallowed silently.

#include "Dialogs.h"
#include "data/CoreError.h"

#include <exception>

template <typename Handler>
void Guarded(Handler&& handler)
{
    try {
        handler();
    } catch (const CoreError& e) {
        Dialogs::current().error(e.message());
    } catch (const std::exception& e) {
        Dialogs::current().error(QString::fromLocal8Bit(e.what()));
    }
}
