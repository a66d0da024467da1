// Where the boxes of the list lie: a uniform grid over tree units, so that
// painting a window, a hit test or a rubber band reads the few records near
// it instead of every record of the tree.
//
// The list keeps its index up to date: every change of a record goes
// through the list first (edit() before a write, the undo history's
// restores after), which marks the record, and the index catches up with
// the marked records when it is next asked. It is built on the first
// question only, so loading, saving and the command-line tool's batch work
// never pay for it.
//
// Besides positions the index keeps who links to whom (parents, partners),
// so that a line from a box on the screen to one far off is found from
// either end, and the list order of each record, so that what it finds is
// handed out in the order the tree is drawn in.
#pragma once

#include <array>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "core/model/person_record.h"

namespace lineara {

class PersonList;

// A named box that is not an alias box: what the navigator counts as a
// person.
inline bool isNamedBox(const PersonRecord& person) {
    return !person.isEmpty(field::givenNames) || !person.isEmpty(field::surname);
}
inline bool countsAsPersonBox(const PersonRecord& person) {
    return isNamedBox(person) && !person.isAliasBox();
}

// A rectangle of tree units, edges included.
struct TreeArea {
    int64_t left = 0;
    int64_t top = 0;
    int64_t right = 0;
    int64_t bottom = 0;
};

class BoxIndex {
public:
    // Cells are this many tree units square: a few boxes wide, so a window
    // at ordinary zooms covers a handful of them.
    static constexpr int64_t kCellSize = 512;

    explicit BoxIndex(const PersonList& list) : list_(list) {}
    BoxIndex(const BoxIndex&) = delete;
    BoxIndex& operator=(const BoxIndex&) = delete;

    // --- told by the list ---
    // `record` is about to change, or has just been put back by undo.
    void changed(const PersonRecord* record);
    // `record` has just been linked into the list, or moved within it.
    void placed(const PersonRecord* record);
    // `record` has just left the list; it may be freed right after.
    void unlinked(const PersonRecord* record);
    // Every record goes at once (the list is cleared or handed over).
    void reset();

    // --- questions ---
    // The records whose box meets `area` (edges included), in list order.
    // With `withLinking`, also every record that has one of them as a
    // parent or partner. Returns false, filling nothing, when the answer
    // would hold so much of the tree that a walk of the whole list is
    // cheaper than sorting it; `limit` is how many boxes make "so much".
    bool query(const TreeArea& area, bool withLinking, size_t limit,
               std::vector<const PersonRecord*>& out) const;
    // How many records count as persons (see countsAsPersonBox).
    size_t personCount() const;

private:
    struct Slot {
        int64_t cell = 0;
        int64_t order = 0;
        // The links as the index last read them: mother, father, partners.
        std::array<const PersonRecord*, kRelationSlots + 2> out{};
        bool indexed = false;  // in its cell
        bool person = false;
        bool dirty = false;
    };

    void ensureCurrent() const;
    void resetBounds() const;
    void build() const;
    void renumber() const;
    void refresh(const PersonRecord* record, Slot& slot) const;
    void leaveCell(const PersonRecord* record, Slot& slot) const;
    void dropLinks(const PersonRecord* record, Slot& slot) const;
    void markDirty(const PersonRecord* record, Slot& slot) const;
    static int64_t cellKey(int64_t x, int64_t y);

    const PersonList& list_;
    // Everything below is a cache of the list, filled in when asked.
    mutable bool built_ = false;
    mutable bool orderStale_ = false;
    mutable size_t personCount_ = 0;
    mutable std::unordered_map<const PersonRecord*, Slot> slots_;
    mutable std::unordered_map<int64_t, std::vector<const PersonRecord*>> cells_;
    // For each record linked to, the indexed records whose links (as the
    // index last read them) lead there, once for each link. Kept apart
    // from the slots: a record taken out of the list and put back by undo
    // is still the parent or partner of records that did not change.
    mutable std::unordered_map<const PersonRecord*, std::vector<const PersonRecord*>> inbound_;
    mutable std::vector<const PersonRecord*> dirty_;
    // The cells ever filled since the index was built lie within these
    // (cell coordinates): a cover that never shrinks, but is never short.
    mutable int64_t cellsLeft_ = INT64_MAX, cellsRight_ = INT64_MIN;
    mutable int64_t cellsTop_ = INT64_MAX, cellsBottom_ = INT64_MIN;
};

}  // namespace lineara
