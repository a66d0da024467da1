// The keys of the main window: the context menu's keys go first and follow
// its rules, arrows with a modifier move between boxes, and Ctrl and Alt
// held alone switch the canvas's modes.
#include "gui/canvas/tree_canvas.h"
#include "support/edit_fixture.h"

namespace lineara {
namespace {

using test::EditFixture;

class Keys : public EditFixture {};

TEST_F(Keys, CtrlFMakesAWomanAndNeverCutsTheFatherLink) {
    PersonRecord* father = add("Jan", "Kowalski");
    PersonRecord* child = add("Piotr", "Kowalski");
    child->father = father;
    QTest::keyClick(main, Qt::Key_F, Qt::ControlModifier);
    ASSERT_EQ(persons().count(), 3u);
    EXPECT_EQ(text(persons().currentPerson(), field::sex), "F");
    EXPECT_EQ(child->father, father);
}

TEST_F(Keys, ADisabledItemTakesItsKeyAndDoesNothing) {
    QTest::keyClick(main, Qt::Key_F);
    EXPECT_FALSE((waitingLink(main->interaction().state()) == LinkKind::Father));
    EXPECT_NE(main->canvas()->cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(main->statusText(), QString());  // taken, so no "Key = 102"
    QTest::keyClick(main, Qt::Key_Delete);
    EXPECT_TRUE(t.user.asked.isEmpty());
}

TEST_F(Keys, EnterEditsAnAliasBoxButFStartsNoLinkFromIt) {
    add("Jan", "Kowalski");
    QTest::keyClick(main, Qt::Key_A, Qt::ControlModifier);
    const PersonRecord* aliasBox = persons().currentPerson();
    ASSERT_TRUE(aliasBox->isAliasBox());
    main->interaction().endDrag();

    QTest::keyClick(main, Qt::Key_Return);
    ASSERT_EQ(edited.size(), 1u);
    EXPECT_EQ(edited[0], aliasBox);
    EXPECT_FALSE(editedOnRelationshipPage);

    QTest::keyClick(main, Qt::Key_F);
    EXPECT_FALSE((waitingLink(main->interaction().state()) == LinkKind::Father));
    QTest::keyClick(main, Qt::Key_L);
    EXPECT_TRUE((waitingLink(main->interaction().state()) == LinkKind::Partner));
    EXPECT_EQ(main->canvas()->cursor().shape(), Qt::CrossCursor);  // the release keeps it
}

TEST_F(Keys, DeleteAsksAboutTheCurrentPerson) {
    add("Jan", "Kowalski");
    t.user.yesNoAnswers = {true};
    QTest::keyClick(main, Qt::Key_Delete);
    EXPECT_EQ(
        t.user.asked,
        QStringList{QStringLiteral("yesno|Potwierdz|Do you really want to delete this item?")});
    EXPECT_EQ(persons().count(), 0u);
}

TEST_F(Keys, CtrlHeldAloneSwitchesTheAreaModeOnUntilReleased) {
    QTest::keyPress(main, Qt::Key_Control);
    EXPECT_TRUE(main->interaction().areaZoomMode());
    EXPECT_TRUE(areaZoomSticky(main->interaction().state()));
    EXPECT_EQ(main->canvas()->cursor().shape(), Qt::CrossCursor);
    QTest::keyRelease(main, Qt::Key_Control, Qt::ControlModifier);
    EXPECT_FALSE(main->interaction().areaZoomMode());
    EXPECT_FALSE(areaZoomSticky(main->interaction().state()));
}

TEST_F(Keys, AltHeldAloneArmsPanningAndEndsTheAreaMode) {
    main->viewing().setAreaZoomMode(true);
    QTest::keyPress(main, Qt::Key_Alt);
    EXPECT_TRUE(panArmed(main->interaction().state()));
    EXPECT_FALSE(main->interaction().areaZoomMode());
    EXPECT_EQ(main->canvas()->cursor().shape(), Qt::PointingHandCursor);
    QTest::keyRelease(main, Qt::Key_Alt, Qt::AltModifier);
    EXPECT_FALSE(panArmed(main->interaction().state()));
    EXPECT_EQ(main->canvas()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(Keys, ShiftArrowMovesToTheNearestBoxAndCentresIt) {
    PersonRecord* sameRow = add("Ewa", "Nowak", 900, 1000);
    sameRow->setText(field::birthDate, "1901");
    add("Ola", "Lis", 940, 960);
    PersonRecord* from = add("Jan", "Kowalski", 1000, 1000);
    main->viewState().zoomPercent = 50;
    QTest::keyClick(main, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(persons().currentPerson(), sameRow);
    EXPECT_EQ(main->statusText(), QStringLiteral("Ewa Nowak (1901 - )"));
    EXPECT_DOUBLE_EQ(main->viewState().zoomPercent, 50);

    // Nothing further right of the start: the focus stays.
    persons().setCurrentPerson(from);
    QTest::keyClick(main, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(persons().currentPerson(), from);
}

TEST_F(Keys, PlainArrowsScrollAndOtherCharactersShowTheirCode) {
    const int32_t x = main->viewState().scrollX;
    QTest::keyClick(main, Qt::Key_Left);
    EXPECT_EQ(main->viewState().scrollX, x + main->viewing().scrollStep());
    QTest::keyClick(main, Qt::Key_Q);
    EXPECT_EQ(main->statusText(), QStringLiteral("Key = 113"));
}

}  // namespace
}  // namespace lineara
