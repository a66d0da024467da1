// What the paint devices of the tree's picture (a tile, an SVG) tell
// QPainter about themselves: a picture of `size` pixels at screen
// resolution, so that fonts are sized in the picture's pixels as on the
// canvas.
#pragma once

#include <QPaintDevice>
#include <QSize>
#include <climits>

namespace lineara {

inline int pictureMetric(QPaintDevice::PaintDeviceMetric metric, QSize size) {
    switch (metric) {
    case QPaintDevice::PdmWidth:
        return size.width();
    case QPaintDevice::PdmHeight:
        return size.height();
    case QPaintDevice::PdmDpiX:
    case QPaintDevice::PdmDpiY:
    case QPaintDevice::PdmPhysicalDpiX:
    case QPaintDevice::PdmPhysicalDpiY:
        return 96;
    case QPaintDevice::PdmDevicePixelRatio:
        return 1;
    case QPaintDevice::PdmDevicePixelRatioScaled:
        return int(QPaintDevice::devicePixelRatioFScale());
    case QPaintDevice::PdmNumColors:
        return INT_MAX;
    case QPaintDevice::PdmDepth:
        return 32;
    case QPaintDevice::PdmWidthMM:
        return size.width() * 254 / 960;
    case QPaintDevice::PdmHeightMM:
        return size.height() * 254 / 960;
    }
    return 0;
}

}  // namespace lineara
