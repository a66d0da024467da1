#include "gui/main_window/view_commands.h"

namespace lineara {

namespace {

size_t heldIndex(ScrollDirection direction) { return static_cast<size_t>(direction); }

}  // namespace

ViewCommands::ViewCommands(ViewEnvironment& env, int scrollStep)
    : env_(env), scrollStep_(scrollStep) {
    QObject::connect(&repeat_, &QTimer::timeout, [this] { navigatorScrollTick(); });
}

WindowExtent ViewCommands::extent() const {
    const QSize size = env_.windowSize();
    return WindowExtent{size.width(), size.height()};
}

void ViewCommands::zoomIn() {
    if (zoomInStep(env_.view(), extent())) env_.repaintTree();
}

void ViewCommands::zoomOut() {
    if (zoomOutStep(env_.view(), extent())) env_.repaintTree();
}

void ViewCommands::zoomTo(double percent) {
    if (lineara::zoomTo(env_.view(), extent(), percent)) env_.repaintTree();
}

void ViewCommands::zoomToCurrentPerson() {
    const PersonRecord* person = env_.document().persons().currentPerson();
    if (person == nullptr) return;
    centreAt100(env_.view(), extent(), person->posX(), person->posY());
    env_.repaintTree();
}

void ViewCommands::showWholeTree() {
    if (lineara::showWholeTree(env_.view(), env_.document().persons(), extent())) {
        env_.repaintTree();
    }
}

void ViewCommands::scroll(ScrollDirection direction) {
    scrollByStep(env_.view(), direction, scrollStep_);
    env_.repaintTree();
}

void ViewCommands::wheel(int delta) {
    if (delta > 0) zoomIn();
    if (delta < 0) zoomOut();
}

void ViewCommands::navigatorScrollPressed(ScrollDirection direction) {
    repeat_.stop();
    held_[heldIndex(direction)] = true;
    scroll(direction);
    env_.returnFocus();
    repeat_.start(kScrollRepeatMs);
}

// Only one button can be held with the mouse, so a release is the release
// of whichever was down. A navigator hidden with an arrow still held never
// sees the release; hiding it stops the repeat here too.
void ViewCommands::navigatorScrollReleased() {
    held_.fill(false);
    repeat_.stop();
}

void ViewCommands::navigatorScrollTick() {
    for (ScrollDirection d : {ScrollDirection::Left, ScrollDirection::Right, ScrollDirection::Up,
                              ScrollDirection::Down}) {
        if (held_[heldIndex(d)]) {
            scroll(d);
            env_.returnFocus();
            return;
        }
    }
}

void ViewCommands::navigatorZoomIn() {
    zoomIn();
    env_.returnFocus();
}

void ViewCommands::navigatorZoomOut() {
    zoomOut();
    env_.returnFocus();
}

void ViewCommands::navigatorHome() {
    Document& doc = env_.document();
    const PersonRecord* home = doc.persons().personListHead();
    if (home != nullptr) {
        doc.setCurrentPerson(home);
        zoomToCurrentPerson();
    }
    env_.returnFocus();
}

}  // namespace lineara
