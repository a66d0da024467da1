// The mouse moving over the canvas: hover hints, panning, the link rubber
// line, dragging boxes and the rubber band, each drawn as inverted
// feedback over the last painted picture (see canvas_feedback.h).
#include <QToolTip>

#include "core/view/view_math.h"
#include "gui/canvas/canvas_feedback.h"
#include "gui/canvas/canvas_interaction.h"
#include "gui/canvas/tree_canvas.h"
#include "render/platform/record_codec.h"

namespace lineara {

void CanvasInteraction::move(QPoint pixel) {
    if (buttonHeld_) {
        hideHint();
    } else if (!isPanning(state_) && !isDragging(state_) && !isBand(state_) &&
               env_.settings().showHints) {
        showHoverHint(pixel);
    }
    if (isPanning(state_)) panTo(pixel);
    mouse_ = treePoint(pixel);
    Document& doc = env_.document();
    const PersonRecord* current = doc.persons().currentPerson();
    if (current == nullptr) {
        if (isBand(state_)) moveBand();
        return;
    }
    if (const auto* pending = std::get_if<gesture::PressPending>(&state_);
        pending &&
        passesDragThreshold(*current, pending->grab.x, pending->grab.y, mouse_.x, mouse_.y)) {
        // The boxes follow the mouse from here on; they become one step
        // when the button is released, or go back on Escape.
        if (current->selected()) {
            doc.beginLiveMove({doc.persons().selection().begin(), doc.persons().selection().end()});
        } else {
            doc.beginLiveMove({current});
        }
        setState(gesture::Dragging{pending->grab, false});
    }
    if (waitingLink(state_)) moveLinkLine();
    if (isDragging(state_)) moveDraggedBoxes();
    if (isBand(state_)) moveBand();
}

void CanvasInteraction::hideHint() {
    hintShown_ = false;
    QToolTip::hideText();
}

// The hint shows who is under the mouse. When the text changes while a
// hint is up, it goes away for one move, so that the next move shows the
// new text afresh rather than the old tip with new words.
void CanvasInteraction::showHoverHint(QPoint pixel) {
    const TreePoint at = treePoint(pixel);
    const PersonRecord* r = boxUnderMouse(env_.document().persons(), state_, at.x, at.y);
    if (r == nullptr) {
        hideHint();
        env_.setStatusText(QString());
        return;
    }
    const RecordCodec& codec = env_.codec();
    auto text = [&codec, r](TextField f) { return codec.decode(r->text(f)); };
    const QString names = text(field::givenNames) + QLatin1Char(' ') + text(field::surname);
    const QString dates = QLatin1Char('(') + text(field::birthDate) + QStringLiteral(" - ") +
                          text(field::deathDate) + QLatin1Char(')');
    const QString sex = text(field::sex).toUpper() == QStringLiteral("M")
                            ? CanvasInteraction::tr("[Male]")
                            : CanvasInteraction::tr("[Female]");
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
        TreeCanvas& canvas = env_.canvas();
        QToolTip::showText(canvas.mapToGlobal(pixel), shown, &canvas);
    }
    env_.setStatusText(names + QLatin1Char(' ') + dates);
}

// Each move is rounded on its own, so the view follows the mouse in whole
// tree units.
void CanvasInteraction::panTo(QPoint pixel) {
    auto& pan = std::get<gesture::Panning>(state_);
    ViewState& view = env_.view();
    const double z = zoomFactor(view);
    view.scrollX = saturate(view.scrollX - roundHalfEven((pan.last.x() - pixel.x()) / z));
    view.scrollY = saturate(view.scrollY - roundHalfEven((pan.last.y() - pixel.y()) / z));
    drawPanPicture(env_.canvas(), env_.document().persons(), view);
    env_.canvas().update();
    pan.last = pixel;
}

void CanvasInteraction::moveLinkLine() {
    auto& link = std::get<gesture::LinkWaiting>(state_);
    const PersonRecord& from = *env_.document().persons().currentPerson();
    TreeCanvas& canvas = env_.canvas();
    invertLinkLine(canvas, env_.view(), from, link.lineEnd);
    link.lineEnd = mouse_;
    invertLinkLine(canvas, env_.view(), from, link.lineEnd);
    canvas.update();
}

// The box (or the whole selection) lands on the grid. A single box is
// shown as an inverted rectangle; a selection moves its highlight, and the
// boxes themselves are painted at their new places on the release.
void CanvasInteraction::moveDraggedBoxes() {
    const TreePoint grab = std::get<gesture::Dragging>(state_).grab;
    Document& doc = env_.document();
    const PersonRecord* box = doc.persons().currentPerson();
    const int32_t tx = snapToGrid(mouse_.x, grab.x);
    const int32_t ty = snapToGrid(mouse_.y, grab.y);
    TreeCanvas& canvas = env_.canvas();
    const ViewState& view = env_.view();
    if (box->selected()) {
        const int64_t dx = int64_t(tx) - box->posX();
        const int64_t dy = int64_t(ty) - box->posY();
        if (dx == 0 && dy == 0) return;
        invertSelection(canvas, doc.persons(), view);
        for (const PersonRecord* r : doc.persons().selection()) {
            doc.moveLive(r, saturate(r->posX() + dx), saturate(r->posY() + dy));
        }
        invertSelection(canvas, doc.persons(), view);
    } else {
        if (box->posX() == tx && box->posY() == ty) return;
        invertPersonBox(canvas, *box, view);
        doc.moveLive(box, tx, ty);
        invertPersonBox(canvas, *box, view);
    }
    canvas.update();
}

// In the zoom-to-area mode the band keeps the window's proportions, so
// that what it encloses is what the window will show.
void CanvasInteraction::moveBand() {
    auto& band = std::get<gesture::Band>(state_);
    TreeCanvas& canvas = env_.canvas();
    invertBand(canvas, env_.view(), band.fixed, band.moving, band.areaZoom);
    int32_t y = mouse_.y;
    const QSize window = canvas.size();
    if (band.areaZoom && window.width() > 0) {
        y = saturate(roundHalfEven(double(window.height()) / window.width() *
                                       (int64_t(mouse_.x) - band.fixed.x) +
                                   band.fixed.y));
    }
    band.moving = TreePoint{mouse_.x, y};
    invertBand(canvas, env_.view(), band.fixed, band.moving, band.areaZoom);
    canvas.update();
}

}  // namespace lineara
