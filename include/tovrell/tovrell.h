#ifndef TOVRELL_H
#define TOVRELL_H

/* The component surface of libtovrell.so, for hosts that load it with
   dlopen and use the Scroller control by identifiers alone. Plain C11 or
   C++, without Qt: installed as <tovrell/tovrell.h> beside the data and
   interface shapes it includes (componenttypes.h, interfaces.h). In C, call
   through the function tables: scroller->lpVtbl->put_Caption(scroller, v).
   The hosting guide (HOSTING.md, in the kit's documentation folder
   share/doc/tovrell with example hosts in C) walks through a whole host.

   Rules that hold for every call below and in interfaces.h:

   Threads. Each entry ends with the thread it may be called on:
   - [main-thread]: the thread of the process's Qt application. A Qt
     program's is its own. In a process with no Qt application (a C, GTK,
     Tk, SDL or Xlib program) the library makes one, on the thread of the
     first CreateInstance, and that thread is the main thread from then
     on; the library then stays loaded, and the application lives, until
     the process ends. A call from another thread answers
     RPC_E_WRONG_THREAD and does nothing. Interfaces a host implements
     (sinks, bags) are called by the library on this thread.
   - [any-thread]: any thread, at any time.

   The application the library makes. Before making it, the library checks
   that it can start. For a windowless control (CreateInstance asked for
   IWindowlessControl) it starts without a window system and needs no
   display at all: it opens no connection to an X server or a Wayland
   compositor. For any other control it starts on X11 where an X server
   answers at DISPLAY, whatever QT_QPA_PLATFORM says (the library shows
   controls in X11 windows, never in another program's Wayland surface, so
   a host run with GDK_BACKEND=x11 in a Wayland session needs nothing
   more); or without a window system where QT_QPA_PLATFORM is "offscreen"
   or "minimal". Where neither holds (no DISPLAY, or one that names no
   server), CreateInstance answers TOVRELL_E_NODISPLAY and the process stays
   as it was. The first control decides: controls with windows made in an
   application without a window system cannot be placed (SetParentWindow
   answers E_NOTIMPL). A process whose own Qt application has no widgets (a
   QGuiApplication, as a Qt Quick program has) takes windowless controls
   only; other controls are refused there with CO_E_NOTINITIALIZED.

   Ownership. An interface pointer handed out (an out parameter, a
   QueryInterface) carries one reference that the receiver releases; an
   interface pointer passed in is borrowed for the call, and AddRef'ed if
   the object keeps it. Every object the library hands out (the control,
   its factory, its font object, its connection points) keeps the library
   in use until released. Strings are BSTRs (SysAllocString,
   SysFreeString); variants handed out belong to the receiver
   (VariantClear). Releasing more often than one holds is a host fault that
   no object can detect.

   Failure. Every call returns an HRESULT and never throws: E_POINTER for a
   null out pointer (the out pointer is nulled first when it is not null)
   or a null pointer in (an interface or class id, a name, a sink, a bag);
   E_UNEXPECTED once the host has deleted the QWidget that held the
   control's widget; 0x800A0000 plus the runtime error's number when the
   control refuses a value (0x800A017C: invalid property value); and what
   each entry names. A careless call (an unknown window, a size no window
   can have, a call from another thread or from inside a GLib dispatch) is
   answered, never obeyed. */

/* CreateInstance's answer where the library's Qt application cannot start
   for a control with a window: no DISPLAY, or one that names no X server. */
#define TOVRELL_E_NODISPLAY ((HRESULT)0x80040300u)

#include "interfaces.h"

/* The four fixed identities. */
static const GUID LIBID_Tovrell = {0x6D2A9C41, 0x3B7E, 0x4F15, {0x9A, 0x0C, 0x52, 0xE1, 0xB7, 0xD4, 0xC8, 0xA1}};
static const CLSID CLSID_Scroller = {0x6D2A9C42, 0x3B7E, 0x4F15, {0x9A, 0x0C, 0x52, 0xE1, 0xB7, 0xD4, 0xC8, 0xA1}};
static const IID IID__Scroller = {0x6D2A9C43, 0x3B7E, 0x4F15, {0x9A, 0x0C, 0x52, 0xE1, 0xB7, 0xD4, 0xC8, 0xA1}};
static const IID DIID___Scroller = {0x6D2A9C44, 0x3B7E, 0x4F15, {0x9A, 0x0C, 0x52, 0xE1, 0xB7, 0xD4, 0xC8, 0xA1}};

