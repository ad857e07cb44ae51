#include "textstrip.h"

#include "glyphimages.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// The characters kept before the one a line starts at: the ink of the
// character just before it may reach into the line.
constexpr qsizetype charactersKeptBehind = 8;

// The rows of a line's box, and half a line more above and below for ink
// beyond it, that lie within the clip: the baseline from the first of
// them, and how many there are.
std::pair<qreal, int> bandOf(const QPointF &origin, const QRectF &clip, qreal ascent, qreal descent)
{
    const qreal reach = ascent + descent;
    const qreal top = std::max(std::floor(origin.y() - ascent - reach / 2), std::floor(clip.top()));
    return {origin.y() - top,
            int(std::min(std::ceil(origin.y() + descent + reach / 2), std::ceil(clip.bottom())) - top)};
}

// Where a laid-out line's character starts; its end past the last one.
qreal placeOnLine(const LaidOutLine &line, qsizetype character)
{
    const std::vector<PlacedCharacter> &characters = *line.characters;
    return std::size_t(character) < characters.size() ? characters[std::size_t(character)].x : line.width;
}

// The format of the image the painter draws on (a window's backing store)
// where it has four bytes a pixel, so that a copy onto it is a plain copy.
QImage::Format formatFor(const QPainter &painter)
{
    const QPaintDevice *device = painter.paintEngine() ? painter.paintEngine()->paintDevice() : nullptr;
    if (device && device->devType() == QInternal::Image) {
        const QImage::Format format = static_cast<const QImage *>(device)->format();
        if (format == QImage::Format_ARGB32_Premultiplied || format == QImage::Format_RGB32)
            return format;
    }
    return QImage::Format_RGB32;
}

} // namespace

QRect TextStrip::draw(QPainter &painter, const QPointF &origin, const QString &text, const QFont &font,
                      const QColor &colour, const QColor &background)
{
    // A copy moves by whole device pixels: on a painter that only moves by
    // whole pixels, within a clip.
    const QTransform transform = painter.deviceTransform();
    const bool copyable = painter.hasClipping() && transform.type() <= QTransform::TxTranslate
        && transform.dx() == std::floor(transform.dx()) && transform.dy() == std::floor(transform.dy())
        && origin.x() == std::floor(origin.x());
    const QRectF clip = painter.clipBoundingRect();
    if (copyable) {
        const qreal width = clip.right() - origin.x();
        const qreal dpi = painter.device() ? qreal(painter.device()->logicalDpiX()) : 0.0;
        // A line whose shown part the strip holds is copied without being
        // laid out: a banner's next line only brings characters out of view.
        if (!m_text.isEmpty()
            && drawnFor(font, dpi, colour, background, bandOf(origin, clip, m_ascent, m_reach - m_ascent))) {
            if (const auto start = placeOf(text); start && holds(*start, text, width + m_reach))
                return copy(painter, origin, forgetBefore(*start), width);
        }
        const LaidOutLine &line = laidOut(text, font, painter.device());
        if (line.runs.size() == 1) {
            const Band band = bandOf(origin, clip, line.ascent, line.descent);
            if (!drawnFor(font, dpi, colour, background, band) || !(m_rawFont == line.runs.front().rawFont()))
                drawFor(font, dpi, colour, background, band, line);
            if (m_text.isEmpty() && line.characters) {
                m_text = text;
                m_characters = *line.characters;
                m_end = line.width;
            }
            const qreal needed = width + m_reach;
            if (const auto start = placeOf(text); start
                && (holds(*start, text, needed)
                    || (*start + text.size() > m_text.size() && extend(*start, text, line)
                        && holds(*start, text, needed))))
                return copy(painter, origin, forgetBefore(*start), width);
        }
        reset();
    }
    // Not a part of a line before: drawn on its background, all of it.
    const QRect band = clip.toAlignedRect();
    painter.fillRect(band, background);
    drawText(painter, origin, text, font, colour);
    return band;
}

void TextStrip::reset()
{
    m_text.clear();
    m_characters.clear();
    m_rings = {};
}

