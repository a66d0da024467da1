#include "gui/canvas/tree_canvas.h"

#include <QPaintEvent>
#include <QPainter>

namespace lineara {

TreeCanvas::TreeCanvas(QWidget* parent) : QWidget(parent) {
    // Every pixel comes from the picture; nothing needs clearing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A click on the drawing takes the keyboard back from wherever it was,
    // a menu bar left in its keyboard mode included. The canvas handles no
    // keys itself, so they go on to the main window as before.
    setFocusPolicy(Qt::ClickFocus);
}

void TreeCanvas::setRenderer(Renderer renderer) { renderer_ = std::move(renderer); }

void TreeCanvas::renderNow() {
    const QSize wanted = size().expandedTo(QSize(1, 1));
    if (picture_.size() != wanted) picture_ = QImage(wanted, QImage::Format_RGB32);
    if (renderer_) {
        renderer_(picture_);
    } else {
        picture_.fill(palette().color(QPalette::Window));
    }
    update();
}

void TreeCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // The picture is in device pixels of a scale of 1; the window system
    // scales it on high-density screens like any other widget content.
    painter.drawImage(event->rect(), picture_, event->rect());
}

void TreeCanvas::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Qt also sends resize events that change nothing (for instance to a
    // hidden widget being grabbed); those must not wipe the feedback.
    if (picture_.size() != size().expandedTo(QSize(1, 1))) renderNow();
}

}  // namespace lineara
