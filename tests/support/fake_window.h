// A stand-in for the main window as its command objects see it: one object
// answering their environments, with a tree, a view, a scripted user and a
// gesture control that only remembers what it was asked. No MainWindow, no
// canvas, no menus.
#pragma once

#include <QDialog>
#include <QImage>
#include <QWidget>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "gui/main_window/edit_commands.h"
#include "gui/main_window/import_export_commands.h"
#include "gui/main_window/layout_commands.h"
#include "gui/main_window/report_commands.h"
#include "gui/main_window/search_commands.h"
#include "gui/main_window/view_commands.h"
#include "support/fake_shell.h"

namespace lineara::test {

class FakeGestures : public GestureControl {
public:
    TreePoint mouse;
    std::vector<EditResult> carried;
    bool linkPointer = false;
    std::optional<std::pair<LinkKind, TreePoint>> waiting;
    int dragsEnded = 0;
    std::optional<bool> ignoreNext;
    bool underWay = false;
    int disarmed = 0;
    bool area = false;
    int editorsAsked = 0;

    TreePoint mousePoint() const override { return mouse; }
    void carryNewBox(const EditResult& result) override { carried.push_back(result); }
    void showLinkPointer() override { linkPointer = true; }
    void waitForLink(LinkKind kind, TreePoint lineStart) override {
        waiting = std::make_pair(kind, lineStart);
    }
    void endDrag() override { ++dragsEnded; }
    void ignoreNextPress(bool ignore) override { ignoreNext = ignore; }
    bool gestureUnderWay() const override { return underWay; }
    void disarmPanning() override { ++disarmed; }
    bool areaZoomMode() const override { return area; }
    void setAreaZoomMode(bool on) override { area = on; }
    void editCurrentPerson() override { ++editorsAsked; }
};

class FakeWindow : public EditEnvironment,
                   public ViewEnvironment,
                   public LayoutEnvironment,
                   public ImportExportEnvironment,
                   public ReportEnvironment,
                   public SearchEnvironment {
public:
    Document doc;
    ViewState viewState;
    QSize size{800, 600};
    ScriptedUser user;
    FakeShell desktop;
    AppSettings appSettings;
    RecordCodec recordCodec;
    FakeGestures gesturesSeen;
    QWidget parent;  // owns the dialogs the commands make
    // How a modal dialog is run; by default it is only recorded.
    std::function<void(QDialog&)> dialogRunner;
    bool keyboard = false;
    bool saveAnswer = true;  // what the modified check answers

    int repaints = 0;
    int refreshes = 0;
    int focusReturns = 0;
    int helpShown = 0;
    int modifiedChecks = 0;
    QStringList statusTexts;
    QStringList errors;
    QStringList dialogsRun;  // by object name
    std::vector<std::pair<const PersonRecord*, bool>> edits;
    std::vector<GoToListKind> lists;
    std::vector<bool> searchWindows;  // shown (true) or closed
    std::optional<bool> checkMark;
    std::optional<bool> menuEmpty;

    Document& document() override { return doc; }
    ViewState& view() override { return viewState; }
    QSize windowSize() const override { return size; }
    UserInteraction& ui() override { return user; }
    Shell& shell() override { return desktop; }
    const AppSettings& settings() const override { return appSettings; }
    const RecordCodec& codec() const override { return recordCodec; }
    FileProposals* fileProposals() override { return nullptr; }
    GestureControl& gestures() override { return gesturesSeen; }
    void repaintTree() override { ++repaints; }
    void refreshCommandStates() override { ++refreshes; }
    void setStatusText(const QString& text) override { statusTexts << text; }
    void showError(const QString& message) override { errors << message; }
    bool checkModified() override {
        ++modifiedChecks;
        return saveAnswer;
    }
    void editPerson(const PersonRecord* person, bool relationshipPage) override {
        edits.emplace_back(person, relationshipPage);
    }
    void runDialog(QDialog& dialog) override {
        dialogsRun << dialog.objectName();
        if (dialogRunner) dialogRunner(dialog);
    }
    QWidget* dialogParent() override { return &parent; }
    bool chosenWithKeyboard() const override { return keyboard; }
    void returnFocus() override { ++focusReturns; }
    void showAutoArrangeHelp() override { ++helpShown; }
    QImage windowPicture() override {
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::white);
        return picture;
    }
    void showGoToList(GoToListKind kind) override { lists.push_back(kind); }
    void showSearchWindow(bool show) override { searchWindows.push_back(show); }
    void setSearchCheckMark(bool on) override { checkMark = on; }
    void setMenuEmpty(bool empty) override { menuEmpty = empty; }
};

}  // namespace lineara::test
