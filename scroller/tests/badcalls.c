/* Every careless call a host can make, one table: a null wherever a pointer
   goes in, creating a control where no display can start, a window the X
   server does not know, a size no window can have, work run from inside a
   GLib dispatch, a control whose window its host destroyed, a release
   without taking the control out. Each call answers its documented result
   and changes nothing (out pointers are nulled, nothing is made, the
   control stays where it was, and the library is free to unload once the
   objects it made are released); a row's check says what must hold after
   it. The rows that once ended the host's process run in a child of their
   own, which must live to tell the result. Written in C against a real X
   server, as hosts are. Exits 0 when every row held.

       badcalls <library>        (DISPLAY names an X server) */

#include <tovrell/tovrell.h>

#include <X11/Xlib.h>
#include <glib.h>

#include <dlfcn.h>
#include <poll.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <unistd.h>

typedef HRESULT (*GetClassObject)(REFCLSID, REFIID, void **);
typedef HRESULT (*CanUnloadNow)(void);

static GetClassObject getClassObject;
static IClassFactory *factory;
static ILoopIntegration *loop;
static _Scroller *scroller;
static IX11WindowControl *placement;
static IConnectionPointContainer *points;
static IConnectionPoint *events;
static IDispatch *font;
static IPersistPropertyBag *persistence;
static void *out;
static Display *display;
static Window hostWindow;
static Window unflushedWindow;

/* Runs the library's work until nothing is left to do now. */
static void runWork(void)
{
    int32_t next = 0;
    int round;
    for (round = 0; round < 50 && next == 0; ++round)
        loop->lpVtbl->RunPendingWork(loop, &next);
    XSync(display, False);
    loop->lpVtbl->RunPendingWork(loop, &next);
}

/* The control's windows in window, as the host's connection sees them, and
   how many of them are shown. */
static int controlsIn(Window window, int *shown)
{
    Window root, parent, *children = NULL;
    unsigned count = 0, i;
    *shown = 0;
    runWork();
    if (!XQueryTree(display, window, &root, &parent, &children, &count))
        return -1;
    for (i = 0; i < count; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, children[i], &attributes) && attributes.map_state == IsViewable)
            ++*shown;
    }
    if (children)
        XFree(children);
    return (int)count;
}

static HRESULT create(void **object)
{
    IClassFactory *made = NULL;
    HRESULT result = getClassObject(&CLSID_Scroller, &IID_IClassFactory, (void **)&made);
    if (SUCCEEDED(result)) {
        result = made->lpVtbl->CreateInstance(made, NULL, &IID__Scroller, object);
        made->lpVtbl->Release(made);
    }
    return result;
}

/* The rows that run in a child: each sets the child's environment, then
   creates a control as a host does. */
static HRESULT createWithoutDisplay(void)
{
    unsetenv("DISPLAY");
    return create(&out);
}
static HRESULT createOnADisplayWithoutServer(void)
{
    setenv("DISPLAY", ":1999", 1);
    return create(&out);
}
static HRESULT createOnWaylandWithoutCompositor(void)
{
    unsetenv("DISPLAY");
    setenv("QT_QPA_PLATFORM", "wayland", 1);
    setenv("WAYLAND_DISPLAY", "wayland-1999", 1);
    return create(&out);
}

/* The rows of null pointers: out starts as garbage and must come back null. */
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
static HRESULT noWakeDescriptor(void)
{
    return loop->lpVtbl->GetWakeDescriptor(loop, NULL);
}

/* The rows of careless placements, sizes and loops. */
static HRESULT unknownWindow(void)
{
    return placement->lpVtbl->SetParentWindow(placement, 0xdeadbeef);
}
static HRESULT rootWindow(void)
{
    return placement->lpVtbl->SetParentWindow(placement, DefaultRootWindow(display));
}
static HRESULT windowNotFlushed(void)
{
    unflushedWindow = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 100, 20, 0, 0, 0);
    return placement->lpVtbl->SetParentWindow(placement, unflushedWindow);
}
static HRESULT idBeyondX11(void)
{
    return placement->lpVtbl->SetParentWindow(placement, (uint64_t)1 << 32 | hostWindow);
}
static HRESULT hugeSize(void)
{
    return placement->lpVtbl->SetBounds(placement, 0, 0, 100000, 100000);
}
static HRESULT largestSizes(void)
{
    return placement->lpVtbl->SetBounds(placement, 0, 0, INT32_MAX, INT32_MAX);
}
static HRESULT largestPosition(void)
{
    return placement->lpVtbl->SetBounds(placement, INT32_MAX, 0, 408, 40);
}

