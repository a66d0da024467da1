// TZudezezor, the main window: the tree canvas, the menus, the tool bar and
// the status bar. It owns the document and the view state and keeps the
// program's published operations (FormPaint, OpenFile, CheckModified, ...)
// as thin methods over the objects that do the work.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "core/layout/ancestor_walk.h"
#include "core/layout/pedigree_pattern.h"
#include "core/model/document.h"
#include "core/model/editing.h"
#include "core/view/colour_code.h"
#include "core/view/view_state.h"
#include "core/view/viewport.h"
#include "gui/canvas/gesture_state.h"
#include "gui/common/app_context.h"
#include "gui/dialogs/create_tree_dialog.h"
#include "gui/main_window/document_commands.h"
#include "gui/main_window/main_window_actions.h"

class QAction;
class QDialog;
class QKeyEvent;
class QMenu;
class QActionGroup;
class QLabel;
class QTimer;
class QToolBar;
class QPrinter;

namespace lineara {

class TreeCanvas;
class NavigatorWindow;
class GedcomImportWindow;

class TZudezezor : public QMainWindow, private DocumentEnvironment {
    Q_OBJECT
public:
    explicit TZudezezor(AppContext& ctx, QWidget* parent = nullptr);
    ~TZudezezor() override;

    // --- the published operations ---
    void FormPaint();
    bool CheckModified() { return commands_.CheckModified(); }
    void OpenFile(const QString& path) { commands_.OpenFile(path); }
    DocumentCommands& documentCommands() { return commands_; }

    // --- state, for the other windows and for tests ---
    Document& doc() { return doc_; }
    ViewState& viewState() { return view_; }
    GestureState& gestureState() { return gestures_; }
    TreeCanvas* canvas() const { return canvas_; }
    ColourCode colourCode() const { return view_.colourCode; }
    void setColourCode(ColourCode code);
    int scrollStep() const { return scrollStep_; }
    int itemCount() const { return itemCount_; }
    int personCount() const { return personCount_; }
    QString statusText() const;
    void setStatusText(const QString& text) override;
    QAction* action(const QString& objectName) const;

    void setNavigator(NavigatorWindow* navigator);
    // The quality check, when there is one, is plugged in here.
    void setQualityCheck(std::function<int()> check, std::function<void(bool)> showWindow);

signals:
    void optionsRequested();
    void aboutRequested();
    void screenFontRequested();
    void helpContentsRequested();
    void helpSearchRequested();
    void homePageRequested();
    void supportPageRequested();
    void feedbackPageRequested();
    // The close query has let the window close.
    void closing();
    // The tree has changed: a step made, undone or redone, or the tree
    // replaced or emptied. Windows that show lists of persons rebuild here.
    void treeChanged();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // DocumentEnvironment
    Document& document() override { return doc_; }
    ViewState& view() override { return view_; }
    QSize windowSize() const override;
    UserInteraction& ui() override { return *ctx_.ui; }
    const AppSettings& settings() const override { return ctx_.settings; }
    const RecordCodec& codec() const override { return ctx_.codec; }
    void repaintTree() override { FormPaint(); }
    void showError(const QString& message) override;
    int runQualityCheck() override;
    void showQualityCheckWindow(bool modal) override;
    FileProposals* fileProposals() override { return &proposals_; }

    void buildMenus();
    void buildFileMenu();
    void buildViewMenu();
    void buildToolsAndHelpMenus();
    void buildToolBar();
    void renderTree(QImage& picture);
    // Creates the rows' actions on `target` (a menu, the tool bar or the
    // window itself) in order: named, keyed, connected and kept where the
    // rows say. Returns them in the same order.
    QList<QAction*> addRows(QWidget* target, const std::vector<ActionRow>& rows);

    AppContext& ctx_;
    Document doc_;
    ViewState view_;
    GestureState gestures_;
    DocumentCommands commands_;
    FileProposals proposals_;
    TreeCanvas* canvas_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QActionGroup* colourCodes_ = nullptr;
    QPointer<NavigatorWindow> navigator_;
    bool ready_ = false;
    int scrollStep_ = 50;
    int itemCount_ = 0;
    int personCount_ = 0;
    std::function<int()> qualityCheck_;
    std::function<void(bool)> showQualityCheck_;

