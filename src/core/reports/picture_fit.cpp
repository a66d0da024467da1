#include "core/reports/picture_fit.h"

#include <algorithm>
#include <cstdint>

namespace lineara {

namespace {

// round(value * num / den) with halves rounded up, in integers so that a
// size such as 200 * 193 / 400 = 96.5 rounds the same on every machine.
int scaledRounded(int64_t value, int64_t num, int64_t den) {
    return int((2 * value * num + den) / (2 * den));
}

}  // namespace

PictureSize fitWithin(PictureSize picture, PictureSize frame) {
    if (picture.width < 1 || picture.height < 1 || frame.width < 1 || frame.height < 1) {
        return {};
    }
    if (picture.width <= frame.width && picture.height <= frame.height) return picture;
    PictureSize fitted;
    // The side that overshoots its frame the most sets the scale:
    // width / frame.width >= height / frame.height, cross-multiplied.
    if (int64_t(picture.width) * frame.height >= int64_t(picture.height) * frame.width) {
        fitted.width = frame.width;
        fitted.height = scaledRounded(picture.height, frame.width, picture.width);
    } else {
        fitted.height = frame.height;
        fitted.width = scaledRounded(picture.width, frame.height, picture.height);
    }
    fitted.width = std::max(1, fitted.width);
    fitted.height = std::max(1, fitted.height);
    return fitted;
}

}  // namespace lineara
