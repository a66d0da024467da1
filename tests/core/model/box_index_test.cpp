// The box index against a plain walk of the list: after every kind of
// change the document makes, and after undo and redo, it must find exactly
// the records a walk finds, in list order.
#include "core/model/box_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <unordered_set>

#include "core/layout/auto_arrange.h"
#include "core/model/document.h"
#include "core/model/editing.h"
#include "core/view/hit_test.h"
#include "support/add_person.h"
#include "testdata/synthetic_tree.h"

namespace lineara {
namespace {

bool meets(const PersonRecord& r, const TreeArea& a) {
    const int64_t x = r.posX(), y = r.posY();
    return x >= a.left - kBoxWidth && x <= a.right && y >= a.top - kBoxHeight && y <= a.bottom;
}

// What the index should answer, found the slow way.
std::vector<const PersonRecord*> walked(const PersonList& list, const TreeArea& area,
                                        bool withLinking) {
    std::unordered_set<const PersonRecord*> inside;
    forEachPerson(list, [&](const PersonRecord* r) {
        if (meets(*r, area)) inside.insert(r);
    });
    std::vector<const PersonRecord*> out;
    forEachPerson(list, [&](const PersonRecord* r) {
        bool take = inside.count(r) != 0;
        if (withLinking) {
            take = take || inside.count(r->father) != 0 || inside.count(r->mother) != 0;
            for (int i = 1; i <= kRelationSlots; ++i) take = take || inside.count(r->partner[i]);
        }
        if (take) out.push_back(r);
    });
    return out;
}

size_t walkedPersonCount(const PersonList& list) {
    size_t n = 0;
    forEachPerson(list, [&](const PersonRecord* r) { n += countsAsPersonBox(*r); });
    return n;
}

const PersonRecord* walkedHit(const PersonList& list, int32_t x, int32_t y) {
    const PersonRecord* found = nullptr;
    forEachPerson(list, [&](const PersonRecord* r) {
        if (r->posX() <= x && x <= int64_t(r->posX()) + kBoxWidth && r->posY() <= y &&
            y <= int64_t(r->posY()) + kBoxHeight) {
            found = r;
        }
    });
    return found;
}

class BoxIndexTest : public ::testing::Test {
protected:
    const PersonList& list() const { return doc.persons(); }

    const PersonRecord* randomRecord() {
        if (list().empty()) return nullptr;
        size_t k = rng() % list().count();
        const PersonRecord* r = list().personListHead();
        while (k-- > 0) r = r->nextPerson;
        return r;
    }
    int32_t coordinate() {
        // Mostly near the tree, now and then very far off, either side.
        if (rng() % 10 == 0) return int32_t(rng() % 2000000001) - 1000000000;
        return int32_t(rng() % 40001) - 20000;
    }

    // The index, the hit test and the band agree with a walk of the list
    // around a few places: random ones and around some boxes.
    void expectAgreement(const std::string& after) {
        SCOPED_TRACE("after " + after);
        std::vector<const PersonRecord*> found;
        for (int i = 0; i < 6; ++i) {
            TreeArea area;
            if (const PersonRecord* r = i % 2 == 0 ? randomRecord() : nullptr) {
                area = {int64_t(r->posX()) - 300, int64_t(r->posY()) - 200,
                        int64_t(r->posX()) + 900, int64_t(r->posY()) + 700};
            } else {
                const int32_t x = coordinate(), y = coordinate();
                area = {x, y, x + int64_t(rng() % 5000), y + int64_t(rng() % 5000)};
            }
            for (bool linking : {false, true}) {
                ASSERT_TRUE(list().boxIndex().query(area, linking, SIZE_MAX, found));
                ASSERT_EQ(found, walked(list(), area, linking)) << "linking " << linking;
            }
            const int32_t x = int32_t(area.left + 300), y = int32_t(area.top + 200);
            ASSERT_EQ(hitTest(list(), x, y), walkedHit(list(), x, y));
            // The band's corners in either order; an edge alone catches nothing.
            const int32_t x2 = int32_t(area.right), y2 = int32_t(area.bottom);
            const TreeArea inside{std::min(x, x2) + 1, std::min(y, y2) + 1, std::max(x, x2) - 1,
                                  std::max(y, y2) - 1};
            ASSERT_EQ(boxesInBand(list(), x, y, x2, y2), walked(list(), inside, false));
        }
        ASSERT_EQ(list().boxIndex().personCount(), walkedPersonCount(list()));
    }

