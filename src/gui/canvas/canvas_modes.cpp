// The canvas's modes: the modifier keys held alone, Escape, the ends of
// the modes on a full paint, and what the commands ask of the gestures.
#include "gui/canvas/canvas_interaction.h"
#include "gui/canvas/tree_canvas.h"

namespace lineara {

// --- keys ---

bool CanvasInteraction::keyPressed(int key, Qt::KeyboardModifiers held) {
    if (key == Qt::Key_Escape && cancel()) return true;
    const bool modifier =
        key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta;
    if (!modifier || isBand(state_)) return false;
    if (held == Qt::AltModifier) {
        armPanning();
    } else if (held == Qt::ControlModifier) {
        if (isPressPending(state_) || isDragging(state_) || isPanning(state_)) return false;
        setState(gesture::AreaZoom{true, keptLink(state_)});
    }
    return false;
}

// Only a mode of the modifiers gives the pointer back: the cross of a link
// command waiting for its click stays through the release of F.
void CanvasInteraction::keyReleased(Qt::KeyboardModifiers held) {
    if (isBand(state_) || held != Qt::NoModifier) return;
    if (std::holds_alternative<gesture::AreaZoom>(state_) || panArmed(state_)) {
        setState(afterLookingAround(keptLink(state_)));
        env_.canvas().unsetCursor();
    }
}

// A link waiting for its click, a box just made and still on the mouse, a
// band, a drag (the boxes go back) and the zoom-to-area mode end as if
// they had not begun. A button still held finds nothing to finish on its
// release.
bool CanvasInteraction::cancel() {
    if (auto* pan = std::get_if<gesture::Panning>(&state_)) {
        // Panning goes on; only the link it kept for later ends.
        if (!pan->link) return false;
        pan->link.reset();
        env_.canvas().unsetCursor();
        env_.repaintTree();
        return true;
    }
    const bool cancelled = keptLink(state_) || isPressPending(state_) || isDragging(state_) ||
                           isBand(state_) || areaZoomOn(state_);
    if (!cancelled) return false;
    Document& doc = env_.document();
    if (carriesNewBox(state_)) {
        // The box was made by the last step; it goes as if never made, and
        // there is nothing to do again.
        doc.takeBackLastStep();
    } else if (isDragging(state_)) {
        doc.cancelLiveMove();
    }
    setState(gesture::Idle{});
    env_.canvas().unsetCursor();  // also the cross of a link command
    env_.repaintTree();
    return true;
}

void CanvasInteraction::endModes() {
    if (auto* band = std::get_if<gesture::Band>(&state_); band && band->areaZoom) {
        // The band goes on, as a band that selects.
        gesture::Band selecting = *band;
        selecting.areaZoom = false;
        selecting.link.reset();
        setState(selecting);
    } else if (std::holds_alternative<gesture::AreaZoom>(state_)) {
        setState(afterLookingAround(keptLink(state_)));
    } else if (panArmed(state_)) {
        // Panning in progress keeps its own hand pointer until the release.
        setState(afterLookingAround(keptLink(state_)));
        env_.canvas().unsetCursor();
    }
}

// --- what the commands ask ---

void CanvasInteraction::carryNewBox(const EditResult& result) {
    GestureState next = state_;
    lineara::carryNewBox(next, result);
    setState(std::move(next));
}

void CanvasInteraction::showLinkPointer() { env_.canvas().setCursor(Qt::CrossCursor); }

// Starting a link replaces one that was still waiting.
void CanvasInteraction::waitForLink(LinkKind kind, TreePoint lineStart) {
    setState(gesture::LinkWaiting{kind, lineStart});
}

void CanvasInteraction::endDrag() {
    if (isDragging(state_)) setState(gesture::Idle{});
}

// The press that follows is a new one; the pointer stays until the next
// paint or release, as it always has.
void CanvasInteraction::disarmPanning() {
    if (panArmed(state_)) setState(afterLookingAround(keptLink(state_)));
}

// The menu item and the tool bar button switch the mode; switching it off
// in the middle of its band leaves a band that selects.
void CanvasInteraction::setAreaZoomMode(bool on) {
    if (on == areaZoomOn(state_)) {
        env_.areaZoomModeChanged(on);  // the item that flipped its own mark flips back
        return;
    }
    if (on) {
        setState(gesture::AreaZoom{false, keptLink(state_)});
    } else if (auto* band = std::get_if<gesture::Band>(&state_)) {
        gesture::Band selecting = *band;
        selecting.areaZoom = false;
        selecting.link.reset();
        setState(selecting);
    } else {
        setState(afterLookingAround(keptLink(state_)));
    }
}

}  // namespace lineara
