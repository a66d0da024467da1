// The mouse moving over the canvas: hover hints, panning, the link rubber
// line, dragging boxes and the rubber band, each drawn as inverted
// feedback over the last painted picture (see main_window_mouse.cpp).
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <limits>

#include "core/model/editing.h"
#include "core/view/hit_test.h"
#include "core/view/view_math.h"
#include "gui/canvas/tree_canvas.h"
#include "gui/main_window/main_window.h"
#include "gui/render/line_painter.h"
#include "gui/render/tree_painter.h"

namespace lineara {

namespace {

int32_t saturate(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

QPoint pixelOf(const ViewState& view, int64_t treeX, int64_t treeY) {
    const PixelPoint p = treeToPixel(view, treeX, treeY);
    return QPoint(clampPixel(p.x), clampPixel(p.y));
}

// A painter over the canvas picture in which every pixel drawn white
// becomes the inverse of what was there.
class Inverter {
public:
    explicit Inverter(TreeCanvas& canvas) : image_(canvas.picture()), painter_(&image_) {
        painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    }
    void line(QPoint from, QPoint to, LinePattern pattern) {
        drawLineTo(painter_, from, to, Qt::white, pattern, image_.size());
    }
    QPainter& painter() { return painter_; }

private:
    QImage& image_;
    QPainter painter_;
};

}  // namespace

void TZudezezor::FormMouseMove(QPoint pixel) {
    if (buttonHeld_) {
        hideHoverHint();
    } else if (!gestures_.panning && !gestures_.dragging && !gestures_.rubberBand &&
               ctx_.settings.showHints) {
        showHoverHint(pixel);
    }
    if (gestures_.panning) panTo(pixel);
    gestures_.mouseTreeX = pixelToTreeX(view_, pixel.x());
    gestures_.mouseTreeY = pixelToTreeY(view_, pixel.y());
    const PersonRecord* current = doc_.persons().currentPerson();
    if (gestures_.dragPending && current != nullptr &&
        passesDragThreshold(*current, gestures_.gestureRefX, gestures_.gestureRefY,
                            gestures_.mouseTreeX, gestures_.mouseTreeY)) {
        // The boxes follow the mouse from here on; they become one step
        // when the button is released, or go back on Escape. A carried new
        // box is not a move: Escape takes its whole creation back.
        if (!gestures_.newPersonPending) {
            if (current->selected()) {
                doc_.beginLiveMove(
                    {doc_.persons().selection().begin(), doc_.persons().selection().end()});
            } else {
                doc_.beginLiveMove({current});
            }
        }
        gestures_.dragging = true;
        gestures_.dragPending = false;
    }
    if (anyLinkPending(gestures_) && current != nullptr) moveLinkLine();
    if (gestures_.dragging && current != nullptr) moveDraggedBox();
    if (gestures_.rubberBand) moveRubberBand();
}

// The hint shows who is under the mouse. When the text changes while a
// hint is up, it goes away for one move, so that the next move shows the
// new text afresh rather than the old tip with new words.
void TZudezezor::showHoverHint(QPoint pixel) {
    const PersonRecord* r = boxUnderMouse(doc_.persons(), gestures_, pixelToTreeX(view_, pixel.x()),
                                          pixelToTreeY(view_, pixel.y()));
    if (r == nullptr) {
        hideHoverHint();
        setStatusText(QString());
        return;
    }
    auto text = [this, r](TextField f) { return ctx_.codec.decode(r->text(f)); };
    const QString names = text(field::givenNames) + QLatin1Char(' ') + text(field::surname);
    const QString dates = QLatin1Char('(') + text(field::birthDate) + QStringLiteral(" - ") +
                          text(field::deathDate) + QLatin1Char(')');
    const QString sex = text(field::sex).toUpper() == QStringLiteral("M")
                            ? QStringLiteral("[Male]")
                            : QStringLiteral("[Female]");
    const QString hint = names + QStringLiteral(" [") + QString::number(r->personId()) +
                         QStringLiteral("]\r\n") + dates + QStringLiteral("\r\n") + sex;
    if (hintShown_ && hintText_ != hint) {
        hintText_ = hint;
        hintShown_ = false;
        QToolTip::hideText();
    } else {
        hintText_ = hint;
        hintShown_ = true;
        QString shown = hint;
        shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QToolTip::showText(canvas_->mapToGlobal(pixel), shown, canvas_);
    }
    setStatusText(names + QLatin1Char(' ') + dates);
}

void TZudezezor::hideHoverHint() {
    hintShown_ = false;
    QToolTip::hideText();
}

// Each move is rounded on its own, so the view follows the mouse in whole
// tree units.
void TZudezezor::panTo(QPoint pixel) {
    const double z = zoomFactor(view_);
    view_.scrollX = saturate(view_.scrollX - roundHalfEven((gestures_.panLastX - pixel.x()) / z));
    view_.scrollY = saturate(view_.scrollY - roundHalfEven((gestures_.panLastY - pixel.y()) / z));
    drawPanPicture();
    gestures_.panLastX = pixel.x();
    gestures_.panLastY = pixel.y();
}

void TZudezezor::drawPanPicture() {
    QPainter painter(&canvas_->picture());
    paintPanPicture(painter, canvas_->picture().size(), doc_.persons(), view_);
    canvas_->update();
}

void TZudezezor::moveLinkLine() {
    invertLinkLine();
    gestures_.gestureLastX = gestures_.mouseTreeX;
    gestures_.gestureLastY = gestures_.mouseTreeY;
    invertLinkLine();
    canvas_->update();
}

// The box (or the whole selection) lands on the grid. A single box is
// shown as an inverted rectangle; a selection moves its highlight, and the
// boxes themselves are painted at their new places on the release.
void TZudezezor::moveDraggedBox() {
    const PersonRecord* box = doc_.persons().currentPerson();
    const int32_t tx = snapToGrid(gestures_.mouseTreeX, gestures_.gestureRefX);
    const int32_t ty = snapToGrid(gestures_.mouseTreeY, gestures_.gestureRefY);
    if (box->selected()) {
        const int64_t dx = int64_t(tx) - box->posX();
        const int64_t dy = int64_t(ty) - box->posY();
        if (dx == 0 && dy == 0) return;
        invertSelection();
        for (const PersonRecord* r : doc_.persons().selection()) {
            doc_.moveLive(r, saturate(r->posX() + dx), saturate(r->posY() + dy));
        }
        invertSelection();
    } else {
        if (box->posX() == tx && box->posY() == ty) return;
        invertPersonBox(*box);
        doc_.moveLive(box, tx, ty);
        invertPersonBox(*box);
    }
    canvas_->update();
}

// In the zoom-to-area mode the band keeps the window's proportions, so
// that what it encloses is what the window will show.
void TZudezezor::moveRubberBand() {
    invertBandRect();
    int32_t y = gestures_.mouseTreeY;
    const WindowExtent window = windowExtent();
    if (gestures_.areaZoom && window.width > 0) {
        y = saturate(roundHalfEven(double(window.height) / window.width *
                                       (int64_t(gestures_.mouseTreeX) - gestures_.gestureLastX) +
                                   gestures_.gestureLastY));
    }
    gestures_.gestureRefX = gestures_.mouseTreeX;
    gestures_.gestureRefY = y;
    invertBandRect();
    canvas_->update();
}

// --- inverted feedback ---

// The band between the fixed corner (gestureLast) and the moving one
// (gestureRef): dotted, or solid in the zoom-to-area mode. The four sides
// meet without drawing a corner twice, so drawing it again erases it.
void TZudezezor::invertBandRect() {
    const QPoint a = pixelOf(view_, gestures_.gestureLastX, gestures_.gestureLastY);
    const QPoint b = pixelOf(view_, gestures_.gestureRefX, gestures_.gestureRefY);
    const int l = std::min(a.x(), b.x()), r = std::max(a.x(), b.x());
    const int t = std::min(a.y(), b.y()), btm = std::max(a.y(), b.y());
    const LinePattern pattern = gestures_.areaZoom ? kSolidLine : kDottedLine;
    Inverter inv(*canvas_);
    inv.line(QPoint(l, t), QPoint(r, t), pattern);
    inv.line(QPoint(r, t), QPoint(r, btm), pattern);
    inv.line(QPoint(r, btm), QPoint(l, btm), pattern);
    inv.line(QPoint(l, btm), QPoint(l, t), pattern);
}

// From the centre of the current box to the last mouse point.
void TZudezezor::invertLinkLine() {
    const PersonRecord* from = doc_.persons().currentPerson();
    if (from == nullptr) return;
    Inverter inv(*canvas_);
    inv.line(pixelOf(view_, int64_t(from->posX()) + kBoxWidth / 2,
                     int64_t(from->posY()) + kBoxHeight / 2),
             pixelOf(view_, gestures_.gestureLastX, gestures_.gestureLastY), kSolidLine);
}

void TZudezezor::invertSelection() {
    Inverter inv(*canvas_);
    paintSelected(inv.painter(), doc_.persons(), view_);
}

void TZudezezor::invertPersonBox(const PersonRecord& person) {
    Inverter inv(*canvas_);
    invertBox(inv.painter(), person, view_);
}

}  // namespace lineara
