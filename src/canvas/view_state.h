// What the user is looking at: zoom and scroll of the canvas, and the last
// mouse position in tree units. Shared by the canvas, the layout code and
// the loaders, which centre the view on the home person.
#pragma once

#include <cstdint>

namespace lineara {

struct ViewState {
    double zoomPercent = 100.0;
    int32_t scrollX = 0;  // tree units
    int32_t scrollY = 0;
    int32_t mouseTreeX = 0;
    int32_t mouseTreeY = 0;
    bool dragging = false;
};

}  // namespace lineara
