#include "core/view/hit_test.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace lineara {

namespace {

int32_t saturate(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

}  // namespace

namespace {

// The records whose boxes meet the given area, in list order, from the
// list's box index.
const std::vector<const PersonRecord*>& boxesMeeting(const PersonList& persons,
                                                     const TreeArea& area) {
    thread_local std::vector<const PersonRecord*> near;
    // With the whole list as the limit the index always answers.
    persons.boxIndex().query(area, false, persons.count(), near);
    return near;
}

}  // namespace

const PersonRecord* hitTest(const PersonList& persons, int32_t x, int32_t y) {
    const PersonRecord* found = nullptr;
    for (const PersonRecord* r : boxesMeeting(persons, TreeArea{x, y, x, y})) {
        const int64_t left = r->posX(), top = r->posY();
        if (left <= x && x <= left + kBoxWidth && top <= y && y <= top + kBoxHeight) found = r;
    }
    return found;
}

std::vector<const PersonRecord*> boxesInBand(const PersonList& persons, int32_t x1, int32_t y1,
                                             int32_t x2, int32_t y2) {
    const int64_t minX = std::min(x1, x2), maxX = std::max(x1, x2);
    const int64_t minY = std::min(y1, y2), maxY = std::max(y1, y2);
    std::vector<const PersonRecord*> caught;
    for (const PersonRecord* r : boxesMeeting(persons, TreeArea{minX, minY, maxX, maxY})) {
        const int64_t x = r->posX(), y = r->posY();
        if (minX - kBoxWidth < x && x < maxX && minY - kBoxHeight < y && y < maxY) {
            caught.push_back(r);
        }
    }
    return caught;
}

int32_t snapToGrid(int32_t mouse, int32_t grabOffset, int32_t step) {
    const int64_t corner = int64_t(mouse) - grabOffset;
    return saturate(corner / step * step + step / 2);
}

bool passesDragThreshold(const PersonRecord& box, int32_t grabX, int32_t grabY, int32_t mouseX,
                         int32_t mouseY) {
    const int64_t dx = int64_t(box.posX()) + grabX - mouseX;
    const int64_t dy = int64_t(box.posY()) + grabY - mouseY;
    return std::llabs(dx) > kDragThreshold || std::llabs(dy) > kDragThreshold;
}

}  // namespace lineara
