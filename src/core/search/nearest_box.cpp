#include "core/search/nearest_box.h"

#include <cstdint>
#include <cstdlib>
#include <limits>

#include "core/view/view_math.h"

namespace lineara {

namespace {

struct Offsets {
    int64_t along;  // positive when the box lies in the direction
    int64_t across;
};

Offsets offsetsOf(const PersonRecord& from, const PersonRecord& s, ScrollDirection direction) {
    const int64_t dx = static_cast<int64_t>(s.posX()) - from.posX();
    const int64_t dy = static_cast<int64_t>(s.posY()) - from.posY();
    switch (direction) {
    case ScrollDirection::Left:
        return {-dx, dy};
    case ScrollDirection::Right:
        return {dx, dy};
    case ScrollDirection::Up:
        return {-dy, dx};
    case ScrollDirection::Down:
        break;
    }
    return {dy, dx};
}

}  // namespace

const PersonRecord* nearestBox(const PersonList& list, const PersonRecord& from,
                               ScrollDirection direction) {
    const PersonRecord* best = nullptr;
    int64_t bestCost = std::numeric_limits<int64_t>::max();
    forEachPerson(list, [&](const PersonRecord* s) {
        if (s == &from) return;
        const Offsets o = offsetsOf(from, *s, direction);
        if (o.along <= 0) return;
        // Rounded half to even, as every rounding of the view arithmetic.
        const int64_t cost =
            o.along + roundHalfEven(1.5 * static_cast<double>(std::llabs(o.across)));
        // Strictly smaller: the earlier record keeps a tie.
        if (cost < bestCost) {
            bestCost = cost;
            best = s;
        }
    });
    return best;
}

}  // namespace lineara
