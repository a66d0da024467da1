#include "model/synthetic_tree.h"

namespace lineara {

void generateSyntheticTree(PersonList& list, int persons, uint32_t seed) {
    (void)seed;
    for (int i = 0; i < persons; ++i) list.LagNyPerson(0, 0);
}

}  // namespace lineara
