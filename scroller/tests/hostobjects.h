#pragma once

// A host's own objects at the component boundary, as a host that knows the
// control by its identifiers writes them: reference counting, an event
// sink, a property bag, an error log, a property-change sink and a font.
// The component tests and the fuzz harnesses share them.

#include "componentconversions.h"

#include <tovrell/tovrell.h>

#include <QList>
#include <QStringList>

#include <algorithm>
#include <functional>
#include <map>
#include <vector>

// Reference counting of the host's objects, which live on the caller's
// stack: Release never frees.
template <typename Interface>
class HostObject : public Interface
{
public:
    // Answers QueryInterface for IUnknown and the ids given.
    explicit HostObject(std::initializer_list<IID> interfaceIds)
        : m_interfaceIds(interfaceIds)
    { }
    HRESULT QueryInterface(REFIID riid, void **object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        const auto answered = [&](const IID &id) { return id == riid; };
        if (!(riid == IID_IUnknown) && std::none_of(m_interfaceIds.begin(), m_interfaceIds.end(), answered))
            return E_NOINTERFACE;
        *object = static_cast<Interface *>(this);
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ++references; }
    ULONG Release() override { return --references; }
    ULONG references = 1;

private:
    std::vector<IID> m_interfaceIds;
};

// An object reached through IDispatch alone, with no type information.
class HostDispatch : public HostObject<IDispatch>
{
public:
    using HostObject::HostObject;
    HRESULT GetTypeInfoCount(UINT *count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo **) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, OLECHAR **, UINT, LCID, DISPID *) override { return E_NOTIMPL; }
};

// Records the events a control raises, with their by-reference arguments
// as numbers (-1 for one by value), and runs what the host does in its
// handler.
class EventSink final : public HostDispatch
{
public:
    EventSink()
        : HostDispatch({IID_IDispatch, DIID___Scroller})
    { }
    HRESULT Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS *params, VARIANT *, EXCEPINFO *, UINT *) override
    {
        QList<double> arguments;
        for (UINT i = params->cArgs; i-- > 0;) {
            const VARIANT &argument = params->rgvarg[i];
            if (!(argument.vt & VT_BYREF))
                arguments << -1;
            else
                arguments << qvariantFromVariant(argument).value_or(QVariant()).toDouble();
        }
        events.push_back({id, arguments});
        if (onEvent)
            onEvent(id);
        return S_OK;
    }
    std::vector<std::pair<DISPID, QList<double>>> events;
    std::function<void(DISPID)> onEvent;
};

// The host's store of saved properties: variants by name, and the order in
// which they were written.
class HostBag final : public HostObject<IPropertyBag>
{
public:
    HostBag()
        : HostObject({IID_IPropertyBag})
    { }
    ~HostBag()
    {
        for (auto &[name, value] : values)
            VariantClear(&value);
    }
    HRESULT Read(const OLECHAR *name, VARIANT *value, IErrorLog *) override
    {
        const auto found = values.find(QString::fromUtf16(name));
        if (found == values.end())
            return E_INVALIDARG;
        return VariantCopy(value, &found->second);
    }
    HRESULT Write(const OLECHAR *name, VARIANT *value) override
    {
        VARIANT &slot = values[QString::fromUtf16(name)];
        order << QString::fromUtf16(name);
        return VariantCopy(&slot, value);
    }
    std::map<QString, VARIANT> values;
    QStringList order;
};

// Records what a control could not load.
class HostErrorLog final : public HostObject<IErrorLog>
{
public:
    HostErrorLog()
        : HostObject({IID_IErrorLog})
    { }
    HRESULT AddError(const OLECHAR *name, EXCEPINFO *exception) override
    {
        errors << QStringLiteral("%1: %2 %3 (%4)")
                      .arg(QString::fromUtf16(name), QString::number(std::uint32_t(exception->scode), 16),
                           stringFromBstr(exception->bstrDescription), stringFromBstr(exception->bstrSource));
        return S_OK;
    }
    QStringList errors;
};

// Records the property changes a control reports.
class PropertyChangeSink final : public HostObject<IPropertyNotifySink>
{
public:
    PropertyChangeSink()
        : HostObject({IID_IPropertyNotifySink})
    { }
    HRESULT OnChanged(DISPID id) override
    {
        changed << id;
        return S_OK;
    }
    HRESULT OnRequestEdit(DISPID) override { return S_OK; }
    QList<DISPID> changed;
};

// A font object of the host's own: Name as text, Size as currency where it
// is a whole number of ten-thousandths (the conventional type of a font's
// size in this component world), else as a double.
class HostFont final : public HostDispatch
{
public:
    explicit HostFont(double points)
        : HostDispatch({IID_IDispatch})
    {
        VariantInit(&size);
        const double scaled = points * 10000;
        if (scaled == double(std::int64_t(scaled))) {
            size.vt = VT_CY;
            size.cyVal.int64 = std::int64_t(scaled);
        } else {
            size.vt = VT_R8;
            size.dblVal = points;
        }
    }
    HRESULT Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS *, VARIANT *result, EXCEPINFO *, UINT *) override
    {
        VariantInit(result);
        if (id == DISPID_FONT_NAME) {
            result->vt = VT_BSTR;
            result->bstrVal = SysAllocString(u"Liberation Serif");
        } else if (id == DISPID_FONT_SIZE) {
            *result = size;
        } else if (id == DISPID_FONT_BOLD || id == DISPID_FONT_ITALIC) {
            result->vt = VT_BOOL;
            result->boolVal = VARIANT_FALSE;
        } else {
            return DISP_E_MEMBERNOTFOUND;
        }
        return S_OK;
    }
    VARIANT size;
};
