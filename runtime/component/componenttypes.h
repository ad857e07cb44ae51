#pragma once

// The data that crosses component interfaces, in the conventional layout of
// the component object system, so that a host written against that layout
// can use a control library by identifiers alone.

#include <QString>
#include <QVariant>

#include <cstdint>
#include <optional>

using HRESULT = std::int32_t;
using ULONG = std::uint32_t;
using UINT = std::uint32_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LCID = std::uint32_t;
using DISPID = std::int32_t;
using VARTYPE = std::uint16_t;
using VARIANT_BOOL = std::int16_t;
using OLECHAR = char16_t;
// A length-prefixed UTF-16 string: 32 bits of byte length stand just before
// the characters, which end in a NUL. Allocated and freed only through
// SysAllocString and SysFreeString.
using BSTR = OLECHAR *;

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = HRESULT(0x80004001u);
constexpr HRESULT E_NOINTERFACE = HRESULT(0x80004002u);
constexpr HRESULT E_POINTER = HRESULT(0x80004003u);
constexpr HRESULT E_FAIL = HRESULT(0x80004005u);
constexpr HRESULT E_UNEXPECTED = HRESULT(0x8000FFFFu);
constexpr HRESULT E_ACCESSDENIED = HRESULT(0x80070005u);
constexpr HRESULT E_OUTOFMEMORY = HRESULT(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = HRESULT(0x80070057u);
constexpr HRESULT CLASS_E_NOAGGREGATION = HRESULT(0x80040110u);
constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = HRESULT(0x80040111u);
constexpr HRESULT SELFREG_E_TYPELIB = HRESULT(0x80040200u);
constexpr HRESULT SELFREG_E_CLASS = HRESULT(0x80040201u);
constexpr HRESULT DISP_E_UNKNOWNINTERFACE = HRESULT(0x80020001u);
constexpr HRESULT DISP_E_MEMBERNOTFOUND = HRESULT(0x80020003u);
constexpr HRESULT DISP_E_PARAMNOTFOUND = HRESULT(0x80020004u);
constexpr HRESULT DISP_E_TYPEMISMATCH = HRESULT(0x80020005u);
constexpr HRESULT DISP_E_UNKNOWNNAME = HRESULT(0x80020006u);
constexpr HRESULT DISP_E_EXCEPTION = HRESULT(0x80020009u);
constexpr HRESULT DISP_E_OVERFLOW = HRESULT(0x8002000Au);
constexpr HRESULT DISP_E_BADPARAMCOUNT = HRESULT(0x8002000Eu);
constexpr HRESULT DISP_E_PARAMNOTOPTIONAL = HRESULT(0x8002000Fu);
constexpr HRESULT RPC_E_WRONG_THREAD = HRESULT(0x8001010Eu);

constexpr bool SUCCEEDED(HRESULT result)
{
    return result >= 0;
}
constexpr bool FAILED(HRESULT result)
{
    return result < 0;
}

constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;

enum VarEnum : VARTYPE {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_DATE = 7,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_VARIANT = 12,
    VT_UNKNOWN = 13,
    VT_UI1 = 17,
    VT_BYREF = 0x4000,
};

// A globally unique identifier, in the conventional little-endian layout.
struct GUID
{
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    std::uint8_t Data4[8];
};
using IID = GUID;
using CLSID = GUID;
using REFIID = const IID &;
using REFCLSID = const CLSID &;

bool operator==(const GUID &a, const GUID &b);
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper case.
QString guidToString(const GUID &guid);
// Reads that form, braces optional, any case; none for anything else.
std::optional<GUID> guidFromString(QStringView text);

class IUnknown;
class IDispatch;

// The 16-byte variant: a type tag, three reserved words, eight bytes of value.
struct VARIANT
{
    VARTYPE vt;
    WORD wReserved1;
    WORD wReserved2;
    WORD wReserved3;
    union
    {
        std::int32_t lVal;
        std::uint8_t bVal;
        std::int16_t iVal;
        float fltVal;
        double dblVal;
        VARIANT_BOOL boolVal;
        HRESULT scode;
        double date;
        BSTR bstrVal;
        IUnknown *punkVal;
        IDispatch *pdispVal;
        std::int16_t *piVal;
        std::int32_t *plVal;
        float *pfltVal;
        double *pdblVal;
        VARIANT_BOOL *pboolVal;
        BSTR *pbstrVal;
        IDispatch **ppdispVal;
        VARIANT *pvarVal;
        void *byref;
    };
};

// Arguments of a dispatch call, in reverse order.
struct DISPPARAMS
{
    VARIANT *rgvarg;
    DISPID *rgdispidNamedArgs;
    UINT cArgs;
    UINT cNamedArgs;
};

struct EXCEPINFO
{
    WORD wCode;
    WORD wReserved;
    BSTR bstrSource;
    BSTR bstrDescription;
    BSTR bstrHelpFile;
    DWORD dwHelpContext;
    void *pvReserved;
    HRESULT (*pfnDeferredFillIn)(EXCEPINFO *);
    HRESULT scode;
};

// Strings: each allocation is freed with SysFreeString, which takes null.
BSTR SysAllocString(const OLECHAR *text);
BSTR SysAllocStringLen(const OLECHAR *text, UINT length);
void SysFreeString(BSTR text);
UINT SysStringLen(BSTR text);
BSTR bstrFromString(const QString &text);
QString stringFromBstr(BSTR text);

// Variants: VariantClear frees what the variant owns (a string, an interface
// reference) and leaves it VT_EMPTY; VariantCopy copies deeply.
void VariantInit(VARIANT *variant);
HRESULT VariantClear(VARIANT *variant);
HRESULT VariantCopy(VARIANT *destination, const VARIANT *source);

// Conversions at the boundary, following by-reference variants. A Qt value
// with no variant form gives DISP_E_TYPEMISMATCH.
QVariant qvariantFromVariant(const VARIANT &variant);
HRESULT variantFromQVariant(const QVariant &value, VARIANT *variant);
