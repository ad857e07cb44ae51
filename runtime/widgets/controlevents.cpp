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
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::FocusIn)
            m_action();
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
