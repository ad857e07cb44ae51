#pragma once

// The component surface of libtovrell.so, for hosts that load it with
// dlopen and use the Scroller control by identifiers alone. The data and
// interface shapes (GUID, HRESULT, VARIANT, BSTR, IUnknown, IDispatch, ...)
// are the form runtime's, in the conventional layout.

#include "interfaces.h"

// The four fixed identities.
constexpr GUID LIBID_Tovrell = {0x6D2A9C41, 0x3B7E, 0x4F15, {0x9A, 0x0C, 0x52, 0xE1, 0xB7, 0xD4, 0xC8, 0xA1}};
constexpr CLSID CLSID_Scroller = {0x6D2A9C42, 0x3B7E, 0x4F15, {0x9A, 0x0C, 0x52, 0xE1, 0xB7, 0xD4, 0xC8, 0xA1}};
constexpr IID IID__Scroller = {0x6D2A9C43, 0x3B7E, 0x4F15, {0x9A, 0x0C, 0x52, 0xE1, 0xB7, 0xD4, 0xC8, 0xA1}};
constexpr IID DIID___Scroller = {0x6D2A9C44, 0x3B7E, 0x4F15, {0x9A, 0x0C, 0x52, 0xE1, 0xB7, 0xD4, 0xC8, 0xA1}};

// The default interface of Scroller: dual. Its members follow IDispatch's
// in this order (the runtime's user-control object adds no entries before
// them), and are also reached through IDispatch::Invoke by dispatch id.
// Every member returns S_OK, E_POINTER for a null out pointer, or
// 0x800A0000 plus the runtime error's number when the control refuses a
// value (0x800A017C: invalid property value). Call on the host's
// user-interface thread only.
class _Scroller : public IDispatch
{
public:
    virtual HRESULT get_BackColor(std::uint32_t *color) = 0;        // 0x68030005
    virtual HRESULT put_BackColor(std::uint32_t color) = 0;
    virtual HRESULT get_ForeColor(std::uint32_t *color) = 0;        // 0x68030004
    virtual HRESULT put_ForeColor(std::uint32_t color) = 0;
    virtual HRESULT get_Enabled(VARIANT_BOOL *enabled) = 0;         // 0x68030003
    virtual HRESULT put_Enabled(VARIANT_BOOL enabled) = 0;
    // The font object itself (caller releases it); set by reference.
    virtual HRESULT get_Font(IDispatch **font) = 0;                 // -512
    virtual HRESULT putref_Font(IDispatch *font) = 0;
    virtual HRESULT get_BorderStyle(std::int16_t *style) = 0;       // 0x68030002
    virtual HRESULT put_BorderStyle(std::int16_t style) = 0;
    virtual HRESULT Refresh() = 0;                                  // 0x60030006
    virtual HRESULT get_Interval(std::int32_t *milliseconds) = 0;   // 0x68030001
    virtual HRESULT put_Interval(std::int32_t milliseconds) = 0;
    // The caller owns the returned variant (VariantClear).
    virtual HRESULT get_Caption(VARIANT *caption) = 0;              // 0x68030000
    virtual HRESULT put_Caption(VARIANT caption) = 0;
    virtual HRESULT RefreshCaption() = 0;                           // 0x60030011

protected:
    ~_Scroller() = default;
};

extern "C" {
// The class factory of Scroller (CLSID_Scroller) as riid; the caller
// releases it. CLASS_E_CLASSNOTAVAILABLE for another class id, E_POINTER
// for a null out pointer.
HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, void **ppv);
// S_OK when no object of the library lives and no lock is held.
HRESULT DllCanUnloadNow();
// Writes the library into the per-user component registry (see README);
// SELFREG_E_CLASS when the registry cannot be written.
HRESULT DllRegisterServer();
// Removes exactly what DllRegisterServer wrote.
HRESULT DllUnregisterServer();
}
