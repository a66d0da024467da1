#include "render/tree_image/tile_device.h"

#include <QPaintEngine>
#include <QPainterPath>
#include <QRegion>
#include <optional>
#include <vector>

#include "render/painter/text_ink.h"
#include "render/tree_image/picture_metrics.h"
#include "render/tree_image/run_chain.h"

namespace lineara {

class TileDevice::Engine : public QPaintEngine {
public:
    Engine(QPainter& target, const QRect& tile)
        : QPaintEngine(QPaintEngine::AllFeatures), target_(target), tile_(tile) {}

    bool begin(QPaintDevice*) override {
        target_.save();
        base_ = target_.transform();
        const QPaintEngine* engine = target_.paintEngine();
        rectangles_ = engine != nullptr && engine->type() == QPaintEngine::Pdf;
        wantedClip_ = QRect(QPoint(0, 0), tile_.size());
        clipSet_ = false;
        untransformed_ = true;
        return true;
    }
    bool end() override {
        flush();
        target_.restore();
        return true;
    }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState& state) override {
        const QPaintEngine::DirtyFlags dirty = state.state();
        // Pen and brush change around every filled rectangle; anything
        // else ends the gathered path.
        if (dirty & ~(QPaintEngine::DirtyPen | QPaintEngine::DirtyBrush)) flush();
        if (dirty & QPaintEngine::DirtyPen) pen_ = state.pen();
        if (dirty & QPaintEngine::DirtyBrush) brush_ = state.brush();
        if (dirty & QPaintEngine::DirtyFont) target_.setFont(state.font());
        if (dirty & QPaintEngine::DirtyTransform) {
            untransformed_ = state.transform().isIdentity();
            // See shift().
            target_.setTransform(untransformed_
                                     ? base_
                                     : state.transform() *
                                           QTransform::fromTranslate(tile_.x(), tile_.y()) * base_);
        }
        if (dirty & QPaintEngine::DirtyHints) target_.setRenderHints(state.renderHints());
        if (dirty & QPaintEngine::DirtyOpacity) target_.setOpacity(state.opacity());
        if (dirty & QPaintEngine::DirtyBackground) target_.setBackground(state.backgroundBrush());
        if (dirty & QPaintEngine::DirtyBackgroundMode) {
            target_.setBackgroundMode(state.backgroundMode());
        }
        if ((dirty & (QPaintEngine::DirtyClipEnabled | QPaintEngine::DirtyClipRegion |
                      QPaintEngine::DirtyClipPath))) {
            updateClip(state);
        }
    }

    void drawRects(const QRect* rects, int count) override {
        if (gathers()) {
            for (int i = 0; i < count; ++i) gather(rects[i]);
            return;
        }
        flush();
        use();
        std::vector<QRectF> placed(rects, rects + count);
        target_.drawRects(onTarget(placed).data(), count);
    }
    void drawRects(const QRectF* rects, int count) override {
        if (gathers()) {
            for (int i = 0; i < count; ++i) addFill(rects[i]);
            return;
        }
        flush();
        use();
        std::vector<QRectF> placed(rects, rects + count);
        target_.drawRects(onTarget(placed).data(), count);
    }
    void drawTextItem(const QPointF& p, const QTextItem& item) override {
        flush();
        const std::optional<QRectF> ink = untransformed_ ? inks_.bounds(p, item) : std::nullopt;
        applyClip(ink ? &*ink : nullptr);
        target_.setPen(pen_);
        target_.setBrush(brush_);
        target_.drawTextItem(p + shift(), item);
    }
    void drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF& sr) override {
        flush();
        applyClip();
        target_.drawPixmap(r.translated(shift()), pixmap, sr);
    }
    void drawImage(const QRectF& r, const QImage& image, const QRectF& sr,
                   Qt::ImageConversionFlags flags) override {
        flush();
        applyClip();
        target_.drawImage(r.translated(shift()), image, sr, flags);
    }
    void drawPath(const QPainterPath& path) override {
        flush();
        use();
        target_.drawPath(path.translated(shift()));
    }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
        flush();
        use();
        const QPolygonF placed =
            QPolygonF(QList<QPointF>(points, points + count)).translated(shift());
        if (mode == PolylineMode) {
            target_.drawPolyline(placed);
        } else {
            target_.drawPolygon(placed, mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
        }
    }
    void drawPolygon(const QPoint* points, int count, PolygonDrawMode mode) override {
        QPolygonF polygon;
        for (int i = 0; i < count; ++i) polygon << QPointF(points[i]);
        drawPolygon(polygon.constData(), count, mode);
    }
    void drawLines(const QLineF* lines, int count) override {
        flush();
        use();
        std::vector<QLineF> placed(lines, lines + count);
        target_.drawLines(onTarget(placed).data(), count);
    }
    void drawLines(const QLine* lines, int count) override {
        std::vector<QLineF> placed(lines, lines + count);
        drawLines(placed.data(), count);
    }
    void drawPoints(const QPointF* points, int count) override {
        flush();
        use();
        std::vector<QPointF> placed(points, points + count);
        for (QPointF& p : placed) p += shift();
        target_.drawPoints(placed.data(), count);
    }
    void drawEllipse(const QRectF& r) override {
        flush();
        use();
        target_.drawEllipse(r.translated(shift()));
    }

