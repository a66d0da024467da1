// The last pass of the automatic arrangement: going up from the bottom
// row, each row above is moved sideways so that it is centred over the
// boxes of the row below that have a father or a mother.
#pragma once

#include <cstdint>
#include <vector>

namespace lineara {

// Rows are the boxes of exactly equal posY; the row "above" row Y is the
// lowest row strictly between Y - 1000 and Y. Going up ends at the first
// row with no such row above it; the boxes standing exactly at Y - 1000
// then still get the last shift, as they always have. The shift of a row
// is ((Rmax - A) - (B - Rmin)) / 2, truncated toward zero, where [Rmin,
// Rmax] is the row's span and [B, A] the span of the boxes with parents
// below it; every maximum starts from the smallest posX of the tree and
// every minimum from the greatest, both taken before anything moved.
//
// The three vectors are parallel, one entry a box. Costs n log n: the
// boxes are grouped by row once.
void CentreRows(std::vector<int32_t>& posX, const std::vector<int32_t>& posY,
                const std::vector<uint8_t>& hasParent);

}  // namespace lineara
