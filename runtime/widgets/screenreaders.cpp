#include "screenreaders.h"

#include "menubarkeyboard.h"
#include "textboxaccessible.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QApplication>
#include <QGroupBox>
#include <QRadioButton>
#include <QTimer>

#include <algorithm>

namespace {

// A program's window that is a plain QWidget is a window to screen
// readers too (AT-SPI "frame"), not a filler panel.
QAccessibleInterface *plainWindow(const QString &className, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (className == QLatin1String("QWidget") && widget && widget->isWindow())
        return new QAccessibleWidget(widget, QAccessible::Window);
    return nullptr;
}

// A frame that holds only option buttons is, to screen readers, the
// buttons' group and not a panel around them: the buttons are labelled by
// its title, which screen readers say with the button that takes the focus,
// and a panel's name would be said a second time before it.
class OptionGroupAccessible : public QAccessibleWidget
{
public:
    explicit OptionGroupAccessible(QGroupBox *box)
        : QAccessibleWidget(box, QAccessible::Section)
    { }

    QString text(QAccessible::Text t) const override
    {
        const QString text = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && text.isEmpty())
            return QString(static_cast<QGroupBox *>(widget())->title()).remove(u'&');
        return text;
    }
};

QAccessibleInterface *optionGroup(const QString &className, QObject *object)
{
    auto *box = qobject_cast<QGroupBox *>(object);
    if (className != QLatin1String("QGroupBox") || !box)
        return nullptr;
    const QList<QWidget *> children = box->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    const bool onlyOptions = !children.isEmpty() && std::all_of(children.begin(), children.end(), [](QWidget *child) {
        return qobject_cast<QRadioButton *>(child) != nullptr;
    });
    return onlyOptions ? new OptionGroupAccessible(box) : nullptr;
}

// Tells screen readers the current item of a list or other item view as the
// view takes the focus. Qt tells them only of the view, and they then say
// the list and how many items it has, but not the item the user is on.
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

} // namespace

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

void installScreenReaderSupport()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(plainWindow);
    QAccessible::installFactory(TextBoxAccessible::create);
    QAccessible::installFactory(Notice::create);
    QAccessible::installFactory(optionGroup);
    tellCurrentItemOnFocus();
    giveKeyboardBackFromMenuBars();
}

void tellScreenReaders(QWidget *window, const QString &news)
{
    auto *notice = window->findChild<Notice *>(QString(), Qt::FindDirectChildrenOnly);
    if (!notice)
        notice = new Notice(window);
    notice->say(news);
}
