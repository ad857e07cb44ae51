#pragma once

#include <QCoreApplication>
#include <QTimer>

// A program's Exit asks the event loop to quit; in a test process that
// request would make every later modal dialog return at once. Running the
// application loop once clears it, as its end always does.
inline void forgetQuitRequest()
{
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
}
