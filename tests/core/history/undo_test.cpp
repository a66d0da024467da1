// Undo and redo of particular changes, the saved state and the limits of
// the history.
#include <gtest/gtest.h>

#include <vector>

#include "core/checks/date_check.h"
#include "core/formats/tree_file.h"
#include "core/history/step_names.h"
#include "core/model/document.h"
#include "core/model/editing.h"
#include "core/model/editing_aliases.h"
#include "core/model/person_edit.h"
#include "core/view/viewport.h"
#include "support/add_person.h"
#include "testdata/synthetic_tree.h"

namespace lineara {
namespace {

class Undo : public ::testing::Test {
protected:
    PersonList& list() { return test::writable(doc); }
    PersonRecord* add(const char* given, int32_t x = 0) {
        return test::addPerson(list(), given, "Nowak", x, 0);
    }
    std::vector<uint8_t> bytes() { return treeFileBytes(list()); }
    std::vector<const PersonRecord*> order() {
        std::vector<const PersonRecord*> v;
        forEachPerson(list(), [&v](const PersonRecord* r) { v.push_back(r); });
        return v;
    }
    Document doc;
};

TEST_F(Undo, MakeHomeAndDeleteComeBackInPlaceWithTheirIdsAndLinks) {
    PersonRecord* a = add("Adam");
    PersonRecord* b = add("Ewa");
    PersonRecord* c = add("Kain", 300);
    c->father = a;
    c->mother = b;
    ASSERT_TRUE(list().AddMarriage(a, b).ok);
    list().setCurrentPerson(a);
    ASSERT_TRUE(makeAlias(doc, 0, 0).changed);  // Adam's alias box
    const PersonRecord* box = list().personListTail();
    const auto start = order();
    const auto startBytes = bytes();

    doc.setCurrentPerson(c);
    makeHome(doc);
    EXPECT_EQ(list().personListHead(), c);
    EXPECT_EQ(doc.undoName(), step_name::kMakeHome);

    doc.setCurrentPerson(a);
    ASSERT_TRUE(deleteQuestion(doc).ask);
    deleteConfirmed(doc);  // the original with its alias box, partner and child
    EXPECT_EQ(list().count(), 3u);
    EXPECT_EQ(c->father, nullptr);
    EXPECT_TRUE(box->isEmpty(field::aliasMark));

    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(c->father, a);  // the very same record is back, linked again
    EXPECT_EQ(b->partner[1], a);
    EXPECT_EQ(box->father, a);
    EXPECT_TRUE(box->isAliasBox());
    EXPECT_EQ(a->personId(), 1);
    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(order(), start);
    EXPECT_EQ(bytes(), startBytes);
    EXPECT_EQ(list().highestPersonId(), 4);

    ASSERT_TRUE(doc.redo());
    EXPECT_EQ(list().personListHead(), c);
    ASSERT_TRUE(doc.redo());
    EXPECT_EQ(list().count(), 3u);
    EXPECT_EQ(list().currentPerson(), nullptr);
}

TEST_F(Undo, AnEditorOkThatRewroteBothPartnersIsOneStep) {
    PersonRecord* a = add("Jan");
    PersonRecord* b = add("Anna");
    PersonRecord* c = add("Maria");
    ASSERT_TRUE(list().AddMarriage(a, b).ok);
    ASSERT_TRUE(list().AddMarriage(a, c).ok);
    const auto before = bytes();
    PersonRecord copy(*a);
    copy.partner = a->partner;
    PersonBoxes boxes = boxesFrom(copy);
    boxes.surname = "Kowalski";
    std::vector<RelationRow> rows = relationRowsOf(copy);
    rows[0].date = "1 May 1900";
    rows[1].type = "D";
    saveEditedPerson(doc, a, copy, boxes, rows);
    EXPECT_EQ(a->text(field::surname), "Kowalski");
    EXPECT_EQ(b->text(field::relationDate(1)), "1 May 1900");
    EXPECT_EQ(c->relationType(1), 'D');
    EXPECT_EQ(doc.history().done(), 1u);

    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(bytes(), before);
    ASSERT_TRUE(doc.redo());
    EXPECT_EQ(b->text(field::relationDate(1)), "1 May 1900");
    EXPECT_EQ(a->text(field::surname), "Kowalski");
}

TEST_F(Undo, TheDateConversionOfAWholeTreeComesBackByteForByte) {
    generateSyntheticTree(list(), 2000, 7);
    const auto before = bytes();
    DateCheckResult r = DCheck(doc);
    ASSERT_GT(r.count, 100);
    EXPECT_TRUE(doc.treeModified());
    const auto after = bytes();
    EXPECT_EQ(doc.undoName(), step_name::kConvertDates);
    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(bytes(), before);
    ASSERT_TRUE(doc.redo());
    EXPECT_EQ(bytes(), after);
    // Only the changed bytes are kept, not the records.
    EXPECT_LT(doc.history().bytes(), size_t(r.count) * 200);
}

TEST_F(Undo, TheSavedStateIsUnmodifiedAndANewChangeEndsRedo) {
    PersonRecord* a = add("Jan");
    doc.markSaved();
    doc.setSelection(std::vector<const PersonRecord*>{a});
    alignSelection(doc, AlignSide::Left);  // moves nothing: an edit, but no step
    EXPECT_TRUE(doc.treeModified());
    EXPECT_FALSE(doc.canUndo());
    doc.markSaved();

    newPerson(doc, 500, 500, 'M');
    newPerson(doc, 500, 500, 'F');
    EXPECT_TRUE(doc.treeModified());
    doc.undo();
    doc.undo();
    EXPECT_FALSE(doc.treeModified());  // as saved: no question on closing
    doc.redo();
    EXPECT_TRUE(doc.treeModified());
    doc.undo();
    EXPECT_FALSE(doc.treeModified());

    doc.redo();
    doc.redo();
    doc.undo();
    ASSERT_TRUE(doc.canRedo());
    newPerson(doc, 500, 500, 'M');  // a new change drops what was undone
    EXPECT_FALSE(doc.canRedo());
    EXPECT_EQ(list().count(), 3u);

    // The saved state is one of the undone steps that were dropped.
    doc.markSaved();
    doc.undo();
    newPerson(doc, 500, 500, 'F');
    // No state in the history is the saved one any more.
    do {
        EXPECT_TRUE(doc.treeModified());
    } while (doc.undo());
}

TEST_F(Undo, TheHistoryKeepsTheLastHundredStepsAndAtMost64MiB) {
    PersonRecord* a = add("Jan");
    for (int i = 1; i <= 105; ++i) doc.moveBoxes(step_name::moveBoxes(1), {a}, {{i * 5, 0}});
    EXPECT_EQ(doc.history().size(), History::kMaxSteps);
    while (doc.undo()) {
    }
    EXPECT_EQ(a->posX(), 25);         // the first five moves are gone for good
    EXPECT_TRUE(doc.treeModified());  // and with them the state last saved

    Document big;
    PersonList& l = test::writable(big);
    generateSyntheticTree(l, 30000, 3);
    // Each deletion keeps its persons' records whole: about 18 MiB a step.
    for (int round = 0; round < 4; ++round) {
        std::vector<const PersonRecord*> doomed;
        int k = 0;
        forEachPerson(l, [&](const PersonRecord* r) {
            if (k++ < 7000) doomed.push_back(r);
        });
        big.setSelection(doomed);
        deleteConfirmed(big);
        EXPECT_LE(big.history().bytes(), History::kMaxBytes);
    }
    EXPECT_LT(big.history().size(), 4u);
    EXPECT_GE(big.history().size(), 1u);
}

}  // namespace
}  // namespace lineara
