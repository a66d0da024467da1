// Synthetic family trees for tests and benchmarks: deterministic for a
// given size and seed, shaped like real trees (generations of families,
// several relationships, aliases, Polish names, dates in mixed forms).
#pragma once

#include <cstdint>

#include "core/model/person_list.h"

namespace lineara {

// Appends `persons` records to `list` (normally empty). The same size and
// seed always give the same records, byte for byte.
void generateSyntheticTree(PersonList& list, int persons, uint32_t seed = 1);

}  // namespace lineara
