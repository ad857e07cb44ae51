#pragma once

// The services a control library's exports hand their calls to: the class
// object, the unload query, registration and unregistration, and the
// library's entry on load and unload, each given the library's project
// descriptor.

#include "componentregistry.h"
#include "interfaces.h"

#include <algorithm>
#include <atomic>

// A library's module: where it is loaded, and its live objects and server
// locks.
class ComponentModule
{
public:
    // Any address inside the loaded library; null before its entry ran.
    void setHandle(const void *handle) { m_handle = handle; }
    const void *handle() const { return m_handle; }
    long objects() const { return m_objects; }

    void objectCreated() { ++m_objects; }
    void objectDestroyed() { --m_objects; }
    void lock() { ++m_locks; }
    void unlock() { --m_locks; }
    bool inUse() const { return m_objects > 0 || m_locks > 0; }

private:
    const void *m_handle = nullptr;
    std::atomic<long> m_objects{0};
    std::atomic<long> m_locks{0};
};

// What a library adds to its descriptor for the services: how to make each
// object, and its module's counts.
struct LibraryServices
{
    const ProjectDescriptor *project;
    ComponentModule *module;
    // Creates the object with the given class id, with one reference held
    // by the caller; null for an unknown class id.
    IUnknown *(*createObject)(REFCLSID classId);
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
HRESULT canUnloadNow(const LibraryServices &library);
// DllRegisterServer: writes the library into the component registry.
// SELFREG_E_TYPELIB when the library's file carries no type library
// (resource TYPELIB 1), SELFREG_E_CLASS when the registry cannot be written,
// E_UNEXPECTED when the library's entry has not run; nothing is written
// then.
HRESULT registerServer(const LibraryServices &library);
// DllUnregisterServer: removes exactly what registration wrote.
HRESULT unregisterServer(const LibraryServices &library);

} // namespace ComponentServices
