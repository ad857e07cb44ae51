#include "textpainter.h"

#include <QCache>
#include <QColor>
#include <QGlyphRun>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

namespace {

// Qt's own limit: glyphs larger than this many device pixels are drawn
// from their outlines.
constexpr qreal largestCachedGlyph = 64.0;
constexpr int phases = 4;
constexpr qsizetype budgetInBytes = 16 * 1024 * 1024;

struct GlyphKey
{
    QRawFont font;
    quint32 glyph;
    int phaseX;
    int phaseY;
    QRgb colour;
    qreal scale;

    bool operator==(const GlyphKey &other) const = default;
};

size_t qHash(const GlyphKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.font, key.glyph, key.phaseX, key.phaseY, key.colour, key.scale);
}

// A glyph drawn on its own, and where its origin lies in the image, in
// device pixels.
struct GlyphImage
{
    QImage image;
    QPoint origin;
};

QCache<GlyphKey, GlyphImage> &glyphImages()
{
    static QCache<GlyphKey, GlyphImage> cache(budgetInBytes);
    return cache;
}

GlyphImage *imageOf(const GlyphKey &key)
{
    if (GlyphImage *found = glyphImages().object(key))
        return found;
    const QRectF bounds = key.font.boundingRect(key.glyph);
    // In device pixels, a pixel to spare on every side for antialiasing.
    const QRect area = QRectF(bounds.topLeft() * key.scale, bounds.size() * key.scale).toAlignedRect().adjusted(-2, -2, 2, 2);
    auto *glyph = new GlyphImage{QImage(area.size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied),
                                 -area.topLeft()};
    glyph->image.fill(Qt::transparent);
    QPainter painter(&glyph->image);
    painter.setPen(QColor::fromRgba(key.colour));
    painter.translate(QPointF(glyph->origin) + QPointF(qreal(key.phaseX), qreal(key.phaseY)) / phases);
    painter.scale(key.scale, key.scale);
    QGlyphRun one;
    one.setRawFont(key.font);
    one.setGlyphIndexes({key.glyph});
    one.setPositions({QPointF()});
    painter.drawGlyphRun(QPointF(), one);
    painter.end();
    const qsizetype cost = glyph->image.sizeInBytes();
    // One too large to keep is drawn from its outline, as Qt draws it.
    return glyphImages().insert(key, glyph, cost) ? glyphImages().object(key) : nullptr;
}

// Where Qt would draw the run's glyphs from their outlines, and the painter
// only moves and scales.
bool drawsFromOutlines(const QPainter &painter, const QGlyphRun &run)
{
    const QTransform transform = painter.deviceTransform();
    return transform.type() <= QTransform::TxScale && transform.m11() == transform.m22()
        && run.rawFont().pixelSize() * transform.m11() > largestCachedGlyph;
}

void drawFromImages(QPainter &painter, const QPointF &origin, const QGlyphRun &run, const QColor &colour)
{
    const QTransform transform = painter.deviceTransform();
    const qreal scale = transform.m11();
    const QList<quint32> glyphs = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    painter.save();
    painter.resetTransform();
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        const QPointF at = transform.map(origin + positions[i]);
        const qreal x = std::floor(at.x());
        const qreal y = std::floor(at.y());
        int phaseX = int(std::lround((at.x() - x) * phases));
        int phaseY = int(std::lround((at.y() - y) * phases));
        const GlyphKey key{run.rawFont(), glyphs[i], phaseX % phases, phaseY % phases, colour.rgba(), scale};
        const QPoint whole(int(x) + phaseX / phases, int(y) + phaseY / phases);
        if (const GlyphImage *glyph = imageOf(key)) {
            painter.drawImage(whole - glyph->origin, glyph->image);
        } else {
            QGlyphRun one = run;
            one.setGlyphIndexes({glyphs[i]});
            one.setPositions({QPointF()});
            painter.setTransform(transform);
            painter.drawGlyphRun(origin + positions[i], one);
            painter.resetTransform();
        }
    }
    painter.restore();
}

// The places, glyphs and ink of a line of one glyph a character from left
// to right, in the line's own layout; nothing for any other line.
struct Characters
{
    std::vector<qreal> x;
    std::vector<quint32> glyphs;
    std::vector<qreal> inkLeft; // where each character's ink starts and ends
    std::vector<qreal> inkRight;
};

