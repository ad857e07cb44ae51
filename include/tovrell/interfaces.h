#ifndef TOVRELL_INTERFACES_H
#define TOVRELL_INTERFACES_H

/* The interface shapes of the component object system, with the
   conventional function-table order: abstract classes in C++, and in C a
   struct whose first member points at a table of functions that take the
   object first (obj->lpVtbl->Release(obj)). Objects are freed by their
   last Release, never by delete. Every member returns an HRESULT (AddRef
   and Release: the new count) and never throws; an out pointer is nulled
   before anything can fail, and E_POINTER answers a null one. Each entry
   ends with the thread it is called on (tovrell.h says what the tags
   mean): [main-thread] or [any-thread]. */

#include "componenttypes.h"

typedef struct IClassFactory IClassFactory;
typedef struct ITypeInfo ITypeInfo; /* not offered: hosts read the type library */
typedef struct IConnectionPoint IConnectionPoint;
typedef struct IConnectionPointContainer IConnectionPointContainer;
typedef struct IEnumConnections IEnumConnections;
typedef struct IEnumConnectionPoints IEnumConnectionPoints;
typedef struct IErrorLog IErrorLog;
typedef struct IPropertyBag IPropertyBag;
typedef struct IPersistPropertyBag IPersistPropertyBag;
typedef struct IPropertyNotifySink IPropertyNotifySink;
typedef struct IWidgetControl IWidgetControl;
typedef struct IX11WindowControl IX11WindowControl;
typedef struct ILoopIntegration ILoopIntegration;
typedef struct IWindowlessControl IWindowlessControl;
typedef struct IWindowlessSite IWindowlessSite;

/* Flags of IDispatch::Invoke. */
#define DISPATCH_METHOD ((WORD)0x1)
#define DISPATCH_PROPERTYGET ((WORD)0x2)
#define DISPATCH_PROPERTYPUT ((WORD)0x4)
#define DISPATCH_PROPERTYPUTREF ((WORD)0x8)
#define DISPID_PROPERTYPUT ((DISPID)-3)
#define DISPID_UNKNOWN ((DISPID)-1)

/* Standard dispatch ids of a font object. */
#define DISPID_FONT_NAME ((DISPID)0)
#define DISPID_FONT_SIZE ((DISPID)2)
#define DISPID_FONT_BOLD ((DISPID)3)
#define DISPID_FONT_ITALIC ((DISPID)4)

/* Well-known interface ids. */
static const IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
static const IID IID_IClassFactory = {0x00000001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
static const IID IID_IDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
static const IID IID_NULL = {0x00000000, 0x0000, 0x0000, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}};
static const IID IID_IConnectionPoint = {0xB196B286, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};
static const IID IID_IConnectionPointContainer = {
    0xB196B284, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};
static const IID IID_IPropertyBag = {0x55272A00, 0x42CB, 0x11CE, {0x81, 0x35, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51}};
static const IID IID_IPersistPropertyBag = {
    0x37D84F60, 0x42CB, 0x11CE, {0x81, 0x35, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51}};
