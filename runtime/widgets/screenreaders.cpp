#include "screenreaders.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QApplication>
#include <QTimer>

Notice::Notice(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("notice"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(0, 0);
    hide();
    window()->installEventFilter(this);
}

void Notice::say(const QString &news)
{
    // Hidden and shown again, so that the same news twice is said twice.
    hide();
    setAccessibleName(news);
    if (!news.isEmpty() && window()->isActiveWindow())
        show();
}

// News kept hidden: said while the window was not active.
bool Notice::waiting() const
{
    return isHidden() && !accessibleName().isEmpty();
}

bool Notice::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == window() && event->type() == QEvent::WindowActivate && waiting()) {
        // After the window has told where its focus is.
        QTimer::singleShot(0, this, [this] {
            if (waiting())
                show();
        });
    }
    return QWidget::eventFilter(watched, event);
}

QAccessibleInterface *Notice::create(const QString &className, QObject *object)
{
    if (className == QLatin1String("Notice"))
        return new QAccessibleWidget(static_cast<Notice *>(object), QAccessible::Notification);
    return nullptr;
}

void renewForScreenReaders(QWidget *widget)
{
    QList<QWidget *> widgets = widget->findChildren<QWidget *>();
    widgets.prepend(widget);
    for (QWidget *each : widgets) {
        QAccessibleEvent removed(each, QAccessible::ObjectDestroyed);
        QAccessible::updateAccessibility(&removed);
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(QAccessible::queryAccessibleInterface(each)));
        QAccessibleEvent added(each, QAccessible::ObjectCreated);
        QAccessible::updateAccessibility(&added);
    }
}

void tellCurrentItemOnFocus()
{
    QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget *, QWidget *now) {
        auto *view = qobject_cast<QAbstractItemView *>(now);
        if (!view)
            return;
        // After Qt has told of the view itself, which it does once the focus
        // has moved.
        QTimer::singleShot(0, view, [view] {
            const QModelIndex current = view->currentIndex();
            if (!current.isValid() || !view->hasFocus())
                return;
            QAccessibleEvent focus(view, QAccessible::Focus);
            focus.setChild(current.row());
            QAccessible::updateAccessibility(&focus);
        });
    });
}
