// Decodes the icon files byte by byte, without Qt's image readers, and
// checks what the layouts rely on: sizes, depths, the standard palette, the
// transparency masks and the pixels the drawings fix.

#include <QColor>
#include <QFile>
#include <QSet>
#include <QTest>

#include <cmath>

namespace {

struct Decoded
{
    int size = 0;
    int bitsPerPixel = 0;
    QList<QRgb> palette;
    QList<int> indexes; // row-major from the top
    QList<bool> masked; // true where transparent

    QRgb colour(int x, int y) const { return palette[indexes[y * size + x]]; }
    bool transparent(int x, int y) const { return masked[y * size + x]; }
};

quint32 read32(const QByteArray &b, qsizetype at)
{
    return quint32(quint8(b[at])) | quint32(quint8(b[at + 1])) << 8 | quint32(quint8(b[at + 2])) << 16
        | quint32(quint8(b[at + 3])) << 24;
}
quint16 read16(const QByteArray &b, qsizetype at)
{
    return quint16(quint8(b[at]) | quint8(b[at + 1]) << 8);
}

QList<Decoded> decodeIcon(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    if (bytes.size() < 6 || read16(bytes, 0) != 0 || read16(bytes, 2) != 1)
        return {};
    QList<Decoded> images;
    for (int i = 0; i < read16(bytes, 4); ++i) {
        const qsizetype entry = 6 + 16 * i;
        const qsizetype at = read32(bytes, entry + 12);
        Decoded image;
        image.size = quint8(bytes[entry]);
        image.bitsPerPixel = read16(bytes, at + 14);
        if (read32(bytes, at) != 40 || int(read32(bytes, at + 4)) != image.size
            || int(read32(bytes, at + 8)) != 2 * image.size || read16(bytes, entry + 6) != image.bitsPerPixel)
            return {};
        const int colours = 1 << image.bitsPerPixel;
        for (int c = 0; c < colours; ++c) {
            const qsizetype p = at + 40 + 4 * c;
            image.palette << qRgb(quint8(bytes[p + 2]), quint8(bytes[p + 1]), quint8(bytes[p]));
        }
        const int colourRow = ((image.size * image.bitsPerPixel + 31) / 32) * 4;
        const int maskRow = ((image.size + 31) / 32) * 4;
        const qsizetype colourBits = at + 40 + 4 * colours;
        const qsizetype maskBits = colourBits + qsizetype(colourRow) * image.size;
        for (int y = 0; y < image.size; ++y) {
            const int row = image.size - 1 - y;
            for (int x = 0; x < image.size; ++x) {
                const int bit = x * image.bitsPerPixel;
                const quint8 byte = quint8(bytes[colourBits + row * colourRow + bit / 8]);
                image.indexes << ((byte >> (8 - image.bitsPerPixel - bit % 8)) & (colours - 1));
                image.masked << bool(quint8(bytes[maskBits + row * maskRow + x / 8]) & (0x80 >> (x % 8)));
            }
        }
        images << image;
    }
    return images;
}

QString picture(const char *name)
{
    return QStringLiteral(PICTURES_DIR "/%1.ico").arg(QLatin1String(name));
}

const QList<QRgb> standardPalette = {
    qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
};
const QRgb black = qRgb(0, 0, 0);
const QRgb grey = qRgb(128, 128, 128);

QSet<QRgb> coloursOf(const Decoded &image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.size; ++y)
        for (int x = 0; x < image.size; ++x)
            if (!image.transparent(x, y))
                colours << image.colour(x, y);
    return colours;
}

struct Bar
{
    int x0, y0, x1, y1;
};
bool inBar(const Bar &b, int x, int y)
{
    return x >= b.x0 && x <= b.x1 && y >= b.y0 && y <= b.y1;
}

} // namespace

class TestPictures : public QObject
{
    Q_OBJECT

private slots:
    void picturesHoldTwoImages_data();
    void picturesHoldTwoImages();
    void signsArePixelExact_data();
    void signsArePixelExact();
    void smilingFace();
    void programIcon();
    void themeIconsScaleTheDrawings_data();
    void themeIconsScaleTheDrawings();
    void doubleDensityDrawings_data();
    void doubleDensityDrawings();
};

void TestPictures::picturesHoldTwoImages_data()
{
    QTest::addColumn<QString>("path");
    for (const char *name : {"equal", "minus", "plus", "happy"})
        QTest::newRow(name) << picture(name);
}

void TestPictures::picturesHoldTwoImages()
{
    QFETCH(QString, path);
    const auto images = decodeIcon(path);
    QCOMPARE(images.size(), 2);
    QCOMPARE(images[0].size, 32);
    QCOMPARE(images[1].size, 16);
    for (const Decoded &image : images) {
        QCOMPARE(image.bitsPerPixel, 4);
        QCOMPARE(image.palette, standardPalette);
        QVERIFY(image.masked.contains(true));
        QVERIFY(image.masked.contains(false));
    }
}

void TestPictures::signsArePixelExact_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QList<int>>("bars"); // x0 y0 x1 y1 for each bar

    QTest::newRow("equals sign") << picture("equal") << QList<int>{1, 9, 29, 11, 1, 19, 29, 21};
    QTest::newRow("minus sign") << picture("minus") << QList<int>{1, 14, 29, 16};
    QTest::newRow("plus sign") << picture("plus") << QList<int>{1, 14, 29, 16, 14, 1, 16, 29};
}

