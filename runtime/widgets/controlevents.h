#pragma once

#include "handlerguard.h"

#include <functional>

class QPushButton;
class QWidget;

// Runs action whenever widget receives the keyboard focus: a control's
// GotFocus event.
void onGotFocus(QWidget *widget, std::function<void()> action);

template <typename Receiver>
void connectGotFocus(QWidget *widget, Receiver *receiver, void (Receiver::*handler)())
{
    onGotFocus(widget, guarded(receiver, handler));
}

// Makes button the window's default button: Enter presses it wherever the
// focus is, unless a command button that has the focus takes the key itself.
void setDefaultButton(QWidget *window, QPushButton *button);