/* The dispatch ids of _Scroller's members and of __Scroller's events, for
   IDispatch::Invoke, IPropertyNotifySink::OnChanged and an event sink. */
enum ScrollerDispatchId {
    DISPID_SCROLLER_CAPTION = 0x68030000,
    DISPID_SCROLLER_INTERVAL = 0x68030001,
    DISPID_SCROLLER_BORDERSTYLE = 0x68030002,
    DISPID_SCROLLER_ENABLED = 0x68030003,
    DISPID_SCROLLER_FORECOLOR = 0x68030004,
    DISPID_SCROLLER_BACKCOLOR = 0x68030005,
    DISPID_SCROLLER_FONT = -512,
    DISPID_SCROLLER_REFRESH = 0x60030006,
    DISPID_SCROLLER_REFRESHCAPTION = 0x60030011,
    DISPID_SCROLLER_CLICK = 1,
    DISPID_SCROLLER_DBLCLICK = 2,
    DISPID_SCROLLER_MOUSEDOWN = 3,
    DISPID_SCROLLER_MOUSEMOVE = 4,
    DISPID_SCROLLER_MOUSEUP = 5
};

/* The default interface of Scroller, IID__Scroller: dual. Its members
   follow IDispatch's seven entries in this order (the runtime's user-control
   object adds none before them), and are also reached through
   IDispatch::Invoke by the dispatch id noted beside each; GetIDsOfNames maps
   the names, in any case. No member has dispatch id 0. The object also
   answers QueryInterface for IUnknown, IDispatch, IConnectionPointContainer
   (events and property changes), IPersistPropertyBag (saving and loading),
   IX11WindowControl (placing it in any X11 window) and IWidgetControl
   (placing it on a Qt host's QWidget), or, made for it, IWindowlessControl
   (drawing it into the host's memory) instead of those two;
   GetTypeInfoCount answers 0 (the type library is resource TYPELIB 1 of
   the library's file). Every member is [main-thread].

   Through Invoke: a get takes DISPATCH_PROPERTYGET (or DISPATCH_METHOD) and
   no argument; a let DISPATCH_PROPERTYPUT and one; Font's set
   DISPATCH_PROPERTYPUTREF and one VT_DISPATCH. A numeric let accepts any
   numeric variant or a text that reads as a number (DISP_E_TYPEMISMATCH
   otherwise, DISP_E_OVERFLOW beyond the property's type). Other answers:
   DISP_E_MEMBERNOTFOUND for an unknown id or a kind the member lacks,
   DISP_E_BADPARAMCOUNT for a wrong argument count, and DISP_E_EXCEPTION
   with EXCEPINFO filled (scode 0x800A0000 + number, source and description
   as BSTRs the caller frees) when the control refuses a value.

   The members, by dispatch id:
   BackColor 0x68030005 (get, put): 0x00BBGGRR, or 0x80000000 plus a system
       colour index from 0 to 0x18 (following the host's palette); another
       value: 0x800A017C. Repaints.
   ForeColor 0x68030004 (get, put): the text colour, in the same forms.
   Enabled 0x68030003 (get, put): whether the control takes mouse input,
       VARIANT_TRUE or VARIANT_FALSE; any non-zero value enables. Repaints
       (the banner keeps moving).
   Font -512 (get, putref): the control's font object itself, with Name (0),
       Size (2), Bold (3) and Italic (4) by dispatch id; a change made
       through it changes the control's font. The put takes a font object:
       one of the runtime's is shared, any other is read through Name and
       Size (any numeric type, currency included). E_INVALIDARG when it is
       not a font; 0x800A017C for a size not above 0 or above 2048 points.
   BorderStyle 0x68030002 (get, put): 0 none, 1 fixed single; another value:
       0x800A017C. Repaints.
   Refresh 0x60030006: repaints the whole control now.
   Interval 0x68030001 (get, put): milliseconds between scrolling steps,
       0 (stopped) to 65535; outside: 0x800A017C.
   Caption 0x68030000 (get, put): the caption as set, of the type it was set
       with; while the host runs, the text shown at that moment. The put
       copies the variant (the caller keeps its own): VT_EMPTY, VT_NULL
       (shown as empty text), VT_I2, VT_I4, VT_R4, VT_R8, VT_BSTR, VT_BOOL
       or VT_UI1, or a reference to one; other types (dates, currency,
       errors, objects) answer DISP_E_TYPEMISMATCH and change nothing. The
       caller owns the variant the get returns (VariantClear).
   RefreshCaption 0x60030011: clears the control and prints the caption at
       its top-left corner. */
