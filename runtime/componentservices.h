#pragma once

// The services a control library's exports hand their calls to: the class
// object, the unload query, registration and unregistration, each given the
// library's project descriptor.

#include "componentregistry.h"
#include "interfaces.h"

#include <algorithm>
#include <atomic>

// Counts a library's live objects and server locks.
class ComponentModule
{
public:
    void objectCreated() { ++m_objects; }
    void objectDestroyed() { --m_objects; }
    void lock() { ++m_locks; }
    void unlock() { --m_locks; }
    bool inUse() const { return m_objects > 0 || m_locks > 0; }

private:
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

namespace ComponentServices {

// DllGetClassObject: the class factory for classId, as riid.
HRESULT getClassObject(const LibraryServices &library, REFCLSID classId, REFIID riid, void **object);
// DllCanUnloadNow: S_OK when no object lives and no lock is held, S_FALSE otherwise.
HRESULT canUnloadNow(const LibraryServices &library);
// DllRegisterServer and DllUnregisterServer, for the library at libraryPath.
HRESULT registerServer(const LibraryServices &library, const QString &libraryPath);
HRESULT unregisterServer(const LibraryServices &library);

} // namespace ComponentServices