static const IID IID_IErrorLog = {0x3127CA40, 0x446E, 0x11CE, {0x81, 0x35, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51}};
static const IID IID_IPropertyNotifySink = {
    0x9BFBBC02, 0xEFF1, 0x101A, {0x84, 0xED, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};
static const IID IID_IWidgetControl = {0x6D2A9C45, 0x3B7E, 0x4F15, {0x9A, 0x0C, 0x52, 0xE1, 0xB7, 0xD4, 0xC8, 0xA1}};
static const IID IID_IX11WindowControl = {0x6D2A9C48, 0x3B7E, 0x4F15, {0x9A, 0x0C, 0x52, 0xE1, 0xB7, 0xD4, 0xC8, 0xA1}};
static const IID IID_ILoopIntegration = {0x6D2A9C49, 0x3B7E, 0x4F15, {0x9A, 0x0C, 0x52, 0xE1, 0xB7, 0xD4, 0xC8, 0xA1}};
static const IID IID_IWindowlessControl = {
    0x6D2A9C4A, 0x3B7E, 0x4F15, {0x9A, 0x0C, 0x52, 0xE1, 0xB7, 0xD4, 0xC8, 0xA1}};
static const IID IID_IWindowlessSite = {0x6D2A9C4B, 0x3B7E, 0x4F15, {0x9A, 0x0C, 0x52, 0xE1, 0xB7, 0xD4, 0xC8, 0xA1}};

/* What a windowless host's pointer did (IWindowlessControl::OnPointer). */
enum TovrellPointerEvent { TOVRELL_POINTER_MOVE = 0, TOVRELL_POINTER_PRESS = 1, TOVRELL_POINTER_RELEASE = 2 };

#ifdef __cplusplus

struct IUnknown
{
    // The object as interface riid, with one reference the caller releases;
    // E_NOINTERFACE when it has no such interface. [any-thread]
    virtual HRESULT QueryInterface(REFIID riid, void **ppvObject) = 0;
    // Adds a reference; returns the new count (for diagnostics only).
    // [any-thread]
    virtual ULONG AddRef() = 0;
    // Drops a reference; the last one frees the object (a control with its
    // widget and window). Returns the count left. Releasing a reference one
    // does not hold is undefined. [main-thread]
    virtual ULONG Release() = 0;

protected:
    ~IUnknown() = default;
};

struct IClassFactory : public IUnknown
{
    // A new object as interface riid, with one reference the caller
    // releases. pUnkOuter must be null (CLASS_E_NOAGGREGATION otherwise).
    // The first call of a process without a Qt application makes one, on
    // the calling thread (tovrell.h). [main-thread]
    virtual HRESULT CreateInstance(IUnknown *pUnkOuter, REFIID riid, void **ppvObject) = 0;
    // Non-zero keeps the library in use (DllCanUnloadNow answers S_FALSE)
    // until a matching call with zero. [any-thread]
    virtual HRESULT LockServer(int32_t fLock) = 0;

protected:
    ~IClassFactory() = default;
};

struct IDispatch : public IUnknown
{
    // 0: no type information through the object. [main-thread]
    virtual HRESULT GetTypeInfoCount(UINT *pctinfo) = 0;
    // E_NOTIMPL, *ppTInfo null. [main-thread]
    virtual HRESULT GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo **ppTInfo) = 0;
    // The dispatch id of each of cNames names, compared without case;
    // DISPID_UNKNOWN and DISP_E_UNKNOWNNAME for one it does not know.
    // [main-thread]
    virtual HRESULT GetIDsOfNames(REFIID riid, OLECHAR **rgszNames, UINT cNames, LCID lcid, DISPID *rgDispId) = 0;
    // Calls member dispIdMember as wFlags says (DISPATCH_METHOD, _PROPERTYGET,
    // _PROPERTYPUT, _PROPERTYPUTREF) with the arguments of pDispParams, in
    // reverse order; the arguments stay the caller's. A result goes to
    // pVarResult (may be null; the caller clears it); a refusal fills
    // pExcepInfo (may be null) and answers DISP_E_EXCEPTION; puArgErr (may
    // be null) names the argument of a DISP_E_TYPEMISMATCH. [main-thread]
    virtual HRESULT Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS *pDispParams,
                           VARIANT *pVarResult, EXCEPINFO *pExcepInfo, UINT *puArgErr) = 0;

protected:
    ~IDispatch() = default;
};

// One outgoing interface of an object: hosts advise their sinks on it.
struct IConnectionPoint : public IUnknown
{
    // The id of the outgoing interface. [main-thread]
    virtual HRESULT GetConnectionInterface(IID *pIID) = 0;
    // The object that owns this point, with a reference the caller releases.
    // [main-thread]
    virtual HRESULT GetConnectionPointContainer(IConnectionPointContainer **ppCPC) = 0;
    // Connects a sink, which must answer QueryInterface for the outgoing
    // interface (or IDispatch, for an event interface);
    // CONNECT_E_CANNOTCONNECT otherwise. The point holds a reference to it
    // until Unadvise or the object's end. The cookie (never 0) names the
    // connection. [main-thread]
    virtual HRESULT Advise(IUnknown *pUnkSink, DWORD *pdwCookie) = 0;
    // Disconnects and releases the sink; CONNECT_E_NOCONNECTION for a cookie
    // that names none. A sink may unadvise while it handles a call.
    // [main-thread]
    virtual HRESULT Unadvise(DWORD dwCookie) = 0;
    // E_NOTIMPL: connections are not enumerated. [main-thread]
    virtual HRESULT EnumConnections(IEnumConnections **ppEnum) = 0;

protected:
    ~IConnectionPoint() = default;
};

