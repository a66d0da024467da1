// The view commands as arithmetic on the view state: zoom steps, zoom to
// a given percentage, centring on a person, scroll steps, the result of an
// area zoom, and the alignment of the selection.
//
// The window size is passed in (the canvas size, the same one the paint's
// visibility tests use), so the windows, the loaders and the tests all get
// the same figures. Each function says whether a repaint is due; the caller
// repaints.
#pragma once

#include <cstdint>

#include "core/model/document.h"
#include "core/view/view_state.h"

namespace lineara {

struct WindowExtent {
    int width = 0;
    int height = 0;
};

// One step in: ×1.25, keeping the window centre fixed. The zoom is tested
// before the multiplication, so it can end above 200 (180 → 225); from 200
// on nothing changes. Always asks for a repaint.
bool zoomInStep(ViewState& view, WindowExtent window);
// One step out: ÷1.25 around the window centre. At 1 % or below nothing
// happens and no repaint is asked for; the zoom can end below 1 (1.2 → 0.96).
bool zoomOutStep(ViewState& view, WindowExtent window);
// Sets the zoom to `percent` keeping the window centre fixed. A
// non-positive percentage is refused (returns false).
bool zoomTo(ViewState& view, WindowExtent window, double percent);

// Centres the box at (posX, posY) in the window at 100 %.
void centreAt100(ViewState& view, WindowExtent window, int32_t posX, int32_t posY);
// Centres the box at the present zoom: centred at 100, then zoomed back.
void centreAtPresentZoom(ViewState& view, WindowExtent window, int32_t posX, int32_t posY);

enum class ScrollDirection { Left, Right, Up, Down };
// One scroll step of about `scrollStep` pixels: round(scrollStep / z) tree
// units. Left shows more of the tree on the left, so the boxes move right.
void scrollByStep(ViewState& view, ScrollDirection direction, int scrollStep);

// The release of an area-zoom band with corners (x1, y1) and (x2, y2) in
// tree units: the band's top-left corner becomes the window's, and the
// band's width fills the window, at most 200 %. A band of no width only
// moves the view.
void zoomToArea(ViewState& view, WindowExtent window, int32_t x1, int32_t y1, int32_t x2,
                int32_t y2);

enum class AlignSide { Left, Right, Top, Bottom };
// Moves every selected box to the smallest (left, top) or largest (right,
// bottom) position of the selection on that axis and marks the tree
// modified, even when nothing moves. Returns false without a selection.
bool alignSelection(Document& doc, AlignSide side);

// The whole tree at once: the zoom at which every box fits the window,
// `margin` pixels kept free on each side, at most 200 % (as an area zoom),
// with the tree's middle in the window's. False, changing nothing, for an
// empty tree or a window too small to hold anything.
bool showWholeTree(ViewState& view, const PersonList& list, WindowExtent window, int margin = 10);

// Where a freshly opened tree is shown: at 100 %, the home person in the
// middle of the window.
void centreOnHome(ViewState& view, const PersonList& list, WindowExtent window);

}  // namespace lineara