static HRESULT resultInDispatch;
static gboolean runWorkInDispatch(gpointer data)
{
    int32_t next = 0;
    (void)data;
    resultInDispatch = loop->lpVtbl->RunPendingWork(loop, &next);
    return G_SOURCE_REMOVE;
}
static HRESULT workInsideAGlibDispatch(void)
{
    resultInDispatch = S_FALSE;
    g_idle_add(runWorkInDispatch, NULL);
    while (resultInDispatch == S_FALSE)
        g_main_context_iteration(NULL, TRUE);
    return resultInDispatch;
}

/* The descriptor is quiet once the paused banner's work is done; resuming
   must wake it. */
static HRESULT resumeAfterAPause(void)
{
    struct pollfd waiting = {-1, POLLIN, 0};
    loop->lpVtbl->GetWakeDescriptor(loop, &waiting.fd);
    scroller->lpVtbl->put_Interval(scroller, 0);
    runWork();
    if (poll(&waiting, 1, 0) != 0)
        return E_UNEXPECTED;
    return scroller->lpVtbl->put_Interval(scroller, 100);
}

/* A window of its own for a row, on connection, known to the server. */
static Window newWindow(Display *connection)
{
    Window window = XCreateSimpleWindow(connection, DefaultRootWindow(connection), 0, 0, 500, 100, 0, 0, 0);
    XMapWindow(connection, window);
    XSync(connection, False);
    return window;
}

static HRESULT captionAfterTheWindowWasDestroyed(void)
{
    Window doomed = newWindow(display);
    VARIANT caption;
    placement->lpVtbl->SetParentWindow(placement, doomed);
    runWork();
    XDestroyWindow(display, doomed);
    runWork();
    VariantInit(&caption);
    caption.vt = VT_I4;
    caption.lVal = 7;
    return scroller->lpVtbl->put_Caption(scroller, caption);
}
static HRESULT placedAgainAfterTheHostsConnectionClosed(void)
{
    Display *other = XOpenDisplay(NULL);
    placement->lpVtbl->SetParentWindow(placement, newWindow(other));
    runWork();
    XCloseDisplay(other);
    runWork();
    return placement->lpVtbl->SetParentWindow(placement, hostWindow);
}

static Window releasedWindow;
static HRESULT releasedWithoutBeingTakenOut(void)
{
    _Scroller *another = NULL;
    IX11WindowControl *itsPlacement = NULL;
    Window holder = newWindow(display), root, *children = NULL;
    unsigned count = 0;
    create((void **)&another);
    another->lpVtbl->QueryInterface(another, &IID_IX11WindowControl, (void **)&itsPlacement);
    itsPlacement->lpVtbl->SetParentWindow(itsPlacement, holder);
    runWork();
    if (XQueryTree(display, holder, &root, &root, &children, &count) && count == 1)
        releasedWindow = children[0];
    if (children)
        XFree(children);
    itsPlacement->lpVtbl->Release(itsPlacement);
    return another->lpVtbl->Release(another) == 0 && releasedWindow ? S_OK : E_FAIL;
}

/* What must hold after a row, or why it does not. */
static const char *stillInItsWindow(void)
{
    int shown = 0;
    return controlsIn(hostWindow, &shown) == 1 && shown == 1 ? NULL : "the control left its window";
}
static const char *stillItsSize(void)
{
    Window root, *children = NULL;
    unsigned count = 0;
    XWindowAttributes attributes;
    int fits;
    runWork();
    XQueryTree(display, hostWindow, &root, &root, &children, &count);
    fits = count == 1 && XGetWindowAttributes(display, children[0], &attributes) && attributes.width == 408
        && attributes.height == 40;
    if (children)
        XFree(children);
    return fits ? NULL : "the control's window changed its size";
}
static const char *wakeDescriptorReadable(void)
{
    struct pollfd waiting = {-1, POLLIN, 0};
    loop->lpVtbl->GetWakeDescriptor(loop, &waiting.fd);
    return poll(&waiting, 1, 0) == 1 ? NULL : "the wake descriptor stayed quiet";
}
static const char *shownInItsNewWindow(void)
{
    int shown = 0;
    return controlsIn(hostWindow, &shown) == 1 && shown == 1 ? NULL : "the control does not show in its new window";
}
static int ignoreErrors(Display *connection, XErrorEvent *error)
{
    (void)connection, (void)error;
    return 0;
}
static const char *nothingLeftBehind(void)
{
    XWindowAttributes attributes;
    XSetErrorHandler(ignoreErrors);
    return XGetWindowAttributes(display, releasedWindow, &attributes) ? "the released control's window is still there"
                                                                      : NULL;
}