struct IConnectionPointContainer : public IUnknown
{
    // E_NOTIMPL: points are found by their interface id. [main-thread]
    virtual HRESULT EnumConnectionPoints(IEnumConnectionPoints **ppEnum) = 0;
    // The connection point for outgoing interface riid, with a reference
    // the caller releases; CONNECT_E_NOCONNECTION for another id.
    // [main-thread]
    virtual HRESULT FindConnectionPoint(REFIID riid, IConnectionPoint **ppCP) = 0;

protected:
    ~IConnectionPointContainer() = default;
};

// Implemented by a host that wants to hear which saved properties could not
// be loaded.
struct IErrorLog : public IUnknown
{
    // Property pszPropName (borrowed) failed to load as pExcepInfo says; the
    // EXCEPINFO's strings stay the caller's. Called on [main-thread].
    virtual HRESULT AddError(const OLECHAR *pszPropName, EXCEPINFO *pExcepInfo) = 0;

protected:
    ~IErrorLog() = default;
};

// The host's store of saved properties, implemented by the host.
struct IPropertyBag : public IUnknown
{
    // Fills pVar (passed in VT_EMPTY) with the value saved as pszPropName;
    // the object clears it after use. A failure (any failing HRESULT) means
    // nothing is saved under that name and the property keeps its default.
    // Called on [main-thread].
    virtual HRESULT Read(const OLECHAR *pszPropName, VARIANT *pVar, IErrorLog *pErrorLog) = 0;
    // Saves a copy of *pVar as pszPropName; the variant stays the caller's.
    // A font arrives as VT_DISPATCH: keep a reference, or read its Name,
    // Size, Bold and Italic. Called on [main-thread].
    virtual HRESULT Write(const OLECHAR *pszPropName, VARIANT *pVar) = 0;

protected:
    ~IPropertyBag() = default;
};

// Saving and loading an object's properties through a host's property bag.
// Call one of InitNew and Load once, after the ambient properties are set.
struct IPersistPropertyBag : public IUnknown
{
    // The object's class id, to save beside its properties. [main-thread]
    virtual HRESULT GetClassID(CLSID *pClassID) = 0;
    // Gives a new object its new-instance property values. [main-thread]
    virtual HRESULT InitNew() = 0;
    // Reads the saved properties; pErrorLog (may be null) is handed to the
    // bag's Read. A name the bag cannot Read takes its default. A value the
    // object refuses stops the load with 0x800A0000 plus the runtime error's
    // number (0x800A000D type mismatch, 0x800A0006 overflow, 0x800A017C
    // invalid property value): the values read before it stay, the object
    // stays usable, and pErrorLog (if given) hears the property's name and
    // the error through AddError. [main-thread]
    virtual HRESULT Load(IPropertyBag *pPropBag, IErrorLog *pErrorLog) = 0;
    // Writes the properties that differ from their defaults; a failing
    // Write of the bag answers 0x800A017C. [main-thread]
    virtual HRESULT Save(IPropertyBag *pPropBag, int32_t fClearDirty, int32_t fSaveAllProperties) = 0;

protected:
    ~IPersistPropertyBag() = default;
};

// Implemented by a host that follows an object's properties (a property
// browser): advised on the object's connection point for
// IID_IPropertyNotifySink.
struct IPropertyNotifySink : public IUnknown
{
    // Property dispID has changed; the result is ignored. Called on
    // [main-thread].
    virtual HRESULT OnChanged(DISPID dispID) = 0;
    // Property dispID is about to change (not called by the runtime's
    // objects, which do not ask).
    virtual HRESULT OnRequestEdit(DISPID dispID) = 0;

protected:
    ~IPropertyNotifySink() = default;
};

