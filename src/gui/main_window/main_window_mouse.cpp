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
            view_.linkJustMade = false;
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
        view_.panArmed = true;
        setAreaZoomMode(false);
        canvas_->setCursor(Qt::PointingHandCursor);
    }
    if (view_.panArmed) {
        view_.panning = true;
        view_.panLastX = pixel.x();
        view_.panLastY = pixel.y();
        drawPanPicture();
        refreshCommandStates();
        return;
    }
    if (view_.skipNextMouseDown) {
        view_.skipNextMouseDown = false;
        return;
    }
    const PersonList& list = doc_.persons();
    const int32_t x = pixelToTreeX(view_, pixel.x());
    const int32_t y = pixelToTreeY(view_, pixel.y());
    PersonRecord* prev = list.currentPerson();
    PersonRecord* hit = hitTest(list, view_, x, y);
    doc_.setCurrentPerson(hit);
    if (completeLinkAt(prev, hit, x, y)) view_.linkJustMade = true;
    if (button == Qt::LeftButton && !view_.linkJustMade) startLeftGesture(prev, x, y);
    view_.linkJustMade = false;
    updateHighlight(prev);
    refreshCommandStates();
    if (button == Qt::RightButton) emit contextMenuRequested(canvas_->mapToGlobal(pixel));
}

// The click on the other box of a pending link, with any button. Returns
// whether a link gesture ended here.
bool TZudezezor::completeLinkAt(PersonRecord* prev, PersonRecord* clicked, int32_t x, int32_t y) {
    EditResult result;
    if (!completePendingLink(doc_, view_, prev, clicked, x, y, result)) return false;
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
void TZudezezor::startLeftGesture(PersonRecord*& prev, int32_t x, int32_t y) {
    const PersonList& list = doc_.persons();
    PersonRecord* box = list.currentPerson();
    if (box == nullptr) {
        view_.rubberBand = true;
        view_.gestureLastX = view_.gestureRefX = x;
        view_.gestureLastY = view_.gestureRefY = y;
        return;
    }
    if (!box->selected() && !list.selection().empty()) {
        invertSelection();
        doc_.clearSelection();
        prev = nullptr;
    }
    view_.dragPending = true;
    view_.gestureRefX = x - box->posX();
    view_.gestureRefY = y - box->posY();
    view_.gestureLastX = x;
    view_.gestureLastY = y;
}

// Moves the highlight from the box current before the press to the one
// current now, inverting over the picture instead of repainting.
void TZudezezor::updateHighlight(PersonRecord* prev) {
    const PersonList& list = doc_.persons();
    PersonRecord* current = list.currentPerson();
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
    if (!view_.areaZoom) canvas_->unsetCursor();
    view_.dragPending = false;
    if (view_.rubberBand) releaseRubberBand();
    if (view_.dragging) releaseDrag();
    if (view_.panning) {
        view_.panning = false;
        FormPaint();
    }
    refreshCommandStates();
}

// In the zoom-to-area mode the band becomes the view; otherwise it selects
// every box it overlaps.
void TZudezezor::releaseRubberBand() {
    if (view_.areaZoom) {
        view_.rubberBand = false;
        setAreaZoomMode(false);
        zoomToArea(view_, windowExtent(), view_.gestureLastX, view_.gestureLastY, view_.gestureRefX,
                   view_.gestureRefY);
        FormPaint();
        return;
    }
    invertBandRect();
    view_.rubberBand = false;
    const PersonList& list = doc_.persons();
    doc_.clearSelection();
    doc_.setSelection(boxesInBand(list, view_.gestureLastX, view_.gestureLastY, view_.gestureRefX,
                                  view_.gestureRefY));
    invertSelection();
    canvas_->update();
}

// The boxes are painted at their new places; a box just created and
// carried to its place is then filled in by the user.
void TZudezezor::releaseDrag() {
    view_.dragging = false;
    // The whole drag is one step; a carried new box is part of the step
    // that made it.
    if (doc_.liveMoveActive()) {
        doc_.endLiveMove(step_name::moveBoxes(
            doc_.persons().selection().empty() ? 1 : doc_.persons().selection().size()));
    }
    const bool carriedNewBox = view_.newPersonPending;
    view_.newPersonPending = false;
    FormPaint();
    if (carriedNewBox) editCurrentPerson();
}

// Escape ends what waits on the canvas as if it had not begun: a link
// waiting for its click, a box just made and still on the mouse, a band, a
// drag (the boxes go back) and the zoom-to-area mode. A button still held
// finds nothing to finish on its release.
bool TZudezezor::cancelCanvasGesture() {
    bool cancelled = anyLinkPending(view_) || view_.dragPending || view_.dragging ||
                     view_.rubberBand || view_.newPersonPending || view_.areaZoom;
    view_.pendingLinkFather = view_.pendingLinkMother = view_.pendingLinkPartner = false;
    if (view_.newPersonPending && view_.dragging) {
        // The box was made by the last step; it goes as if never made, and
        // there is nothing to do again.
        doc_.takeBackLastStep();
    } else if (view_.dragging) {
        doc_.cancelLiveMove();
    }
    view_.dragPending = view_.dragging = view_.rubberBand = view_.newPersonPending = false;
    if (!cancelled) return false;
    setAreaZoomMode(false);
    view_.areaZoomSticky = false;
    canvas_->unsetCursor();  // also the cross of a link command
    FormPaint();
    return true;
}

void TZudezezor::FormDblClick() {
    editCurrentPerson();
    view_.dragPending = false;
    view_.dragging = false;
    view_.linkJustMade = true;
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
    PersonRecord* person = doc_.persons().currentPerson();
    if (person != nullptr) emit editPersonRequested(person, view_.pendingLinkPartner);
}

}  // namespace lineara
