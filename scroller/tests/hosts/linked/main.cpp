// Places a Scroller and calls every public member of the class at least
// once, so that the build fails the moment a declared member is not
// exported; hears its property changes, saves it through a property bag of
// its own, loads a second one from it, lets it scroll, and checks each
// step. Exits 0 when all held.

#include <tovrell/scroller.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>

#include <cstdio>

namespace {

class MapBag : public Tovrell::PropertyBag
{
public:
    QVariantMap values;
    QStringList order;

    std::optional<QVariant> value(const QString &name) const override
    {
        return values.contains(name) ? std::optional<QVariant>(values.value(name)) : std::nullopt;
    }
    void store(const QString &name, const QVariant &value) override
    {
        order << name;
        values.insert(name, value);
    }
};

int fail(const char *what)
{
    std::fprintf(stderr, "linked host: %s\n", what);
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(500, 100);
    auto *banner = new Tovrell::Scroller(&window);
    banner->setAmbientUserMode(true);
    banner->setAmbientFont(QFont(QStringLiteral("Liberation Sans"), 10));
    if (!banner->ambientUserMode() || banner->ambientFont().pointSize() != 10)
        return fail("the ambient properties did not hold");
    if (banner->sizeHint() != QSize(408, 40) || banner->size() != banner->sizeHint())
        return fail("the design size is not 408 x 40");
    if (!banner->initProperties())
        return fail("initProperties failed");

    QStringList changes;
    QObject::connect(banner, &Tovrell::Scroller::propertyChanged, [&changes](const QString &name) { changes << name; });
    int clicks = 0;
    QObject::connect(banner, &Tovrell::Scroller::Click, [&clicks] { ++clicks; });
    QObject::connect(banner, &Tovrell::Scroller::DblClick, [&clicks] { ++clicks; });
    QObject::connect(banner, &Tovrell::Scroller::MouseDown, [](qint16 &, qint16 &, float &, float &) {});
    QObject::connect(banner, &Tovrell::Scroller::MouseMove, [](qint16 &, qint16 &, float &, float &) {});
    QObject::connect(banner, &Tovrell::Scroller::MouseUp, [](qint16 &, qint16 &, float &, float &) {});
    QObject::connect(banner, &Tovrell::Scroller::errorRaised, [](int, const QString &) {});

    banner->setCaption(42);
    banner->setBackColor(0x000000FF);
    banner->setForeColor(0x8000000F);
    banner->setEnabled(true);
    banner->setFont(QFont(QStringLiteral("Liberation Serif"), 12));
    banner->setBorderStyle(1);
    banner->setInterval(50);
    banner->Refresh();
    banner->RefreshCaption();
    banner->setBounds(QRect(10, 10, 300, 40));
    if (banner->BackColor() != 0x000000FF || banner->ForeColor() != 0x8000000F || !banner->Enabled()
        || banner->Font().family() != QStringLiteral("Liberation Serif") || banner->BorderStyle() != 1
        || banner->Interval() != 50 || banner->Caption() != QVariant(42))
        return fail("a property did not hold its value");
    try {
        banner->setInterval(70000);
        return fail("an interval of 70000 was taken");
    } catch (const Tovrell::Error &error) {
        if (error.number() != 380 || error.message().isEmpty())
            return fail("the refusal is not error 380 with a message");
    }
    const QStringList expected{"Caption", "BackColor", "ForeColor", "Enabled", "Font", "BorderStyle", "Interval"};
    if (changes != expected)
        return fail("propertyChanged did not report each change once, in order");

    MapBag bag;
    if (!banner->writeProperties(bag) || bag.values.value(QStringLiteral("Caption")) != QVariant(42))
        return fail("the caption was not saved as the number 42");
    auto *loaded = new Tovrell::Scroller(&window);
    if (!loaded->readProperties(bag) || loaded->Caption() != QVariant(42) || loaded->Interval() != 50)
        return fail("a second banner did not load what the first saved");

    window.show();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(banner, &press);
    QApplication::sendEvent(banner, &release);
    if (clicks != 1)
        return fail("a click did not reach the host");
    QTimer::singleShot(400, &app, &QCoreApplication::quit);
    app.exec();
    // Running, the caption is the text shown at that moment.
    if (banner->Caption().typeId() != QMetaType::QString || !banner->Caption().toString().contains(u'4'))
        return fail("the banner did not scroll");
    std::puts("linked host: ok");
    return 0;
}
