#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

class QObject;
class UserControl;

// What a user control is shown on: a widget, a Qt Quick item, or memory a
// host owns. The surface paints the control (UserControl::paint) when it
// shows it and hands it its mouse input; the control tells the surface
// when its drawing changed.
class ControlSurface
{
public:
    // The surface's size, in pixels.
    virtual QSize size() const = 0;
    // Its whole area, from 0, 0, as QWidget::rect gives a widget's.
    QRect rect() const { return QRect(QPoint(), size()); }
    // The control's drawing changed: the surface paints it again when it
    // next shows.
    virtual void update() = 0;
    // The font a control takes where its host gives none (a widget's
    // parent's).
    virtual QFont defaultFont() const = 0;
    // Whether the control takes mouse input; a widget keeps this as its
    // own enabled state.
    virtual bool isEnabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    // Shows the control's font as the surface's own, where it has one
    // (QWidget::font).
    virtual void showFont(const QFont &font) = 0;
    // An object that lives exactly as long as the surface: the control's
    // connections end with it, and a handler can tell from it that its host
    // ended the control.
    virtual QObject &lifetime() = 0;

protected:
    ~ControlSurface() = default;
    // The control shown on it, once made: the surface hands it its events.
    UserControl *control() const { return m_control; }

private:
    friend class UserControl;
    UserControl *m_control = nullptr;
};
