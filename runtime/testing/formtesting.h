#pragma once

#include "twips.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QRect>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <cmath>
#include <functional>
#include <memory>

// What the widget tests of every program share: a window made fresh for
// each test, its controls found by name, the twips layout checks, and the
// answering of real modal dialogs.

// A control's position and size within its container, in twips.
inline QRect twipsGeometry(const QWidget *widget)
{
    const QRect g = widget->geometry();
    return QRect(twipsFromPixels(g.x()), twipsFromPixels(g.y()), twipsFromPixels(g.width()),
                 twipsFromPixels(g.height()));
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

// Runs action on the next modal dialog as soon as it is open: the way tests
// answer the real message boxes, input boxes and colour dialogs. The watch
// ends after a few seconds without a dialog; a caller that knows none will
// come deletes the returned timer.
inline QPointer<QTimer> whenModalOpens(std::function<void(QWidget *)> action)
{
    auto *timer = new QTimer;
    timer->setInterval(5);
    const QDeadlineTimer deadline(5000);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action, deadline] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal || deadline.hasExpired()) {
            timer->stop();
            timer->deleteLater();
        }
        if (modal)
            action(modal);
    });
    timer->start();
    return timer;
}

// A program's Exit asks the event loop to quit; in a test process that
// request would make every later modal dialog return at once. Running the
// application loop once clears it, as its end always does.
inline void forgetQuitRequest()
{
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
}

// The base of a program window's test: the test makes m_window in init()
// and resets it in cleanup(), and reaches the window's controls by name.
template <typename Window>
class FormTest : public QObject
{
protected:
    // The control called name, or nullptr.
    template <typename T = QWidget>
    T *control(const QString &name) const
    {
        return m_window->template findChild<T *>(name);
    }

    // Shows the window and waits until it is active, with the focus where
    // the program put it.
    void showWindow()
    {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    // Checks that the control called name sits in container at twips.
    void verifyPlacement(const QString &name, const QString &container, const QRect &twips)
    {
        auto *widget = control(name);
        QVERIFY2(widget, qPrintable(name));
        QCOMPARE(widget->parentWidget()->objectName(), container);
        QCOMPARE(twipsGeometry(widget), twips);
    }

    std::unique_ptr<Window> m_window;
};
