#include "connectionpoint.h"

#include "comobject.h"

ConnectionPoint::ConnectionPoint(IConnectionPointContainer &container, const IID &interfaceId, bool acceptsDispatch)
    : m_container(container)
    , m_interfaceId(interfaceId)
    , m_acceptsDispatch(acceptsDispatch)
{ }

ConnectionPoint::~ConnectionPoint()
{
    for (auto &[cookie, sink] : m_sinks)
        sink->Release();
}

HRESULT ConnectionPoint::QueryInterface(REFIID riid, void **object)
{
    IConnectionPoint *self = this;
    return answerQueryInterface(*this, riid, object, {{IID_IUnknown, self}, {IID_IConnectionPoint, self}});
}

ULONG ConnectionPoint::AddRef()
{
    return m_container.AddRef();
}

ULONG ConnectionPoint::Release()
{
    return m_container.Release();
}

HRESULT ConnectionPoint::GetConnectionInterface(IID *iid)
{
    if (!iid)
        return E_POINTER;
    *iid = m_interfaceId;
    return S_OK;
}

HRESULT ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer **container)
{
    if (!container)
        return E_POINTER;
    *container = &m_container;
    m_container.AddRef();
    return S_OK;
}

HRESULT ConnectionPoint::Advise(IUnknown *sink, DWORD *cookie)
{
    if (!sink || !cookie)
        return E_POINTER;
    *cookie = 0;
    void *connected = nullptr;
    if (FAILED(sink->QueryInterface(m_interfaceId, &connected))
        && (!m_acceptsDispatch || FAILED(sink->QueryInterface(IID_IDispatch, &connected))))
        return CONNECT_E_CANNOTCONNECT;
    if (!connected)
        return CONNECT_E_CANNOTCONNECT;
    *cookie = m_nextCookie++;
    m_sinks.emplace(*cookie, static_cast<IUnknown *>(connected));
    return S_OK;
}

HRESULT ConnectionPoint::Unadvise(DWORD cookie)
{
    const auto found = m_sinks.find(cookie);
    if (found == m_sinks.end())
        return CONNECT_E_NOCONNECTION;
    IUnknown *sink = found->second;
    m_sinks.erase(found);
    sink->Release();
    return S_OK;
}

HRESULT ConnectionPoint::EnumConnections(IEnumConnections **connections)
{
    if (connections)
        *connections = nullptr;
    return E_NOTIMPL;
}
