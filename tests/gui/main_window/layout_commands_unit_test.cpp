// The layout commands on their own, through a stand-in window: the
// arrangement's question and its help, and the pedigree dialog asked
// again after a refused number.
#include <QLineEdit>
#include <QPushButton>

#include "support/add_person.h"
#include "support/fake_window.h"

namespace lineara::test {
namespace {

class LayoutCommandsAlone : public ::testing::Test {
protected:
    FakeWindow win;
    LayoutCommands layout{win};
};

TEST_F(LayoutCommandsAlone, TheArrangementAsksFirstAndShowsTheHomePersonAfter) {
    layout.autoArrange();  // an empty tree: nothing to ask
    EXPECT_EQ(win.user.asked, QStringList{QStringLiteral("inform|Lineara|Nie ma co przestawic.")});

    PersonRecord* home = addPerson(writable(win.doc), "Jan", "Nowak", 5000, 5000);
    home->setText(field::birthDate, "1900");
    PersonRecord* other = addPerson(writable(win.doc), "Ewa", "Nowak", -700, 300);
    win.doc.setCurrentPerson(other);
    win.user.helpPresses = 1;
    win.user.yesNoAnswers = {false};
    layout.autoArrange();
    EXPECT_EQ(win.helpShown, 1);
    EXPECT_EQ(home->posX(), 5000);
    EXPECT_FALSE(win.doc.canUndo());

    win.viewState.zoomPercent = 20;
    win.user.yesNoAnswers = {true};
    layout.autoArrange();
    EXPECT_TRUE(win.doc.canUndo());
    EXPECT_EQ(win.doc.persons().currentPerson(), home);
    EXPECT_DOUBLE_EQ(win.viewState.zoomPercent, 100);
    EXPECT_EQ(win.statusTexts.last(), QStringLiteral("Jan Nowak (1900 - )"));
}

TEST_F(LayoutCommandsAlone, APedigreeNumberIsAskedAgainUntilItIsTaken) {
    PersonRecord* root = addPerson(writable(win.doc), "Ewa", "Nowak");
    std::vector<QString> typed = {QStringLiteral("9"), QStringLiteral("3")};
    size_t shown = 0;
    win.dialogRunner = [&](QDialog& dialog) {
        auto* asked = static_cast<CreateTreeDialog*>(&dialog);
        asked->setResult(QDialog::Rejected);
        if (shown == typed.size()) return;
        asked->edit()->setText(typed[shown++]);
        asked->okButton()->click();
    };
    layout.createAncestorTree(TreeStyle::Compact);
    EXPECT_EQ(shown, 2u);
    EXPECT_EQ(win.user.messages(),
              QStringList{QStringLiteral("Maximum 7 generations per tree, please.")});
    // Two generations above Ewa: her parents and their four parents.
    EXPECT_EQ(win.doc.persons().count(), 7u);
    EXPECT_NE(root->father, nullptr);
    // The same dialog each time, keeping what was typed last.
    EXPECT_EQ(layout.createTreeDialog()->text(), QStringLiteral("3"));
    EXPECT_EQ(layout.createTreeDialog()->parent(), &win.parent);

    // Not a number: said once, and the command ends. The box takes one
    // character.
    typed = {QStringLiteral("x")};
    shown = 0;
    addPerson(writable(win.doc), "Olek", "Lis", 3000, 0);
    layout.createAncestorTree(TreeStyle::Fractal);
    EXPECT_EQ(shown, 1u);
    EXPECT_EQ(win.doc.persons().count(), 8u);
    EXPECT_EQ(win.user.messages().last(), QStringLiteral("'x' is not a valid integer value"));
}

}  // namespace
}  // namespace lineara::test
