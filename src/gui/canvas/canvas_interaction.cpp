// Presses, releases, the double click and the keys of the canvas. A press
// chooses the current person, completes a waiting link, and starts a drag,
// a band or panning; the release finishes what the press started. The
// moves in between are in canvas_moves.cpp.
#include "gui/canvas/canvas_interaction.h"

#include <QMouseEvent>

#include "core/history/step_names.h"
#include "core/view/view_math.h"
#include "core/view/viewport.h"
#include "gui/canvas/canvas_feedback.h"
#include "gui/canvas/tree_canvas.h"
#include "gui/common/core_texts.h"

namespace lineara {

CanvasInteraction::CanvasInteraction(CanvasEnvironment& env) : env_(env) {}

TreePoint CanvasInteraction::treePoint(QPoint pixel) const {
    const ViewState& view = env_.view();
    return TreePoint{pixelToTreeX(view, pixel.x()), pixelToTreeY(view, pixel.y())};
}

// The whole drag is one step, made when it ends.
void CanvasInteraction::finishLiveMove() {
    Document& doc = env_.document();
    if (!doc.liveMoveActive()) return;
    const size_t moved = doc.persons().selection().empty() ? 1 : doc.persons().selection().size();
    doc.endLiveMove(step_name::moveBoxes(moved));
}

void CanvasInteraction::setState(GestureState next) {
    // A drag replaced by another gesture (a key command while the button
    // is held) keeps the boxes where they are.
    if (isDragging(state_) && !isDragging(next)) finishLiveMove();
    const bool wasArea = areaZoomOn(state_);
    state_ = std::move(next);
    const bool isArea = areaZoomOn(state_);
    if (wasArea == isArea) return;
    if (isArea) {
        env_.canvas().setCursor(Qt::CrossCursor);
    } else {
        env_.canvas().unsetCursor();
    }
    env_.areaZoomModeChanged(isArea);
}

bool CanvasInteraction::mouseEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* e = static_cast<QMouseEvent*>(event);
        buttonHeld_ = true;
        press(e->button(), e->position().toPoint());
        return true;
    }
    case QEvent::MouseButtonDblClick:
        // Qt delivers the second press before the double click, so the
        // double click ends the drag that press may have begun.
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) doubleClick();
        return true;
    case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        // A release the canvas did not see (over the context menu, say)
        // shows in the next move.
        buttonHeld_ = e->buttons() != Qt::NoButton;
        move(e->position().toPoint());
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* e = static_cast<QMouseEvent*>(event);
        buttonHeld_ = e->buttons() != Qt::NoButton;
        release(e->position().toPoint());
        return true;
    }
    default:
        return false;
    }
}

// Alt or the middle button. A gesture of a held button goes on as it is.
void CanvasInteraction::armPanning() {
    if (isPressPending(state_) || isDragging(state_) || isBand(state_) || isPanning(state_)) {
        return;
    }
    setState(gesture::Panning{false, QPoint(), keptLink(state_)});
    env_.canvas().setCursor(Qt::PointingHandCursor);
}

void CanvasInteraction::press(Qt::MouseButton button, QPoint pixel) {
    // The hint would only cover what the press starts.
    hideHint();
    if (button == Qt::MiddleButton) armPanning();
    if (auto* pan = std::get_if<gesture::Panning>(&state_)) {
        pan->active = true;
        pan->last = pixel;
        drawPanPicture(env_.canvas(), env_.document().persons(), env_.view());
        env_.canvas().update();
        env_.refreshCommandStates();
        return;
    }
    if (ignoreNextPress_) {
        ignoreNextPress_ = false;
        return;
    }
    Document& doc = env_.document();
    const TreePoint at = treePoint(pixel);
    const PersonRecord* prev = doc.persons().currentPerson();
    const PersonRecord* hit = boxUnderMouse(doc.persons(), state_, at.x, at.y);
    doc.setCurrentPerson(hit);
    // A press that completes a link starts nothing else.
    const bool linked = completeLinkAt(prev, hit, at);
    if (button == Qt::LeftButton && !linked) startLeftGesture(prev, at);
    updateHighlight(prev);
    env_.refreshCommandStates();
    if (button == Qt::RightButton) env_.openContextMenu(env_.canvas().mapToGlobal(pixel));
}

// The click on the other box of a waiting link, with any button. Returns
// whether a link gesture ended here.
bool CanvasInteraction::completeLinkAt(const PersonRecord* prev, const PersonRecord* clicked,
                                       TreePoint at) {
    const std::optional<LinkKind> kind = waitingLink(state_);
    if (!kind) return false;
    setState(gesture::Idle{});
    const EditResult result = completeLink(env_.document(), *kind, prev, clicked, at.x, at.y);
    if (!result.message.empty()) env_.showError(coreText(result.message));
    if (result.openEditorFor != nullptr) {
        env_.editPerson(result.openEditorFor, result.editorPage == EditorPage::Relationship);
    }
    env_.repaintTree();
    return true;
}

