// The view commands of the main window: the Zoom menu, the window toggles
// of the View menu, the scroll keys, the wheel, and the navigator's
// buttons with their auto-repeat. The arithmetic lives in viewport.h; here
// it is bound to menus, keys and buttons, and every change repaints.
#include <QAction>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QWheelEvent>

#include "gui/canvas/navigator_window.h"
#include "gui/canvas/tree_canvas.h"
#include "gui/main_window/main_window.h"

namespace lineara {

namespace {

// How often a held navigator arrow scrolls again.
constexpr int kScrollRepeatMs = 100;

int heldIndex(ScrollDirection direction) { return static_cast<int>(direction); }

}  // namespace

WindowExtent TZudezezor::windowExtent() const {
    const QSize size = windowSize();
    return WindowExtent{size.width(), size.height()};
}

// --- the commands ---

void TZudezezor::ZoomIn1Click() {
    if (zoomInStep(view_, windowExtent())) FormPaint();
}

void TZudezezor::ZoomOut1Click() {
    if (zoomOutStep(view_, windowExtent())) FormPaint();
}

void TZudezezor::zoomto(double percent) {
    if (lineara::zoomTo(view_, windowExtent(), percent)) FormPaint();
}

void TZudezezor::Zoom1Click() {
    const PersonRecord* person = doc_.persons().currentPerson();
    if (person == nullptr) return;
    centreAt100(view_, windowExtent(), person->posX(), person->posY());
    FormPaint();
}

void TZudezezor::WholeTree1Click() {
    if (showWholeTree(view_, doc_.persons(), windowExtent())) FormPaint();
}

void TZudezezor::Area1Click() { setAreaZoomMode(!gestures_.areaZoom); }

void TZudezezor::setAreaZoomMode(bool on) {
    gestures_.areaZoom = on;
    areaZoomAction_->setChecked(on);
    areaZoomButton_->setChecked(on);
    if (on) {
        canvas_->setCursor(Qt::CrossCursor);
    } else {
        canvas_->unsetCursor();
    }
}

void TZudezezor::endGestureModes() {
    if (gestures_.areaZoom || areaZoomAction_->isChecked()) setAreaZoomMode(false);
    // Panning armed by Alt or the middle button ends too; one in progress
    // keeps its own hand pointer until the release.
    if (gestures_.panArmed && !gestures_.panning) canvas_->unsetCursor();
    gestures_.panArmed = false;
    gestures_.areaZoomSticky = false;
}

void TZudezezor::scrollView(ScrollDirection direction) {
    scrollByStep(view_, direction, scrollStep_);
    FormPaint();
}

void TZudezezor::alignSelectionTo(AlignSide side) {
    if (alignSelection(doc_, side)) FormPaint();
}

// --- menus and keys ---

void TZudezezor::buildZoomMenu() {
    QMenu* zoom = menuBar()->addMenu(QStringLiteral("&Zoom"));
    addRows(zoom, {{"Pow&iększ", "ZoomIn1", Qt::Key_I, &TZudezezor::ZoomIn1Click},
                   {"P&omniejsz", "ZoomOut1", Qt::Key_O, &TZudezezor::ZoomOut1Click}});
    zoom->addSeparator();
    addRows(zoom, {{"200%", "ZoomPreset200", Qt::CTRL | Qt::Key_F1, [this] { zoomto(200); }},
                   {"100%", "ZoomPreset100", Qt::CTRL | Qt::Key_F2, [this] { zoomto(100); }},
                   {"50%", "ZoomPreset50", Qt::CTRL | Qt::Key_F3, [this] { zoomto(50); }},
                   {"35%", "ZoomPreset35", Qt::CTRL | Qt::Key_F4, [this] { zoomto(35); }},
                   {"20%", "ZoomPreset20", Qt::CTRL | Qt::Key_F5, [this] { zoomto(20); }},
                   {"10%", "ZoomPreset10", Qt::CTRL | Qt::Key_F6, [this] { zoomto(10); }},
                   {"5%", "ZoomPreset5", Qt::CTRL | Qt::Key_F7, [this] { zoomto(5); }},
                   {"1%", "ZoomPreset1", Qt::CTRL | Qt::Key_F8, [this] { zoomto(1); }}});
    zoom->addSeparator();
    addRows(zoom,
            {{"&Powiększ wybraną osobę", "Zoom1", Qt::Key_Z, &TZudezezor::Zoom1Click},
             // Next to the presets' keys, as the last of them.
             {"&Całe drzewo", "WholeTree1", Qt::CTRL | Qt::Key_F9, &TZudezezor::WholeTree1Click},
             // The action has already flipped its check mark when the
             // mode follows it.
             {"Powiększ do obsz&aru", "Area1", QKeySequence(), &TZudezezor::setAreaZoomMode,
              &areaZoomAction_, kCheckable}});
}

// The tool bar's button and the menu item show the same mode; either one
// switches it.
void TZudezezor::addAreaZoomButton() {
    toolBar_->addSeparator();
    addRows(toolBar_, {{"Zoom to &Area", "AreaButton", QKeySequence(), &TZudezezor::setAreaZoomMode,
                        &areaZoomButton_, kCheckable}});
}

void TZudezezor::addViewToggles(QMenu* view) {
    view->addSeparator();
    addRows(view,
            {{"&Pasek narzędzi", "ShowToolBar1", Qt::Key_F7,
              [this](bool on) { toolBar_->setVisible(on); }, nullptr, kCheckable | kChecked},
             {"&Nawigator", "ShowNavigator1", Qt::Key_F8, [this](bool on) { showNavigator(on); },
              &navigatorToggle_, kCheckable | kChecked},
             {"Pasek st&atusu", "ShowStatusBar1", Qt::Key_F10,
              [this](bool on) { statusBar()->setVisible(on); }, nullptr, kCheckable | kChecked}});
}

// The plain arrow keys scroll by one step. They are actions of the window
// rather than of a visible menu, so they answer wherever the keyboard is
// in the main window. The wheel over the canvas zooms, and the navigator's
// held arrows repeat on a timer.
void TZudezezor::addViewInput() {
    addRows(this, {{"Przesuń w lewo", "ScrollLeft1", Qt::Key_Left,
                    [this] { scrollView(ScrollDirection::Left); }},
                   {"Przesuń w prawo", "ScrollRight1", Qt::Key_Right,
                    [this] { scrollView(ScrollDirection::Right); }},
                   {"Przesuń w górę", "ScrollUp1", Qt::Key_Up,
                    [this] { scrollView(ScrollDirection::Up); }},
                   {"Przesuń w dół", "ScrollDown1", Qt::Key_Down,
                    [this] { scrollView(ScrollDirection::Down); }}});
    canvas_->installEventFilter(this);
    scrollRepeat_ = new QTimer(this);
    connect(scrollRepeat_, &QTimer::timeout, this, &TZudezezor::navigatorScrollTick);
}

bool TZudezezor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == canvas_ && event->type() == QEvent::Wheel) {
        const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
        if (delta > 0) ZoomIn1Click();
        if (delta < 0) ZoomOut1Click();
        return true;
    }
    if (watched == canvas_ && canvasMouseEvent(event)) return true;
    return QMainWindow::eventFilter(watched, event);
}

