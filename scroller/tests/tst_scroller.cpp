#include "pixels.h"
#include "scrollerprivate.h"
#include "windowlessface.h"
#ifdef WITH_QUICK_FACE
#include "quickscroller.h"
#endif

#include <QAccessible>
#include <QDateTime>
#include <QFontMetricsF>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <memory>

using Tovrell::Scroller;
using Tovrell::ScrollerPrivate;

namespace {

// A host's store: values by name, in the order of writing.
class Bag final : public Tovrell::PropertyBag
{
public:
    std::optional<QVariant> value(const QString &name) const override
    {
        return m_values.contains(name) ? std::optional<QVariant>(m_values.value(name)) : std::nullopt;
    }
    void store(const QString &name, const QVariant &value) override
    {
        if (!m_values.contains(name))
            m_keys << name;
        m_values.insert(name, value);
    }
    QStringList keys() const { return m_keys; }
    QVariantMap values() const { return m_values; }

private:
    QStringList m_keys;
    QVariantMap m_values;
};

// The rotation of text at position (1-based, in characters) as a tick
// builds it: from that character to the end, then up to it again.
QString rotationOf(const QString &text, qsizetype position)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    for (qsizetype i = 1; i < position; ++i)
        start = finder.toNextBoundary();
    const qsizetype end = finder.toNextBoundary();
    return text.mid(start) + text.left(end);
}

// What the control drew when each tick printed the whole rotation on its
// own image, cut at a character boundary after four characters a pixel.
QImage drawnOnItsOwn(const QSize &size, const QColor &back, const QColor &fore, const QFont &font, QString text)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(back);
    if (text.size() > size.width() * 4 + 64) {
        QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
        finder.setPosition(size.width() * 4 + 64);
        text.truncate(finder.isAtBoundary() ? finder.position() : finder.toPreviousBoundary());
    }
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(fore);
    painter.drawText(QPointF(0, QFontMetricsF(font).ascent()), text);
    return image;
}

// A font of value points, or of -value pixels.
QFont fontOf(qint64 value)
{
    QFont font(QStringLiteral("Liberation Sans"));
    if (value < 0)
        font.setPixelSize(int(-value));
    else
        font.setPointSize(int(value));
    return font;
}

} // namespace

class TestScroller : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void newInstance();
    void newInstanceSavesBothColoursOnly();
    void emptySavedDataLoadsTheDefaults();
    void roundTrip_data();
    void roundTrip();
    void wrongSavedDataStopsWithAnError_data();
    void wrongSavedDataStopsWithAnError();
    void everyPropertyGoesThroughItsRow_data();
    void everyPropertyGoesThroughItsRow();
    void propertiesRepaintThenNotify_data();
    void propertiesRepaintThenNotify();
    void fontIsHeldByReference();
    void refusedValues_data();
    void refusedValues();
    void fixedPitchSequence();
    void proportionalFontAdvancesSeveral();
    void emptyCaptionShowsNothing();
    void designModeNeverScrolls();
    void newCaptionScrollsFromTheNextTick();
    void graphemesAreNeverSplit_data();
    void graphemesAreNeverSplit();
    void everyFaceDrawsWhatATickBuilds_data();
    void everyFaceDrawsWhatATickBuilds();
    void resizeGrowsAndShrinks();
    void enabledFalseKeepsScrollingWithoutMouseEvents();
    void hiddenItMovesOnAndShowsWhereItIs();
    void screenReadersReadTheCaptionAsSet();
    void mouseEvents();
#ifdef WITH_QUICK_FACE
    void quickPointerStandingStillMovesNothing();
#endif
    void intervalDrivesTheTimer();
    void badInput_data();
    void badInput();

private:
    Scroller *make(bool userMode = true);
    ScrollerPrivate &engine() const
    {
        return ScrollerPrivate::of(*scroller);
    }
    void tick()
    {
        engine().Timer1_Timer();
    }
    QString shown() const
    {
        return scroller->Caption().toString();
    }

    std::unique_ptr<QWidget> host;
    Scroller *scroller = nullptr;
};

void TestScroller::init()
{
    host = std::make_unique<QWidget>();
    host->resize(600, 200);
}

void TestScroller::cleanup()
{
    host.reset();
    scroller = nullptr;
}

Scroller *TestScroller::make(bool userMode)
{
    scroller = new Scroller(host.get());
    scroller->setAmbientUserMode(userMode);
    scroller->setAmbientFont(QFont(QStringLiteral("Liberation Sans"), 10));
    // Shown, so that every resize reaches the control at once.
    host->show();
    scroller->show();
    return scroller;
}

