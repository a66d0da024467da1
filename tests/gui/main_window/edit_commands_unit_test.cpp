// The editing commands on their own, through a stand-in window: what they
// ask the user, what they leave to the canvas's gestures, and when they
// refuse to act.
#include <QListWidget>
#include <QPushButton>

#include "gui/dialogs/delete_relationship_dialog.h"
#include "support/add_person.h"
#include "support/fake_window.h"

namespace lineara::test {
namespace {

class EditCommandsAlone : public ::testing::Test {
protected:
    PersonRecord* add(const char* name, int32_t x = 0, int32_t y = 0) {
        return addPerson(writable(win.doc), name, "Nowak", x, y);
    }
    FakeWindow win;
    EditCommands edit{win};
};

TEST_F(EditCommandsAlone, NewBoxesAreMadeAtTheMouseAndHandedToTheCanvasToCarry) {
    win.gesturesSeen.mouse = TreePoint{470, 300};
    const struct {
        void (EditCommands::*command)();
        const char* sex;
    } cases[] = {{&EditCommands::newMale, "M"}, {&EditCommands::newFemale, "F"}};
    for (const auto& c : cases) {
        const size_t before = win.doc.persons().count();
        (edit.*c.command)();
        ASSERT_EQ(win.doc.persons().count(), before + 1) << c.sex;
        const PersonRecord* made = win.doc.persons().currentPerson();
        EXPECT_EQ(made->text(field::sex), c.sex);
        ASSERT_FALSE(win.gesturesSeen.carried.empty());
        EXPECT_TRUE(win.gesturesSeen.carried.back().carryNewBox);
    }
    EXPECT_EQ(win.gesturesSeen.carried.size(), 2u);
    EXPECT_TRUE(win.doc.canUndo());
}

TEST_F(EditCommandsAlone, DeleteAsksFirstAndOnlyYesDeletes) {
    edit.deleteSelected();  // nobody current: nothing to ask
    EXPECT_TRUE(win.user.asked.isEmpty());

    add("Jan");
    win.user.yesNoAnswers = {false};
    edit.deleteSelected();
    EXPECT_EQ(win.doc.persons().count(), 1u);
    EXPECT_EQ(win.gesturesSeen.dragsEnded, 0);

    win.user.yesNoAnswers = {true};
    edit.deleteSelected();
    EXPECT_EQ(win.doc.persons().count(), 0u);
    EXPECT_EQ(win.user.asked.size(), 2);
    // The box may have been the one on the mouse: the canvas lets it go.
    EXPECT_EQ(win.gesturesSeen.dragsEnded, 1);
    EXPECT_GT(win.repaints, 0);
}

TEST_F(EditCommandsAlone, ALinkWaitsOnlyWhereOneMayStartButThePointerShowsAnyway) {
    edit.linkToFather();  // nobody current
    EXPECT_TRUE(win.gesturesSeen.linkPointer);
    EXPECT_FALSE(win.gesturesSeen.waiting);

    // An alias box takes no parents: not even the pointer changes.
    PersonRecord* original = add("Anna", 500, 500);
    win.doc.setCurrentPerson(original);
    edit.makeAlias();
    ASSERT_TRUE(win.doc.persons().currentPerson()->isAliasBox());
    win.gesturesSeen.linkPointer = false;
    edit.linkToMother();
    EXPECT_FALSE(win.gesturesSeen.linkPointer);
    EXPECT_FALSE(win.gesturesSeen.waiting);
    edit.linkToRelative();  // a partner it may have
    ASSERT_TRUE(win.gesturesSeen.waiting);
    EXPECT_EQ(win.gesturesSeen.waiting->first, LinkKind::Partner);

    PersonRecord* p = add("Jan", 100, -20);
    win.doc.setCurrentPerson(p);
    edit.linkToMother();
    EXPECT_EQ(win.gesturesSeen.waiting->first, LinkKind::Mother);
    EXPECT_EQ(win.gesturesSeen.waiting->second, (TreePoint{170, 20}));  // the box's centre
}

TEST_F(EditCommandsAlone, GoToAliasLeavesAClickBehindOnlyForAMouseChoice) {
    PersonRecord* original = add("Anna", 100, 100);
    win.doc.setCurrentPerson(original);
    win.gesturesSeen.mouse = TreePoint{900, 700};
    edit.makeAlias();
    const PersonRecord* aliasBox = win.doc.persons().currentPerson();
    for (bool keyboard : {false, true}) {
        win.doc.setCurrentPerson(original);
        win.keyboard = keyboard;
        edit.goToAlias();
        EXPECT_EQ(win.doc.persons().currentPerson(), aliasBox);
        ASSERT_TRUE(win.gesturesSeen.ignoreNext);
        EXPECT_EQ(*win.gesturesSeen.ignoreNext, !keyboard);
    }
}

TEST_F(EditCommandsAlone, UndoAndRedoWaitUntilNoGestureIsUnderWay) {
    add("Jan");
    add("Ewa", 300, 0);
    edit.makeHome();
    ASSERT_TRUE(win.doc.canUndo());
    win.gesturesSeen.underWay = true;
    edit.undo();
    EXPECT_TRUE(win.doc.canUndo());
    EXPECT_FALSE(win.doc.canRedo());

    win.gesturesSeen.underWay = false;
    const int repaints = win.repaints;
    edit.undo();
    EXPECT_TRUE(win.doc.canRedo());
    EXPECT_EQ(win.repaints, repaints + 1);
    win.gesturesSeen.underWay = true;
    edit.redo();
    EXPECT_TRUE(win.doc.canRedo());
}

TEST_F(EditCommandsAlone, ARelationshipIsChosenInTheDialogAndDeleted) {
    PersonRecord* jan = add("Jan");
    PersonRecord* ewa = add("Ewa", 300, 0);
    ASSERT_TRUE(static_cast<bool>(writable(win.doc).AddMarriage(jan, ewa)));
    win.doc.setCurrentPerson(jan);
    edit.deleteLinkToRelative();  // closed without a choice
    ASSERT_EQ(win.dialogsRun, QStringList{QStringLiteral("TDeleteMarriageForm")});
    EXPECT_EQ(jan->partner[1], ewa);

    win.dialogRunner = [](QDialog& dialog) {
        auto* chooser = static_cast<DeleteRelationshipDialog*>(&dialog);
        ASSERT_EQ(chooser->list()->count(), 1);
        chooser->list()->setCurrentRow(0);
        chooser->deleteButton()->click();
    };
    edit.deleteLinkToRelative();
    EXPECT_EQ(jan->partner[1], nullptr);
    EXPECT_TRUE(win.doc.treeModified());
}

}  // namespace
}  // namespace lineara::test
