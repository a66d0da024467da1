#include "core/reports/print_geometry.h"

#include <gtest/gtest.h>

#include "support/add_person.h"

namespace lineara {
namespace {

using test::addPerson;

struct GeometryCase {
    const char* name;
    PrintBounds bounds;
    int pw, ph, n, fontSize;
    int W, H;
    double s;
    int f, ox, oy;
};

TEST(PrintGeometry, ScaleMarginsFontAndOffsets) {
    const GeometryCase cases[] = {
        // One box, the width decides: 950 / 140.
        {"width limits",
         {100, 100, 200, 200},
         1000,
         700,
         1,
         16,
         950,
         652,
         950.0 / 140,
         109,
         25,
         79},
        // One box on a wide, low page: the height decides, 352 / 80.
        {"height limits", {100, 100, 200, 200}, 1000, 400, 1, 16, 950, 352, 4.4, 70, 192, 24},
        // pw / 20 = 50.5 rounds to the even 50; ox = 52.5 rounds to 52.
        {"halves to even", {0, 860, 0, 320}, 2100, 1500, 1, 16, 1995, 1400, 1.995, 32, 52, 351},
        {"odd margin", {0, 860, 0, 320}, 1010, 1500, 1, 16, 960, 1452, 0.96, 15, 25, 558},
        // N changes nothing of the single-page geometry.
        {"four pages", {100, 100, 200, 200}, 1000, 700, 2, 16, 950, 652, 950.0 / 140, 109, 25, 79},
    };
    for (const GeometryCase& c : cases) {
        SCOPED_TRACE(c.name);
        PageGeometry g = pageGeometry(c.bounds, c.pw, c.ph, c.n, c.fontSize);
        EXPECT_EQ(g.usableWidth, c.W);
        EXPECT_EQ(g.usableHeight, c.H);
        EXPECT_DOUBLE_EQ(g.scale, c.s);
        EXPECT_EQ(g.fontHeight, c.f);
        EXPECT_EQ(g.offsetX, c.ox);
        EXPECT_EQ(g.offsetY, c.oy);
    }
}

TEST(PrintGeometry, MapsTreePointsOntoPagesOfTheSheet) {
    const PrintBounds one{100, 100, 200, 200};
    const PageGeometry single = pageGeometry(one, 1000, 700, 1, 16);
    // The box fills the usable width and sits centred.
    EXPECT_EQ(single.mapX(100, {1, 1}), 25);
    EXPECT_EQ(single.mapX(240, {1, 1}), 975);
    EXPECT_EQ(single.mapY(200, {1, 1}), 79);
    EXPECT_EQ(single.mapY(280, {1, 1}), 622);
    EXPECT_EQ(single.halfBoxWidth(), 475);

    // Twice as large over 2 x 2 pages: each page shows its quarter.
    const PageGeometry four = pageGeometry(one, 1000, 700, 2, 16);
    EXPECT_EQ(four.mapX(100, {1, 1}), 50);
    EXPECT_EQ(four.mapX(100, {1, 2}), -950);
    EXPECT_EQ(four.mapX(240, {1, 2}), 950);
    EXPECT_EQ(four.mapX(240, {2, 2}), 950);
    EXPECT_EQ(four.mapY(200, {2, 1}), 158 - 700);
    EXPECT_EQ(four.mapY(280, {2, 1}), 544);
    EXPECT_EQ(four.halfBoxWidth(), 950);

    const PageGeometry two = pageGeometry(PrintBounds{0, 860, 0, 320}, 2100, 1500, 1, 16);
    EXPECT_EQ(two.mapX(860, {1, 1}), 1716 + 52);  // round(1715.7) + ox
    EXPECT_EQ(two.mapY(320, {1, 1}), 638 + 351);  // round(638.4) + oy
    EXPECT_EQ(two.halfBoxWidth(), 140);           // round(139.65)
}

TEST(PrintGeometry, PagesComeRowByRow) {
    EXPECT_EQ(pageOrder(1), (std::vector<PageCell>{{1, 1}}));
    EXPECT_EQ(pageOrder(2), (std::vector<PageCell>{{1, 1}, {1, 2}, {2, 1}, {2, 2}}));
    const std::vector<PageCell> all = pageOrder(8);
    ASSERT_EQ(all.size(), 64u);
    EXPECT_EQ(all[7], (PageCell{1, 8}));
    EXPECT_EQ(all[8], (PageCell{2, 1}));
    EXPECT_EQ(all.back(), (PageCell{8, 8}));
}

TEST(PrintGeometry, BoundsCoverThePersonsTakingPart) {
    PersonList list;
    EXPECT_FALSE(printBounds(list, false));

    PersonRecord* a = addPerson(list, "A", "", 50, -30);
    PersonRecord* b = addPerson(list, "B", "", -200, 400);
    PersonRecord* c = addPerson(list, "C", "", 900, 10);
    std::optional<PrintBounds> all = printBounds(list, false);
    ASSERT_TRUE(all);
    EXPECT_EQ(all->minX, -200);
    EXPECT_EQ(all->maxX, 900);
    EXPECT_EQ(all->minY, -30);
    EXPECT_EQ(all->maxY, 400);
    EXPECT_EQ(all->width(), 1240);
    EXPECT_EQ(all->height(), 510);

    // Only selected persons, and no selection: nothing to print.
    EXPECT_FALSE(printBounds(list, true));
    list.setSelection({a, c});
    std::optional<PrintBounds> selected = printBounds(list, true);
    ASSERT_TRUE(selected);
    EXPECT_EQ(selected->minX, 50);
    EXPECT_EQ(selected->maxX, 900);
    EXPECT_EQ(selected->minY, -30);
    EXPECT_EQ(selected->maxY, 10);
    EXPECT_FALSE(takesPart(b, true));
    EXPECT_TRUE(takesPart(b, false));
}

}  // namespace
}  // namespace lineara
