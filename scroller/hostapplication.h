#pragma once

#include <tovrell/componenttypes.h>

#include <cstdint>

// The Qt application that a host which is not a Qt program lacks, and the
// way such a host's own loop runs the controls' work. tovrell.h states the
// rules a host sees (its threads, the platform chosen, the answers).
namespace HostApplication {

// Whether a control (windowless or not) can be made on this thread: S_OK
// where the process has an application it can live in (a QApplication; a
// QGuiApplication does for a windowless one) and this is its thread, after
// making a QApplication when the process has none and its platform can
// start; TOVRELL_E_NODISPLAY where it cannot; CO_E_NOTINITIALIZED where the
// process's application is of another kind; RPC_E_WRONG_THREAD on another
// thread.
HRESULT ensure(bool windowless);

// Whether the application runs on X11, where a control can live in a
// window of another program.
bool onX11();

// Makes a pending call of the loop's return soon: a host's own loop waits
// on the wake descriptor for as long as the last round said, and a call of
// the host's may have made work due sooner.
void wake();

// ILoopIntegration's calls: the descriptor that becomes readable whenever
// the controls have work, and a round of that work with the milliseconds
// until more falls due (-1: the descriptor tells).
HRESULT wakeDescriptor(std::int32_t *descriptor);
HRESULT runPendingWork(std::int32_t *nextMilliseconds);

// Closes the wake-up descriptor; at unload. The application the library
// made stays to the end of the process: Qt's own objects of static
// lifetime, made as it ran, are ended before the library's at exit, so
// that no later point can end it safely.
void end();

} // namespace HostApplication
