#include "render/tree_image/tile_device.h"

#include <QPaintEngine>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace lineara {

class TileDevice::Engine : public QPaintEngine {
public:
    Engine(QPainter& target, const QRect& tile, bool clips)
        : QPaintEngine(QPaintEngine::AllFeatures), target_(target), tile_(tile), clips_(clips) {}

    bool begin(QPaintDevice*) override {
        target_.save();
        target_.translate(tile_.topLeft());
        base_ = target_.transform();
        if (clips_) target_.setClipRect(QRect(QPoint(0, 0), tile_.size()));
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
        if (dirty & QPaintEngine::DirtyTransform) target_.setTransform(state.transform() * base_);
        if (dirty & QPaintEngine::DirtyHints) target_.setRenderHints(state.renderHints());
        if (dirty & QPaintEngine::DirtyOpacity) target_.setOpacity(state.opacity());
        if (dirty & QPaintEngine::DirtyBackground) target_.setBackground(state.backgroundBrush());
        if (dirty & QPaintEngine::DirtyBackgroundMode) {
            target_.setBackgroundMode(state.backgroundMode());
        }
        if (clips_ && (dirty & (QPaintEngine::DirtyClipEnabled | QPaintEngine::DirtyClipRegion |
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
        target_.drawRects(rects, count);
    }
    void drawRects(const QRectF* rects, int count) override {
        if (gathers()) {
            for (int i = 0; i < count; ++i) addFill(rects[i]);
            return;
        }
        flush();
        use();
        target_.drawRects(rects, count);
    }
    void drawTextItem(const QPointF& p, const QTextItem& item) override {
        flush();
        use();
        target_.drawTextItem(p, item);
    }
    void drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF& sr) override {
        flush();
        target_.drawPixmap(r, pixmap, sr);
    }
    void drawImage(const QRectF& r, const QImage& image, const QRectF& sr,
                   Qt::ImageConversionFlags flags) override {
        flush();
        target_.drawImage(r, image, sr, flags);
    }
    void drawPath(const QPainterPath& path) override {
        flush();
        use();
        target_.drawPath(path);
    }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
        flush();
        use();
        if (mode == PolylineMode) {
            target_.drawPolyline(points, count);
        } else {
            target_.drawPolygon(points, count,
                                mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
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
        target_.drawLines(lines, count);
    }
    void drawLines(const QLine* lines, int count) override {
        flush();
        use();
        target_.drawLines(lines, count);
    }
    void drawPoints(const QPointF* points, int count) override {
        flush();
        use();
        target_.drawPoints(points, count);
    }
    void drawEllipse(const QRectF& r) override {
        flush();
        use();
        target_.drawEllipse(r);
    }

private:
    // A plain fill without an outline: a rectangle to gather.
    bool gathers() const { return pen_.style() == Qt::NoPen && brush_.style() == Qt::SolidPattern; }
    // Fills (boxes, the background) are gathered while they have one
    // colour, and drawn before anything else comes, in the painter's order.
    template <typename Rect>
    void addFill(const Rect& r) {
        endChain();
        flushLines();
        if (!fill_.isEmpty() && brush_.color() != fillColour_) flushFill();
        fillColour_ = brush_.color();
        fill_.addRect(r);
    }
    // Lines a pixel wide are gathered by colour, each colour in one path,
    // drawn in the order the colours first came: where lines of different
    // colours cross, the later colour lies on top throughout (the mother's
    // line over the father's, as on the canvas where they share a stub).
    QPainterPath& linePath(const QColor& colour) {
        for (auto& [c, path] : lines_) {
            if (c == colour) return path;
        }
        lines_.emplace_back(colour, QPainterPath());
        lines_.back().second.setFillRule(Qt::WindingFill);
        return lines_.back().second;
    }
    void use() {
        target_.setPen(pen_);
        target_.setBrush(brush_);
    }
    // A sloping line arrives as runs of pixels, one rectangle each, every
    // run a row and a column on from the one before: the runs of one line
    // are joined into one straight band a pixel wide from its first pixel
    // to its last, which stays a sharp line at any size where the steps
    // would not. Straight lines and the dashes of dotted ones are single
    // rectangles and stay so.
    void gather(const QRect& r) {
        if (r.height() != 1 && r.width() != 1) {
            addFill(r);
            return;
        }
        flushFill();
        if (!chain_.empty() && (brush_.color() != chainColour_ || !continues(r))) endChain();
        chainColour_ = brush_.color();
        if (chain_.size() == 1) {
            stepX_ = sign(r.center().x() - chain_[0].center().x());
            stepY_ = sign(r.center().y() - chain_[0].center().y());
        }
        if (chain_.empty()) chainLongest_ = 0;
        if (!chain_.empty()) chainLongest_ = std::max(chainLongest_, length(r));
        if (chain_.empty() || chainWay_ == 0) chainWay_ = way(r);
        chain_.push_back(r);
    }
    static int sign(int v) { return (v > 0) - (v < 0); }
    static int length(const QRect& run) { return std::max(run.width(), run.height()); }
    // 1: a run across, 2: a run down, 0: a single pixel, either.
    static int way(const QRect& run) { return run.width() > 1 ? 1 : run.height() > 1 ? 2 : 0; }
    // The next run of the same line: thin, touching the last one at a
    // corner (no row and no column in common), on in the same direction,
    // lying the same way (across or down) and of the same length within a
    // pixel; only a line's first and last runs may be shorter. A stub
    // meeting a slope at its end is another line and stays apart.
    bool continues(const QRect& r) const {
        if (r.height() != 1 && r.width() != 1) return false;
        const QRect& last = chain_.back();
        const bool rowApart = r.top() == last.bottom() + 1 || r.bottom() + 1 == last.top();
        const bool columnApart = r.left() == last.right() + 1 || r.right() + 1 == last.left();
        if (!rowApart || !columnApart) return false;
        if (length(r) > 1 && chainWay_ != 0 && chainWay_ != way(r)) return false;
        if (chain_.size() < 2) return length(chain_[0]) <= length(r) + 1;
        if (length(r) > chainLongest_ + 1) return false;
        return sign(r.center().x() - last.center().x()) == stepX_ &&
               sign(r.center().y() - last.center().y()) == stepY_;
    }
    // The pixel of a run farthest from a point beside it.
    static QPointF farEnd(const QRect& run, const QRect& beside) {
        const QPoint a = run.topLeft();
        const QPoint b = run.width() >= run.height() ? run.topRight() : run.bottomLeft();
        const QPoint c = beside.center();
        const auto d = [c](QPoint p) {
            return (p.x() - c.x()) * (p.x() - c.x()) + (p.y() - c.y()) * (p.y() - c.y());
        };
        const QPoint far = d(a) >= d(b) ? a : b;
        return QPointF(far.x() + 0.5, far.y() + 0.5);
    }
    void endChain() {
        if (chain_.empty()) return;
        QPainterPath& path = linePath(chainColour_);
        if (chain_.size() == 1) path.addRect(chain_[0]);
        if (chain_.size() >= 2) {
            const QPointF from = farEnd(chain_.front(), chain_[1]);
            const QPointF to = farEnd(chain_.back(), chain_[chain_.size() - 2]);
            const QPointF along = to - from;
            const double length = std::hypot(along.x(), along.y());
            const QPointF d = along / length * 0.5;  // half a pixel along
            const QPointF n(-d.y(), d.x());          // and across
            QPointF corners[] = {from - d - n, to + d - n, to + d + n, from - d + n};
            // Clockwise, as addRect's outlines run, so that with the
            // winding rule overlapping pieces add up instead of cutting
            // holes into each other.
            double area = 0;
            for (int i = 0; i < 4; ++i) {
                const QPointF& p = corners[i];
                const QPointF& q = corners[(i + 1) % 4];
                area += p.x() * q.y() - q.x() * p.y();
            }
            if (area < 0) std::swap(corners[1], corners[3]);
            path.moveTo(corners[0]);
            for (int i = 1; i < 4; ++i) path.lineTo(corners[i]);
            path.closeSubpath();
        }
        chain_.clear();
    }
    void flushLines() {
        for (auto& [colour, path] : lines_) draw(path, colour);
        lines_.clear();
    }
    void flushFill() {
        draw(fill_, fillColour_);
        fill_.clear();
    }
    void draw(const QPainterPath& path, const QColor& colour) {
        if (path.isEmpty()) return;
        target_.setPen(Qt::NoPen);
        target_.setBrush(colour);
        target_.drawPath(path);
    }
    void flush() {
        endChain();
        flushLines();
        flushFill();
    }
    // The painter's clip, within the tile's.
    void updateClip(const QPaintEngineState& state) {
        target_.setClipRect(QRect(QPoint(0, 0), tile_.size()));
        if (!state.isClipEnabled()) return;
        const QTransform transform = target_.transform();
        target_.setTransform(base_);
        if (state.state() & QPaintEngine::DirtyClipPath) {
            target_.setClipPath(state.clipPath(), Qt::IntersectClip);
        } else if (!state.clipRegion().isEmpty()) {
            target_.setClipRegion(state.clipRegion(), Qt::IntersectClip);
        }
        target_.setTransform(transform);
    }

    QPainter& target_;
    QRect tile_;
    bool clips_;
    QTransform base_;
    QPen pen_;
    QBrush brush_;
    std::vector<std::pair<QColor, QPainterPath>> lines_;
    QPainterPath fill_;
    QColor fillColour_;
    std::vector<QRect> chain_;
    QColor chainColour_;
    int stepX_ = 0;
    int stepY_ = 0;
    int chainWay_ = 0;      // how its runs lie, once one is longer than a pixel
    int chainLongest_ = 0;  // its longest run but the first
};

TileDevice::TileDevice(QPainter& target, const QRect& tile, bool clips)
    : target_(target), tile_(tile), engine_(std::make_unique<Engine>(target, tile, clips)) {}

TileDevice::~TileDevice() = default;

QPaintEngine* TileDevice::paintEngine() const { return engine_.get(); }

int TileDevice::metric(PaintDeviceMetric metric) const {
    switch (metric) {
    case PdmWidth:
        return tile_.width();
    case PdmHeight:
        return tile_.height();
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        // Fonts are sized in pixels of the picture, as on the screen.
        return 96;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(QPaintDevice::devicePixelRatioFScale());
    case PdmNumColors:
        return INT_MAX;
    case PdmDepth:
        return 32;
    case PdmWidthMM:
        return tile_.width() * 254 / 960;
    case PdmHeightMM:
        return tile_.height() * 254 / 960;
    }
    return 0;
}

}  // namespace lineara
