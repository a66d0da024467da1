// The ancestor walk: who stands where in a person's pedigree, and how many
// generations it has.
//
// The table and the depth belong to whoever walks (the program keeps one
// for the whole session); each walk leaves its results there.
#pragma once

#include <array>
#include <cassert>
#include <cstddef>

#include "core/model/person_list.h"

namespace lineara {

struct AncestorTable {
    static constexpr int kRows = 8;  // generations, the walk's start included
    static constexpr int kColumns = 256;
    // A walk that gets deeper than this stops going up: a tree so deep is
    // most likely a person who is his or her own ancestor.
    static constexpr int kDepthLimit = 30;

    // ancestorTable[row][column], both counted from 1. Row 1 column 1 is
    // where the walk starts; the father of the person in column a of row d
    // stands in column 2a - 1 of row d + 1, the mother in column 2a. Row d
    // has 2^(d-1) columns in use, so 128 at most.
    std::array<std::array<const PersonRecord*, kColumns + 1>, kRows + 1> ancestorTable{};
    // Generations found by the walks since the last reset, at most
    // kDepthLimit + 1.
    int ancestorDepth = 1;

    void reset() {
        for (auto& row : ancestorTable) row.fill(nullptr);
        ancestorDepth = 1;
    }
    const PersonRecord* at(int row, int column) const {
        return ancestorTable[place(row, kRows)][place(column, kColumns)];
    }
    // The array index of row or column `n`, 0 to `last`.
    static size_t place(int n, int last) {
        assert(n >= 0 && n <= last);
        (void)last;
        return static_cast<size_t>(n);
    }
};

// Walks up from `person`, standing in row `depth` and column `column`:
// enters every ancestor of the first kRows rows in the table and raises
// ancestorDepth to the deepest generation reached. An alias box is entered
// but its father slot (its original) and mother are not followed. Once
// ancestorDepth passes kDepthLimit no walk goes higher: ancestors met
// after that are still entered in the first rows, but not followed.
//
// The results are those of following every line of descent one by one,
// but an ancestor reached through many lines (pedigree collapse) is
// measured once, so the walk costs at most linear time in the tree.
// Links to records that are not in `list` are not followed. Returns
// ancestorDepth. The caller resets the table first when it wants this
// walk's results alone.
int CheckOut(AncestorTable& table, const PersonList& list, const PersonRecord* person,
             int depth = 1, int column = 1);

}  // namespace lineara
