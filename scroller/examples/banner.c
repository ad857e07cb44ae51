/* A Scroller in a host's window, or drawn by its host, in C: the steps of
   HOSTING.md's walk, numbered as it numbers them. The event sink, the
   windowless site and fail() come first. */

#include "banner.h"

#include <tovrell/registry.h>

#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

typedef HRESULT (*GetClassObject)(REFCLSID, REFIID, void **);
typedef HRESULT (*CanUnloadNow)(void);

/* The host's event sink: an IDispatch that the banner calls with each
   event's dispatch id. It lives inside the Banner, which outlives it. */
typedef struct EventSink
{
    IDispatch face;
    ULONG references;
} EventSink;

/* The site of a banner without a window: an IWindowlessSite that hears
   what to draw again and tells the host. It lives inside the Banner too. */
typedef struct Site
{
    IWindowlessSite face;
    ULONG references;
    BannerInvalidated invalidated;
    void *user_data;
} Site;

struct Banner
{
    void *library;
    CanUnloadNow canUnloadNow;
    GetClassObject getClassObject;
    _Scroller *scroller;
    IX11WindowControl *placement; /* with a window */
    IWindowlessControl *windowless; /* without one */
    ILoopIntegration *loop;
    IConnectionPoint *events;
    DWORD cookie;
    EventSink sink;
    Site site;
};

static HRESULT sink_query_interface(IDispatch *self, REFIID riid, void **object)
{
    if (!object)
        return E_POINTER;
    *object = NULL;
    if (!IsEqualGUID(riid, &IID_IUnknown) && !IsEqualGUID(riid, &IID_IDispatch) && !IsEqualGUID(riid, &DIID___Scroller))
        return E_NOINTERFACE;
    *object = self;
    self->lpVtbl->AddRef(self);
    return S_OK;
}

static ULONG sink_add_ref(IDispatch *self)
{
    return ++((EventSink *)self)->references;
}

static ULONG sink_release(IDispatch *self)
{
    return --((EventSink *)self)->references;
}