enum { CHILD = 1, HANDS_OUT = 2 };
static const struct
{
    const char *call;
    HRESULT (*make)(void);
    HRESULT expected;
    int how; /* CHILD: made in a child process; HANDS_OUT: an out pointer that must come back null */
    const char *(*after)(void);
} rows[] = {
    {"CreateInstance, no DISPLAY", createWithoutDisplay, TOVRELL_E_NODISPLAY, CHILD, NULL},
    {"CreateInstance, DISPLAY naming no server", createOnADisplayWithoutServer, TOVRELL_E_NODISPLAY, CHILD, NULL},
    {"CreateInstance, Wayland asked for with no compositor", createOnWaylandWithoutCompositor, TOVRELL_E_NODISPLAY,
     CHILD, NULL},
    {"DllGetClassObject, no class id", noClassId, E_POINTER, HANDS_OUT, NULL},
    {"DllGetClassObject, no interface id", noInterfaceIdForTheFactory, E_POINTER, HANDS_OUT, NULL},
    {"IClassFactory::QueryInterface, no interface id", factoryQueryInterface, E_POINTER, HANDS_OUT, NULL},
    {"IClassFactory::CreateInstance, no interface id", createInstance, E_POINTER, HANDS_OUT, NULL},
    {"_Scroller::QueryInterface, no interface id", scrollerQueryInterface, E_POINTER, HANDS_OUT, NULL},
    {"FindConnectionPoint, no interface id", findConnectionPoint, E_POINTER, HANDS_OUT, NULL},
    {"IConnectionPoint::QueryInterface, no interface id", connectionPointQueryInterface, E_POINTER, HANDS_OUT, NULL},
    {"the font's QueryInterface, no interface id", fontQueryInterface, E_POINTER, HANDS_OUT, NULL},
    {"_Scroller::GetIDsOfNames, a name missing", scrollerNameMissing, E_POINTER, 0, NULL},
    {"the font's GetIDsOfNames, a name missing", fontNameMissing, E_POINTER, 0, NULL},
    {"_Scroller::Invoke, no arguments", invokeWithoutArguments, E_POINTER, 0, NULL},
    {"IConnectionPoint::Advise, no sink", adviseNoSink, E_POINTER, 0, NULL},
    {"IPersistPropertyBag::Load, no bag", loadNoBag, E_POINTER, 0, NULL},
    {"_Scroller::putref_Font, no font", setNoFont, E_INVALIDARG, 0, NULL},
    {"ILoopIntegration::GetWakeDescriptor, no descriptor", noWakeDescriptor, E_POINTER, 0, NULL},
    {"SetParentWindow, an id the server does not know", unknownWindow, E_INVALIDARG, 0, stillInItsWindow},
    {"SetParentWindow, the root window", rootWindow, E_INVALIDARG, 0, stillInItsWindow},
    {"SetParentWindow, a window not flushed yet", windowNotFlushed, E_INVALIDARG, 0, stillInItsWindow},
    {"SetParentWindow, an id beyond X11's 32 bits", idBeyondX11, E_INVALIDARG, 0, stillInItsWindow},
    {"SetBounds, 100000 x 100000", hugeSize, E_INVALIDARG, 0, stillItsSize},
    {"SetBounds, INT32_MAX x INT32_MAX", largestSizes, E_INVALIDARG, 0, stillItsSize},
    {"SetBounds, x at INT32_MAX", largestPosition, E_INVALIDARG, 0, stillItsSize},
    {"RunPendingWork inside a GLib dispatch", workInsideAGlibDispatch, E_ILLEGAL_METHOD_CALL, 0, NULL},
    {"put_Interval 100 after a pause", resumeAfterAPause, S_OK, 0, wakeDescriptorReadable},
    {"put_Caption after the host destroyed the control's window", captionAfterTheWindowWasDestroyed, S_OK, 0, NULL},
    {"SetParentWindow after the host's connection closed under it", placedAgainAfterTheHostsConnectionClosed, S_OK, 0,
     shownInItsNewWindow},
    {"Release without SetParentWindow(0)", releasedWithoutBeingTakenOut, S_OK, 0, nothingLeftBehind},
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
    case E_ILLEGAL_METHOD_CALL:
        return "E_ILLEGAL_METHOD_CALL";
    case TOVRELL_E_NODISPLAY:
        return "TOVRELL_E_NODISPLAY";
    default:
        return "another result";
    }
}

