// An import replaces the whole tree in one step that stands between two
// documents: crossing it back and forth brings each tree with its own file
// name, its own saved state and the place the window stood over it.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/formats/tree_file.h"
#include "core/history/step_names.h"
#include "core/model/document.h"
#include "core/view/viewport.h"
#include "support/add_person.h"

namespace lineara {
namespace {

class TreeReplacement : public ::testing::Test {
protected:
    void SetUp() override {
        doc.setShownPlaceHooks([this] { return shown; },
                               [this](const ShownPlace& place) { shown = place; });
    }
    PersonList& list() { return test::writable(doc); }
    std::vector<uint8_t> bytes() { return treeFileBytes(list()); }
    // An old tree of two, saved as `name`.
    void openTree(const char* name) {
        test::addPerson(list(), "Jan", "Stary", 0, 0);
        test::addPerson(list(), "Anna", "Stara", 200, 0);
        doc.setCurrentFileName(name);
        doc.markSaved();
    }
    // What an import gives: `count` new persons.
    void import(bool countsAsSaved, int count = 3) {
        doc.replaceTree(step_name::kImportGedcom, countsAsSaved, [count](TreeEdit& l) {
            for (int i = 0; i < count; ++i) l.LagNyPerson(i * 200, 500);
        });
    }
    void move(int x) {
        doc.moveBoxes(step_name::moveBoxes(1), {doc.persons().personListHead()}, {{x, 0}});
    }
    Document doc;
    ShownPlace shown{35, 111, 222};
};

TEST_F(TreeReplacement, UndoBringsBackTheOldTreeWithItsNameStateAndPlaceRedoTheNewOne) {
    // countsAsSaved: a legacy import is an untitled tree as good as saved;
    // a GEDCOM import is an untitled tree not saved yet.
    for (const bool countsAsSaved : {true, false}) {
        SCOPED_TRACE(countsAsSaved ? "counts as saved" : "counts as changed");
        doc.clear();
        shown = ShownPlace{35, 111, 222};
        openTree("/drzewa/stare.ln3");
        const std::vector<uint8_t> old = bytes();

        import(countsAsSaved);
        EXPECT_EQ(list().count(), 3u);
        EXPECT_EQ(doc.currentFileName(), "");
        EXPECT_EQ(doc.treeModified(), !countsAsSaved);
        EXPECT_EQ(doc.undoName(), step_name::kImportGedcom);
        shown = ShownPlace{100, -5, 7};  // the window goes to the new tree

        ASSERT_TRUE(doc.undo());
        EXPECT_EQ(bytes(), old);
        EXPECT_EQ(doc.currentFileName(), "/drzewa/stare.ln3");
        EXPECT_FALSE(doc.treeModified()) << "as it was saved";
        EXPECT_EQ(shown.zoomPercent, 35);
        EXPECT_EQ(shown.scrollX, 111);
        EXPECT_EQ(shown.scrollY, 222);

        ASSERT_TRUE(doc.redo());
        EXPECT_EQ(list().count(), 3u);
        EXPECT_EQ(doc.currentFileName(), "");
        EXPECT_EQ(doc.treeModified(), !countsAsSaved);
        EXPECT_EQ(shown.zoomPercent, 100);
        EXPECT_EQ(shown.scrollX, -5);

        move(40);  // an ordinary step crosses nothing
        shown = ShownPlace{50, 1, 2};
        ASSERT_TRUE(doc.undo());
        EXPECT_EQ(doc.currentFileName(), "");
        EXPECT_EQ(shown.zoomPercent, 50);
    }
}

TEST_F(TreeReplacement, EachSideKeepsItsOwnSavesAndEditsAcrossTheStep) {
    openTree("a.ln3");
    move(10);  // the old tree changed since it was saved
    import(false);
    move(20);
    // The new tree saved under a name of its own, then changed again.
    doc.setCurrentFileName("b.ln3");
    doc.markSaved();
    move(30);
    EXPECT_TRUE(doc.treeModified());

    ASSERT_TRUE(doc.undo());  // the last move
    EXPECT_FALSE(doc.treeModified());
    EXPECT_EQ(doc.currentFileName(), "b.ln3");
    ASSERT_TRUE(doc.undo());  // the move before the save
    EXPECT_TRUE(doc.treeModified());
    ASSERT_TRUE(doc.undo());  // the import
    EXPECT_EQ(doc.currentFileName(), "a.ln3");
    EXPECT_TRUE(doc.treeModified()) << "the old tree was changed after its save";
    ASSERT_TRUE(doc.undo());  // that change
    EXPECT_FALSE(doc.treeModified());
    EXPECT_FALSE(doc.canUndo());

    // And forward again: each tree's save point is where it was.
    ASSERT_TRUE(doc.redo());
    EXPECT_TRUE(doc.treeModified());
    ASSERT_TRUE(doc.redo());  // the import
    EXPECT_EQ(doc.currentFileName(), "b.ln3");
    EXPECT_TRUE(doc.treeModified());
    ASSERT_TRUE(doc.redo());
    EXPECT_FALSE(doc.treeModified()) << "b.ln3 as saved";
    ASSERT_TRUE(doc.redo());
    EXPECT_TRUE(doc.treeModified());

    // A save of the old tree after going back stays with the old tree.
    while (doc.undo()) {
    }
    doc.markSaved();
    while (doc.redo()) {
    }
    EXPECT_EQ(doc.currentFileName(), "b.ln3");
    EXPECT_TRUE(doc.treeModified());
    while (doc.undo()) {
    }
    EXPECT_EQ(doc.currentFileName(), "a.ln3");
    EXPECT_FALSE(doc.treeModified());
}

TEST_F(TreeReplacement, ATreeChangedBesideTheHistoryComesBackChanged) {
    openTree("a.ln3");
    // An alignment that moved nothing: changed, with no step of its own.
    doc.setSelection(std::vector<const PersonRecord*>{list().personListHead()});
    alignSelection(doc, AlignSide::Left);
    ASSERT_TRUE(doc.treeModified());
    import(true);
    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(doc.currentFileName(), "a.ln3");
    EXPECT_TRUE(doc.treeModified());
    // The same on the way back over the step.
    test::writable(doc).setTreeModified(true);
    ASSERT_TRUE(doc.redo());
    ASSERT_TRUE(doc.undo());
    EXPECT_TRUE(doc.treeModified());
}

TEST_F(TreeReplacement, ASavedStateThatLeftTheHistoryIsNotFoundAgain) {
    openTree("a.ln3");
    // The save point drops out of the history: the oldest steps go.
    for (size_t i = 1; i <= History::kMaxSteps; ++i) move(int(i) * 5);
    import(true);
    EXPECT_FALSE(doc.treeModified());
    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(doc.currentFileName(), "a.ln3");
    EXPECT_TRUE(doc.treeModified());
    while (doc.undo()) EXPECT_TRUE(doc.treeModified());

    // A new change while the old tree is shown drops the import for good.
    doc.clear();
    openTree("c.ln3");
    import(true);
    ASSERT_TRUE(doc.undo());
    move(5);
    EXPECT_FALSE(doc.canRedo());
    EXPECT_EQ(doc.currentFileName(), "c.ln3");
    ASSERT_TRUE(doc.undo());
    EXPECT_FALSE(doc.treeModified());
}

TEST_F(TreeReplacement, RecordsReadApartChangeHandsWithTheirLinks) {
    Document read;
    PersonList& from = test::writable(read);
    PersonRecord* father = test::addPerson(from, "Jan", "Nowak");
    PersonRecord* child = test::addPerson(from, "Ola", "Nowak", 0, 500);
    child->father = father;
    ASSERT_TRUE(from.AddMarriage(father, child).ok);

    std::vector<std::unique_ptr<PersonRecord>> records = read.takeRecords();
    EXPECT_TRUE(read.persons().empty());
    EXPECT_EQ(read.persons().highestPersonId(), 0);
    EXPECT_FALSE(read.canUndo());
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].get(), father);
    EXPECT_EQ(records[1]->father.get(), father);

    openTree("a.ln3");
    doc.replaceTree(step_name::kImportGedcom, false, [&](TreeEdit& l) {
        for (auto& r : records) l.appendLoaded(std::move(r));
    });
    ASSERT_EQ(list().count(), 2u);
    EXPECT_EQ(list().personListHead(), father);
    EXPECT_EQ(child->partner[1].get(), father);
    EXPECT_EQ(list().highestPersonId(), 2);
    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(list().personListHead()->text(field::surname), "Stary");
    ASSERT_TRUE(doc.redo());
    EXPECT_EQ(list().personListHead(), father);
}

}  // namespace
}  // namespace lineara
