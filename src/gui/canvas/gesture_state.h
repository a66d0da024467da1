// What the mouse and the modifier keys are in the middle of on the canvas.
// It is exactly one of a few states, each holding only what it needs, so a
// drag and a band, or two kinds of link, can never be under way at once,
// and a corner of the band can never be read as the grab point of a drag.
#pragma once

#include <QPoint>
#include <cstdint>
#include <optional>
#include <variant>

#include "core/model/editing.h"
#include "core/model/person_list.h"
#include "core/view/hit_test.h"

namespace lineara {

// A point of the tree, in tree units.
struct TreePoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const TreePoint& other) const { return x == other.x && y == other.y; }
};

namespace gesture {

// Nothing under way: a press chooses a box and may start a drag or a band.
struct Idle {};

// A link command waits for the click on the other box. The rubber line
// runs from the current box's centre to `lineEnd`.
struct LinkWaiting {
    LinkKind kind = LinkKind::Father;
    TreePoint lineEnd;
};

// Pressed on a box: the boxes follow the mouse once it has passed the drag
// threshold. `grab` is where the box was taken, from its corner.
struct PressPending {
    TreePoint grab;
};

// Boxes follow the mouse. A box a command has just made is carried by its
// centre (`newBox`); letting it go opens the editor on it.
struct Dragging {
    TreePoint grab;
    bool newBox = false;
};

// The band between the corner pressed (`fixed`) and the mouse (`moving`).
// In the zoom-to-area mode it becomes the view; otherwise it selects.
struct Band {
    TreePoint fixed;
    TreePoint moving;
    bool areaZoom = false;
    // A link that waited when the area mode began, taken up again after.
    std::optional<LinkWaiting> link;
};

// Panning: armed by Alt or the middle button, moving the view while the
// button is held (`active`). `last` is in pixels, since the view moves
// under the mouse. A link waiting for its click waits on through it, so
// the user can look for the other box.
struct Panning {
    bool active = false;
    QPoint last;
    std::optional<LinkWaiting> link;
};

// The zoom-to-area mode: the next press draws a band that becomes the
// view. `sticky` when holding Ctrl switched it on; letting go ends it.
struct AreaZoom {
    bool sticky = false;
    std::optional<LinkWaiting> link;
};

}  // namespace gesture

using GestureState =
    std::variant<gesture::Idle, gesture::LinkWaiting, gesture::PressPending, gesture::Dragging,
                 gesture::Band, gesture::Panning, gesture::AreaZoom>;

inline bool isPressPending(const GestureState& g) {
    return std::holds_alternative<gesture::PressPending>(g);
}
inline bool isDragging(const GestureState& g) {
    return std::holds_alternative<gesture::Dragging>(g);
}
inline bool isBand(const GestureState& g) { return std::holds_alternative<gesture::Band>(g); }

inline bool carriesNewBox(const GestureState& g) {
    const auto* drag = std::get_if<gesture::Dragging>(&g);
    return drag != nullptr && drag->newBox;
}

// Panning in progress: the button is held.
inline bool isPanning(const GestureState& g) {
    const auto* pan = std::get_if<gesture::Panning>(&g);
    return pan != nullptr && pan->active;
}

// Panning armed, waiting for the press.
inline bool panArmed(const GestureState& g) {
    const auto* pan = std::get_if<gesture::Panning>(&g);
    return pan != nullptr && !pan->active;
}

// The link command waiting for its click, if any (not while the user pans
// or zooms to find the other box: that click is not the link's).
inline std::optional<LinkKind> waitingLink(const GestureState& g) {
    if (const auto* link = std::get_if<gesture::LinkWaiting>(&g)) return link->kind;
    return std::nullopt;
}

// The zoom-to-area mode: armed, or its band being drawn.
inline bool areaZoomOn(const GestureState& g) {
    const auto* band = std::get_if<gesture::Band>(&g);
    return std::holds_alternative<gesture::AreaZoom>(g) || (band != nullptr && band->areaZoom);
}

inline bool areaZoomSticky(const GestureState& g) {
    const auto* area = std::get_if<gesture::AreaZoom>(&g);
    return area != nullptr && area->sticky;
}

// The link waiting for its click, also while panning or the area mode
// keeps it for later.
inline std::optional<gesture::LinkWaiting> keptLink(const GestureState& g) {
    if (const auto* link = std::get_if<gesture::LinkWaiting>(&g)) return *link;
    if (const auto* pan = std::get_if<gesture::Panning>(&g)) return pan->link;
    if (const auto* area = std::get_if<gesture::AreaZoom>(&g)) return area->link;
    if (const auto* band = std::get_if<gesture::Band>(&g)) return band->link;
    return std::nullopt;
}

// What a mode that only looks around (panning, the area mode) gives back
// when it ends: the link it kept, or nothing.
inline GestureState afterLookingAround(const std::optional<gesture::LinkWaiting>& link) {
    if (link) return *link;
    return gesture::Idle{};
}

// A gesture whose pointers and positions would no longer match the tree if
// a step were undone or redone under it.
inline bool gestureUnderWay(const GestureState& g) {
    return isDragging(g) || isBand(g) || keptLink(g).has_value();
}

// A box a command just made, hung on the mouse by its centre (every
// creation command leaves it so); nothing when the command made none.
inline void carryNewBox(GestureState& g, const EditResult& result) {
    if (!result.carryNewBox) return;
    // An alias box is carried like any other: it follows the mouse from
    // the start, so waiting for the drag threshold would change nothing.
    g = gesture::Dragging{TreePoint{kBoxWidth / 2, kBoxHeight / 2}, true};
}

// The box under the mouse; none in the zoom-to-area mode, where a press
// starts the band whatever is under it.
inline const PersonRecord* boxUnderMouse(const PersonList& persons, const GestureState& g,
                                         int32_t x, int32_t y) {
    return areaZoomOn(g) ? nullptr : hitTest(persons, x, y);
}

}  // namespace lineara
