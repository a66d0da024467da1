// What the user is looking at: the zoom and the scroll of the canvas, in
// tree units. The painter, the view commands and the tool's renderer share
// it; what the mouse is doing is the canvas's own business
// (gui/canvas/gesture_state.h).
#pragma once

#include <cstdint>

namespace lineara {

struct ViewState {
    double zoomPercent = 100.0;
    int32_t scrollX = 0;  // tree units
    int32_t scrollY = 0;
};

}  // namespace lineara
