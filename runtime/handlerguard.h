#pragma once

#include "runtimeerror.h"

#include <exception>

// Reports a runtime error that no handler handled: a message box with the
// error's number and message, titled with the application's name.
void reportRuntimeError(const RuntimeError &error);
void reportUnexpectedError(const std::exception &error);

// Wraps an event handler so that a runtime error thrown inside it is
// reported and the program goes on; no exception crosses Qt's event loop.
// Connect with: connect(sender, &Sender::signal, this, guarded(this, &X::handler));
template <typename Receiver, typename... Args>
auto guarded(Receiver *receiver, void (Receiver::*handler)(Args...))
{
    return [receiver, handler](Args... args) {
        try {
            (receiver->*handler)(args...);
        } catch (const RuntimeError &error) {
            reportRuntimeError(error);
        } catch (const std::exception &error) {
            reportUnexpectedError(error);
        }
    };
}