std::optional<Characters> charactersOf(const QString &text, const QList<QGlyphRun> &runs, qreal width)
{
    if (runs.size() != 1 || runs.front().glyphIndexes().size() != text.size() || text.isRightToLeft())
        return std::nullopt;
    constexpr QChar::Direction leftToRight[] = {QChar::DirL,  QChar::DirWS, QChar::DirON, QChar::DirEN,
                                                QChar::DirCS, QChar::DirES, QChar::DirET};
    for (const QChar c : text) {
        if (c.isSurrogate() || c.isMark()
            || std::find(std::begin(leftToRight), std::end(leftToRight), c.direction()) == std::end(leftToRight))
            return std::nullopt;
    }
    const QGlyphRun &run = runs.front();
    Characters characters;
    const QList<quint32> glyphs = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        if (i > 0 && positions[i].x() < positions[i - 1].x())
            return std::nullopt;
        characters.x.push_back(positions[i].x());
        characters.glyphs.push_back(glyphs[i]);
        const QRectF ink = run.rawFont().boundingRect(glyphs[i]);
        characters.inkLeft.push_back(positions[i].x() + ink.left());
        characters.inkRight.push_back(positions[i].x() + ink.right());
    }
    characters.x.push_back(width);
    return characters;
}

struct LaidOutLine
{
    QList<QGlyphRun> runs;
    qreal ascent = 0;
    qreal descent = 0;
    qreal width = 0;
    std::optional<Characters> characters;
};

struct LineKey
{
    QString text;
    QFont font;
    qreal dpi;
    bool operator==(const LineKey &other) const = default;
};

size_t qHash(const LineKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.text, key.font, key.dpi);
}

// The glyph runs of a line of text, laid out as QPainter::drawText lays it
// out, with its ascent. A banner draws the same texts over and over: the
// last few hundred layouts are kept.
const LaidOutLine &laidOut(const QString &text, const QFont &font, const QPaintDevice *device)
{
    static QCache<LineKey, LaidOutLine> lines(256);
    const LineKey key{text, font, device ? qreal(device->logicalDpiX()) : 0.0};
    if (const LaidOutLine *found = lines.object(key))
        return *found;
    QTextLayout layout(text, font, const_cast<QPaintDevice *>(device));
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    auto *made = new LaidOutLine;
    if (line.isValid()) {
        *made = {layout.glyphRuns(), line.ascent(), line.descent(), line.naturalTextWidth(), std::nullopt};
        made->characters = charactersOf(text, made->runs, made->width);
    }
    lines.insert(key, made);
    return *lines.object(key);
}

// The glyphs of run that can reach into the painter's clip, at most a
// glyph's height beyond it on either side.
QGlyphRun visiblePart(const QPainter &painter, const QPointF &topLeft, const QGlyphRun &run)
{
    if (!painter.hasClipping())
        return run;
    const QRectF clip = painter.clipBoundingRect();
    const qreal reach = run.rawFont().ascent() + run.rawFont().descent();
    const QList<QPointF> positions = run.positions();
    qsizetype first = 0;
    qsizetype end = positions.size();
    while (first < end && topLeft.x() + positions[first].x() < clip.left() - reach)
        ++first;
    while (end > first && topLeft.x() + positions[end - 1].x() > clip.right() + reach)
        --end;
    if (first == 0 && end == positions.size())
        return run;
    QGlyphRun part = run;
    part.setGlyphIndexes(run.glyphIndexes().mid(first, end - first));
    part.setPositions(positions.mid(first, end - first));
    return part;
}

// Draws the run's glyphs, from images where Qt would draw their outlines.
void drawRun(QPainter &painter, const QPointF &topLeft, const QGlyphRun &run, const QColor &colour)
{
    const QGlyphRun shown = visiblePart(painter, topLeft, run);
    if (drawsFromOutlines(painter, shown))
        drawFromImages(painter, topLeft, shown, colour);
    else
        painter.drawGlyphRun(topLeft, shown);
}

} // namespace

