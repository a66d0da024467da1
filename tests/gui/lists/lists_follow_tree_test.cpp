// The search window and the go-to list show the tree as it is: another
// tree opened or imported, a person deleted or renamed, a step undone or
// redone, and the shown lists are built again (or the go-to list closes
// when its person has gone), so that a line never leads to a stranger.
#include <QListWidget>
#include <QPushButton>
#include <fstream>

#include "core/formats/tree_file.h"
#include "core/history/step_names.h"
#include "gui/gedcom/gedcom_import_window.h"
#include "gui/lists/go_to_dialog.h"
#include "gui/lists/person_search_window.h"
#include "support/edit_fixture.h"
#include "support/item_view_lines.h"

namespace lineara::test {
namespace {

class ListsFollowTheTree : public EditFixture {
protected:
    void SetUp() override {
        EditFixture::SetUp();
        goTo = program->goToDialog();
        browser = program->personSearchWindow();
        dad = add("Jan", "Nowak", 0, 0);
        first = add("Adam", "Nowak", 0, 500);
        second = add("Ola", "Nowak", 300, 500);
        first->father = dad;
        second->father = dad;
        main->doc().markSaved();
        main->doc().setCurrentPerson(dad);
        main->paintTree();
    }
    static QStringList lines(QAbstractItemView* list) { return viewLines(list); }
    static QString chosen(QAbstractItemView* list) { return chosenViewLine(list); }
    void choose(QAbstractItemView* list, const QString& line) {
        ASSERT_EQ(viewLines(list).count(line), 1) << line.toStdString();
        chooseViewRow(list, viewRowOf(list, line));
    }
    void rename(const PersonRecord* p, const char* given) {
        main->doc().change(step_name::kEditPerson,
                           [&](TreeEdit& l) { l.edit(p)->setText(field::givenNames, given); });
    }
    void deletePerson(const PersonRecord* p) {
        main->doc().setCurrentPerson(p);
        t.user.yesNoAnswers = {true};
        keyInMain(Qt::Key_Delete);
    }
    // The user comes back to the main window for its keys.
    void keyInMain(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        main->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main));
        QTest::keyClick(main, key, modifiers);
    }
    void undo() { keyInMain(Qt::Key_Z, Qt::ControlModifier); }
    void redo() { keyInMain(Qt::Key_Y, Qt::ControlModifier); }
    QString gedcomFile() {
        const std::string path = t.dir.file("inna.ged");
        std::ofstream(path, std::ios::binary) << "0 HEAD\r\n0 @I1@ INDI\r\n1 NAME Zofia /Wrona/\r\n"
                                                 "0 @I2@ INDI\r\n1 NAME Piotr /Kruk/\r\n0 TRLR\r\n";
        return QString::fromStdString(path);
    }

    GoToDialog* goTo = nullptr;
    PersonSearchWindow* browser = nullptr;
    PersonRecord* dad = nullptr;
    PersonRecord* first = nullptr;
    PersonRecord* second = nullptr;
};

const QStringList kNowaks = {QStringLiteral("Nowak Adam ( - ) [2]"),
                             QStringLiteral("Nowak Jan ( - ) [1]"),
                             QStringLiteral("Nowak Ola ( - ) [3]")};
const QStringList kImported = {QStringLiteral("Kruk Piotr ( - ) [2]"),
                               QStringLiteral("Wrona Zofia ( - ) [1]")};

TEST_F(ListsFollowTheTree, TheSearchListIsTheTreeAsItIsAfterEveryChange) {
    QTest::keyClick(main, Qt::Key_F3);
    ASSERT_TRUE(browser->isVisible());
    ASSERT_EQ(lines(browser->list()), kNowaks);
    choose(browser->list(), kNowaks[2]);

    // Another tree imported: its persons, and the old line chosen no more
    // (the id it ends with is somebody else's now).
    t.user.fileAnswers = {gedcomFile()};
    trigger("Read1");
    program->gedcomImportWindow()->okButton()->click();
    EXPECT_EQ(lines(browser->list()), kImported);
    EXPECT_EQ(chosen(browser->list()), QString());
    QTest::mouseClick(browser->goButton(), Qt::LeftButton);
    EXPECT_EQ(main->doc().persons().count(), 2u);

    // Undone and redone: each time the tree that is there.
    undo();
    EXPECT_EQ(lines(browser->list()), kNowaks);
    redo();
    EXPECT_EQ(lines(browser->list()), kImported);
    undo();

    // A rename keeps the chosen line where it still reads the same.
    choose(browser->list(), kNowaks[0]);
    rename(second, "Olga");
    EXPECT_EQ(lines(browser->list()),
              (QStringList{kNowaks[0], kNowaks[1], QStringLiteral("Nowak Olga ( - ) [3]")}));
    EXPECT_EQ(chosen(browser->list()), kNowaks[0]);

    // A deletion takes the line away, and the choice with it.
    deletePerson(first);
    EXPECT_EQ(lines(browser->list()),
              (QStringList{kNowaks[1], QStringLiteral("Nowak Olga ( - ) [3]")}));
    EXPECT_EQ(chosen(browser->list()), QString());
    main->doc().setCurrentPerson(dad);
    QTest::mouseClick(browser->editButton(), Qt::LeftButton);
    EXPECT_TRUE(edited.empty());
}

TEST_F(ListsFollowTheTree, TheGoToListFollowsItsPersonAndClosesWhenThePersonGoes) {
    main->search().showChildren();
    ASSERT_TRUE(goTo->isVisible());
    const QStringList children = {QStringLiteral("Adam Nowak (-) [2]"),
                                  QStringLiteral("Ola Nowak (-) [3]")};
    ASSERT_EQ(lines(goTo->list()), children);

    choose(goTo->list(), children[1]);
    deletePerson(first);
    EXPECT_EQ(lines(goTo->list()), QStringList{children[1]});
    EXPECT_EQ(chosen(goTo->list()), children[1]);
    undo();
    EXPECT_EQ(lines(goTo->list()), children);
    rename(dad, "Janusz");
    EXPECT_EQ(goTo->windowTitle(), QStringLiteral("Dzieci dla Janusz Nowak"));
    rename(first, "Ada\x9c");  // CP1250
    EXPECT_EQ(lines(goTo->list()),
              (QStringList{QStringLiteral("Adaś Nowak (-) [2]"), children[1]}));
    QTest::mouseClick(goTo->goButton(), Qt::LeftButton);
    EXPECT_EQ(main->doc().persons().currentPerson(), second);

    // The person whose children are listed is deleted: the list closes.
    main->search().showChildren();  // Ola's: none
    ASSERT_TRUE(goTo->isVisible());
    deletePerson(second);
    EXPECT_FALSE(goTo->isVisible());

    // Another tree opened: the list of a person of the old one closes.
    undo();
    main->doc().setCurrentPerson(dad);
    main->search().showChildren();
    ASSERT_TRUE(goTo->isVisible());
    PersonList other;
    addPerson(other, "Zofia", "Wrona");
    const std::string path = t.dir.file("inne.ln3");
    ASSERT_EQ(SavetoFile(other, path).status, SaveResult::Saved);
    t.user.yesNoCancelAnswers = {Answer::No};
    main->openFile(QString::fromStdString(path));
    EXPECT_FALSE(goTo->isVisible());
}

}  // namespace
}  // namespace lineara::test
