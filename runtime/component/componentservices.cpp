#include "componentservices.h"

#include "comobject.h"
#include "libraryresources.h"

#include <QFileInfo>

#include <dlfcn.h>

namespace {

// The class factory of one class: creates its objects, keeps the module
// loaded while locked, and runs the library's work from a host's own loop
// where the library has any.
class ClassFactory final : public ComObject<ClassFactory, IClassFactory, ILoopIntegration>
{
public:
    ClassFactory(const LibraryServices &library, const CLSID &classId)
        : m_library(library)
        , m_classId(classId)
    { }

    HRESULT QueryInterface(REFIID riid, void **object) override
    {
        IClassFactory *factory = this;
        ILoopIntegration *loop = m_library.runPendingWork ? this : nullptr;
        return answerQueryInterface(
            *factory, riid, object,
            {{IID_IUnknown, factory}, {IID_IClassFactory, factory}, {IID_ILoopIntegration, loop}});
    }

    HRESULT CreateInstance(IUnknown *outer, REFIID riid, void **object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (isMissing(&riid))
            return E_POINTER;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        // The library declines to create an object where it cannot live,
        // e.g. a control in a process without a Qt application.
        IUnknown *created = nullptr;
        if (const HRESULT made = m_library.createObject(m_classId, riid, &created); FAILED(made))
            return made;
        const HRESULT result = created->QueryInterface(riid, object);
        created->Release();
        return result;
    }

    HRESULT LockServer(std::int32_t lock) override
    {
        if (lock)
            ComponentModule::library().lock();
        else
            ComponentModule::library().unlock();
        return S_OK;
    }

    HRESULT GetWakeDescriptor(std::int32_t *descriptor) override
    {
        if (!descriptor)
            return E_POINTER;
        *descriptor = -1;
        return m_library.wakeDescriptor(descriptor);
    }

    HRESULT RunPendingWork(std::int32_t *nextMilliseconds) override
    {
        if (!nextMilliseconds)
            return E_POINTER;
        *nextMilliseconds = -1;
        // The work may release this object (a host's handler can).
        AddRef();
        const HRESULT result = m_library.runPendingWork(nextMilliseconds);
        Release();
        return result;
    }

private:
    LibraryServices m_library;
    CLSID m_classId;
};

// The file the module was loaded from, as an absolute path.
QString pathOf(const void *module)
{
    Dl_info info{};
    if (!module || dladdr(module, &info) == 0 || !info.dli_fname)
        return QString();
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absoluteFilePath();
}

} // namespace

ComponentModule &ComponentModule::library()
{
    static ComponentModule module;
    return module;
}

namespace ComponentServices {

std::int32_t libraryMain(const LibraryServices &library, const void *module, DWORD reason, void *)
{
    if (reason == DLL_PROCESS_ATTACH) {
        ComponentModule::library().setHandle(module);
    } else if (reason == DLL_PROCESS_DETACH) {
        if (ComponentModule::library().objects() > 0)
            qWarning("%s: unloaded while %ld of its objects still live", qPrintable(library.project->name),
                     ComponentModule::library().objects());
        ComponentModule::library().setHandle(nullptr);
    }
    return 1;
}

HRESULT getClassObject(const LibraryServices &library, REFCLSID classId, REFIID riid, void **object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (isMissing(&classId) || isMissing(&riid))
        return E_POINTER;
    const auto &objects = library.project->objects;
    const bool known = std::any_of(objects.begin(), objects.end(), [&](const auto &o) { return o.classId == classId; });
    if (!known)
        return CLASS_E_CLASSNOTAVAILABLE;
    auto *factory = new ClassFactory(library, classId);
    const HRESULT result = factory->QueryInterface(riid, object);
    factory->Release();
    return result;
}

HRESULT canUnloadNow()
{
    return ComponentModule::library().inUse() ? S_FALSE : S_OK;
}

HRESULT registerServer(const LibraryServices &library)
{
    const QString libraryPath = pathOf(ComponentModule::library().handle());
    if (libraryPath.isEmpty())
        return E_UNEXPECTED;
    const auto typeLibrary = findResource(libraryPath, QStringLiteral("TYPELIB"), 1);
    if (!typeLibrary || !typeLibrary->startsWith("MSFT"))
        return SELFREG_E_TYPELIB;
    return ComponentRegistry::registerServer(*library.project, libraryPath);
}

HRESULT unregisterServer(const LibraryServices &library)
{
    return ComponentRegistry::unregisterServer(*library.project);
}

} // namespace ComponentServices