#ifdef __cplusplus
struct _Scroller : public IDispatch
{
    virtual HRESULT get_BackColor(uint32_t *color) = 0;
    virtual HRESULT put_BackColor(uint32_t color) = 0;
    virtual HRESULT get_ForeColor(uint32_t *color) = 0;
    virtual HRESULT put_ForeColor(uint32_t color) = 0;
    virtual HRESULT get_Enabled(VARIANT_BOOL *enabled) = 0;
    virtual HRESULT put_Enabled(VARIANT_BOOL enabled) = 0;
    virtual HRESULT get_Font(IDispatch **font) = 0;
    virtual HRESULT putref_Font(IDispatch *font) = 0;
    virtual HRESULT get_BorderStyle(int16_t *style) = 0;
    virtual HRESULT put_BorderStyle(int16_t style) = 0;
    virtual HRESULT Refresh() = 0;
    virtual HRESULT get_Interval(int32_t *milliseconds) = 0;
    virtual HRESULT put_Interval(int32_t milliseconds) = 0;
    virtual HRESULT get_Caption(VARIANT *caption) = 0;
    virtual HRESULT put_Caption(VARIANT caption) = 0;
    virtual HRESULT RefreshCaption() = 0;

protected:
    ~_Scroller() = default;
};
#else
/* clang-format off */
typedef struct _Scroller _Scroller;
typedef struct _ScrollerVtbl
{
    HRESULT (*QueryInterface)(_Scroller *This, REFIID riid, void **ppvObject);
    ULONG (*AddRef)(_Scroller *This);
    ULONG (*Release)(_Scroller *This);
    HRESULT (*GetTypeInfoCount)(_Scroller *This, UINT *pctinfo);
    HRESULT (*GetTypeInfo)(_Scroller *This, UINT iTInfo, LCID lcid, ITypeInfo **ppTInfo);
    HRESULT (*GetIDsOfNames)(_Scroller *This, REFIID riid, OLECHAR **rgszNames, UINT cNames, LCID lcid,
                             DISPID *rgDispId);
    HRESULT (*Invoke)(_Scroller *This, DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                      DISPPARAMS *pDispParams, VARIANT *pVarResult, EXCEPINFO *pExcepInfo, UINT *puArgErr);
    HRESULT (*get_BackColor)(_Scroller *This, uint32_t *color);
    HRESULT (*put_BackColor)(_Scroller *This, uint32_t color);
    HRESULT (*get_ForeColor)(_Scroller *This, uint32_t *color);
    HRESULT (*put_ForeColor)(_Scroller *This, uint32_t color);
    HRESULT (*get_Enabled)(_Scroller *This, VARIANT_BOOL *enabled);
    HRESULT (*put_Enabled)(_Scroller *This, VARIANT_BOOL enabled);
    HRESULT (*get_Font)(_Scroller *This, IDispatch **font);
    HRESULT (*putref_Font)(_Scroller *This, IDispatch *font);
    HRESULT (*get_BorderStyle)(_Scroller *This, int16_t *style);
    HRESULT (*put_BorderStyle)(_Scroller *This, int16_t style);
    HRESULT (*Refresh)(_Scroller *This);
    HRESULT (*get_Interval)(_Scroller *This, int32_t *milliseconds);
    HRESULT (*put_Interval)(_Scroller *This, int32_t milliseconds);
    HRESULT (*get_Caption)(_Scroller *This, VARIANT *caption);
    HRESULT (*put_Caption)(_Scroller *This, VARIANT caption);
    HRESULT (*RefreshCaption)(_Scroller *This);
} _ScrollerVtbl;
struct _Scroller
{
    const _ScrollerVtbl *lpVtbl;
};
/* clang-format on */
#endif