// Whether the strip's images were drawn for this font, device, colours and
// band of rows.
bool TextStrip::drawnFor(const QFont &font, qreal dpi, const QColor &colour, const QColor &background, Band band) const
{
    return m_font == font && m_dpi == dpi && m_colour == colour.rgba() && m_background == background.rgba()
        && m_band == band;
}

// Starts the strip afresh for this font, device, colours and band.
void TextStrip::drawFor(const QFont &font, qreal dpi, const QColor &colour, const QColor &background, Band band,
                        const LaidOutLine &line)
{
    reset();
    m_font = font;
    m_dpi = dpi;
    m_colour = colour.rgba();
    m_background = background.rgba();
    m_band = band;
    m_rawFont = line.runs.front().rawFont();
    m_ascent = line.ascent;
    m_reach = line.ascent + line.descent;
}

// Where the strip's character starts; the strip's end past the last one.
qreal TextStrip::xOf(qsizetype character) const
{
    return std::size_t(character) < m_characters.size() ? m_characters[std::size_t(character)].x : m_end;
}

// Where text starts among the strip's characters: the first place where
// the two agree as far as both go.
std::optional<qsizetype> TextStrip::placeOf(const QString &text) const
{
    for (qsizetype start = 0; start < m_text.size(); ++start) {
        const qsizetype common = std::min(m_text.size() - start, text.size());
        if (QStringView(m_text).sliced(start, common) == QStringView(text).first(common))
            return start;
    }
    return std::nullopt;
}

// Whether the strip holds all that text shows from start: the characters
// both have reach beyond needed, so that neither a character the strip
// lacks nor one of the strip's past the text's end can show.
bool TextStrip::holds(qsizetype start, const QString &text, qreal needed) const
{
    const qsizetype end = std::min(m_text.size(), start + text.size());
    return xOf(end) >= xOf(start) + needed;
}

// Adds the characters of text, laid out as line, that go past the strip's
// end, text starting at the strip's character start.
bool TextStrip::extend(qsizetype start, const QString &text, const LaidOutLine &line)
{
    if (!line.characters)
        return false;
    const qreal shift = xOf(start) - placeOnLine(line, 0);
    for (qsizetype i = m_text.size() - start; i < text.size(); ++i) {
        const PlacedCharacter &character = (*line.characters)[std::size_t(i)];
        m_text += text[i];
        m_characters.push_back(
            {character.x + shift, character.glyph, character.inkLeft + shift, character.inkRight + shift});
        m_end = placeOnLine(line, i + 1) + shift;
    }
    return true;
}

// Lets go of the characters long gone from view before start, and answers
// where start is then.
qsizetype TextStrip::forgetBefore(qsizetype start)
{
    const qsizetype gone = std::max<qsizetype>(0, start - charactersKeptBehind);
    m_text.remove(0, gone);
    m_characters.erase(m_characters.begin(), m_characters.begin() + gone);
    return start - gone;
}

// Draws the strip's glyphs onto columns [from, to) of a ring, on the
// background, in pieces where the ring turns round.
void TextStrip::drawColumns(int phase, qint64 from, qint64 to)
{
    Ring &ring = m_rings[std::size_t(phase)];
    const qint64 width = ring.image.width();
    const auto [baseline, height] = m_band;
    QPainter painter(&ring.image);
    painter.setPen(QColor::fromRgba(m_colour));
    for (qint64 column = from; column < to;) {
        const qint64 inRing = column % width;
        const qint64 piece = std::min(to - column, width - inRing);
        const QRect target(int(inRing), 0, int(piece), height);
        painter.setClipRect(target);
        painter.fillRect(target, QColor::fromRgba(m_background));
        QList<quint32> glyphs;
        QList<QPointF> positions;
        const qreal shift = qreal(phase) / phases;
        for (const PlacedCharacter &character : m_characters) {
            // Its ink, and a pixel more for the blending at its edges.
            if (character.inkLeft - shift - 1 < qreal(column + piece)
                && character.inkRight - shift + 1 > qreal(column)) {
                glyphs.append(character.glyph);
                positions.append(QPointF(character.x - shift - qreal(column) + qreal(inRing), m_ascent));
            }
        }
        QGlyphRun run;
        run.setRawFont(m_rawFont);
        run.setGlyphIndexes(glyphs);
        run.setPositions(positions);
        drawGlyphs(painter, QPointF(0, baseline - m_ascent), run, QColor::fromRgba(m_colour));
        column += piece;
    }
}

