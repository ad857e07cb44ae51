#pragma once

#include "twips.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>
#include <QRect>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <cmath>
#include <functional>
#include <initializer_list>
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

// The first control of a shown window whose caption's ink reaches beyond
// the room its style gives the text, as "name: \"caption\" needs N px, has M", or an
// empty string.
inline QString clippedCaption(const QWidget *window)
{
    for (const QWidget *control : window->findChildren<QWidget *>()) {
        QRect room = control->contentsRect();
        QString caption;
        if (auto *label = qobject_cast<const QLabel *>(control)) {
            if (label->wordWrap())
                continue;
            caption = label->text();
        } else if (auto *button = qobject_cast<const QAbstractButton *>(control)) {
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = caption = button->text();
            const auto element = qobject_cast<const QCheckBox *>(button) ? QStyle::SE_CheckBoxContents
                : qobject_cast<const QRadioButton *>(button)             ? QStyle::SE_RadioButtonContents
                                                                         : QStyle::SE_PushButtonContents;
            room = button->style()->subElementRect(element, &option, button);
        }
        // The ink of the text from where it starts, rounded out to whole
        // pixels: a last pixel may be only partly covered.
        const int needs = control->fontMetrics().tightBoundingRect(QString(caption).remove(u'&')).right() + 1;
        if (needs > room.width() + 1)
            return QStringLiteral("%1: \"%2\" needs %3 px, has %4")
                .arg(control->objectName(), caption)
                .arg(needs)
                .arg(room.width());
    }
    return QString();
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

    // One row of a window's layout table: a control, its container and
    // its place there in twips.
    struct Placement
    {
        const char *name, *container;
        int left, top, width, height;
    };
    // The data of a layout test: a row for each control of the table,
    // which verifyPlacement checks.
    static void addPlacements(std::initializer_list<Placement> table)
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("container");
        QTest::addColumn<QRect>("twips");
        for (const Placement &row : table)
            QTest::newRow(row.name) << row.name << row.container << QRect(row.left, row.top, row.width, row.height);
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
