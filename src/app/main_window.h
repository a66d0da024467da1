// TZudezezor, the main window: the tree canvas, the menus, the tool bar and
// the status bar. It owns the document and the view state and keeps the
// program's published operations (FormPaint, OpenFile, CheckModified, ...)
// as thin methods over the objects that do the work.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

#include "app/app_context.h"
#include "app/document_commands.h"
#include "canvas/colour_code.h"
#include "canvas/view_state.h"
#include "canvas/viewport.h"
#include "model/document.h"

class QAction;
class QActionGroup;
class QLabel;
class QTimer;
class QToolBar;

namespace lineara {

class TreeCanvas;
class TKontroll;


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
    TreeCanvas* canvas() const { return canvas_; }
    ColourCode colourCode() const { return colourCode_; }
    void setColourCode(ColourCode code);
    int scrollStep() const { return scrollStep_; }
    int itemCount() const { return itemCount_; }
    int personCount() const { return personCount_; }
    QString statusText() const;
    void setStatusText(const QString& text) override;
    QAction* action(const QString& objectName) const;

    void setNavigator(TKontroll* navigator);
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

    void buildMenus();
    void buildFileMenu();
    void buildViewMenu();
    void buildToolsAndHelpMenus();
    void buildToolBar();
    void renderTree(QImage& picture);
    QAction* addAction(QMenu* menu, const QString& caption, const char* name,
                       const QKeySequence& key = QKeySequence());

    AppContext& ctx_;
    Document doc_;
    ViewState view_;
    DocumentCommands commands_;
    TreeCanvas* canvas_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QActionGroup* colourCodes_ = nullptr;
    QPointer<TKontroll> navigator_;
    ColourCode colourCode_ = ColourCode::None;
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
    // Toggles the zoom-to-area mode (the checked state of its menu item).
    void Area1Click();
    bool areaZoomMode() const { return view_.areaZoom; }
    void setAreaZoomMode(bool on);
    void scrollView(ScrollDirection direction);
    void alignSelectionTo(AlignSide side);

protected:
    // The mouse wheel over the canvas zooms.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildZoomMenu();
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
    QAction* navigatorToggle_ = nullptr;
    QTimer* scrollRepeat_ = nullptr;
    // Which navigator scroll buttons are held: left, right, up, down.
    bool scrollHeld_[4] = {false, false, false, false};
    // ===== end of view commands =====
};

}  // namespace lineara