// The runtime's way for an in-process Qt host to place a control on its
// window and give it its ambient properties (the host and the library must
// use the same Qt).
struct IWidgetControl : public IUnknown
{
    // parentWidget is the host's QWidget * (borrowed): the control becomes
    // its child widget and shows. Deleting that widget deletes the control's
    // widget too; the object then answers E_UNEXPECTED until released. Null
    // takes the control off its parent (hidden). [main-thread]
    virtual HRESULT SetParent(void *parentWidget) = 0;
    // Position and size in the parent, in pixels. E_INVALIDARG, and nothing
    // changes, for a negative width or height, one above 32767, or a
    // position outside -32768 to 32767: what an X11 window can have. The
    // control fits its font to the height, also when the size is the one it
    // has. [main-thread]
    virtual HRESULT SetBounds(int32_t x, int32_t y, int32_t width, int32_t height) = 0;
    // The host's ambient properties: userMode VARIANT_TRUE when the host
    // runs (the banner scrolls), VARIANT_FALSE in design mode (it stands
    // still); the font (family borrowed for the call, size in points) that
    // a new control starts with. Ignored font when fontName is null or
    // fontPoints is not positive; E_INVALIDARG, and nothing changes, for a
    // size above 2048 points. [main-thread]
    virtual HRESULT SetAmbient(VARIANT_BOOL userMode, const OLECHAR *fontName, float fontPoints) = 0;

protected:
    ~IWidgetControl() = default;
};

// The runtime's way for any X11 host, Qt or not (C, GTK, Xlib, SDL, Tk), to
// show a control inside a window of its own. Its work runs in a GLib loop
// by itself, and from any other loop through ILoopIntegration.
struct IX11WindowControl : public IUnknown
{
    // x11Window is the X11 window id (XID) of a window of the host's: an
    // Xlib Window, GTK 3's gdk_x11_window_get_xid, GTK 4's
    // gdk_x11_surface_get_xid, Tk's winfo_id, SDL's
    // SDL_SysWMinfo.info.x11.window. The X server must know it already:
    // flush the host's connection after making it (XFlush, XSync). The
    // control becomes its child window at the bounds last set, shown unless
    // SetVisible hid it; 0 takes it out (hidden). E_INVALIDARG, and nothing
    // changes, for an id the server does not know, a root window or an
    // input-only window. E_NOTIMPL, and nothing changes, where the library's
    // Qt does not run on X11 (QT_QPA_PLATFORM=offscreen, or a Qt program on
    // Wayland): Wayland cannot place one program's surface inside
    // another's. The control takes no keyboard focus: keys stay with the
    // host's own controls; clicks on it reach the host's event sink. A
    // window destroyed while the control is in it (XDestroyWindow, or the
    // host's connection closing) takes the control out as 0 does, and a
    // later call places it again; setting 0 before destroying the window is
    // still the tidy way. [main-thread]
    virtual HRESULT SetParentWindow(uint64_t x11Window) = 0;
    // Position and size in that window, in pixels; as IWidgetControl's.
    // [main-thread]
    virtual HRESULT SetBounds(int32_t x, int32_t y, int32_t width, int32_t height) = 0;
    // Shows or hides the control in its window (shown at first). A hidden
    // control draws nothing; its banner still advances. [main-thread]
    virtual HRESULT SetVisible(VARIANT_BOOL visible) = 0;
    // The host's ambient properties; as IWidgetControl's. [main-thread]
    virtual HRESULT SetAmbient(VARIANT_BOOL userMode, const OLECHAR *fontName, float fontPoints) = 0;

protected:
    ~IX11WindowControl() = default;
};

