#include <QFile>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

#include <algorithm>

// The example scene (examples/scroller.qml) with the QML module Tovrell
// from an installed prefix, under the renderer the environment names
// (QT_QUICK_BACKEND software, or the OpenGL one): its banner shows, moves
// inside its rectangle and nowhere else, and its caption reads back as set.
class TestQuickModule : public QObject
{
    Q_OBJECT

private slots:
    void bannerScrollsInTheScene();
};

namespace {

// How many pixels of image inside area are of colour, and how many differ
// from other's inside and outside it.
int countOf(const QImage &image, const QRect &area, QRgb colour)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixel(x, y) == colour;
    return count;
}

std::pair<int, int> differences(const QImage &a, const QImage &b, const QRect &inside)
{
    std::pair<int, int> counts{0, 0};
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                ++(inside.contains(x, y) ? counts.first : counts.second);
    return counts;
}

} // namespace

void TestQuickModule::bannerScrollsInTheScene()
{
    const auto renderer =
        qgetenv("QT_QUICK_BACKEND") == "software" ? QSGRendererInterface::Software : QSGRendererInterface::OpenGL;
    QQmlApplicationEngine engine;
    engine.addImportPath(QStringLiteral(QML_IMPORT_PATH));
    engine.load(QUrl::fromLocalFile(QStringLiteral(EXAMPLE_SCENE)));
    auto *window = qobject_cast<QQuickWindow *>(engine.rootObjects().value(0));
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->rendererInterface()->graphicsApi(), renderer);
    auto *banner = window->findChild<QQuickItem *>(QStringLiteral("banner"));
    QVERIFY(banner);
    // The module came from the prefix.
    QFile maps(QStringLiteral("/proc/self/maps"));
    QVERIFY(maps.open(QIODevice::ReadOnly));
    QVERIFY(maps.readAll().contains(QML_IMPORT_PATH "/Tovrell/libtovrellquick.so"));

    const QRect area = banner->mapRectToScene(banner->boundingRect()).toAlignedRect();
    QTest::qWait(300);
    const QImage before = window->grabWindow().convertToFormat(QImage::Format_RGB32);
    QTest::qWait(400);
    const QImage after = window->grabWindow().convertToFormat(QImage::Format_RGB32);
    QVERIFY2(countOf(after, area, qRgb(0, 255, 255)) > area.width() * area.height() / 4, "its background shows");
    // The caption passes, then the blanks after it.
    QVERIFY2(countOf(before, area, qRgb(0, 0, 0)) + countOf(after, area, qRgb(0, 0, 0)) > 0, "its text shows");
    const auto [inside, outside] = differences(before, after, area);
    QVERIFY2(inside > 0, "it moves");
    QCOMPARE(outside, 0);

    banner->setProperty("caption", QStringLiteral("Readable"));
    QCOMPARE(banner->property("caption").toString(), QStringLiteral("Readable"));
}

QTEST_MAIN(TestQuickModule)
#include "tst_quickmodule.moc"