    // ===== View commands: zoom, scrolling, alignment and the window toggles
    // (main_window_view.cpp) =====
public:
    void ZoomIn1Click();
    void ZoomOut1Click();
    // Zoom to `percent` around the window centre, then repaint.
    void zoomto(double percent);
    // Centres the current person at 100 %; nothing without one.
    void Zoom1Click();
    // "&Całe drzewo": every box in the window at once.
    void WholeTree1Click();
    // Toggles the zoom-to-area mode (the checked state of its menu item).
    void Area1Click();
    bool areaZoomMode() const { return gestures_.areaZoom; }
    void setAreaZoomMode(bool on);
    void scrollView(ScrollDirection direction);
    void alignSelectionTo(AlignSide side);

protected:
    // The mouse wheel over the canvas zooms.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildZoomMenu();
    void addAreaZoomButton();
    void addViewToggles(QMenu* view);
    void addViewInput();
    void wireNavigator();
    void showNavigator(bool on);
    // Ends the transient gesture modes; the first step of every paint.
    void endGestureModes();
    void navigatorScrollPressed(ScrollDirection direction);
    void navigatorScrollReleased();
    void navigatorScrollTick();
    void navigatorHome();
    // The navigator's buttons never keep the keyboard: it goes back to the
    // main window after each of them.
    void returnFocus();
    WindowExtent windowExtent() const;

    QAction* areaZoomAction_ = nullptr;
    QAction* areaZoomButton_ = nullptr;
    QAction* navigatorToggle_ = nullptr;
    QTimer* scrollRepeat_ = nullptr;
    // Which navigator scroll buttons are held: left, right, up, down.
    bool scrollHeld_[4] = {false, false, false, false};
    // ===== end of view commands =====

    // --- mouse gestures ---
    // The gestures on the canvas (main_window_mouse.cpp, main_window_drag.cpp):
    // current person, rubber band, dragging with snapping, link completion,
    // panning, hover hints and the double click.
public:
    // The handlers, with the point in canvas pixels.
    void FormMouseDown(Qt::MouseButton button, QPoint pixel);
    void FormMouseMove(QPoint pixel);
    void FormMouseUp(QPoint pixel);
    // Edit the current person: the double click, Enter and the menu items.
    void FormDblClick();
    // Brings the commands' enabled states up to date with the tree and the
    // selection; run after every press and release on the canvas.
    void refreshCommandStates();
    // The hover hint shown over the canvas ("" when none).
    QString hintText() const { return hintShown_ ? hintText_ : QString(); }

signals:
    // The person editor opens for `person`, on its relationship page when
    // asked; the editor window connects here.
    void editPersonRequested(const PersonRecord* person, bool relationshipPage);
    // A right press on the canvas has set the current person; the context
    // menu opens at `globalPos`.
    void contextMenuRequested(QPoint globalPos);

private:
    void setupMouseGestures();
    bool canvasMouseEvent(QEvent* event);
    bool completeLinkAt(const PersonRecord* prev, const PersonRecord* clicked, int32_t x,
                        int32_t y);
    void startLeftGesture(const PersonRecord*& prev, int32_t x, int32_t y);
    void updateHighlight(const PersonRecord* prev);
    void showHoverHint(QPoint pixel);
    void panTo(QPoint pixel);
    void drawPanPicture();
    void moveLinkLine();
    void moveDraggedBox();
    void moveRubberBand();
    void releaseRubberBand();
    void releaseDrag();
    // Escape ends what waits on the canvas as if it had not begun; false
    // when nothing did.
    bool cancelCanvasGesture();
    void hideHoverHint();
    // Opens the editor for the current person from the tree file's folder.
    void editCurrentPerson();
    // Inverting feedback drawn straight over the canvas picture.
    void invertBandRect();
    void invertLinkLine();
    void invertSelection();
    void invertPersonBox(const PersonRecord& person);

    QString hintText_;
    bool hintShown_ = false;
    // A mouse button is down on the canvas: no hint then.
    bool buttonHeld_ = false;
    // --- end of mouse gestures ---

    // --- editing commands, keys and context menu ---
    // The editing commands of the Edit, Link and Alias menus, the tool bar
    // buttons that follow the current person (main_window_edit.cpp), the
    // canvas's context menu (main_window_context_menu.cpp) and the keys
    // (main_window_keys.cpp).
public:
    void Nyperson1Click();
    void NewFemaleItem1Click();
    void Slettperson1Click();
    void Makehome1Click();
    void PropertiesClick();
    void MakeAliasClick();
    void MakeThisAliasClick();
    void GotoAlias1Click();
    void LinktoFather1Click();
    void LinktoMother2Click();
    void LinkMarriage1Click();
    void DeleteLinktoFather1Click();
    void DeleteLinktoMother1Click();
    void DeleteLinktoMarriage1Click();
    // Fills and shows the context menu's states, as when it opens.
    void PopupMenu();
    QMenu* contextMenu() const { return contextMenu_; }
    // How modal dialogs of these commands are run; tests replace exec().
    using DialogRunner = std::function<void(QDialog&)>;
    void setDialogRunner(DialogRunner runner) { dialogRunner_ = std::move(runner); }

