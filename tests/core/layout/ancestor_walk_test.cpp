// The ancestor walk: the table of who stands where, the depth, the limit,
// and that it gives what following every line one by one gives, however
// often the lines meet.
#include "core/layout/ancestor_walk.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "support/add_person.h"
#include "support/literal_layout.h"
#include "support/random_family.h"

namespace lineara {
namespace {

class AncestorWalk : public ::testing::Test {
protected:
    PersonRecord* add() { return test::addPerson(list); }
    // Generations of two persons each above `root`, the father and mother
    // of everybody in one generation being the two of the next: every
    // line of descent meets every other.
    std::vector<std::pair<PersonRecord*, PersonRecord*>> collapsedPedigree(PersonRecord* root,
                                                                           int generations) {
        std::vector<std::pair<PersonRecord*, PersonRecord*>> couples;
        std::vector<PersonRecord*> below{root};
        for (int g = 0; g < generations; ++g) {
            PersonRecord* f = add();
            PersonRecord* m = add();
            for (PersonRecord* c : below) {
                c->father = f;
                c->mother = m;
            }
            couples.emplace_back(f, m);
            below = {f, m};
        }
        return couples;
    }
    PersonList list;
    AncestorTable table;
};

TEST_F(AncestorWalk, FathersTakeOddColumnsAndMothersEvenOnes) {
    PersonRecord* root = add();
    PersonRecord* mother = add();
    PersonRecord* mothersFather = add();
    PersonRecord* mothersMother = add();
    root->mother = mother;
    mother->father = mothersFather;
    mother->mother = mothersMother;
    EXPECT_EQ(CheckOut(table, list, root), 3);
    EXPECT_EQ(table.at(1, 1), root);
    EXPECT_EQ(table.at(2, 1), nullptr);  // no father: his column stays empty
    EXPECT_EQ(table.at(2, 2), mother);
    EXPECT_EQ(table.at(3, 3), mothersFather);
    EXPECT_EQ(table.at(3, 4), mothersMother);
    EXPECT_EQ(table.at(3, 1), nullptr);

    // Walks add up until the table is reset.
    PersonRecord* other = add();
    EXPECT_EQ(CheckOut(table, list, other), 3);
    EXPECT_EQ(table.at(1, 1), other);
    EXPECT_EQ(table.at(2, 2), mother);
    table.reset();
    EXPECT_EQ(table.ancestorDepth, 1);
    EXPECT_EQ(table.at(2, 2), nullptr);
}

TEST_F(AncestorWalk, AnAliasBoxIsEnteredButNotFollowed) {
    PersonRecord* root = add();
    PersonRecord* box = add();
    PersonRecord* original = add();
    PersonRecord* grandfather = add();
    box->setText(field::aliasMark, kAliasBox);
    box->father = original;
    box->mother = add();
    original->father = grandfather;
    root->father = box;
    EXPECT_EQ(CheckOut(table, list, root), 2);
    EXPECT_EQ(table.at(2, 1), box);
    EXPECT_EQ(table.at(3, 1), nullptr);
    EXPECT_EQ(table.at(3, 2), nullptr);
}

TEST_F(AncestorWalk, CollapsedPedigreesAreMeasuredAtOnce) {
    // Followed line by line, 25 generations of collapse are 2^25 walks;
    // each generation holds the same two persons in every column.
    PersonRecord* root = add();
    auto couples = collapsedPedigree(root, 25);
    EXPECT_EQ(CheckOut(table, list, root), 26);
    for (int row = 2; row <= AncestorTable::kRows; ++row) {
        for (int column = 1; column <= 1 << (row - 1); ++column) {
            const auto& couple = couples[size_t(row - 2)];
            EXPECT_EQ(table.at(row, column), column % 2 ? couple.first : couple.second)
                << row << "," << column;
        }
        EXPECT_EQ(table.at(row, (1 << (row - 1)) + 1), nullptr);
    }

    // More than 30 generations pass the limit: the walk stops one row
    // beyond it.
    table.reset();
    PersonRecord* deeper = add();
    collapsedPedigree(deeper, 40);
    EXPECT_EQ(CheckOut(table, list, deeper), AncestorTable::kDepthLimit + 1);
}

TEST_F(AncestorWalk, CirclesStopAtTheLimit) {
    PersonRecord* a = add();
    PersonRecord* b = add();
    a->father = b;
    b->father = a;
    EXPECT_EQ(CheckOut(table, list, a), 31);
    EXPECT_EQ(table.at(8, 1), b);  // a, b, a, b ... up the first column
    EXPECT_EQ(table.at(7, 1), a);

    table.reset();
    PersonRecord* self = add();
    self->father = self;
    self->mother = self;
    EXPECT_EQ(CheckOut(table, list, self), 31);
    // Up the fathers to the limit; after that each generation on the way
    // back still enters its mother, but goes no higher.
    for (int row = 2; row <= 8; ++row) {
        EXPECT_EQ(table.at(row, 1), self);
        EXPECT_EQ(table.at(row, 2), self);
        EXPECT_EQ(table.at(row, 3), nullptr);
    }
}

TEST_F(AncestorWalk, LinksOutOfTheListAreNotFollowed) {
    PersonRecord* root = add();
    PersonRecord* gone = add();
    gone->father = add();
    root->father = gone;
    root->mother = add();
    // Taken out without its links being cleared, as no command does.
    list.unlinkForRestore(gone, false);
    EXPECT_EQ(CheckOut(table, list, root), 2);
    EXPECT_EQ(table.at(2, 1), nullptr);
    EXPECT_EQ(table.at(2, 2), root->mother);
    table.reset();
    EXPECT_EQ(CheckOut(table, list, gone), 1);  // nor is such a record walked
    EXPECT_EQ(table.at(1, 1), nullptr);
    list.insertForRestore(gone, root);
}

// The walk against following every line: the same table and depth from
// every record of random trees, circles and collapse included.
TEST(AncestorWalkProperty, EqualsFollowingEveryLine) {
    std::mt19937 rng(7);
    int compared = 0;
    for (int round = 0; round < 300; ++round) {
        PersonList list;
        test::RandomFamilyShape shape;
        shape.persons = 2 + round % 40;
        shape.parentPercent = 40 + round % 50;
        shape.circlePercent = round % 3 == 0 ? 15 : 0;
        test::buildRandomFamily(list, rng, shape);
        if (test::plainWalkCalls(list) > 2e5) continue;
        forEachPerson(list, [&](const PersonRecord* r) {
            AncestorTable fast;
            literal::AncestorTable plain;
            literal::CheckOut(plain, r, 1, 1);
            ASSERT_EQ(CheckOut(fast, list, r), plain.ancestorDepth);
            for (int row = 1; row <= 8; ++row) {
                for (int column = 1; column <= 256; ++column) {
                    ASSERT_EQ(fast.at(row, column), plain.ancestorTable[row][column])
                        << "round " << round << " row " << row << " column " << column;
                }
            }
            ++compared;
        });
    }
    EXPECT_GT(compared, 3000);
}

}  // namespace
}  // namespace lineara
