#pragma once

// The interface shapes of the component object system as C++ abstract
// classes, with the conventional function-table order. Objects are freed
// by their last Release, never by delete. Every member returns an HRESULT
// (AddRef and Release: the new count) and never throws; an out pointer is
// nulled before anything can fail, and E_POINTER answers a null one.

#include "componenttypes.h"

class IUnknown
{
public:
    // The object as interface riid, with one reference the caller releases;
    // E_NOINTERFACE when it has no such interface.
    virtual HRESULT QueryInterface(REFIID riid, void **ppvObject) = 0;
    // Adds a reference; returns the new count (for diagnostics only).
    virtual ULONG AddRef() = 0;
    // Drops a reference; the last one frees the object. Returns the count
    // left. Releasing a reference one does not hold is undefined.
    virtual ULONG Release() = 0;

protected:
    ~IUnknown() = default;
};

class IClassFactory : public IUnknown
{
public:
    // A new object as interface riid, with one reference the caller
    // releases. pUnkOuter must be null (CLASS_E_NOAGGREGATION otherwise).
    virtual HRESULT CreateInstance(IUnknown *pUnkOuter, REFIID riid, void **ppvObject) = 0;
    // Non-zero keeps the library in use (DllCanUnloadNow answers S_FALSE)
    // until a matching call with zero.
    virtual HRESULT LockServer(std::int32_t fLock) = 0;

protected:
    ~IClassFactory() = default;
};

// Type information is not offered: GetTypeInfoCount answers 0 and a host
// reads the type library instead.
class ITypeInfo;

class IDispatch : public IUnknown
{
public:
    // 0: no type information through the object.
    virtual HRESULT GetTypeInfoCount(UINT *pctinfo) = 0;
    // E_NOTIMPL, *ppTInfo null.
    virtual HRESULT GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo **ppTInfo) = 0;
    // The dispatch id of each of cNames names, compared without case;
    // DISPID_UNKNOWN and DISP_E_UNKNOWNNAME for one it does not know.
    virtual HRESULT GetIDsOfNames(REFIID riid, OLECHAR **rgszNames, UINT cNames, LCID lcid, DISPID *rgDispId) = 0;
    // Calls member dispIdMember as wFlags says (DISPATCH_METHOD, _PROPERTYGET,
    // _PROPERTYPUT, _PROPERTYPUTREF) with the arguments of pDispParams, in
    // reverse order; the arguments stay the caller's. A result goes to
    // pVarResult (may be null; the caller clears it); a refusal fills
    // pExcepInfo (may be null) and answers DISP_E_EXCEPTION; puArgErr (may
    // be null) names the argument of a DISP_E_TYPEMISMATCH.
    virtual HRESULT Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS *pDispParams,
                           VARIANT *pVarResult, EXCEPINFO *pExcepInfo, UINT *puArgErr) = 0;

protected:
    ~IDispatch() = default;
};

// Flags of IDispatch::Invoke.
constexpr WORD DISPATCH_METHOD = 0x1;
constexpr WORD DISPATCH_PROPERTYGET = 0x2;
constexpr WORD DISPATCH_PROPERTYPUT = 0x4;
constexpr WORD DISPATCH_PROPERTYPUTREF = 0x8;
constexpr DISPID DISPID_PROPERTYPUT = -3;
constexpr DISPID DISPID_UNKNOWN = -1;

// Well-known interface ids.
constexpr IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID IID_IClassFactory = {0x00000001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID IID_IDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID IID_NULL = {0x00000000, 0x0000, 0x0000, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}};

class IConnectionPointContainer;
class IEnumConnections;
class IEnumConnectionPoints;

// One outgoing interface of an object: hosts advise their sinks on it.
class IConnectionPoint : public IUnknown
{
public:
    // The id of the outgoing (event) interface.
    virtual HRESULT GetConnectionInterface(IID *pIID) = 0;
    // The object that owns this point, with a reference the caller releases.
    virtual HRESULT GetConnectionPointContainer(IConnectionPointContainer **ppCPC) = 0;
    // Connects a sink, which must answer QueryInterface for the event
    // interface or IDispatch (CONNECT_E_CANNOTCONNECT otherwise); the point
    // holds a reference to it until Unadvise or the object's end. The
    // cookie (never 0) names the connection.
    virtual HRESULT Advise(IUnknown *pUnkSink, DWORD *pdwCookie) = 0;
    // Disconnects and releases the sink; CONNECT_E_NOCONNECTION for a cookie
    // that names none. A sink may unadvise while it handles an event.
    virtual HRESULT Unadvise(DWORD dwCookie) = 0;
    // E_NOTIMPL: connections are not enumerated.
    virtual HRESULT EnumConnections(IEnumConnections **ppEnum) = 0;

protected:
    ~IConnectionPoint() = default;
};

class IConnectionPointContainer : public IUnknown
{
public:
    // E_NOTIMPL: points are found by their interface id.
    virtual HRESULT EnumConnectionPoints(IEnumConnectionPoints **ppEnum) = 0;
    // The connection point for event interface riid, with a reference the
    // caller releases; CONNECT_E_NOCONNECTION for another id.
    virtual HRESULT FindConnectionPoint(REFIID riid, IConnectionPoint **ppCP) = 0;

protected:
    ~IConnectionPointContainer() = default;
};