// A line of text kept as an image, to copy the later lines that show a
// part of it: a banner prints its text moved on by a few characters each
// time. The strip holds the characters printed lately, each at its place
// on one long line (the first line printed sets the places, the next ones
// add the characters they bring), and an image of a stretch of that line
// for each quarter of a pixel, as a copy moves by whole pixels only. Each
// image is a ring of columns of the long line, drawn as the lines printed
// reach them, so that a line costs a copy and the few glyphs that came
// into view. Only text of one glyph a character, from left to right, can be
// a part of another line that way.
struct TextStrip::Data
{
    QFont font;
    qreal dpi = 0;
    QRgb colour = 0;
    QRgb background = 0;
    qreal baseline = 0; // in the images
    int height = 0;
    QRawFont rawFont;
    qreal ascent = 0;
    qreal reach = 0; // a glyph's height: how far a glyph's ink may lie from its place
    QString text;
    std::vector<qreal> x;           // of each character's place, and of the end
    std::vector<quint32> glyphs;    // of each character
    std::vector<qreal> inkLeft;     // where each character's ink starts and ends
    std::vector<qreal> inkRight;
    struct Ring
    {
        QImage image;
        qint64 from = 0; // the columns of the long line it holds
        qint64 to = 0;
    };
    std::array<Ring, phases> rings;
};

