#include "render/tree_image/run_chain.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace lineara {

namespace {

int sign(int v) { return (v > 0) - (v < 0); }
int along(const QRect& r) { return std::max(r.width(), r.height()); }
int wayOf(const QRect& r) { return r.width() > 1 ? 1 : 2; }

// The pixel of a run farthest from a point beside it.
QPointF farEnd(const QRect& run, const QRect& beside) {
    const QPoint a = run.topLeft();
    const QPoint b = run.width() >= run.height() ? run.topRight() : run.bottomLeft();
    const QPoint c = beside.center();
    const auto d = [c](QPoint p) {
        return (p.x() - c.x()) * (p.x() - c.x()) + (p.y() - c.y()) * (p.y() - c.y());
    };
    const QPoint far = d(a) >= d(b) ? a : b;
    return QPointF(far.x() + 0.5, far.y() + 0.5);
}

}  // namespace

// The runs of one straight line lie the same way (a single pixel either
// way) and are all of one length or one more, but for the first and the
// last, which may be shorter: a longer run at either end is a line of its
// own, as the stub between a box and its line is, and joining it in would
// cut off the bend.
bool RunChain::continues(const QRect& r) const {
    if (r.height() != 1 && r.width() != 1) return false;
    const QRect& last = runs_.back();
    const bool rowApart = r.top() == last.bottom() + 1 || r.bottom() + 1 == last.top();
    const bool columnApart = r.left() == last.right() + 1 || r.right() + 1 == last.left();
    if (!rowApart || !columnApart) return false;
    if (way_ != 0 && along(r) > 1 && wayOf(r) != way_) return false;
    if (runs_.size() < 2) return along(runs_[0]) <= along(r) + 1;
    // The last run so far is now one in the middle.
    if (longest_ - shortest_ > 1 || along(r) > longest_ + 1) return false;
    return sign(r.center().x() - last.center().x()) == stepX_ &&
           sign(r.center().y() - last.center().y()) == stepY_;
}

void RunChain::add(const QRect& r) {
    if (runs_.size() == 1) {
        stepX_ = sign(r.center().x() - runs_[0].center().x());
        stepY_ = sign(r.center().y() - runs_[0].center().y());
    }
    if (!runs_.empty()) {
        shortest_ = std::min(shortest_, along(r));
        longest_ = std::max(longest_, along(r));
    }
    if (way_ == 0 && along(r) > 1) way_ = wayOf(r);
    runs_.push_back(r);
}

void RunChain::endInto(LineGroup& group) {
    if (runs_.size() == 1) group.rects.emplace_back(runs_[0]);
    if (runs_.size() >= 2) {
        group.bands.emplace_back(farEnd(runs_.front(), runs_[1]),
                                 farEnd(runs_.back(), runs_[runs_.size() - 2]));
    }
    runs_.clear();
    way_ = 0;
    shortest_ = INT_MAX;
    longest_ = 0;
}

QRect RunChain::takeSingle() {
    const QRect run = runs_.front();
    runs_.clear();
    way_ = 0;
    shortest_ = INT_MAX;
    longest_ = 0;
    return run;
}

bool DashRow::continues(const QRect& run) const {
    if (count_ == 0) return false;
    const bool across = run.height() == 1 && last_.height() == 1 && run.top() == last_.top() &&
                        run.width() == last_.width();
    const bool down = run.width() == 1 && last_.width() == 1 && run.left() == last_.left() &&
                      run.height() == last_.height();
    if (!across && !down) return false;
    const bool alongRow = across && run.left() != last_.left();
    const int step = alongRow ? run.left() - last_.left() : run.top() - last_.top();
    const int length = alongRow ? run.width() : run.height();
    if (count_ >= 2) return alongRow == across_ && step == step_;
    return std::abs(step) > length;  // a gap between the two
}

void DashRow::add(const QRect& run) {
    if (count_ == 0) {
        first_ = run;
    } else if (count_ == 1) {
        across_ = run.height() == 1 && run.top() == last_.top() && run.left() != last_.left();
        step_ = across_ ? run.left() - last_.left() : run.top() - last_.top();
    }
    last_ = run;
    ++count_;
}

void DashRow::endInto(LineGroup& group) {
    if (count_ == 1) group.rects.emplace_back(first_);
    if (count_ >= 2) {
        const QRect start = step_ > 0 ? first_ : last_;  // the dash nearest the origin
        const QRect end = step_ > 0 ? last_ : first_;
        const int on = across_ ? start.width() : start.height();
        const QLineF line =
            across_ ? QLineF(start.left(), start.top() + 0.5, end.right() + 1, start.top() + 0.5)
                    : QLineF(start.left() + 0.5, start.top(), start.left() + 0.5, end.bottom() + 1);
        group.dashes.push_back(DashedBand{line, on, std::abs(step_) - on});
    }
    count_ = 0;
}

QPainterPath outlineOf(const LineGroup& group) {
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (const QRectF& r : group.rects) path.addRect(r);
    for (const DashedBand& dashed : group.dashes) {
        const bool across = dashed.line.dy() == 0;
        const double length = across ? dashed.line.dx() : dashed.line.dy();
        for (int at = 0; at < length; at += dashed.on + dashed.off) {
            path.addRect(across
                             ? QRectF(dashed.line.x1() + at, dashed.line.y1() - 0.5, dashed.on, 1)
                             : QRectF(dashed.line.x1() - 0.5, dashed.line.y1() + at, 1, dashed.on));
        }
    }
    for (const QLineF& band : group.bands) {
        const QPointF along = band.p2() - band.p1();
        const QPointF d = along / std::hypot(along.x(), along.y()) * 0.5;  // half a pixel
        const QPointF n(-d.y(), d.x());                                    // across
        QPointF corners[] = {band.p1() - d - n, band.p2() + d - n, band.p2() + d + n,
                             band.p1() - d + n};
        // Clockwise, as addRect's outlines run, so that with the winding
        // rule overlapping pieces add up instead of cutting holes into
        // each other.
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
    return path;
}

}  // namespace lineara
