// What the mouse and the keys are in the middle of on the canvas: a drag,
// a band, a link waiting for its second box, a box carried after its
// creation, panning, the zoom-to-area mode. The editing commands say what
// should follow them (see EditResult); the main window keeps it here.
#pragma once

#include <cstdint>

#include "core/model/editing.h"
#include "core/model/person_list.h"
#include "core/view/hit_test.h"

namespace lineara {

struct GestureState {
    int32_t mouseTreeX = 0;  // the last mouse position, in tree units
    int32_t mouseTreeY = 0;
    bool dragging = false;
    bool dragPending = false;       // pressed on a box, threshold not yet passed
    bool newPersonPending = false;  // a box just created is carried; its release opens the editor
    int32_t gestureRefX = 0;        // drag: grab offset inside the box; band: the moving corner
    int32_t gestureRefY = 0;
    int32_t gestureLastX = 0;  // link line: its last end point; band: the fixed corner
    int32_t gestureLastY = 0;
    bool pendingLinkFather = false;  // a link command waits for the click on the other box
    bool pendingLinkMother = false;
    bool pendingLinkPartner = false;
    bool skipNextMouseDown = false;  // the next press on the canvas is ignored once
    bool linkJustMade = false;       // this press completed a link: no drag or band from it
    bool rubberBand = false;         // pressed on empty canvas: a band is being drawn

    // Panning: armed by the middle button or Alt, in progress while the
    // button is held. The last point is in pixels, since the view moves
    // under the mouse.
    bool panArmed = false;
    bool panning = false;
    int32_t panLastX = 0;
    int32_t panLastY = 0;

    // Zoom to area: while on, a press on the canvas starts a band that
    // sets the view instead of selecting. The main window mirrors it in
    // its checkable menu item; any full repaint ends it.
    bool areaZoom = false;
    bool areaZoomSticky = false;  // the mode was switched on by holding Ctrl
};

inline bool anyLinkPending(const GestureState& g) {
    return g.pendingLinkFather || g.pendingLinkMother || g.pendingLinkPartner;
}

// The link command waiting for its click, if any.
inline LinkKind pendingLinkKind(const GestureState& g) {
    return g.pendingLinkFather   ? LinkKind::Father
           : g.pendingLinkMother ? LinkKind::Mother
                                 : LinkKind::Partner;
}

inline void clearPendingLinks(GestureState& g) {
    g.pendingLinkFather = g.pendingLinkMother = g.pendingLinkPartner = false;
}

// Hangs a box a command just made on the mouse by its centre, as every
// creation command leaves it; an alias box also waits for the drag
// threshold before it counts as dragged.
inline void carryNewBox(GestureState& g, const EditResult& result) {
    if (!result.carryNewBox) return;
    g.newPersonPending = true;
    g.gestureRefX = kBoxWidth / 2;
    g.gestureRefY = kBoxHeight / 2;
    g.dragging = true;
    if (result.armDrag) g.dragPending = true;
}

// The box under the mouse; none while the zoom-to-area mode is on, when a
// press starts the band whatever is under it.
inline const PersonRecord* boxUnderMouse(const PersonList& persons, const GestureState& g,
                                         int32_t x, int32_t y) {
    return g.areaZoom ? nullptr : hitTest(persons, x, y);
}

}  // namespace lineara
