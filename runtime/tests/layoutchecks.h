#pragma once

#include "twips.h"

#include <QRect>
#include <QScreen>
#include <QWidget>

#include <cmath>

// A control's position and size within its container, in twips.
inline QRect twipsGeometry(const QWidget *widget)
{
    const QRect g = widget->geometry();
    return QRect(twipsFromPixels(g.x()), twipsFromPixels(g.y()), twipsFromPixels(g.width()), twipsFromPixels(g.height()));
}

// Whether a window's outer frame is centred on its screen, within the half
// pixel that placing on whole pixels rounds.
inline bool centredOnScreen(const QWidget *window)
{
    const QRect screen = window->screen()->geometry();
    const QRect outer = window->frameGeometry();
    const double left = (twipsFromPixels(screen.width()) - twipsFromPixels(outer.width())) / 2.0;
    const double top = (twipsFromPixels(screen.height()) - twipsFromPixels(outer.height())) / 2.0;
    return std::abs(twipsFromPixels(outer.left() - screen.left()) - left) <= twipsPerPixel / 2.0
        && std::abs(twipsFromPixels(outer.top() - screen.top()) - top) <= twipsPerPixel / 2.0;
}
