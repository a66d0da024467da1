// The automatic layout as the user reaches it: the Edit menu's organise and
// create items with their states, the pedigree dialog and its refusals,
// and the Tools menu's arrangement with its question.
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

#include "core/formats/tree_file.h"
#include "core/layout/auto_arrange.h"
#include "support/edit_fixture.h"

namespace lineara {
namespace {

using test::EditFixture;

class LayoutCommands : public EditFixture {
protected:
    // A root at (0, 0) with both parents placed anywhere.
    void family() {
        father = add("Jan", "Kowalski", 700, 900);
        mother = add("Anna", "Nowak", -300, 40);
        root = add("Ewa", "Kowalska", 0, 0);
        root->father = father;
        root->mother = mother;
    }
    // Answers the pedigree dialog with these texts in turn; a null text
    // cancels it. Counts the times it was shown.
    void answerDialog(std::vector<const char*> texts) {
        main->setDialogRunner([this, texts](QDialog& d) {
            auto* dlg = qobject_cast<CreateTreeDialog*>(&d);
            ASSERT_NE(dlg, nullptr);
            const char* text = shown < texts.size() ? texts[shown] : nullptr;
            ++shown;
            // Shown modally, it starts out cancelled with the field focused.
            dlg->setResult(QDialog::Rejected);
            if (text == nullptr) return;
            dlg->edit()->setText(QString::fromUtf8(text));
            dlg->okButton()->click();
        });
    }
    QString message(const char* caption, const char* text) {
        return QStringLiteral("inform|") + QString::fromUtf8(caption) + QStringLiteral("|") +
               QString::fromUtf8(text);
    }
    PersonRecord* root = nullptr;
    PersonRecord* father = nullptr;
    PersonRecord* mother = nullptr;
    size_t shown = 0;
};

TEST_F(LayoutCommands, TheItemsFollowTheCurrentPerson) {
    family();
    PersonRecord* alias = add("", "", 500, 500);
    alias->setText(field::aliasMark, "REF");
    struct Case {
        PersonRecord* current;
        bool organize;
        bool create;
    } cases[] = {{root, true, false},       // has parents
                 {father, false, true},     // has none
                 {alias, false, false},     // an alias box without links
                 {nullptr, false, false}};  // nobody current
    for (const Case& c : cases) {
        persons().setCurrentPerson(c.current);
        showMenu("Edit1");
        EXPECT_EQ(
            main->findChild<QMenu*>(QStringLiteral("Organizetree1"))->menuAction()->isEnabled(),
            c.organize);
        EXPECT_EQ(main->findChild<QMenu*>(QStringLiteral("Createtree1"))->menuAction()->isEnabled(),
                  c.create);
    }
}

TEST_F(LayoutCommands, OrganisingPlacesTheParentsAndUndoesAsOneStep) {
    family();
    persons().setCurrentPerson(root);
    trigger("Compact2");
    // Two generations: the band is 300 wide, one step of 1.2 rows up
    // plus the cubic term, 96 + 3.2.
    EXPECT_EQ(std::pair(father->posX(), father->posY()), std::pair(-75, -99));
    EXPECT_EQ(std::pair(mother->posX(), mother->posY()), std::pair(75, -99));
    EXPECT_EQ(persons().currentPerson(), nullptr);
    EXPECT_TRUE(main->doc().treeModified());
    main->editing().undo();
    EXPECT_EQ(std::pair(father->posX(), father->posY()), std::pair(700, 900));
    EXPECT_EQ(std::pair(mother->posX(), mother->posY()), std::pair(-300, 40));

    persons().setCurrentPerson(root);
    trigger("Fractal2");
    EXPECT_EQ(std::pair(father->posX(), father->posY()), std::pair(-75, -240));  // -320 + 80
    EXPECT_TRUE(t.user.asked.isEmpty());
}

TEST_F(LayoutCommands, ACircularChainIsRefusedWithItsMessage) {
    family();
    father->father = root;  // the daughter is her own grandfather
    persons().setCurrentPerson(root);
    trigger("Compact2");
    ASSERT_EQ(t.user.asked.size(), 1);
    EXPECT_EQ(t.user.asked[0],
              message("Error", "The tree is very large. There might be circular references!"));
    EXPECT_EQ(father->posX(), 700);
    EXPECT_FALSE(main->doc().canUndo());
}

TEST_F(LayoutCommands, ThePedigreeDialogIsAskedAgainUntilTheNumberIsTaken) {
    PersonRecord* p = add("Jan", "Kowalski", 0, 0);
    answerDialog({"9", "1", "3"});
    trigger("Compact1");
    EXPECT_EQ(shown, 3u);
    EXPECT_EQ(t.user.asked, (QStringList{message("PSST", "Maximum 7 generations per tree, please."),
                                         message("PSST", "Minimum 2 generations!")}));
    ASSERT_NE(p->father, nullptr);
    EXPECT_EQ(std::pair(p->father->posX(), p->father->posY()), std::pair(-75, -195));
    EXPECT_EQ(persons().count(), 7u);
    // The dialog is the same one next time, with the number last typed.
    EXPECT_EQ(main->layoutCommands().createTreeDialog()->text(), QStringLiteral("3"));
    main->editing().undo();
    EXPECT_EQ(persons().count(), 1u);
    EXPECT_FALSE(main->doc().treeModified());
}

TEST_F(LayoutCommands, CancellingOrTypingNoNumberCreatesNothing) {
    add("Jan", "Kowalski", 0, 0);
    answerDialog({nullptr});
    trigger("Fractal1");
    EXPECT_EQ(persons().count(), 1u);
    EXPECT_TRUE(t.user.asked.isEmpty());

    shown = 0;
    answerDialog({"x", "3"});
    trigger("Fractal1");
    EXPECT_EQ(shown, 1u);  // the conversion error ends the command
    EXPECT_EQ(t.user.asked, QStringList{message("Lineara", "'x' is not a valid integer value")});
    EXPECT_EQ(persons().count(), 1u);
    EXPECT_FALSE(main->doc().canUndo());
}

TEST_F(LayoutCommands, TheArrangementAsksFirstThenShowsTheHomePersonAt100) {
    trigger("AutoArrange1");
    EXPECT_EQ(t.user.asked, QStringList{message("Lineara", "Nie ma co przestawic.")});

    family();
    const int32_t before = root->posX();
    t.user.asked.clear();
    t.user.yesNoAnswers = {false};
    trigger("AutoArrange1");
    ASSERT_EQ(t.user.asked.size(), 1);
    // The question says what is true: the arrangement can be undone.
    EXPECT_EQ(t.user.asked[0],
              QStringLiteral("yesnohelp|Lineara|Ta operacja kompletnie przestawi wszystkie "
                             "Twoje pozycje. Możesz ją cofnąć (Ctrl+Z). Na pewno chcesz to "
                             "zrobić?"));
    EXPECT_EQ(root->posX(), before);

    QSignalSpy help(main, &MainWindow::autoArrangeHelpRequested);
    t.user.helpPresses = 1;
    t.user.yesNoAnswers = {true};
    main->viewState().zoomPercent = 50;
    const std::vector<uint8_t> bytesBefore = treeFileBytes(persons());
    main->setStatusText(QStringLiteral("Jan Kowalski ( - )"));  // who was pointed at last
    trigger("AutoArrange1");
    EXPECT_EQ(help.count(), 1);
    EXPECT_EQ(persons().personListHead(), root);  // the most generations above her
    EXPECT_EQ(persons().currentPerson(), root);
    EXPECT_EQ(father->posY(), root->posY() - 500);
    EXPECT_EQ(main->viewState().zoomPercent, 100.0);
    EXPECT_TRUE(main->doc().canUndo());
    // The status bar names the person now current.
    EXPECT_EQ(main->statusText(), QStringLiteral("Ewa Kowalska ( - )"));

    // Ctrl+Z gives back the tree as it was, byte for byte.
    QTest::keyClick(main, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(treeFileBytes(persons()), bytesBefore);
}

TEST_F(LayoutCommands, OrganisingLeavesNobodyCurrentAndNobodyNamedInTheStatusBar) {
    family();
    main->doc().setCurrentPerson(root);
    QTest::keyClick(main, Qt::Key_Right, Qt::ShiftModifier);  // the focus moves, and is named
    main->doc().setCurrentPerson(root);
    main->paintTree();
    ASSERT_FALSE(main->statusText().isEmpty());
    trigger("Compact2");
    EXPECT_EQ(persons().currentPerson(), nullptr);
    EXPECT_EQ(main->statusText(), QString());
}

}  // namespace
}  // namespace lineara
