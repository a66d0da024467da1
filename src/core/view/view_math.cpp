#include "core/view/view_math.h"

#include <limits>

namespace lineara {

namespace {

int32_t saturateInt32(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

}  // namespace

int32_t pixelToTreeX(const ViewState& view, int64_t px) {
    double z = zoomFactor(view);
    return saturateInt32(roundHalfEven((static_cast<double>(px) - view.scrollX * z) / z));
}

int32_t pixelToTreeY(const ViewState& view, int64_t py) {
    double z = zoomFactor(view);
    return saturateInt32(roundHalfEven((static_cast<double>(py) - view.scrollY * z) / z));
}

bool windowArea(const ViewState& view, int64_t width, int64_t height, TreeArea& area) {
    const double z = zoomFactor(view);
    if (!(z > 0) || !std::isfinite(z)) return false;
    // Pixel p shows tree units within half a pixel of p / z − scroll.
    auto bound = [](double v) { return int64_t(std::max(-1e15, std::min(v, 1e15))); };
    const double slack = 1.0 / z + 2;
    area.left = bound(std::floor(-slack - view.scrollX));
    area.top = bound(std::floor(-slack - view.scrollY));
    area.right = bound(std::ceil(double(width) / z + slack - view.scrollX));
    area.bottom = bound(std::ceil(double(height) / z + slack - view.scrollY));
    return true;
}

int fontCellHeight(int fontSize, double zoomPercent) {
    int64_t h = roundHalfEven(fontSize * (zoomPercent / 100.0));
    return static_cast<int>(std::clamp<int64_t>(h, 1, std::numeric_limits<int>::max()));
}

}  // namespace lineara
