/* A component host in plain C, with no window: loads the library given as
   its argument, creates a Scroller (the library makes the Qt application it
   needs), sets and reads its caption through the vtable, hears the change
   through a property-notify sink of its own, releases everything and
   unloads the library. Returns 0 when every step held. */

#include <tovrell/tovrell.h>

#include <dlfcn.h>
#include <stdio.h>
#include <string.h>

typedef HRESULT (*GetClassObject)(REFCLSID, REFIID, void **);
typedef HRESULT (*CanUnloadNow)(void);

/* The host's sink: the interface first, then its own state. */
typedef struct ChangeSink
{
    IPropertyNotifySink face;
    ULONG references;
    DISPID changed[8];
    int count;
} ChangeSink;

static HRESULT sinkQueryInterface(IPropertyNotifySink *This, REFIID riid, void **object)
{
    if (!IsEqualGUID(riid, &IID_IUnknown) && !IsEqualGUID(riid, &IID_IPropertyNotifySink)) {
        *object = NULL;
        return E_NOINTERFACE;
    }
    *object = This;
    This->lpVtbl->AddRef(This);
    return S_OK;
}

static ULONG sinkAddRef(IPropertyNotifySink *This)
{
    return ++((ChangeSink *)This)->references;
}

static ULONG sinkRelease(IPropertyNotifySink *This)
{
    return --((ChangeSink *)This)->references; /* lives on the stack */
}

static HRESULT sinkOnChanged(IPropertyNotifySink *This, DISPID id)
{
    ChangeSink *sink = (ChangeSink *)This;
    if (sink->count < 8)
        sink->changed[sink->count++] = id;
    return S_OK;
}

static HRESULT sinkOnRequestEdit(IPropertyNotifySink *This, DISPID id)
{
    (void)This;
    (void)id;
    return S_OK;
}

static const IPropertyNotifySinkVtbl sinkFunctions = {
    sinkQueryInterface, sinkAddRef, sinkRelease, sinkOnChanged, sinkOnRequestEdit,
};

static int fail(const char *what, HRESULT result)
{
    fprintf(stderr, "C host: %s (0x%08X)\n", what, (unsigned)result);
    return 1;
}

int main(int argc, char **argv)
{
    static const OLECHAR text[] = u"Hello from C";
    void *library = argc > 1 ? dlopen(argv[1], RTLD_NOW | RTLD_LOCAL) : NULL;
    void *symbol;
    GetClassObject getClassObject;
    CanUnloadNow canUnloadNow;
    IClassFactory *factory = NULL;
    _Scroller *scroller = NULL;
    IPersistPropertyBag *persist = NULL;
    IConnectionPointContainer *container = NULL;
    IConnectionPoint *point = NULL;
    ChangeSink sink = {{&sinkFunctions}, 1, {0}, 0};
    DWORD cookie = 0;
    VARIANT caption;
    HRESULT result;

    if (!library)
        return fail(argc > 1 ? dlerror() : "usage: chost <library>", 0);
    symbol = dlsym(library, "DllGetClassObject");
    memcpy(&getClassObject, &symbol, sizeof symbol);
    symbol = dlsym(library, "DllCanUnloadNow");
    memcpy(&canUnloadNow, &symbol, sizeof symbol);
    if (!getClassObject || !canUnloadNow)
        return fail("the entry points are missing", 0);

    result = getClassObject(&CLSID_Scroller, &IID_IClassFactory, (void **)&factory);
    if (FAILED(result))
        return fail("no class factory", result);
    result = factory->lpVtbl->CreateInstance(factory, NULL, &IID__Scroller, (void **)&scroller);
    factory->lpVtbl->Release(factory);
    if (FAILED(result))
        return fail("no Scroller", result);

    scroller->lpVtbl->QueryInterface(scroller, &IID_IPersistPropertyBag, (void **)&persist);
    result = persist->lpVtbl->InitNew(persist);
    persist->lpVtbl->Release(persist);
    if (FAILED(result))
        return fail("InitNew failed", result);

    scroller->lpVtbl->QueryInterface(scroller, &IID_IConnectionPointContainer, (void **)&container);
    result = container->lpVtbl->FindConnectionPoint(container, &IID_IPropertyNotifySink, &point);
    if (FAILED(result))
        return fail("no property-notify connection point", result);
    result = point->lpVtbl->Advise(point, (IUnknown *)&sink, &cookie);
    if (FAILED(result))
        return fail("Advise failed", result);

    VariantInit(&caption);
    caption.vt = VT_BSTR;
    caption.bstrVal = SysAllocString(text);
    result = scroller->lpVtbl->put_Caption(scroller, caption);
    VariantClear(&caption);
    if (FAILED(result))
        return fail("put_Caption failed", result);
    result = scroller->lpVtbl->get_Caption(scroller, &caption);
    if (FAILED(result) || caption.vt != VT_BSTR || SysStringLen(caption.bstrVal) != 12
        || memcmp(caption.bstrVal, text, sizeof text) != 0)
        return fail("the caption did not come back", result);
    VariantClear(&caption);
    if (sink.count != 1 || sink.changed[0] != DISPID_SCROLLER_CAPTION)
        return fail("no property change for Caption", sink.count);

    point->lpVtbl->Unadvise(point, cookie);
    point->lpVtbl->Release(point);
    container->lpVtbl->Release(container);
    scroller->lpVtbl->Release(scroller);
    if (sink.references != 1)
        return fail("the sink was not released", (HRESULT)sink.references);
    result = canUnloadNow();
    if (result != S_OK)
        return fail("the library is still in use", result);
    dlclose(library);
    puts("C host: ok");
    return 0;
}