static HRESULT sink_get_type_info_count(IDispatch *self, UINT *count)
{
    (void)self;
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

static HRESULT sink_get_type_info(IDispatch *self, UINT index, LCID lcid, ITypeInfo **info)
{
    (void)self, (void)index, (void)lcid;
    if (info)
        *info = NULL;
    return E_NOTIMPL;
}

static HRESULT sink_get_ids_of_names(IDispatch *self, REFIID riid, OLECHAR **names, UINT count, LCID lcid, DISPID *ids)
{
    (void)self, (void)riid, (void)names, (void)count, (void)lcid, (void)ids;
    return E_NOTIMPL;
}

/* MouseDown's arguments come by reference in reverse order: Y, X, Shift,
   Button; positions in twips (15 a pixel). */
static HRESULT sink_invoke(IDispatch *self, DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS *params,
                           VARIANT *result, EXCEPINFO *exception, UINT *argument_error)
{
    (void)self, (void)riid, (void)lcid, (void)flags, (void)result, (void)exception, (void)argument_error;
    if (id == DISPID_SCROLLER_CLICK)
        printf("Click\n");
    else if (id == DISPID_SCROLLER_MOUSEDOWN && params && params->cArgs == 4)
        printf("MouseDown %d %d %.0f %.0f\n", *params->rgvarg[3].piVal, *params->rgvarg[2].piVal,
               (double)*params->rgvarg[1].pfltVal, (double)*params->rgvarg[0].pfltVal);
    fflush(stdout);
    return S_OK;
}

static const IDispatchVtbl sink_functions = {
    sink_query_interface, sink_add_ref,          sink_release, sink_get_type_info_count,
    sink_get_type_info,   sink_get_ids_of_names, sink_invoke,
};

static HRESULT site_query_interface(IWindowlessSite *self, REFIID riid, void **object)
{
    if (!object)
        return E_POINTER;
    *object = NULL;
    if (!IsEqualGUID(riid, &IID_IUnknown) && !IsEqualGUID(riid, &IID_IWindowlessSite))
        return E_NOINTERFACE;
    *object = self;
    self->lpVtbl->AddRef(self);
    return S_OK;
}

static ULONG site_add_ref(IWindowlessSite *self)
{
    return ++((Site *)self)->references;
}

static ULONG site_release(IWindowlessSite *self)
{
    return --((Site *)self)->references;
}

/* The banner moved on: the host draws it again when it next paints. */
static HRESULT site_invalidate(IWindowlessSite *self, int32_t x, int32_t y, int32_t width, int32_t height)
{
    Site *site = (Site *)self;
    (void)x, (void)y, (void)width, (void)height;
    site->invalidated(site->user_data);
    return S_OK;
}

static const IWindowlessSiteVtbl site_functions = {site_query_interface, site_add_ref, site_release, site_invalidate};

/* Says why the banner could not be made, releases what was, and answers
   NULL. */
static Banner *fail(Banner *banner, const char *what, HRESULT result)
{
    fprintf(stderr, "banner: %s (0x%08X)\n", what, (unsigned)result);
    banner_close(banner);
    return NULL;
}

static Banner *banner_new(void)
{
    Banner *banner = calloc(1, sizeof *banner);
    if (!banner)
        return NULL;
    banner->sink.face.lpVtbl = &sink_functions;
    banner->sink.references = 1;
    banner->site.face.lpVtbl = &site_functions;
    banner->site.references = 1;
    return banner;
}

/* 1. Find the library through the component registry, and load it.
   Answers what went wrong, or NULL. */
static const char *load_library(Banner *banner)
{
    char path[4096];
    void *symbol;
    if (!TovrellFindLibrary(&CLSID_Scroller, path, sizeof path))
        return "Tovrell.Scroller is not registered: regcomponent <path of libtovrell.so.1>";
    banner->library = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (!banner->library)
        return dlerror();
    symbol = dlsym(banner->library, "DllGetClassObject");
    memcpy(&banner->getClassObject, &symbol, sizeof symbol);
    symbol = dlsym(banner->library, "DllCanUnloadNow");
    memcpy(&banner->canUnloadNow, &symbol, sizeof symbol);
    if (!banner->getClassObject || !banner->canUnloadNow)
        return "not a component library";
    return NULL;
}

/* 2. Create a Scroller as riid. The library makes the Qt application that
   the control lives in, on this thread; where it cannot (no X server for
   a control with a window), it says so. The factory also runs the
   library's work for a loop of the host's own: keep that interface. */
static HRESULT create_scroller(Banner *banner, REFIID riid, void **object)
{
    IClassFactory *factory = NULL;
    HRESULT result = banner->getClassObject(&CLSID_Scroller, &IID_IClassFactory, (void **)&factory);
    if (FAILED(result))
        return result;
    result = factory->lpVtbl->CreateInstance(factory, NULL, riid, object);
    if (SUCCEEDED(result))
        result = factory->lpVtbl->QueryInterface(factory, &IID_ILoopIntegration, (void **)&banner->loop);
    factory->lpVtbl->Release(factory);
    return result;
}

/* 4. A new placement and its caption. */
static HRESULT start(Banner *banner, const char *caption)
{
    IPersistPropertyBag *persistence = NULL;
    VARIANT value;
    size_t i;
    HRESULT result =
        banner->scroller->lpVtbl->QueryInterface(banner->scroller, &IID_IPersistPropertyBag, (void **)&persistence);
    if (SUCCEEDED(result)) {
        result = persistence->lpVtbl->InitNew(persistence);
        persistence->lpVtbl->Release(persistence);
    }
    if (FAILED(result))
        return result;
    VariantInit(&value);
    value.vt = VT_BSTR;
    value.bstrVal = SysAllocStringLen(NULL, (UINT)strlen(caption));
    for (i = 0; value.bstrVal && caption[i]; ++i)
        value.bstrVal[i] = (OLECHAR)(unsigned char)caption[i]; /* ASCII */
    result = value.bstrVal ? banner->scroller->lpVtbl->put_Caption(banner->scroller, value) : E_OUTOFMEMORY;
    VariantClear(&value);
    return result;
}

/* 5. Hear its events. */
static HRESULT hear(Banner *banner)
{
    IConnectionPointContainer *points = NULL;
    HRESULT result =
        banner->scroller->lpVtbl->QueryInterface(banner->scroller, &IID_IConnectionPointContainer, (void **)&points);
    if (SUCCEEDED(result)) {
        result = points->lpVtbl->FindConnectionPoint(points, &DIID___Scroller, &banner->events);
        points->lpVtbl->Release(points);
    }
    if (SUCCEEDED(result))
        result = banner->events->lpVtbl->Advise(banner->events, (IUnknown *)&banner->sink, &banner->cookie);
    return result;
}

Banner *banner_open(const char *caption, unsigned long window, int x, int y, int width, int height)
{
    HRESULT result;
    const char *trouble;
    Banner *banner = banner_new();
    if (!banner)
        return NULL;
    if ((trouble = load_library(banner)))
        return fail(banner, trouble, 0);
    result = create_scroller(banner, &IID__Scroller, (void **)&banner->scroller);
    if (result == TOVRELL_E_NODISPLAY)
        return fail(banner, "no X server to show it on", result);
    if (FAILED(result))
        return fail(banner, "no Scroller", result);

    /* 3. Site it in the window: ambient properties first (running, so it
       scrolls; the desktop's font), then the window. */
    result =
        banner->scroller->lpVtbl->QueryInterface(banner->scroller, &IID_IX11WindowControl, (void **)&banner->placement);
    if (SUCCEEDED(result))
        result = banner->placement->lpVtbl->SetAmbient(banner->placement, VARIANT_TRUE, NULL, 0.0f);
    if (SUCCEEDED(result))
        result = banner->placement->lpVtbl->SetParentWindow(banner->placement, window);
    if (result == E_INVALIDARG)
        return fail(banner, "the X server does not know that window (flush the connection first)", result);
    if (FAILED(result))
        return fail(banner, "no X11 window can hold it here", result);

    /* 4. Then its bounds: the control fits its font, the one the placement
       gave it, to the height. */
    if (FAILED(result = start(banner, caption)))
        return fail(banner, "InitNew or the caption failed", result);
    if (FAILED(result = banner->placement->lpVtbl->SetBounds(banner->placement, x, y, width, height)))
        return fail(banner, "the bounds were refused", result);
    if (FAILED(result = hear(banner)))
        return fail(banner, "its events cannot be heard", result);
    return banner;
}

Banner *banner_open_windowless(const char *caption, int width, int height, BannerInvalidated invalidated,
                               void *user_data)
{
    HRESULT result;
    const char *trouble;
    Banner *banner = banner_new();
    if (!banner)
        return NULL;
    if ((trouble = load_library(banner)))
        return fail(banner, trouble, 0);
    banner->site.invalidated = invalidated;
    banner->site.user_data = user_data;
    /* 2. Asked for IWindowlessControl, the library makes a control without
       a window, which needs no display at all. */
    result = create_scroller(banner, &IID_IWindowlessControl, (void **)&banner->windowless);
    if (SUCCEEDED(result))
        result =
            banner->windowless->lpVtbl->QueryInterface(banner->windowless, &IID__Scroller, (void **)&banner->scroller);
    if (FAILED(result))
        return fail(banner, "no windowless Scroller", result);

    /* 3. Site it: the host's site hears what to draw again; the ambient
       properties as for a window. */
    result = banner->windowless->lpVtbl->SetSite(banner->windowless, &banner->site.face);
    if (SUCCEEDED(result))
        result = banner->windowless->lpVtbl->SetAmbient(banner->windowless, VARIANT_TRUE, NULL, 0.0f);
    if (FAILED(result))
        return fail(banner, "it cannot be sited", result);

    if (FAILED(result = start(banner, caption)))
        return fail(banner, "InitNew or the caption failed", result);
    if (FAILED(result = banner->windowless->lpVtbl->SetSize(banner->windowless, width, height)))
        return fail(banner, "the size was refused", result);
    if (FAILED(result = hear(banner)))
        return fail(banner, "its events cannot be heard", result);
    return banner;
}

int banner_move(Banner *banner, int x, int y, int width, int height)
{
    if (banner->windowless)
        return FAILED(banner->windowless->lpVtbl->SetSize(banner->windowless, width, height));
    return FAILED(banner->placement->lpVtbl->SetBounds(banner->placement, x, y, width, height));
}

int banner_draw(Banner *banner, void *pixels, int stride, int width, int height)
{
    return FAILED(banner->windowless->lpVtbl->Draw(banner->windowless, pixels, stride, 0, 0, width, height));
}

void banner_pointer(Banner *banner, int event, int x, int y, int buttons, int modifiers)
{
    banner->windowless->lpVtbl->OnPointer(banner->windowless, event, x, y, buttons, modifiers);
}

float banner_font_size(Banner *banner)
{
    IDispatch *font = NULL;
    DISPPARAMS none = {NULL, NULL, 0, 0};
    VARIANT size;
    float points = 0.0f;
    VariantInit(&size);
    if (FAILED(banner->scroller->lpVtbl->get_Font(banner->scroller, &font)))
        return 0.0f;
    if (SUCCEEDED(
            font->lpVtbl->Invoke(font, DISPID_FONT_SIZE, &IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &size, NULL, NULL))
        && size.vt == VT_R4)
        points = size.fltVal;
    VariantClear(&size);
    font->lpVtbl->Release(font);
    return points;
}

int banner_set_interval(Banner *banner, int milliseconds)
{
    return FAILED(banner->scroller->lpVtbl->put_Interval(banner->scroller, milliseconds));
}

/* 6. Run its work from a loop of your own. */
int banner_wake_descriptor(Banner *banner)
{
    int32_t descriptor = -1;
    if (FAILED(banner->loop->lpVtbl->GetWakeDescriptor(banner->loop, &descriptor)))
        return -1;
    return descriptor;
}

int banner_run_pending_work(Banner *banner)
{
    int32_t next = -1;
    if (FAILED(banner->loop->lpVtbl->RunPendingWork(banner->loop, &next)))
        return -1;
    return next;
}

/* 7. Release everything; once nothing of the library is held, unload it. */
int banner_close(Banner *banner)
{
    int unloadable = 1;
    if (!banner)
        return 1;
    if (banner->events) {
        banner->events->lpVtbl->Unadvise(banner->events, banner->cookie);
        banner->events->lpVtbl->Release(banner->events);
    }
    if (banner->placement) {
        banner->placement->lpVtbl->SetParentWindow(banner->placement, 0);
        banner->placement->lpVtbl->Release(banner->placement);
    }
    if (banner->windowless) {
        banner->windowless->lpVtbl->SetSite(banner->windowless, NULL);
        banner->windowless->lpVtbl->Release(banner->windowless);
    }
    if (banner->scroller)
        banner->scroller->lpVtbl->Release(banner->scroller);
    if (banner->loop)
        banner->loop->lpVtbl->Release(banner->loop);
    if (banner->library) {
        unloadable = banner->canUnloadNow && banner->canUnloadNow() == S_OK && banner->sink.references == 1
            && banner->site.references == 1;
        dlclose(banner->library);
    }
    free(banner);
    return unloadable ? 0 : 1;
}
