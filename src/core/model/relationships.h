// Pairing the two halves of a relationship. A relationship is recorded on
// both partners, each in one of its eight slots; two persons may share
// several relationships, told apart by their date, place and type.
#pragma once

#include "core/model/person_record.h"

namespace lineara {

struct BackSlot {
    int slot = 0;            // 1 to 8, or 0 when there is none
    bool ambiguous = false;  // no full match and several slots point back
};

// The slot of B = a.partner[slot] that records the same relationship as
// `slot` of `a`: the first slot of B pointing at `a` with the same date,
// place and type; failing that, the only slot of B pointing at `a`.
BackSlot findBackSlot(const PersonRecord& a, int slot);

// The same, for a working copy of `self`: the partners point at `self`,
// while the date, place and type of the slot are read from `values`.
BackSlot findBackSlot(const PersonRecord& values, int slot, const PersonRecord* self);

}  // namespace lineara
