// Deleting a relationship through the delete-link-to-relative dialog.
#include <gtest/gtest.h>

#include <string>

#include "core/model/editing.h"
#include "support/add_person.h"

namespace lineara {
namespace {

class DeleteRelationship : public ::testing::Test {
protected:
    PersonRecord* add(const char* given = "", const char* surname = "") {
        return test::addPerson(test::writable(doc), given, surname);
    }
    // A new relationship between a and b with the same details on both sides.
    void marry(PersonRecord* a, PersonRecord* b, const char* date, const char* place) {
        ASSERT_TRUE(test::writable(doc).AddMarriage(a, b).ok);
        auto slots = test::writable(doc).addedSlotIndex();
        a->setText(field::relationDate(slots[0]), date);
        a->setText(field::relationPlace(slots[0]), place);
        b->setText(field::relationDate(slots[1]), date);
        b->setText(field::relationPlace(slots[1]), place);
    }
    static void setSlot(PersonRecord* p, int slot, PersonRecord* partner, const char* date,
                        const char* place) {
        p->partner[slot] = partner;
        p->setText(field::relationDate(slot), date);
        p->setText(field::relationPlace(slot), place);
        p->setRelationType(slot, 'M');
    }
    RelationshipDeletion deleteFrom(PersonRecord* who, int line) {
        test::writable(doc).setCurrentPerson(who);
        test::writable(doc).setTreeModified(false);
        return deleteRelationship(doc, line);
    }
    Document doc;
};

TEST_F(DeleteRelationship, OneLinePerUsedSlotInSlotOrder) {
    PersonRecord* a = add("Anna", "Nowak");
    PersonRecord* jan = add("Jan", "Kowalski");
    PersonRecord* gap = add("Gap");
    PersonRecord* piotr = add("Piotr", "Wi\xB9zek");  // a code-page byte, kept as it is
    jan->setText(field::birthDate, "1900");
    jan->setText(field::deathDate, "1950");
    marry(a, jan, "", "");
    marry(a, gap, "", "");
    marry(a, piotr, "", "");
    a->partner[2] = nullptr;  // an emptied slot between two used ones
    test::writable(doc).setCurrentPerson(a);

    std::vector<RelationshipLine> lines = relationshipLines(doc);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].slot, 1);
    EXPECT_EQ(lines[0].text, "Jan Kowalski (1900 - 1950)");
    EXPECT_EQ(lines[1].slot, 3);
    EXPECT_EQ(lines[1].text, "Piotr Wi\xB9zek ( - )");

    // Line 1 is the second used slot, slot 3.
    EXPECT_TRUE(deleteFrom(a, 1).closeDialog);
    EXPECT_EQ(a->partner[3], nullptr);
    EXPECT_EQ(piotr->partner[1], nullptr);
    EXPECT_EQ(a->partner[1], jan);

    test::writable(doc).setCurrentPerson(nullptr);
    EXPECT_TRUE(relationshipLines(doc).empty());
}

TEST_F(DeleteRelationship, WithoutAChosenLineTheDialogStaysOpen) {
    PersonRecord* a = add();
    PersonRecord* b = add();
    marry(a, b, "", "");
    for (int line : {-1, 1, 7}) {
        RelationshipDeletion d = deleteFrom(a, line);
        EXPECT_FALSE(d.closeDialog) << line;
        EXPECT_EQ(a->partner[1], b);
        EXPECT_EQ(b->partner[1], a);
        EXPECT_FALSE(doc.treeModified());
    }
    test::writable(doc).setCurrentPerson(nullptr);
    EXPECT_FALSE(deleteRelationship(doc, 0).closeDialog);
}

TEST_F(DeleteRelationship, MarriedTwiceRemovesExactlyTheMatchingPair) {
    // b keeps the two relationships in the opposite order to a, so neither
    // slot numbers nor the order of the slots can pair them: only the details.
    struct Case {
        bool fromA;
        int line;
        const char* deletedDate;
    } cases[] = {{true, 0, "1920"}, {true, 1, "1935"}, {false, 0, "1935"}, {false, 1, "1920"}};
    for (const Case& c : cases) {
        test::writable(doc).ClearMemory();
        PersonRecord* a = add("a");
        PersonRecord* b = add("b");
        setSlot(a, 1, b, "1920", "Krak\xF3w");
        setSlot(a, 2, b, "1935", "Lw\xF3w");
        setSlot(b, 2, a, "1935", "Lw\xF3w");
        setSlot(b, 4, a, "1920", "Krak\xF3w");
        int slotA = std::string(c.deletedDate) == "1920" ? 1 : 2;
        int slotB = slotA == 1 ? 4 : 2;

        RelationshipDeletion d = deleteFrom(c.fromA ? a : b, c.line);

        SCOPED_TRACE(std::string(c.fromA ? "from a, " : "from b, ") + c.deletedDate);
        EXPECT_TRUE(d.closeDialog);
        EXPECT_TRUE(d.message.empty());
        EXPECT_TRUE(doc.treeModified());
        EXPECT_EQ(a->partner[slotA], nullptr);
        EXPECT_EQ(b->partner[slotB], nullptr);
        EXPECT_EQ(a->partner[3 - slotA], b);
        EXPECT_EQ(b->partner[6 - slotB], a);
    }
}

TEST_F(DeleteRelationship, MismatchedDetailsWithTwoPointingSlotsKeepThePartnersSide) {
    PersonRecord* a = add();
    PersonRecord* b = add();
    marry(a, b, "1920", "Krakow");
    marry(a, b, "1935", "Lwow");
    a->setText(field::relationPlace(1), "Warszawa");  // no longer matches b's copy

    RelationshipDeletion d = deleteFrom(a, 0);

    EXPECT_EQ(d.message,
              "Relationship could not be deleted on both sides because date or place did not "
              "match");
    EXPECT_TRUE(d.closeDialog);
    EXPECT_TRUE(doc.treeModified());
    EXPECT_EQ(a->partner[1], nullptr);
    EXPECT_EQ(a->partner[2], b);
    EXPECT_EQ(b->partner[1], a);
    EXPECT_EQ(b->partner[2], a);
    EXPECT_EQ(b->text(field::relationPlace(1)), "Krakow");
}

TEST_F(DeleteRelationship, ASingleRelationshipGoesOnBothSidesWhateverTheDetails) {
    PersonRecord* a = add();
    PersonRecord* b = add();
    marry(a, b, "1920", "Krakow");
    b->setText(field::relationDate(1), "abt 1921");
    b->setRelationType(1, 'D');

    RelationshipDeletion d = deleteFrom(b, 0);

    EXPECT_TRUE(d.message.empty());
    EXPECT_EQ(a->partner[1], nullptr);
    EXPECT_EQ(b->partner[1], nullptr);
    // The emptied slots keep their details as leftovers.
    EXPECT_EQ(b->text(field::relationDate(1)), "abt 1921");
}

TEST_F(DeleteRelationship, APartnerWhoDoesNotPointBackIsLeftAlone) {
    // Only an old imported file can hold a one-sided relationship.
    PersonRecord* a = add();
    PersonRecord* b = add();
    PersonRecord* c = add();
    marry(b, c, "", "");
    a->partner[4] = b;

    RelationshipDeletion d = deleteFrom(a, 0);

    EXPECT_TRUE(d.closeDialog);
    EXPECT_TRUE(d.message.empty());
    EXPECT_EQ(a->partner[4], nullptr);
    EXPECT_EQ(b->partner[1], c);
}

}  // namespace
}  // namespace lineara
