/* A C host with no Qt application: loads the library given as its argument,
   and expects the class factory to refuse to create a Scroller with
   CO_E_NOTINITIALIZED, without a crash, and the library to be free to
   unload afterwards. Returns 0 when both held. */

#include <tovrell/tovrell.h>

#include <dlfcn.h>
#include <stdio.h>
#include <string.h>

typedef HRESULT (*GetClassObject)(REFCLSID, REFIID, void **);
typedef HRESULT (*CanUnloadNow)(void);

static int fail(const char *what, HRESULT result)
{
    fprintf(stderr, "host without an application: %s (0x%08X)\n", what, (unsigned)result);
    return 1;
}

int main(int argc, char **argv)
{
    void *library = argc > 1 ? dlopen(argv[1], RTLD_NOW | RTLD_LOCAL) : NULL;
    void *symbol;
    GetClassObject getClassObject;
    CanUnloadNow canUnloadNow;
    IClassFactory *factory = NULL;
    IUnknown *object = NULL;
    HRESULT result;

    if (!library)
        return fail(argc > 1 ? dlerror() : "usage: noapphost <library>", 0);
    /* A function pointer is copied out of dlsym's result, as ISO C allows. */
    symbol = dlsym(library, "DllGetClassObject");
    memcpy(&getClassObject, &symbol, sizeof symbol);
    symbol = dlsym(library, "DllCanUnloadNow");
    memcpy(&canUnloadNow, &symbol, sizeof symbol);
    if (!getClassObject || !canUnloadNow)
        return fail("the entry points are missing", 0);

    result = getClassObject(&CLSID_Scroller, &IID_IClassFactory, (void **)&factory);
    if (FAILED(result))
        return fail("no class factory", result);
    result = factory->lpVtbl->CreateInstance(factory, NULL, &IID_IUnknown, (void **)&object);
    factory->lpVtbl->Release(factory);
    if (result != CO_E_NOTINITIALIZED || object != NULL)
        return fail("CreateInstance did not answer CO_E_NOTINITIALIZED", result);
    result = canUnloadNow();
    if (result != S_OK)
        return fail("the library is still in use", result);
    dlclose(library);
    puts("host without an application: refused with CO_E_NOTINITIALIZED");
    return 0;
}
