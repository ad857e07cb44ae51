#ifndef TOVRELL_COMPONENTTYPES_H
#define TOVRELL_COMPONENTTYPES_H

/* The data that crosses component interfaces, in the conventional layout of
   the component object system, so that a host written against that layout
   can use a control library by identifiers alone. Plain C11 or C++: a host
   needs nothing else to include it, and the string and variant helpers are
   defined here, since a library exports only its entry points. */

#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#ifndef __cplusplus
#include <uchar.h>
#endif

typedef int32_t HRESULT;
typedef uint32_t ULONG;
typedef uint32_t UINT;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef uint32_t LCID;
typedef int32_t DISPID;
typedef uint16_t VARTYPE;
typedef int16_t VARIANT_BOOL;
typedef char16_t OLECHAR;
/* A length-prefixed UTF-16 string: 32 bits of byte length stand just before
   the characters, which end in a NUL. Made by SysAllocString or
   SysAllocStringLen and freed by SysFreeString (or free() of the pointer
   minus 4 bytes). */
typedef OLECHAR *BSTR;

/* Result codes: integer constant expressions, so case labels in C too. */
#define S_OK ((HRESULT)0)
#define S_FALSE ((HRESULT)1)
#define E_ILLEGAL_METHOD_CALL ((HRESULT)0x8000000Eu)
#define E_NOTIMPL ((HRESULT)0x80004001u)
#define E_NOINTERFACE ((HRESULT)0x80004002u)
#define E_POINTER ((HRESULT)0x80004003u)
#define E_FAIL ((HRESULT)0x80004005u)
#define E_UNEXPECTED ((HRESULT)0x8000FFFFu)
#define E_ACCESSDENIED ((HRESULT)0x80070005u)
#define E_OUTOFMEMORY ((HRESULT)0x8007000Eu)
#define E_INVALIDARG ((HRESULT)0x80070057u)
#define CO_E_NOTINITIALIZED ((HRESULT)0x800401F0u)
#define CLASS_E_NOAGGREGATION ((HRESULT)0x80040110u)
#define CLASS_E_CLASSNOTAVAILABLE ((HRESULT)0x80040111u)
#define SELFREG_E_TYPELIB ((HRESULT)0x80040200u)
#define SELFREG_E_CLASS ((HRESULT)0x80040201u)
#define DISP_E_UNKNOWNINTERFACE ((HRESULT)0x80020001u)
#define DISP_E_MEMBERNOTFOUND ((HRESULT)0x80020003u)
#define DISP_E_PARAMNOTFOUND ((HRESULT)0x80020004u)
#define DISP_E_TYPEMISMATCH ((HRESULT)0x80020005u)
#define DISP_E_UNKNOWNNAME ((HRESULT)0x80020006u)
#define DISP_E_EXCEPTION ((HRESULT)0x80020009u)
#define DISP_E_OVERFLOW ((HRESULT)0x8002000Au)
#define DISP_E_BADPARAMCOUNT ((HRESULT)0x8002000Eu)
#define DISP_E_PARAMNOTOPTIONAL ((HRESULT)0x8002000Fu)
#define RPC_E_WRONG_THREAD ((HRESULT)0x8001010Eu)
#define CONNECT_E_NOCONNECTION ((HRESULT)0x80040200u)
#define CONNECT_E_CANNOTCONNECT ((HRESULT)0x80040202u)

static inline int SUCCEEDED(HRESULT result)
{
    return result >= 0;
}
static inline int FAILED(HRESULT result)
{
    return result < 0;
}

#define VARIANT_TRUE ((VARIANT_BOOL)-1)
#define VARIANT_FALSE ((VARIANT_BOOL)0)

enum VARENUM {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_CY = 6,
    VT_DATE = 7,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_VARIANT = 12,
    VT_UNKNOWN = 13,
    VT_UI1 = 17,
    VT_BYREF = 0x4000
};

