#include "render/painter/line_painter.h"

namespace lineara {

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
    forEachLineRun(from.x(), from.y(), to.x(), to.y(), pattern, window.width(), window.height(),
                   [&](const LineRun& run) {
                       if (run.horizontal) {
                           painter.fillRect(run.x, run.y, run.length, 1, colour);
                       } else {
                           painter.fillRect(run.x, run.y, 1, run.length, colour);
                       }
                   });
}

void drawLineTo(QPainter& painter, QPoint from, QPoint to, const QColor& colour,
                LinePattern pattern, QSize window) {
    drawLineTo(painter, nullptr, from, to, colour, pattern, window);
}

void drawPolyline(QPainter& painter, DirectPixels* direct, const QPoint* points, int count,
                  const QColor& colour, QSize window) {
    for (int i = 1; i < count; ++i) {
        drawLineTo(painter, direct, points[i - 1], points[i], colour, kSolidLine, window);
    }
}

void drawPolyline(QPainter& painter, const QPoint* points, int count, const QColor& colour,
                  QSize window) {
    drawPolyline(painter, nullptr, points, count, colour, window);
}

}  // namespace lineara
