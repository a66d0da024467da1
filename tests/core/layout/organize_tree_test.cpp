// Organising the ancestors of a person: the pattern in both styles, the
// pedigree's odd shapes, the refusals, and the command as one undo step.
#include "core/layout/organize_tree.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "core/formats/tree_file.h"
#include "core/history/step_names.h"
#include "support/add_person.h"

namespace lineara {
namespace {

using Pos = std::pair<int32_t, int32_t>;

Pos at(const PersonRecord* p) { return {p->posX(), p->posY()}; }

class Organize : public ::testing::Test {
protected:
    PersonList& list() { return test::writable(doc); }
    PersonRecord* add(int32_t x = 0, int32_t y = 0) {
        return test::addPerson(list(), "", "", x, y);
    }
    // Parents of `child`, placed anywhere; either may be left out.
    std::pair<PersonRecord*, PersonRecord*> parentsOf(PersonRecord* child, bool father = true,
                                                      bool mother = true) {
        PersonRecord* f = father ? add(7000, 123) : nullptr;
        PersonRecord* m = mother ? add(-4000, 9) : nullptr;
        child->father = f;
        child->mother = m;
        return {f, m};
    }
    // A line of fathers, `generations` counting the person at its foot.
    std::vector<PersonRecord*> fathersLine(int generations) {
        std::vector<PersonRecord*> line{add()};
        while (int(line.size()) < generations) {
            PersonRecord* father = add(333, 333);
            line.back()->father = father;
            line.push_back(father);
        }
        return line;
    }
    OrganizeResult organize(PersonRecord* root, TreeStyle style) {
        list().setCurrentPerson(root);
        return organizeAncestors(doc, table, style);
    }
    Document doc;
    AncestorTable table;
};

TEST_F(Organize, ParentsAndGrandparentsInBothStyles) {
    const struct {
        TreeStyle style;
        Pos father, mother;
        int32_t grandparentsY;
    } cases[] = {
        {TreeStyle::Compact, {-75, -195}, {75, -195}, -378},
        {TreeStyle::Fractal, {-150, -400}, {150, -400}, -640},
    };
    for (const auto& c : cases) {
        for (Pos origin : {Pos{0, 0}, Pos{1000, -2500}}) {
            SCOPED_TRACE(int(c.style));
            doc.clear();
            PersonRecord* root = add(origin.first, origin.second);
            auto [f, m] = parentsOf(root);
            auto [ff, fm] = parentsOf(f);
            auto [mf, mm] = parentsOf(m);
            OrganizeResult r = organize(root, c.style);
            EXPECT_EQ(r.status, OrganizeResult::Organized);
            EXPECT_EQ(r.generations, 3);
            EXPECT_TRUE(r.message.empty());
            auto shifted = [&origin](Pos p) {
                return Pos{p.first + origin.first, p.second + origin.second};
            };
            EXPECT_EQ(at(root), origin);
            EXPECT_EQ(at(f), shifted(c.father));
            EXPECT_EQ(at(m), shifted(c.mother));
            const int32_t xs[] = {-225, -75, 75, 225};
            const PersonRecord* grandparents[] = {ff, fm, mf, mm};
            for (int k = 0; k < 4; ++k) {
                EXPECT_EQ(at(grandparents[k]), shifted({xs[k], c.grandparentsY})) << k;
            }
            EXPECT_EQ(doc.persons().currentPerson(), nullptr);
        }
    }
}

TEST_F(Organize, AMissingParentLeavesItsHalfEmpty) {
    for (TreeStyle style : {TreeStyle::Compact, TreeStyle::Fractal}) {
        doc.clear();
        PersonRecord* both = add();
        PersonRecord* motherOfBoth = parentsOf(both).second;
        PersonRecord* onlyMother = add();
        PersonRecord* mother = parentsOf(onlyMother, false, true).second;
        organize(both, style);
        organize(onlyMother, style);
        // The mother stands where she would beside a father: on the right.
        EXPECT_EQ(at(mother).first - onlyMother->posX(), motherOfBoth->posX() - both->posX());
        EXPECT_EQ(at(mother).second, motherOfBoth->posY());
        EXPECT_GT(at(mother).first, onlyMother->posX());
    }
}

TEST_F(Organize, AnAncestorInSeveralPlacesEndsInTheLast) {
    PersonRecord* root = add();
    auto [f, m] = parentsOf(root);
    // The father is also the mother's father: generation 2 column 1 and
    // generation 3 column 3. Both of the father's parents are one person,
    // who so stands in columns 1, 2, 5 and 6 of the two rows above.
    m->father = f;
    PersonRecord* both = add(55, 55);
    f->father = both;
    f->mother = both;
    OrganizeResult r = organize(root, TreeStyle::Compact);
    EXPECT_EQ(r.generations, 4);
    EXPECT_EQ(table.at(2, 1), f);
    EXPECT_EQ(table.at(3, 3), f);
    EXPECT_EQ(table.at(4, 6), both);
    // In a pedigree of four generations (band 1200), generation 2 column 1
    // is at (-100, -291), generation 3 column 3 at (100, -554), generation
    // 4 column 6 at (225, -854).
    EXPECT_EQ(at(f), Pos(100, -554));
    EXPECT_EQ(at(both), Pos(225, -854));
    EXPECT_EQ(at(m), Pos(100, -291));
}

TEST_F(Organize, AnAliasBoxIsPlacedButItsParentsStay) {
    PersonRecord* root = add();
    auto [f, m] = parentsOf(root);
    PersonRecord* original = add(900, 900);
    f->setText(field::aliasMark, kAliasBox);
    f->father = original;
    original->setText(field::aliasMark, kAliasOriginal);
    original->father = add(901, 901);
    parentsOf(m);
    OrganizeResult r = organize(root, TreeStyle::Fractal);
    EXPECT_EQ(r.generations, 3);
    EXPECT_EQ(at(f), Pos(-150, -400));
    EXPECT_EQ(at(original), Pos(900, 900));
    EXPECT_EQ(at(original->father), Pos(901, 901));
    EXPECT_EQ(at(m->father), Pos(75, -640));

    // An alias box at the foot has nobody to organise.
    doc.clear();
    PersonRecord* box = add(5, 5);
    box->setText(field::aliasMark, kAliasBox);
    box->father = add(6, 6);
    r = organize(box, TreeStyle::Compact);
    EXPECT_EQ(r.status, OrganizeResult::NoAncestors);
    EXPECT_EQ(at(box->father), Pos(6, 6));
    EXPECT_EQ(doc.persons().currentPerson(), box);  // nothing happened at all
    EXPECT_FALSE(doc.canUndo());
}

TEST_F(Organize, EightGenerationsAreOrganisedNineAndCirclesAreRefused) {
    const struct {
        int generations;
        bool circle;
        OrganizeResult::Status status;
        const char* caption;
        std::string message;
    } cases[] = {
        {8, false, OrganizeResult::Organized, "", ""},
        {9, false, OrganizeResult::TooManyGenerations, "",
         "The tree contains more than 8 generations and will not be organized."},
        // Thirty generations are as many as the walk can tell from a circle.
        {30, false, OrganizeResult::CircularReferences, "Error",
         "The tree is very large. There might be circular references!"},
        {29, false, OrganizeResult::TooManyGenerations, "",
         "The tree contains more than 8 generations and will not be organized."},
        {3, true, OrganizeResult::CircularReferences, "Error",
         "The tree is very large. There might be circular references!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.generations);
        doc.clear();
        std::vector<PersonRecord*> line = fathersLine(c.generations);
        if (c.circle) line.back()->father = line.front();
        doc.markSaved();
        const std::vector<uint8_t> before = treeFileBytes(list());
        OrganizeResult r = organize(line.front(), TreeStyle::Compact);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.caption, c.caption);
        EXPECT_EQ(r.message, c.message);
        EXPECT_EQ(doc.persons().currentPerson(), nullptr);
        if (c.status == OrganizeResult::Organized) {
            EXPECT_EQ(r.generations, c.generations);
            for (size_t g = 1; g < line.size(); ++g) {
                EXPECT_LT(line[g]->posY(), line[g - 1]->posY());  // each one above the last
                EXPECT_LT(line[g]->posX(), line[g - 1]->posX());  // fathers to the left
            }
            EXPECT_TRUE(doc.treeModified());
        } else {
            EXPECT_EQ(treeFileBytes(list()), before);
            EXPECT_FALSE(doc.canUndo());
            EXPECT_FALSE(doc.treeModified());
        }
    }
}

TEST_F(Organize, TheLimitNeverReachesPastTheTable) {
    // Nine generations cannot be read from a table of eight rows, whatever
    // limit is asked for.
    std::vector<PersonRecord*> line = fathersLine(9);
    list().setCurrentPerson(line.front());
    TreeEdit edit(list());
    OrganizeResult r = organizeAncestorsOnList(edit, table, TreeStyle::Fractal, 12);
    EXPECT_EQ(r.status, OrganizeResult::TooManyGenerations);
    EXPECT_EQ(r.message, "The tree contains more than 8 generations and will not be organized.");
    r = organizeAncestorsOnList(edit, table, TreeStyle::Fractal, 3);
    EXPECT_EQ(r.message, "The tree contains more than 3 generations and will not be organized.");
}

TEST_F(Organize, IsOneStepThatUndoesToTheSameBytes) {
    PersonRecord* root = add(40, 40);
    auto [f, m] = parentsOf(root);
    parentsOf(f);
    parentsOf(m, false, true);
    doc.markSaved();
    const std::vector<uint8_t> saved = treeFileBytes(list());
    organize(root, TreeStyle::Compact);
    const std::vector<uint8_t> organised = treeFileBytes(list());
    EXPECT_NE(organised, saved);
    EXPECT_TRUE(doc.treeModified());
    EXPECT_EQ(doc.undoName(), step_name::kOrganizeAncestors);
    EXPECT_EQ(doc.history().size(), 1u);

    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(treeFileBytes(list()), saved);
    EXPECT_FALSE(doc.treeModified());
    EXPECT_EQ(doc.persons().currentPerson(), root);
    ASSERT_TRUE(doc.redo());
    EXPECT_EQ(treeFileBytes(list()), organised);

    // Organising what is organised already moves nothing: no second step.
    organize(root, TreeStyle::Compact);
    EXPECT_EQ(doc.history().size(), 1u);
    EXPECT_EQ(doc.persons().currentPerson(), nullptr);
}

}  // namespace
}  // namespace lineara