// For a host whose loop is not GLib's (poll, select, SDL, Tk): runs the
// library's work (every control's timers, drawing and input) from that
// loop. It belongs to the process, not to a control: the class factory
// answers QueryInterface for it, and it keeps the library in use while
// held. A host whose loop is GLib's (GTK 3 and 4, g_main_loop_run) needs
// none of it: GLib runs that work. Both calls answer CO_E_NOTINITIALIZED
// before the process's first control is made (there is no work yet), and
// E_NOTIMPL where Qt's loop is not GLib's (QT_NO_GLIB set).
struct ILoopIntegration : public IUnknown
{
    // A descriptor that is readable whenever work is due, also as soon as
    // a call of the host's (a property, bounds, visibility, parent) has
    // made some due. Wait for it (POLLIN) beside your own, and call
    // RunPendingWork when it is readable or when the time RunPendingWork
    // gave has passed: that is the whole rule. It belongs to the library:
    // do not read or close it. [main-thread]
    virtual HRESULT GetWakeDescriptor(int32_t *descriptor) = 0;
    // Runs the work that is due now; *nextMilliseconds is how long the loop
    // may wait before calling again, or -1 for as long as the descriptor
    // stays quiet. E_ILLEGAL_METHOD_CALL, and nothing runs, when called
    // from within a GLib loop's dispatch (a GTK handler, or a handler this
    // call ran), where GLib runs the work itself. [main-thread]
    virtual HRESULT RunPendingWork(int32_t *nextMilliseconds) = 0;

protected:
    ~ILoopIntegration() = default;
};

// A control with no window of its own, drawn into memory its host owns:
// for hosts that cannot give it a window (a Wayland client, an SDL
// renderer, a program with no display at all). A control is windowless
// when the class factory's CreateInstance is asked for this interface;
// such a control has no IX11WindowControl or IWidgetControl, and a control
// made for any other interface has no IWindowlessControl. It needs no
// display server: where the library makes the application for it, that
// application runs without a window system (tovrell.h).
struct IWindowlessControl : public IUnknown
{
    // The host's site, which hears what to draw again; AddRef'ed and kept
    // until another or null is set, or the control is released. Without
    // one the control tells nobody. [main-thread]
    virtual HRESULT SetSite(IWindowlessSite *site) = 0;
    // The control's size, in pixels (408 x 40 at first). E_INVALIDARG, and
    // nothing changes, for a negative width or height or one above 32767.
    // The control fits its font to the height, also at the size it has.
    // [main-thread]
    virtual HRESULT SetSize(int32_t width, int32_t height) = 0;
    // Shows or hides the control (shown at first). A hidden control asks
    // for no drawing; its banner still advances. [main-thread]
    virtual HRESULT SetVisible(VARIANT_BOOL visible) = 0;
    // The host's ambient properties; as IWidgetControl's. [main-thread]
    virtual HRESULT SetAmbient(VARIANT_BOOL userMode, const OLECHAR *fontName, float fontPoints) = 0;
    // Draws the control's rectangle (x, y, width, height), in its own
    // pixels, into pixels: height rows of width pixels, stride bytes apart,
    // each pixel 32-bit premultiplied ARGB in the machine's byte order
    // (cairo's CAIRO_FORMAT_ARGB32, GTK 4's GDK_MEMORY_DEFAULT, SDL's
    // SDL_PIXELFORMAT_ARGB8888, Qt's QImage::Format_ARGB32_Premultiplied).
    // The rectangle is the whole control (0, 0 and its size) or a part of
    // it, such as the one Invalidate named; every pixel of it is written,
    // opaque. E_POINTER for null pixels; E_INVALIDARG, and nothing is
    // written, for a rectangle that is empty or not within the control, or
    // a stride shorter than a row. [main-thread]
    virtual HRESULT Draw(void *pixels, int32_t stride, int32_t x, int32_t y, int32_t width, int32_t height) = 0;
    // What the host's pointer did over the control, at (x, y) in the
    // control's pixels (outside it too, while a button is held):
    // TOVRELL_POINTER_MOVE with the buttons held, TOVRELL_POINTER_PRESS or
    // _RELEASE with the button pressed or released (1 left, 2 right, 4
    // middle); modifiers 1 Shift, 2 Ctrl, 4 Alt. The control raises
    // MouseDown, MouseMove, MouseUp, Click and DblClick as it does in a
    // window (a second press of a button within the desktop's double-click
    // time and distance is a double click), unless Enabled is false.
    // Keys stay with the host. E_INVALIDARG for another event or button.
    // [main-thread]
    virtual HRESULT OnPointer(int32_t event, int32_t x, int32_t y, int32_t buttons, int32_t modifiers) = 0;

protected:
    ~IWindowlessControl() = default;
};

