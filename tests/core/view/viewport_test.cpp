#include "core/view/viewport.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/view/view_math.h"
#include "support/add_person.h"

namespace lineara {
namespace {

constexpr WindowExtent kWindow{800, 600};

ViewState viewAt(double zoom, int32_t scrollX = 0, int32_t scrollY = 0) {
    ViewState view;
    view.zoomPercent = zoom;
    view.scrollX = scrollX;
    view.scrollY = scrollY;
    return view;
}

TEST(Viewport, ZoomInStepsBy125PercentAroundTheCentreAndStopsAbove200) {
    ViewState view = viewAt(100);
    const struct {
        double zoom;
        int32_t scrollX, scrollY;
    } steps[] = {{125, -80, -60},
                 {156.25, -144, -108},
                 {195.3125, -195, -146},  // 51.2 and 38.4 tree units
                 {244.140625, -236, -177}};
    for (const auto& step : steps) {
        EXPECT_TRUE(zoomInStep(view, kWindow));
        EXPECT_DOUBLE_EQ(view.zoomPercent, step.zoom);
        EXPECT_EQ(view.scrollX, step.scrollX) << step.zoom;
        EXPECT_EQ(view.scrollY, step.scrollY) << step.zoom;
    }
    // At 200 or more nothing changes, but the caller still repaints.
    EXPECT_TRUE(zoomInStep(view, kWindow));
    EXPECT_DOUBLE_EQ(view.zoomPercent, 244.140625);
    EXPECT_EQ(view.scrollX, -236);

    // The test comes before the multiplication.
    ViewState high = viewAt(180);
    zoomInStep(high, kWindow);
    EXPECT_DOUBLE_EQ(high.zoomPercent, 225);
    ViewState limit = viewAt(200, 7, 9);
    zoomInStep(limit, kWindow);
    EXPECT_DOUBLE_EQ(limit.zoomPercent, 200);
    EXPECT_EQ(limit.scrollX, 7);
}

TEST(Viewport, ZoomStepsRoundTheirOffsetsHalfToEven) {
    // An eighth of 25 pixels at 125 % is 2.5 tree units, of 35 it is 3.5.
    ViewState view = viewAt(100);
    zoomInStep(view, WindowExtent{25, 35});
    EXPECT_EQ(view.scrollX, -2);
    EXPECT_EQ(view.scrollY, -4);
    // Zooming out uses the zoom before the division: 2.5 and 3.5 again.
    zoomOutStep(view, WindowExtent{25, 35});
    EXPECT_EQ(view.scrollX, 0);
    EXPECT_EQ(view.scrollY, 0);
    EXPECT_DOUBLE_EQ(view.zoomPercent, 100);
}

TEST(Viewport, ZoomOutStopsAtOnePercent) {
    ViewState view = viewAt(1.2);
    EXPECT_TRUE(zoomOutStep(view, kWindow));
    EXPECT_DOUBLE_EQ(view.zoomPercent, 0.96);
    EXPECT_EQ(view.scrollX, 8333);  // 100 / 0.012 = 8333.33
    EXPECT_EQ(view.scrollY, 6250);
    EXPECT_FALSE(zoomOutStep(view, kWindow));
    EXPECT_DOUBLE_EQ(view.zoomPercent, 0.96);
    EXPECT_EQ(view.scrollX, 8333);

    ViewState one = viewAt(1);
    EXPECT_FALSE(zoomOutStep(one, kWindow));
    EXPECT_DOUBLE_EQ(one.zoomPercent, 1);
}

TEST(Viewport, ZoomToKeepsTheCentreAndAPresetTwiceDoesNotMove) {
    for (double preset : {200.0, 100.0, 50.0, 35.0, 20.0, 10.0, 5.0, 1.0}) {
        ViewState view = viewAt(156.25, 123, -45);
        const int64_t centreX = pixelToTreeX(view, kWindow.width / 2);
        ASSERT_TRUE(zoomTo(view, kWindow, preset));
        EXPECT_DOUBLE_EQ(view.zoomPercent, preset);
        // The tree point under the centre stays within a unit or two.
        EXPECT_NEAR(pixelToTreeX(view, kWindow.width / 2), centreX, 2) << preset;
        const ViewState once = view;
        zoomTo(view, kWindow, preset);
        EXPECT_EQ(view.scrollX, once.scrollX) << preset;
        EXPECT_EQ(view.scrollY, once.scrollY) << preset;
    }
    // The visible extents are rounded first, then half their difference:
    // 401 − 802 = −401 → −200.5 → −200; 303 − 606 = −303 → −151.5 → −152.
    ViewState view = viewAt(100);
    zoomTo(view, WindowExtent{802, 606}, 200);
    EXPECT_EQ(view.scrollX, -200);
    EXPECT_EQ(view.scrollY, -152);
    // A zoom of nothing is refused.
    EXPECT_FALSE(zoomTo(view, kWindow, 0));
    EXPECT_DOUBLE_EQ(view.zoomPercent, 200);
}

TEST(Viewport, CentringPutsTheBoxCentreAtTheWindowCentre) {
    const WindowExtent odd{801, 601};
    ViewState view = viewAt(35, 9999, 9999);
    centreAt100(view, odd, 1000, -300);
    EXPECT_DOUBLE_EQ(view.zoomPercent, 100);
    EXPECT_EQ(view.scrollX, 400 - 1000 - 70);
    EXPECT_EQ(view.scrollY, 300 + 300 - 40);
    EXPECT_EQ(treeToPixelX(view, 1000 + 70), 400);
    EXPECT_EQ(treeToPixelY(view, -300 + 40), 300);

    // At the present zoom the offsets are whole tree units, so the centre
    // lands within a unit (plus a pixel of rounding) of the middle.
    for (double zoom : {244.140625, 125.0, 50.0, 35.0, 10.0}) {
        ViewState at = viewAt(zoom, -5, 17);
        centreAtPresentZoom(at, odd, 1000, -300);
        EXPECT_DOUBLE_EQ(at.zoomPercent, zoom);
        const double slack = zoom / 100 + 1;
        EXPECT_NEAR(treeToPixelX(at, 1070), 400, slack) << zoom;
        EXPECT_NEAR(treeToPixelY(at, -260), 300, slack) << zoom;
    }
    // 601 / 2.44140625 = 246.17 → 246, less 601, halved: −177.5 → −178.
    ViewState at = viewAt(244.140625);
    centreAtPresentZoom(at, odd, 1000, -300);
    EXPECT_EQ(at.scrollY, 560 - 178);
}

TEST(Viewport, ScrollStepIsAboutTheSameNumberOfPixelsAtAnyZoom) {
    const struct {
        double zoom;
        int32_t units;
    } cases[] = {{100, 50},        {125, 40},   {35, 143},  // 142.86
                 {80, 62},                                  // 62.5, to even
                 {244.140625, 20}, {0.96, 5208}};
    for (const auto& c : cases) {
        ViewState view = viewAt(c.zoom, 10, 20);
        scrollByStep(view, ScrollDirection::Left, 50);
        EXPECT_EQ(view.scrollX, 10 + c.units) << c.zoom;
        EXPECT_EQ(view.scrollY, 20);
    }
    ViewState view = viewAt(100);
    scrollByStep(view, ScrollDirection::Right, 50);
    EXPECT_EQ(view.scrollX, -50);
    scrollByStep(view, ScrollDirection::Up, 50);
    EXPECT_EQ(view.scrollY, 50);
    scrollByStep(view, ScrollDirection::Down, 50);
    scrollByStep(view, ScrollDirection::Down, 50);
    EXPECT_EQ(view.scrollY, -50);
    EXPECT_EQ(view.scrollX, -50);
    // Far out the offset stops at the edge of its range.
    ViewState edge = viewAt(100, 2147483600, 0);
    scrollByStep(edge, ScrollDirection::Left, 50);
    scrollByStep(edge, ScrollDirection::Left, 50);
    EXPECT_EQ(edge.scrollX, 2147483647);
}

TEST(Viewport, AreaZoomFillsTheWindowWithTheBandWidthUpTo200) {
    ViewState view = viewAt(100);
    zoomToArea(view, kWindow, 500, 90, -500, 10);  // corners in any order
    EXPECT_EQ(view.scrollX, 500);
    EXPECT_EQ(view.scrollY, -10);
    EXPECT_DOUBLE_EQ(view.zoomPercent, 80);

    zoomToArea(view, kWindow, 100, 50, 300, 200);  // 800 · 100 / 200 = 400
    EXPECT_DOUBLE_EQ(view.zoomPercent, 200);
    zoomToArea(view, kWindow, 0, 0, 300, 1);  // 266.7, capped
    EXPECT_DOUBLE_EQ(view.zoomPercent, 200);
    zoomToArea(view, kWindow, 0, 0, 600, 1);
    EXPECT_NEAR(view.zoomPercent, 133.333, 0.001);

    // A band of no width only moves the view.
    zoomToArea(view, kWindow, 70, 400, 70, -30);
    EXPECT_EQ(view.scrollX, -70);
    EXPECT_EQ(view.scrollY, 30);
    EXPECT_NEAR(view.zoomPercent, 133.333, 0.001);
}

// Every box inside the window with `margin` pixels to spare (within a
// pixel of rounding), and the tree as large as that allows in one of the
// two directions, unless the zoom reached its limit.
TEST(Viewport, TheWholeTreeFitsTheWindowWhateverItsSpread) {
    const struct {
        const char* what;
        std::vector<std::pair<int32_t, int32_t>> boxes;
    } trees[] = {
        {"one box: the limit of 200 %", {{40, -30}}},
        {"wide", {{-5000, 0}, {9000, 300}, {0, 100}}},
        {"tall", {{0, -20000}, {100, 40000}}},
        {"far apart", {{-1000000000, -900000000}, {1000000000, 1000000000}}},
    };
    for (const auto& tree : trees) {
        SCOPED_TRACE(tree.what);
        PersonList list;
        for (const auto& [x, y] : tree.boxes) test::addPerson(list, "", "", x, y);
        ViewState view = viewAt(35, 7, 7);
        ASSERT_TRUE(showWholeTree(view, list, kWindow, 10));
        int64_t left = INT64_MAX, right = INT64_MIN, top = INT64_MAX, bottom = INT64_MIN;
        for (const auto& [x, y] : tree.boxes) {
            left = std::min(left, treeToPixelX(view, x));
            right = std::max(right, treeToPixelX(view, int64_t(x) + kBoxWidth));
            top = std::min(top, treeToPixelY(view, y));
            bottom = std::max(bottom, treeToPixelY(view, int64_t(y) + kBoxHeight));
        }
        EXPECT_GE(left, 10 - 1);
        EXPECT_LE(right, kWindow.width - 10 + 1);
        EXPECT_GE(top, 10 - 1);
        EXPECT_LE(bottom, kWindow.height - 10 + 1);
        // Centred: the margins left and right (top and bottom) agree.
        EXPECT_NEAR(left, kWindow.width - right, 2);
        EXPECT_NEAR(top, kWindow.height - bottom, 2);
        const bool filled =
            right - left >= kWindow.width - 20 - 2 || bottom - top >= kWindow.height - 20 - 2;
        EXPECT_TRUE(filled || view.zoomPercent == 200) << view.zoomPercent;
    }
    ViewState untouched = viewAt(35, 7, 7);
    EXPECT_FALSE(showWholeTree(untouched, PersonList(), kWindow));
    EXPECT_DOUBLE_EQ(untouched.zoomPercent, 35);
    PersonList one;
    test::addPerson(one);
    EXPECT_FALSE(showWholeTree(untouched, one, WindowExtent{15, 600}));
}

class AlignmentTest : public ::testing::Test {
protected:
    void SetUp() override {
        const int32_t positions[][2] = {{300, 40}, {-20, 500}, {120, -75}, {-900, -900}};
        for (const auto& p : positions) {
            persons.push_back(test::addPerson(test::writable(doc), "", "", p[0], p[1]));
        }
        doc.markSaved();
    }
    void selectFirstThree() {
        test::writable(doc).setSelection({persons[0], persons[1], persons[2]});
    }
    std::vector<int32_t> xs() const {
        std::vector<int32_t> v;
        for (const PersonRecord* p : persons) v.push_back(p->posX());
        return v;
    }
    std::vector<int32_t> ys() const {
        std::vector<int32_t> v;
        for (const PersonRecord* p : persons) v.push_back(p->posY());
        return v;
    }