// --- the navigator ---

void TZudezezor::wireNavigator() {
    if (!navigator_) return;
    NavigatorWindow* nav = navigator_;
    connect(nav, &NavigatorWindow::scrollLeftPressed, this,
            [this] { navigatorScrollPressed(ScrollDirection::Left); });
    connect(nav, &NavigatorWindow::scrollRightPressed, this,
            [this] { navigatorScrollPressed(ScrollDirection::Right); });
    connect(nav, &NavigatorWindow::scrollUpPressed, this,
            [this] { navigatorScrollPressed(ScrollDirection::Up); });
    connect(nav, &NavigatorWindow::scrollDownPressed, this,
            [this] { navigatorScrollPressed(ScrollDirection::Down); });
    connect(nav, &NavigatorWindow::scrollReleased, this, &TZudezezor::navigatorScrollReleased);
    connect(nav, &NavigatorWindow::zoomInClicked, this, [this] {
        ZoomIn1Click();
        returnFocus();
    });
    connect(nav, &NavigatorWindow::zoomOutClicked, this, [this] {
        ZoomOut1Click();
        returnFocus();
    });
    connect(nav, &NavigatorWindow::homeClicked, this, &TZudezezor::navigatorHome);
    connect(nav, &NavigatorWindow::closed, this, [this] {
        navigatorToggle_->setChecked(false);
        navigatorScrollReleased();
    });
}

// A navigator hidden with an arrow still held never sees the release, so
// the repeat is stopped here.
void TZudezezor::showNavigator(bool on) {
    if (!navigator_) return;
    navigator_->setVisible(on);
    if (!on) navigatorScrollReleased();
}

void TZudezezor::navigatorScrollPressed(ScrollDirection direction) {
    scrollRepeat_->stop();
    scrollHeld_[heldIndex(direction)] = true;
    scrollView(direction);
    returnFocus();
    scrollRepeat_->start(kScrollRepeatMs);
}

// Only one button can be held with the mouse, so a release is the release
// of whichever was down.
void TZudezezor::navigatorScrollReleased() {
    for (bool& held : scrollHeld_) held = false;
    scrollRepeat_->stop();
}

void TZudezezor::navigatorScrollTick() {
    for (ScrollDirection d : {ScrollDirection::Left, ScrollDirection::Right, ScrollDirection::Up,
                              ScrollDirection::Down}) {
        if (scrollHeld_[heldIndex(d)]) {
            scrollView(d);
            returnFocus();
            return;
        }
    }
}

void TZudezezor::navigatorHome() {
    const PersonRecord* home = doc_.persons().personListHead();
    if (home != nullptr) {
        doc_.setCurrentPerson(home);
        Zoom1Click();
    }
    returnFocus();
}

void TZudezezor::returnFocus() {
    activateWindow();
    setFocus();
}

}  // namespace lineara