// Implemented by a windowless control's host, and given to SetSite.
struct IWindowlessSite : public IUnknown
{
    // The control's pixels in (x, y, width, height) changed: call Draw for
    // them when you next paint. The result is ignored. Called on
    // [main-thread], as the banner moves (never while it stands still or is
    // hidden), from within the library's work: never from within a call
    // of the host's.
    virtual HRESULT Invalidate(int32_t x, int32_t y, int32_t width, int32_t height) = 0;

protected:
    ~IWindowlessSite() = default;
};

#else /* C: the same shapes as tables of functions */
/* clang-format off */

typedef struct IUnknownVtbl
{
    HRESULT (*QueryInterface)(IUnknown *This, REFIID riid, void **ppvObject);
    ULONG (*AddRef)(IUnknown *This);
    ULONG (*Release)(IUnknown *This);
} IUnknownVtbl;
struct IUnknown
{
    const IUnknownVtbl *lpVtbl;
};

typedef struct IClassFactoryVtbl
{
    HRESULT (*QueryInterface)(IClassFactory *This, REFIID riid, void **ppvObject);
    ULONG (*AddRef)(IClassFactory *This);
    ULONG (*Release)(IClassFactory *This);
    HRESULT (*CreateInstance)(IClassFactory *This, IUnknown *pUnkOuter, REFIID riid, void **ppvObject);
    HRESULT (*LockServer)(IClassFactory *This, int32_t fLock);
} IClassFactoryVtbl;
struct IClassFactory
{
    const IClassFactoryVtbl *lpVtbl;
};

typedef struct IDispatchVtbl
{
    HRESULT (*QueryInterface)(IDispatch *This, REFIID riid, void **ppvObject);
    ULONG (*AddRef)(IDispatch *This);
    ULONG (*Release)(IDispatch *This);
    HRESULT (*GetTypeInfoCount)(IDispatch *This, UINT *pctinfo);
    HRESULT (*GetTypeInfo)(IDispatch *This, UINT iTInfo, LCID lcid, ITypeInfo **ppTInfo);
    HRESULT (*GetIDsOfNames)(IDispatch *This, REFIID riid, OLECHAR **rgszNames, UINT cNames, LCID lcid,
                             DISPID *rgDispId);
    HRESULT (*Invoke)(IDispatch *This, DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                      DISPPARAMS *pDispParams, VARIANT *pVarResult, EXCEPINFO *pExcepInfo, UINT *puArgErr);
} IDispatchVtbl;
struct IDispatch
{
    const IDispatchVtbl *lpVtbl;
};

typedef struct IConnectionPointVtbl
{
    HRESULT (*QueryInterface)(IConnectionPoint *This, REFIID riid, void **ppvObject);
    ULONG (*AddRef)(IConnectionPoint *This);
    ULONG (*Release)(IConnectionPoint *This);
    HRESULT (*GetConnectionInterface)(IConnectionPoint *This, IID *pIID);
    HRESULT (*GetConnectionPointContainer)(IConnectionPoint *This, IConnectionPointContainer **ppCPC);
    HRESULT (*Advise)(IConnectionPoint *This, IUnknown *pUnkSink, DWORD *pdwCookie);
    HRESULT (*Unadvise)(IConnectionPoint *This, DWORD dwCookie);
    HRESULT (*EnumConnections)(IConnectionPoint *This, IEnumConnections **ppEnum);
} IConnectionPointVtbl;
struct IConnectionPoint
{
    const IConnectionPointVtbl *lpVtbl;
};

typedef struct IConnectionPointContainerVtbl
{
    HRESULT (*QueryInterface)(IConnectionPointContainer *This, REFIID riid, void **ppvObject);
    ULONG (*AddRef)(IConnectionPointContainer *This);
    ULONG (*Release)(IConnectionPointContainer *This);
    HRESULT (*EnumConnectionPoints)(IConnectionPointContainer *This, IEnumConnectionPoints **ppEnum);
    HRESULT (*FindConnectionPoint)(IConnectionPointContainer *This, REFIID riid, IConnectionPoint **ppCP);
} IConnectionPointContainerVtbl;
struct IConnectionPointContainer
{
    const IConnectionPointContainerVtbl *lpVtbl;
};

