#include "core/model/editing_aliases.h"

#include <gtest/gtest.h>

#include <string>

#include "core/model/editing_states.h"
#include "support/add_person.h"

namespace lineara {
namespace {

class Aliases : public ::testing::Test {
protected:
    PersonRecord* add(const char* given = "") { return test::addPerson(list(), given); }
    PersonList& list() { return test::writable(doc); }
    // A person with every personal field filled, partners and a child.
    PersonRecord* addFullPerson() {
        PersonRecord* p = add();
        int n = 0;
        for (TextField f : field::kPersonalData) {
            p->setText(f, f.capacity == 1 ? std::string("F") : "text " + std::to_string(n++));
        }
        p->setPos(1000, 2000);
        return p;
    }
    void expectSameData(const PersonRecord& a, const PersonRecord& b) {
        for (TextField f : field::kPersonalData) EXPECT_EQ(a.text(f), b.text(f)) << f.offset;
    }
    // The new box is at the mouse (333, -41), current, and to be carried
    // once the drag threshold is passed.
    void expectCarried(const PersonRecord* box, const EditResult& r) {
        EXPECT_EQ(list().currentPerson(), box);
        EXPECT_EQ(box->posX(), 333);  // exactly at the mouse, not snapped
        EXPECT_EQ(box->posY(), -41);
        EXPECT_TRUE(r.carryNewBox);
        EXPECT_TRUE(r.armDrag);
        EXPECT_TRUE(doc.treeModified());
    }
    EditResult makeAliasAtMouse() { return makeAlias(doc, 333, -41); }
    EditResult makeThisAnAliasAtMouse() { return makeThisAnAlias(doc, 333, -41); }
    Document doc;
};

TEST_F(Aliases, MakeAliasGivesTheOriginalASecondBox) {
    PersonRecord* o = addFullPerson();
    PersonRecord* dad = add();
    PersonRecord* wife = add();
    PersonRecord* child = add();
    o->father = dad;
    child->father = o;
    ASSERT_TRUE(list().AddMarriage(o, wife).ok);
    list().setCurrentPerson(o);
    list().setTreeModified(false);

    EditResult r = makeAliasAtMouse();

    const PersonRecord* box = list().personListTail();
    EXPECT_TRUE(r.changed && r.repaint);
    EXPECT_EQ(r.openEditorFor, nullptr);  // the editor waits for the drag's end
    expectCarried(box, r);
    expectSameData(*o, *box);
    EXPECT_EQ(o->text(field::aliasMark), "ALIAS");
    EXPECT_EQ(box->text(field::aliasMark), "REF");
    EXPECT_EQ(box->father, o);
    EXPECT_EQ(box->mother, nullptr);
    for (int i = 1; i <= kRelationSlots; ++i) EXPECT_EQ(box->partner[i], nullptr);
    // The original keeps every link of its own.
    EXPECT_EQ(o->father, dad);
    EXPECT_EQ(o->partner[1], wife);
    EXPECT_EQ(child->father, o);
}

TEST_F(Aliases, MakeThisAnAliasTurnsTheBoxIntoTheAliasOfANewOriginal) {
    PersonRecord* c = addFullPerson();
    PersonRecord* wife = add();
    PersonRecord* child = add();
    child->father = c;
    ASSERT_TRUE(list().AddMarriage(c, wife).ok);
    list().setSelection({c});
    list().setCurrentPerson(c);

    EditResult r = makeThisAnAliasAtMouse();

    const PersonRecord* original = list().personListTail();
    EXPECT_TRUE(r.changed);
    expectCarried(original, r);
    expectSameData(*c, *original);
    EXPECT_EQ(c->text(field::aliasMark), "REF");
    EXPECT_EQ(original->text(field::aliasMark), "ALIAS");
    EXPECT_EQ(c->father, original);
    EXPECT_EQ(original->father, nullptr);
    EXPECT_EQ(original->mother, nullptr);
    EXPECT_FALSE(original->selected());
    // The box pointed at stays where it was, with its partner and child.
    EXPECT_EQ(c->posX(), 1000);
    EXPECT_EQ(c->partner[1], wife);
    EXPECT_EQ(child->father, c);
}

TEST_F(Aliases, AliasCommandsRefuseMarkedOrParentedPersons) {
    PersonRecord* p = add();
    PersonRecord* parent = add();
    struct Case {
        const char* mark;
        bool father, mother;
        bool makeAliasWorks, makeThisWorks;
    } cases[] = {
        {"ALIAS", false, false, false, false},
        {"REF", false, false, false, false},
        {"", true, false, true, false},
        {"", false, true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mark) + (c.father ? " father" : "") +
                     (c.mother ? " mother" : ""));
        p->setText(field::aliasMark, c.mark);
        p->father = c.father ? parent : nullptr;
        p->mother = c.mother ? parent : nullptr;
        size_t before = list().count();

        list().setCurrentPerson(p);
        EXPECT_EQ(makeThisAnAliasAtMouse().changed, c.makeThisWorks);
        EXPECT_EQ(list().count(), before);
        EXPECT_EQ(p->text(field::aliasMark), c.mark);

        list().setCurrentPerson(p);
        EXPECT_EQ(makeAliasAtMouse().changed, c.makeAliasWorks);
        if (c.makeAliasWorks) {
            // Undo the alias for the next case.
            list().setCurrentPerson(list().personListTail());
            list().removePerson();
        }
    }
    list().setCurrentPerson(nullptr);
    EXPECT_FALSE(makeAliasAtMouse().changed);
    EXPECT_FALSE(makeThisAnAliasAtMouse().changed);
}

TEST_F(Aliases, GoToAliasLeadsBothWays) {
    PersonRecord* stranger = add("stranger");
    PersonRecord* o = add("original");
    PersonRecord* decoy = add("decoy");  // an alias box of someone else
    decoy->setText(field::aliasMark, "REF");
    decoy->father = stranger;
    list().setCurrentPerson(o);
    makeAliasAtMouse();
    const PersonRecord* box = list().currentPerson();

    list().setCurrentPerson(o);
    EXPECT_EQ(goToAliasOrOriginal(doc), box);
    EXPECT_EQ(list().currentPerson(), box);

    EXPECT_EQ(goToAliasOrOriginal(doc), o);
    EXPECT_EQ(list().currentPerson(), o);

    // Without another box the person stays current and is centred.
    EXPECT_EQ(aliasPartnerOf(list(), *stranger), nullptr);
    list().setCurrentPerson(stranger);
    EXPECT_EQ(goToAliasOrOriginal(doc), stranger);

    list().setCurrentPerson(nullptr);
    EXPECT_EQ(goToAliasOrOriginal(doc), nullptr);
}

TEST_F(Aliases, DeletingEitherBoxLeavesOrdinaryPersons) {
    PersonRecord* o = addFullPerson();
    list().setCurrentPerson(o);
    makeAliasAtMouse();
    const PersonRecord* box = list().currentPerson();

    // Deleting the original: the alias box keeps the data and loses its mark.
    list().setCurrentPerson(o);
    EXPECT_EQ(deleteQuestion(doc).text,
              "Do you really want to delete this and make the alias the original?");
    deleteConfirmed(doc);
    ASSERT_EQ(list().count(), 1u);
    EXPECT_TRUE(box->isEmpty(field::aliasMark));
    EXPECT_EQ(box->father, nullptr);
    EXPECT_EQ(box->text(field::givenNames), "text 0");

    // Deleting an alias box: the original is ordinary again, and there is
    // nothing left to go to.
    list().setCurrentPerson(box);
    makeAliasAtMouse();
    EXPECT_EQ(deleteQuestion(doc).text, "Do you really want to delete this alias?");
    deleteConfirmed(doc);
    EXPECT_TRUE(box->isEmpty(field::aliasMark));
    list().setCurrentPerson(box);
    EXPECT_FALSE(aliasMenuState(list()).goToAlias);
    EXPECT_EQ(list().count(), 1u);
}

}  // namespace
}  // namespace lineara
