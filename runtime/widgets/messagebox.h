#pragma once

#include <QString>

class QWidget;

// The message box: prompt, style and title. The style adds a button set
// (0 OK, 1 OK/Cancel, 2 Abort/Retry/Ignore, 3 Yes/No/Cancel, 4 Yes/No,
// 5 Retry/Cancel), an icon (16 critical, 32 question, 48 exclamation,
// 64 information) and a default button (0 first, 256 second, 512 third).
// Modal over the active window; returns the button pressed: 1 OK, 2 Cancel,
// 3 Abort, 4 Retry, 5 Ignore, 6 Yes, 7 No. An empty title shows the
// application's name.
int MsgBox(const QString &prompt, int style = 0, const QString &title = {});

// The input box: prompt, title and starting text. Modal over the active
// window; returns the text typed, or the empty string on Cancel.
QString InputBox(const QString &prompt, const QString &title = {}, const QString &text = {});

// Gives the activation back to the window a box or dialog was opened over.
// A window manager does that when the box closes, but where none runs (a
// kiosk, a bare X server) keys would go nowhere.
void reactivate(QWidget *window);
