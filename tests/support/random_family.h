// Small random trees with everything the layout has to cope with: parents
// anywhere in the list (pedigree collapse and, when asked, circles),
// partners on both sides or only on one, several partners, alias boxes,
// persons linked to nobody, boxes sharing rows by exactly equal posY, and
// a selection.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <random>
#include <utility>
#include <vector>

#include "core/model/person_list.h"

namespace lineara::test {

struct RandomFamilyShape {
    int persons = 20;
    int parentPercent = 55;   // chance of each of father and mother
    int circlePercent = 0;    // chance that a parent may come from anywhere
    int partnerPercent = 40;  // chance of a relationship per person
    int aliasPercent = 8;
};

// How many calls the plain ancestor walk makes from every record together
// (at most; it may stop earlier at its depth limit).
inline double plainWalkCalls(const PersonList& list) {
    std::map<std::pair<const PersonRecord*, int>, double> memo;
    auto calls = [&memo](auto&& self, const PersonRecord* p, int d) -> double {
        auto key = std::make_pair(p, d);
        if (auto it = memo.find(key); it != memo.end()) return it->second;
        double n = 1;
        if (d <= 30 && !p->isAliasBox()) {
            if (p->father != nullptr) n += self(self, p->father, d + 1);
            if (p->mother != nullptr) n += self(self, p->mother, d + 1);
        }
        memo[key] = n;
        return n;
    };
    double total = 0;
    forEachPerson(list, [&](const PersonRecord* r) { total += calls(calls, r, 1); });
    return total;
}

// Fills an empty list; the same generator state gives the same tree.
inline void buildRandomFamily(PersonList& list, std::mt19937& rng, const RandomFamilyShape& shape) {
    auto roll = [&rng](int below) { return std::uniform_int_distribution<int>(0, below - 1)(rng); };
    auto chance = [&roll](int percent) { return roll(100) < percent; };
    static constexpr int32_t kRows[] = {0, 0, 200, 500, 500, 1000, 1499, -500, 2000, 3100};
    std::vector<PersonRecord*> people;
    for (int i = 0; i < shape.persons; ++i) {
        EXPECT_TRUE(list.LagNyPerson(0, 0).ok);
        PersonRecord* p = list.edit(list.currentPerson());
        p->setPos(roll(60) * 10 - 300, kRows[roll(10)]);
        people.push_back(p);
    }
    auto someone = [&](int child) -> PersonRecord* {
        // Mostly persons later in the list, which keeps the tree free of
        // circles; from anywhere when circles are wanted.
        if (chance(shape.circlePercent)) return people[size_t(roll(shape.persons))];
        if (child + 1 >= shape.persons) return nullptr;
        return people[size_t(child + 1 + roll(shape.persons - child - 1))];
    };
    for (int i = 0; i < shape.persons; ++i) {
        PersonRecord* p = people[size_t(i)];
        if (chance(shape.aliasPercent)) {
            PersonRecord* original = people[size_t(roll(shape.persons))];
            if (original != p && !original->isAliasBox()) {
                p->setText(field::aliasMark, kAliasBox);
                original->setText(field::aliasMark, kAliasOriginal);
                p->father = original;
                continue;
            }
        }
        if (chance(shape.parentPercent)) p->father = someone(i);
        if (chance(shape.parentPercent)) p->mother = someone(i);
    }
    for (int i = 0; i < shape.persons; ++i) {
        if (!chance(shape.partnerPercent)) continue;
        PersonRecord* a = people[size_t(i)];
        PersonRecord* b = people[size_t(roll(shape.persons))];
        if (chance(80)) {
            list.AddMarriage(a, b);  // may be refused at the limit, as in real trees
        } else {
            a->partner[size_t(1 + roll(kRelationSlots))] = b;  // one side only
        }
    }
    std::vector<const PersonRecord*> selection;
    for (PersonRecord* p : people) {
        if (chance(10)) selection.push_back(p);
    }
    list.setSelection(selection);
    list.setCurrentPerson(nullptr);
}

}  // namespace lineara::test
