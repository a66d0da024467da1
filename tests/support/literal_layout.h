// The layout algorithms written down plainly, step for step: the ancestor
// walk that follows every line of descent, and the automatic arrangement
// that scans the whole list for every box it places and recurses without
// a stack of its own. Slow (quadratic, exponential for the walk with
// pedigree collapse) and obviously right; the tests compare the real
// implementation with it, and the benchmark measures it beside the real
// one.
//
// Positions are worked out in 64 bits and stored clamped to the record's
// 32, as the real implementation does.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

#include "core/model/person_list.h"

namespace lineara::literal {

struct AncestorTable {
    std::array<std::array<const PersonRecord*, 257>, 9> ancestorTable{};
    int ancestorDepth = 1;
};

inline void CheckOut(AncestorTable& t, const PersonRecord* p, int d, int a) {
    if (d <= 8) t.ancestorTable[size_t(d)][size_t(a)] = p;
    if (d > t.ancestorDepth) t.ancestorDepth = d;
    if (t.ancestorDepth > 30) return;
    if (p->isAliasBox()) return;
    if (p->father != nullptr) CheckOut(t, p->father, d + 1, 2 * a - 1);
    if (p->mother != nullptr) CheckOut(t, p->mother, d + 1, 2 * a);
}

inline int32_t clamp32(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

class Arrangement {
public:
    explicit Arrangement(PersonList& list) : list_(list) {}

    void Autoarrange1Click() {
        if (list_.empty()) return;
        for (const PersonRecord* r = list_.personListHead(); r != nullptr; r = r->nextPerson) {
            list_.edit(r)->setSelected(false);
        }
        const PersonRecord* root = nullptr;
        int best = 0;
        for (const PersonRecord* r = list_.personListHead(); r != nullptr; r = r->nextPerson) {
            AncestorTable t;
            CheckOut(t, r, 1, 1);
            if (t.ancestorDepth > best) {
                best = t.ancestorDepth;
                root = r;
            }
        }
        list_.setCurrentPerson(root);
        list_.moveToFront(root);
        frontier_.fill(int64_t{root->posX()} + 160);
        for (const PersonRecord* q = list_.personListHead(); q != nullptr; q = q->nextPerson) {
            PlaceWithRelatives(q, q->posX(), q->posY(), 0);
        }
        for (const PersonRecord* r = list_.personListHead(); r != nullptr; r = r->nextPerson) {
            list_.edit(r)->setSelected(false);
        }
        list_.clearSelection();
        CentreRows();
    }

    void PlaceWithRelatives(const PersonRecord* p, int64_t x, int64_t y, int level) {
        if (p == nullptr || p->selected() || level > 999 || level < -999) return;
        int64_t& frontier = frontier_[size_t(level + 1000)];
        x = std::max(x, frontier);
        frontier = x + 160;
        PersonRecord* placed = list_.edit(p);
        placed->setPos(clamp32(x), clamp32(y));
        placed->setSelected(true);
        for (const PersonRecord* s = list_.personListHead(); s != nullptr; s = s->nextPerson) {
            if (s->father == p || s->mother == p) PlaceWithRelatives(s, x, y + 500, level - 1);
            for (int i = 1; i <= kRelationSlots; ++i) {
                if (s->partner[size_t(i)] == p) PlaceWithRelatives(s, x, y, level);
            }
        }
        for (int i = 1; i <= kRelationSlots; ++i) {
            PlaceWithRelatives(p->partner[size_t(i)], x, y, level);
        }
        PlaceWithRelatives(p->father, x - 160, y - 500, level + 1);
        PlaceWithRelatives(p->mother, x + 160, y - 500, level + 1);
    }

    void CentreRows() {
        int64_t minX = std::numeric_limits<int64_t>::max();
        int64_t maxX = std::numeric_limits<int64_t>::min();
        int64_t Y = std::numeric_limits<int64_t>::min();
        for (const PersonRecord* r = list_.personListHead(); r != nullptr; r = r->nextPerson) {
            minX = std::min<int64_t>(minX, r->posX());
            maxX = std::max<int64_t>(maxX, r->posX());
            Y = std::max<int64_t>(Y, r->posY());
        }
        int count = 0;
        do {
            int64_t A = minX, B = maxX;
            for (const PersonRecord* r = list_.personListHead(); r != nullptr; r = r->nextPerson) {
                if (r->posY() != Y || (r->father == nullptr && r->mother == nullptr)) continue;
                if (r->posX() > A) A = r->posX();
                if (r->posX() < B) B = r->posX();
            }
            int64_t next = Y - 1000;
            count = 0;
            for (const PersonRecord* r = list_.personListHead(); r != nullptr; r = r->nextPerson) {
                if (r->posY() < Y && r->posY() > next) {
                    next = r->posY();
                    ++count;
                }
            }
            int64_t rMax = minX, rMin = maxX;
            for (const PersonRecord* r = list_.personListHead(); r != nullptr; r = r->nextPerson) {
                if (r->posY() != next) continue;
                if (r->posX() > rMax) rMax = r->posX();
                if (r->posX() < rMin) rMin = r->posX();
            }
            int64_t shift = ((rMax - A) - (B - rMin)) / 2;
            for (const PersonRecord* r = list_.personListHead(); r != nullptr; r = r->nextPerson) {
                if (r->posY() == next) list_.edit(r)->setPosX(clamp32(r->posX() - shift));
            }
            Y = next;
        } while (count != 0);
    }

private:
    PersonList& list_;
    std::array<int64_t, 2001> frontier_{};
};

inline void Autoarrange1Click(PersonList& list) { Arrangement(list).Autoarrange1Click(); }

}  // namespace lineara::literal