void TestPictures::signsArePixelExact()
{
    QFETCH(QString, path);
    QFETCH(QList<int>, bars);
    const auto images = decodeIcon(path);
    QVERIFY(!images.isEmpty());
    const Decoded &image = images[0];

    QList<Bar> black, shadow;
    for (qsizetype i = 0; i < bars.size(); i += 4) {
        black << Bar{bars[i], bars[i + 1], bars[i + 2], bars[i + 3]};
        shadow << Bar{bars[i] + 1, bars[i + 1] + 1, bars[i + 2] + 1, bars[i + 3] + 1};
    }
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const auto at = QStringLiteral("at %1,%2").arg(x).arg(y);
            const bool isBlack = std::any_of(black.begin(), black.end(), [&](const Bar &b) { return inBar(b, x, y); });
            const bool isShadow =
                std::any_of(shadow.begin(), shadow.end(), [&](const Bar &b) { return inBar(b, x, y); });
            if (isBlack) {
                QVERIFY2(!image.transparent(x, y) && image.colour(x, y) == ::black, qPrintable(at));
            } else if (isShadow) {
                QVERIFY2(!image.transparent(x, y) && image.colour(x, y) == grey, qPrintable(at));
            } else {
                QVERIFY2(image.transparent(x, y), qPrintable(at));
            }
        }
    }
    QCOMPARE(coloursOf(images[1]), (QSet<QRgb>{::black, grey}));
}

void TestPictures::smilingFace()
{
    const auto images = decodeIcon(picture("happy"));
    QVERIFY(!images.isEmpty());
    for (const Decoded &image : images) {
        const int s = image.size;
        QCOMPARE(coloursOf(image), (QSet<QRgb>{black, qRgb(255, 255, 0), qRgb(255, 0, 0)}));
        // The disc fills the square: its corners are transparent, the
        // middles of its edges are the black outline.
        QVERIFY(image.transparent(0, 0) && image.transparent(s - 1, s - 1));
        QCOMPARE(image.colour(s / 2, 0), black);
        QCOMPARE(image.colour(0, s / 2), black);
        QVERIFY(!image.transparent(s / 2, s - 1));
        // Yellow between the eyes, black eyes on either side.
        QCOMPARE(image.colour(s / 2, s * 3 / 8), qRgb(255, 255, 0));
        QCOMPARE(image.colour(s * 5 / 16, s * 3 / 8), black);
        QCOMPARE(image.colour(s * 11 / 16, s * 3 / 8), black);
    }
}

void TestPictures::programIcon()
{
    const auto images = decodeIcon(picture("program"));
    QCOMPARE(images.size(), 3);
    QList<std::pair<int, int>> formats;
    for (const Decoded &image : images)
        formats << std::pair{image.size, image.bitsPerPixel};
    QVERIFY(formats.contains(std::pair(32, 1)));
    QVERIFY(formats.contains(std::pair(32, 4)));
    QVERIFY(formats.contains(std::pair(16, 4)));
    for (const Decoded &image : images) {
        QVERIFY(image.transparent(0, 0));
        if (image.bitsPerPixel == 1) {
            QCOMPARE(image.palette, (QList<QRgb>{black, qRgb(255, 255, 255)}));
            continue;
        }
        QCOMPARE(image.palette, standardPalette);
        const auto colours = coloursOf(image);
        QVERIFY(colours.contains(qRgb(255, 255, 255)));
        QVERIFY(colours.contains(qRgb(0, 255, 255)));
        QVERIFY(colours.contains(black));
        QVERIFY(colours.contains(grey));
    }
}

// The icon theme's larger sizes are the 16 and 32 px drawings scaled by a
// whole number: each pixel a square of the drawing's pixel.
void TestPictures::themeIconsScaleTheDrawings_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("drawing");
    QTest::newRow("48 from 16") << 48 << 16;
    QTest::newRow("64 from 32") << 64 << 32;
    QTest::newRow("128 from 32") << 128 << 32;
    QTest::newRow("256 from 32") << 256 << 32;
}

void TestPictures::themeIconsScaleTheDrawings()
{
    QFETCH(int, size);
    QFETCH(int, drawing);
    const QImage icon(QStringLiteral(PICTURES_DIR "/program-%1.png").arg(size));
    const QImage original(QStringLiteral(PICTURES_DIR "/program-%1.png").arg(drawing));
    QCOMPARE(icon.size(), QSize(size, size));
    QCOMPARE(original.size(), QSize(drawing, drawing));
    const int factor = size / drawing;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x)
            QCOMPARE(icon.pixel(x, y), original.pixel(x / factor, y / factor));
    }
}

// Each picture's drawing for screens of twice the density: a 64 px image
// beside the file (name@2x.ico). The signs are their 32 px pixel art with
// each pixel doubled; the face and the program icon are drawn again at 64
// px, in the same colours.
void TestPictures::doubleDensityDrawings_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("doubled");
    for (const char *sign : {"equal", "minus", "plus"})
        QTest::newRow(sign) << sign << true;
    QTest::newRow("happy") << "happy" << false;
    QTest::newRow("program") << "program" << false;
}

void TestPictures::doubleDensityDrawings()
{
    QFETCH(QString, name);
    QFETCH(bool, doubled);
    const auto original = decodeIcon(picture(qPrintable(name)));
    const auto dense = decodeIcon(picture(qPrintable(name + QStringLiteral("@2x"))));
    QVERIFY(!original.isEmpty() && !dense.isEmpty());
    QCOMPARE(dense[0].size, 64);
    QCOMPARE(coloursOf(dense[0]), coloursOf(original[0]));
    if (!doubled)
        return;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            QCOMPARE(dense[0].transparent(x, y), original[0].transparent(x / 2, y / 2));
            if (!dense[0].transparent(x, y))
                QCOMPARE(dense[0].colour(x, y), original[0].colour(x / 2, y / 2));
        }
    }
}

QTEST_GUILESS_MAIN(TestPictures)
#include "tst_pictures.moc"
