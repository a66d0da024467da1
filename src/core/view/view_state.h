// What the user is looking at: zoom and scroll of the canvas, and the last
// mouse position in tree units. Shared by the canvas, the layout code and
// the loaders, which centre the view on the home person.
#pragma once

#include <cstdint>

namespace lineara {

struct ViewState {
    double zoomPercent = 100.0;
    int32_t scrollX = 0;  // tree units
    int32_t scrollY = 0;
    int32_t mouseTreeX = 0;
    int32_t mouseTreeY = 0;
    bool dragging = false;

    // Gesture flags set by the editing commands and finished by the canvas.
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

}  // namespace lineara
