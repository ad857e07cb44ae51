#include "glyphimages.h"

#include <QCache>
#include <QColor>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QRawFont>

#include <cmath>

namespace {

// Qt's own limit: glyphs larger than this many device pixels are drawn
// from their outlines.
constexpr qreal largestGlyphQtKeeps = 64.0;
// A glyph is drawn at a quarter of a pixel's precision each way.
constexpr int phases = 4;
constexpr qsizetype budgetInBytes = 16 * 1024 * 1024;
// Around a glyph's bounds, for the blending at its edges.
constexpr int antialiasingMargin = 2;

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
    const QRect area = QRectF(bounds.topLeft() * key.scale, bounds.size() * key.scale)
                           .toAlignedRect()
                           .adjusted(-antialiasingMargin, -antialiasingMargin, antialiasingMargin, antialiasingMargin);
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
        && run.rawFont().pixelSize() * transform.m11() > largestGlyphQtKeeps;
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

} // namespace

void drawGlyphs(QPainter &painter, const QPointF &topLeft, const QGlyphRun &run, const QColor &colour)
{
    const QGlyphRun shown = visiblePart(painter, topLeft, run);
    if (drawsFromOutlines(painter, shown))
        drawFromImages(painter, topLeft, shown, colour);
    else
        painter.drawGlyphRun(topLeft, shown);
}
