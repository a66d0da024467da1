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

int fontCellHeight(int fontSize, double zoomPercent) {
    int64_t h = roundHalfEven(fontSize * (zoomPercent / 100.0));
    return static_cast<int>(std::clamp<int64_t>(h, 1, std::numeric_limits<int>::max()));
}

}  // namespace lineara
