// Runs of pixels joined back into the lines they were cut from: one band
// for each straight sloping stretch, a rectangle for everything else, and
// never a band past a bend.
#include "render/tree_image/run_chain.h"

#include <gtest/gtest.h>

#include <vector>

namespace lineara {
namespace {

LineGroup joined(const std::vector<QRect>& runs) {
    LineGroup group;
    RunChain chain;
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

}  // namespace
}  // namespace lineara