typedef struct IErrorLogVtbl
{
    HRESULT (*QueryInterface)(IErrorLog *This, REFIID riid, void **ppvObject);
    ULONG (*AddRef)(IErrorLog *This);
    ULONG (*Release)(IErrorLog *This);
    HRESULT (*AddError)(IErrorLog *This, const OLECHAR *pszPropName, EXCEPINFO *pExcepInfo);
} IErrorLogVtbl;
struct IErrorLog
{
    const IErrorLogVtbl *lpVtbl;
};

typedef struct IPropertyBagVtbl
{
    HRESULT (*QueryInterface)(IPropertyBag *This, REFIID riid, void **ppvObject);
    ULONG (*AddRef)(IPropertyBag *This);
    ULONG (*Release)(IPropertyBag *This);
    HRESULT (*Read)(IPropertyBag *This, const OLECHAR *pszPropName, VARIANT *pVar, IErrorLog *pErrorLog);
    HRESULT (*Write)(IPropertyBag *This, const OLECHAR *pszPropName, VARIANT *pVar);
} IPropertyBagVtbl;
struct IPropertyBag
{
    const IPropertyBagVtbl *lpVtbl;
};

typedef struct IPersistPropertyBagVtbl
{
    HRESULT (*QueryInterface)(IPersistPropertyBag *This, REFIID riid, void **ppvObject);
    ULONG (*AddRef)(IPersistPropertyBag *This);
    ULONG (*Release)(IPersistPropertyBag *This);
    HRESULT (*GetClassID)(IPersistPropertyBag *This, CLSID *pClassID);
    HRESULT (*InitNew)(IPersistPropertyBag *This);
    HRESULT (*Load)(IPersistPropertyBag *This, IPropertyBag *pPropBag, IErrorLog *pErrorLog);
    HRESULT (*Save)(IPersistPropertyBag *This, IPropertyBag *pPropBag, int32_t fClearDirty, int32_t fSaveAllProperties);
} IPersistPropertyBagVtbl;
struct IPersistPropertyBag
{
    const IPersistPropertyBagVtbl *lpVtbl;
};

typedef struct IPropertyNotifySinkVtbl
{
    HRESULT (*QueryInterface)(IPropertyNotifySink *This, REFIID riid, void **ppvObject);
    ULONG (*AddRef)(IPropertyNotifySink *This);
    ULONG (*Release)(IPropertyNotifySink *This);
    HRESULT (*OnChanged)(IPropertyNotifySink *This, DISPID dispID);
    HRESULT (*OnRequestEdit)(IPropertyNotifySink *This, DISPID dispID);
} IPropertyNotifySinkVtbl;
struct IPropertyNotifySink
{
    const IPropertyNotifySinkVtbl *lpVtbl;
};

typedef struct IWidgetControlVtbl
{
    HRESULT (*QueryInterface)(IWidgetControl *This, REFIID riid, void **ppvObject);
    ULONG (*AddRef)(IWidgetControl *This);
    ULONG (*Release)(IWidgetControl *This);
    HRESULT (*SetParent)(IWidgetControl *This, void *parentWidget);
    HRESULT (*SetBounds)(IWidgetControl *This, int32_t x, int32_t y, int32_t width, int32_t height);
    HRESULT (*SetAmbient)(IWidgetControl *This, VARIANT_BOOL userMode, const OLECHAR *fontName, float fontPoints);
} IWidgetControlVtbl;
struct IWidgetControl
{
    const IWidgetControlVtbl *lpVtbl;
};

typedef struct IX11WindowControlVtbl
{
    HRESULT (*QueryInterface)(IX11WindowControl *This, REFIID riid, void **ppvObject);
    ULONG (*AddRef)(IX11WindowControl *This);
    ULONG (*Release)(IX11WindowControl *This);
    HRESULT (*SetParentWindow)(IX11WindowControl *This, uint64_t x11Window);
    HRESULT (*SetBounds)(IX11WindowControl *This, int32_t x, int32_t y, int32_t width, int32_t height);
    HRESULT (*SetVisible)(IX11WindowControl *This, VARIANT_BOOL visible);
    HRESULT (*SetAmbient)(IX11WindowControl *This, VARIANT_BOOL userMode, const OLECHAR *fontName, float fontPoints);
} IX11WindowControlVtbl;
struct IX11WindowControl
{
    const IX11WindowControlVtbl *lpVtbl;
};

