#pragma once

// A careless or hostile host's side of the component boundary, driven by
// the fuzzer's bytes: variants of any type, font objects that answer
// anything, property bags that give anything back, and event sinks that do
// anything while the control waits for them.

#include "fuzzinput.h"
#include "hostobjects.h"

#include <deque>
#include <functional>

// Storage that variants made by the fuzzer point into; frees their strings.
struct VariantStore
{
    std::deque<std::uint64_t> cells;
    std::deque<VARIANT> inner;
    std::deque<BSTR> strings;
    ~VariantStore()
    {
        for (BSTR string : strings)
            SysFreeString(string);
    }
};

// A variant of any type the fuzzer picks, by value or by reference; the
// store owns what it points to.
inline VARIANT makeVariant(FuzzInput &in, VariantStore &store, IDispatch *object = nullptr)
{
    static const VARTYPE types[] = {VT_EMPTY,    VT_NULL,    VT_I2,      VT_I4,    VT_R4,         VT_R8,
                                    VT_CY,       VT_DATE,    VT_BSTR,    VT_ERROR, VT_BOOL,       VT_UI1,
                                    VT_DISPATCH, VT_UNKNOWN, VT_VARIANT, 0x15,     0x2000 | VT_I4};
    VARIANT variant;
    VariantInit(&variant);
    variant.vt = types[in.choose(std::size(types))];
    const auto bits = in.take<std::uint64_t>();
    std::memcpy(&variant.dblVal, &bits, sizeof bits);
    if (variant.vt == VT_BSTR) {
        store.strings.push_back(bstrFromString(in.text()));
        variant.bstrVal = store.strings.back();
    } else if (variant.vt == VT_DISPATCH || variant.vt == VT_UNKNOWN) {
        variant.pdispVal = object;
    } else if (variant.vt == VT_VARIANT || variant.vt > VT_UI1) {
        variant.byref = nullptr;
    }
    if (in.take<std::uint8_t>() % 4 == 0 && variant.vt != VT_EMPTY) {
        // The same value by reference.
        VARIANT reference;
        VariantInit(&reference);
        if (variant.vt == VT_VARIANT) {
            store.inner.push_back(variant);
            store.inner.back().vt = VT_I4;
            reference.pvarVal = &store.inner.back();
        } else {
            // The value's eight bytes (a string or object as its pointer).
            store.cells.push_back(0);
            std::memcpy(&store.cells.back(), &variant.dblVal, sizeof variant.dblVal);
            reference.byref = &store.cells.back();
        }
        // A null reference is a host's fault that must not crash the control.
        if (in.take<std::uint8_t>() % 8 == 0)
            reference.byref = nullptr;
        reference.vt = VARTYPE(variant.vt | VT_BYREF);
        return reference;
    }
    return variant;
}

// Whether two variants hold the same type and value: strings by content,
// Booleans by truth, anything else by its eight bytes.
inline bool sameVariant(const VARIANT &a, const VARIANT &b)
{
    if (a.vt != b.vt)
        return false;
    switch (a.vt) {
    case VT_EMPTY:
    case VT_NULL:
        return true;
    case VT_I2:
        return a.iVal == b.iVal;
    case VT_UI1:
        return a.bVal == b.bVal;
    case VT_BOOL:
        return (a.boolVal != VARIANT_FALSE) == (b.boolVal != VARIANT_FALSE);
    case VT_I4:
    case VT_R4:
        return std::memcmp(&a.lVal, &b.lVal, 4) == 0;
    case VT_BSTR:
        return stringFromBstr(a.bstrVal) == stringFromBstr(b.bstrVal);
    default:
        return std::memcmp(&a.dblVal, &b.dblVal, 8) == 0;
    }
}

// A font object that answers its properties with whatever the fuzzer gave.
class HostileFont final : public HostDispatch
{
public:
    HostileFont(FuzzInput &in, VariantStore &store)
        : HostDispatch({IID_IDispatch})
    {
        for (VARIANT &property : m_properties)
            property = makeVariant(in, store);
        m_failures = in.take<std::uint8_t>();
    }
    HRESULT Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS *, VARIANT *result, EXCEPINFO *, UINT *) override
    {
        if (id < 0 || id > 4 || (m_failures >> id) & 1)
            return DISP_E_MEMBERNOTFOUND;
        if (result) {
            // A by-reference answer is the host's fault; answer its value.
            const VARIANT &property = m_properties[id];
            if (property.vt & VT_BYREF)
                VariantInit(result);
            else
                VariantCopy(result, &property);
        }
        return S_OK;
    }

private:
    VARIANT m_properties[5];
    std::uint8_t m_failures;
};

// A property bag whose Read gives back, per name, whatever the fuzzer chose:
// a failure, any variant, or a hostile font object.
class HostileBag final : public HostObject<IPropertyBag>
{
public:
    HostileBag(FuzzInput &in, VariantStore &store, HostileFont &font)
        : HostObject({IID_IPropertyBag})
        , m_in(in)
        , m_store(store)
        , m_font(font)
    { }
    HRESULT Read(const OLECHAR *, VARIANT *value, IErrorLog *) override
    {
        switch (m_in.choose(4)) {
        case 0:
            return E_INVALIDARG;
        case 1:
            value->vt = VT_DISPATCH;
            value->pdispVal = &m_font;
            m_font.AddRef();
            return S_OK;
        default: {
            const VARIANT made = makeVariant(m_in, m_store, &m_font);
            return VariantCopy(value, &made);
        }
        }
    }
    HRESULT Write(const OLECHAR *, VARIANT *) override { return m_in.choose(4) == 0 ? E_FAIL : S_OK; }

private:
    FuzzInput &m_in;
    VariantStore &m_store;
    HostileFont &m_font;
};

// An event sink that runs what the harness tells it on every event.
class HostileSink final : public HostDispatch
{
public:
    explicit HostileSink(std::function<HRESULT(DISPID)> onEvent)
        : HostDispatch({IID_IDispatch})
        , m_onEvent(std::move(onEvent))
    { }
    HRESULT Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS *params, VARIANT *, EXCEPINFO *, UINT *) override
    {
        // Writes through the by-reference arguments, as a handler may.
        for (UINT i = 0; i < params->cArgs; ++i) {
            VARIANT &argument = params->rgvarg[i];
            if (argument.vt == (VT_I2 | VT_BYREF))
                *argument.piVal = std::int16_t(id * 1000);
            else if (argument.vt == (VT_R4 | VT_BYREF))
                *argument.pfltVal = -1e30f;
        }
        return m_onEvent(id);
    }

private:
    std::function<HRESULT(DISPID)> m_onEvent;
};
