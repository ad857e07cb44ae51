#include "textlayout.h"

#include "glyphimages.h"

#include <QCache>
#include <QColor>
#include <QPaintDevice>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>

#include <algorithm>

namespace {

// How many layouts are kept: more than a banner's text shows at once.
constexpr int layoutsKept = 256;

std::optional<std::vector<PlacedCharacter>> charactersOf(const QString &text, const QList<QGlyphRun> &runs)
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
    std::vector<PlacedCharacter> characters;
    const QList<quint32> glyphs = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        if (i > 0 && positions[i].x() < positions[i - 1].x())
            return std::nullopt;
        const QRectF ink = run.rawFont().boundingRect(glyphs[i]);
        characters.push_back(
            {positions[i].x(), glyphs[i], positions[i].x() + ink.left(), positions[i].x() + ink.right()});
    }
    return characters;
}

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

} // namespace

const LaidOutLine &laidOut(const QString &text, const QFont &font, const QPaintDevice *device)
{
    static QCache<LineKey, LaidOutLine> lines(layoutsKept);
    const LineKey key{text, font, device ? qreal(device->logicalDpiX()) : 0.0};
    if (const LaidOutLine *found = lines.object(key))
        return *found;
    QTextLayout layout(text, font, const_cast<QPaintDevice *>(device));
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    auto *made = new LaidOutLine;
    if (line.isValid()) {
        made->runs = layout.glyphRuns();
        made->ascent = line.ascent();
        made->descent = line.descent();
        made->width = line.naturalTextWidth();
        made->characters = charactersOf(text, made->runs);
    }
    lines.insert(key, made);
    return *lines.object(key);
}

void drawText(QPainter &painter, const QPointF &origin, const QString &text, const QFont &font, const QColor &colour)
{
    const LaidOutLine &line = laidOut(text, font, painter.device());
    painter.setPen(colour);
    for (const QGlyphRun &run : line.runs)
        drawGlyphs(painter, origin - QPointF(0, line.ascent), run, colour);
}