void TestScroller::newInstance()
{
    make();
    QCOMPARE(scroller->size(), QSize(6120 / 15, 600 / 15));
    QSignalSpy changes(scroller, &Scroller::propertyChanged);
    QVERIFY(scroller->initProperties());
    QCOMPARE(scroller->BackColor(), 0x00FFFF00u);
    QCOMPARE(scroller->ForeColor(), 0x00000000u);
    QCOMPARE(scroller->Caption(), QVariant(QStringLiteral("Scroller")));
    QCOMPARE(scroller->Font(), QFont(QStringLiteral("Liberation Sans"), 10));
    QCOMPARE(scroller->Interval(), 100);
    QVERIFY(scroller->Enabled());
    QCOMPARE(scroller->BorderStyle(), 0);
    QStringList names;
    for (const auto &change : changes)
        names << change.at(0).toString();
    QCOMPARE(names, (QStringList{"BackColor", "ForeColor", "Font"}));
}

void TestScroller::newInstanceSavesBothColoursOnly()
{
    make();
    QVERIFY(scroller->initProperties());
    Bag bag;
    QVERIFY(scroller->writeProperties(bag));
    QCOMPARE(bag.keys(), (QStringList{"BackColor", "ForeColor"}));
    QCOMPARE(bag.values().value(QStringLiteral("BackColor")), QVariant(qint32(0x00FFFF00)));
}

void TestScroller::emptySavedDataLoadsTheDefaults()
{
    make();
    Bag empty;
    QSignalSpy changes(scroller, &Scroller::propertyChanged);
    QVERIFY(scroller->readProperties(empty));
    QCOMPARE(scroller->BackColor(), 0x8000000Fu);
    QCOMPARE(scroller->ForeColor(), 0x80000012u);
    QVERIFY(scroller->Enabled());
    QCOMPARE(scroller->Font(), QFont(QStringLiteral("Liberation Sans"), 10));
    QCOMPARE(scroller->BorderStyle(), 0);
    QCOMPARE(scroller->Interval(), 100);
    QCOMPARE(scroller->Caption(), QVariant(QStringLiteral("Scroller")));
    // Only the font goes through its property procedure.
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes.front().front().toString(), QStringLiteral("Font"));
}

void TestScroller::roundTrip_data()
{
    QTest::addColumn<QVariant>("caption");
    QTest::newRow("text") << QVariant(QStringLiteral("Hello"));
    QTest::newRow("a number stays a number") << QVariant(42);
    QTest::newRow("a fraction") << QVariant(2.5);
    QTest::newRow("a Boolean") << QVariant(true);
    QTest::newRow("Null") << QVariant();
}

void TestScroller::roundTrip()
{
    QFETCH(QVariant, caption);
    make();
    QVERIFY(scroller->initProperties());
    scroller->setCaption(caption);
    scroller->setBorderStyle(1);
    scroller->setInterval(250);
    scroller->setEnabled(false);
    QFont bold = scroller->Font();
    bold.setBold(true);
    scroller->setFont(bold);
    Bag bag;
    QVERIFY(scroller->writeProperties(bag));
    QCOMPARE(bag.keys(),
             (QStringList{"BackColor", "ForeColor", "Enabled", "Font", "BorderStyle", "Interval", "Caption"}));

    auto *loaded = new Scroller(host.get());
    loaded->setAmbientFont(QFont(QStringLiteral("Liberation Sans"), 10));
    QVERIFY(loaded->readProperties(bag));
    QCOMPARE(loaded->Caption(), caption);
    QCOMPARE(loaded->Caption().typeId(), caption.typeId());
    QCOMPARE(loaded->BorderStyle(), 1);
    QCOMPARE(loaded->Interval(), 250);
    QVERIFY(!loaded->Enabled());
    QVERIFY(loaded->Font().bold());
    QCOMPARE(loaded->BackColor(), 0x00FFFF00u);
}

