#pragma once

class QColor;
class QGlyphRun;
class QPainter;
class QPointF;

// Draws a run's glyphs as QPainter::drawGlyphRun does, only those that can
// reach into the painter's clip. Qt keeps images of glyphs up to 64 device
// pixels and draws larger ones from their outlines every time; these are
// drawn from images kept here instead, at a quarter of a pixel's
// precision, within a budget of memory.
void drawGlyphs(QPainter &painter, const QPointF &topLeft, const QGlyphRun &run, const QColor &colour);