// Implemented by a host that wants to hear which saved properties could not
// be loaded.
class IErrorLog : public IUnknown
{
public:
    // Property pszPropName (borrowed) failed to load as pExcepInfo says; the
    // EXCEPINFO's strings stay the caller's.
    virtual HRESULT AddError(const OLECHAR *pszPropName, EXCEPINFO *pExcepInfo) = 0;

protected:
    ~IErrorLog() = default;
};

// The host's store of saved properties, implemented by the host.
class IPropertyBag : public IUnknown
{
public:
    // Fills pVar (passed in VT_EMPTY) with the value saved as pszPropName;
    // the object clears it after use. A failure (any failing HRESULT) means
    // nothing is saved under that name and the property keeps its default.
    virtual HRESULT Read(const OLECHAR *pszPropName, VARIANT *pVar, IErrorLog *pErrorLog) = 0;
    // Saves a copy of *pVar as pszPropName; the variant stays the caller's.
    // A font arrives as VT_DISPATCH: keep a reference, or read its Name,
    // Size, Bold and Italic.
    virtual HRESULT Write(const OLECHAR *pszPropName, VARIANT *pVar) = 0;

protected:
    ~IPropertyBag() = default;
};

// Saving and loading an object's properties through a host's property bag.
// Call one of InitNew and Load once, after the ambient properties are set.
class IPersistPropertyBag : public IUnknown
{
public:
    // The object's class id, to save beside its properties.
    virtual HRESULT GetClassID(CLSID *pClassID) = 0;
    // Gives a new object its new-instance property values.
    virtual HRESULT InitNew() = 0;
    // Reads the saved properties; pErrorLog (may be null) is handed to the
    // bag's Read. A name the bag cannot Read takes its default. A value the
    // object refuses stops the load with 0x800A0000 plus the runtime error's
    // number (0x800A000D type mismatch, 0x800A0006 overflow, 0x800A017C
    // invalid property value): the values read before it stay, the object
    // stays usable, and pErrorLog (if given) hears the property's name and
    // the error through AddError.
    virtual HRESULT Load(IPropertyBag *pPropBag, IErrorLog *pErrorLog) = 0;
    // Writes the properties that differ from their defaults; a failing
    // Write of the bag answers 0x800A017C.
    virtual HRESULT Save(IPropertyBag *pPropBag, std::int32_t fClearDirty, std::int32_t fSaveAllProperties) = 0;

protected:
    ~IPersistPropertyBag() = default;
};

constexpr IID IID_IConnectionPoint = {0xB196B286, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};
constexpr IID IID_IConnectionPointContainer = {
    0xB196B284, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};
constexpr IID IID_IPropertyBag = {0x55272A00, 0x42CB, 0x11CE, {0x81, 0x35, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51}};
constexpr IID IID_IPersistPropertyBag = {0x37D84F60, 0x42CB, 0x11CE, {0x81, 0x35, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51}};
constexpr IID IID_IErrorLog = {0x3127CA40, 0x446E, 0x11CE, {0x81, 0x35, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51}};
constexpr HRESULT CONNECT_E_NOCONNECTION = HRESULT(0x80040200u);
constexpr HRESULT CONNECT_E_CANNOTCONNECT = HRESULT(0x80040202u);

// The runtime's way for an in-process Qt host to place a control on its
// window and give it its ambient properties (the host and the library must
// use the same Qt). Call on the host's user-interface thread.
class IWidgetControl : public IUnknown
{
public:
    // parentWidget is the host's QWidget * (borrowed): the control becomes
    // its child widget and shows. Deleting that widget deletes the control's
    // widget too; the object then answers E_UNEXPECTED until released. Null
    // takes the control off its parent (hidden).
    virtual HRESULT SetParent(void *parentWidget) = 0;
    // Position and size in the parent, in pixels; E_INVALIDARG for a
    // negative size. The control fits its font to the new height.
    virtual HRESULT SetBounds(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) = 0;
    // The host's ambient properties: userMode VARIANT_TRUE when the host
    // runs (the banner scrolls), VARIANT_FALSE in design mode (it stands
    // still); the font (family borrowed for the call, size in points) that
    // a new control starts with. Ignored font when fontName is null or
    // fontPoints is not positive.
    virtual HRESULT SetAmbient(VARIANT_BOOL userMode, const OLECHAR *fontName, float fontPoints) = 0;

protected:
    ~IWidgetControl() = default;
};

constexpr IID IID_IWidgetControl = {0x6D2A9C45, 0x3B7E, 0x4F15, {0x9A, 0x0C, 0x52, 0xE1, 0xB7, 0xD4, 0xC8, 0xA1}};

// Standard dispatch ids of a font object.
constexpr DISPID DISPID_FONT_NAME = 0;
constexpr DISPID DISPID_FONT_SIZE = 2;
constexpr DISPID DISPID_FONT_BOLD = 3;
constexpr DISPID DISPID_FONT_ITALIC = 4;