void TestScroller::wrongSavedDataStopsWithAnError_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("error");

    QTest::newRow("a Font that is not a font") << "Font" << QVariant(QStringLiteral("Arial")) << 13;
    QTest::newRow("a BorderStyle the surface refuses") << "BorderStyle" << QVariant(7) << 380;
    QTest::newRow("a BorderStyle beyond 16 bits") << "BorderStyle" << QVariant(70000) << 6;
    QTest::newRow("an Interval out of range") << "Interval" << QVariant(100000) << 380;
    QTest::newRow("an Interval that is text") << "Interval" << QVariant(QStringLiteral("fast")) << 13;
    QTest::newRow("a BackColor that is no colour") << "BackColor" << QVariant(qint32(0x12345678)) << 380;
    QTest::newRow("an Enabled that is a picture") << "Enabled" << QVariant(QStringList{"x"}) << 13;
    QTest::newRow("a Font of 5000 points") << "Font" << QVariant(QFont(QStringLiteral("Liberation Sans"), 5000)) << 380;
    QFont pixels(QStringLiteral("Liberation Sans"));
    pixels.setPixelSize(20);
    QTest::newRow("a Font sized in pixels") << "Font" << QVariant(pixels) << 380;
    QTest::newRow("a Caption that is a date") << "Caption" << QVariant(QDateTime::currentDateTime()) << 13;
}

void TestScroller::wrongSavedDataStopsWithAnError()
{
    QFETCH(QString, key);
    QFETCH(QVariant, value);
    QFETCH(int, error);

    make();
    Bag saved;
    saved.store(QStringLiteral("ForeColor"), qint32(0x000000FF));
    saved.store(QStringLiteral("Caption"), QStringLiteral("never read"));
    saved.store(key, value);
    QSignalSpy errors(scroller, &Scroller::errorRaised);
    QVERIFY(!scroller->readProperties(saved));
    QCOMPARE(errors.size(), 1);
    QCOMPARE(errors.front().front().toInt(), error);
    // The steps before the bad value were applied; the caption, read last,
    // was not.
    if (key != u"BackColor")
        QCOMPARE(scroller->ForeColor(), 0x000000FFu);
    QVERIFY(scroller->Caption() != QVariant(QStringLiteral("never read")));
}

void TestScroller::everyPropertyGoesThroughItsRow_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QVariant>("sample");
    QTest::newRow("BackColor") << int(DISPID_SCROLLER_BACKCOLOR) << QVariant(qint32(0x000000FF));
    QTest::newRow("ForeColor") << int(DISPID_SCROLLER_FORECOLOR) << QVariant(qint32(0x0000FF00));
    QTest::newRow("Enabled") << int(DISPID_SCROLLER_ENABLED) << QVariant(false);
    QTest::newRow("Font") << int(DISPID_SCROLLER_FONT) << QVariant(QFont(QStringLiteral("Liberation Mono"), 14));
    QTest::newRow("BorderStyle") << int(DISPID_SCROLLER_BORDERSTYLE) << QVariant::fromValue(qint16(1));
    QTest::newRow("Interval") << int(DISPID_SCROLLER_INTERVAL) << QVariant(250);
    QTest::newRow("Caption") << int(DISPID_SCROLLER_CAPTION) << QVariant(42);
}

// Each row of the property table: a member of _Scroller, let and read back,
// reported by its name, saved under it and loaded back, and read from saved
// data without it as its default.
void TestScroller::everyPropertyGoesThroughItsRow()
{
    QFETCH(int, id);
    QFETCH(QVariant, sample);
    const ScrollerPrivate::Property &row = ScrollerPrivate::property(id);
    QCOMPARE(row.id, id);
    QVERIFY(row.get && row.store && row.savedDefault);
    QVERIFY(
        std::any_of(std::begin(ScrollerMembers::members), std::end(ScrollerMembers::members), [&](const auto &member) {
            return member.id == id && member.name == std::u16string_view(row.name);
        }));

    make();
    QVERIFY(scroller->initProperties());
    if (row.placed)
        QCOMPARE(engine().get(id), row.placed(engine()));
    QSignalSpy changes(scroller, &Scroller::propertyChanged);
    engine().let(id, sample);
    QCOMPARE(engine().get(id), sample);
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes.front().front().toString(), QString::fromUtf16(row.name));

    Bag saved;
    QVERIFY(scroller->writeProperties(saved));
    QCOMPARE(saved.values().value(QString::fromUtf16(row.name)), sample);
    Scroller loaded;
    QVERIFY(loaded.readProperties(saved));
    QCOMPARE(ScrollerPrivate::of(loaded).get(id), sample);
    Bag empty;
    QVERIFY(loaded.readProperties(empty));
    QCOMPARE(ScrollerPrivate::of(loaded).get(id), row.savedDefault(ScrollerPrivate::of(loaded)));
}

