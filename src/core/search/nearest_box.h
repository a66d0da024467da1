// Keyboard navigation between boxes: from the current box, the nearest box
// in one direction. Distance along the direction counts once, the offset
// across it one and a half times, so a box straight ahead beats a closer
// one off to the side.
#pragma once

#include "core/model/person_list.h"
#include "core/view/viewport.h"

namespace lineara {

// The record with the smallest cost among those strictly on the `direction`
// side of `from` (Left: smaller posX, Up: smaller posY, ...); the first in
// list order wins a tie. Null when no box lies that way.
const PersonRecord* nearestBox(const PersonList& list, const PersonRecord& from,
                               ScrollDirection direction);

}  // namespace lineara
