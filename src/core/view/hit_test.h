// The geometry of the mouse gestures on the canvas, in tree units: which
// box is under a point, which boxes a rubber band catches, where a dragged
// box snaps to, and when a press on a box becomes a drag.
#pragma once

#include <cstdint>
#include <vector>

#include "core/model/person_list.h"
#include "core/view/view_state.h"

namespace lineara {

// The mouse has to leave its press point by more than this many tree
// units on either axis before a box starts to follow it.
constexpr int32_t kDragThreshold = 10;

// The box under (x, y), edges included. Later boxes are drawn over earlier
// ones, so the last match in list order wins.
const PersonRecord* hitTest(const PersonList& persons, int32_t x, int32_t y);

// The boxes that overlap the band with corners (x1, y1) and (x2, y2) in
// either order, in list order. A box that only touches the band along an
// edge is not caught.
std::vector<const PersonRecord*> boxesInBand(const PersonList& persons, int32_t x1, int32_t y1,
                                             int32_t x2, int32_t y2);

// Where a box grabbed `grabOffset` units from its corner lands when the
// mouse is at `mouse`: (mouse − grabOffset) div step · step + step div 2,
// the division truncating toward zero (step 5: positive positions 5k+2).
int32_t snapToGrid(int32_t mouse, int32_t grabOffset, int32_t step = kGridStep);

// Whether the mouse at (mouseX, mouseY) has gone beyond the drag threshold
// from the point of `box` grabbed at (grabX, grabY) inside it.
bool passesDragThreshold(const PersonRecord& box, int32_t grabX, int32_t grabY, int32_t mouseX,
                         int32_t mouseY);

}  // namespace lineara
