#pragma once

// The interface shapes of the component object system as C++ abstract
// classes, with the conventional function-table order. Objects are freed
// by their last Release, never by delete.

#include "componenttypes.h"

class IUnknown
{
public:
    virtual HRESULT QueryInterface(REFIID riid, void **ppvObject) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    ~IUnknown() = default;
};

class IClassFactory : public IUnknown
{
public:
    virtual HRESULT CreateInstance(IUnknown *pUnkOuter, REFIID riid, void **ppvObject) = 0;
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
    virtual HRESULT GetTypeInfoCount(UINT *pctinfo) = 0;
    virtual HRESULT GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo **ppTInfo) = 0;
    virtual HRESULT GetIDsOfNames(REFIID riid, OLECHAR **rgszNames, UINT cNames, LCID lcid, DISPID *rgDispId) = 0;
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
    virtual HRESULT GetConnectionInterface(IID *pIID) = 0;
    virtual HRESULT GetConnectionPointContainer(IConnectionPointContainer **ppCPC) = 0;
    virtual HRESULT Advise(IUnknown *pUnkSink, DWORD *pdwCookie) = 0;
    virtual HRESULT Unadvise(DWORD dwCookie) = 0;
    virtual HRESULT EnumConnections(IEnumConnections **ppEnum) = 0;

protected:
    ~IConnectionPoint() = default;
};

class IConnectionPointContainer : public IUnknown
{
public:
    virtual HRESULT EnumConnectionPoints(IEnumConnectionPoints **ppEnum) = 0;
    virtual HRESULT FindConnectionPoint(REFIID riid, IConnectionPoint **ppCP) = 0;

protected:
    ~IConnectionPointContainer() = default;
};

class IErrorLog : public IUnknown
{
public:
    virtual HRESULT AddError(const OLECHAR *pszPropName, EXCEPINFO *pExcepInfo) = 0;

protected:
    ~IErrorLog() = default;
};

// The host's store of saved properties.
class IPropertyBag : public IUnknown
{
public:
    virtual HRESULT Read(const OLECHAR *pszPropName, VARIANT *pVar, IErrorLog *pErrorLog) = 0;
    virtual HRESULT Write(const OLECHAR *pszPropName, VARIANT *pVar) = 0;

protected:
    ~IPropertyBag() = default;
};

class IPersistPropertyBag : public IUnknown
{
public:
    virtual HRESULT GetClassID(CLSID *pClassID) = 0;
    virtual HRESULT InitNew() = 0;
    virtual HRESULT Load(IPropertyBag *pPropBag, IErrorLog *pErrorLog) = 0;
    virtual HRESULT Save(IPropertyBag *pPropBag, std::int32_t fClearDirty, std::int32_t fSaveAllProperties) = 0;

protected:
    ~IPersistPropertyBag() = default;
};

constexpr IID IID_IConnectionPoint = {0xB196B286, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};
constexpr IID IID_IConnectionPointContainer = {0xB196B284, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};
constexpr IID IID_IPropertyBag = {0x55272A00, 0x42CB, 0x11CE, {0x81, 0x35, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51}};
constexpr IID IID_IPersistPropertyBag = {0x37D84F60, 0x42CB, 0x11CE, {0x81, 0x35, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51}};
constexpr IID IID_IErrorLog = {0x3127CA40, 0x446E, 0x11CE, {0x81, 0x35, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51}};
constexpr HRESULT CONNECT_E_NOCONNECTION = HRESULT(0x80040200u);
constexpr HRESULT CONNECT_E_CANNOTCONNECT = HRESULT(0x80040202u);

// The runtime's way for an in-process Qt host to place a control on its
// window and give it its ambient properties.
class IWidgetControl : public IUnknown
{
public:
    // parentWidget is the host's QWidget *; null takes the control off it.
    virtual HRESULT SetParent(void *parentWidget) = 0;
    // Position and size in the parent, in pixels.
    virtual HRESULT SetBounds(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) = 0;
    // The host's ambient UserMode and Font (family and size in points).
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
