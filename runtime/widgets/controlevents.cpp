#include "controlevents.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace {

class FocusWatcher : public QObject
{
public:
    FocusWatcher(QWidget *widget, std::function<void()> action)
        : QObject(widget)
        , m_action(std::move(action))
    {
        widget->installEventFilter(this);
    }

protected:
    // Screen readers must hear of the focus before anything the handler
    // changes in the control: Orca takes a control whose caret moves as
    // focused without saying so, and then passes over the focus event that
    // Qt sends once the focus has moved. So a focus that the keyboard or a
    // window's activation brings runs the handler just after. A click runs
    // it at once, before the click places the caret.
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::FocusIn)
            return false;
        if (static_cast<QFocusEvent *>(event)->reason() == Qt::MouseFocusReason)
            m_action();
        else
            QMetaObject::invokeMethod(this, m_action, Qt::QueuedConnection);
        return false;
    }

private:
    std::function<void()> m_action;
};

// Sees the Enter keys that reach the window unhandled: no control below
// took them.
class DefaultButton : public QObject
{
public:
    DefaultButton(QWidget *window, QPushButton *button)
        : QObject(window)
        , m_window(window)
        , m_button(button)
    {
        button->setDefault(true);
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_window || event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        m_button->click();
        return true;
    }

private:
    QWidget *m_window;
    QPushButton *m_button;
};

} // namespace

void onGotFocus(QWidget *widget, std::function<void()> action)
{
    new FocusWatcher(widget, std::move(action));
}

void setDefaultButton(QWidget *window, QPushButton *button)
{
    new DefaultButton(window, button);
}
