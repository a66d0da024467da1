// One-pixel lines drawn with the pixels of line_raster.h. Runs are filled
// as rectangles, so the painter's composition mode applies to them as to
// any fill: the same code draws the tree's lines and inverted feedback.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QVarLengthArray>

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

// The runs of a polyline as rectangles, for handing to a painter together:
// a painter that is not an image (a printer, a vector file) pays for every
// call, and for every change of pen or brush.
using LineRuns = QVarLengthArray<QRect, 64>;
void gatherPolylineRuns(LineRuns& runs, const QPoint* points, int count, QSize window);

// Plain fills of a colour through a painter: no pen, the brush set only
// when the colour changes, the caller's pen and brush back at the end.
class PlainFills {
public:
    explicit PlainFills(QPainter& painter);
    ~PlainFills();
    PlainFills(const PlainFills&) = delete;
    PlainFills& operator=(const PlainFills&) = delete;

    void fill(const QRect* rects, int count, const QColor& colour);

private:
    QPainter& painter_;
    bool eachOnItsOwn_;
    QPen pen_;
    QBrush brush_;
    QColor colour_;
};

}  // namespace lineara