// A left press on a box makes it ready to be dragged; on empty canvas (and
// anywhere in the area mode) it starts a band. Pressing a box outside the
// selection ends the selection, and then nothing was current before as far
// as the highlight goes. A carried new box is taken again where pressed.
void CanvasInteraction::startLeftGesture(const PersonRecord*& prev, TreePoint at) {
    Document& doc = env_.document();
    const PersonList& list = doc.persons();
    const PersonRecord* box = list.currentPerson();
    if (box == nullptr) {
        const auto* area = std::get_if<gesture::AreaZoom>(&state_);
        setState(
            gesture::Band{at, at, areaZoomOn(state_), area != nullptr ? area->link : std::nullopt});
        return;
    }
    if (!box->selected() && !list.selection().empty()) {
        invertSelection(env_.canvas(), list, env_.view());
        doc.clearSelection();
        prev = nullptr;
    }
    const TreePoint grab{at.x - box->posX(), at.y - box->posY()};
    if (auto* carried = std::get_if<gesture::Dragging>(&state_); carried && carried->newBox) {
        carried->grab = grab;
        return;
    }
    setState(gesture::PressPending{grab});
}

// Moves the highlight from the box current before the press to the one
// current now, inverting over the picture instead of repainting.
void CanvasInteraction::updateHighlight(const PersonRecord* prev) {
    Document& doc = env_.document();
    const PersonList& list = doc.persons();
    const PersonRecord* current = list.currentPerson();
    const bool selection = !list.selection().empty();
    if (prev == current && !selection) return;
    TreeCanvas& canvas = env_.canvas();
    if (current == nullptr) {
        if (selection) {
            invertSelection(canvas, list, env_.view());
            doc.clearSelection();
        } else if (prev != nullptr) {
            invertPersonBox(canvas, *prev, env_.view());
        }
    } else if (!current->selected()) {
        if (prev != nullptr) invertPersonBox(canvas, *prev, env_.view());
        invertPersonBox(canvas, *current, env_.view());
    }
    canvas.update();
}

void CanvasInteraction::release(QPoint /*pixel*/) {
    if (!areaZoomOn(state_)) env_.canvas().unsetCursor();
    if (isPressPending(state_)) {
        setState(gesture::Idle{});
    } else if (isBand(state_)) {
        releaseBand();
    } else if (isDragging(state_)) {
        releaseDrag();
    } else if (const auto* pan = std::get_if<gesture::Panning>(&state_); pan && pan->active) {
        setState(afterLookingAround(pan->link));
        env_.repaintTree();
    }
    env_.refreshCommandStates();
}

// In the zoom-to-area mode the band becomes the view; otherwise it selects
// every box it overlaps.
void CanvasInteraction::releaseBand() {
    const gesture::Band band = std::get<gesture::Band>(state_);
    if (band.areaZoom) {
        setState(afterLookingAround(band.link));
        const QSize size = env_.canvas().size();
        zoomToArea(env_.view(), WindowExtent{size.width(), size.height()}, band.fixed.x,
                   band.fixed.y, band.moving.x, band.moving.y);
        env_.repaintTree();
        return;
    }
    TreeCanvas& canvas = env_.canvas();
    invertBand(canvas, env_.view(), band.fixed, band.moving, false);
    setState(gesture::Idle{});
    Document& doc = env_.document();
    doc.clearSelection();
    doc.setSelection(
        boxesInBand(doc.persons(), band.fixed.x, band.fixed.y, band.moving.x, band.moving.y));
    invertSelection(canvas, doc.persons(), env_.view());
    canvas.update();
}

// The boxes are painted at their new places (the whole drag is one step; a
// carried new box is part of the step that made it), and a box just made
// and carried to its place is then filled in by the user.
void CanvasInteraction::releaseDrag() {
    const bool carriedNewBox = carriesNewBox(state_);
    finishLiveMove();
    setState(gesture::Idle{});
    env_.repaintTree();
    if (carriedNewBox) editCurrentPerson();
}

void CanvasInteraction::doubleClick() {
    editCurrentPerson();
    if (isPressPending(state_) || isDragging(state_)) setState(gesture::Idle{});
}

// Relative picture and notes names resolve against the tree file's folder
// in the editor itself; here it is only told whom to edit.
void CanvasInteraction::editCurrentPerson() {
    const PersonRecord* person = env_.document().persons().currentPerson();
    if (person != nullptr) env_.editPerson(person, waitingLink(state_) == LinkKind::Partner);
}

}  // namespace lineara