    // The key handlers; the key filter calls them for every key that
    // reaches the main window or the canvas.
    bool FormKeyDown(QKeyEvent* event);
    void FormKeyUp(QKeyEvent* event);
    void FormKeyPress(QKeyEvent* event);
    // Runs the context-menu item bound to the key, if any; true when the
    // key belongs to the context menu (even to a disabled item).
    bool contextMenuShortcut(const QKeySequence& key);
    bool isContextMenuKey(const QKeySequence& key) const;
    // The key filter tells how the user works the open menus: with keys
    // (true) or with the mouse (false).
    void noteMenuInput(bool byKey) { menuChoiceByKey_ = byKey; }

    // --- undo and redo ---
    QAction* undoAction() const { return undoAction_; }
    QAction* redoAction() const { return redoAction_; }
    void undoClick();
    void redoClick();

private:
    void buildUndoActions(QMenu* edit);
    void addUndoToolButtons();
    void refreshUndoActions();
    void takeHistoryStep(bool back);
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;

    void buildEditMenus();
    void buildEditMenu();
    void buildLinkMenu();
    void buildAliasMenu();
    void buildEditToolButtons();
    void buildContextMenu();
    void buildContextLinkItems();
    void buildContextGoToItems();
    void buildContextViewItems();
    void setupKeys();
    // addRows for the context menu, whose keys the key filter runs.
    QList<QAction*> addPopupRows(QMenu* menu, const std::vector<ActionRow>& rows);
    void updateAliasMenu();
    void updateLinkMenu();
    void applyEditResult(const EditResult& result);
    // Runs a command that may leave a new box on the mouse.
    void runCreation(const std::function<EditResult()>& create);
    void startLinkCommand(LinkKind kind);
    void goToRelative(const PersonRecord* person);
    void moveFocusToNearest(ScrollDirection direction);
    // The status bar names the current person, as after an arrow key, or
    // is empty when nobody is current.
    void showCurrentPersonStatus();
    void runDialog(QDialog& dialog);
    // Which modifiers are held once this key event has taken effect.
    static Qt::KeyboardModifiers heldModifiers(const QKeyEvent* event, bool pressed);

    EditActions edit_;
    LinkActions link_;
    AliasActions alias_;
    ToolButtons buttons_;
    PopupActions popup_;
    QMenu* contextMenu_ = nullptr;
    // The context menu's items that answer keys, in menu order: the first
    // item with a key takes it.
    QList<QAction*> popupKeyItems_;
    DialogRunner dialogRunner_;
    // A command runs from a key of the window, or was chosen in a menu
    // with the keyboard.
    bool keyCommand_ = false;
    bool menuChoiceByKey_ = false;
    // --- end of editing commands, keys and context menu ---

    // --- date conversion and quality check ---
    // The Tools menu's "&Sprawdź jakość" and "Konwertuj &daty"; the program
    // connects them to the two check windows.
signals:
    void qualityCheckRequested();
    void dateConversionRequested();

private:
    void buildCheckCommands(QMenu* tools);
    // --- end of date conversion and quality check ---

    // --- automatic layout (main_window_layout.cpp) ---
    // "&Organizuj drzewo przodków" and "&Utwórz drzewo przodków" in the
    // Edit menu, "&Automatyczne porządkowanie pozycji" in Tools.
public:
    void Compact2Click() { OrganizeTree(TreeStyle::Compact); }
    void Fractal2Click() { OrganizeTree(TreeStyle::Fractal); }
    void Compact1Click() { CreateTree(TreeStyle::Compact); }
    void Fractal1Click() { CreateTree(TreeStyle::Fractal); }
    void AutoArrangeClick();
    void OrganizeTree(TreeStyle style);
    void CreateTree(TreeStyle style);
    CreateTreeDialog* createTreeDialog() const { return createTreeDlg_; }
    const AncestorTable& ancestorTable() const { return ancestorTable_; }

signals:
    // The question's Help button.
    void autoArrangeHelpRequested();

private:
    void buildLayoutEditItems(QMenu* edit);
    void buildLayoutToolItem(QMenu* tools);
    // The walk's table and depth stay from one organisation to the next.
    AncestorTable ancestorTable_;
    // Made once and kept, so the number last entered is offered again.
    CreateTreeDialog* createTreeDlg_ = nullptr;
    // --- end of automatic layout ---

