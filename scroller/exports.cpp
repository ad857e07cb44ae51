// The library's four exports and its entry on load and unload: each hands
// its call, with the library's project descriptor, to the runtime's
// component services and returns their result unchanged.

#include "componentservices.h"
#include "hostapplication.h"
#include "scrollerobject.h"
#include <tovrell/tovrell.h>

namespace {

const ProjectDescriptor &project()
{
    static const ProjectDescriptor descriptor{
        QStringLiteral("Tovrell"),
        QStringLiteral("Tovrell"),
        0x409,
        {{QStringLiteral("Scroller"), CLSID_Scroller, IID__Scroller, DIID___Scroller, 0x20191, 30000, true}},
        true,
        LIBID_Tovrell,
        1,
        0,
    };
    return descriptor;
}

// A control needs the application, which the library makes for a host that
// is not a Qt program, and its thread; a control with a window needs
// widgets. A host that asks for the windowless face gets a control
// without a window.
HRESULT createObject(REFCLSID classId, REFIID riid, IUnknown **object)
{
    if (!(classId == CLSID_Scroller))
        return CLASS_E_CLASSNOTAVAILABLE;
    const bool windowless = riid == IID_IWindowlessControl;
    if (const HRESULT ready = HostApplication::ensure(windowless); FAILED(ready))
        return ready;
    *object = static_cast<_Scroller *>(new ScrollerObject(windowless));
    return S_OK;
}

LibraryServices services()
{
    return {&project(), &createObject, &HostApplication::wakeDescriptor, &HostApplication::runPendingWork};
}

// The library entry: the runtime hears of every load and unload.
std::int32_t DllMain(const void *handle, DWORD reason, void *reserved)
{
    return ComponentServices::libraryMain(services(), handle, reason, reserved);
}

} // namespace

// The library's own ELF header, which the linker defines for every shared
// object: its module handle, as the image base is elsewhere.
extern "C" const char __ehdr_start[];

namespace {

// Runs the entry when the library is loaded and when it is unloaded.
struct LibraryEntry
{
    LibraryEntry() { DllMain(__ehdr_start, DLL_PROCESS_ATTACH, nullptr); }
    ~LibraryEntry()
    {
        HostApplication::end();
        DllMain(__ehdr_start, DLL_PROCESS_DETACH, nullptr);
    }
} entry;

} // namespace

extern "C" {

[[gnu::visibility("default")]] HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, void **ppv)
{
    return ComponentServices::getClassObject(services(), rclsid, riid, ppv);
}

[[gnu::visibility("default")]] HRESULT DllCanUnloadNow()
{
    return ComponentServices::canUnloadNow();
}

[[gnu::visibility("default")]] HRESULT DllRegisterServer()
{
    return ComponentServices::registerServer(services());
}

[[gnu::visibility("default")]] HRESULT DllUnregisterServer()
{
    return ComponentServices::unregisterServer(services());
}

} // extern "C"
