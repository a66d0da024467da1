// What the canvas does with the editing commands' results: a new box hangs
// on the mouse by its centre, the area zoom mode hits no box, and a second
// link command replaces the one still waiting.
#include "gui/canvas/gesture_state.h"

#include "support/edit_fixture.h"

namespace lineara {
namespace {

TEST(GestureState, ANewBoxAndAnAliasBoxAreCarriedByTheirCentre) {
    GestureState g;
    EditResult made;
    carryNewBox(g, made);  // nothing was made: nothing is carried
    EXPECT_FALSE(isDragging(g) || carriesNewBox(g));

    made.carryNewBox = true;
    carryNewBox(g, made);
    EXPECT_TRUE(carriesNewBox(g));
    EXPECT_TRUE(isDragging(g));
    EXPECT_FALSE(isPressPending(g));
    EXPECT_EQ(std::get<gesture::Dragging>(g).grab, (TreePoint{70, 40}));

    // An alias box follows the mouse from the start as well: waiting for
    // the drag threshold would change nothing for a box already carried.
    GestureState alias = gesture::LinkWaiting{};
    made.armDrag = true;
    carryNewBox(alias, made);
    EXPECT_TRUE(isDragging(alias) && carriesNewBox(alias));
    EXPECT_EQ(std::get<gesture::Dragging>(alias).grab, (TreePoint{70, 40}));
    EXPECT_FALSE(waitingLink(alias));
}

TEST(GestureState, NothingIsHitInTheAreaZoomMode) {
    PersonList list;
    test::addPerson(list, "Jan", "Nowak", 0, 0);
    GestureState g;
    EXPECT_EQ(boxUnderMouse(list, g, 70, 40), list.personListHead());
    g = gesture::AreaZoom{};
    EXPECT_EQ(boxUnderMouse(list, g, 70, 40), nullptr);
    g = gesture::Band{TreePoint{}, TreePoint{}, true, std::nullopt};  // its band too
    EXPECT_EQ(boxUnderMouse(list, g, 70, 40), nullptr);
}

class LinkCommands : public test::EditFixture {};

TEST_F(LinkCommands, ASecondLinkCommandReplacesTheFirstAndStartsAtTheBoxCentre) {
    PersonRecord* p = add("Jan", "Nowak", 100, -20);
    persons().setCurrentPerson(p);
    main->editing().linkToMother();
    const GestureState& g = main->interaction().state();
    EXPECT_TRUE((waitingLink(g) == LinkKind::Mother));
    EXPECT_EQ(std::get<gesture::LinkWaiting>(g).lineEnd.x, 170);
    EXPECT_EQ(std::get<gesture::LinkWaiting>(g).lineEnd.y, 20);
    main->editing().linkToRelative();
    EXPECT_FALSE((waitingLink(g) == LinkKind::Mother));
    EXPECT_TRUE((waitingLink(g) == LinkKind::Partner));
}

}  // namespace
}  // namespace lineara
