#include "scrolleraccessible.h"

#include "scrollerprivate.h"

#include <QAccessibleWidget>

namespace Tovrell {

namespace {

class ScrollerAccessible final : public QAccessibleWidget
{
public:
    explicit ScrollerAccessible(Scroller *scroller)
        : QAccessibleWidget(scroller, QAccessible::StaticText)
    { }

    QString text(QAccessible::Text t) const override
    {
        const bool named = !widget()->accessibleName().isEmpty();
        if (t == QAccessible::Name && !named)
            return caption();
        if (t == QAccessible::Description && named && widget()->accessibleDescription().isEmpty())
            return caption();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.animated = engine().scrolling();
        state.focusable = false;
        return state;
    }

private:
    ScrollerPrivate &engine() const { return ScrollerPrivate::of(*static_cast<Scroller *>(widget())); }
    QString caption() const { return engine().captionAsSet(); }
};

QAccessibleInterface *scrollerInterface(const QString &className, QObject *object)
{
    if (className == QLatin1String("Tovrell::Scroller"))
        return new ScrollerAccessible(static_cast<Scroller *>(object));
    return nullptr;
}

// Made after the factory is installed, so that it ends before Qt's list of
// factories at exit, and with the library where the library is unloaded.
struct FactoryRemoval
{
    ~FactoryRemoval() { QAccessible::removeFactory(scrollerInterface); }
};

} // namespace

void makeReadableToScreenReaders(Scroller &)
{
    static const bool installed = [] {
        QAccessible::installFactory(scrollerInterface);
        static FactoryRemoval removal;
        return true;
    }();
    Q_UNUSED(installed);
}

void tellCaptionChanged(Scroller &scroller)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(
        &scroller, scroller.accessibleName().isEmpty() ? QAccessible::NameChanged : QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

void tellScrollingChanged(Scroller &scroller)
{
    if (!QAccessible::isActive())
        return;
    QAccessible::State changed;
    changed.animated = true;
    QAccessibleStateChangeEvent event(&scroller, changed);
    QAccessible::updateAccessibility(&event);
}

} // namespace Tovrell
