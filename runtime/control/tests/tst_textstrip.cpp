#include "pixels.h"
#include "textstrip.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTest>
#include <QTextBoundaryFinder>

namespace {

const QColor background(0, 255, 255);

// The line a banner draws after moving on by characters: the text from
// there to its end, then from its start, cut at a character boundary
// after as many characters as can show (four a pixel, and some to spare).
QString lineAt(const QString &text, qsizetype characters, int width)
{
    QString line = text.mid(characters) + text.left(characters);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, line);
    finder.setPosition(std::min<qsizetype>(line.size(), width * 4 + 64));
    line.truncate(finder.isAtBoundary() ? finder.position() : finder.toPreviousBoundary());
    return line;
}

QImage canvas(const QSize &size, qreal pixelRatio)
{
    QImage image(size * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    return image;
}

// The line drawn on its own, as QPainter draws text.
QImage drawnAlone(const QSize &size, qreal pixelRatio, const QFont &font, const QString &line)
{
    QImage image = canvas(size, pixelRatio);
    image.fill(background);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(0, QFontMetricsF(font).ascent()), line);
    return image;
}

} // namespace

// The strip's promise: a line drawn from it is the line drawn alone, line
// after line as a banner moves on, whatever the font, size and text.
class TestTextStrip : public QObject
{
    Q_OBJECT

private slots:
    void drawnFromTheStripAsDrawnAlone_data();
    void drawnFromTheStripAsDrawnAlone();
};

void TestTextStrip::drawnFromTheStripAsDrawnAlone_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<qreal>("pixelRatio");
    QTest::addColumn<QString>("text");

    const QString sentence = QStringLiteral("The office's fifty flags: AVAWAY, Wave To. 0123456789!   ");
    QString long_;
    while (long_.size() < 100000)
        long_ += sentence;
    long_.truncate(100000);
    QTest::newRow("default size") << "Liberation Sans" << 26 << QSize(408, 40) << 1.0 << sentence;
    QTest::newRow("fixed pitch") << "Liberation Mono" << 26 << QSize(408, 40) << 1.0 << sentence;
    QTest::newRow("ligatures") << "DejaVu Sans" << 40 << QSize(600, 60) << 1.0 << sentence;
    QTest::newRow("glyphs Qt draws from outlines") << "Liberation Serif" << 100 << QSize(1600, 120) << 1.0 << sentence;
    QTest::newRow("100,000 characters") << "Liberation Sans" << 26 << QSize(408, 40) << 1.0 << long_;
    QTest::newRow("100,000 characters, tall") << "DejaVu Sans" << 150 << QSize(1200, 200) << 1.0 << long_;
    QTest::newRow("twice the density") << "Liberation Sans" << 26 << QSize(408, 40) << 2.0 << sentence;
    QTest::newRow("right to left") << "DejaVu Sans" << 26 << QSize(408, 40) << 1.0
                                   << QStringLiteral("שלום עולם, 2024 ومرحبا بالعالم   ");
    QTest::newRow("marks and joins") << "DejaVu Sans" << 26 << QSize(408, 40) << 1.0
                                     << QStringLiteral("Cafe\u0301 \U0001F469\u200D\U0001F4BB na\u00EFve   ");
}

void TestTextStrip::drawnFromTheStripAsDrawnAlone()
{
    QFETCH(QString, family);
    QFETCH(int, pixels);
    QFETCH(QSize, size);
    QFETCH(qreal, pixelRatio);
    QFETCH(QString, text);

    QFont font(family);
    font.setPixelSize(pixels);
    const QPointF origin(0, QFontMetricsF(font).ascent());
    const QRect whole(QPoint(), size);
    TextStrip strip;
    QImage image = canvas(size, pixelRatio);
    auto draw = [&](const QString &line) {
        QPainter painter(&image);
        painter.setClipRect(whole);
        const QRect band = strip.draw(painter, origin, line, font, Qt::black, background);
        // The rest of the clip is the caller's to fill.
        painter.setClipRegion(QRegion(whole) - band);
        painter.fillRect(whole, background);
    };
    QString line;
    for (int step = 0; step < 12; ++step) {
        line = lineAt(text, step * 2, size.width());
        draw(line);
        QCOMPARE(pixelsApart(image, drawnAlone(size, pixelRatio, font, line)), 0);
    }
    // A line that is a part of what was drawn shows itself alone.
    line = line.mid(2, 3);
    draw(line);
    QCOMPARE(pixelsApart(image, drawnAlone(size, pixelRatio, font, line)), 0);
}

QTEST_MAIN(TestTextStrip)
#include "tst_textstrip.moc"