typedef struct ILoopIntegrationVtbl
{
    HRESULT (*QueryInterface)(ILoopIntegration *This, REFIID riid, void **ppvObject);
    ULONG (*AddRef)(ILoopIntegration *This);
    ULONG (*Release)(ILoopIntegration *This);
    HRESULT (*GetWakeDescriptor)(ILoopIntegration *This, int32_t *descriptor);
    HRESULT (*RunPendingWork)(ILoopIntegration *This, int32_t *nextMilliseconds);
} ILoopIntegrationVtbl;
struct ILoopIntegration
{
    const ILoopIntegrationVtbl *lpVtbl;
};

typedef struct IWindowlessControlVtbl
{
    HRESULT (*QueryInterface)(IWindowlessControl *This, REFIID riid, void **ppvObject);
    ULONG (*AddRef)(IWindowlessControl *This);
    ULONG (*Release)(IWindowlessControl *This);
    HRESULT (*SetSite)(IWindowlessControl *This, IWindowlessSite *site);
    HRESULT (*SetSize)(IWindowlessControl *This, int32_t width, int32_t height);
    HRESULT (*SetVisible)(IWindowlessControl *This, VARIANT_BOOL visible);
    HRESULT (*SetAmbient)(IWindowlessControl *This, VARIANT_BOOL userMode, const OLECHAR *fontName, float fontPoints);
    HRESULT (*Draw)(IWindowlessControl *This, void *pixels, int32_t stride, int32_t x, int32_t y, int32_t width,
                    int32_t height);
    HRESULT (*OnPointer)(IWindowlessControl *This, int32_t event, int32_t x, int32_t y, int32_t buttons,
                         int32_t modifiers);
} IWindowlessControlVtbl;
struct IWindowlessControl
{
    const IWindowlessControlVtbl *lpVtbl;
};

typedef struct IWindowlessSiteVtbl
{
    HRESULT (*QueryInterface)(IWindowlessSite *This, REFIID riid, void **ppvObject);
    ULONG (*AddRef)(IWindowlessSite *This);
    ULONG (*Release)(IWindowlessSite *This);
    HRESULT (*Invalidate)(IWindowlessSite *This, int32_t x, int32_t y, int32_t width, int32_t height);
} IWindowlessSiteVtbl;
struct IWindowlessSite
{
    const IWindowlessSiteVtbl *lpVtbl;
};

/* clang-format on */
#endif

/* Frees what the variant owns (a string, an interface reference) and makes
   it VT_EMPTY; a by-reference variant owns nothing. E_INVALIDARG for null.
   [main-thread] where it holds one of the library's objects, else
   [any-thread]. */
static inline HRESULT VariantClear(VARIANT *variant)
{
    if (!variant)
        return E_INVALIDARG;
    if (variant->vt == VT_BSTR) {
        SysFreeString(variant->bstrVal);
    } else if ((variant->vt == VT_UNKNOWN || variant->vt == VT_DISPATCH) && variant->punkVal) {
#ifdef __cplusplus
        variant->punkVal->Release();
#else
        variant->punkVal->lpVtbl->Release(variant->punkVal);
#endif
    }
    VariantInit(variant);
    return S_OK;
}

/* Copies source deeply into destination, which is cleared first: a string
   is copied, an interface gains a reference. As VariantClear's thread. */
static inline HRESULT VariantCopy(VARIANT *destination, const VARIANT *source)
{
    if (!destination || !source)
        return E_INVALIDARG;
    if (destination == source)
        return S_OK;
    VariantClear(destination);
    *destination = *source;
    if (source->vt == VT_BSTR && source->bstrVal) {
        destination->bstrVal = SysAllocStringLen(source->bstrVal, SysStringLen(source->bstrVal));
        if (!destination->bstrVal) {
            VariantInit(destination);
            return E_OUTOFMEMORY;
        }
    } else if ((source->vt == VT_UNKNOWN || source->vt == VT_DISPATCH) && source->punkVal) {
#ifdef __cplusplus
        source->punkVal->AddRef();
#else
        source->punkVal->lpVtbl->AddRef(source->punkVal);
#endif
    }
    return S_OK;
}

#endif
