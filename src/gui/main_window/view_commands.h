// The view commands: the Zoom menu, the scroll keys, the wheel and the
// navigator's buttons with their auto-repeat. The arithmetic lives in
// core/view/viewport.h; here it is bound to commands, and every change
// repaints.
#pragma once

#include <QSize>
#include <QTimer>
#include <array>

#include "core/model/document.h"
#include "core/view/viewport.h"
#include "gui/canvas/canvas_interaction.h"

namespace lineara {

class ViewEnvironment {
public:
    virtual ~ViewEnvironment() = default;
    virtual Document& document() = 0;
    virtual ViewState& view() = 0;
    virtual QSize windowSize() const = 0;
    virtual GestureControl& gestures() = 0;
    virtual void repaintTree() = 0;
    // The navigator's buttons never keep the keyboard: it goes back to the
    // main window after each of them.
    virtual void returnFocus() = 0;
};

class ViewCommands {
public:
    // How often a held navigator arrow scrolls again.
    static constexpr int kScrollRepeatMs = 100;

    ViewCommands(ViewEnvironment& env, int scrollStep);

    void zoomIn();
    void zoomOut();
    // Zoom to `percent` around the window centre.
    void zoomTo(double percent);
    // Centres the current person at 100 %; nothing without one.
    void zoomToCurrentPerson();
    // "&Całe drzewo": every box in the window at once.
    void showWholeTree();
    // The zoom-to-area mode on or off, and switched over.
    void setAreaZoomMode(bool on) { env_.gestures().setAreaZoomMode(on); }
    void toggleAreaZoom() { setAreaZoomMode(!env_.gestures().areaZoomMode()); }
    void scroll(ScrollDirection direction);
    int scrollStep() const { return scrollStep_; }
    // The wheel over the canvas zooms.
    void wheel(int delta);

    // The navigator's buttons. An arrow scrolls when pressed and again on
    // a timer while it is held.
    void navigatorScrollPressed(ScrollDirection direction);
    void navigatorScrollReleased();
    void navigatorScrollTick();
    void navigatorZoomIn();
    void navigatorZoomOut();
    // The home person, centred at 100 %.
    void navigatorHome();
    bool scrollRepeating() const { return repeat_.isActive(); }

private:
    WindowExtent extent() const;

    ViewEnvironment& env_;
    int scrollStep_;
    QTimer repeat_;
    // Which navigator arrows are held: left, right, up, down.
    std::array<bool, 4> held_{};
};

}  // namespace lineara
