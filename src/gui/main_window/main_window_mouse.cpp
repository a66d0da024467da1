// The mouse on the canvas: presses, releases and the double click. A press
// chooses the current person, completes a pending link, and starts a drag,
// a rubber band or panning; the release finishes what the press started.
// The moves in between are in main_window_drag.cpp.
//
// Feedback is drawn by inverting pixels of the last painted picture, so
// drawing the same thing twice takes it away again; every full paint
// starts over from the state.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMouseEvent>

#include "core/history/step_names.h"
#include "core/model/editing.h"
#include "core/view/hit_test.h"
#include "core/view/view_math.h"
#include "gui/canvas/tree_canvas.h"
#include "gui/main_window/main_window.h"

namespace lineara {

void TZudezezor::setupMouseGestures() {
    // Moves without a button are needed for the hover hints.
    canvas_->setMouseTracking(true);
}

// Called from the window's event filter for every event of the canvas.
bool TZudezezor::canvasMouseEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* e = static_cast<QMouseEvent*>(event);
        buttonHeld_ = true;
        FormMouseDown(e->button(), e->position().toPoint());
        return true;
    }
    case QEvent::MouseButtonDblClick:
        // Qt delivers the second press before the double click, so the
        // double click ends the drag that press may have begun, and the
        // next press is an ordinary one again.
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            FormDblClick();
            gestures_.linkJustMade = false;
        }
        return true;
    case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        // A release the canvas did not see (over the context menu, say)
        // shows in the next move.
        buttonHeld_ = e->buttons() != Qt::NoButton;
        FormMouseMove(e->position().toPoint());
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* e = static_cast<QMouseEvent*>(event);
        buttonHeld_ = e->buttons() != Qt::NoButton;
        FormMouseUp(e->position().toPoint());
        return true;
    }
    default:
        return false;
    }
}

void TZudezezor::FormMouseDown(Qt::MouseButton button, QPoint pixel) {
    // The hint would only cover what the press starts.
    hideHoverHint();
    if (button == Qt::MiddleButton) {
        gestures_.panArmed = true;
        setAreaZoomMode(false);
        canvas_->setCursor(Qt::PointingHandCursor);
    }
    if (gestures_.panArmed) {
        gestures_.panning = true;
        gestures_.panLastX = pixel.x();
        gestures_.panLastY = pixel.y();
        drawPanPicture();
        refreshCommandStates();
        return;
    }
    if (gestures_.skipNextMouseDown) {
        gestures_.skipNextMouseDown = false;
        return;
    }
    const PersonList& list = doc_.persons();
    const int32_t x = pixelToTreeX(view_, pixel.x());
    const int32_t y = pixelToTreeY(view_, pixel.y());
    const PersonRecord* prev = list.currentPerson();
    const PersonRecord* hit = boxUnderMouse(list, gestures_, x, y);
    doc_.setCurrentPerson(hit);
    if (completeLinkAt(prev, hit, x, y)) gestures_.linkJustMade = true;
    if (button == Qt::LeftButton && !gestures_.linkJustMade) startLeftGesture(prev, x, y);
    gestures_.linkJustMade = false;
    updateHighlight(prev);
    refreshCommandStates();
    if (button == Qt::RightButton) emit contextMenuRequested(canvas_->mapToGlobal(pixel));
}

// The click on the other box of a pending link, with any button. Returns
// whether a link gesture ended here.
bool TZudezezor::completeLinkAt(const PersonRecord* prev, const PersonRecord* clicked, int32_t x,
                                int32_t y) {
    if (!anyLinkPending(gestures_)) return false;
    const LinkKind kind = pendingLinkKind(gestures_);
    clearPendingLinks(gestures_);
    const EditResult result = completeLink(doc_, kind, prev, clicked, x, y);
    if (result.endDrag) gestures_.dragging = gestures_.newPersonPending = false;
    if (!result.message.empty()) showError(QString::fromStdString(result.message));
    if (result.openEditorFor != nullptr) {
        emit editPersonRequested(result.openEditorFor,
                                 result.editorPage == EditorPage::Relationship);
    }
    FormPaint();
    return true;
}

// A left press on a box makes it ready to be dragged; on empty canvas it
// starts a band. Pressing a box outside the selection ends the selection,
// and then nothing was current before as far as the highlight goes.
void TZudezezor::startLeftGesture(const PersonRecord*& prev, int32_t x, int32_t y) {
    const PersonList& list = doc_.persons();
    const PersonRecord* box = list.currentPerson();
    if (box == nullptr) {
        gestures_.rubberBand = true;
        gestures_.gestureLastX = gestures_.gestureRefX = x;
        gestures_.gestureLastY = gestures_.gestureRefY = y;
        return;
    }
    if (!box->selected() && !list.selection().empty()) {
        invertSelection();
        doc_.clearSelection();
        prev = nullptr;
    }
    gestures_.dragPending = true;
    gestures_.gestureRefX = x - box->posX();
    gestures_.gestureRefY = y - box->posY();
    gestures_.gestureLastX = x;
    gestures_.gestureLastY = y;
}

