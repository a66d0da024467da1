#include "core/model/editing.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/add_person.h"

namespace lineara {
namespace {

class Editing : public ::testing::Test {
protected:
    PersonRecord* add(const char* given = "", const char* surname = "") {
        return test::addPerson(list(), given, surname);
    }
    PersonList& list() { return test::writable(doc); }
    void fill(PersonRecord* p, int n) {
        for (int k = 0; k < n; ++k) ASSERT_TRUE(list().AddMarriage(p, add()).ok);
    }
    std::vector<PersonRecord*> inOrder() {
        std::vector<PersonRecord*> all;
        forEachPerson(list(),
                      [&all, this](const PersonRecord* r) { all.push_back(list().edit(r)); });
        return all;
    }
    // Starts a link from `from` and clicks `clicked` (null: empty canvas).
    EditResult link(LinkKind kind, PersonRecord* from, PersonRecord* clicked, int32_t x = 0,
                    int32_t y = 0) {
        list().setCurrentPerson(from);
        EXPECT_TRUE(startLink(doc, kind).ok);
        list().setCurrentPerson(clicked);  // the press's hit test
        return completeLink(doc, kind, from, clicked, x, y);
    }
    Document doc;
};

TEST_F(Editing, NewPersonIsCarriedByItsCentre) {
    EditResult r = newPerson(doc, 503, 304, 'F');
    const PersonRecord* p = list().currentPerson();
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(r.changed && r.repaint);
    EXPECT_TRUE(r.message.empty());
    EXPECT_EQ(r.openEditorFor, nullptr);  // the editor waits for the drag's end
    EXPECT_EQ(p->text(field::sex), "F");
    EXPECT_EQ(p->posX(), 428);
    EXPECT_EQ(p->posY(), 258);
    EXPECT_TRUE(r.carryNewBox);  // by its centre (see the canvas's gesture tests)
    EXPECT_FALSE(r.armDrag);
    EXPECT_TRUE(doc.treeModified());
    newPerson(doc, 0, 0, 'M');
    EXPECT_EQ(list().currentPerson()->text(field::sex), "M");
    EXPECT_EQ(list().count(), 2u);
}

TEST_F(Editing, DeleteAsksByAliasMarkOrSelection) {
    EXPECT_FALSE(deleteQuestion(doc).ask);
    PersonRecord* p = add();
    struct Case {
        const char* mark;
        const char* text;
    } cases[] = {
        {"", "Do you really want to delete this item?"},
        {"ALIAS", "Do you really want to delete this and make the alias the original?"},
        {"REF", "Do you really want to delete this alias?"},
    };
    for (const Case& c : cases) {
        p->setText(field::aliasMark, c.mark);
        DeleteQuestion q = deleteQuestion(doc);
        EXPECT_TRUE(q.ask);
        EXPECT_EQ(q.caption, "Potwierdz");
        EXPECT_EQ(q.text, c.text) << c.mark;
    }
    // A selection wins over the current person, whatever its mark.
    PersonRecord* other = add();
    list().setSelection({other});
    list().setCurrentPerson(nullptr);
    EXPECT_EQ(deleteQuestion(doc).text, "Na pewno chcesz usunac ta osobe?");
}

TEST_F(Editing, DeletingAFatherOfThreeLeavesNothingPointingAtHim) {
    PersonRecord* dad = add("dad");
    PersonRecord* mum = add("mum");
    PersonRecord* second = add("second wife");
    std::vector<PersonRecord*> kids{add("a"), add("b"), add("c")};
    for (PersonRecord* k : kids) {
        k->father = dad;
        k->mother = mum;
    }
    ASSERT_TRUE(list().AddMarriage(dad, mum).ok);
    ASSERT_TRUE(list().AddMarriage(second, dad).ok);
    list().setCurrentPerson(dad);
    list().setTreeModified(false);

    EditResult r = deleteConfirmed(doc);

    EXPECT_TRUE(r.changed && r.repaint);
    EXPECT_TRUE(doc.treeModified());
    EXPECT_TRUE(r.endDrag);
    EXPECT_EQ(list().currentPerson(), nullptr);
    EXPECT_EQ(list().count(), 5u);
    for (PersonRecord* k : kids) {
        EXPECT_EQ(k->father, nullptr);
        EXPECT_EQ(k->mother, mum);
    }
    for (int i = 1; i <= kRelationSlots; ++i) {
        EXPECT_EQ(mum->partner[i], nullptr);
        EXPECT_EQ(second->partner[i], nullptr);
    }
}

TEST_F(Editing, DeletingTheSelectionRemovesEveryMemberAndOnlyThem) {
    PersonRecord* a = add();
    PersonRecord* b = add();
    PersonRecord* c = add();
    PersonRecord* d = add();
    b->father = a;
    d->mother = c;
    list().setSelection({a, c});
    list().setCurrentPerson(b);  // not selected: must survive

    deleteConfirmed(doc);

    EXPECT_EQ(inOrder(), (std::vector<PersonRecord*>{b, d}));
    EXPECT_TRUE(list().selection().empty());
    EXPECT_EQ(list().currentPerson(), nullptr);
    EXPECT_EQ(b->father, nullptr);
    EXPECT_EQ(d->mother, nullptr);
    EXPECT_FALSE(b->selected());

    // Nothing current and nothing selected: no change at all.
    list().setTreeModified(false);
    EXPECT_FALSE(deleteConfirmed(doc).changed);
    EXPECT_FALSE(doc.treeModified());
    EXPECT_EQ(list().count(), 2u);
}

TEST_F(Editing, StartingALinkNeedsACurrentPerson) {
    EXPECT_FALSE(startLink(doc, LinkKind::Father).ok);
    PersonRecord* p = add();
    p->setPos(100, -20);
    const LinkStart start = startLink(doc, LinkKind::Mother);
    ASSERT_TRUE(start.ok);
    EXPECT_EQ(start.lineX, 170);  // the rubber line starts at the box's centre
    EXPECT_EQ(start.lineY, 20);
    EXPECT_EQ(list().count(), 1u);
}

TEST_F(Editing, AnAliasBoxTakesOnlyPartnerLinks) {
    PersonRecord* original = add();
    PersonRecord* alias = add();
    original->setText(field::aliasMark, "ALIAS");
    alias->setText(field::aliasMark, "REF");
    alias->father = original;
    list().setCurrentPerson(alias);
    EXPECT_FALSE(startLink(doc, LinkKind::Father).ok);
    EXPECT_FALSE(startLink(doc, LinkKind::Mother).ok);
    EXPECT_TRUE(startLink(doc, LinkKind::Partner).ok);
    EXPECT_EQ(alias->father, original);
}

TEST_F(Editing, ClickOnOwnBoxOnlyEndsTheLink) {
    PersonRecord* p = add();
    for (LinkKind kind : {LinkKind::Father, LinkKind::Mother, LinkKind::Partner}) {
        list().setTreeModified(false);
        EditResult r = link(kind, p, p);
        EXPECT_FALSE(r.changed);
        EXPECT_EQ(r.openEditorFor, nullptr);
        EXPECT_FALSE(doc.treeModified());
        EXPECT_EQ(list().currentPerson(), p);
    }
    EXPECT_EQ(p->father, nullptr);
    EXPECT_EQ(p->mother, nullptr);
    EXPECT_EQ(p->partner[1], nullptr);
}

TEST_F(Editing, ParentLinksOverwriteTheTargetsSex) {
    PersonRecord* child = add("child");
    PersonRecord* woman = add("woman");
    PersonRecord* man = add("man");
    PersonRecord* older = add("older");
    woman->setText(field::sex, "F");
    man->setText(field::sex, "M");
    child->father = older;

    EditResult r = link(LinkKind::Father, child, woman);
    EXPECT_TRUE(r.changed);
    EXPECT_EQ(child->father, woman);  // the old father is simply replaced
    EXPECT_EQ(woman->text(field::sex), "M");
    EXPECT_EQ(list().currentPerson(), child);
    EXPECT_EQ(r.openEditorFor, nullptr);

    link(LinkKind::Mother, child, man);
    EXPECT_EQ(child->mother, man);
    EXPECT_EQ(man->text(field::sex), "F");
    EXPECT_TRUE(doc.treeModified());
}

TEST_F(Editing, LinkOnEmptyCanvasMakesAnUncarriedManAtTheClick) {
    PersonRecord* child = add("child");
    EditResult r = link(LinkKind::Mother, child, nullptr, 503, 304);
    ASSERT_EQ(list().count(), 2u);
    const PersonRecord* made = list().personListTail();
    EXPECT_EQ(child->mother, made);
    EXPECT_EQ(made->text(field::sex), "F");  // made male, then linked as mother
    EXPECT_EQ(made->posX(), 428);
    EXPECT_EQ(made->posY(), 258);
    EXPECT_TRUE(r.endDrag);  // whatever was carried, the press ended it
    EXPECT_FALSE(r.carryNewBox);
    EXPECT_EQ(list().currentPerson(), child);
}

TEST_F(Editing, LinkToRelativeOpensTheEditorOnTheRelationship) {
    PersonRecord* p = add("p");
    PersonRecord* t = add("t");
    EditResult r = link(LinkKind::Partner, p, t);
    EXPECT_EQ(p->partner[1], t);
    EXPECT_EQ(t->partner[1], p);
    EXPECT_EQ(p->relationType(1), 'M');
    EXPECT_EQ(r.openEditorFor, p);
    EXPECT_EQ(r.editorPage, EditorPage::Relationship);
    EXPECT_TRUE(r.message.empty());

    // On empty canvas: a new man, linked both ways; still p's editor.
    r = link(LinkKind::Partner, p, nullptr, 70, 40);
    const PersonRecord* made = list().personListTail();
    EXPECT_NE(made, t);
    EXPECT_EQ(made->text(field::sex), "M");
    EXPECT_EQ(p->partner[2], made);
    EXPECT_EQ(made->partner[1], p);
    EXPECT_EQ(r.openEditorFor, p);
    EXPECT_EQ(list().currentPerson(), p);
}

TEST_F(Editing, LinkToRelativeAtTheSlotLimit) {
    PersonRecord* p = add("p");
    PersonRecord* full = add("full");
    fill(full, kRelationSlots);
    list().setTreeModified(false);
    EditResult r = link(LinkKind::Partner, p, full);
    EXPECT_EQ(r.message,
              "Error: Could not create marriage. This version only supports 8 marriages.");
    EXPECT_FALSE(r.changed);
    EXPECT_EQ(r.openEditorFor, p);  // the editor opens all the same
    for (int i = 1; i <= kRelationSlots; ++i) EXPECT_EQ(p->partner[i], nullptr);
    EXPECT_TRUE(doc.treeModified());
}

TEST_F(Editing, RefusedRelationshipOnEmptyCanvasLeavesNoBoxBehind) {
    PersonRecord* p = add("p");
    fill(p, kRelationSlots);
    const size_t count = list().count();
    const int32_t highest = list().highestPersonId();
    EditResult r = link(LinkKind::Partner, p, nullptr, 500, 500);
    EXPECT_EQ(r.message,
              "Error: Could not create marriage. This version only supports 8 marriages.");
    EXPECT_FALSE(r.changed);
    EXPECT_EQ(r.openEditorFor, p);
    EXPECT_EQ(list().count(), count);
    EXPECT_EQ(list().highestPersonId(), highest);
    EXPECT_EQ(list().currentPerson(), p);
    for (int i = 1; i <= kRelationSlots; ++i) EXPECT_NE(p->partner[i], nullptr);
    // The id the refused box had is the next one given out.
    ASSERT_TRUE(list().LagNyPerson(0, 0).ok);
    EXPECT_EQ(list().currentPerson()->personId(), highest + 1);
    // Only the newest record can be taken back.
    EXPECT_FALSE(list().takeBackNewPerson(p));
    EXPECT_EQ(list().count(), count + 1);
}

TEST_F(Editing, LinkFromAPersonDeletedMeanwhileOnlyEnds) {
    PersonRecord* p = add();
    PersonRecord* t = add();
    list().setCurrentPerson(p);
    ASSERT_TRUE(startLink(doc, LinkKind::Father).ok);
    list().removePerson();
    EditResult r = completeLink(doc, LinkKind::Father, nullptr, t, 0, 0);
    EXPECT_FALSE(r.changed);
    EXPECT_EQ(list().count(), 1u);
}

TEST_F(Editing, DeleteParentLinksOnThisPersonOnly) {
    PersonRecord* dad = add();
    PersonRecord* mum = add();
    PersonRecord* child = add();
    child->father = dad;
    child->mother = mum;
    list().setTreeModified(false);
    EXPECT_TRUE(deleteLinkToMother(doc).changed);
    EXPECT_EQ(child->mother, nullptr);
    EXPECT_EQ(child->father, dad);
    EXPECT_TRUE(doc.treeModified());
    EXPECT_TRUE(deleteLinkToFather(doc).changed);
    EXPECT_EQ(child->father, nullptr);
    // Nothing left to cut: no change, no modification.
    list().setTreeModified(false);
    EXPECT_FALSE(deleteLinkToFather(doc).changed);
    EXPECT_FALSE(deleteLinkToMother(doc).changed);
    EXPECT_FALSE(doc.treeModified());

    // An alias box's father is its original, not a parent.
    child->setText(field::aliasMark, "REF");
    child->father = dad;
    EXPECT_FALSE(deleteLinkToFather(doc).changed);
    EXPECT_EQ(child->father, dad);
}

TEST_F(Editing, MakeHomeMovesTheRecordToTheFront) {
    PersonRecord* a = add();
    PersonRecord* b = add();
    PersonRecord* c = add();
    list().setTreeModified(false);

    list().setCurrentPerson(a);
    EXPECT_FALSE(makeHome(doc).repaint);  // already home
    EXPECT_EQ(inOrder(), (std::vector<PersonRecord*>{a, b, c}));

    list().setCurrentPerson(c);  // the tail
    EXPECT_TRUE(makeHome(doc).repaint);
    EXPECT_EQ(inOrder(), (std::vector<PersonRecord*>{c, a, b}));
    EXPECT_EQ(list().personListHead(), c);
    EXPECT_EQ(list().personListTail(), b);
    EXPECT_EQ(b->nextPerson, nullptr);
    EXPECT_EQ(c->previousPerson, nullptr);
    EXPECT_EQ(a->previousPerson, c);

    list().setCurrentPerson(a);  // from the middle
    makeHome(doc);
    EXPECT_EQ(inOrder(), (std::vector<PersonRecord*>{a, c, b}));
    EXPECT_EQ(b->previousPerson, c);
    EXPECT_EQ(list().personListTail(), b);
    // A new home person is a change of the file: closing must not lose it.
    EXPECT_TRUE(doc.treeModified());

    list().setCurrentPerson(nullptr);
    EXPECT_FALSE(makeHome(doc).repaint);
}

}  // namespace
}  // namespace lineara
