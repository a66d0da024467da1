// The family lists of the links box, from the index built once over the
// list, against a plain reading of every record for every person.
#include "core/reports/html_family.h"

#include <gtest/gtest.h>

#include <random>

#include "support/add_person.h"
#include "support/random_family.h"
#include "testdata/synthetic_tree.h"

namespace lineara {
namespace {

using test::addPerson;
using Records = std::vector<const PersonRecord*>;

// Straight from the description of the links box: a walk over the whole
// list for each list.
FamilyLists plainFamily(const PersonList& list, const PersonRecord* p) {
    FamilyLists f;
    auto addChildrenOf = [&](const PersonRecord* parent) {
        forEachPerson(list, [&](const PersonRecord* r) {
            if (r->isAliasBox() || (r->father != parent && r->mother != parent)) return;
            f.children.push_back(r);
            const PersonRecord* other = r->father == parent ? r->mother : r->father;
            if (other == nullptr) return;
            if (other->isAliasBox() && other->father != nullptr) other = other->father;
            f.coParents.push_back(other);
        });
    };
    addChildrenOf(p);
    forEachPerson(list, [&](const PersonRecord* r) {
        if (r->isAliasBox() && (r->father == p || r->mother == p)) f.aliasBox = r;
    });
    if (f.aliasBox != nullptr) addChildrenOf(f.aliasBox);
    forEachPerson(list, [&](const PersonRecord* r) {
        if (r == p || r->isAliasBox()) return;
        bool sameFather = p->father != nullptr && r->father == p->father;
        bool sameMother = p->mother != nullptr && r->mother == p->mother;
        if (sameFather || sameMother) f.siblings.push_back(r);
    });
    return f;
}

struct Seen {
    int withAliasBox = 0;
    int withSiblings = 0;
    int withCoParents = 0;
};

Seen expectSameFamilies(const PersonList& list, const std::string& what) {
    FamilyIndex index(list);
    Seen seen;
    int persons = 0;
    forEachPerson(list, [&](const PersonRecord* p) {
        if (p->isAliasBox()) return;
        ++persons;
        FamilyLists expected = plainFamily(list, p);
        FamilyLists got = index.familyOf(p, true);
        ASSERT_EQ(got.children, expected.children) << what << " id " << p->personId();
        ASSERT_EQ(got.coParents, expected.coParents) << what << " id " << p->personId();
        ASSERT_EQ(got.siblings, expected.siblings) << what << " id " << p->personId();
        ASSERT_EQ(got.aliasBox, expected.aliasBox) << what << " id " << p->personId();
        EXPECT_TRUE(index.familyOf(p, false).siblings.empty());
        seen.withAliasBox += got.aliasBox != nullptr;
        seen.withSiblings += !got.siblings.empty();
        seen.withCoParents += !got.coParents.empty();
    });
    EXPECT_GT(persons, 0) << what;
    return seen;
}

TEST(HtmlFamily, IndexMatchesThePlainListsOnGeneratedTrees) {
    for (uint32_t seed : {1u, 2u, 3u}) {
        PersonList list;
        generateSyntheticTree(list, 1500, seed);
        Seen seen = expectSameFamilies(list, "synthetic seed " + std::to_string(seed));
        // The trees have what the lists are about.
        EXPECT_GT(seen.withAliasBox, 10);
        EXPECT_GT(seen.withSiblings, 100);
        EXPECT_GT(seen.withCoParents, 100);
    }
}

// Random trees, then links nobody's editor would make: parents that are
// alias boxes or the person's own alias box, alias boxes with a mother,
// a child whose father and mother are the same record.
TEST(HtmlFamily, IndexMatchesThePlainListsOnOddLinks) {
    std::mt19937 rng(20261208);
    for (int round = 0; round < 40; ++round) {
        PersonList list;
        test::RandomFamilyShape shape;
        shape.persons = 30 + round;
        shape.aliasPercent = 20;
        shape.circlePercent = 10;
        test::buildRandomFamily(list, rng, shape);
        std::vector<PersonRecord*> all;
        forEachPerson(list, [&](const PersonRecord* r) { all.push_back(list.edit(r)); });
        auto pick = [&]() { return all[rng() % all.size()]; };
        for (int i = 0; i < 15; ++i) {
            PersonRecord* r = pick();
            switch (rng() % 4) {
            case 0:
                r->father = pick();
                break;
            case 1:
                r->mother = pick();
                break;
            case 2:
                r->mother = r->father;
                break;
            default:
                r->mother = nullptr;
                break;
            }
        }
        expectSameFamilies(list, "round " + std::to_string(round));
    }
}

TEST(HtmlFamily, AliasBoxesAreResolvedOnlyWhenTheyStandForSomeone) {
    PersonList list;
    PersonRecord* original = addPerson(list, "Maria");
    PersonRecord* box = addPerson(list, "Maria");
    box->setText(field::aliasMark, kAliasBox);
    EXPECT_EQ(aliasResolved(box), box);  // no original: the box itself
    box->father = original;
    EXPECT_EQ(aliasResolved(box), original);
    EXPECT_EQ(aliasResolved(original), original);
    EXPECT_EQ(aliasResolved(nullptr), nullptr);
}

}  // namespace
}  // namespace lineara