private:
    // The tile's place on the target is added to what the painter draws
    // as it stands; only a painter that transforms its drawing gives the
    // target a transformation (a PDF page writes one around every call).
    QPointF shift() const { return untransformed_ ? QPointF(tile_.topLeft()) : QPointF(); }
    // Rectangles or lines of the tile, moved to their place on the target.
    template <typename Shape>
    std::vector<Shape>& onTarget(std::vector<Shape>& shapes) const {
        if (!shift().isNull()) {
            for (Shape& shape : shapes) shape.translate(shift());
        }
        return shapes;
    }
    // A plain fill without an outline: a rectangle to gather.
    bool gathers() const { return pen_.style() == Qt::NoPen && brush_.style() == Qt::SolidPattern; }
    // Fills (boxes, the background) are gathered while they have one
    // colour, and drawn before anything else comes, in the painter's order.
    template <typename Rect>
    void addFill(const Rect& r) {
        endChain();
        flushLines();
        if (!fills_.empty() && brush_.color() != fillColour_) flushFill();
        fillColour_ = brush_.color();
        fills_.emplace_back(r);
    }
    // Lines a pixel wide are gathered by colour, drawn in the order the
    // colours first came: where lines of different colours cross, the
    // later colour lies on top throughout (the mother's line over the
    // father's, as on the canvas where they share a stub).
    LineGroup& lineGroup(const QColor& colour) {
        for (LineGroup& group : lines_) {
            if (group.colour == colour) return group;
        }
        lines_.push_back(LineGroup{colour, {}, {}, {}});
        return lines_.back();
    }
    void use() {
        applyClip();
        target_.setPen(pen_);
        target_.setBrush(brush_);
    }
    // Thin rectangles are runs of the pixels of lines (see RunChain).
    void gather(const QRect& r) {
        if (r.height() != 1 && r.width() != 1) {
            addFill(r);
            return;
        }
        flushFill();
        if (!chain_.empty() && (brush_.color() != chainColour_ || !chain_.continues(r))) {
            endChain();
        }
        chainColour_ = brush_.color();
        chain_.add(r);
    }
    void endChain() {
        if (chain_.empty()) return;
        if (rectangles_ && chain_.single()) {
            addStraight(chain_.takeSingle());
            return;
        }
        chain_.endInto(lineGroup(chainColour_));
    }
    // A straight piece of a line on a PDF page: perhaps a dash of a dotted
    // one (see DashRow).
    void addStraight(const QRect& run) {
        if (!dashes_.empty() && (chainColour_ != dashColour_ || !dashes_.continues(run))) {
            endDashes();
        }
        if (dashes_.empty()) lineGroup(chainColour_);  // the colour's place in the order
        dashColour_ = chainColour_;
        dashes_.add(run);
    }
    void endDashes() {
        if (!dashes_.empty()) dashes_.endInto(lineGroup(dashColour_));
    }
    void flushLines() {
        endDashes();
        for (const LineGroup& group : lines_) {
            if (!rectangles_) {
                fillWith(group.colour);
                target_.drawPath(outlineOf(group).translated(shift()));
                continue;
            }
            fill(group.rects, group.colour);
            if (!group.bands.empty()) {
                // A band is a line a pixel wide with square ends: stroked,
                // it costs a PDF page two points instead of five.
                applyClip();
                target_.setPen(
                    QPen(group.colour, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
                target_.setBrush(Qt::NoBrush);
                std::vector<QLineF> bands = group.bands;
                target_.drawLines(onTarget(bands).data(), int(bands.size()));
            }
            drawDashed(group);
        }
        lines_.clear();
    }
    // Dotted lines of one pattern in one call: a PDF page starts the
    // pattern afresh at the start of each line.
    void drawDashed(const LineGroup& group) {
        std::vector<QLineF> lines;
        for (size_t i = 0; i < group.dashes.size(); ++i) {
            const DashedBand& dashed = group.dashes[i];
            lines.push_back(dashed.line);
            const bool last = i + 1 == group.dashes.size();
            if (!last && group.dashes[i + 1].on == dashed.on &&
                group.dashes[i + 1].off == dashed.off) {
                continue;
            }
            applyClip();
            QPen pen(group.colour, 1.0, Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
            pen.setDashPattern({qreal(dashed.on), qreal(dashed.off)});
            target_.setPen(pen);
            target_.setBrush(Qt::NoBrush);
            target_.drawLines(onTarget(lines).data(), int(lines.size()));
            lines.clear();
        }
    }
    void flushFill() {
        fill(fills_, fillColour_);
        fills_.clear();
    }
    // Rectangles go to a PDF page in one call, each written as a single
    // rectangle operator where a path would cost it five points; other
    // targets (an SVG generator) would make each an element of its own, and
    // take them as one path.
    void fill(const std::vector<QRectF>& rects, const QColor& colour) {
        if (rects.empty()) return;
        QRectF bounds = rects.front();
        for (const QRectF& r : rects) bounds |= r;
        applyClip(untransformed_ ? &bounds : nullptr);
        fillWith(colour);
        if (rectangles_) {
            std::vector<QRectF> placed = rects;
            target_.drawRects(onTarget(placed).data(), int(placed.size()));
            return;
        }
        QPainterPath path;
        for (const QRectF& r : rects) path.addRect(r.translated(shift()));
        target_.drawPath(path);
    }
    // A colour set again would be written again.
    void fillWith(const QColor& colour) {
        applyClip();
        if (target_.pen().style() != Qt::NoPen) target_.setPen(Qt::NoPen);
        const QBrush& brush = target_.brush();
        if (brush.style() != Qt::SolidPattern || brush.color() != colour) target_.setBrush(colour);
    }
    void flush() {
        endChain();
        flushLines();
        flushFill();
    }
    // The painter's clip, within the tile's. It is passed on only when
    // something is drawn under it: the painter clips every line of text
    // and lifts the clip after it, and every clip given to a PDF page
    // makes it write the whole graphics state again.
    void updateClip(const QPaintEngineState& state) {
        const QPaintEngine::DirtyFlags dirty = state.state();
        if (dirty & QPaintEngine::DirtyClipPath) {
            painterPath_ = state.clipPath();
            painterRegion_ = QRegion();
        } else if (dirty & QPaintEngine::DirtyClipRegion) {
            painterRegion_ = state.clipRegion();
            painterPath_ = QPainterPath();
        }
        QRect clip(QPoint(0, 0), tile_.size());
        QPainterPath path;
        if (state.isClipEnabled()) {
            if (!painterPath_.isEmpty()) {
                path = painterPath_;
            } else if (painterRegion_.rectCount() == 1) {
                clip &= painterRegion_.boundingRect();
            } else if (!painterRegion_.isEmpty()) {
                path.addRegion(painterRegion_);
            }
        }
        if (clip == wantedClip_ && path.isEmpty() && wantedPath_.isEmpty()) return;
        wantedClip_ = clip;
        wantedPath_ = path;
        clipSet_ = false;
    }
    // `ink`, when known, holds all that is about to be drawn, in the
    // tile's pixels as the clip is (so only while the painter draws
    // untransformed, as the tree's painter does): where it
    // lies within both the clip in place and the one wanted, either clip
    // leaves it whole, and the one in place stays.
    void applyClip(const QRectF* ink = nullptr) {
        if (clipSet_) return;
        if (ink != nullptr && wantedPath_.isEmpty() && !appliedPath_ &&
            QRectF(wantedClip_).contains(*ink) && QRectF(appliedClip_).contains(*ink)) {
            return;
        }
        clipSet_ = true;
        appliedClip_ = wantedClip_;
        appliedPath_ = !wantedPath_.isEmpty();
        const QTransform transform = target_.transform();
        const bool moved = transform != base_;
        if (moved) target_.setTransform(base_);
        target_.setClipRect(wantedClip_.translated(tile_.topLeft()));
        if (!wantedPath_.isEmpty()) {
            target_.setClipPath(wantedPath_.translated(tile_.topLeft()), Qt::IntersectClip);
        }
        if (moved) target_.setTransform(transform);
    }

    QPainter& target_;
    QRect tile_;
    bool rectangles_ = false;
    QTransform base_;            // the target's own, without the tile's place
    bool untransformed_ = true;  // the painter's drawing, on the tile
    QPen pen_;
    QBrush brush_;
    std::vector<LineGroup> lines_;
    std::vector<QRectF> fills_;
    QColor fillColour_;
    RunChain chain_;
    QColor chainColour_;
    DashRow dashes_;
    QColor dashColour_;
    // The painter's last clip, and the one to give the target (in the
    // tile's pixels) next time something is drawn.
    QRegion painterRegion_;
    QPainterPath painterPath_;
    QRect wantedClip_;
    QPainterPath wantedPath_;
    bool clipSet_ = false;
    QRect appliedClip_;  // empty before the first: nothing lies in it
    bool appliedPath_ = false;
    TextInk inks_;
};

TileDevice::TileDevice(QPainter& target, const QRect& tile)
    : target_(target), tile_(tile), engine_(std::make_unique<Engine>(target, tile)) {}

TileDevice::~TileDevice() = default;

QPaintEngine* TileDevice::paintEngine() const { return engine_.get(); }

int TileDevice::metric(PaintDeviceMetric metric) const {
    return pictureMetric(metric, tile_.size());
}

}  // namespace lineara
