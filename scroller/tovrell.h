#pragma once

// The component surface of libtovrell.so, for hosts that load it with
// dlopen and use the Scroller control by identifiers alone. README.md
// ("Hosting the Scroller") walks through a whole host.
//
// The data and interface shapes (GUID, HRESULT, VARIANT, BSTR, IUnknown,
// IDispatch, ...) are the form runtime's, in the conventional layout; see
// interfaces.h and componenttypes.h. A host may include these headers or
// declare the same shapes itself: the library's file exports only the four
// functions at the end of this header.
//
// Rules that hold for every call below:
// - Threading: apartment. Create, call and release an object on the thread
//   that runs the host's QApplication; a call from another thread answers
//   RPC_E_WRONG_THREAD and does nothing. The entry points may be called
//   from any thread, but DllGetClassObject's factory creates objects only
//   where a QApplication exists (E_UNEXPECTED otherwise).
// - Ownership: an interface pointer handed out (an out parameter, a
//   QueryInterface) carries one reference that the receiver releases; an
//   interface pointer passed in is borrowed for the call, and AddRef'ed if
//   the object keeps it. Strings are BSTRs (SysAllocString /
//   SysFreeString); variants handed out belong to the receiver
//   (VariantClear). Releasing more often than one holds is a host fault
//   that no object can detect.
// - Failure: every call returns an HRESULT and never throws. E_POINTER for a
//   null out pointer (the out pointer is nulled first when it is not null),
//   E_UNEXPECTED once the host has deleted the window that held the
//   control's widget, 0x800A0000 plus the runtime error's number when the
//   control refuses a value (0x800A017C: invalid property value).

#include "interfaces.h"

// The four fixed identities.
constexpr GUID LIBID_Tovrell = {0x6D2A9C41, 0x3B7E, 0x4F15, {0x9A, 0x0C, 0x52, 0xE1, 0xB7, 0xD4, 0xC8, 0xA1}};
constexpr CLSID CLSID_Scroller = {0x6D2A9C42, 0x3B7E, 0x4F15, {0x9A, 0x0C, 0x52, 0xE1, 0xB7, 0xD4, 0xC8, 0xA1}};
constexpr IID IID__Scroller = {0x6D2A9C43, 0x3B7E, 0x4F15, {0x9A, 0x0C, 0x52, 0xE1, 0xB7, 0xD4, 0xC8, 0xA1}};
constexpr IID DIID___Scroller = {0x6D2A9C44, 0x3B7E, 0x4F15, {0x9A, 0x0C, 0x52, 0xE1, 0xB7, 0xD4, 0xC8, 0xA1}};

// The default interface of Scroller, IID__Scroller: dual. Its members
// follow IDispatch's seven entries in this order (the runtime's user-control
// object adds none before them), and are also reached through
// IDispatch::Invoke by the dispatch id noted beside each; GetIDsOfNames maps
// the names, in any case. No member has dispatch id 0. The object also
// answers QueryInterface for IUnknown, IDispatch, IConnectionPointContainer
// (events), IPersistPropertyBag (saving and loading) and IWidgetControl
// (placing it on a Qt window); GetTypeInfoCount answers 0 (the type library
// is resource TYPELIB 1 of the library's file).
//
// Through Invoke: a get takes DISPATCH_PROPERTYGET (or DISPATCH_METHOD) and
// no argument; a let DISPATCH_PROPERTYPUT and one; Font's set
// DISPATCH_PROPERTYPUTREF and one VT_DISPATCH. A numeric let accepts any
// numeric variant or a text that reads as a number (DISP_E_TYPEMISMATCH
// otherwise, DISP_E_OVERFLOW beyond the property's type). Other answers:
// DISP_E_MEMBERNOTFOUND for an unknown id or a kind the member lacks,
// DISP_E_BADPARAMCOUNT for a wrong argument count, and DISP_E_EXCEPTION
// with EXCEPINFO filled (scode 0x800A0000 + number, source and description
// as BSTRs the caller frees) when the control refuses a value.
class _Scroller : public IDispatch
{
public:
    // The background colour: 0x00BBGGRR, or 0x80000000 plus a system colour
    // index from 0 to 0x18 (following the host's palette).
    virtual HRESULT get_BackColor(std::uint32_t *color) = 0; // 0x68030005
    // Sets it and repaints; a value that is neither form: 0x800A017C.
    virtual HRESULT put_BackColor(std::uint32_t color) = 0;
    // The text colour, in the same forms.
    virtual HRESULT get_ForeColor(std::uint32_t *color) = 0; // 0x68030004
    // Sets it and repaints; a value that is neither form: 0x800A017C.
    virtual HRESULT put_ForeColor(std::uint32_t color) = 0;
    // Whether the control takes mouse input: VARIANT_TRUE or VARIANT_FALSE.
    virtual HRESULT get_Enabled(VARIANT_BOOL *enabled) = 0; // 0x68030003
    // Any non-zero value enables; repaints (the banner keeps moving).
    virtual HRESULT put_Enabled(VARIANT_BOOL enabled) = 0;
    // The control's font object itself, with Name (0), Size (2), Bold (3)
    // and Italic (4) by dispatch id: a change made through it changes the
    // control's font. The caller releases it.
    virtual HRESULT get_Font(IDispatch **font) = 0; // -512
    // Takes a font object: one of the runtime's is shared, any other is
    // read through Name and Size. E_INVALIDARG when it is not a font.
    virtual HRESULT putref_Font(IDispatch *font) = 0;
    // 0 none, 1 fixed single.
    virtual HRESULT get_BorderStyle(std::int16_t *style) = 0; // 0x68030002
    // Sets it and repaints; another value: 0x800A017C.
    virtual HRESULT put_BorderStyle(std::int16_t style) = 0;
    // Repaints the whole control now.
    virtual HRESULT Refresh() = 0; // 0x60030006
    // Milliseconds between scrolling steps, 0 (stopped) to 65535.
    virtual HRESULT get_Interval(std::int32_t *milliseconds) = 0; // 0x68030001
    // Sets it; outside 0 to 65535: 0x800A017C.
    virtual HRESULT put_Interval(std::int32_t milliseconds) = 0;
    // The caption as set (a number stays a number); while the host runs,
    // the text shown at that moment. The caller owns the returned variant
    // (VariantClear).
    virtual HRESULT get_Caption(VARIANT *caption) = 0; // 0x68030000
    // Any variant; the control copies it (the caller keeps its own) and
    // scrolls it from the next step. VT_NULL scrolls as empty text.
    virtual HRESULT put_Caption(VARIANT caption) = 0;
    // Clears the control and prints the caption at its top-left corner.
    virtual HRESULT RefreshCaption() = 0; // 0x60030011

protected:
    ~_Scroller() = default;
};

