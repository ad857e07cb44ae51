#pragma once

#include <tovrell/componenttypes.h>

// The Qt application that a host which is not a Qt program lacks, and the
// way such a host's own loop runs the controls' work.
namespace HostApplication {

// Whether controls can be made on this thread: S_OK where the process has
// a QApplication and this is its thread, after making one when the process
// has no Qt application at all; CO_E_NOTINITIALIZED where it has one of
// another kind (no widgets); RPC_E_WRONG_THREAD on another thread.
HRESULT ensure();

// Whether the application runs on X11, where a control can live in a
// window of another program.
bool onX11();

// Makes the X11 window of a control inside a host's window pass the keys
// on to the host's: X gives a key to the window under the pointer when it
// lies within the window that has the focus, so a control that took keys
// would take them from the host's own controls.
void passKeysOn(unsigned long window);

// One descriptor that becomes readable whenever the controls have work,
// for a host that polls; -1 where Qt's loop is not GLib's.
int wakeDescriptor();

// Runs the work that is due now; answers the milliseconds until more
// falls due (-1: none is planned; the descriptor tells).
int runPendingWork();

// Closes the wake-up descriptor; at unload. The application the library
// made stays to the end of the process: Qt's own objects of static
// lifetime, made as it ran, are ended before the library's at exit, so
// that no later point can end it safely.
void end();

} // namespace HostApplication
