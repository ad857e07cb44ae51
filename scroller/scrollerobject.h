#pragma once

#include "comobject.h"
#include "connectionpoint.h"
#include "x11placement.h"
#include <tovrell/tovrell.h>

#include <QPointer>

#include <functional>
#include <memory>

namespace Tovrell {
class Scroller;
class ScrollerPrivate;
class WindowlessFace;
} // namespace Tovrell

// The Scroller as a component: the dual _Scroller interface over the
// control, its events and property changes through connection points,
// persistence through a host's IPropertyBag, and either a window (placed on
// a Qt host's widget or in any X11 host's window) or none (drawn into the
// host's memory). Every call goes through call(), which answers for a
// control the host deleted or a call from another thread.
class ScrollerObject final : public ComObject<ScrollerObject, _Scroller, IConnectionPointContainer, IPersistPropertyBag,
                                              IWidgetControl, IX11WindowControl, IWindowlessControl>
{
public:
    explicit ScrollerObject(bool windowless);
    ~ScrollerObject();

    // IUnknown
    HRESULT QueryInterface(REFIID riid, void **object) override;
    // IDispatch
    HRESULT GetTypeInfoCount(UINT *count) override;
    HRESULT GetTypeInfo(UINT index, LCID lcid, ITypeInfo **info) override;
    HRESULT GetIDsOfNames(REFIID riid, OLECHAR **names, UINT count, LCID lcid, DISPID *ids) override;
    HRESULT Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS *params, VARIANT *result,
                   EXCEPINFO *exception, UINT *argumentError) override;
    // _Scroller
    HRESULT get_BackColor(std::uint32_t *color) override;
    HRESULT put_BackColor(std::uint32_t color) override;
    HRESULT get_ForeColor(std::uint32_t *color) override;
    HRESULT put_ForeColor(std::uint32_t color) override;
    HRESULT get_Enabled(VARIANT_BOOL *enabled) override;
    HRESULT put_Enabled(VARIANT_BOOL enabled) override;
    HRESULT get_Font(IDispatch **font) override;
    HRESULT putref_Font(IDispatch *font) override;
    HRESULT get_BorderStyle(std::int16_t *style) override;
    HRESULT put_BorderStyle(std::int16_t style) override;
    HRESULT Refresh() override;
    HRESULT get_Interval(std::int32_t *milliseconds) override;
    HRESULT put_Interval(std::int32_t milliseconds) override;
    HRESULT get_Caption(VARIANT *caption) override;
    HRESULT put_Caption(VARIANT caption) override;
    HRESULT RefreshCaption() override;
    // IConnectionPointContainer
    HRESULT EnumConnectionPoints(IEnumConnectionPoints **points) override;
    HRESULT FindConnectionPoint(REFIID riid, IConnectionPoint **point) override;
    // IPersistPropertyBag
    HRESULT GetClassID(CLSID *classId) override;
    HRESULT InitNew() override;
    HRESULT Load(IPropertyBag *bag, IErrorLog *log) override;
    HRESULT Save(IPropertyBag *bag, std::int32_t clearDirty, std::int32_t saveAll) override;
    // IWidgetControl, IX11WindowControl and IWindowlessControl
    HRESULT SetParent(void *parentWidget) override;
    HRESULT SetBounds(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) override;
    HRESULT SetAmbient(VARIANT_BOOL userMode, const OLECHAR *fontName, float fontPoints) override;
    HRESULT SetParentWindow(std::uint64_t x11Window) override;
    HRESULT SetVisible(VARIANT_BOOL visible) override;
    HRESULT SetSite(IWindowlessSite *site) override;
    HRESULT SetSize(std::int32_t width, std::int32_t height) override;
    HRESULT Draw(void *pixels, std::int32_t stride, std::int32_t x, std::int32_t y, std::int32_t width,
                 std::int32_t height) override;
    HRESULT OnPointer(std::int32_t event, std::int32_t x, std::int32_t y, std::int32_t buttons,
                      std::int32_t modifiers) override;

private:
    Tovrell::ScrollerPrivate &engine() const;
    HRESULT usable() const;
    HRESULT getProperty(DISPID id, VARIANT *result);
    HRESULT letProperty(DISPID id, const VARIANT &argument);
    HRESULT let(DISPID id, const QVariant &value);
    HRESULT letCaption(const VARIANT &argument);
    HRESULT setFontProperty(const VARIANT &argument);
    EXCEPINFO exceptionOf(HRESULT result) const;
    template <typename F>
    HRESULT call(F &&work);
    HRESULT persist(const std::function<bool(Tovrell::ScrollerPrivate &)> &handler);
    void fire(DISPID id, DISPPARAMS &params);
    void connectEvents();
    void notifyChange(DISPID id);
    void invalidate(const QRect &area);

    // With a window: the widget, which its Qt host may delete, and its
    // placement in an X11 host's window.
    QPointer<Tovrell::Scroller> m_scroller;
    std::unique_ptr<X11Placement> m_placement;
    // Without: the control itself, on its windowless face, and the host's
    // site that hears what to draw again.
    std::unique_ptr<Tovrell::ScrollerPrivate> m_windowless;
    Tovrell::WindowlessFace *m_windowlessFace = nullptr;
    IWindowlessSite *m_site = nullptr;
    ConnectionPoint m_events{*this, DIID___Scroller, true};
    ConnectionPoint m_propertyNotifications{*this, IID_IPropertyNotifySink, false};
    int m_lastError = 0;
    QString m_lastErrorDescription;
};