// Saved properties (IPersistPropertyBag), read and written in this order
// under these names, each written only when it differs from its default:
// "BackColor" and "ForeColor" (VT_I4 colours as above), "Enabled"
// (VT_BOOL), "Font" (VT_DISPATCH font object; Read may also give back any
// object with Name and Size), "BorderStyle" (VT_I2), "Interval" (VT_I4),
// "Caption" (any variant).
//
// The events, through the connection point for DIID___Scroller: the control
// calls each advised sink's IDispatch::Invoke with DISPATCH_METHOD and the
// event's dispatch id, on the host's thread. Click (1) and DblClick (2) have
// no arguments. MouseDown (3), MouseMove (4) and MouseUp (5) pass four
// by-reference arguments in reverse order: rgvarg[0] Y (VT_R4 | VT_BYREF),
// rgvarg[1] X (VT_R4 | VT_BYREF), rgvarg[2] Shift (VT_I2 | VT_BYREF),
// rgvarg[3] Button (VT_I2 | VT_BYREF); positions are in twips (15 per pixel
// at 96 dpi) from the control's top-left corner; Button 1 left, 2 right,
// 4 middle; Shift 1 Shift, 2 Ctrl, 4 Alt. The pointers are valid only
// during the call. The sink's result is ignored.

// The library's exports, found with dlsym. Each may be called from any
// thread and never throws.
extern "C" {
// The class factory of Scroller (CLSID_Scroller) as riid (IID_IUnknown or
// IID_IClassFactory); the caller releases it. The factory's CreateInstance
// makes a Scroller (no aggregation: CLASS_E_NOAGGREGATION) and LockServer
// keeps the library in use. CLASS_E_CLASSNOTAVAILABLE for another class id,
// E_NOINTERFACE for another interface id, E_POINTER for a null ppv.
HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, void **ppv);
// S_OK when no object of the library (factories included) lives and no
// lock is held, so the host may dlclose it; S_FALSE otherwise.
HRESULT DllCanUnloadNow();
// Writes the library into the per-user component registry (see README):
// class id, programmatic id "Tovrell.Scroller", both interfaces and the type
// library, with the library's absolute path. Registering again rewrites the
// same entries. SELFREG_E_TYPELIB when the file lacks its type library,
// SELFREG_E_CLASS when the registry cannot be read or written (corrupt or
// read-only); nothing is written then.
HRESULT DllRegisterServer();
// Removes exactly what DllRegisterServer wrote, and nothing of another
// component; S_OK also when nothing was registered. SELFREG_E_CLASS when
// the registry cannot be read or written.
HRESULT DllUnregisterServer();
}