/* Makes a row's call in a child process, which tells its result through a
   pipe; a child that dies says how. */
static HRESULT inChild(HRESULT (*make)(void), const char **death)
{
    static char how[64];
    HRESULT result = E_FAIL;
    int ends[2], status = 0;
    pid_t child;
    if (pipe(ends) != 0)
        return E_FAIL;
    fflush(stdout);
    child = fork();
    if (child == 0) {
        result = make();
        if (write(ends[1], &result, sizeof result) != sizeof result)
            _exit(2);
        _exit(0);
    }
    close(ends[1]);
    if (read(ends[0], &result, sizeof result) != sizeof result)
        result = E_FAIL;
    close(ends[0]);
    waitpid(child, &status, 0);
    if (WIFSIGNALED(status)) {
        snprintf(how, sizeof how, ", the host killed by signal %d", WTERMSIG(status));
        *death = how;
    }
    return result;
}

int main(int argc, char **argv)
{
    void *library = argc > 1 ? dlopen(argv[1], RTLD_NOW | RTLD_LOCAL) : NULL;
    void *symbol;
    CanUnloadNow canUnloadNow;
    size_t i;
    int failures = 0;
    display = XOpenDisplay(NULL);
    if (!library || !display) {
        fprintf(stderr, "usage: badcalls <library>, with an X server (%s)\n", library ? "no X server" : dlerror());
        return 1;
    }
    symbol = dlsym(library, "DllGetClassObject");
    memcpy(&getClassObject, &symbol, sizeof symbol);
    symbol = dlsym(library, "DllCanUnloadNow");
    memcpy(&canUnloadNow, &symbol, sizeof symbol);
    hostWindow = newWindow(display);

    for (i = 0; i < sizeof rows / sizeof *rows; ++i) {
        const char *trouble = NULL;
        HRESULT result;
        if (!(rows[i].how & CHILD) && !scroller) {
            /* The control every later row calls, in the host's window. */
            getClassObject(&CLSID_Scroller, &IID_IClassFactory, (void **)&factory);
            factory->lpVtbl->CreateInstance(factory, NULL, &IID__Scroller, (void **)&scroller);
            factory->lpVtbl->QueryInterface(factory, &IID_ILoopIntegration, (void **)&loop);
            scroller->lpVtbl->QueryInterface(scroller, &IID_IConnectionPointContainer, (void **)&points);
            points->lpVtbl->FindConnectionPoint(points, &DIID___Scroller, &events);
            scroller->lpVtbl->QueryInterface(scroller, &IID_IPersistPropertyBag, (void **)&persistence);
            persistence->lpVtbl->InitNew(persistence);
            scroller->lpVtbl->get_Font(scroller, &font);
            scroller->lpVtbl->QueryInterface(scroller, &IID_IX11WindowControl, (void **)&placement);
            placement->lpVtbl->SetParentWindow(placement, hostWindow);
            placement->lpVtbl->SetBounds(placement, 10, 10, 408, 40);
        }
        out = &out;
        result = rows[i].how & CHILD ? inChild(rows[i].make, &trouble) : rows[i].make();
        if (!(rows[i].how & HANDS_OUT))
            out = NULL;
        if (!trouble && out)
            trouble = ", out pointer not nulled";
        if (!trouble && rows[i].after)
            trouble = rows[i].after();
        if (result != rows[i].expected || trouble) {
            printf("FAIL %s: %s (0x%08X)%s%s\n", rows[i].call, nameOf(result), (unsigned)result,
                   trouble && *trouble != ',' ? ", " : "", trouble ? trouble : "");
            ++failures;
        } else {
            printf("ok   %s: %s\n", rows[i].call, nameOf(result));
        }
    }

    font->lpVtbl->Release(font);
    persistence->lpVtbl->Release(persistence);
    events->lpVtbl->Release(events);
    points->lpVtbl->Release(points);
    placement->lpVtbl->Release(placement);
    scroller->lpVtbl->Release(scroller);
    loop->lpVtbl->Release(loop);
    factory->lpVtbl->Release(factory);
    if (canUnloadNow() != S_OK) {
        printf("FAIL objects still live after the last release\n");
        ++failures;
    }
    dlclose(library);
    XCloseDisplay(display);
    return failures ? 1 : 0;
}
