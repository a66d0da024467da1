// Creating an empty pedigree: the number typed, the persons made, their
// order, links and places, and the command as one undo step.
#include "core/layout/create_tree.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>
#include <vector>

#include "core/formats/tree_file.h"
#include "core/history/step_names.h"
#include "core/layout/organize_tree.h"
#include "support/add_person.h"

namespace lineara {
namespace {

using Pos = std::pair<int32_t, int32_t>;

Pos at(const PersonRecord* p) { return {p->posX(), p->posY()}; }

TEST(CreateTreeNumber, IsReadAsTheProgramReadsIntegers) {
    const struct {
        const char* text;
        GenerationsEntry::Status status;
        int generations;
        const char* message;
    } cases[] = {
        {"5", GenerationsEntry::Accepted, 5, ""},
        {"2", GenerationsEntry::Accepted, 2, ""},
        {"7", GenerationsEntry::Accepted, 7, ""},
        {"  3", GenerationsEntry::Accepted, 3, ""},
        {"+4", GenerationsEntry::Accepted, 4, ""},
        {"$6", GenerationsEntry::Accepted, 6, ""},
        {"0x6", GenerationsEntry::Accepted, 6, ""},
        {"007", GenerationsEntry::Accepted, 7, ""},
        {"1", GenerationsEntry::Refused, 0, "Minimum 2 generations!"},
        {"0", GenerationsEntry::Refused, 0, "Minimum 2 generations!"},
        {"-3", GenerationsEntry::Refused, 0, "Minimum 2 generations!"},
        {"-2147483648", GenerationsEntry::Refused, 0, "Minimum 2 generations!"},
        {"8", GenerationsEntry::Refused, 0, "Maximum 7 generations per tree, please."},
        {"9", GenerationsEntry::Refused, 0, "Maximum 7 generations per tree, please."},
        {"$10", GenerationsEntry::Refused, 0, "Maximum 7 generations per tree, please."},
        {"2147483647", GenerationsEntry::Refused, 0, "Maximum 7 generations per tree, please."},
        {"", GenerationsEntry::NotANumber, 0, "'' is not a valid integer value"},
        {"abc", GenerationsEntry::NotANumber, 0, "'abc' is not a valid integer value"},
        {"5 ", GenerationsEntry::NotANumber, 0, "'5 ' is not a valid integer value"},
        {"4.0", GenerationsEntry::NotANumber, 0, "'4.0' is not a valid integer value"},
        {"-", GenerationsEntry::NotANumber, 0, "'-' is not a valid integer value"},
        {"$", GenerationsEntry::NotANumber, 0, "'$' is not a valid integer value"},
        {"2147483648", GenerationsEntry::NotANumber, 0,
         "'2147483648' is not a valid integer value"},
    };
    for (const auto& c : cases) {
        GenerationsEntry e = checkGenerations(c.text);
        EXPECT_EQ(e.status, c.status) << c.text;
        EXPECT_EQ(e.message, c.message) << c.text;
        EXPECT_EQ(e.caption, c.status == GenerationsEntry::Refused ? "PSST" : "") << c.text;
        if (c.status == GenerationsEntry::Accepted) {
            EXPECT_EQ(e.generations, c.generations) << c.text;
        }
    }
}

class CreateTree : public ::testing::Test {
protected:
    PersonList& list() { return test::writable(doc); }
    PersonRecord* add(int32_t x = 0, int32_t y = 0) {
        return test::addPerson(list(), "", "", x, y);
    }
    // The persons after `root` in list order.
    std::vector<const PersonRecord*> madeAfter(const PersonRecord* root) {
        std::vector<const PersonRecord*> made;
        for (const PersonRecord* r = root->nextPerson; r != nullptr; r = r->nextPerson) {
            made.push_back(r);
        }
        return made;
    }
    Document doc;
};

TEST_F(CreateTree, ThreeGenerationsInBothStyles) {
    const struct {
        TreeStyle style;
        Pos father, mother;
        int32_t grandparentsY;
    } cases[] = {
        {TreeStyle::Compact, {-75, -195}, {75, -195}, -378},
        {TreeStyle::Fractal, {-150, -400}, {150, -400}, -640},
    };
    for (const auto& c : cases) {
        doc.clear();
        PersonRecord* root = add();
        list().setCurrentPerson(root);
        ASSERT_TRUE(createAncestorTree(doc, c.style, 3).ok);
        std::vector<const PersonRecord*> made = madeAfter(root);
        ASSERT_EQ(made.size(), 6u);
        EXPECT_EQ(root->father, made[0]);
        EXPECT_EQ(root->mother, made[1]);
        EXPECT_EQ(at(made[0]), c.father);
        EXPECT_EQ(at(made[1]), c.mother);
        const int32_t xs[] = {-225, -75, 75, 225};
        for (int k = 0; k < 4; ++k) EXPECT_EQ(at(made[size_t(2 + k)]), Pos(xs[k], c.grandparentsY));
        // The first two grandparents are the father's parents.
        EXPECT_EQ(made[0]->father, made[2]);
        EXPECT_EQ(made[0]->mother, made[3]);
        EXPECT_EQ(made[1]->father, made[4]);
        EXPECT_EQ(made[1]->mother, made[5]);
        EXPECT_EQ(doc.persons().currentPerson(), nullptr);
    }
}

TEST_F(CreateTree, TwoGenerationsAreAFatherLeftOfAMother) {
    const struct {
        TreeStyle style;
        Pos father, mother;
    } cases[] = {
        {TreeStyle::Compact, {-75, -99}, {75, -99}},
        {TreeStyle::Fractal, {-75, -240}, {75, -240}},
    };
    for (const auto& c : cases) {
        doc.clear();
        PersonRecord* root = add(500, 1000);
        list().setCurrentPerson(root);
        ASSERT_TRUE(createAncestorTree(doc, c.style, 2).ok);
        std::vector<const PersonRecord*> made = madeAfter(root);
        ASSERT_EQ(made.size(), 2u);
        EXPECT_EQ(at(made[0]), Pos(500 + c.father.first, 1000 + c.father.second));
        EXPECT_EQ(at(made[1]), Pos(500 + c.mother.first, 1000 + c.mother.second));
    }
}

// Every size in both styles: the persons in the order made, their sexes,
// their links, and places that the organise command, with its own
// formulas, leaves exactly where they are.
TEST_F(CreateTree, EveryPedigreeIsCompleteAndAlreadyOrganised) {
    for (TreeStyle style : {TreeStyle::Compact, TreeStyle::Fractal}) {
        for (int a = 2; a <= 7; ++a) {
            SCOPED_TRACE(std::to_string(a) + " generations, style " + std::to_string(int(style)));
            doc.clear();
            add(3000, 3000);  // someone before the root, who is left alone
            PersonRecord* root = add(-1235, 4440);
            list().setCurrentPerson(root);
            const int32_t highest = list().highestPersonId();
            ASSERT_TRUE(createAncestorTree(doc, style, a).ok);
            std::vector<const PersonRecord*> made = madeAfter(root);
            ASSERT_EQ(made.size(), (size_t{2} << (a - 1)) - 2);
            for (size_t k = 0; k < made.size(); ++k) {
                const PersonRecord* child = k < 2 ? root : made[k / 2 - 1];
                EXPECT_EQ(made[k]->personId(), highest + 1 + int32_t(k));
                EXPECT_EQ(made[k]->text(field::sex), k % 2 == 0 ? "M" : "F");
                EXPECT_EQ(k % 2 == 0 ? child->father : child->mother, made[k]) << k;
            }
            // Generation by generation, left to right, each row above the
            // one below.
            for (size_t k = 1; k < made.size(); ++k) {
                bool newGeneration = ((k + 2) & (k + 1)) == 0;
                if (newGeneration) {
                    EXPECT_LT(made[k]->posY(), made[k - 1]->posY()) << k;
                } else {
                    EXPECT_EQ(made[k]->posY(), made[k - 1]->posY()) << k;
                    EXPECT_GT(made[k]->posX(), made[k - 1]->posX()) << k;
                }
            }
            const std::vector<uint8_t> created = treeFileBytes(list());
            AncestorTable table;
            list().setCurrentPerson(root);
            OrganizeResult organised = organizeAncestors(doc, table, style);
            EXPECT_EQ(organised.status, OrganizeResult::Organized);
            EXPECT_EQ(treeFileBytes(list()), created);
        }
    }
}

TEST_F(CreateTree, OnlyAbovePersonsWithoutParentsWhoAreNoAliasBoxes) {
    PersonRecord* child = add();
    child->mother = add();
    PersonRecord* box = add();
    box->setText(field::aliasMark, kAliasBox);
    doc.markSaved();
    const std::vector<uint8_t> saved = treeFileBytes(list());
    for (PersonRecord* p : {child, box, static_cast<PersonRecord*>(nullptr)}) {
        list().setCurrentPerson(p);
        EXPECT_FALSE(canCreateAncestorTree(doc.persons()));
        Outcome o = createAncestorTree(doc, TreeStyle::Compact, 3);
        EXPECT_FALSE(o.ok);
        EXPECT_EQ(o.message, kMsgCannotCreateTreeHere);
    }
    list().setCurrentPerson(child->mother);
    EXPECT_EQ(createAncestorTree(doc, TreeStyle::Compact, 8).message,
              "Maximum 7 generations per tree, please.");
    EXPECT_EQ(treeFileBytes(list()), saved);
    EXPECT_FALSE(doc.canUndo());
    EXPECT_FALSE(doc.treeModified());
}

TEST_F(CreateTree, IsOneStepThatUndoesToTheSameBytes) {
    add(10, 10);
    PersonRecord* root = add(20, 20);
    doc.markSaved();
    const std::vector<uint8_t> saved = treeFileBytes(list());
    list().setCurrentPerson(root);
    ASSERT_TRUE(createAncestorTree(doc, TreeStyle::Fractal, 5).ok);
    EXPECT_EQ(list().count(), 2u + 30u);
    EXPECT_EQ(doc.undoName(), step_name::kCreateAncestorTree);
    EXPECT_EQ(doc.history().size(), 1u);
    EXPECT_TRUE(doc.treeModified());
    const std::vector<uint8_t> created = treeFileBytes(list());

    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(treeFileBytes(list()), saved);
    EXPECT_EQ(list().highestPersonId(), 2);
    EXPECT_EQ(doc.persons().currentPerson(), root);
    EXPECT_FALSE(doc.treeModified());
    ASSERT_TRUE(doc.redo());
    EXPECT_EQ(treeFileBytes(list()), created);
}

TEST_F(CreateTree, APersonThatCannotBeMadeTakesTheWholePedigreeBack) {
    PersonRecord* root = add(20, 20);
    // Ids run out after three more persons.
    list().setHighestPersonId(std::numeric_limits<int32_t>::max() - 3);
    doc.markSaved();
    const std::vector<uint8_t> saved = treeFileBytes(list());
    list().setCurrentPerson(root);
    Outcome o = createAncestorTree(doc, TreeStyle::Compact, 3);
    EXPECT_FALSE(o.ok);
    EXPECT_EQ(o.message, kMsgNewPersonFailed);
    EXPECT_EQ(list().count(), 1u);
    EXPECT_EQ(root->father, nullptr);
    EXPECT_EQ(root->mother, nullptr);
    EXPECT_EQ(treeFileBytes(list()), saved);
    EXPECT_EQ(list().highestPersonId(), std::numeric_limits<int32_t>::max() - 3);
    EXPECT_EQ(doc.persons().currentPerson(), root);
    EXPECT_FALSE(doc.canUndo());
}

}  // namespace
}  // namespace lineara
