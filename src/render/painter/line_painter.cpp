#include "render/painter/line_painter.h"

#include <QVarLengthArray>

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
    // Handed to the painter together: a painter that is not an image
    // (a printer, a vector file) pays for every call, and a fill of its
    // own brings a change of pen and brush with it each time.
    QVarLengthArray<QRect, 64> runs;
    forEachLineRun(from.x(), from.y(), to.x(), to.y(), pattern, window.width(), window.height(),
                   [&](const LineRun& run) {
                       runs.append(run.horizontal ? QRect(run.x, run.y, run.length, 1)
                                                  : QRect(run.x, run.y, 1, run.length));
                   });
    if (runs.size() == 1) {
        painter.fillRect(runs[0], colour);
    } else if (runs.size() > 1) {
        const QPen pen = painter.pen();
        const QBrush brush = painter.brush();
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawRects(runs.constData(), int(runs.size()));
        painter.setPen(pen);
        painter.setBrush(brush);
    }
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
