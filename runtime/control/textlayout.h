#pragma once

#include <QGlyphRun>
#include <QList>

#include <optional>
#include <vector>

class QColor;
class QFont;
class QPaintDevice;
class QPainter;
class QPointF;
class QString;

// One character of a line that has one glyph a character, from left to
// right: its place on the line, its glyph, and where its ink starts and
// ends.
struct PlacedCharacter
{
    qreal x;
    quint32 glyph;
    qreal inkLeft;
    qreal inkRight;
};

// A line of text laid out as QPainter::drawText lays it out. Its
// characters are known where it has one glyph a character from left to
// right (no marks, joins or right-to-left text), and its width is where the
// last one ends.
struct LaidOutLine
{
    QList<QGlyphRun> runs;
    qreal ascent = 0;
    qreal descent = 0;
    qreal width = 0;
    std::optional<std::vector<PlacedCharacter>> characters;
};

// The layout of text in font on device. A banner draws the same texts over
// and over: the last few hundred layouts are kept.
const LaidOutLine &laidOut(const QString &text, const QFont &font, const QPaintDevice *device);

// Draws one line of text in its colour, as QPainter::drawText does, its
// baseline starting at origin, and only what can reach into the painter's
// clip.
void drawText(QPainter &painter, const QPointF &origin, const QString &text, const QFont &font, const QColor &colour);