/* Saved properties (IPersistPropertyBag), read and written in this order
   under these names, each written only when it differs from its default:
   "BackColor" and "ForeColor" (VT_I4 colours as above), "Enabled"
   (VT_BOOL), "Font" (VT_DISPATCH font object; Read may also give back any
   object with Name and Size), "BorderStyle" (VT_I2), "Interval" (VT_I4),
   "Caption" (of the type it has; a saved type that the caption refuses
   stops the load with 0x800A000D).

   The events, through the connection point for DIID___Scroller: the control
   calls each advised sink's IDispatch::Invoke with DISPATCH_METHOD and the
   event's dispatch id, on the main thread. Click (1) and DblClick (2) have
   no arguments. MouseDown (3), MouseMove (4) and MouseUp (5) pass four
   by-reference arguments in reverse order: rgvarg[0] Y (VT_R4 | VT_BYREF),
   rgvarg[1] X (VT_R4 | VT_BYREF), rgvarg[2] Shift (VT_I2 | VT_BYREF),
   rgvarg[3] Button (VT_I2 | VT_BYREF); positions are in twips (15 per pixel
   at 96 dpi) from the control's top-left corner; Button 1 left, 2 right,
   4 middle (0 for a move with no button held); Shift 1 Shift, 2 Ctrl,
   4 Alt. The pointers are valid only during the call. The sink's result is
   ignored.

   Property changes, through the connection point for IID_IPropertyNotifySink:
   after every successful put or putref (through the vtable or Invoke) the
   control calls each advised sink's OnChanged with the member's dispatch
   id. A sink must answer QueryInterface for IID_IPropertyNotifySink. */

/* The library's exports, found with dlsym. None throws. */
#ifdef __cplusplus
extern "C" {
#endif
/* The class factory of Scroller (CLSID_Scroller) as riid (IID_IUnknown,
   IID_IClassFactory or IID_ILoopIntegration); the caller releases it. The
   factory's CreateInstance makes a Scroller, windowless when riid is
   IID_IWindowlessControl (no aggregation: CLASS_E_NOAGGREGATION; where the
   library's application cannot start: TOVRELL_E_NODISPLAY; a control with
   a window where the process's Qt application has no widgets:
   CO_E_NOTINITIALIZED), LockServer keeps the library in use, and its
   ILoopIntegration runs the library's work from a host's own loop.
   CLASS_E_CLASSNOTAVAILABLE for another class id, E_NOINTERFACE for
   another interface id, E_POINTER for a null class id, interface id or
   ppv. [any-thread] */
HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, void **ppv);
/* S_OK when no object of the library (factories, font objects and
   connection points included) lives and no lock is held, so the host may
   dlclose it; S_FALSE otherwise. [any-thread] */
HRESULT DllCanUnloadNow(void);
/* Writes the library into the per-user component registry (HOSTING.md):
   class id, programmatic id "Tovrell.Scroller", both interfaces and the type
   library, with the library's absolute path. Registering again rewrites the
   same entries. SELFREG_E_TYPELIB when the file lacks its type library,
   SELFREG_E_CLASS when the registry cannot be read or written (read-only,
   or any content that a rewrite would not keep line for line: damaged,
   binary, hand-written comments); the file is then left byte for byte as
   it was. [any-thread] */
HRESULT DllRegisterServer(void);
/* Removes exactly what DllRegisterServer wrote, and nothing of another
   component; S_OK also when nothing was registered. SELFREG_E_CLASS, and
   the file left as it was, on the same grounds as registration.
   [any-thread] */
HRESULT DllUnregisterServer(void);
#ifdef __cplusplus
}
#endif

#endif
