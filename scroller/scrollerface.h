#pragma once

#include "controlsurface.h"

#include <QtGlobal>

class QRect;
class QString;

namespace Tovrell {

// What shows a Scroller and whom it tells: its widget for a Qt Widgets
// host, a windowless host's memory, a Qt Quick item. The engine
// (ScrollerPrivate) draws on it, and raises through it the control's
// events and news.
class ScrollerFace : public ControlSurface
{
public:
    virtual ~ScrollerFace() = default;

    // Places the control in its parent, in pixels.
    virtual void setGeometry(const QRect &bounds) = 0;
    // A property changed: the host's saved data is out of date.
    virtual void propertyChanged(const QString &name) = 0;
    // A value refused while initialising, loading or saving.
    virtual void errorRaised(int number, const QString &description) = 0;
    // The control's events, their arguments by reference.
    virtual void Click() = 0;
    virtual void DblClick() = 0;
    virtual void MouseDown(qint16 &Button, qint16 &Shift, float &X, float &Y) = 0;
    virtual void MouseMove(qint16 &Button, qint16 &Shift, float &X, float &Y) = 0;
    virtual void MouseUp(qint16 &Button, qint16 &Shift, float &X, float &Y) = 0;
    // News for screen readers: the caption as set, or whether it moves.
    virtual void captionChanged() { }
    virtual void scrollingChanged() { }
};

} // namespace Tovrell
