#pragma once

#include "runtimeerror.h"

#include <QObject>

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

// Connects an option button's Click handler: it runs when the button becomes
// selected, by the user or by assignment, and is guarded like any handler.
template <typename Button, typename Receiver>
void connectOptionClick(Button *option, Receiver *receiver, void (Receiver::*handler)())
{
    QObject::connect(option, &Button::toggled, receiver, [handler = guarded(receiver, handler)](bool selected) {
        if (selected)
            handler();
    });
}
