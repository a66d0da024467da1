// One-pixel lines drawn with the pixels of line_raster.h. Runs are filled
// as rectangles, so the painter's composition mode applies to them as to
// any fill: the same code draws the tree's lines and inverted feedback.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPoint>
#include <QSize>

#include "render/painter/direct_pixels.h"
#include "render/painter/line_raster.h"

namespace lineara {

// From `from` to `to`, leaving out `to`. Only the part inside `window`
// is visited.
void drawLineTo(QPainter& painter, QPoint from, QPoint to, const QColor& colour,
                LinePattern pattern, QSize window);

// Joined segments; every joint is drawn once and the last point not at all.
void drawPolyline(QPainter& painter, const QPoint* points, int count, const QColor& colour,
                  QSize window);

// The same, with the runs stored straight into `direct` when there is one
// (the painter's own pixels, see direct_pixels.h; the colour opaque).
void drawLineTo(QPainter& painter, DirectPixels* direct, QPoint from, QPoint to,
                const QColor& colour, LinePattern pattern, QSize window);
void drawPolyline(QPainter& painter, DirectPixels* direct, const QPoint* points, int count,
                  const QColor& colour, QSize window);

}  // namespace lineara
