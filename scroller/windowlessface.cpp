#include "windowlessface.h"

#include "usercontrol.h"

#include <tovrell/interfaces.h>

#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleHints>

namespace Tovrell {

namespace {

Qt::MouseButtons buttonsOf(int buttons)
{
    return Qt::MouseButtons((buttons & 1 ? Qt::LeftButton : Qt::NoButton)
                            | (buttons & 2 ? Qt::RightButton : Qt::NoButton)
                            | (buttons & 4 ? Qt::MiddleButton : Qt::NoButton));
}

Qt::KeyboardModifiers modifiersOf(int modifiers)
{
    return Qt::KeyboardModifiers((modifiers & 1 ? Qt::ShiftModifier : Qt::NoModifier)
                                 | (modifiers & 2 ? Qt::ControlModifier : Qt::NoModifier)
                                 | (modifiers & 4 ? Qt::AltModifier : Qt::NoModifier));
}

} // namespace

WindowlessFace::WindowlessFace() = default;

void WindowlessFace::draw(QImage &target, const QRect &area)
{
    QPainter painter(&target);
    painter.translate(-area.topLeft());
    painter.setClipRect(area);
    control()->paint(painter);
}

// Qt's own rule for a double click: the same button pressed again within
// the desktop's double-click time and distance.
bool WindowlessFace::isDoubleClick(Qt::MouseButton button, const QPoint &at)
{
    const QStyleHints *hints = QGuiApplication::styleHints();
    const bool twice = button == m_pressed && m_sincePress.isValid()
        && m_sincePress.elapsed() < hints->mouseDoubleClickInterval()
        && (at - m_pressedAt).manhattanLength() <= hints->mouseDoubleClickDistance();
    // A third press starts afresh, as in a window.
    m_pressed = twice ? Qt::NoButton : button;
    m_pressedAt = at;
    m_sincePress.start();
    return twice;
}

void WindowlessFace::pointer(int event, const QPoint &at, int buttons, int modifiers)
{
    // A disabled control hears no mouse, as a disabled widget hears none.
    if (!m_enabled)
        return;
    const QPointF position(at);
    const Qt::KeyboardModifiers held = modifiersOf(modifiers);
    UserControl &shown = *control();
    if (event == TOVRELL_POINTER_MOVE) {
        QMouseEvent moved(QEvent::MouseMove, position, position, Qt::NoButton, buttonsOf(buttons), held);
        shown.mouseMoved(&moved);
        return;
    }
    const auto button = Qt::MouseButton(int(buttonsOf(buttons)));
    if (event == TOVRELL_POINTER_PRESS) {
        const bool twice = isDoubleClick(button, at);
        QMouseEvent pressed(twice ? QEvent::MouseButtonDblClick : QEvent::MouseButtonPress, position, position, button,
                            button, held);
        if (twice)
            shown.mouseDoubleClicked(&pressed);
        else
            shown.mousePressed(&pressed);
    } else {
        QMouseEvent released(QEvent::MouseButtonRelease, position, position, button, Qt::NoButton, held);
        shown.mouseReleased(&released);
    }
}

void WindowlessFace::setVisible(bool visible)
{
    m_visible = visible;
    if (visible)
        update();
}

// Many changes in one round of work ask for one drawing, after the round.
void WindowlessFace::update()
{
    if (!m_visible || m_invalidationPending)
        return;
    m_invalidationPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_invalidationPending = false;
            if (m_visible)
                emit invalidated(rect());
        },
        Qt::QueuedConnection);
}

QFont WindowlessFace::defaultFont() const
{
    return QGuiApplication::font();
}

// A windowless control has a size only; its host places it. A new size is
// told to the control, as Qt tells a widget.
void WindowlessFace::setGeometry(const QRect &bounds)
{
    if (bounds.size() == m_size)
        return;
    m_size = bounds.size();
    control()->resized();
    update();
}

} // namespace Tovrell
