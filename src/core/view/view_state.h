// What the user is looking at: the zoom and the scroll of the canvas, in
// tree units, and which property the box fills show. The painter, the view commands and the tool's
// renderer share it; what the mouse is doing is the canvas's own business
// (gui/canvas/gesture_state.h).
#pragma once

#include <cstdint>

#include "core/view/colour_code.h"

namespace lineara {

struct ViewState {
    double zoomPercent = 100.0;
    int32_t scrollX = 0;  // tree units
    int32_t scrollY = 0;
    ColourCode colourCode = ColourCode::None;
};

}  // namespace lineara
