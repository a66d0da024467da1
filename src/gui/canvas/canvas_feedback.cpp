#include "gui/canvas/canvas_feedback.h"

#include <QPainter>
#include <algorithm>
#include <limits>

#include "core/view/view_math.h"
#include "gui/canvas/tree_canvas.h"
#include "render/painter/line_painter.h"
#include "render/painter/tree_painter.h"

namespace lineara {

namespace {

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

int32_t saturate(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

void invertBand(TreeCanvas& canvas, const ViewState& view, TreePoint a, TreePoint b, bool solid) {
    const QPoint pa = pixelOf(view, a.x, a.y);
    const QPoint pb = pixelOf(view, b.x, b.y);
    const int l = std::min(pa.x(), pb.x()), r = std::max(pa.x(), pb.x());
    const int t = std::min(pa.y(), pb.y()), btm = std::max(pa.y(), pb.y());
    const LinePattern pattern = solid ? kSolidLine : kDottedLine;
    Inverter inv(canvas);
    inv.line(QPoint(l, t), QPoint(r, t), pattern);
    inv.line(QPoint(r, t), QPoint(r, btm), pattern);
    inv.line(QPoint(r, btm), QPoint(l, btm), pattern);
    inv.line(QPoint(l, btm), QPoint(l, t), pattern);
}

void invertLinkLine(TreeCanvas& canvas, const ViewState& view, const PersonRecord& from,
                    TreePoint end) {
    Inverter inv(canvas);
    inv.line(
        pixelOf(view, int64_t(from.posX()) + kBoxWidth / 2, int64_t(from.posY()) + kBoxHeight / 2),
        pixelOf(view, end.x, end.y), kSolidLine);
}

void invertSelection(TreeCanvas& canvas, const PersonList& persons, const ViewState& view) {
    Inverter inv(canvas);
    paintSelected(inv.painter(), persons, view);
}

void invertPersonBox(TreeCanvas& canvas, const PersonRecord& person, const ViewState& view) {
    Inverter inv(canvas);
    invertBox(inv.painter(), person, view);
}

void drawPanPicture(TreeCanvas& canvas, const PersonList& persons, const ViewState& view) {
    QPainter painter(&canvas.picture());
    paintPanPicture(painter, canvas.picture().size(), persons, view);
}

}  // namespace lineara