// Moves the highlight from the box current before the press to the one
// current now, inverting over the picture instead of repainting.
void TZudezezor::updateHighlight(const PersonRecord* prev) {
    const PersonList& list = doc_.persons();
    const PersonRecord* current = list.currentPerson();
    const bool selection = !list.selection().empty();
    if (prev == current && !selection) return;
    if (current == nullptr) {
        if (selection) {
            invertSelection();
            doc_.clearSelection();
        } else if (prev != nullptr) {
            invertPersonBox(*prev);
        }
    } else if (!current->selected()) {
        if (prev != nullptr) invertPersonBox(*prev);
        invertPersonBox(*current);
    }
    canvas_->update();
}

void TZudezezor::FormMouseUp(QPoint /*pixel*/) {
    if (!gestures_.areaZoom) canvas_->unsetCursor();
    gestures_.dragPending = false;
    if (gestures_.rubberBand) releaseRubberBand();
    if (gestures_.dragging) releaseDrag();
    if (gestures_.panning) {
        gestures_.panning = false;
        FormPaint();
    }
    refreshCommandStates();
}

// In the zoom-to-area mode the band becomes the view; otherwise it selects
// every box it overlaps.
void TZudezezor::releaseRubberBand() {
    if (gestures_.areaZoom) {
        gestures_.rubberBand = false;
        setAreaZoomMode(false);
        zoomToArea(view_, windowExtent(), gestures_.gestureLastX, gestures_.gestureLastY,
                   gestures_.gestureRefX, gestures_.gestureRefY);
        FormPaint();
        return;
    }
    invertBandRect();
    gestures_.rubberBand = false;
    const PersonList& list = doc_.persons();
    doc_.clearSelection();
    doc_.setSelection(boxesInBand(list, gestures_.gestureLastX, gestures_.gestureLastY,
                                  gestures_.gestureRefX, gestures_.gestureRefY));
    invertSelection();
    canvas_->update();
}

// The boxes are painted at their new places; a box just created and
// carried to its place is then filled in by the user.
void TZudezezor::releaseDrag() {
    gestures_.dragging = false;
    // The whole drag is one step; a carried new box is part of the step
    // that made it.
    if (doc_.liveMoveActive()) {
        doc_.endLiveMove(step_name::moveBoxes(
            doc_.persons().selection().empty() ? 1 : doc_.persons().selection().size()));
    }
    const bool carriedNewBox = gestures_.newPersonPending;
    gestures_.newPersonPending = false;
    FormPaint();
    if (carriedNewBox) editCurrentPerson();
}

// Escape ends what waits on the canvas as if it had not begun: a link
// waiting for its click, a box just made and still on the mouse, a band, a
// drag (the boxes go back) and the zoom-to-area mode. A button still held
// finds nothing to finish on its release.
bool TZudezezor::cancelCanvasGesture() {
    bool cancelled = anyLinkPending(gestures_) || gestures_.dragPending || gestures_.dragging ||
                     gestures_.rubberBand || gestures_.newPersonPending || gestures_.areaZoom;
    gestures_.pendingLinkFather = gestures_.pendingLinkMother = gestures_.pendingLinkPartner =
        false;
    if (gestures_.newPersonPending && gestures_.dragging) {
        // The box was made by the last step; it goes as if never made, and
        // there is nothing to do again.
        doc_.takeBackLastStep();
    } else if (gestures_.dragging) {
        doc_.cancelLiveMove();
    }
    gestures_.dragPending = gestures_.dragging = gestures_.rubberBand = gestures_.newPersonPending =
        false;
    if (!cancelled) return false;
    setAreaZoomMode(false);
    gestures_.areaZoomSticky = false;
    canvas_->unsetCursor();  // also the cross of a link command
    FormPaint();
    return true;
}

void TZudezezor::FormDblClick() {
    editCurrentPerson();
    gestures_.dragPending = false;
    gestures_.dragging = false;
    gestures_.linkJustMade = true;
}

// Relative picture and notes paths of the records are relative to the
// tree file, so the editor works from its folder. A folder that cannot be
// entered only leaves those paths unresolved.
void TZudezezor::editCurrentPerson() {
    const std::string& file = doc_.currentFileName();
    if (!file.empty()) {
        const QString path = QFile::decodeName(QByteArray::fromStdString(file));
        QDir::setCurrent(QFileInfo(path).absolutePath());
    }
    const PersonRecord* person = doc_.persons().currentPerson();
    if (person != nullptr) emit editPersonRequested(person, gestures_.pendingLinkPartner);
}

}  // namespace lineara
