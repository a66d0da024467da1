// The mapping between tree units and window pixels, shared by painting, hit
// tests and every gesture, so that all of them agree to the pixel.
//
// A tree point (x, y) lands on pixel (round((x + scrollX)·z),
// round((y + scrollY)·z)) with z = zoomPercent / 100: the scroll offset is
// in tree units and is added before scaling. Rounding is to nearest with
// halves to even, as the floating-point unit does by default.
//
// Pixel values are 64-bit: a far-off box at a high zoom lies well beyond
// the range of a 32-bit coordinate, and only the visibility tests and the
// line clamp bring it back into drawing range.
//
// The mapping runs a dozen times for every record of the tree in each
// paint, hence the inline functions.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/model/box_index.h"
#include "core/model/person_record.h"
#include "core/view/view_state.h"

namespace lineara {

// Line end points are clamped to this many pixels either side of the
// origin before drawing, so that far-off points stay in drawing range.
constexpr int kPixelClamp = 20000;

// Nearest integer, halves to even; saturates far outside the int64 range.
inline int64_t roundHalfEven(double value) {
    // Adding and taking away 1.5 · 2^52 leaves no room for a fraction, so
    // the sum is rounded by the processor's own rounding: to nearest,
    // halves to even. That is nearbyint's answer without its library call.
    constexpr double kShift = 6755399441055744.0;  // 1.5 · 2^52
    constexpr double kExact = 2251799813685248.0;  // 2^51
    if (value > -kExact && value < kExact) return static_cast<int64_t>((value + kShift) - kShift);
    constexpr double kBound = 9.0e18;  // inside int64, so the conversion is defined
    if (!(value > -kBound)) return static_cast<int64_t>(-kBound);  // NaN too
    if (value > kBound) return static_cast<int64_t>(kBound);
    return static_cast<int64_t>(std::nearbyint(value));
}

inline double zoomFactor(const ViewState& view) { return view.zoomPercent / 100.0; }

// round(units · z): lengths that scale with the zoom (the line stub, half
// a box width).
inline int64_t scaledLength(const ViewState& view, double units) {
    return roundHalfEven(units * zoomFactor(view));
}

inline int64_t treeToPixelX(const ViewState& view, int64_t treeX) {
    return roundHalfEven(static_cast<double>(treeX + view.scrollX) * zoomFactor(view));
}

inline int64_t treeToPixelY(const ViewState& view, int64_t treeY) {
    return roundHalfEven(static_cast<double>(treeY + view.scrollY) * zoomFactor(view));
}

struct PixelPoint {
    int64_t x = 0;
    int64_t y = 0;
};

inline PixelPoint treeToPixel(const ViewState& view, int64_t treeX, int64_t treeY) {
    return PixelPoint{treeToPixelX(view, treeX), treeToPixelY(view, treeY)};
}

// The inverse used by hit tests: round((px − scrollX·z) / z), saturated to
// the int32 range of tree coordinates.
int32_t pixelToTreeX(const ViewState& view, int64_t px);
int32_t pixelToTreeY(const ViewState& view, int64_t py);

inline int clampPixel(int64_t v) {
    return static_cast<int>(std::clamp<int64_t>(v, -kPixelClamp, kPixelClamp));
}

// Whether a pixel lies inside a window of the given size.
inline bool insideWindow(int64_t x, int64_t y, int width, int height) {
    return x >= 0 && x < width && y >= 0 && y < height;
}

// A box on the screen. The fill covers [left, right) × [top, bottom); the
// edge lies on column `right` and row `bottom`.
struct BoxRect {
    int64_t left = 0;
    int64_t top = 0;
    int64_t right = 0;
    int64_t bottom = 0;

    // Whether any of it can show in a window of the given size.
    bool visibleIn(int width, int height) const {
        return bottom > 0 && right > 0 && left < width && top < height;
    }
};

// Each side is mapped on its own (right = round((posX + scrollX + 140)·z)),
// not derived from the width, so neighbouring boxes meet without gaps.
inline BoxRect boxRect(const ViewState& view, int32_t posX, int32_t posY) {
    return BoxRect{treeToPixelX(view, posX), treeToPixelY(view, posY),
                   treeToPixelX(view, int64_t(posX) + kBoxWidth),
                   treeToPixelY(view, int64_t(posY) + kBoxHeight)};
}

// The tree units whose pixels can fall within [0, width) × [0, height),
// with a few units to spare for the rounding: what the box index is asked
// for when a window or a page is painted. False when the zoom maps no
// finite area (zero, negative or not a number).
bool windowArea(const ViewState& view, int64_t width, int64_t height, TreeArea& area);

// The character cell height of the box text in pixels: the screen font
// size scaled with the zoom, never below one pixel.
int fontCellHeight(int fontSize, double zoomPercent);

}  // namespace lineara
