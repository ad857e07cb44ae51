#pragma once

#include <tovrell/interfaces.h>

#include <map>
#include <vector>

// One outgoing interface of an object, as a member of the object that
// holds it: it counts its references on the object (the container), so the
// object and its connection points live and die together.
class ConnectionPoint final : public IConnectionPoint
{
public:
    // Sinks are asked for interfaceId, then for IDispatch when
    // acceptsDispatch (the way event sinks of a dispatch interface answer).
    ConnectionPoint(IConnectionPointContainer &container, const IID &interfaceId, bool acceptsDispatch);
    ~ConnectionPoint();
    ConnectionPoint(const ConnectionPoint &) = delete;
    ConnectionPoint &operator=(const ConnectionPoint &) = delete;

    const IID &interfaceId() const { return m_interfaceId; }

    // Calls each advised sink as Sink (the interface it was advised as). A
    // sink may unadvise, or release the object, while it is called: each
    // is held for its call.
    template <typename Sink, typename F>
    void forEachSink(F &&call)
    {
        std::vector<IUnknown *> sinks;
        for (auto &[cookie, sink] : m_sinks) {
            sink->AddRef();
            sinks.push_back(sink);
        }
        for (IUnknown *sink : sinks) {
            call(static_cast<Sink *>(sink));
            sink->Release();
        }
    }

    HRESULT QueryInterface(REFIID riid, void **object) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT GetConnectionInterface(IID *iid) override;
    HRESULT GetConnectionPointContainer(IConnectionPointContainer **container) override;
    HRESULT Advise(IUnknown *sink, DWORD *cookie) override;
    HRESULT Unadvise(DWORD cookie) override;
    HRESULT EnumConnections(IEnumConnections **connections) override;

private:
    IConnectionPointContainer &m_container;
    IID m_interfaceId;
    bool m_acceptsDispatch;
    std::map<DWORD, IUnknown *> m_sinks;
    DWORD m_nextCookie = 1;
};
