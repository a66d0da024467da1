// Reducing a picture to fit a frame: the photographs and thumbnails of the
// HTML presentation.
#pragma once

namespace lineara {

struct PictureSize {
    int width = 0;
    int height = 0;
    bool operator==(const PictureSize& o) const { return width == o.width && height == o.height; }
};

// A picture larger than `frame` in either direction is scaled down, keeping
// its proportions, until it fits; sizes are rounded to the nearest pixel
// (halves up) and never drop below 1. A picture that fits already keeps its
// size: pictures are never enlarged. Sizes below 1 (an empty picture or
// frame) give 0 x 0.
PictureSize fitWithin(PictureSize picture, PictureSize frame);

}  // namespace lineara
