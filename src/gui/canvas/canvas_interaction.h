// The mouse and the modifier keys on the canvas: choosing the current box,
// dragging boxes, the rubber band, links waiting for their second box,
// panning and the zoom-to-area mode, with the feedback drawn over the last
// picture and the hover hints. It reaches the window only through
// CanvasEnvironment; the commands reach it through GestureControl.
#pragma once

#include <QCoreApplication>
#include <QPoint>
#include <QString>

#include "core/model/document.h"
#include "core/settings/settings.h"
#include "core/view/view_state.h"
#include "gui/canvas/gesture_state.h"

class QEvent;

namespace lineara {

class RecordCodec;
class TreeCanvas;

class CanvasEnvironment {
public:
    virtual ~CanvasEnvironment() = default;
    virtual Document& document() = 0;
    virtual ViewState& view() = 0;
    virtual TreeCanvas& canvas() = 0;
    virtual const AppSettings& settings() const = 0;
    virtual const RecordCodec& codec() const = 0;
    virtual void repaintTree() = 0;
    // The commands' enabled states follow the current person and the
    // selection.
    virtual void refreshCommandStates() = 0;
    virtual void setStatusText(const QString& text) = 0;
    virtual void showError(const QString& message) = 0;
    virtual void editPerson(const PersonRecord* person, bool relationshipPage) = 0;
    virtual void openContextMenu(QPoint globalPos) = 0;
    // The zoom-to-area mode went on or off; its menu item and button follow.
    virtual void areaZoomModeChanged(bool on) = 0;
};

// What the commands may ask of the canvas's gestures.
class GestureControl {
public:
    virtual ~GestureControl() = default;
    // The last mouse position, in tree units: where new boxes are made.
    virtual TreePoint mousePoint() const = 0;
    virtual void carryNewBox(const EditResult& result) = 0;
    // The cross pointer of a link command, shown even when no link starts.
    virtual void showLinkPointer() = 0;
    virtual void waitForLink(LinkKind kind, TreePoint lineStart) = 0;
    // Whatever was being dragged is no more (the box was deleted).
    virtual void endDrag() = 0;
    // Whether the next press on the canvas is the one a mouse choice in a
    // menu leaves behind, to be ignored once.
    virtual void ignoreNextPress(bool ignore) = 0;
    virtual bool gestureUnderWay() const = 0;
    virtual void disarmPanning() = 0;
    virtual bool areaZoomMode() const = 0;
    virtual void setAreaZoomMode(bool on) = 0;
    // The editor for the current person, on its relationship page while a
    // partner link waits.
    virtual void editCurrentPerson() = 0;
};

class CanvasInteraction : public GestureControl {
    Q_DECLARE_TR_FUNCTIONS(CanvasInteraction)

public:
    explicit CanvasInteraction(CanvasEnvironment& env);

    // The canvas's mouse events; true when the event was the canvas's.
    bool mouseEvent(QEvent* event);
    void press(Qt::MouseButton button, QPoint pixel);
    void move(QPoint pixel);
    void release(QPoint pixel);
    void doubleClick();

    // Escape and the modifiers held alone; true when the key was used.
    bool keyPressed(int key, Qt::KeyboardModifiers held);
    void keyReleased(Qt::KeyboardModifiers held);
    // Escape: ends what waits on the canvas as if it had not begun; false
    // when nothing did.
    bool cancel();
    // Ends the modes of the modifiers and the area mode; the first step of
    // every full paint.
    void endModes();

    const GestureState& state() const { return state_; }
    bool dragging() const { return isDragging(state_); }
    void setMousePoint(TreePoint point) { mouse_ = point; }
    bool ignoresNextPress() const { return ignoreNextPress_; }
    // The hover hint shown over the canvas ("" when none).
    QString hintText() const { return hintShown_ ? hintText_ : QString(); }
    void hideHint();

    // GestureControl
    TreePoint mousePoint() const override { return mouse_; }
    void carryNewBox(const EditResult& result) override;
    void showLinkPointer() override;
    void waitForLink(LinkKind kind, TreePoint lineStart) override;
    void endDrag() override;
    void ignoreNextPress(bool ignore) override { ignoreNextPress_ = ignore; }
    bool gestureUnderWay() const override { return lineara::gestureUnderWay(state_); }
    void disarmPanning() override;
    bool areaZoomMode() const override { return areaZoomOn(state_); }
    void setAreaZoomMode(bool on) override;
    void editCurrentPerson() override;

private:
    // Every change of state goes through here: a live move left behind is
    // finished, and the area mode's pointer and check marks follow.
    void setState(GestureState next);
    void finishLiveMove();
    void armPanning();
    bool completeLinkAt(const PersonRecord* prev, const PersonRecord* clicked, TreePoint at);
    void startLeftGesture(const PersonRecord*& prev, TreePoint at);
    void updateHighlight(const PersonRecord* prev);
    void releaseBand();
    void releaseDrag();
    void showHoverHint(QPoint pixel);
    void panTo(QPoint pixel);
    void moveLinkLine();
    void moveDraggedBoxes();
    void moveBand();
    TreePoint treePoint(QPoint pixel) const;

    CanvasEnvironment& env_;
    GestureState state_;
    TreePoint mouse_;
    bool ignoreNextPress_ = false;
    // A mouse button is down on the canvas: no hint then.
    bool buttonHeld_ = false;
    QString hintText_;
    bool hintShown_ = false;
};

}  // namespace lineara
