#include "core/search/nearest_box.h"

#include <gtest/gtest.h>

#include "support/add_person.h"

namespace lineara {
namespace {

// Boxes at the given positions, in list order.
class NearestBox : public ::testing::Test {
protected:
    PersonRecord* add(int32_t x, int32_t y) { return test::addPerson(list, "", "", x, y); }
    PersonList list;
};

TEST_F(NearestBox, AStraightLineBeatsACloserBoxOffToTheSide) {
    PersonRecord* from = add(1000, 1000);
    PersonRecord* sameRow = add(900, 1000);  // cost 100
    add(940, 960);                           // cost 60 + 60
    EXPECT_EQ(nearestBox(list, *from, ScrollDirection::Left), sameRow);
}

TEST_F(NearestBox, EachDirectionLooksOnlyToItsOwnSide) {
    PersonRecord* from = add(0, 0);
    PersonRecord* left = add(-200, 10);
    PersonRecord* right = add(200, -10);
    PersonRecord* up = add(5, -300);
    PersonRecord* down = add(-5, 300);
    EXPECT_EQ(nearestBox(list, *from, ScrollDirection::Left), left);
    EXPECT_EQ(nearestBox(list, *from, ScrollDirection::Right), right);
    EXPECT_EQ(nearestBox(list, *from, ScrollDirection::Up), up);
    EXPECT_EQ(nearestBox(list, *from, ScrollDirection::Down), down);
}

TEST_F(NearestBox, BoxesLevelWithTheStartOrBehindItNeverQualify) {
    PersonRecord* from = add(0, 0);
    add(0, 500);  // no distance along the horizontal axis
    add(300, 0);  // to the right
    EXPECT_EQ(nearestBox(list, *from, ScrollDirection::Left), nullptr);
    EXPECT_EQ(nearestBox(list, *from, ScrollDirection::Up), nullptr);
}

TEST_F(NearestBox, TheFirstInListOrderWinsATie) {
    PersonRecord* from = add(0, 0);
    PersonRecord* first = add(100, 20);  // 100 + 30
    add(130, 0);                         // 130
    add(100, -20);                       // 100 + 30
    EXPECT_EQ(nearestBox(list, *from, ScrollDirection::Right), first);
}

TEST_F(NearestBox, TheSidewaysPenaltyRoundsHalfToEven) {
    PersonRecord* from = add(0, 0);
    PersonRecord* aside = add(3, 100);  // 100 + round(4.5) = 104, not 105
    add(0, 104);                        // 104
    EXPECT_EQ(nearestBox(list, *from, ScrollDirection::Down), aside);
}

}  // namespace
}  // namespace lineara
