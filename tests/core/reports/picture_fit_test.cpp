// Fitting pictures into the frames of the HTML presentation.
#include "core/reports/picture_fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace lineara {
namespace {

TEST(PictureFit, Table) {
    struct Case {
        PictureSize picture, frame, fitted;
    };
    const Case cases[] = {
        {{60, 40}, {193, 193}, {60, 40}},      // small: never enlarged
        {{193, 193}, {193, 193}, {193, 193}},  // exactly the frame
        {{400, 200}, {193, 193}, {193, 97}},   // 96.5 rounds up
        {{200, 400}, {193, 193}, {97, 193}},  {{194, 10}, {193, 193}, {193, 10}},  // 9.95
        {{3000, 1}, {193, 193}, {193, 1}},  // never below one pixel
        {{1, 3000}, {25, 30}, {1, 30}},       {{193, 97}, {25, 30}, {25, 13}},  // 12.56
        {{40, 300}, {25, 30}, {4, 30}},                                         // tall and narrow
        {{100, 120}, {25, 30}, {25, 30}},  // the frame's own proportions
        {{26, 30}, {25, 30}, {25, 29}},    // 28.85
        {{0, 10}, {25, 30}, {0, 0}},          {{10, 10}, {0, 30}, {0, 0}},
    };
    for (const Case& c : cases) {
        PictureSize got = fitWithin(c.picture, c.frame);
        EXPECT_EQ(got.width, c.fitted.width) << c.picture.width << "x" << c.picture.height;
        EXPECT_EQ(got.height, c.fitted.height) << c.picture.width << "x" << c.picture.height;
    }
}

// Against the rule as written, in floating point: the scale is the smaller
// of the two frame-to-picture ratios, and each side is rounded.
TEST(PictureFit, AgreesWithTheRuleInFloatingPointOverRandomSizes) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> side(1, 5000);
    std::uniform_int_distribution<int> frameSide(1, 300);
    for (int i = 0; i < 100000; ++i) {
        const PictureSize picture{side(random), side(random)};
        const PictureSize frame{frameSide(random), frameSide(random)};
        const PictureSize got = fitWithin(picture, frame);
        ASSERT_LE(got.width, frame.width);
        ASSERT_LE(got.height, frame.height);
        ASSERT_GE(got.width, 1);
        ASSERT_GE(got.height, 1);
        if (picture.width <= frame.width && picture.height <= frame.height) {
            ASSERT_TRUE(got == picture);
            continue;
        }
        const double scale =
            std::min(double(frame.width) / picture.width, double(frame.height) / picture.height);
        const double w = picture.width * scale, h = picture.height * scale;
        // Exact halves are where floating point may land either side.
        if (std::abs(w - std::floor(w) - 0.5) < 1e-9 || std::abs(h - std::floor(h) - 0.5) < 1e-9) {
            continue;
        }
        ASSERT_EQ(got.width, std::max(1, int(std::lround(w))))
            << picture.width << "x" << picture.height << " in " << frame.width << "x"
            << frame.height;
        ASSERT_EQ(got.height, std::max(1, int(std::lround(h))))
            << picture.width << "x" << picture.height << " in " << frame.width << "x"
            << frame.height;
    }
}

}  // namespace
}  // namespace lineara