void TestScroller::propertiesRepaintThenNotify_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<bool>("repaints");

    QTest::newRow("BackColor") << "BackColor" << true;
    QTest::newRow("ForeColor") << "ForeColor" << true;
    QTest::newRow("Enabled") << "Enabled" << true;
    QTest::newRow("BorderStyle") << "BorderStyle" << true;
    QTest::newRow("Caption") << "Caption" << true;
    QTest::newRow("Font") << "Font" << false;
    QTest::newRow("Interval") << "Interval" << false;
    // Qt's own paths to the widget are the same path.
    QTest::newRow("QWidget::setEnabled") << "QWidget::setEnabled" << true;
    QTest::newRow("QWidget::setFont") << "QWidget::setFont" << false;
    QTest::newRow("a style sheet's font") << "styleSheet" << false;
}

void TestScroller::propertiesRepaintThenNotify()
{
    QFETCH(QString, property);
    QFETCH(bool, repaints);

    make(false);
    QVERIFY(scroller->initProperties());
    scroller->setCaption(QStringLiteral("Before"));
    host->show();
    QVERIFY(QTest::qWaitForWindowExposed(host.get()));
    const QImage before = scroller->grab().toImage();

    QImage atNotification;
    connect(scroller, &Scroller::propertyChanged, this, [&] { atNotification = scroller->grab().toImage(); });
    if (property == u"BackColor")
        scroller->setBackColor(0x000000FF);
    else if (property == u"ForeColor")
        scroller->setForeColor(0x0000FF00);
    else if (property == u"Enabled")
        scroller->setEnabled(false);
    else if (property == u"BorderStyle")
        scroller->setBorderStyle(1);
    else if (property == u"Caption")
        scroller->setCaption(QStringLiteral("After"));
    else if (property == u"Font")
        scroller->setFont(QFont(QStringLiteral("Liberation Mono"), 20));
    else if (property == u"QWidget::setEnabled")
        static_cast<QWidget *>(scroller)->setEnabled(false);
    else if (property == u"QWidget::setFont")
        static_cast<QWidget *>(scroller)->setFont(QFont(QStringLiteral("Liberation Mono"), 20));
    else if (property == u"styleSheet")
        scroller->setStyleSheet(QStringLiteral("* { font: 20pt \"Liberation Mono\" }"));
    else
        scroller->setInterval(500);
    QVERIFY(!atNotification.isNull());
    if (!property.contains(u"Enabled"))
        QCOMPARE(atNotification != before, repaints);
    if (property.contains(u"Font") || property == u"styleSheet")
        QCOMPARE(scroller->Font(), QFont(QStringLiteral("Liberation Mono"), 20));
    if (property.contains(u"Enabled"))
        QVERIFY(!scroller->Enabled());
}

void TestScroller::fontIsHeldByReference()
{
    make(false);
    QVERIFY(scroller->initProperties());
    host->show();
    QVERIFY(QTest::qWaitForWindowExposed(host.get()));
    scroller->RefreshCaption();
    const QImage before = scroller->grab().toImage();
    std::shared_ptr<FontObject> font = engine().Font();
    font->setSize(20.0f);
    QCOMPARE(scroller->Font().pointSizeF(), 20.0);
    QCOMPARE(scroller->grab().toImage(), before); // no repaint yet
    scroller->RefreshCaption();
    QVERIFY(scroller->grab().toImage() != before);
}

void TestScroller::refusedValues_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<qint64>("value");
    QTest::addColumn<int>("error");
    QTest::newRow("BorderStyle 2") << "BorderStyle" << qint64(2) << 380;
    QTest::newRow("BorderStyle -1") << "BorderStyle" << qint64(-1) << 380;
    QTest::newRow("Interval -1") << "Interval" << qint64(-1) << 380;
    QTest::newRow("Interval 65536") << "Interval" << qint64(65536) << 380;
    QTest::newRow("BackColor 0x01000000") << "BackColor" << qint64(0x01000000) << 380;
    QTest::newRow("ForeColor system 0x800000FF") << "ForeColor" << qint64(0x800000FF) << 380;
    QTest::newRow("Font sized in pixels") << "Font" << qint64(-12) << 380;
    QTest::newRow("Font of 4096 points") << "Font" << qint64(4096) << 380;
    // What the component's SetAmbient, SetBounds and Caption refuse.
    QTest::newRow("ambient Font of 4000 points") << "ambientFont" << qint64(4000) << 380;
    QTest::newRow("ambient Font sized in pixels") << "ambientFont" << qint64(-12) << 380;
    QTest::newRow("bounds of a negative width") << "bounds" << qint64(-5) << 380;
    QTest::newRow("Caption that is a date") << "Caption" << qint64(0) << 13;
}

