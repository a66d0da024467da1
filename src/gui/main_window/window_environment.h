// The main window as its parts see it: one object that answers every
// environment interface, each method once, by reaching into the window.
// The parts themselves never see MainWindow.
#pragma once

#include "gui/canvas/canvas_interaction.h"
#include "gui/common/file_proposals.h"
#include "gui/main_window/document_commands.h"
#include "gui/main_window/edit_commands.h"
#include "gui/main_window/import_export_commands.h"
#include "gui/main_window/layout_commands.h"
#include "gui/main_window/main_window.h"
#include "gui/main_window/report_commands.h"
#include "gui/main_window/search_commands.h"
#include "gui/main_window/view_commands.h"

namespace lineara {

class MainWindow::Environment final : public DocumentEnvironment,
                                      public CanvasEnvironment,
                                      public EditEnvironment,
                                      public ViewEnvironment,
                                      public LayoutEnvironment,
                                      public ImportExportEnvironment,
                                      public ReportEnvironment,
                                      public SearchEnvironment {
public:
    Environment(MainWindow& window, AppContext& ctx);

    // Reached by the window to wire the parts together.
    void setGestures(GestureControl* gestures) { gestures_ = gestures; }
    void setDocumentCommands(DocumentCommands* commands) { documents_ = commands; }

    Document& document() override;
    ViewState& view() override;
    QSize windowSize() const override;
    UserInteraction& ui() override;
    Shell& shell() override;
    const AppSettings& settings() const override;
    const RecordCodec& codec() const override;
    FileProposals* fileProposals() override { return &proposals_; }
    TreeCanvas& canvas() override;
    GestureControl& gestures() override { return *gestures_; }

    void repaintTree() override;
    void refreshCommandStates() override;
    void setStatusText(const QString& text) override;
    void showError(const QString& message) override;
    bool checkModified() override;
    int runQualityCheck() override;
    void showQualityCheckWindow(bool modal) override;
    void treeOpened() override;
    void treeSaved() override;

    void editPerson(const PersonRecord* person, bool relationshipPage) override;
    void openContextMenu(QPoint globalPos) override;
    void areaZoomModeChanged(bool on) override;
    void runDialog(QDialog& dialog) override;
    QWidget* dialogParent() override;
    bool chosenWithKeyboard() const override;
    void returnFocus() override;
    void showAutoArrangeHelp() override;
    QImage windowPicture() override;

    void showGoToList(GoToListKind kind) override;
    void showSearchWindow(bool show) override;
    void setSearchCheckMark(bool on) override;
    void setMenuEmpty(bool empty) override;

private:
    MainWindow& window_;
    AppContext& ctx_;
    FileProposals proposals_;
    GestureControl* gestures_ = nullptr;
    DocumentCommands* documents_ = nullptr;
};

}  // namespace lineara
