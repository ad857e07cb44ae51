#pragma once

#include "scrollerface.h"

#include <QElapsedTimer>
#include <QFont>
#include <QObject>
#include <QPoint>
#include <QRect>

class QImage;

namespace Tovrell {

// A Scroller with no window of its own, drawn into memory its host owns.
// It asks to be drawn again (invalidated) at most once a round of the
// loop, and only while it shows; the host's pointer reaches it as a
// window's mouse would, double clicks told apart as Qt tells them.
class WindowlessFace final : public QObject, public ScrollerFace
{
    Q_OBJECT

public:
    WindowlessFace();

    // Draws the control's area into target, whose first pixel is the
    // area's top-left.
    void draw(QImage &target, const QRect &area);
    // A pointer event of the host's: TOVRELL_POINTER_*, in the control's
    // pixels, its buttons and modifiers as the control's events give them.
    void pointer(int event, const QPoint &at, int buttons, int modifiers);
    void setVisible(bool visible);

    QSize size() const override { return m_size; }
    void update() override;
    QFont defaultFont() const override;
    bool isEnabled() const override { return m_enabled; }
    void setEnabled(bool enabled) override { m_enabled = enabled; }
    void showFont(const QFont &) override { }
    QObject &lifetime() override { return *this; }
    void setGeometry(const QRect &bounds) override;
    // Its host hears of changes through the component's notifications.
    void propertyChanged(const QString &) override { }
    void errorRaised(int number, const QString &description) override { emit errorRaisedNumbered(number, description); }
    void Click() override { emit clicked(); }
    void DblClick() override { emit doubleClicked(); }
    void MouseDown(qint16 &Button, qint16 &Shift, float &X, float &Y) override { emit mouseDown(Button, Shift, X, Y); }
    void MouseMove(qint16 &Button, qint16 &Shift, float &X, float &Y) override { emit mouseMoved(Button, Shift, X, Y); }
    void MouseUp(qint16 &Button, qint16 &Shift, float &X, float &Y) override { emit mouseUp(Button, Shift, X, Y); }

signals:
    // The control's pixels in area changed, while it shows.
    void invalidated(const QRect &area);
    void errorRaisedNumbered(int number, const QString &description);
    void clicked();
    void doubleClicked();
    void mouseDown(qint16 &Button, qint16 &Shift, float &X, float &Y);
    void mouseMoved(qint16 &Button, qint16 &Shift, float &X, float &Y);
    void mouseUp(qint16 &Button, qint16 &Shift, float &X, float &Y);

private:
    bool isDoubleClick(Qt::MouseButton button, const QPoint &at);

    QSize m_size{408, 40};
    bool m_enabled = true;
    bool m_visible = true;
    bool m_invalidationPending = false;
    // The last press, to tell a double click.
    QElapsedTimer m_sincePress;
    Qt::MouseButton m_pressed = Qt::NoButton;
    QPoint m_pressedAt;
};

} // namespace Tovrell
