// One-pixel lines drawn with the pixels of line_raster.h. Runs are filled
// as rectangles, so the painter's composition mode applies to them as to
// any fill: the same code draws the tree's lines and inverted feedback.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPoint>
#include <QSize>

#include "render/painter/line_raster.h"

namespace lineara {

// From `from` to `to`, leaving out `to`. Only the part inside `window`
// is visited.
void drawLineTo(QPainter& painter, QPoint from, QPoint to, const QColor& colour,
                LinePattern pattern, QSize window);

// Joined segments; every joint is drawn once and the last point not at all.
void drawPolyline(QPainter& painter, const QPoint* points, int count, const QColor& colour,
                  QSize window);

}  // namespace lineara
