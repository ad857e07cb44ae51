#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

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
