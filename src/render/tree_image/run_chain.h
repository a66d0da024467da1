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

// Dashes of equal length at equal steps along one row (or column): a
// dotted line straight across (or down), as a line through the centres of
// its pixels from the first dash's first pixel to the last dash's last.
struct DashedBand {
    QLineF line;
    int on = 0;   // pixels of a dash
    int off = 0;  // pixels between two dashes
};

// One colour's lines: the straight pieces as rectangles, the sloping ones
// as bands, each from its first pixel's centre to its last's, and dotted
// straight ones as dashed bands.
struct LineGroup {
    QColor colour;
    std::vector<QRectF> rects;
    std::vector<QLineF> bands;
    std::vector<DashedBand> dashes;
};

// The group as one path to fill: its rectangles and dashes, and each band
// as the rectangle a pixel wide around it.
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
    // Whether the line so far is a single run: a straight piece.
    bool single() const { return runs_.size() == 1; }
    // Puts the line into `group`, a rectangle or a band, and starts anew.
    void endInto(LineGroup& group);
    // The single run, starting anew.
    QRect takeSingle();

private:
    std::vector<QRect> runs_;
    int stepX_ = 0;
    int stepY_ = 0;
    int way_ = 0;  // of the runs: 1 across, 2 down, 0 not yet known
    // The lengths of the runs after the first.
    int shortest_ = INT_MAX;
    int longest_ = 0;
};

// Straight runs one after another, the dashes of a dotted line straight
// across or down while they are of one length, on one row (or column), each
// the same step on from the one before with a gap between them. Drawn as
// one dashed line they cost a PDF page a line where each dash would cost
// it a rectangle, and cover exactly the same pixels.
class DashRow {
public:
    bool empty() const { return count_ == 0; }
    bool continues(const QRect& run) const;
    void add(const QRect& run);
    // A single dash goes into `group` as a rectangle, more as a dashed
    // band; then it starts anew.
    void endInto(LineGroup& group);

private:
    QRect first_;
    QRect last_;
    int count_ = 0;
    int step_ = 0;         // from one dash's start to the next one's
    bool across_ = false;  // along a row, not a column
};

}  // namespace lineara
