// A sloping line reaches a tile as runs of pixels, one rectangle each,
// every run a row and a column on from the one before. The runs of one
// line are joined back into one straight band a pixel wide from its first
// pixel to its last, which stays a sharp line at any size where the steps
// would not. Straight lines and the dashes of dotted ones are single
// rectangles and stay so.
#pragma once

#include <QColor>
#include <QLineF>
#include <QPainterPath>
#include <QRect>
#include <climits>
#include <vector>

namespace lineara {

// One colour's lines: the straight pieces as rectangles, the sloping ones
// as bands, each from its first pixel's centre to its last's.
struct LineGroup {
    QColor colour;
    std::vector<QRectF> rects;
    std::vector<QLineF> bands;
};

// The group as one path to fill: its rectangles, and each band as the
// rectangle a pixel wide around it.
QPainterPath outlineOf(const LineGroup& group);

class RunChain {
public:
    bool empty() const { return runs_.empty(); }
    // Whether `run` (a pixel thick) is the next of the same line: touching
    // the last one at a corner (no row and no column in common), on in the
    // same direction, lying the same way and of the same length as the
    // runs before it.
    bool continues(const QRect& run) const;
    void add(const QRect& run);
    // Puts the line into `group`, a rectangle or a band, and starts anew.
    void endInto(LineGroup& group);

private:
    std::vector<QRect> runs_;
    int stepX_ = 0;
    int stepY_ = 0;
    int way_ = 0;  // of the runs: 1 across, 2 down, 0 not yet known
    // The lengths of the runs after the first.
    int shortest_ = INT_MAX;
    int longest_ = 0;
};

}  // namespace lineara