    Document doc;
    std::vector<PersonRecord*> persons;
};

TEST_F(AlignmentTest, EachSideMovesOnlyTheSelectionOnItsAxis) {
    const std::vector<int32_t> xs0 = xs(), ys0 = ys();
    const struct {
        AlignSide side;
        std::vector<int32_t> x, y;
    } cases[] = {{AlignSide::Left, {-20, -20, -20, -900}, ys0},
                 {AlignSide::Right, {300, 300, 300, -900}, ys0},
                 {AlignSide::Top, xs0, {-75, -75, -75, -900}},
                 {AlignSide::Bottom, xs0, {500, 500, 500, -900}}};
    for (const auto& c : cases) {
        for (size_t i = 0; i < persons.size(); ++i) {
            persons[i]->setPosX(xs0[i]);
            persons[i]->setPosY(ys0[i]);
        }
        doc.markSaved();
        selectFirstThree();
        EXPECT_TRUE(alignSelection(doc, c.side));
        EXPECT_EQ(xs(), c.x) << static_cast<int>(c.side);
        EXPECT_EQ(ys(), c.y) << static_cast<int>(c.side);
        EXPECT_TRUE(doc.treeModified());
    }
}

TEST_F(AlignmentTest, NothingWithoutASelectionButOneBoxStillCountsAsAnEdit) {
    const std::vector<int32_t> xs0 = xs();
    EXPECT_FALSE(alignSelection(doc, AlignSide::Left));  // the current person is no selection
    EXPECT_EQ(xs(), xs0);
    EXPECT_FALSE(doc.treeModified());

    test::writable(doc).setSelection({persons[3]});
    EXPECT_TRUE(alignSelection(doc, AlignSide::Right));
    EXPECT_EQ(xs(), xs0);
    EXPECT_TRUE(doc.treeModified());
}

}  // namespace
}  // namespace lineara