    // ===== GEDCOM export and import (main_window_gedcom.cpp) =====
    // The File menu's "&Eksportuj do pliku GEDCOM" and "&Importuj plik
    // GEDCOM"; the program hands over the import window it made at start.
public:
    void Write1Click();
    void Read1Click();
    void setGedcomImport(GedcomImportWindow* window);

private:
    void buildGedcomCommands(QMenu* file);
    QPointer<GedcomImportWindow> gedcomImport_;
    // ===== end of GEDCOM export and import =====

    // ===== Printing and the alphabetical lists (main_window_print.cpp) =====
public:
    // "&Drukuj drzewo": the print window, which the program plugs in.
    void Printtree1Click();
    void setPrintTreeWindow(QWidget* window) { printTreeWindow_ = window; }
    // "&Drukuj ekran": the print dialog, then the window's picture on one
    // page. Tests replace the dialog.
    void Print1Click();
    using PrintDialogRunner = std::function<bool(QPrinter&)>;
    void setScreenPrintDialog(PrintDialogRunner dialog) { screenPrintDialog_ = std::move(dialog); }
    // "&Wszystkie osoby" and "&Nazwiska" of "&Alfabetyczna lista".
    void SavetoFile1Click();
    void Surnames1Click();

private:
    void buildPrintCommands(QMenu* file);
    void buildReportsMenu();
    QPointer<QWidget> printTreeWindow_;
    PrintDialogRunner screenPrintDialog_;
    // ===== end of printing and the alphabetical lists =====
    // ===== The HTML presentation (main_window_html.cpp) =====
public:
    // "Generuj strony &HTML": the presentation window, which the program
    // plugs in, shown modally over a tree that is not empty.
    void HTML1Click();
    void setHtmlReport(QDialog* window) { htmlReport_ = window; }

private:
    void buildHtmlCommand(QMenu* reports);
    QPointer<QDialog> htmlReport_;
    // ===== end of the HTML presentation =====
    // ===== Navigation and search (main_window_search.cpp) =====
    // Going home, to a parent, the go-to lists and the search window. The
    // two list windows belong to the program; they hear these signals and
    // move the focus back through goToPerson.
public:
    // The home person, centred at 100 %.
    void Home1Click();
    void Father1Click();
    void Mother1Click();
    void Child1Click() { emit childrenListRequested(); }
    void ListofSiblings1Click() { emit siblingsListRequested(); }
    void Spouse1Click() { emit relativesListRequested(); }
    // Shows the search window, or closes it when it is shown.
    void Browser();
    // Makes the person current and centres it at the present zoom.
    void goToPerson(const PersonRecord* person) { goToRelative(person); }
    // The menu bar with the top-level titles and no items, or the full one.
    void setMenuEmpty(bool empty);
    bool menuEmpty() const { return menuEmpty_; }
    // The check mark of "Szukaj osoby": the search window is shown.
    void setSearchChecked(bool on);

signals:
    void childrenListRequested();
    void siblingsListRequested();
    void relativesListRequested();
    void browserShowRequested();
    void browserCloseRequested();
    // A tree file has been opened.
    void treeOpenedAnew();

private:
    void buildSearchMenu();
    void addSearchViewItems(QMenu* view);
    void treeOpened() override { emit treeOpenedAnew(); }
    QAction* browserViewItem_ = nullptr;
    QList<QAction*> viewListItems_;
    QList<QAction*> fullMenu_;
    QList<QAction*> emptyMenuTitles_;
    bool menuEmpty_ = false;
    // ===== end of navigation and search =====

    // ===== import of older tree files (main_window_legacy.cpp) =====
    // "Import version 1.&0" and "Import version 1.&5.x" in the File menu.
public:
    void Version101Click();
    void Openversion1531Click();

private:
    struct LegacyImportCommand;
    void buildLegacyImportItems(QMenu* file);
    void importLegacyTree(const LegacyImportCommand& command);
    // ===== end of the import of older tree files =====
};

}  // namespace lineara
