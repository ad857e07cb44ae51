#include "menubarkeyboard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>

namespace {

class MenuBarKeyboard : public QObject
{
public:
    explicit MenuBarKeyboard(QObject *parent)
        : QObject(parent)
    {
        setObjectName(QStringLiteral("menuBarKeyboard"));
        connect(qApp, &QApplication::focusChanged, this, &MenuBarKeyboard::remember);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *menuBar = qobject_cast<QMenuBar *>(watched);
        if (menuBar && event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
            // Once the menu bar has handled the key.
            QTimer::singleShot(0, menuBar, [this, menuBar] {
                if (QApplication::focusWidget() == menuBar && !QApplication::activePopupWidget() && m_before
                    && m_before->window() == menuBar->window() && m_before->isVisible())
                    m_before->setFocus(Qt::MenuBarFocusReason);
            });
        }
        return false;
    }

private:
    // The control the keyboard leaves for a menu bar or its menus; and the
    // menu bar, whose keys are watched from then on.
    void remember(QWidget *old, QWidget *now)
    {
        const auto isMenu = [](QWidget *widget) {
            return qobject_cast<QMenuBar *>(widget) || qobject_cast<QMenu *>(widget);
        };
        if (now && isMenu(now) && old && !isMenu(old))
            m_before = old;
        if (qobject_cast<QMenuBar *>(now))
            now->installEventFilter(this);
    }

    QPointer<QWidget> m_before;
};

} // namespace

void giveKeyboardBackFromMenuBars()
{
    new MenuBarKeyboard(qApp);
}
