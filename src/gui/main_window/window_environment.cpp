#include "gui/main_window/window_environment.h"

#include <QDialog>
#include <QStatusBar>

#include "gui/canvas/tree_canvas.h"
#include "gui/main_window/window_parts.h"

namespace lineara {

MainWindow::Environment::Environment(MainWindow& window, AppContext& ctx)
    : window_(window), ctx_(ctx), proposals_(ctx.registry) {}

Document& MainWindow::Environment::document() { return window_.doc_; }
ViewState& MainWindow::Environment::view() { return window_.view_; }
QSize MainWindow::Environment::windowSize() const { return window_.canvas_->size(); }
UserInteraction& MainWindow::Environment::ui() { return *ctx_.ui; }
Shell& MainWindow::Environment::shell() { return *ctx_.shell; }
const AppSettings& MainWindow::Environment::settings() const { return ctx_.settings; }
const RecordCodec& MainWindow::Environment::codec() const { return ctx_.codec; }
TreeCanvas& MainWindow::Environment::canvas() { return *window_.canvas_; }

void MainWindow::Environment::repaintTree() { window_.paintTree(); }
void MainWindow::Environment::refreshCommandStates() { window_.refreshCommandStates(); }
void MainWindow::Environment::setStatusText(const QString& text) { window_.setStatusText(text); }

void MainWindow::Environment::showError(const QString& message) {
    ctx_.ui->inform(QStringLiteral("Lineara"), message, MessageIcon::Error);
}

bool MainWindow::Environment::checkModified() { return documents_->checkModified(); }

int MainWindow::Environment::runQualityCheck() {
    return window_.qualityCheck_ ? window_.qualityCheck_() : 0;
}

void MainWindow::Environment::showQualityCheckWindow(bool modal) {
    if (window_.showQualityCheck_) window_.showQualityCheck_(modal);
}

void MainWindow::Environment::treeOpened() { emit window_.treeOpenedAnew(); }
void MainWindow::Environment::treeSaved() { emit window_.treeSaved(); }

void MainWindow::Environment::editPerson(const PersonRecord* person, bool relationshipPage) {
    emit window_.editPersonRequested(person, relationshipPage);
}

void MainWindow::Environment::openContextMenu(QPoint globalPos) {
    emit window_.contextMenuRequested(globalPos);
}

void MainWindow::Environment::areaZoomModeChanged(bool on) { window_.syncAreaZoomMarks(on); }

void MainWindow::Environment::runDialog(QDialog& dialog) { window_.runDialog(dialog); }

QWidget* MainWindow::Environment::dialogParent() { return &window_; }

bool MainWindow::Environment::chosenWithKeyboard() const {
    return window_.keyCommand_ || window_.menuChoiceByKey_;
}

void MainWindow::Environment::returnFocus() {
    window_.activateWindow();
    window_.setFocus();
}

void MainWindow::Environment::showAutoArrangeHelp() { emit window_.autoArrangeHelpRequested(); }

QImage MainWindow::Environment::windowPicture() { return window_.grab().toImage(); }

void MainWindow::Environment::showGoToList(GoToListKind kind) {
    switch (kind) {
    case GoToListKind::Children:
        emit window_.childrenListRequested();
        break;
    case GoToListKind::Siblings:
        emit window_.siblingsListRequested();
        break;
    case GoToListKind::Relatives:
        emit window_.relativesListRequested();
        break;
    }
}

void MainWindow::Environment::showSearchWindow(bool show) {
    if (show) {
        emit window_.browserShowRequested();
    } else {
        emit window_.browserCloseRequested();
    }
}

void MainWindow::Environment::setSearchCheckMark(bool on) {
    if (QAction* item = window_.parts_->actions.action("Browser1")) item->setChecked(on);
}

void MainWindow::Environment::setMenuEmpty(bool empty) { window_.setMenuEmpty(empty); }

}  // namespace lineara
