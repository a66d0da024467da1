// A paint device standing for one tile of a picture drawn into another
// painter (an SVG generator, a PDF page). What is painted on it reaches the
// target moved to the tile's place and clipped to the tile, so that a tile
// painted after its neighbour does not paint over it (where the target
// clips).
//
// The tree's lines arrive as many small rectangles of one colour, a few
// pixels each: drawn one by one, each would be an element of its own in a
// vector file, with its own style. Consecutive rectangles of one colour are
// gathered instead and drawn together when anything else comes: as one
// path, or on a PDF page as rectangles and stroked lines, which it writes
// shorter. A clip is passed on only when it changes what is drawn.
#pragma once

#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QRect>
#include <memory>

namespace lineara {

class TileDevice : public QPaintDevice {
public:
    // `tile`: the tile's rectangle in the target's coordinates; painting
    // on the device uses the tile's own, with (0, 0) at its corner.
    TileDevice(QPainter& target, const QRect& tile);
    ~TileDevice() override;
    TileDevice(const TileDevice&) = delete;
    TileDevice& operator=(const TileDevice&) = delete;

    QPaintEngine* paintEngine() const override;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    class Engine;
    QPainter& target_;
    QRect tile_;
    std::unique_ptr<Engine> engine_;
};

}  // namespace lineara
