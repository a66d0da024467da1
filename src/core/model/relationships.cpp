#include "core/model/relationships.h"

namespace lineara {

BackSlot findBackSlot(const PersonRecord& a, int slot) { return findBackSlot(a, slot, &a); }

BackSlot findBackSlot(const PersonRecord& a, int slot, const PersonRecord* self) {
    BackSlot result;
    if (slot < 1 || slot > kRelationSlots) return result;
    const PersonRecord* b = a.partner[slot];
    if (b == nullptr) return result;

    // A full match first, so that two persons with several relationships
    // are paired slot by slot.
    for (int j = 1; j <= kRelationSlots; ++j) {
        if (b->partner[j] == self &&
            b->text(field::relationDate(j)) == a.text(field::relationDate(slot)) &&
            b->text(field::relationPlace(j)) == a.text(field::relationPlace(slot)) &&
            b->relationType(j) == a.relationType(slot)) {
            result.slot = j;
            return result;
        }
    }
    int pointingBack = 0;
    int last = 0;
    for (int j = 1; j <= kRelationSlots; ++j) {
        if (b->partner[j] == self) {
            ++pointingBack;
            last = j;
        }
    }
    if (pointingBack == 1) {
        result.slot = last;
    } else if (pointingBack > 1) {
        result.ambiguous = true;
    }
    return result;
}

}  // namespace lineara