    Document doc;
    std::mt19937 rng{7};
};

TEST_F(BoxIndexTest, FollowsEveryChangeOfTheTreeAndEveryUndoAndRedo) {
    generateSyntheticTree(test::writable(doc), 1500, 3);
    expectAgreement("loading");
    for (int step = 0; step < 160; ++step) {
        const int kind = int(rng() % 11);
        const PersonRecord* a = randomRecord();
        const PersonRecord* b = randomRecord();
        switch (kind) {
        case 0:
            doc.moveBoxes("move", {a, b}, {{coordinate(), coordinate()}, {coordinate(), 7}});
            break;
        case 1:
            doc.beginLiveMove({a});
            doc.moveLive(a, coordinate(), coordinate());
            doc.moveLive(a, coordinate(), coordinate());
            if (rng() % 3 == 0) {
                doc.cancelLiveMove();
            } else {
                doc.endLiveMove("drag");
            }
            break;
        case 2:
            newPerson(doc, coordinate(), coordinate(), 'F');
            break;
        case 3:
            doc.setCurrentPerson(a);
            deleteConfirmed(doc);
            break;
        case 4:
            doc.change("links", [&](TreeEdit& edit) {
                edit.AddMarriage(a, b);
                edit.edit(a)->mother = b;
                edit.edit(b)->father = randomRecord();
            });
            break;
        case 5:
            doc.setCurrentPerson(b);
            makeHome(doc);
            break;
        case 6:
            // A name given or taken changes what counts as a person.
            doc.change("rename", [&](TreeEdit& edit) {
                edit.edit(a)->setText(field::givenNames, rng() % 2 ? "Anna" : "");
                edit.edit(a)->setText(field::surname, "");
            });
            break;
        case 7:
            if (rng() % 4 == 0) autoArrange(doc);
            break;
        case 8:
        case 9:
            doc.undo();
            break;
        case 10:
            doc.redo();
            break;
        }
        expectAgreement("step " + std::to_string(step) + " of kind " + std::to_string(kind));
    }
}

TEST_F(BoxIndexTest, IsBuiltAgainAfterTheTreeIsClearedOrReplaced) {
    generateSyntheticTree(test::writable(doc), 300, 1);
    expectAgreement("loading");
    doc.clear();
    expectAgreement("clearing");
    generateSyntheticTree(test::writable(doc), 200, 2);
    expectAgreement("a second tree");
    doc.replaceTree("import", false, [](TreeEdit& edit) {
        for (int i = 0; i < 50; ++i) {
            edit.LagNyPerson(i * 37, -i * 91);
        }
    });
    expectAgreement("a replaced tree");
    doc.undo();
    expectAgreement("the replacement undone");
}

TEST_F(BoxIndexTest, RefusesAnAnswerLargerThanTheLimitAndFindsNothingInAnEmptyArea) {
    for (int i = 0; i < 40; ++i) test::addPerson(test::writable(doc), "A", "B", i * 10, 0);
    std::vector<const PersonRecord*> found;
    EXPECT_FALSE(list().boxIndex().query(TreeArea{0, 0, 400, 100}, false, 10, found));
    EXPECT_TRUE(list().boxIndex().query(TreeArea{0, 0, 400, 100}, false, 40, found));
    EXPECT_EQ(found.size(), 40u);
    EXPECT_TRUE(list().boxIndex().query(TreeArea{5, 5, 4, 4}, false, 40, found));
    EXPECT_TRUE(found.empty());
    // Boxes at the far ends of the coordinates.
    test::addPerson(test::writable(doc), "", "", INT32_MIN, INT32_MIN);
    test::addPerson(test::writable(doc), "", "", INT32_MAX - kBoxWidth, INT32_MAX - kBoxHeight);
    EXPECT_TRUE(list().boxIndex().query(TreeArea{INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN}, false,
                                        100, found));
    EXPECT_EQ(found.size(), 1u);
    EXPECT_EQ(hitTest(list(), INT32_MAX - 1, INT32_MAX - 1), list().personListTail());
}

}  // namespace
}  // namespace lineara
