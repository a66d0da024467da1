// Where the boxes of a pedigree go: each generation spread evenly over a
// band centred on the left edge of the person at the bottom, the band as
// wide as the topmost generation at 150 tree units a box.
//
// The organise command and the command that creates an empty pedigree
// compute the same pattern with their formulas written differently; each
// keeps its own order of floating-point operations, because at halves the
// order decides which way a position rounds.
#pragma once

#include <cstdint>

namespace lineara {

// 1 and 2 are the numbers the commands have always passed for the styles.
enum class TreeStyle { Compact = 1, Fractal = 2 };

struct BoxPosition {
    int32_t x = 0;
    int32_t y = 0;
};

// The organised place of the ancestor in column e (1 .. 2^q) of generation
// q (1 .. b-1) above a root at (ox, oy), in a pedigree of b generations
// with the root.
BoxPosition organizedPosition(TreeStyle style, int b, int q, int e, int32_t ox, int32_t oy);

// The place of a created ancestor in column e (1 .. 2^i) of generation i
// (1 .. a-1) above a root at (ox, oy), in a pedigree of a generations with
// the root.
BoxPosition createdPosition(TreeStyle style, int a, int i, int e, int32_t ox, int32_t oy);

}  // namespace lineara
