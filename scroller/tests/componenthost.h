#pragma once

// What every component-host test does first: load libtovrell.so as a host
// does (dlopen, the four entry points), register it into a scratch
// registry, find its class by programmatic id, and create and place
// Scrollers on a window; and the calls through IDispatch that the tests
// make.

#include "componentregistry.h"
#include "hostobjects.h"

#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <dlfcn.h>

using GetClassObject = HRESULT (*)(REFCLSID, REFIID, void **);
using NoArguments = HRESULT (*)();

class ComponentHost
{
public:
    ~ComponentHost()
    {
        if (library)
            dlclose(library);
    }

    // Loads and registers the library; false, with a warning, on failure.
    bool load()
    {
        qputenv("FORM_COMPONENT_REGISTRY", folder.filePath(QStringLiteral("components.ini")).toLocal8Bit());
        qputenv("FORM_COMPONENT_SYSTEM_REGISTRY",
                folder.filePath(QStringLiteral("system/components.ini")).toLocal8Bit());
        QSettings(ComponentRegistry::location(), QSettings::IniFormat)
            .setValue(QStringLiteral("Other.Thing/CLSID/Default"),
                      QStringLiteral("{00000000-0000-0000-0000-000000000001}"));
        registryBefore = registry();
        library = dlopen(TOVRELL_PATH, RTLD_NOW | RTLD_LOCAL);
        if (!library) {
            qWarning("%s", dlerror());
            return false;
        }
        getClassObject = reinterpret_cast<GetClassObject>(dlsym(library, "DllGetClassObject"));
        canUnloadNow = reinterpret_cast<NoArguments>(dlsym(library, "DllCanUnloadNow"));
        registerServer = reinterpret_cast<NoArguments>(dlsym(library, "DllRegisterServer"));
        unregisterServer = reinterpret_cast<NoArguments>(dlsym(library, "DllUnregisterServer"));
        if (!getClassObject || !canUnloadNow || !registerServer || !unregisterServer || registerServer() != S_OK)
            return false;
        const auto found = ComponentRegistry::classIdOf(QStringLiteral("Tovrell.Scroller"));
        if (!found
            || ComponentRegistry::libraryOf(*found) != QFileInfo(QStringLiteral(TOVRELL_PATH)).absoluteFilePath())
            return false;
        classId = *found;
        window.resize(500, 200);
        window.show();
        return QTest::qWaitForWindowExposed(&window);
    }

    // A new Scroller placed on parent (the host's window by default), in
    // user mode, as IDispatch; null when the factory refused.
    IDispatch *create(QWidget *parent = nullptr)
    {
        IClassFactory *factory = nullptr;
        if (FAILED(getClassObject(classId, IID_IClassFactory, reinterpret_cast<void **>(&factory))))
            return nullptr;
        IDispatch *object = nullptr;
        const HRESULT created = factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void **>(&object));
        factory->Release();
        if (FAILED(created))
            return nullptr;
        IWidgetControl *placement = nullptr;
        object->QueryInterface(IID_IWidgetControl, reinterpret_cast<void **>(&placement));
        placement->SetAmbient(VARIANT_TRUE, u"Liberation Sans", 10.0f);
        placement->SetParent(parent ? parent : &window);
        placement->SetBounds(10, 10, 408, 40);
        placement->Release();
        return object;
    }

    // Every key of the user's registry with its value.
    static QMap<QString, QVariant> registry()
    {
        QSettings settings(ComponentRegistry::location(), QSettings::IniFormat);
        QMap<QString, QVariant> all;
        for (const QString &key : settings.allKeys())
            all.insert(key, settings.value(key));
        return all;
    }

    QTemporaryDir folder;
    void *library = nullptr;
    GetClassObject getClassObject = nullptr;
    NoArguments canUnloadNow = nullptr, registerServer = nullptr, unregisterServer = nullptr;
    QMap<QString, QVariant> registryBefore;
    CLSID classId{};
    QWidget window;
};

inline HRESULT invoke(IDispatch *object, DISPID id, WORD flags, std::vector<VARIANT> arguments,
                      VARIANT *result = nullptr, EXCEPINFO *exception = nullptr)
{
    const bool put = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{arguments.data(), put ? &named : nullptr, UINT(arguments.size()), put ? 1u : 0u};
    UINT argumentError = 0;
    return object->Invoke(id, IID_NULL, 0, flags, &params, result, exception, &argumentError);
}

inline VARIANT variantOf(const QVariant &value)
{
    VARIANT variant;
    variantFromQVariant(value, &variant);
    return variant;
}

// A property's value ("(object)" for an object, "(failed)" for a failure).
inline QVariant get(IDispatch *object, DISPID id)
{
    VARIANT result;
    VariantInit(&result);
    if (FAILED(invoke(object, id, DISPATCH_PROPERTYGET, {}, &result)))
        return QStringLiteral("(failed)");
    const QVariant value = result.vt == VT_DISPATCH ? QVariant(QStringLiteral("(object)"))
                                                    : qvariantFromVariant(result).value_or(QVariant());
    VariantClear(&result);
    return value;
}

inline HRESULT put(IDispatch *object, DISPID id, const QVariant &value)
{
    VARIANT argument = variantOf(value);
    const HRESULT result = invoke(object, id, DISPATCH_PROPERTYPUT, {argument});
    VariantClear(&argument);
    return result;
}