void TestScroller::refusedValues()
{
    QFETCH(QString, property);
    QFETCH(qint64, value);
    QFETCH(int, error);
    make();
    QVERIFY(scroller->initProperties());
    const QFont ambient = scroller->ambientFont();
    const QRect bounds = scroller->geometry();
    QSignalSpy changes(scroller, &Scroller::propertyChanged);
    try {
        if (property == u"BorderStyle")
            scroller->setBorderStyle(qint16(value));
        else if (property == u"Interval")
            scroller->setInterval(qint32(value));
        else if (property == u"BackColor")
            scroller->setBackColor(quint32(value));
        else if (property == u"Font")
            scroller->setFont(fontOf(value));
        else if (property == u"ambientFont")
            scroller->setAmbientFont(fontOf(value));
        else if (property == u"bounds")
            scroller->setBounds(QRect(0, 0, int(value), 40));
        else if (property == u"Caption")
            scroller->setCaption(QDateTime::currentDateTime());
        else
            scroller->setForeColor(quint32(value));
        QFAIL("accepted");
    } catch (const Tovrell::Error &refusal) {
        QCOMPARE(refusal.number(), error);
    }
    QCOMPARE(changes.size(), 0);
    QCOMPARE(scroller->ambientFont(), ambient);
    QCOMPARE(scroller->geometry(), bounds);
}

void TestScroller::fixedPitchSequence()
{
    make();
    QVERIFY(scroller->initProperties());
    scroller->setFont(QFont(QStringLiteral("Liberation Mono"), 10));
    scroller->resize(1, scroller->height());
    scroller->setCaption(QStringLiteral("ABC"));
    const QStringList expected = {"BC   AB", "C   ABC", "   ABC ", "  ABC  ",
                                  " ABC   ", "ABC   A", "BC   AB", "C   ABC"};
    QStringList seen;
    for (int i = 0; i < expected.size(); ++i) {
        tick();
        seen << shown();
    }
    QCOMPARE(seen, expected);
}

void TestScroller::proportionalFontAdvancesSeveral()
{
    make();
    QVERIFY(scroller->initProperties());
    scroller->setFont(QFont(QStringLiteral("Liberation Sans"), 10));
    scroller->resize(1, scroller->height());
    scroller->setCaption(QStringLiteral("iiiiiiWW"));
    tick();
    // "i" is much narrower than "W": the first tick skips several.
    QVERIFY2(engine().scrollPosition() > 2, qPrintable(QString::number(engine().scrollPosition())));
    QVERIFY(shown().startsWith(u'i'));
}

void TestScroller::emptyCaptionShowsNothing()
{
    make();
    QVERIFY(scroller->initProperties());
    scroller->setCaption(QString());
    for (int i = 0; i < 5; ++i) {
        tick();
        QVERIFY(shown().trimmed().isEmpty());
    }
    QVERIFY(engine().TextWidth(engine().scrollText()) >= 2 * engine().ScaleWidth());

    // Zero width as well: nothing to show, and no division by zero.
    auto *narrow = make();
    QVERIFY(narrow->initProperties());
    narrow->resize(0, narrow->height());
    narrow->setCaption(QString());
    tick();
    tick();
    QVERIFY(shown().isEmpty());
}

void TestScroller::designModeNeverScrolls()
{
    make(false);
    QVERIFY(scroller->initProperties());
    for (int i = 0; i < 5; ++i)
        tick();
    QCOMPARE(scroller->Caption(), QVariant(QStringLiteral("Scroller")));
    QVERIFY(engine().scrollText().isEmpty());
}

void TestScroller::newCaptionScrollsFromTheNextTick()
{
    make();
    QVERIFY(scroller->initProperties());
    scroller->setFont(QFont(QStringLiteral("Liberation Mono"), 10));
    scroller->resize(1, scroller->height());
    scroller->setCaption(QStringLiteral("ABC"));
    tick();
    tick();
    scroller->setCaption(QStringLiteral("XYZ"));
    QCOMPARE(shown(), QStringLiteral("XYZ"));
    tick();
    QCOMPARE(shown(), QStringLiteral("YZ   XY"));
}

