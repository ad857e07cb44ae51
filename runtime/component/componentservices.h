#pragma once

// The services a control library's exports hand their calls to: the class
// object, the unload query, registration and unregistration, and the
// library's entry on load and unload, each given the library's project
// descriptor.

#include "comobject.h"
#include "componentregistry.h"
#include <tovrell/interfaces.h>

// What a library adds to its descriptor for the services: how to make each
// object. Its live objects, locks and handle are its module's,
// ComponentModule::library().
struct LibraryServices
{
    const ProjectDescriptor *project;
    // Creates the object with the given class id into *object, with one
    // reference held by the caller; CLASS_E_CLASSNOTAVAILABLE for an unknown
    // class id, or the library's own failure where the object cannot live.
    // riid is the interface the host asked for, which may tell how the
    // object will be shown.
    HRESULT (*createObject)(REFCLSID classId, REFIID riid, IUnknown **object);
    // The library's work run from a host's own loop, which its class
    // factories answer as ILoopIntegration; null where it has none.
    HRESULT (*wakeDescriptor)(std::int32_t *descriptor) = nullptr;
    HRESULT (*runPendingWork)(std::int32_t *nextMilliseconds) = nullptr;
};

// The reasons a library's entry is called for.
constexpr DWORD DLL_PROCESS_DETACH = 0;
constexpr DWORD DLL_PROCESS_ATTACH = 1;

namespace ComponentServices {

// The library's entry, on load (attach) and unload (detach): remembers the
// module so registration knows the library's file, and on unload warns when
// objects of the library still live, since the host's pointers to them
// dangle from then on. Answers 1 (carry on).
std::int32_t libraryMain(const LibraryServices &library, const void *module, DWORD reason, void *reserved);

// DllGetClassObject: the class factory for classId, as riid.
HRESULT getClassObject(const LibraryServices &library, REFCLSID classId, REFIID riid, void **object);
// DllCanUnloadNow: S_OK when no object lives and no lock is held, S_FALSE otherwise.
HRESULT canUnloadNow();
// DllRegisterServer: writes the library into the component registry.
// SELFREG_E_TYPELIB when the library's file carries no type library
// (resource TYPELIB 1), SELFREG_E_CLASS when the registry cannot be written,
// E_UNEXPECTED when the library's entry has not run; nothing is written
// then.
HRESULT registerServer(const LibraryServices &library);
// DllUnregisterServer: removes exactly what registration wrote.
HRESULT unregisterServer(const LibraryServices &library);

} // namespace ComponentServices
