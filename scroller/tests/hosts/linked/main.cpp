// Places a Scroller, hears its property changes, saves it through a
// property bag of its own, lets it scroll, and checks each step. Exits 0
// when all held.

#include <tovrell/scroller.h>

#include <QApplication>
#include <QTimer>

#include <cstdio>

namespace {

class MapBag : public PropertyBag
{
public:
    QVariantMap values;

protected:
    std::optional<QVariant> value(const QString &name) const override
    {
        return values.contains(name) ? std::optional<QVariant>(values.value(name)) : std::nullopt;
    }
    void store(const QString &name, const QVariant &value) override { values.insert(name, value); }
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
    auto *banner = new Tovrell::Scroller(&window);
    banner->setAmbientUserMode(true);
    banner->setAmbientFont(window.font());
    if (!banner->initProperties())
        return fail("initProperties failed");

    QStringList changes;
    QObject::connect(banner, &Tovrell::Scroller::propertyChanged, [&changes](const QString &name) { changes << name; });
    banner->setCaption(42);
    try {
        banner->setInterval(70000);
        return fail("an interval of 70000 was taken");
    } catch (const RuntimeError &error) {
        if (error.number() != 380)
            return fail("the refusal is not error 380");
    }
    if (changes != QStringList{QStringLiteral("Caption")})
        return fail("propertyChanged did not report exactly the caption");

    MapBag bag;
    if (!banner->writeProperties(bag) || bag.values.value(QStringLiteral("Caption")) != QVariant(42))
        return fail("the caption was not saved as the number 42");

    window.show();
    QTimer::singleShot(400, &app, &QCoreApplication::quit);
    app.exec();
    // Running, the caption is the text shown at that moment.
    if (banner->Caption().typeId() != QMetaType::QString || !banner->Caption().toString().contains(u'4'))
        return fail("the banner did not scroll");
    std::puts("linked host: ok");
    return 0;
}
