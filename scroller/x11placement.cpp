#include "x11placement.h"

#include "hostapplication.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <algorithm>
#include <map>
#include <vector>

namespace {

xcb_connection_t *x11Connection()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

// Whether the server knows window as one that can hold a control: a window
// (not a pixmap), not a root, not input-only. Asked on the application's
// own connection, so a window the host made but has not flushed is unknown.
bool canHoldAControl(xcb_connection_t *connection, xcb_window_t window)
{
    const auto attributesAsked = xcb_get_window_attributes(connection, window);
    const auto geometryAsked = xcb_get_geometry(connection, window);
    xcb_generic_error_t *attributesError = nullptr;
    xcb_generic_error_t *geometryError = nullptr;
    xcb_get_window_attributes_reply_t *attributes =
        xcb_get_window_attributes_reply(connection, attributesAsked, &attributesError);
    xcb_get_geometry_reply_t *geometry = xcb_get_geometry_reply(connection, geometryAsked, &geometryError);
    const bool can =
        attributes && geometry && attributes->_class == XCB_WINDOW_CLASS_INPUT_OUTPUT && geometry->root != window;
    free(attributes);
    free(geometry);
    free(attributesError);
    free(geometryError);
    return can;
}

// Whether the server still has window: its host may have destroyed it with
// its own an instant ago, before the news of it reached the application.
bool exists(xcb_connection_t *connection, xcb_window_t window)
{
    xcb_generic_error_t *error = nullptr;
    free(xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window), &error));
    free(error);
    return !error;
}

// Makes the X11 window of a control inside a host's window pass the keys
// on to the host's: X gives a key to the window under the pointer when it
// lies within the window that has the focus, so a control that took keys
// would take them from the host's own controls.
void passKeysOn(xcb_connection_t *connection, xcb_window_t window)
{
    const auto asked = xcb_get_window_attributes(connection, window);
    xcb_get_window_attributes_reply_t *attributes = xcb_get_window_attributes_reply(connection, asked, nullptr);
    if (!attributes)
        return;
    const std::uint32_t mask =
        attributes->your_event_mask & ~std::uint32_t(XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_KEY_RELEASE);
    free(attributes);
    xcb_change_window_attributes(connection, window, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);
}

// Hears X say that a placed control's window was destroyed (a child goes
// with its parent, and with the connection that owns the parent), and keeps
// the errors of the requests Qt still makes on such a window from being
// reported: they are expected. Installed while any placement lives, so
// that it still hears those errors after the window was lost.
class DestroyWatch final : public QAbstractNativeEventFilter
{
public:
    static DestroyWatch &instance()
    {
        static DestroyWatch watch;
        return watch;
    }

    void addPlacement() { installed(++m_placements > 0); }
    void removePlacement() { installed(--m_placements > 0); }
    void follow(xcb_window_t window, std::function<void()> lost) { m_followed[window] = std::move(lost); }
    void forget(xcb_window_t window) { m_followed.erase(window); }
    void gone(xcb_window_t window)
    {
        forget(window);
        m_gone.push_back(window);
    }

    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        const std::uint8_t kind = event->response_type & 0x7F;
        if (kind == 0) {
            const auto *error = reinterpret_cast<const xcb_generic_error_t *>(event);
            return std::find(m_gone.begin(), m_gone.end(), error->resource_id) != m_gone.end();
        }
        if (kind == XCB_DESTROY_NOTIFY) {
            const xcb_window_t window = reinterpret_cast<const xcb_destroy_notify_event_t *>(event)->window;
            if (const auto found = m_followed.find(window); found != m_followed.end())
                found->second();
        }
        return false;
    }

private:
    void installed(bool wanted)
    {
        if (wanted != m_installed && qGuiApp) {
            if (wanted)
                qGuiApp->installNativeEventFilter(this);
            else
                qGuiApp->removeNativeEventFilter(this);
            m_installed = wanted;
        }
    }

    int m_placements = 0;
    bool m_installed = false;
    std::map<xcb_window_t, std::function<void()>> m_followed;
    // The ids of destroyed windows: X gives new windows new ids.
    std::vector<std::uint32_t> m_gone;
};

} // namespace

X11Placement::X11Placement(QWidget &widget, std::function<void()> dropNativeWindow)
    : m_widget(widget)
    , m_dropNativeWindow(std::move(dropNativeWindow))
{
    DestroyWatch::instance().addPlacement();
}

X11Placement::~X11Placement()
{
    leave();
    DestroyWatch::instance().removePlacement();
}

HRESULT X11Placement::place(std::uint64_t window)
{
    if (!HostApplication::onX11())
        return E_NOTIMPL;
    xcb_connection_t *connection = x11Connection();
    if (window > 0xFFFFFFFFu || (window && !canHoldAControl(connection, xcb_window_t(window))))
        return E_INVALIDARG;
    if (m_hostWindow && !exists(connection, xcb_window_t(m_widget.winId())))
        lost(xcb_window_t(m_widget.winId()));
    leave();
    if (!window)
        return S_OK;
    m_widget.setParent(nullptr);
    // A window of its own inside the host's, which never takes the
    // keyboard from the host's controls.
    m_widget.setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    m_widget.setAttribute(Qt::WA_ShowWithoutActivating);
    m_hostWindow.reset(QWindow::fromWinId(WId(window)));
    const auto own = xcb_window_t(m_widget.winId());
    passKeysOn(connection, own);
    m_widget.windowHandle()->setParent(m_hostWindow.get());
    DestroyWatch::instance().follow(own, [this, own] {
        QMetaObject::invokeMethod(
            &m_queue, [this, own] { lost(own); }, Qt::QueuedConnection);
    });
    if (!m_hidden)
        m_widget.show();
    return S_OK;
}

// The control's window leaves the host's before the host's is forgotten:
// a window is its parent's child, and would go with it.
void X11Placement::leave()
{
    if (!m_hostWindow)
        return;
    DestroyWatch::instance().forget(xcb_window_t(m_widget.winId()));
    m_widget.hide();
    if (QWindow *own = m_widget.windowHandle())
        own->setParent(nullptr);
    m_hostWindow.reset();
}

// The host's window, and the control's own in it, are gone: Qt forgets the
// control's window, so that a later placement makes a new one. The news
// may come after the control was placed again, in a window of its own.
void X11Placement::lost(std::uint32_t window)
{
    if (!m_hostWindow || m_widget.winId() != window)
        return;
    DestroyWatch::instance().gone(window);
    m_widget.hide();
    m_dropNativeWindow();
    m_hostWindow.reset();
}

void X11Placement::setVisible(bool visible)
{
    m_hidden = !visible;
    // Without a parent the widget would show as a window of its own.
    if (m_hostWindow || m_widget.parentWidget())
        m_widget.setVisible(visible);
}

void X11Placement::sync()
{
    if (xcb_connection_t *connection = x11Connection())
        free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}