void TestScroller::graphemesAreNeverSplit_data()
{
    QTest::addColumn<QString>("caption");
    QTest::newRow("combining marks") << QString::fromUtf8("e\u0301a\u0308o\u0302");
    QTest::newRow("surrogate pairs") << QString::fromUtf8("\U0001F600x\U0001F680");
    QTest::newRow("emoji sequence") << QString::fromUtf8("\U0001F468\u200D\U0001F469\u200D\U0001F467 family");
    QTest::newRow("right to left") << QString::fromUtf8("שלום עולם");
}

void TestScroller::graphemesAreNeverSplit()
{
    QFETCH(QString, caption);
    make();
    QVERIFY(scroller->initProperties());
    scroller->resize(10, scroller->height());
    scroller->setCaption(caption);
    for (int i = 0; i < 60; ++i) {
        tick();
        const QString text = shown();
        QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
        finder.setPosition(1);
        QVERIFY2(!text.front().isLowSurrogate() && text.front().category() != QChar::Mark_NonSpacing, qPrintable(text));
        QVERIFY2(!text.back().isHighSurrogate() && text.back() != QChar(0x200D), qPrintable(text));
    }
}

// A Scroller on one of its faces, as its host sees it: its engine, and its
// pixels as the face shows them.
class Face
{
public:
    virtual ~Face() = default;
    virtual ScrollerPrivate &engine() = 0;
    virtual QImage pixels() = 0;
};

class WidgetFace final : public Face
{
public:
    WidgetFace()
    {
        host.resize(2000, 400);
        scroller = new Scroller(&host);
        host.show();
    }
    ScrollerPrivate &engine() override { return ScrollerPrivate::of(*scroller); }
    QImage pixels() override { return scroller->grab().toImage(); }

private:
    QWidget host;
    Scroller *scroller;
};

class WindowlessFace final : public Face
{
public:
    WindowlessFace()
        : face(new Tovrell::WindowlessFace)
        , scroller(std::unique_ptr<Tovrell::WindowlessFace>(face))
    { }
    ScrollerPrivate &engine() override { return scroller; }
    QImage pixels() override
    {
        QImage image(face->size(), QImage::Format_ARGB32_Premultiplied);
        face->draw(image, image.rect());
        return image;
    }

private:
    Tovrell::WindowlessFace *face;
    ScrollerPrivate scroller;
};

#ifdef WITH_QUICK_FACE
class QuickFace final : public Face
{
public:
    QuickFace() { scroller.setSize(QSizeF(408, 40)); }
    ScrollerPrivate &engine() override { return scroller.engine(); }
    QImage pixels() override { return scroller.image(); }

private:
    QuickScroller scroller;
};
#endif

// Every face draws, tick by tick, the rotation the tick built, as a line
// drawn on its own: the same engine, the same pixels.
void TestScroller::everyFaceDrawsWhatATickBuilds_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("family");

#ifdef WITH_QUICK_FACE
    const auto faces = {"widget", "windowless", "quick"};
#else
    const auto faces = {"widget", "windowless"};
#endif
    for (const char *face : faces) {
        QTest::addRow("%s, default size", face) << face << QSize(408, 40) << "Liberation Sans";
        QTest::addRow("%s, glyphs Qt draws from outlines", face) << face << QSize(1600, 120) << "Liberation Serif";
    }
}

void TestScroller::everyFaceDrawsWhatATickBuilds()
{
    QFETCH(QString, face);
    QFETCH(QSize, size);
    QFETCH(QString, family);

    std::unique_ptr<Face> shown;
    if (face == u"widget")
        shown = std::make_unique<WidgetFace>();
    else if (face == u"windowless")
        shown = std::make_unique<WindowlessFace>();
#ifdef WITH_QUICK_FACE
    else
        shown = std::make_unique<QuickFace>();
#endif
    ScrollerPrivate &s = shown->engine();
    s.setAmbientFont(QFont(QStringLiteral("Liberation Sans"), 10));
    QVERIFY(s.initProperties());
    s.let(ScrollerMembers::Font, QFont(family, 10));
    s.setBounds(0, 0, size.width(), size.height());
    s.let(ScrollerMembers::Caption, QStringLiteral("The office's fifty flags: AVAWAY, Wave To. 0123456789!"));
    for (int step = 0; step < 12; ++step) {
        s.Timer1_Timer();
        const QString rotation = rotationOf(s.scrollText(), s.scrollPosition());
        QCOMPARE(s.Caption().toString(), rotation);
        const QImage expected = drawnOnItsOwn(size, QColor(0, 255, 255), Qt::black, s.Font()->font(), rotation);
        QCOMPARE(pixelsApart(shown->pixels(), expected), 0);
    }
}

