// Runs of pixels joined back into the lines they were cut from: one band
// for each straight sloping stretch, a rectangle for everything else, and
// never a band past a bend.
#include "render/tree_image/run_chain.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <utility>
#include <vector>

#include "render/painter/line_raster.h"

namespace lineara {
namespace {

// The runs one after another through a RunChain, or a DashRow (straight
// pieces, as a PDF tile takes them).
template <typename Chain = RunChain>
LineGroup joined(const std::vector<QRect>& runs) {
    LineGroup group;
    Chain chain;
    for (const QRect& r : runs) {
        if (!chain.empty() && !chain.continues(r)) chain.endInto(group);
        chain.add(r);
    }
    chain.endInto(group);
    return group;
}

TEST(RunChain, JoinsTheRunsOfEachStraightStretch) {
    const struct {
        const char* name;
        std::vector<QRect> runs;
        std::vector<QRectF> rects;
        std::vector<QLineF> bands;
    } cases[] = {
        {"shallow, the last run short",
         {{0, 0, 3, 1}, {3, 1, 3, 1}, {6, 2, 3, 1}, {9, 3, 2, 1}},
         {},
         {QLineF(0.5, 0.5, 10.5, 3.5)}},
        {"steep, up and to the left",
         {{5, 7, 1, 3}, {4, 4, 1, 3}, {3, 1, 1, 3}},
         {},
         {QLineF(5.5, 9.5, 3.5, 1.5)}},
        {"a stub down from a box, then the slope",
         {{0, 0, 1, 10}, {1, 10, 3, 1}, {4, 11, 3, 1}, {7, 12, 3, 1}},
         {QRectF(0, 0, 1, 10)},
         {QLineF(1.5, 10.5, 9.5, 12.5)}},
        {"the slope, then a stub down to a box",
         {{0, 0, 3, 1}, {3, 1, 3, 1}, {6, 2, 3, 1}, {9, 3, 1, 12}},
         {QRectF(9, 3, 1, 12)},
         {QLineF(0.5, 0.5, 8.5, 2.5)}},
        {"a bend where the slope turns",
         {{0, 0, 2, 1}, {2, 1, 2, 1}, {4, 0, 2, 1}},
         {QRectF(4, 0, 2, 1)},
         {QLineF(0.5, 0.5, 3.5, 1.5)}},
        {"a run of another length in the middle",
         {{0, 0, 2, 1}, {2, 1, 2, 1}, {4, 2, 6, 1}, {10, 3, 2, 1}, {12, 4, 2, 1}},
         {QRectF(4, 2, 6, 1)},
         {QLineF(0.5, 0.5, 3.5, 1.5), QLineF(10.5, 3.5, 13.5, 4.5)}},
        {"dashes that do not touch",
         {{0, 0, 3, 1}, {6, 0, 3, 1}},
         {QRectF(0, 0, 3, 1), QRectF(6, 0, 3, 1)},
         {}},
    };
    for (const auto& c : cases) {
        const LineGroup group = joined(c.runs);
        EXPECT_EQ(group.rects, c.rects) << c.name;
        EXPECT_EQ(group.bands, c.bands) << c.name;
    }
}

using Pixels = std::set<std::pair<int, int>>;

Pixels pixelsOf(const std::vector<QRect>& runs) {
    Pixels pixels;
    for (const QRect& r : runs) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left(); x <= r.right(); ++x) pixels.insert({x, y});
        }
    }
    return pixels;
}

// The pixels whose centres the group's outline holds, within `area`.
Pixels pixelsOf(const LineGroup& group, const QRect& area) {
    const QPainterPath outline = outlineOf(group);
    Pixels pixels;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (outline.contains(QPointF(x + 0.5, y + 0.5))) pixels.insert({x, y});
        }
    }
    return pixels;
}

// Dotted and solid lines straight across and down, either way, cut by the
// window at either end, and rows of equal runs at uneven gaps: the dashed
// bands and rectangles cover exactly the pixels of the runs, and a dotted
// line is one dashed band but for a dash cut short at an end.
TEST(DashRow, CoversExactlyThePixelsOfTheRuns) {
    std::mt19937 random(3);
    const QRect window(0, 0, 120, 120);
    for (int round = 0; round < 300; ++round) {
        std::vector<QRect> runs;
        const bool dotted = round % 4 != 0;
        if (round % 5 == 4) {
            // Runs of one length along one row, some steps longer.
            int x = int(random() % 10);
            const int length = 1 + int(random() % 4);
            for (int i = 0; i < 8; ++i) {
                runs.emplace_back(x, 7, length, 1);
                x += length + 1 + int(random() % 3 == 0 ? random() % 3 : 2);
            }
        } else {
            const int fixed = int(random() % 120);
            int from = int(random() % 160) - 20;
            int to = int(random() % 160) - 20;
            const bool across = random() % 2 == 0;
            forEachLineRun(across ? from : fixed, across ? fixed : from, across ? to : fixed,
                           across ? fixed : to, dotted ? kDottedLine : kSolidLine, window.width(),
                           window.height(), [&](const LineRun& r) {
                               runs.emplace_back(r.x, r.y, r.horizontal ? r.length : 1,
                                                 r.horizontal ? 1 : r.length);
                           });
        }
        if (runs.empty()) continue;
        const LineGroup group = joined<DashRow>(runs);
        EXPECT_EQ(pixelsOf(group, window), pixelsOf(runs)) << round;
        EXPECT_TRUE(group.bands.empty());
        if (round % 5 != 4 && dotted && runs.size() >= 4) {
            EXPECT_EQ(group.dashes.size(), 1u) << round;
            EXPECT_LE(group.rects.size(), 2u) << round;
        }
    }
}

}  // namespace
}  // namespace lineara
