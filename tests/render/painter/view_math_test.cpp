#include "core/view/view_math.h"

#include <gtest/gtest.h>

#include "support/paint_support.h"

namespace lineara {
namespace {

using test::plainView;

TEST(ViewMath, RoundsHalvesToEven) {
    EXPECT_EQ(roundHalfEven(0.5), 0);
    EXPECT_EQ(roundHalfEven(1.5), 2);
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(-0.5), 0);
    EXPECT_EQ(roundHalfEven(-1.5), -2);
    EXPECT_EQ(roundHalfEven(2.5000001), 3);
    EXPECT_EQ(roundHalfEven(-2.5000001), -3);
    EXPECT_EQ(roundHalfEven(0.49999999999999994), 0);
    // Where doubles still have halves but the quick way has no room.
    EXPECT_EQ(roundHalfEven(4503599627370495.5), 4503599627370496);
    EXPECT_EQ(roundHalfEven(3377699720527872.5), 3377699720527872);
    EXPECT_EQ(roundHalfEven(1e30), roundHalfEven(1e31));  // saturates, no overflow
}

TEST(ViewMath, AddsTheScrollBeforeScaling) {
    ViewState view = plainView(50, 10, -20);
    // (x + 10) · 0.5: 5 → 7.5 rounds to 8, 3 → 6.5 rounds to 6.
    EXPECT_EQ(treeToPixelX(view, 5), 8);
    EXPECT_EQ(treeToPixelX(view, 3), 6);
    EXPECT_EQ(treeToPixelY(view, 25), 2);  // (25 − 20) · 0.5 = 2.5 → 2
    EXPECT_EQ(treeToPixelY(view, 27), 4);  // 3.5 → 4
    // Far points stay exact in 64 bits.
    ViewState far = plainView(244.140625, 2'000'000'000, 0);
    EXPECT_EQ(treeToPixelX(far, 2'000'000'000), 9'765'625'000);
}

TEST(ViewMath, TheInverseFindsTheTreePointUnderAPixel) {
    ViewState view = plainView(125, -300, 40);
    for (int32_t x : {-1000, -1, 0, 7, 333, 90000}) {
        EXPECT_EQ(pixelToTreeX(view, treeToPixelX(view, x)), x) << x;
        EXPECT_EQ(pixelToTreeY(view, treeToPixelY(view, x)), x) << x;
    }
    ViewState tiny = plainView(1, 50, 0);
    EXPECT_EQ(pixelToTreeX(tiny, 3), 250);  // (3 − 0.5) / 0.01
    EXPECT_EQ(pixelToTreeX(plainView(1e-9), 1'000'000), INT32_MAX);
}

TEST(ViewMath, ClampsLinePointsTo20000Pixels) {
    EXPECT_EQ(clampPixel(25000), 20000);
    EXPECT_EQ(clampPixel(-9'000'000'000), -20000);
    EXPECT_EQ(clampPixel(19999), 19999);
}

TEST(ViewMath, BoxSidesAreMappedEachOnItsOwn) {
    // At 33 % a box at 1 covers round(11 · .33) .. round(151 · .33) with
    // scroll 10: the width is not round(140 · .33).
    BoxRect box = boxRect(plainView(33, 10, 0), 1, 2);
    EXPECT_EQ(box.left, 4);     // 3.63
    EXPECT_EQ(box.right, 50);   // 49.83
    EXPECT_EQ(box.top, 1);      // 0.66
    EXPECT_EQ(box.bottom, 27);  // 27.06
    // Two boxes side by side share their border column.
    EXPECT_EQ(boxRect(plainView(33, 10, 0), 141, 2).left, box.right);
}

TEST(ViewMath, ABoxIsVisibleWhenAnyOfItIsInTheWindow) {
    EXPECT_TRUE((BoxRect{-10, -10, 1, 1}).visibleIn(100, 50));
    EXPECT_FALSE((BoxRect{-10, -10, 0, 1}).visibleIn(100, 50));  // right edge at 0
    EXPECT_FALSE((BoxRect{-10, -10, 1, 0}).visibleIn(100, 50));
    EXPECT_TRUE((BoxRect{99, 49, 200, 200}).visibleIn(100, 50));
    EXPECT_FALSE((BoxRect{100, 0, 200, 200}).visibleIn(100, 50));
    EXPECT_FALSE((BoxRect{0, 50, 200, 200}).visibleIn(100, 50));
}

TEST(ViewMath, FontCellHeightScalesAndNeverVanishes) {
    EXPECT_EQ(fontCellHeight(16, 100), 16);
    EXPECT_EQ(fontCellHeight(16, 1), 1);  // 0.16 would round to 0
    EXPECT_EQ(fontCellHeight(16, 0.96), 1);
    EXPECT_EQ(fontCellHeight(16, 15), 2);    // 2.4
    EXPECT_EQ(fontCellHeight(10, 125), 12);  // 12.5, half to even
}

}  // namespace
}  // namespace lineara
