// The geometry behind the canvas gestures: hit test, rubber band, snapping
// and the drag threshold, all in tree units.
#include "core/view/hit_test.h"

#include <gtest/gtest.h>

#include "support/add_person.h"

namespace lineara {
namespace {

class HitTestTest : public ::testing::Test {
protected:
    PersonRecord* add(int32_t x, int32_t y) { return test::addPerson(list, "", "", x, y); }
    PersonList list;
};

TEST_F(HitTestTest, LaterBoxWinsWhereBoxesOverlapAndEdgesBelongToTheBox) {
    PersonRecord* under = add(0, 0);
    PersonRecord* over = add(100, 50);
    EXPECT_EQ(hitTest(list, 50, 20), under);
    EXPECT_EQ(hitTest(list, 120, 60), over);  // in both: the later one
    EXPECT_EQ(hitTest(list, 0, 0), under);
    EXPECT_EQ(hitTest(list, 240, 130), over);  // bottom-right corner, posX+140, posY+80
    EXPECT_EQ(hitTest(list, 241, 100), nullptr);
    EXPECT_EQ(hitTest(list, 120, 131), nullptr);
    EXPECT_EQ(hitTest(list, -1, 10), nullptr);
}

TEST_F(HitTestTest, NothingIsHitInAnEmptyTree) {
    EXPECT_EQ(hitTest(list, 0, 0), nullptr);
    add(0, 0);
    EXPECT_NE(hitTest(list, 70, 40), nullptr);  // (the area zoom mode: see the canvas tests)
}

TEST_F(HitTestTest, BandCatchesTheSameBoxesInAllFourDirectionsInListOrder) {
    PersonRecord* a = add(300, 300);
    PersonRecord* b = add(100, 100);
    add(1000, 1000);
    const std::vector<const PersonRecord*> expected{a, b};
    EXPECT_EQ(boxesInBand(list, 50, 50, 400, 400), expected);
    EXPECT_EQ(boxesInBand(list, 400, 400, 50, 50), expected);
    EXPECT_EQ(boxesInBand(list, 400, 50, 50, 400), expected);
    EXPECT_EQ(boxesInBand(list, 50, 400, 400, 50), expected);
}

TEST_F(HitTestTest, BandTouchingOnlyAnEdgeCatchesNothingButOneUnitOfOverlapDoes) {
    add(200, 200);
    EXPECT_TRUE(boxesInBand(list, 0, 0, 200, 300).empty());    // posX = max x
    EXPECT_TRUE(boxesInBand(list, 340, 0, 500, 300).empty());  // posX + 140 = min x
    EXPECT_TRUE(boxesInBand(list, 0, 0, 300, 200).empty());    // posY = max y
    EXPECT_TRUE(boxesInBand(list, 0, 280, 300, 400).empty());  // posY + 80 = min y
    EXPECT_EQ(boxesInBand(list, 0, 0, 201, 201).size(), 1u);
    EXPECT_EQ(boxesInBand(list, 339, 279, 500, 400).size(), 1u);
}

TEST_F(HitTestTest, SnappingLandsOnFiveKPlusTwoWhateverTheGrabPoint) {
    for (int32_t grab = 0; grab <= 140; grab += 7) {
        for (int32_t mouse = 200; mouse < 220; ++mouse) {
            const int32_t x = snapToGrid(mouse, grab);
            EXPECT_EQ(((x % 5) + 5) % 5, 2) << mouse << " " << grab;
            EXPECT_LE(std::abs(x - (mouse - grab)), 5);
        }
    }
    EXPECT_EQ(snapToGrid(107, 0), 107);
    EXPECT_EQ(snapToGrid(109, 0), 107);
    EXPECT_EQ(snapToGrid(110, 0), 112);
}

TEST_F(HitTestTest, SnappingTruncatesTowardZeroForNegativePositions) {
    // (−7) div 5 = −1, so −5 + 2; (−3) div 5 = 0, so 2: both sides of zero
    // land on 2 and negative positions on 5k−3.
    EXPECT_EQ(snapToGrid(-7, 0), -3);
    EXPECT_EQ(snapToGrid(-3, 0), 2);
    EXPECT_EQ(snapToGrid(3, 0), 2);
    EXPECT_EQ(snapToGrid(-12, 0), -8);
    EXPECT_EQ(snapToGrid(30, 70), -38);
}

TEST_F(HitTestTest, DragStartsBeyondTenUnitsOnEitherAxisInBothDirections) {
    PersonRecord* r = add(100, 100);
    const struct {
        int32_t dx, dy;
        bool drag;
    } cases[] = {{10, 0, false}, {-10, 0, false}, {0, 10, false}, {10, -10, false},
                 {11, 0, true},  {-11, 0, true},  {0, 11, true},  {0, -11, true}};
    for (const auto& c : cases) {
        EXPECT_EQ(passesDragThreshold(*r, 30, 20, 130 + c.dx, 120 + c.dy), c.drag)
            << c.dx << "," << c.dy;
    }
}

}  // namespace
}  // namespace lineara
