#include "core/model/relationships.h"

#include <gtest/gtest.h>

#include "core/model/person_list.h"

namespace lineara {
namespace {

class Relationships : public ::testing::Test {
protected:
    PersonRecord* add() {
        EXPECT_TRUE(list.LagNyPerson(0, 0).ok);
        return list.edit(list.currentPerson());
    }
    // Gives `p` relationships with fresh persons until it has `n`.
    void fill(PersonRecord* p, int n) {
        for (int k = 0; k < n; ++k) ASSERT_TRUE(list.AddMarriage(p, add()).ok);
    }
    static void setDetails(PersonRecord* p, int slot, const char* date, const char* place,
                           char type) {
        p->setText(field::relationDate(slot), date);
        p->setText(field::relationPlace(slot), place);
        p->setRelationType(slot, type);
    }
    PersonList list;
};

TEST_F(Relationships, AddMarriageTakesTheLowestFreeSlotOnBoth) {
    PersonRecord* a = add();
    PersonRecord* b = add();
    PersonRecord* c = add();
    a->setText(field::relationDate(1), "leftover");
    a->setRelationType(1, 'D');
    ASSERT_TRUE(list.AddMarriage(a, b).ok);
    EXPECT_EQ(list.addedSlotIndex()[0], 1);
    EXPECT_EQ(list.addedSlotIndex()[1], 1);
    EXPECT_EQ(a->partner[1], b);
    EXPECT_EQ(b->partner[1], a);
    EXPECT_TRUE(a->isEmpty(field::relationDate(1)));
    EXPECT_EQ(a->relationType(1), 'M');

    ASSERT_TRUE(list.AddMarriage(c, a).ok);
    EXPECT_EQ(list.addedSlotIndex()[0], 1);
    EXPECT_EQ(list.addedSlotIndex()[1], 2);

    // A slot emptied in the middle is reused first.
    a->partner[1] = nullptr;
    b->partner[1] = nullptr;
    ASSERT_TRUE(list.AddMarriage(a, c).ok);
    EXPECT_EQ(list.addedSlotIndex()[0], 1);
    EXPECT_EQ(list.addedSlotIndex()[1], 2);

    // The same pair again: a further slot pair, not a merge.
    ASSERT_TRUE(list.AddMarriage(a, c).ok);
    EXPECT_EQ(a->partner[3], c);
    EXPECT_EQ(c->partner[3], a);
}

TEST_F(Relationships, AtTheLimitNeitherPersonChanges) {
    PersonRecord* full1 = add();
    fill(full1, 8);
    PersonRecord* full2 = add();
    fill(full2, 8);
    PersonRecord* seven = add();
    fill(seven, 7);
    setDetails(seven, 8, "old date", "old place", 'P');

    const PersonRecord before1 = *full1;
    const PersonRecord beforeSeven = *seven;

    Outcome o = list.AddMarriage(full1, full2);
    EXPECT_FALSE(o.ok);
    EXPECT_EQ(o.message,
              "Error: Could not create marriage. This version only supports 8 marriages.");
    EXPECT_EQ(full1->image(), before1.image());
    EXPECT_EQ(full1->partner, before1.partner);

    o = list.AddMarriage(seven, full1);
    EXPECT_FALSE(o.ok);
    EXPECT_EQ(list.addedSlotIndex()[0], 8);
    EXPECT_EQ(list.addedSlotIndex()[1], 0);
    // The free slot of `seven` is untouched, leftovers and all.
    EXPECT_EQ(seven->partner, beforeSeven.partner);
    EXPECT_EQ(seven->image(), beforeSeven.image());

    o = list.AddMarriage(full1, seven);
    EXPECT_FALSE(o.ok);
    EXPECT_EQ(list.addedSlotIndex()[0], 0);
    EXPECT_EQ(seven->partner, beforeSeven.partner);
}

TEST_F(Relationships, BackSlotPairsSeveralRelationshipsByTheirDetails) {
    PersonRecord* a = add();
    PersonRecord* b = add();
    PersonRecord* c = add();
    ASSERT_TRUE(list.AddMarriage(a, c).ok);  // a1 - c1
    ASSERT_TRUE(list.AddMarriage(b, a).ok);  // b1 - a2
    ASSERT_TRUE(list.AddMarriage(b, a).ok);  // b2 - a3
    setDetails(a, 2, "1900", "Kraków", 'M');
    setDetails(b, 1, "1900", "Kraków", 'M');
    setDetails(a, 3, "1920", "Lwów", 'D');
    setDetails(b, 2, "1920", "Lwów", 'D');

    EXPECT_EQ(findBackSlot(*a, 2).slot, 1);
    EXPECT_EQ(findBackSlot(*a, 3).slot, 2);
    EXPECT_EQ(findBackSlot(*b, 2).slot, 3);
    EXPECT_EQ(findBackSlot(*a, 1).slot, 1);  // c's only slot

    // Details that no longer match: a single pointing slot still pairs...
    c->setText(field::relationPlace(1), "elsewhere");
    BackSlot single = findBackSlot(*a, 1);
    EXPECT_EQ(single.slot, 1);
    EXPECT_FALSE(single.ambiguous);

    // ...but two pointing slots without a full match do not.
    a->setText(field::relationDate(2), "1901");
    BackSlot none = findBackSlot(*a, 2);
    EXPECT_EQ(none.slot, 0);
    EXPECT_TRUE(none.ambiguous);

    // Comparison is exact: case and length count.
    a->setText(field::relationDate(2), "1900");
    a->setText(field::relationPlace(2), "kraków");
    EXPECT_TRUE(findBackSlot(*a, 2).ambiguous);
    a->setText(field::relationPlace(2), "Kraków");
    a->setRelationType(2, 'P');
    EXPECT_TRUE(findBackSlot(*a, 2).ambiguous);
}

TEST_F(Relationships, NoBackSlotForEmptyOrOneSidedSlots) {
    PersonRecord* a = add();
    PersonRecord* b = add();
    EXPECT_EQ(findBackSlot(*a, 1).slot, 0);
    EXPECT_EQ(findBackSlot(*a, 0).slot, 0);
    EXPECT_EQ(findBackSlot(*a, 9).slot, 0);
    a->partner[4] = b;  // recorded on one side only
    BackSlot r = findBackSlot(*a, 4);
    EXPECT_EQ(r.slot, 0);
    EXPECT_FALSE(r.ambiguous);
}

}  // namespace
}  // namespace lineara
