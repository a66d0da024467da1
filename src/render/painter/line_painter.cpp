#include "render/painter/line_painter.h"

#include <QPaintEngine>

namespace lineara {

namespace {

void gatherLineRuns(LineRuns& runs, QPoint from, QPoint to, LinePattern pattern, QSize window) {
    forEachLineRun(from.x(), from.y(), to.x(), to.y(), pattern, window.width(), window.height(),
                   [&](const LineRun& run) {
                       runs.append(run.horizontal ? QRect(run.x, run.y, run.length, 1)
                                                  : QRect(run.x, run.y, 1, run.length));
                   });
}

}  // namespace

void gatherPolylineRuns(LineRuns& runs, const QPoint* points, int count, QSize window) {
    for (int i = 1; i < count; ++i) {
        gatherLineRuns(runs, points[i - 1], points[i], kSolidLine, window);
    }
}

PlainFills::PlainFills(QPainter& painter)
    : painter_(painter),
      // An image's painter fills a rectangle of a colour without touching
      // its pen and brush, cheaper than changing them.
      eachOnItsOwn_(painter.paintEngine() != nullptr &&
                    painter.paintEngine()->type() == QPaintEngine::Raster) {
    if (eachOnItsOwn_) return;
    pen_ = painter.pen();
    brush_ = painter.brush();
    painter_.setPen(Qt::NoPen);
}

PlainFills::~PlainFills() {
    if (eachOnItsOwn_) return;
    painter_.setPen(pen_);
    painter_.setBrush(brush_);
}

void PlainFills::fill(const QRect* rects, int count, const QColor& colour) {
    if (eachOnItsOwn_) {
        for (int i = 0; i < count; ++i) painter_.fillRect(rects[i], colour);
        return;
    }
    if (count <= 0) return;
    if (colour != colour_ || !colour_.isValid()) {
        painter_.setBrush(colour);
        colour_ = colour;
    }
    painter_.drawRects(rects, count);
}

void drawLineTo(QPainter& painter, DirectPixels* direct, QPoint from, QPoint to,
                const QColor& colour, LinePattern pattern, QSize window) {
    if (direct != nullptr) {
        const QRgb rgb = colour.rgba();
        forEachLineRun(from.x(), from.y(), to.x(), to.y(), pattern, window.width(), window.height(),
                       [&](const LineRun& run) {
                           if (run.horizontal) {
                               direct->fill(run.x, run.y, run.length, 1, rgb);
                           } else {
                               direct->fill(run.x, run.y, 1, run.length, rgb);
                           }
                       });
        return;
    }
    LineRuns runs;
    gatherLineRuns(runs, from, to, pattern, window);
    if (!runs.isEmpty()) PlainFills(painter).fill(runs.constData(), int(runs.size()), colour);
}

void drawLineTo(QPainter& painter, QPoint from, QPoint to, const QColor& colour,
                LinePattern pattern, QSize window) {
    drawLineTo(painter, nullptr, from, to, colour, pattern, window);
}

void drawPolyline(QPainter& painter, DirectPixels* direct, const QPoint* points, int count,
                  const QColor& colour, QSize window) {
    if (direct != nullptr) {
        for (int i = 1; i < count; ++i) {
            drawLineTo(painter, direct, points[i - 1], points[i], colour, kSolidLine, window);
        }
        return;
    }
    LineRuns runs;
    gatherPolylineRuns(runs, points, count, window);
    if (!runs.isEmpty()) PlainFills(painter).fill(runs.constData(), int(runs.size()), colour);
}

void drawPolyline(QPainter& painter, const QPoint* points, int count, const QColor& colour,
                  QSize window) {
    drawPolyline(painter, nullptr, points, count, colour, window);
}

}  // namespace lineara