namespace {

using Strip = TextStrip::Data;

// The rows of a line's box, and half a line more above and below for ink
// beyond it, that lie within the clip: the baseline from the first of
// them, and how many there are.
std::pair<qreal, int> bandOf(const QPointF &origin, const QRectF &clip, qreal ascent, qreal descent)
{
    const qreal reach = ascent + descent;
    const qreal top = std::max(std::floor(origin.y() - ascent - reach / 2), std::floor(clip.top()));
    return {origin.y() - top, int(std::min(std::ceil(origin.y() + descent + reach / 2), std::ceil(clip.bottom())) - top)};
}

// Whether the strip's images were drawn for this font, device, colours and
// band of rows.
bool drawnFor(const Strip &strip, const QFont &font, qreal dpi, const QColor &colour, const QColor &background,
              std::pair<qreal, int> band)
{
    return strip.font == font && strip.dpi == dpi && strip.colour == colour.rgba()
        && strip.background == background.rgba() && std::pair(strip.baseline, strip.height) == band;
}

// Where text starts among the strip's characters: the first place where
// the two agree as far as both go.
std::optional<qsizetype> placeIn(const Strip &strip, const QString &text)
{
    for (qsizetype start = 0; start < strip.text.size(); ++start) {
        const qsizetype common = std::min(strip.text.size() - start, text.size());
        if (QStringView(strip.text).sliced(start, common) == QStringView(text).first(common))
            return start;
    }
    return std::nullopt;
}

// Whether the strip holds all that text shows from start: the characters
// both have reach beyond needed, so that neither a character the strip
// lacks nor one of the strip's past the text's end can show.
bool holds(const Strip &strip, qsizetype start, const QString &text, qreal needed)
{
    const qsizetype end = std::min(strip.text.size(), start + text.size());
    return strip.x[std::size_t(end)] >= strip.x[std::size_t(start)] + needed;
}

// Adds the characters of text, laid out as line, that go past the strip's
// end, text starting at the strip's character start.
bool extendStrip(Strip &strip, qsizetype start, const QString &text, const LaidOutLine &line)
{
    const std::optional<Characters> &characters = line.characters;
    if (!characters)
        return false;
    const qreal shift = strip.x[std::size_t(start)] - characters->x.front();
    for (qsizetype i = strip.text.size() - start; i < text.size(); ++i) {
        strip.text += text[i];
        strip.x.back() = characters->x[std::size_t(i)] + shift;
        strip.x.push_back(characters->x[std::size_t(i) + 1] + shift);
        strip.glyphs.push_back(characters->glyphs[std::size_t(i)]);
        strip.inkLeft.push_back(characters->inkLeft[std::size_t(i)] + shift);
        strip.inkRight.push_back(characters->inkRight[std::size_t(i)] + shift);
    }
    return true;
}

// Lets go of the characters long gone from view before start, and answers
// where start is then.
qsizetype forgetBefore(Strip &strip, qsizetype start)
{
    const qsizetype gone = std::max<qsizetype>(0, start - 8);
    strip.text.remove(0, gone);
    strip.x.erase(strip.x.begin(), strip.x.begin() + gone);
    strip.glyphs.erase(strip.glyphs.begin(), strip.glyphs.begin() + gone);
    strip.inkLeft.erase(strip.inkLeft.begin(), strip.inkLeft.begin() + gone);
    strip.inkRight.erase(strip.inkRight.begin(), strip.inkRight.begin() + gone);
    return start - gone;
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

// Draws the strip's glyphs onto columns [from, to) of a ring, on the
// background, in pieces where the ring turns round.
void drawColumns(Strip &strip, int phase, qint64 from, qint64 to)
{
    Strip::Ring &ring = strip.rings[std::size_t(phase)];
    const qint64 width = ring.image.width();
    QPainter painter(&ring.image);
    painter.setPen(QColor::fromRgba(strip.colour));
    for (qint64 column = from; column < to;) {
        const qint64 inRing = column % width;
        const qint64 piece = std::min(to - column, width - inRing);
        const QRect target(int(inRing), 0, int(piece), strip.height);
        painter.setClipRect(target);
        painter.fillRect(target, QColor::fromRgba(strip.background));
        QGlyphRun run;
        run.setRawFont(strip.rawFont);
        QList<quint32> glyphs;
        QList<QPointF> positions;
        const qreal shift = qreal(phase) / phases;
        for (std::size_t i = 0; i + 1 < strip.x.size(); ++i) {
            const qreal at = strip.x[i] - shift;
            // Its ink, and a pixel more for the blending at its edges.
            if (strip.inkLeft[i] - shift - 1 < qreal(column + piece) && strip.inkRight[i] - shift + 1 > qreal(column)) {
                glyphs.append(strip.glyphs[i]);
                positions.append(QPointF(at - qreal(column) + qreal(inRing), strip.ascent));
            }
        }
        run.setGlyphIndexes(glyphs);
        run.setPositions(positions);
        drawRun(painter, QPointF(0, strip.baseline - strip.ascent), run, QColor::fromRgba(strip.colour));
        column += piece;
    }
}

// Copies the text at the strip's character start from the strip: the
// strip's ring for the right quarter of a pixel is drawn up to the columns
// shown, then copied. Where a glyph before the text reaches into its first
// characters, they are drawn on their own, as the text alone draws them.
QRect drawFromStrip(QPainter &painter, Strip &strip, const QPointF &origin, qsizetype start, qreal width)
{
    const qreal x = strip.x[std::size_t(start)];
    qint64 whole = qint64(std::floor(x));
    int phase = int(std::lround((x - qreal(whole)) * phases));
    if (phase == phases) {
        phase = 0;
        ++whole;
    }
    Strip::Ring &ring = strip.rings[std::size_t(phase)];
    const qint64 columns = qint64(std::ceil(width));
    // The ring holds half as many columns again as are shown, and is drawn
    // ahead as far as the strip's glyphs are known, so that it is drawn a
    // stretch at a time rather than a few columns at every line.
    const qint64 ahead = columns / 2;
    if (ring.image.width() < columns + ahead) {
        ring.image = QImage(int(columns + ahead), strip.height, formatFor(painter));
        ring.from = ring.to = whole;
    }
    const qint64 ringWidth = ring.image.width();
    // Out of reach of what the ring holds: drawn afresh from here.
    if (whole < ring.from || whole > ring.to)
        ring.from = ring.to = whole;
    if (whole + columns > ring.to) {
        const qint64 known = qint64(std::floor(strip.x.back() - strip.reach));
        const qint64 to = std::max(whole + columns, std::min(whole + columns + ahead, known));
        drawColumns(strip, phase, ring.to, to);
        ring.to = to;
    }
    ring.from = std::max(ring.from, ring.to - ringWidth);

    const int top = int(std::floor(origin.y() - strip.baseline + 0.5));
    // The ring is opaque: its pixels replace the target's, row by row.
    const QPainter::CompositionMode mode = painter.compositionMode();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (qint64 column = whole; column < whole + columns;) {
        const qint64 inRing = column % ringWidth;
        const qint64 piece = std::min(whole + columns - column, ringWidth - inRing);
        // A view of the ring's columns, copied as a whole image: Qt copies
        // an image drawn at a point at memory speed, a part of one pixel by
        // pixel.
        const QImage columnsShown(ring.image.constBits() + inRing * 4, int(piece), strip.height,
                                  ring.image.bytesPerLine(), ring.image.format());
        painter.drawImage(QPoint(int(origin.x() + qreal(column - whole)), top), columnsShown);
        column += piece;
    }
    painter.setCompositionMode(mode);
    // The ink of the character before the text, within the text's first
    // characters: they are drawn again without it.
    if (start > 0 && strip.inkRight[std::size_t(start - 1)] > x) {
        const qreal left = std::ceil(strip.inkRight[std::size_t(start - 1)] - x) + 1;
        QList<quint32> glyphs;
        QList<QPointF> positions;
        for (std::size_t i = std::size_t(start); i + 1 < strip.x.size() && strip.x[i] - x < left + strip.reach; ++i) {
            glyphs.append(strip.glyphs[i]);
            positions.append(QPointF(strip.x[i] - x, strip.ascent));
        }
        QGlyphRun run;
        run.setRawFont(strip.rawFont);
        run.setGlyphIndexes(glyphs);
        run.setPositions(positions);
        painter.save();
        painter.setClipRect(QRectF(origin.x(), top, left, strip.height), Qt::IntersectClip);
        painter.fillRect(QRectF(origin.x(), top, left, strip.height), QColor::fromRgba(strip.background));
        painter.setPen(QColor::fromRgba(strip.colour));
        drawRun(painter, origin - QPointF(0, strip.ascent), run, QColor::fromRgba(strip.colour));
        painter.restore();
    }
    return QRect(int(origin.x()), top, int(columns), strip.height);
}

} // namespace

TextStrip::TextStrip() = default;
TextStrip::~TextStrip() = default;

QRect drawTextLine(QPainter &painter, const QPointF &origin, const QString &text, const QFont &font,
                   const QColor &colour, TextStrip *kept, const QColor &background)
{
    // A copy moves by whole device pixels: on a painter that only moves by
    // whole pixels, on a known background, within a clip.
    const QTransform transform = painter.deviceTransform();
    const bool copyable = kept && background.isValid() && painter.hasClipping()
        && transform.type() <= QTransform::TxTranslate && transform.dx() == std::floor(transform.dx())
        && transform.dy() == std::floor(transform.dy()) && origin.x() == std::floor(origin.x());
    if (copyable) {
        if (!kept->data)
            kept->data = std::make_unique<Strip>();
        Strip &strip = *kept->data;
        const QRectF clip = painter.clipBoundingRect();
        const qreal width = clip.right() - origin.x();
        const qreal dpi = painter.device() ? qreal(painter.device()->logicalDpiX()) : 0.0;
        // A line whose shown part the strip holds is copied without being
        // laid out: a banner's next line only brings characters out of view.
        if (!strip.text.isEmpty()
            && drawnFor(strip, font, dpi, colour, background,
                        bandOf(origin, clip, strip.ascent, strip.reach - strip.ascent))) {
            if (const auto start = placeIn(strip, text); start && holds(strip, *start, text, width + strip.reach))
                return drawFromStrip(painter, strip, origin, forgetBefore(strip, *start), width);
        }
        const LaidOutLine &line = laidOut(text, font, painter.device());
        if (line.runs.size() == 1) {
            const auto band = bandOf(origin, clip, line.ascent, line.descent);
            const QRawFont rawFont = line.runs.front().rawFont();
            if (!drawnFor(strip, font, dpi, colour, background, band) || !(strip.rawFont == rawFont)) {
                strip = Strip{font, dpi, colour.rgba(), background.rgba(), band.first, band.second, rawFont,
                              line.ascent, line.ascent + line.descent, {}, {}, {}, {}, {}, {}};
            }
            if (strip.text.isEmpty() && line.characters) {
                strip.text = text;
                strip.x = line.characters->x;
                strip.glyphs = line.characters->glyphs;
                strip.inkLeft = line.characters->inkLeft;
                strip.inkRight = line.characters->inkRight;
            }
            const qreal needed = width + strip.reach;
            if (const auto start = placeIn(strip, text);
                start
                && (holds(strip, *start, text, needed)
                    || (*start + text.size() > strip.text.size() && extendStrip(strip, *start, text, line)
                        && holds(strip, *start, text, needed))))
                return drawFromStrip(painter, strip, origin, forgetBefore(strip, *start), width);
        }
        strip.text.clear();
        strip.rings = {};
        // Not a part of a line before: drawn on its background, all of it.
        const QRect band = clip.toAlignedRect();
        painter.fillRect(band, background);
        painter.setPen(colour);
        for (const QGlyphRun &run : line.runs)
            drawRun(painter, origin - QPointF(0, line.ascent), run, colour);
        return band;
    }
    const LaidOutLine &line = laidOut(text, font, painter.device());
    const QPointF topLeft = origin - QPointF(0, line.ascent);
    painter.setPen(colour);
    for (const QGlyphRun &run : line.runs)
        drawRun(painter, topLeft, run, colour);
    return QRect();
}
