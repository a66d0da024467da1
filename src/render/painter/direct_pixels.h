// Writing the pixels of the picture directly instead of asking QPainter
// for every one-pixel run of a line or every box text. The tree is drawn in
// whole, fully opaque pixels without antialiasing, so on a plain 32-bit
// image with nothing that changes how a pixel lands (no transformation,
// clipping, opacity or raster operation) a fill is just a store, and a
// painter's per-call work is most of what a run or a small text costs.
#pragma once

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QRgb>
#include <optional>

namespace lineara {

class DirectPixels {
public:
    // The pixels `painter` draws on, when writing them gives exactly what
    // the painter would draw; none otherwise (any other device, format or
    // painter state), and the caller draws through the painter.
    static std::optional<DirectPixels> of(const QPainter& painter);

    // Fills [x, x + width) × [y, y + height), cut to the image, with an
    // opaque colour.
    void fill(int x, int y, int width, int height, QRgb colour);

    // Copies the fully opaque pixels of `stamp` (premultiplied ARGB),
    // placed with its top-left corner at `at`, that lie inside `clip`. The
    // rest of the stamp is transparent and leaves the picture as it is.
    void stamp(const QImage& stamp, QPoint at, const QRect& clip);

private:
    DirectPixels(uchar* bits, qsizetype stride, int width, int height)
        : bits_(bits), stride_(stride), width_(width), height_(height) {}
    QRgb* row(int y) { return reinterpret_cast<QRgb*>(bits_ + y * stride_); }

    uchar* bits_;
    qsizetype stride_;
    int width_;
    int height_;
};

}  // namespace lineara
