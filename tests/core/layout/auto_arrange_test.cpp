// The automatic arrangement: worked examples, the shapes that would break
// a plain recursion, the command as one undo step, and above all the
// arrangement against the plain quadratic one on many trees.
#include "core/layout/auto_arrange.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <random>
#include <utility>
#include <vector>

#include "core/formats/tree_file.h"
#include "core/history/step_names.h"
#include "support/add_person.h"
#include "support/literal_layout.h"
#include "support/random_family.h"
#include "testdata/synthetic_tree.h"

namespace lineara {
namespace {

using Pos = std::pair<int32_t, int32_t>;

Pos at(const PersonRecord* p) { return {p->posX(), p->posY()}; }

// Everything the arrangement may change, by list position.
struct Arranged {
    std::vector<int32_t> ids;
    std::vector<Pos> positions;
    std::vector<bool> marks;
    int32_t current = 0;
    size_t selection = 0;
};

Arranged arranged(const PersonList& list) {
    Arranged a;
    forEachPerson(list, [&a](const PersonRecord* r) {
        a.ids.push_back(r->personId());
        a.positions.push_back(at(r));
        a.marks.push_back(r->selected());
    });
    a.current = list.currentPerson() != nullptr ? list.currentPerson()->personId() : 0;
    a.selection = list.selection().size();
    return a;
}

::testing::AssertionResult sameArrangement(const PersonList& fast, const PersonList& plain) {
    Arranged a = arranged(fast), b = arranged(plain);
    if (a.ids.size() != b.ids.size()) return ::testing::AssertionFailure() << "sizes differ";
    for (size_t i = 0; i < a.ids.size(); ++i) {
        if (a.ids[i] != b.ids[i] || a.positions[i] != b.positions[i] || a.marks[i] != b.marks[i]) {
            return ::testing::AssertionFailure()
                   << "at list place " << i << ": id " << a.ids[i] << " at ("
                   << a.positions[i].first << ", " << a.positions[i].second << "), plainly id "
                   << b.ids[i] << " at (" << b.positions[i].first << ", " << b.positions[i].second
                   << ")";
        }
    }
    if (a.current != b.current) return ::testing::AssertionFailure() << "current differs";
    if (a.selection != 0 || b.selection != 0) return ::testing::AssertionFailure() << "selection";
    return ::testing::AssertionSuccess();
}

class AutoArrange : public ::testing::Test {
protected:
    PersonList& list() { return test::writable(doc); }
    PersonRecord* add(int32_t x = 0, int32_t y = 0) {
        return test::addPerson(list(), "", "", x, y);
    }
    Document doc;
};

TEST_F(AutoArrange, ASinglePersonMovesOneStepRight) {
    PersonRecord* p = add(-37, 412);
    doc.markSaved();
    ASSERT_TRUE(autoArrange(doc).ok);
    EXPECT_EQ(at(p), Pos(-37 + 160, 412));
    EXPECT_EQ(doc.persons().currentPerson(), p);
    EXPECT_EQ(doc.undoName(), step_name::kAutoArrange);
    EXPECT_TRUE(doc.treeModified());
}

TEST_F(AutoArrange, AFamilyFromTheDeepestPersonUp) {
    // Worked through by hand: the child has the most generations above it
    // and becomes the home person. Placed: the child at (160, 0), its
    // father one row up, the father's partner right of him, the father's
    // parents a row higher. Centring then moves the parents' row 80 to the
    // left, over the child, and the grandparents' row 120 to the left:
    // each row's span is measured from the tree's leftmost box.
    PersonRecord* r = add();
    PersonRecord* f = add();
    PersonRecord* m = add();
    PersonRecord* p = add();
    PersonRecord* c = add();
    r->father = f;
    r->mother = m;
    ASSERT_TRUE(list().AddMarriage(r, p).ok);
    c->father = r;
    c->mother = p;
    list().setSelection({f, p});
    ASSERT_TRUE(autoArrange(doc).ok);
    EXPECT_EQ(list().personListHead(), c);
    EXPECT_EQ(c->nextPerson, r);  // the rest keep their order
    EXPECT_EQ(at(c), Pos(160, 0));
    EXPECT_EQ(at(r), Pos(80, -500));
    EXPECT_EQ(at(p), Pos(240, -500));
    EXPECT_EQ(at(f), Pos(40, -1000));
    EXPECT_EQ(at(m), Pos(200, -1000));
    EXPECT_TRUE(doc.persons().selection().empty());
    forEachPerson(list(), [](const PersonRecord* q) { EXPECT_FALSE(q->selected()); });
}

TEST_F(AutoArrange, UnconnectedPersonsStartGroupsOfTheirOwn) {
    PersonRecord* x = add(0, 0);
    PersonRecord* y = add(0, 5000);
    PersonRecord* z = add(0, 5500);
    z->father = y;
    ASSERT_TRUE(autoArrange(doc).ok);
    // z has two generations and leads; x keeps its row and goes right of
    // the boxes already in the root's level.
    EXPECT_EQ(list().personListHead(), z);
    EXPECT_EQ(at(z), Pos(160, 5500));
    EXPECT_EQ(at(y), Pos(160, 5000));
    EXPECT_EQ(at(x), Pos(320, 0));
}

TEST_F(AutoArrange, AnEmptyTreeHasNothingToArrange) {
    Outcome o = autoArrange(doc);
    EXPECT_FALSE(o.ok);
    EXPECT_EQ(o.message, "Nie ma co przestawic.");
    EXPECT_FALSE(doc.canUndo());
}

TEST_F(AutoArrange, LinksOutOfTheListAreNeitherFollowedNorWritten) {
    PersonRecord* a = add(0, 0);
    PersonRecord* gone = add(777, 777);
    a->father = gone;
    a->partner[1] = gone;
    list().unlinkForRestore(gone, false);
    test::onList(list(), autoArrangeOnList);
    EXPECT_EQ(at(a), Pos(160, 0));
    EXPECT_EQ(at(gone), Pos(777, 777));
    EXPECT_FALSE(gone->selected());
    list().insertForRestore(gone, a);
}

// The same tree twice: arranged by the implementation and by the plain
// algorithm; every position, the order, the marks and the current person
// must agree.
void compareWithPlain(const std::function<void(PersonList&)>& build) {
    PersonList fast, plain;
    build(fast);
    build(plain);
    test::onList(fast, autoArrangeOnList);
    literal::Autoarrange1Click(plain);
    EXPECT_TRUE(sameArrangement(fast, plain));
}

TEST(AutoArrangeProperty, EqualsThePlainArrangementOnGeneratedTrees) {
    for (int persons : {1, 2, 3, 10, 57, 300, 1000, 2500}) {
        for (uint32_t seed : {1u, 2u, 3u}) {
            SCOPED_TRACE(std::to_string(persons) + " persons, seed " + std::to_string(seed));
            compareWithPlain([&](PersonList& l) { generateSyntheticTree(l, persons, seed); });
        }
    }
}

TEST(AutoArrangeProperty, EqualsThePlainArrangementOnRandomTrees) {
    std::mt19937 rng(2024);
    int compared = 0;
    for (int round = 0; round < 600; ++round) {
        test::RandomFamilyShape shape;
        shape.persons = 1 + round % 60;
        shape.parentPercent = 20 + round % 60;
        shape.circlePercent = round % 4 == 0 ? 10 : 0;
        shape.partnerPercent = round % 70;
        const std::mt19937 start = rng;
        PersonList probe;
        test::buildRandomFamily(probe, rng, shape);
        if (test::plainWalkCalls(probe) > 2e5) continue;
        // Some trees far out near the edges of the coordinates.
        const int32_t far = round % 10 == 0   ? std::numeric_limits<int32_t>::max() - 2000
                            : round % 10 == 1 ? std::numeric_limits<int32_t>::min() + 700
                                              : 0;
        SCOPED_TRACE("round " + std::to_string(round));
        compareWithPlain([&](PersonList& l) {
            std::mt19937 copy = start;
            test::buildRandomFamily(l, copy, shape);
            forEachPerson(l, [far, &l](const PersonRecord* r) {
                if (far != 0) l.edit(r)->setPos(far + r->posX() % 300, far + r->posY() % 1000);
            });
        });
        ++compared;
    }
    EXPECT_GT(compared, 400);
}

// Shapes where every box is reached from the last one: a line of
// partners, a line of generations, and half-siblings that zigzag between
// two levels (a mother, her child by one man, his child by another woman,
// and so on).
enum class Chain { Partners, Generations, HalfSiblings };

void buildChain(PersonList& list, Chain shape, int persons) {
    std::vector<PersonRecord*> p;
    for (int i = 0; i < persons; ++i) p.push_back(test::addPerson(list, "", "", i % 7, 3 * i));
    for (int i = 0; i + 1 < persons; ++i) {
        switch (shape) {
        case Chain::Partners:
            list.AddMarriage(p[size_t(i)], p[size_t(i) + 1]);
            break;
        case Chain::Generations:
            p[size_t(i)]->father = p[size_t(i) + 1];
            break;
        case Chain::HalfSiblings:
            // Odd places are parents of the even places on either side.
            if (i % 2 == 0) {
                p[size_t(i)]->father = p[size_t(i) + 1];
            } else {
                p[size_t(i) + 1]->mother = p[size_t(i)];
            }
            break;
        }
    }
    list.setCurrentPerson(nullptr);
}

TEST(AutoArrangeProperty, LongChainsEqualThePlainArrangement) {
    for (Chain shape : {Chain::Partners, Chain::Generations, Chain::HalfSiblings}) {
        SCOPED_TRACE(int(shape));
        compareWithPlain([shape](PersonList& l) { buildChain(l, shape, 3000); });
    }
}

TEST(AutoArrangeProperty, AChildBelowTheLowestLevelMayStillGoAsAPartner) {
    // A line of 1100 generations downwards, each person with a child who
    // also names the parent as a partner: far enough down, the child
    // cannot go a level lower and goes beside its parent instead.
    compareWithPlain([](PersonList& l) {
        std::vector<PersonRecord*> line;
        for (int k = 0; k < 1100; ++k) {
            line.push_back(test::addPerson(l, "", "", 0, 0));
            if (k > 0) line[size_t(k)]->father = line[size_t(k) - 1];
        }
        for (PersonRecord* p : line) {
            PersonRecord* child = test::addPerson(l, "", "", 0, 0);
            child->father = p;
            child->partner[1] = p;
        }
    });
}

TEST(AutoArrangeProperty, ChainsOfAHundredThousandNeedNoDeepStack) {
    constexpr int kPersons = 100000;
    {
        PersonList list;
        buildChain(list, Chain::Partners, kPersons);
        const PersonRecord* first = list.personListHead();
        const int32_t x0 = first->posX(), y0 = first->posY();
        test::onList(list, autoArrangeOnList);
        // One row, each partner one step right of the one before.
        int32_t k = 0;
        forEachPerson(list, [&](const PersonRecord* r) {
            ++k;
            ASSERT_EQ(at(r), Pos(x0 + 160 * k, y0)) << k;
        });
    }
    for (Chain shape : {Chain::Generations, Chain::HalfSiblings}) {
        PersonList list;
        buildChain(list, shape, kPersons);
        test::onList(list, autoArrangeOnList);
        // Every parent is a row above its child, except where the levels
        // ran out and a new group began.
        size_t above = 0;
        forEachPerson(list, [&](const PersonRecord* r) {
            for (const PersonRecord* parent : {r->father, r->mother}) {
                if (parent != nullptr && parent->posY() == r->posY() - 500) ++above;
            }
        });
        EXPECT_GT(above, size_t(kPersons) * 99 / 100) << int(shape);
    }
}

TEST_F(AutoArrange, IsOneStepThatUndoesToTheSameBytes) {
    std::mt19937 rng(5);
    test::RandomFamilyShape shape;
    shape.persons = 80;
    test::buildRandomFamily(list(), rng, shape);
    doc.markSaved();
    const std::vector<uint8_t> saved = treeFileBytes(list());
    const auto selection = doc.persons().selection();
    ASSERT_FALSE(selection.empty());
    ASSERT_TRUE(autoArrange(doc).ok);
    const std::vector<uint8_t> done = treeFileBytes(list());
    EXPECT_NE(done, saved);
    EXPECT_EQ(doc.history().size(), 1u);
    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(treeFileBytes(list()), saved);
    EXPECT_EQ(doc.persons().selection(), selection);
    EXPECT_FALSE(doc.treeModified());
    ASSERT_TRUE(doc.redo());
    EXPECT_EQ(treeFileBytes(list()), done);
    EXPECT_TRUE(doc.persons().selection().empty());
}

TEST_F(AutoArrange, UndoOfAHundredThousandPutsEveryBoxAndTheOrderBack) {
    generateSyntheticTree(list(), 100000, 4);
    doc.markSaved();
    const Arranged before = arranged(list());
    ASSERT_TRUE(autoArrange(doc).ok);
    const Arranged after = arranged(list());
    ASSERT_NE(after.ids, before.ids);  // the home person changed
    ASSERT_NE(after.positions, before.positions);
    ASSERT_TRUE(doc.undo());
    const Arranged undone = arranged(list());
    EXPECT_TRUE(undone.ids == before.ids);
    EXPECT_TRUE(undone.positions == before.positions);
    EXPECT_FALSE(doc.treeModified());
    ASSERT_TRUE(doc.redo());
    EXPECT_TRUE(arranged(list()).positions == after.positions);
    EXPECT_TRUE(arranged(list()).ids == after.ids);
}

}  // namespace
}  // namespace lineara