// Copies the text at the strip's character start from the strip: the
// strip's ring for the right quarter of a pixel is drawn up to the columns
// shown, then copied. Where a glyph before the text reaches into its first
// characters, they are drawn on their own, as the text alone draws them.
QRect TextStrip::copy(QPainter &painter, const QPointF &origin, qsizetype start, qreal width)
{
    const auto [baseline, height] = m_band;
    const qreal x = xOf(start);
    qint64 whole = qint64(std::floor(x));
    int phase = int(std::lround((x - qreal(whole)) * phases));
    if (phase == phases) {
        phase = 0;
        ++whole;
    }
    Ring &ring = m_rings[std::size_t(phase)];
    const qint64 columns = qint64(std::ceil(width));
    // The ring holds half as many columns again as are shown, and is drawn
    // ahead as far as the strip's glyphs are known, so that it is drawn a
    // stretch at a time rather than a few columns at every line.
    const qint64 ahead = columns / 2;
    if (ring.image.width() < columns + ahead) {
        ring.image = QImage(int(columns + ahead), height, formatFor(painter));
        ring.from = ring.to = whole;
    }
    const qint64 ringWidth = ring.image.width();
    // Out of reach of what the ring holds: drawn afresh from here.
    if (whole < ring.from || whole > ring.to)
        ring.from = ring.to = whole;
    if (whole + columns > ring.to) {
        const qint64 known = qint64(std::floor(m_end - m_reach));
        const qint64 to = std::max(whole + columns, std::min(whole + columns + ahead, known));
        drawColumns(phase, ring.to, to);
        ring.to = to;
    }
    ring.from = std::max(ring.from, ring.to - ringWidth);

    const int top = int(std::floor(origin.y() - baseline + 0.5));
    // The ring is opaque: its pixels replace the target's, row by row.
    const QPainter::CompositionMode mode = painter.compositionMode();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (qint64 column = whole; column < whole + columns;) {
        const qint64 inRing = column % ringWidth;
        const qint64 piece = std::min(whole + columns - column, ringWidth - inRing);
        // A view of the ring's columns, copied as a whole image: Qt copies
        // an image drawn at a point at memory speed, a part of one pixel by
        // pixel.
        const QImage columnsShown(ring.image.constBits() + inRing * 4, int(piece), height, ring.image.bytesPerLine(),
                                  ring.image.format());
        painter.drawImage(QPoint(int(origin.x() + qreal(column - whole)), top), columnsShown);
        column += piece;
    }
    painter.setCompositionMode(mode);
    // The ink of the character before the text, within the text's first
    // characters: they are drawn again without it.
    if (start > 0 && m_characters[std::size_t(start - 1)].inkRight > x) {
        const qreal left = std::ceil(m_characters[std::size_t(start - 1)].inkRight - x) + 1;
        QList<quint32> glyphs;
        QList<QPointF> positions;
        for (std::size_t i = std::size_t(start); i < m_characters.size() && m_characters[i].x - x < left + m_reach;
             ++i) {
            glyphs.append(m_characters[i].glyph);
            positions.append(QPointF(m_characters[i].x - x, m_ascent));
        }
        QGlyphRun run;
        run.setRawFont(m_rawFont);
        run.setGlyphIndexes(glyphs);
        run.setPositions(positions);
        painter.save();
        painter.setClipRect(QRectF(origin.x(), top, left, height), Qt::IntersectClip);
        painter.fillRect(QRectF(origin.x(), top, left, height), QColor::fromRgba(m_background));
        painter.setPen(QColor::fromRgba(m_colour));
        drawGlyphs(painter, origin - QPointF(0, m_ascent), run, QColor::fromRgba(m_colour));
        painter.restore();
    }
    return QRect(int(origin.x()), top, int(columns), height);
}
