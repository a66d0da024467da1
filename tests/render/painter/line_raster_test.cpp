#include "render/painter/line_raster.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "render/painter/line_painter.h"
#include "support/paint_support.h"

namespace lineara {
namespace {

using Pixel = std::pair<int, int>;

std::vector<Pixel> pixelsOf(int x0, int y0, int x1, int y1, LinePattern pattern = kSolidLine,
                            int width = 1000, int height = 1000) {
    std::vector<Pixel> out;
    forEachLineRun(x0, y0, x1, y1, pattern, width, height, [&](const LineRun& run) {
        for (int i = 0; i < run.length; ++i) {
            out.emplace_back(run.horizontal ? run.x + i : run.x,
                             run.horizontal ? run.y : run.y + i);
        }
    });
    return out;
}

std::set<Pixel> setOf(const std::vector<Pixel>& v) { return {v.begin(), v.end()}; }

TEST(LineRaster, DrawsTheStartAndLeavesOutTheEndInEveryDirection) {
    const Pixel start{50, 50};
    for (auto [dx, dy] : {std::pair{7, 0},
                          {-7, 0},
                          {0, 7},
                          {0, -7},
                          {7, 3},
                          {-7, -3},
                          {3, -7},
                          {-3, 7},
                          {5, 5},
                          {-5, 5}}) {
        std::vector<Pixel> line = pixelsOf(50, 50, 50 + dx, 50 + dy);
        std::set<Pixel> pixels = setOf(line);
        EXPECT_EQ(line.size(), size_t(std::max(std::abs(dx), std::abs(dy)))) << dx << "," << dy;
        EXPECT_EQ(pixels.size(), line.size()) << "no pixel twice";
        EXPECT_TRUE(pixels.count(start)) << dx << "," << dy;
        EXPECT_FALSE(pixels.count(Pixel{50 + dx, 50 + dy})) << dx << "," << dy;
    }
    EXPECT_TRUE(pixelsOf(3, 3, 3, 3).empty());
}

TEST(LineRaster, PicksTheNearestPixelAndTheUpperOrLeftOneHalfWay) {
    // Five across, three down: rows 1 + 0, .6, 1.2, 1.8, 2.4.
    EXPECT_EQ(pixelsOf(10, 1, 15, 4),
              (std::vector<Pixel>{{10, 1}, {11, 2}, {12, 2}, {13, 3}, {14, 3}}));
    // Two across, one down: the second column is half-way and takes the upper row.
    EXPECT_EQ(pixelsOf(0, 0, 2, 1), (std::vector<Pixel>{{0, 0}, {1, 0}}));
    EXPECT_EQ(pixelsOf(2, 1, 0, 0), (std::vector<Pixel>{{2, 1}, {1, 0}}));
    // Steep lines take the left column half-way.
    EXPECT_EQ(pixelsOf(0, 0, 1, 2), (std::vector<Pixel>{{0, 0}, {0, 1}}));
    EXPECT_EQ(pixelsOf(1, 2, 0, 0), (std::vector<Pixel>{{1, 2}, {0, 1}}));
}

TEST(LineRaster, AReversedLineCoversTheSamePixelsButForItsEnds) {
    for (auto [x1, y1] : {std::pair{37, 11}, {-20, 13}, {9, -40}, {-31, -31}, {40, 0}}) {
        std::set<Pixel> forward = setOf(pixelsOf(0, 0, x1, y1));
        std::set<Pixel> backward = setOf(pixelsOf(x1, y1, 0, 0));
        forward.erase({0, 0});
        backward.erase({x1, y1});
        EXPECT_EQ(forward, backward) << x1 << "," << y1;
    }
}

TEST(LineRaster, DotsAreThreePixelsOnAndThreeOffFromTheStart) {
    // Leftwards, so the pattern starts at the right end.
    std::set<Pixel> dots = setOf(pixelsOf(20, 5, 0, 5, kDottedLine));
    EXPECT_EQ(dots, (std::set<Pixel>{{20, 5},
                                     {19, 5},
                                     {18, 5},
                                     {14, 5},
                                     {13, 5},
                                     {12, 5},
                                     {8, 5},
                                     {7, 5},
                                     {6, 5},
                                     {2, 5},
                                     {1, 5}}));
}

TEST(LineRaster, OnlyThePartInsideTheWindowIsVisited) {
    int runs = 0;
    long long pixels = 0;
    // A line from inside to a far clamped point: only the window's width
    // worth of pixels is produced.
    forEachLineRun(10, 10, 20000, 20000, kSolidLine, 100, 50, [&](const LineRun& run) {
        ++runs;
        pixels += run.length;
        EXPECT_TRUE(run.x >= 0 && run.x < 100 && run.y >= 0 && run.y < 50);
    });
    EXPECT_EQ(pixels, 40);  // rows 10 to 49
    // Entirely outside on the minor axis: nothing.
    runs = 0;
    forEachLineRun(-5, 60, 90, 70, kSolidLine, 100, 50, [&](const LineRun&) { ++runs; });
    EXPECT_EQ(runs, 0);
    // The pattern keeps its phase from the real start point.
    std::vector<Pixel> clipped = pixelsOf(-4, 0, 10, 0, kDottedLine, 100, 50);
    EXPECT_EQ(clipped, (std::vector<Pixel>{{2, 0}, {3, 0}, {4, 0}, {8, 0}, {9, 0}}));
}

TEST(LineRaster, AWindowKeepsExactlyThePixelsOfTheWholeLineThatFallInIt) {
    // The whole line is drawn far from the edges of a huge window, then
    // cut to the small one; the small window's own answer must be the same
    // pixels in the same order, whichever of its sides the line crosses.
    constexpr int kShift = 50000;
    std::mt19937 rng(17);
    auto coordinate = [&] { return int(rng() % 601) - 300; };
    for (int i = 0; i < 4000; ++i) {
        const int x0 = coordinate(), y0 = coordinate(), x1 = coordinate(), y1 = coordinate();
        const int width = 1 + int(rng() % 150), height = 1 + int(rng() % 150);
        const LinePattern pattern = i % 3 == 0 ? kDottedLine : kSolidLine;
        std::vector<Pixel> expected;
        for (const Pixel& p : pixelsOf(x0 + kShift, y0 + kShift, x1 + kShift, y1 + kShift, pattern,
                                       2 * kShift, 2 * kShift)) {
            const int x = p.first - kShift, y = p.second - kShift;
            if (x >= 0 && x < width && y >= 0 && y < height) expected.emplace_back(x, y);
        }
        ASSERT_EQ(setOf(pixelsOf(x0, y0, x1, y1, pattern, width, height)), setOf(expected))
            << x0 << "," << y0 << " to " << x1 << "," << y1 << " in " << width << "x" << height;
    }
}

// A solid line is walked a run at a time; a pattern always on walks it a
// pixel at a time. Both must hand out the very same runs, for lines of
// every slope and direction, short and far longer than the window, whole
// or cut by any side of it.
TEST(LineRaster, RunAtATimeGivesTheRunsOfPixelAtATime) {
    auto runsOf = [](int x0, int y0, int x1, int y1, LinePattern pattern, int width, int height) {
        std::vector<std::vector<int>> runs;
        forEachLineRun(x0, y0, x1, y1, pattern, width, height, [&](const LineRun& r) {
            runs.push_back({r.x, r.y, r.length, r.horizontal});
        });
        return runs;
    };
    constexpr LinePattern kAlwaysOn{1, 0};
    std::mt19937 rng(23);
    for (int i = 0; i < 20000; ++i) {
        const int span = i % 4 == 0 ? 40000 : (i % 4 == 1 ? 3000 : 300);
        auto coordinate = [&] { return int(rng() % (2 * span + 1)) - span / 2; };
        int x0 = coordinate(), y0 = coordinate(), x1 = coordinate(), y1 = coordinate();
        if (i % 5 == 0) y1 = y0 + int(rng() % 7) - 3;  // long and shallow
        if (i % 5 == 1) x1 = x0 + int(rng() % 7) - 3;  // long and steep
        const int width = 1 + int(rng() % 2000), height = 1 + int(rng() % 1200);
        ASSERT_EQ(runsOf(x0, y0, x1, y1, kSolidLine, width, height),
                  runsOf(x0, y0, x1, y1, kAlwaysOn, width, height))
            << x0 << "," << y0 << " to " << x1 << "," << y1 << " in " << width << "x" << height;
    }
}

TEST(LinePainter, APolylineDrawsEveryJointOnceAndItsLastPointNever) {
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QPoint points[] = {{2, 15}, {2, 5}, {12, 5}, {12, 15}};
    {
        QPainter painter(&image);
        // Inverting shows any pixel drawn twice: it would turn back to white.
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        drawPolyline(painter, points, 4, Qt::white, image.size());
    }
    for (int y = 6; y <= 15; ++y) EXPECT_EQ(image.pixel(2, y), test::kBlack) << y;
    for (int x = 2; x <= 12; ++x) EXPECT_EQ(image.pixel(x, 5), test::kBlack) << x;
    for (int y = 5; y <= 14; ++y) EXPECT_EQ(image.pixel(12, y), test::kBlack) << y;
    EXPECT_EQ(image.pixel(12, 15), test::kWhite);
    EXPECT_EQ(test::countPixels(image, image.rect(), test::kBlack), 10 + 10 + 10);
}

}  // namespace
}  // namespace lineara
