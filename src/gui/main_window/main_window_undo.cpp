// Undo and redo: "&Cofnij" and "&Ponów" in the "&Edytuj" menu and on the
// tool bar. Each names the step it would take back or do again, in the
// status bar as the mouse rests on it, and is disabled when there is none.
#include <QAction>
#include <QMenu>
#include <QToolBar>

#include "gui/main_window/main_window.h"

namespace lineara {

void TZudezezor::buildUndoActions(QMenu* edit) {
    undoAction_ = edit->addAction(QStringLiteral("&Cofnij"));
    undoAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redoAction_ = edit->addAction(QStringLiteral("&Ponów"));
    redoAction_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(undoAction_, &QAction::triggered, this, &TZudezezor::undoClick);
    connect(redoAction_, &QAction::triggered, this, &TZudezezor::redoClick);
    edit->addSeparator();
    refreshUndoActions();
}

void TZudezezor::addUndoToolButtons() {
    toolBar_->addSeparator();
    toolBar_->addAction(undoAction_);
    toolBar_->addAction(redoAction_);
}

void TZudezezor::refreshUndoActions() {
    if (undoAction_ == nullptr) return;
    const auto hint = [](const char* verb, const std::string& step) {
        return step.empty() ? QString() : QString::fromUtf8(verb) + QString::fromUtf8(step);
    };
    undoAction_->setEnabled(doc_.canUndo());
    undoAction_->setStatusTip(hint("Cofnij: ", doc_.undoName()));
    undoAction_->setToolTip(hint("Cofnij: ", doc_.undoName()));
    redoAction_->setEnabled(doc_.canRedo());
    redoAction_->setStatusTip(hint("Ponów: ", doc_.redoName()));
    redoAction_->setToolTip(hint("Ponów: ", doc_.redoName()));
}

void TZudezezor::undoClick() { takeHistoryStep(true); }
void TZudezezor::redoClick() { takeHistoryStep(false); }

// A step is never taken in the middle of a gesture: the gesture's own
// pointers and positions would no longer match the tree.
void TZudezezor::takeHistoryStep(bool back) {
    if (gestures_.dragging || gestures_.rubberBand || anyLinkPending(gestures_)) return;
    const bool done = back ? doc_.undo() : doc_.redo();
    if (!done) return;
    FormPaint();
    refreshCommandStates();
}

}  // namespace lineara
