#include "core/model/person_list.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/add_person.h"

namespace lineara {
namespace {

using test::addPerson;

std::vector<int32_t> idsInOrder(const PersonList& list) {
    std::vector<int32_t> ids;
    forEachPerson(list, [&ids](const PersonRecord* r) { ids.push_back(r->personId()); });
    return ids;
}

TEST(LagNyPerson, FirstRecordIsHeadTailAndCurrent) {
    PersonList list;
    ASSERT_TRUE(list.LagNyPerson(0, 0).ok);
    const PersonRecord* r = list.currentPerson();
    EXPECT_EQ(list.personListHead(), r);
    EXPECT_EQ(list.personListTail(), r);
    EXPECT_EQ(r->personId(), 1);
    EXPECT_EQ(r->previousPerson, nullptr);
    EXPECT_EQ(r->nextPerson, nullptr);
    EXPECT_TRUE(list.treeModified());
    EXPECT_TRUE(r->isEmpty(field::sex));
}

TEST(LagNyPerson, AppendsInOrderWithLinksBothWays) {
    PersonList list;
    PersonRecord* a = addPerson(list);
    PersonRecord* b = addPerson(list);
    PersonRecord* c = addPerson(list);
    EXPECT_EQ(idsInOrder(list), (std::vector<int32_t>{1, 2, 3}));
    EXPECT_EQ(a->nextPerson, b);
    EXPECT_EQ(c->previousPerson, b);
    EXPECT_EQ(list.personListTail(), c);
    EXPECT_EQ(list.count(), 3u);
}

TEST(LagNyPerson, CentresTheSnappedBoxNearTheMouse) {
    struct Case {
        int32_t mouseX, mouseY, posX, posY;
    } cases[] = {
        {0, 0, -72, -42},      // (-70 div 5)*5 - 2, (-40 div 5)*5 - 2
        {70, 40, -2, -2},      // the box's centre exactly at the mouse
        {500, 300, 428, 258},  // 430 - 2, 260 - 2
        {503, 304, 428, 258},  // truncation within a step
        {-3, -7, -72, -47},    // (-73 div 5) = -14 truncates towards zero
        {74, 44, -2, -2},      // 4 div 5 = 0
    };
    for (const Case& c : cases) {
        PersonList list;
        ASSERT_TRUE(list.LagNyPerson(c.mouseX, c.mouseY).ok);
        EXPECT_EQ(list.currentPerson()->posX(), c.posX) << c.mouseX;
        EXPECT_EQ(list.currentPerson()->posY(), c.posY) << c.mouseY;
    }
}

TEST(LagNyPerson, IdsAreNeverReusedAndCannotWrap) {
    PersonList list;
    addPerson(list);
    addPerson(list);
    PersonRecord* third = addPerson(list);
    list.setCurrentPerson(third);
    list.removePerson();
    EXPECT_EQ(addPerson(list)->personId(), 4);

    // Only a foreign file can bring the highest id to the top of the range;
    // a new person then fails rather than getting a negative id.
    auto odd = std::make_unique<PersonRecord>();
    odd->setPersonId(INT32_MAX);
    list.appendLoaded(std::move(odd));
    list.setTreeModified(false);
    Outcome o = list.LagNyPerson(0, 0);
    EXPECT_FALSE(o.ok);
    EXPECT_EQ(o.message, "Failed to create new person item");
    EXPECT_EQ(list.count(), 4u);
    EXPECT_TRUE(list.treeModified());
}

TEST(FindPersonById, FirstMatchInListOrderAndNothingForNonPositiveIds) {
    PersonList list;
    PersonRecord* a = addPerson(list);
    PersonRecord* b = addPerson(list);
    auto dup = std::make_unique<PersonRecord>();
    dup->setPersonId(2);
    list.appendLoaded(std::move(dup));
    EXPECT_EQ(list.findPersonById(1), a);
    EXPECT_EQ(list.findPersonById(2), b);
    EXPECT_EQ(list.findPersonById(3), nullptr);
    EXPECT_EQ(list.findPersonById(0), nullptr);
    EXPECT_EQ(list.findPersonById(-5), nullptr);
}

TEST(RemovePerson, ClearsEveryReferenceAndUnlinks) {
    PersonList list;
    PersonRecord* dad = addPerson(list, "dad");
    PersonRecord* mum = addPerson(list, "mum");
    PersonRecord* child = addPerson(list, "child");
    PersonRecord* other = addPerson(list, "other");
    child->father = dad;
    child->mother = mum;
    ASSERT_TRUE(list.AddMarriage(dad, mum).ok);
    ASSERT_TRUE(list.AddMarriage(mum, dad).ok);  // married twice
    ASSERT_TRUE(list.AddMarriage(dad, other).ok);
    list.edit(list.currentPerson())->setText(field::relationDate(2), "1900");
    list.setSelection({dad, other});

    list.setCurrentPerson(dad);
    list.removePerson();

    EXPECT_EQ(list.currentPerson(), nullptr);
    EXPECT_EQ(child->father, nullptr);
    EXPECT_EQ(child->mother, mum);
    for (int i = 1; i <= kRelationSlots; ++i) {
        EXPECT_EQ(mum->partner[i], nullptr) << i;
        EXPECT_EQ(other->partner[i], nullptr) << i;
    }
    // The emptied slot keeps its leftovers; only the link goes.
    EXPECT_EQ(other->text(field::relationDate(2)), "1900");
    EXPECT_EQ(list.personListHead(), mum);
    EXPECT_EQ(mum->previousPerson, nullptr);
    EXPECT_EQ(idsInOrder(list), (std::vector<int32_t>{2, 3, 4}));
    EXPECT_EQ(list.selection(), (std::vector<const PersonRecord*>{other}));
}

TEST(RemovePerson, TailAndMiddleAreUnlinked) {
    PersonList list;
    PersonRecord* a = addPerson(list);
    PersonRecord* b = addPerson(list);
    PersonRecord* c = addPerson(list);
    list.setCurrentPerson(c);
    list.removePerson();
    EXPECT_EQ(list.personListTail(), b);
    EXPECT_EQ(b->nextPerson, nullptr);
    list.setCurrentPerson(a);
    list.removePerson();
    EXPECT_EQ(list.personListHead(), b);
    EXPECT_EQ(list.personListTail(), b);
    list.setCurrentPerson(b);
    list.removePerson();
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.personListTail(), nullptr);
    EXPECT_EQ(list.count(), 0u);
}

TEST(RemovePerson, AliasPairsUndoEachOther) {
    {
        // Removing the original leaves its alias box an ordinary person.
        PersonList list;
        PersonRecord* original = addPerson(list, "Jan");
        PersonRecord* alias = addPerson(list, "Jan");
        original->setText(field::aliasMark, "ALIAS");
        alias->setText(field::aliasMark, "REF");
        alias->father = original;
        list.setCurrentPerson(original);
        list.removePerson();
        EXPECT_EQ(alias->father, nullptr);
        EXPECT_TRUE(alias->isEmpty(field::aliasMark));
        EXPECT_EQ(alias->text(field::givenNames), "Jan");
    }
    {
        // Removing the alias box makes the original plain again.
        PersonList list;
        PersonRecord* original = addPerson(list, "Jan");
        PersonRecord* alias = addPerson(list, "Jan");
        original->setText(field::aliasMark, "ALIAS");
        alias->setText(field::aliasMark, "REF");
        alias->father = original;
        list.setCurrentPerson(alias);
        list.removePerson();
        EXPECT_TRUE(original->isEmpty(field::aliasMark));
        EXPECT_EQ(list.count(), 1u);
    }
    {
        // A real father who happens to be removed does not touch a child's
        // empty alias mark, and a non-alias child keeps its mark.
        PersonList list;
        PersonRecord* dad = addPerson(list);
        PersonRecord* child = addPerson(list);
        child->setText(field::aliasMark, "ALIAS");
        child->father = dad;
        list.setCurrentPerson(dad);
        list.removePerson();
        EXPECT_EQ(child->text(field::aliasMark), "ALIAS");
    }
}

TEST(RemovalListeners, HearEachRemovalAndTheClear) {
    PersonList list;
    PersonRecord* a = addPerson(list);
    addPerson(list);
    std::vector<PersonRecord*> heard;
    int token = list.addRemovalListener([&heard](PersonRecord* r) { heard.push_back(r); });
    list.setCurrentPerson(a);
    list.removePerson();
    list.ClearMemory();
    EXPECT_EQ(heard, (std::vector<PersonRecord*>{a, nullptr}));
    list.removeRemovalListener(token);
    addPerson(list);
    list.ClearMemory();
    EXPECT_EQ(heard.size(), 2u);
}

TEST(ClearMemory, EmptiesListSelectionAndIdsButNotTheFlag) {
    PersonList list;
    PersonRecord* a = addPerson(list);
    addPerson(list);
    list.setSelection({a});
    list.setTreeModified(true);
    list.ClearMemory();
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.personListTail(), nullptr);
    EXPECT_EQ(list.currentPerson(), nullptr);
    EXPECT_TRUE(list.selection().empty());
    EXPECT_EQ(list.highestPersonId(), 0);
    EXPECT_TRUE(list.treeModified());
    EXPECT_EQ(addPerson(list)->personId(), 1);
}

TEST(Selection, MarksAndUnmarksRecords) {
    PersonList list;
    PersonRecord* a = addPerson(list);
    PersonRecord* b = addPerson(list);
    list.setSelection({a, b});
    EXPECT_TRUE(a->selected());
    EXPECT_TRUE(b->selected());
    list.setSelection({b});
    EXPECT_FALSE(a->selected());
    list.clearSelection();
    EXPECT_FALSE(b->selected());
}

}  // namespace
}  // namespace lineara
