// The tree as arrays: every record of the list by its place in the list,
// with the links turned into places. The layout algorithms walk these
// instead of chasing pointers and scanning the list, so that a tree of a
// hundred thousand persons is arranged in about linear time.
//
// A link to a record that is not in the list (nothing should hold one, but
// a stale link must never be followed into freed or foreign memory) counts
// as no link.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/model/person_list.h"

namespace lineara {

class TreeIndex {
public:
    static constexpr int32_t kNone = -1;

    // Throws std::bad_alloc (before anything is written) when the memory
    // runs out.
    explicit TreeIndex(const PersonList& list);

    size_t size() const { return records_.size(); }
    const PersonRecord* record(int32_t i) const { return records_[size_t(i)]; }
    int32_t indexOf(const PersonRecord* record) const;

    int32_t father(int32_t i) const { return links_[size_t(i)].father; }
    int32_t mother(int32_t i) const { return links_[size_t(i)].mother; }
    // Slots 1 to 8, as in the record.
    int32_t partner(int32_t i, int slot) const {
        return links_[size_t(i)].partners[slotIndex(slot) - 1];
    }
    bool hasParent(int32_t i) const { return father(i) != kNone || mother(i) != kNone; }
    bool isAliasBox(int32_t i) const { return links_[size_t(i)].aliasBox; }

private:
    struct Links {
        int32_t father = kNone;
        int32_t mother = kNone;
        std::array<int32_t, kRelationSlots> partners;
        bool aliasBox = false;
    };
    std::vector<const PersonRecord*> records_;
    // The records' places sorted by address, for indexOf.
    std::vector<std::pair<const PersonRecord*, int32_t>> byAddress_;
    std::vector<Links> links_;
};

// How many generations the ancestor walk counts from a record up, the
// record itself included: the longest chain of father and mother links,
// where an alias box ends its chain (its father slot is its original).
// Counting stops at kCap; a chain that runs in a circle is counted as kCap.
// Each record's figure is worked out once, without recursion, so pedigree
// collapse and chains of any length cost linear time.
class AncestorHeights {
public:
    static constexpr int kCap = 32;

    explicit AncestorHeights(const TreeIndex& tree);
    int of(int32_t person);

private:
    static constexpr uint8_t kUnknown = 0;
    static constexpr uint8_t kOnPath = 0xff;

    struct Frame {
        int32_t person;
        int nextParent;  // 0: father, 1: mother, 2: both done
        int highest;     // the greatest height among the parents seen
    };

    const TreeIndex& tree_;
    std::vector<uint8_t> height_;
    std::vector<Frame> stack_;  // kept between calls for its memory
};

}  // namespace lineara
