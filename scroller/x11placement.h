#pragma once

#include <tovrell/componenttypes.h>

#include <QObject>
#include <QWindow>

#include <functional>
#include <memory>

class QWidget;

// A control's widget inside an X11 window of any program's, as a window of
// its own that never takes the keyboard from the host's controls. A window
// id is checked with the X server before it is taken; a window its host
// destroys under the control takes the control out, as leaving does, and
// Qt hears nothing of the requests its dead window still gets.
class X11Placement
{
public:
    // dropNativeWindow destroys the widget's own X11 window, so that Qt
    // makes a new one when the widget is placed again.
    X11Placement(QWidget &widget, std::function<void()> dropNativeWindow);
    ~X11Placement();
    X11Placement(const X11Placement &) = delete;
    X11Placement &operator=(const X11Placement &) = delete;

    // Places the widget in window, shown unless hidden; 0 takes it out.
    // E_INVALIDARG, and nothing changes, for an id the server does not
    // know, a root or an input-only window; E_NOTIMPL where the
    // application does not run on X11.
    HRESULT place(std::uint64_t window);
    // Takes the widget out of the host's window, hidden, if it is in one.
    void leave();
    // Shows or hides the widget wherever it is placed.
    void setVisible(bool visible);
    bool hidden() const { return m_hidden; }

    // Returns once the X server has done what the application asked of it
    // so far: a released control's window is gone when its release
    // returns, not at the host's next round of work.
    static void sync();

private:
    void lost(std::uint32_t window);

    QWidget &m_widget;
    std::function<void()> m_dropNativeWindow;
    // The host's window, while the widget is in it.
    std::unique_ptr<QWindow> m_hostWindow;
    bool m_hidden = false;
    // Ends the calls queued to this placement with it.
    QObject m_queue;
};
