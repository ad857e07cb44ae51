/* Every entry point and interface method given a null where it takes a
   pointer in, as a C host can give it: each answers its failure and
   changes nothing (out pointers are nulled, nothing is made, and the
   library is free to unload once the objects it made are released).
   Written in C, where a null id is a null pointer, with the result codes
   as case labels. Exits 0 when every row held.

       badpointers <library> */

#include <tovrell/tovrell.h>

#include <dlfcn.h>
#include <stdio.h>

typedef HRESULT (*GetClassObject)(REFCLSID, REFIID, void **);
typedef HRESULT (*CanUnloadNow)(void);

static GetClassObject getClassObject;
static IClassFactory *factory;
static _Scroller *scroller;
static IConnectionPointContainer *points;
static IConnectionPoint *events;
static IDispatch *font;
static IPersistPropertyBag *persistence;
static void *out;

/* Each row's call; out starts as garbage and must come back null. */
static HRESULT noClassId(void)
{
    return getClassObject(NULL, &IID_IClassFactory, &out);
}
static HRESULT noInterfaceIdForTheFactory(void)
{
    return getClassObject(&CLSID_Scroller, NULL, &out);
}
static HRESULT factoryQueryInterface(void)
{
    return factory->lpVtbl->QueryInterface(factory, NULL, &out);
}
static HRESULT createInstance(void)
{
    return factory->lpVtbl->CreateInstance(factory, NULL, NULL, &out);
}
static HRESULT scrollerQueryInterface(void)
{
    return scroller->lpVtbl->QueryInterface(scroller, NULL, &out);
}
static HRESULT findConnectionPoint(void)
{
    return points->lpVtbl->FindConnectionPoint(points, NULL, (IConnectionPoint **)&out);
}
static HRESULT connectionPointQueryInterface(void)
{
    return events->lpVtbl->QueryInterface(events, NULL, &out);
}
static HRESULT fontQueryInterface(void)
{
    return font->lpVtbl->QueryInterface(font, NULL, &out);
}
static HRESULT scrollerNameMissing(void)
{
    OLECHAR *names[] = {NULL};
    DISPID id = 0;
    return scroller->lpVtbl->GetIDsOfNames(scroller, &IID_NULL, names, 1, 0, &id);
}
static HRESULT fontNameMissing(void)
{
    OLECHAR *names[] = {NULL};
    DISPID id = 0;
    return font->lpVtbl->GetIDsOfNames(font, &IID_NULL, names, 1, 0, &id);
}
static HRESULT invokeWithoutArguments(void)
{
    return scroller->lpVtbl->Invoke(scroller, DISPID_SCROLLER_CAPTION, &IID_NULL, 0, DISPATCH_PROPERTYGET, NULL, NULL,
                                    NULL, NULL);
}
static HRESULT adviseNoSink(void)
{
    DWORD cookie = 1;
    return events->lpVtbl->Advise(events, NULL, &cookie);
}
static HRESULT loadNoBag(void)
{
    return persistence->lpVtbl->Load(persistence, NULL, NULL);
}
static HRESULT setNoFont(void)
{
    return scroller->lpVtbl->putref_Font(scroller, NULL);
}

static const struct
{
    const char *call;
    HRESULT (*make)(void);
    HRESULT expected;
    int handsOut; /* the call has an out pointer, which must come back null */
} rows[] = {
    {"DllGetClassObject, no class id", noClassId, E_POINTER, 1},
    {"DllGetClassObject, no interface id", noInterfaceIdForTheFactory, E_POINTER, 1},
    {"IClassFactory::QueryInterface, no interface id", factoryQueryInterface, E_POINTER, 1},
    {"IClassFactory::CreateInstance, no interface id", createInstance, E_POINTER, 1},
    {"_Scroller::QueryInterface, no interface id", scrollerQueryInterface, E_POINTER, 1},
    {"FindConnectionPoint, no interface id", findConnectionPoint, E_POINTER, 1},
    {"IConnectionPoint::QueryInterface, no interface id", connectionPointQueryInterface, E_POINTER, 1},
    {"the font's QueryInterface, no interface id", fontQueryInterface, E_POINTER, 1},
    {"_Scroller::GetIDsOfNames, a name missing", scrollerNameMissing, E_POINTER, 0},
    {"the font's GetIDsOfNames, a name missing", fontNameMissing, E_POINTER, 0},
    {"_Scroller::Invoke, no arguments", invokeWithoutArguments, E_POINTER, 0},
    {"IConnectionPoint::Advise, no sink", adviseNoSink, E_POINTER, 0},
    {"IPersistPropertyBag::Load, no bag", loadNoBag, E_POINTER, 0},
    {"_Scroller::putref_Font, no font", setNoFont, E_INVALIDARG, 0},
};

static const char *nameOf(HRESULT result)
{
    switch (result) {
    case S_OK:
        return "S_OK";
    case E_POINTER:
        return "E_POINTER";
    case E_INVALIDARG:
        return "E_INVALIDARG";
    default:
        return "another result";
    }
}

int main(int argc, char **argv)
{
    void *library = argc > 1 ? dlopen(argv[1], RTLD_NOW | RTLD_LOCAL) : NULL;
    void *symbol;
    CanUnloadNow canUnloadNow;
    size_t i;
    int failures = 0;
    if (!library) {
        fprintf(stderr, "usage: badpointers <library> (%s)\n", argc > 1 ? dlerror() : "");
        return 1;
    }
    symbol = dlsym(library, "DllGetClassObject");
    memcpy(&getClassObject, &symbol, sizeof symbol);
    symbol = dlsym(library, "DllCanUnloadNow");
    memcpy(&canUnloadNow, &symbol, sizeof symbol);

    getClassObject(&CLSID_Scroller, &IID_IClassFactory, (void **)&factory);
    factory->lpVtbl->CreateInstance(factory, NULL, &IID__Scroller, (void **)&scroller);
    scroller->lpVtbl->QueryInterface(scroller, &IID_IConnectionPointContainer, (void **)&points);
    points->lpVtbl->FindConnectionPoint(points, &DIID___Scroller, &events);
    scroller->lpVtbl->QueryInterface(scroller, &IID_IPersistPropertyBag, (void **)&persistence);
    persistence->lpVtbl->InitNew(persistence);
    scroller->lpVtbl->get_Font(scroller, &font);

    for (i = 0; i < sizeof rows / sizeof *rows; ++i) {
        HRESULT result;
        out = &out;
        result = rows[i].make();
        if (!rows[i].handsOut)
            out = NULL;
        if (result != rows[i].expected || out) {
            printf("FAIL %s: %s (0x%08X)%s\n", rows[i].call, nameOf(result), (unsigned)result,
                   out ? ", out pointer not nulled" : "");
            ++failures;
        } else {
            printf("ok   %s: %s\n", rows[i].call, nameOf(result));
        }
    }

    font->lpVtbl->Release(font);
    persistence->lpVtbl->Release(persistence);
    events->lpVtbl->Release(events);
    points->lpVtbl->Release(points);
    scroller->lpVtbl->Release(scroller);
    factory->lpVtbl->Release(factory);
    if (canUnloadNow() != S_OK) {
        printf("FAIL objects still live after the last release\n");
        ++failures;
    }
    dlclose(library);
    return failures ? 1 : 0;
}