void TestScroller::resizeGrowsAndShrinks()
{
    make();
    QVERIFY(scroller->initProperties());
    const QString A = QStringLiteral("A");
    scroller->resize(300, 60);
    const float H = engine().ScaleHeight();
    // Grown to the first size whose "A" is taller than the control.
    QVERIFY(engine().TextHeight(A) > H);
    const float grown = engine().FontSize();
    engine().setFontSize(grown - 0.25f);
    QVERIFY(engine().TextHeight(A) <= H);
    engine().setFontSize(grown);

    // A second resize to the same height shrinks it until "A" fits.
    scroller->setBounds(scroller->geometry());
    QVERIFY(engine().TextHeight(A) < H);
    QVERIFY(engine().FontSize() < grown);

    // Shorter: shrink below the new height.
    scroller->resize(300, 20);
    QVERIFY(engine().TextHeight(A) < engine().ScaleHeight());

    // A height no font fits: the shrink loop stops above 1 point.
    scroller->resize(300, 1);
    QVERIFY(engine().FontSize() > 1.0f);
    QVERIFY(engine().FontSize() <= 1.25f);
}

void TestScroller::enabledFalseKeepsScrollingWithoutMouseEvents()
{
    make();
    QVERIFY(scroller->initProperties());
    host->show();
    QVERIFY(QTest::qWaitForWindowExposed(host.get()));
    scroller->setEnabled(false);
    QSignalSpy clicks(scroller, &Scroller::Click);
    QSignalSpy downs(scroller, &Scroller::MouseDown);
    QTest::mouseClick(scroller, Qt::LeftButton);
    QCOMPARE(clicks.size(), 0);
    QCOMPARE(downs.size(), 0);
    tick();
    const QString first = shown();
    tick();
    QVERIFY(shown() != first);
}

// Hidden by its host, the banner moves on (its drawing waits for Qt to
// paint it, which Qt does not while it is hidden or its window minimized),
// and shows again at its current place.
void TestScroller::hiddenItMovesOnAndShowsWhereItIs()
{
    make();
    QVERIFY(scroller->initProperties());
    QVERIFY(QTest::qWaitForWindowExposed(host.get()));
    scroller->hide();
    const qsizetype before = engine().scrollPosition();
    for (int i = 0; i < 5; ++i) {
        tick();
        QCoreApplication::processEvents();
    }
    QVERIFY(engine().scrollPosition() != before);
    scroller->show();
    const QString rotation = rotationOf(engine().scrollText(), engine().scrollPosition());
    QCOMPARE(pixelsApart(scroller->grab().toImage(),
                         drawnOnItsOwn(scroller->size(), QColor(0, 255, 255), Qt::black, scroller->Font(), rotation)),
             0);
}

// A static text named by its whole caption, not the text that moves (the
// caption is the description of a banner its host names), animated while
// it scrolls. (What it tells as it changes, screen_reader checks.)
void TestScroller::screenReadersReadTheCaptionAsSet()
{
    make();
    QVERIFY(scroller->initProperties());
    scroller->setCaption(QStringLiteral("Shop open till eight"));
    QAccessibleInterface *read = QAccessible::queryAccessibleInterface(scroller);
    QCOMPARE(read->role(), QAccessible::StaticText);
    for (int i = 0; i < 20; ++i)
        tick();
    QCOMPARE(read->text(QAccessible::Name), QStringLiteral("Shop open till eight"));
    QVERIFY(read->state().animated);
    QVERIFY(!read->state().focusable);

    scroller->setAccessibleName(QStringLiteral("Opening hours"));
    scroller->setCaption(QStringLiteral("Closed on Sundays"));
    QCOMPARE(read->text(QAccessible::Name), QStringLiteral("Opening hours"));
    QCOMPARE(read->text(QAccessible::Description), QStringLiteral("Closed on Sundays"));
    scroller->setInterval(0);
    QVERIFY(!read->state().animated);
}

