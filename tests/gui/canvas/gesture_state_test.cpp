// What the canvas does with the editing commands' results: a new box hangs
// on the mouse by its centre, the area zoom mode hits no box, and a second
// link command replaces the one still waiting.
#include "gui/canvas/gesture_state.h"

#include "support/edit_fixture.h"

namespace lineara {
namespace {

TEST(GestureState, ANewBoxIsCarriedByItsCentreAndAnAliasBoxWaitsForTheThreshold) {
    GestureState g;
    EditResult made;
    carryNewBox(g, made);  // nothing was made: nothing is carried
    EXPECT_FALSE(g.dragging || g.newPersonPending);

    made.carryNewBox = true;
    carryNewBox(g, made);
    EXPECT_TRUE(g.newPersonPending);
    EXPECT_TRUE(g.dragging);
    EXPECT_FALSE(g.dragPending);
    EXPECT_EQ(g.gestureRefX, 70);
    EXPECT_EQ(g.gestureRefY, 40);

    GestureState alias;
    made.armDrag = true;
    carryNewBox(alias, made);
    EXPECT_TRUE(alias.dragPending && alias.dragging && alias.newPersonPending);
}

TEST(GestureState, NothingIsHitInTheAreaZoomMode) {
    PersonList list;
    test::addPerson(list, "Jan", "Nowak", 0, 0);
    GestureState g;
    EXPECT_EQ(boxUnderMouse(list, g, 70, 40), list.personListHead());
    g.areaZoom = true;
    EXPECT_EQ(boxUnderMouse(list, g, 70, 40), nullptr);
}

class LinkCommands : public test::EditFixture {};

TEST_F(LinkCommands, ASecondLinkCommandReplacesTheFirstAndStartsAtTheBoxCentre) {
    PersonRecord* p = add("Jan", "Nowak", 100, -20);
    persons().setCurrentPerson(p);
    main->LinktoMother2Click();
    GestureState& g = main->gestureState();
    EXPECT_TRUE(g.pendingLinkMother);
    EXPECT_EQ(g.gestureLastX, 170);
    EXPECT_EQ(g.gestureLastY, 20);
    main->LinkMarriage1Click();
    EXPECT_FALSE(g.pendingLinkMother);
    EXPECT_TRUE(g.pendingLinkPartner);
    EXPECT_EQ(pendingLinkKind(g), LinkKind::Partner);
}

}  // namespace
}  // namespace lineara