/* A globally unique identifier, in the conventional little-endian layout. */
typedef struct GUID
{
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
} GUID;
typedef GUID IID;
typedef GUID CLSID;
#ifdef __cplusplus
typedef const IID &REFIID;
typedef const CLSID &REFCLSID;
#else
typedef const IID *REFIID;
typedef const CLSID *REFCLSID;
#endif

static inline int IsEqualGUID(const GUID *a, const GUID *b)
{
    return memcmp(a, b, sizeof(GUID)) == 0;
}
#ifdef __cplusplus
inline bool operator==(const GUID &a, const GUID &b)
{
    return IsEqualGUID(&a, &b);
}
#endif

/* A currency amount: the value times 10000, as a 64-bit integer. */
typedef struct CY
{
    int64_t int64;
} CY;

typedef struct IUnknown IUnknown;
typedef struct IDispatch IDispatch;

/* The 16-byte variant: a type tag, three reserved words, eight bytes of value. */
typedef struct VARIANT VARIANT;
struct VARIANT
{
    VARTYPE vt;
    WORD wReserved1;
    WORD wReserved2;
    WORD wReserved3;
    union
    {
        int32_t lVal;
        uint8_t bVal;
        int16_t iVal;
        float fltVal;
        double dblVal;
        VARIANT_BOOL boolVal;
        HRESULT scode;
        CY cyVal;
        double date;
        BSTR bstrVal;
        IUnknown *punkVal;
        IDispatch *pdispVal;
        uint8_t *pbVal;
        int16_t *piVal;
        int32_t *plVal;
        float *pfltVal;
        double *pdblVal;
        VARIANT_BOOL *pboolVal;
        HRESULT *pscode;
        CY *pcyVal;
        double *pdate;
        BSTR *pbstrVal;
        IUnknown **ppunkVal;
        IDispatch **ppdispVal;
        VARIANT *pvarVal;
        void *byref;
    };
};

/* Arguments of a dispatch call, in reverse order. */
typedef struct DISPPARAMS
{
    VARIANT *rgvarg;
    DISPID *rgdispidNamedArgs;
    UINT cArgs;
    UINT cNamedArgs;
} DISPPARAMS;

typedef struct EXCEPINFO EXCEPINFO;
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

/* A string of length characters copied from text (or NULs when text is
   null); null when out of memory or too long. */
static inline BSTR SysAllocStringLen(const OLECHAR *text, UINT length)
{
    uint32_t bytes;
    unsigned char *block;
    BSTR characters;
    if (length > (UINT32_MAX - 8) / sizeof(OLECHAR))
        return NULL;
    bytes = (uint32_t)(length * sizeof(OLECHAR));
    block = (unsigned char *)malloc(sizeof bytes + bytes + sizeof(OLECHAR));
    if (!block)
        return NULL;
    memcpy(block, &bytes, sizeof bytes);
    characters = (BSTR)(block + sizeof bytes);
    if (text)
        memcpy(characters, text, bytes);
    else
        memset(characters, 0, bytes);
    characters[length] = 0;
    return characters;
}

/* A string copied from the NUL-terminated text; null for null text. */
static inline BSTR SysAllocString(const OLECHAR *text)
{
    UINT length = 0;
    if (!text)
        return NULL;
    while (text[length])
        ++length;
    return SysAllocStringLen(text, length);
}

/* Frees a string; takes null. */
static inline void SysFreeString(BSTR text)
{
    if (text)
        free((unsigned char *)text - sizeof(uint32_t));
}

/* The number of characters, not counting the final NUL; 0 for null. */
static inline UINT SysStringLen(BSTR text)
{
    uint32_t bytes = 0;
    if (!text)
        return 0;
    memcpy(&bytes, (unsigned char *)text - sizeof bytes, sizeof bytes);
    return bytes / sizeof(OLECHAR);
}

/* Makes a variant VT_EMPTY without freeing anything. VariantClear and
   VariantCopy are in interfaces.h, since they release interfaces. */
static inline void VariantInit(VARIANT *variant)
{
    memset(variant, 0, sizeof *variant);
}

#endif
