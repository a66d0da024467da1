// The feedback of the canvas's gestures, drawn straight over the last
// painted picture by inverting its pixels: drawing the same thing twice
// takes it away again, and every full paint starts over from the state.
// The caller shows the picture with update() afterwards.
#pragma once

#include <cstdint>

#include "core/model/person_list.h"
#include "core/view/view_state.h"
#include "gui/canvas/gesture_state.h"

namespace lineara {

class TreeCanvas;

// A 64-bit position brought back into the range of a tree coordinate.
int32_t saturate(int64_t v);

// The band between two corners: dotted, or solid in the zoom-to-area mode.
// The four sides meet without drawing a corner twice.
void invertBand(TreeCanvas& canvas, const ViewState& view, TreePoint a, TreePoint b, bool solid);
// From the centre of `from` to `end`.
void invertLinkLine(TreeCanvas& canvas, const ViewState& view, const PersonRecord& from,
                    TreePoint end);
void invertSelection(TreeCanvas& canvas, const PersonList& persons, const ViewState& view);
void invertPersonBox(TreeCanvas& canvas, const PersonRecord& person, const ViewState& view);
// The quick picture shown while panning.
void drawPanPicture(TreeCanvas& canvas, const PersonList& persons, const ViewState& view);

}  // namespace lineara
