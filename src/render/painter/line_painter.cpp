#include "render/painter/line_painter.h"

namespace lineara {

void drawLineTo(QPainter& painter, QPoint from, QPoint to, const QColor& colour,
                LinePattern pattern, QSize window) {
    forEachLineRun(from.x(), from.y(), to.x(), to.y(), pattern, window.width(), window.height(),
                   [&](const LineRun& run) {
                       if (run.horizontal) {
                           painter.fillRect(run.x, run.y, run.length, 1, colour);
                       } else {
                           painter.fillRect(run.x, run.y, 1, run.length, colour);
                       }
                   });
}

void drawPolyline(QPainter& painter, const QPoint* points, int count, const QColor& colour,
                  QSize window) {
    for (int i = 1; i < count; ++i) {
        drawLineTo(painter, points[i - 1], points[i], colour, kSolidLine, window);
    }
}

}  // namespace lineara