void TestScroller::mouseEvents()
{
    make();
    QVERIFY(scroller->initProperties());
    host->show();
    QVERIFY(QTest::qWaitForWindowExposed(host.get()));
    QStringList events;
    QList<QList<double>> arguments;
    auto record = [&](const char *name) {
        return [&events, &arguments, name](qint16 &button, qint16 &shift, float &x, float &y) {
            events << QLatin1String(name);
            arguments << QList<double>{double(button), double(shift), double(x), double(y)};
        };
    };
    connect(scroller, &Scroller::MouseDown, this, record("MouseDown"));
    connect(scroller, &Scroller::MouseUp, this, record("MouseUp"));
    connect(scroller, &Scroller::MouseMove, this, record("MouseMove"));
    connect(scroller, &Scroller::Click, this, [&events] { events << QStringLiteral("Click"); });
    connect(scroller, &Scroller::DblClick, this, [&events] { events << QStringLiteral("DblClick"); });

    QTest::mouseClick(scroller, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 5));
    QCOMPARE(events, (QStringList{"MouseDown", "MouseUp", "Click"}));
    QCOMPARE(arguments.front(), (QList<double>{1, 1, 150, 75}));
    events.clear();
    arguments.clear();
    QTest::mouseDClick(scroller, Qt::RightButton, Qt::ControlModifier, QPoint(2, 3));
    QVERIFY(events.contains(QStringLiteral("DblClick")));
    QCOMPARE(arguments.back().mid(0, 2), (QList<double>{2, 2}));
}

#ifdef WITH_QUICK_FACE
// Qt Quick repeats the last hover at every frame; the banner hears a move
// only when the pointer moved.
void TestScroller::quickPointerStandingStillMovesNothing()
{
    QuickScroller scroller;
    QSignalSpy moves(&scroller, &QuickScroller::mouseMove);
    for (const QPointF at : {QPointF(10, 5), QPointF(10, 5), QPointF(11, 5)}) {
        QHoverEvent hover(QEvent::HoverMove, at, at, at);
        QCoreApplication::sendEvent(&scroller, &hover);
    }
    QCOMPARE(moves.size(), 2);
    QCOMPARE(moves.last().at(2).toReal(), 11 * 15.0);
}
#endif

void TestScroller::intervalDrivesTheTimer()
{
    make();
    QVERIFY(scroller->initProperties());
    scroller->setInterval(10);
    const QString before = shown();
    QTRY_VERIFY(shown() != before);
    scroller->setInterval(0);
    QCOMPARE(scroller->Interval(), 0);
    const QString stopped = shown();
    QTest::qWait(50);
    QCOMPARE(shown(), stopped);
}

void TestScroller::badInput_data()
{
    QTest::addColumn<QVariant>("caption");
    QTest::addColumn<QSize>("size");

    QTest::newRow("enormous caption") << QVariant(QStringLiteral("long caption ").repeated(80000)) << QSize(400, 40);
    QTest::newRow("beyond 16 bits of positions") << QVariant(QString(40000, u'x')) << QSize(400, 40);
    QTest::newRow("multi-line") << QVariant(QStringLiteral("one\ntwo\r\nthree")) << QSize(400, 40);
    QTest::newRow("zero width") << QVariant(QStringLiteral("abc")) << QSize(0, 40);
    QTest::newRow("zero height") << QVariant(QStringLiteral("abc")) << QSize(400, 0);
    QTest::newRow("huge") << QVariant(QStringLiteral("abc")) << QSize(20000, 3000);
    QTest::newRow("Null caption") << QVariant() << QSize(400, 40);
    // Qt measures a text only up to some control characters: the blanks
    // appended after one never widen it.
    QTest::newRow("U+009C string terminator") << QVariant(QStringLiteral("ab\u009Ccd")) << QSize(400, 40);
    QTest::newRow("C0 and C1 controls") << QVariant(QStringLiteral("\u0001\u001B\u0085\u009B\u009F")) << QSize(400, 40);
    QTest::newRow("lone surrogates") << QVariant(QString(QChar(0xD800)) + QChar(0xDC00) + QChar(0xD800))
                                     << QSize(400, 40);
    QTest::newRow("zero-width only") << QVariant(QStringLiteral("\u200B\u200C\u200D\uFEFF")) << QSize(400, 40);
    QTest::newRow("combining marks only") << QVariant(QStringLiteral("\u0301\u0308\u0302")) << QSize(400, 40);
}

void TestScroller::badInput()
{
    QFETCH(QVariant, caption);
    QFETCH(QSize, size);
    make();
    QVERIFY(scroller->initProperties());
    scroller->resize(size);
    scroller->setCaption(caption);
    for (int i = 0; i < 20; ++i)
        tick();
    Bag bag;
    QVERIFY(scroller->writeProperties(bag));
    QVERIFY(engine().FontSize() > 1.0f);
    QVERIFY(engine().FontSize() <= 2048.0f);
}

QTEST_MAIN(TestScroller)
#include "tst_scroller.moc"
