#pragma once

#include <tovrell/interfaces.h>

#include <atomic>
#include <initializer_list>

// Whether an id passed in is missing. A C host passes class and interface
// ids by pointer and may pass null; here they arrive as references, which
// the compiler may assume are bound. Callers pass the reference's address
// (binding it to another reference would already be undefined), and the
// address is read back through a volatile to keep the check.
inline bool isMissing(const GUID *id)
{
    const GUID *volatile address = id;
    return address == nullptr;
}

// One interface an object hands out: its id, and the object as it (null
// where this object does not have it).
struct Face
{
    const IID &id;
    void *object;
};

// What every QueryInterface does: nulls the out pointer, refuses a null
// one or a null id, and hands out the face whose id is riid with a
// reference taken through self; E_NOINTERFACE for any other id.
inline HRESULT answerQueryInterface(IUnknown &self, REFIID riid, void **object, std::initializer_list<Face> faces)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (isMissing(&riid))
        return E_POINTER;
    for (const Face &face : faces) {
        if (riid == face.id && face.object) {
            *object = face.object;
            self.AddRef();
            return S_OK;
        }
    }
    return E_NOINTERFACE;
}

// A library's module: where it is loaded, and its live objects and server
// locks. Each library that links the runtime has one.
class ComponentModule
{
public:
    static ComponentModule &library();

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

// The reference counting of a component object that implements Interfaces:
// it starts with one reference held by its creator, and its last Release
// deletes it. Every such object keeps its library in use while it lives,
// whatever the host holds it by.
template <typename Derived, typename... Interfaces>
class ComObject : public Interfaces...
{
public:
    ULONG AddRef() override { return ++m_references; }

    ULONG Release() override
    {
        const ULONG left = --m_references;
        if (left == 0)
            delete static_cast<Derived *>(this);
        return left;
    }

protected:
    ComObject() { ComponentModule::library().objectCreated(); }
    ~ComObject() { ComponentModule::library().objectDestroyed(); }

private:
    std::atomic<ULONG> m_references{1};
};
