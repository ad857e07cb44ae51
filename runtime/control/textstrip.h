#pragma once

#include "textlayout.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRawFont>
#include <QRect>
#include <QString>

#include <array>
#include <optional>
#include <utility>
#include <vector>

class QPainter;

// A line of text kept as an image, to copy the later lines that show a
// part of it: a banner prints its text moved on by a few characters each
// time, and pays for each glyph once as it comes into view.
//
// The strip holds the characters printed lately, each at its place on one
// long line (the first line drawn sets the places, the next ones add the
// characters they bring), and an image of a stretch of that line for each
// quarter of a pixel, as a copy moves by whole pixels only. Each image is a
// ring of columns of the long line, drawn as the lines reach them, so that
// a line costs a copy and the few glyphs that came into view. Only text of
// one glyph a character, from left to right, can be a part of another line
// that way; any other line is drawn on its own.
class TextStrip
{
public:
    // Draws one line of text as drawText does (its baseline starting at
    // origin, only what can reach into the painter's clip), with its plain
    // background, over a band of the clip or all of it: the band is the
    // answer, and the caller fills the rest of the clip. The caller draws
    // more than the clip shows (the width of the clip again), so that the
    // next lines find their characters in the strip. A painter that does
    // not move by whole pixels, or has no clip, gets the line drawn on its
    // own.
    QRect draw(QPainter &painter, const QPointF &origin, const QString &text, const QFont &font, const QColor &colour,
               const QColor &background);
    // Forgets the characters and their images.
    void reset();

private:
    static constexpr int phases = 4; // a pixel's quarters

    struct Ring
    {
        QImage image;
        qint64 from = 0; // the columns of the long line it holds
        qint64 to = 0;
    };
    using Band = std::pair<qreal, int>; // the baseline in the images, and their height

    bool drawnFor(const QFont &font, qreal dpi, const QColor &colour, const QColor &background, Band band) const;
    void drawFor(const QFont &font, qreal dpi, const QColor &colour, const QColor &background, Band band,
                 const LaidOutLine &line);
    qreal xOf(qsizetype character) const;
    std::optional<qsizetype> placeOf(const QString &text) const;
    bool holds(qsizetype start, const QString &text, qreal needed) const;
    bool extend(qsizetype start, const QString &text, const LaidOutLine &line);
    qsizetype forgetBefore(qsizetype start);
    void drawColumns(int phase, qint64 from, qint64 to);
    QRect copy(QPainter &painter, const QPointF &origin, qsizetype start, qreal width);

    QFont m_font;
    qreal m_dpi = 0;
    QRgb m_colour = 0;
    QRgb m_background = 0;
    Band m_band{0, 0};
    QRawFont m_rawFont;
    qreal m_ascent = 0;
    qreal m_reach = 0; // a glyph's height: how far a glyph's ink may lie from its place
    QString m_text;
    std::vector<PlacedCharacter> m_characters;
    qreal m_end = 0; // where the last character ends
    std::array<Ring, phases> m_rings;
};
