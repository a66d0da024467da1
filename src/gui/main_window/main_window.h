// MainWindow: the tree canvas with its menus, tool bar and status bar. It
// owns the document and the view state, and composes the parts that do the
// work: the canvas interaction (mouse and modifier keys), one command
// object per concern (files, editing, view, layout, import and export,
// reports, search), each seeing the window through a small environment,
// and the one table of actions that the menus, the tool bar, the context
// menu and the keys are made from.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

#include "core/model/document.h"
#include "core/view/colour_code.h"
#include "core/view/view_state.h"
#include "gui/common/app_context.h"
#include "gui/main_window/action_table.h"

class QAction;
class QDialog;
class QKeyEvent;
class QLabel;
class QMenu;
class QToolBar;

namespace lineara {

class CanvasInteraction;
class DocumentCommands;
class EditCommands;
class ImportExportCommands;
class LayoutCommands;
class NavigatorWindow;
class ReportCommands;
class SearchCommands;
class TreeCanvas;
class ViewCommands;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(AppContext& ctx, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Paints the tree anew; the caption, the navigator's counters and the
    // commands' states follow. Ends the transient modes of the canvas.
    void paintTree();
    bool checkModified();
    void openFile(const QString& path);

    Document& doc() { return doc_; }
    ViewState& viewState() { return view_; }
    TreeCanvas* canvas() const { return canvas_; }
    CanvasInteraction& interaction();
    DocumentCommands& documentCommands();
    EditCommands& editing();
    ViewCommands& viewing();
    LayoutCommands& layoutCommands();
    ImportExportCommands& importExport();
    ReportCommands& reports();
    SearchCommands& search();

    ColourCode colourCode() const { return view_.colourCode; }
    void setColourCode(ColourCode code);
    int itemCount() const { return itemCount_; }
    int personCount() const { return personCount_; }
    QString statusText() const;
    void setStatusText(const QString& text);
    QAction* action(const QString& objectName) const;
    QAction* undoAction() const;
    QAction* redoAction() const;
    QMenu* contextMenu() const;
    // The context menu's states, captions and visible items, as when it
    // opens (and before any of its keys acts).
    void prepareContextMenu();
    // The commands' enabled states follow the tree and the selection; run
    // after every paint, press and release.
    void refreshCommandStates();

    void setNavigator(NavigatorWindow* navigator);
    // The quality check, when there is one, is plugged in here.
    void setQualityCheck(std::function<int()> check, std::function<void(bool)> showWindow);
    // The menu bar with the top-level titles and no items, or the full one.
    void setMenuEmpty(bool empty);
    bool menuEmpty() const { return menuEmpty_; }
    // How modal dialogs of the commands are run; tests replace exec().
    using DialogRunner = std::function<void(QDialog&)>;
    void setDialogRunner(DialogRunner runner);
    // Whether the user works the open menus with keys (true) or the mouse.
    void noteMenuInput(bool byKey) { menuChoiceByKey_ = byKey; }

signals:
    void optionsRequested();
    void aboutRequested();
    void screenFontRequested();
    void helpContentsRequested();
    void helpSearchRequested();
    void homePageRequested();
    void supportPageRequested();
    void feedbackPageRequested();
    void autoArrangeHelpRequested();
    void qualityCheckRequested();
    void dateConversionRequested();
    // The close query has let the window close.
    void closing();
    // The tree has changed: a step made, undone or redone, or the tree
    // replaced or emptied. Windows that show lists of persons rebuild here.
    void treeChanged();
    // A tree file has been opened.
    void treeOpenedAnew();
    // The tree has been written to its own file.
    void treeSaved();
    // The person editor opens for `person`, on its relationship page when
    // asked; the editor window connects here.
    void editPersonRequested(const PersonRecord* person, bool relationshipPage);
    // A right press on the canvas has set the current person; the context
    // menu opens at `globalPos`.
    void contextMenuRequested(QPoint globalPos);
    // The go-to lists and the search window, which belong to the program.
    void childrenListRequested();
    void siblingsListRequested();
    void relativesListRequested();
    void browserShowRequested();
    void browserCloseRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    // The canvas's mouse and wheel.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Environment;
    class KeyFilter;
    struct Parts;

    void buildActions();
    void wireMenus();
    void installKeyFilter();
    // Works out the states the rules of the home's menu read and applies
    // them, as when the menu opens.
    void refreshStatesOf(Home home);
    ActionRows menuRows();
    ActionRows viewRows();
    ActionRows zoomRows();
    ActionRows toolsAndHelpRows();
    ActionRows toolBarRows();
    ActionRows contextMenuRows();
    void renderTree(QImage& picture);
    void refreshUndoActions();
    void showNavigator(bool on);
    void syncAreaZoomMarks(bool on);
    // The keys that reach the window: the table's rows, then the canvas's
    // own keys; true when the key was used.
    bool keyPressed(QKeyEvent* event);
    bool runKey(const QKeySequence& key);
    void runDialog(QDialog& dialog);

    AppContext& ctx_;
    Document doc_;
    ViewState view_;
    TreeCanvas* canvas_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QPointer<NavigatorWindow> navigator_;
    std::unique_ptr<Parts> parts_;
    DialogRunner dialogRunner_;
    std::function<int()> qualityCheck_;
    std::function<void(bool)> showQualityCheck_;
    QList<QAction*> fullMenu_;
    QList<QAction*> emptyMenuTitles_;
    bool ready_ = false;
    bool menuEmpty_ = false;
    // A command runs from a key of the window, or was chosen in a menu
    // with the keyboard.
    bool keyCommand_ = false;
    bool menuChoiceByKey_ = false;
    int itemCount_ = 0;
    int personCount_ = 0;
};

}  // namespace lineara
