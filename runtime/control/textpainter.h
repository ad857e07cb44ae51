#pragma once

#include <QColor>
#include <QRect>

#include <memory>

class QFont;
class QPainter;
class QPointF;
class QString;

// Draws one line of text as QPainter::drawText does, its baseline starting
// at origin, and only what can reach into the painter's clip. Qt keeps
// images of glyphs up to 64 pixels and draws larger ones from their outlines
// every time; these are drawn from images kept here instead (at a quarter
// of a pixel's precision, within a budget of memory).
//
// Given a strip and the plain background the line lies on, a line that
// shows a part of the lines drawn with that strip before is copied from an
// image the strip keeps: a banner prints the same text moved on by a few
// characters each time, and pays for each glyph once as it comes into view.
// The caller prints more than the clip shows (the width of the clip again),
// so that the next lines find their characters in the strip. With a strip,
// the line is drawn with its background, over a band of the clip or all of
// it: the band is the answer, and the caller fills the rest of the clip.
class TextStrip
{
public:
    TextStrip();
    ~TextStrip();
    TextStrip(const TextStrip &) = delete;
    TextStrip &operator=(const TextStrip &) = delete;

    struct Data;
    std::unique_ptr<Data> data;
};

QRect drawTextLine(QPainter &painter, const QPointF &origin, const QString &text, const QFont &font,
                   const QColor &colour, TextStrip *strip = nullptr, const QColor &background = QColor());
