#include "render/painter/direct_pixels.h"

#include <QPaintDevice>
#include <QTransform>
#include <algorithm>

namespace lineara {

std::optional<DirectPixels> DirectPixels::of(const QPainter& painter) {
    if (!painter.isActive()) return std::nullopt;
    QPaintDevice* device = painter.device();
    if (device == nullptr || device->devType() != QInternal::Image) return std::nullopt;
    auto* image = static_cast<QImage*>(device);
    switch (image->format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        break;  // an opaque colour is the same word in all three
    default:
        return std::nullopt;
    }
    if (painter.hasClipping() || painter.opacity() != 1.0 ||
        painter.compositionMode() != QPainter::CompositionMode_SourceOver ||
        painter.combinedTransform().type() != QTransform::TxNone) {
        return std::nullopt;
    }
    // The buffer the painter itself writes to: it took it when it began,
    // and asking for writable bits now could detach the image from it.
    auto* bits = const_cast<uchar*>(image->constBits());
    return DirectPixels(bits, image->bytesPerLine(), image->width(), image->height());
}

void DirectPixels::fill(int x, int y, int width, int height, QRgb colour) {
    const QRect area = QRect(x, y, width, height) & QRect(0, 0, width_, height_);
    if (area.isEmpty()) return;
    for (int r = area.top(); r <= area.bottom(); ++r) {
        std::fill_n(row(r) + area.left(), area.width(), colour);
    }
}

void DirectPixels::stamp(const QImage& stamp, QPoint at, const QRect& clip) {
    const QRect area = QRect(at, stamp.size()) & clip & QRect(0, 0, width_, height_);
    if (area.isEmpty()) return;
    for (int r = area.top(); r <= area.bottom(); ++r) {
        const auto* from =
            reinterpret_cast<const QRgb*>(stamp.constScanLine(r - at.y())) + (area.left() - at.x());
        QRgb* to = row(r) + area.left();
        for (int i = 0; i < area.width(); ++i) {
            if (qAlpha(from[i]) == 0xFF) to[i] = from[i];
        }
    }
}

}  // namespace lineara
