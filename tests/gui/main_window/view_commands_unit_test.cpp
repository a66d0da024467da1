// The view commands on their own, through a stand-in window: a repaint only
// when the view changed, the navigator's held arrows, and the area mode
// left to the canvas.
#include <QTest>

#include "support/add_person.h"
#include "support/fake_window.h"

namespace lineara::test {
namespace {

class ViewCommandsAlone : public ::testing::Test {
protected:
    void SetUp() override {
        win.viewState.zoomPercent = 100;
        win.viewState.scrollX = win.viewState.scrollY = 0;
    }
    FakeWindow win;
    ViewCommands view{win, 50};
};

TEST_F(ViewCommandsAlone, AZoomThatChangesNothingDoesNotRepaint) {
    view.zoomTo(1);
    EXPECT_EQ(win.repaints, 1);
    view.zoomOut();  // already at the smallest
    view.wheel(-120);
    EXPECT_DOUBLE_EQ(win.viewState.zoomPercent, 1);
    EXPECT_EQ(win.repaints, 1);
    view.wheel(120);
    EXPECT_DOUBLE_EQ(win.viewState.zoomPercent, 1.25);
    EXPECT_EQ(win.repaints, 2);
    view.wheel(0);
    EXPECT_EQ(win.repaints, 2);

    view.zoomToCurrentPerson();  // nobody current
    EXPECT_EQ(win.repaints, 2);
    PersonRecord* p = addPerson(writable(win.doc), "Jan", "Nowak", 1000, 2000);
    view.zoomToCurrentPerson();
    EXPECT_DOUBLE_EQ(win.viewState.zoomPercent, 100);
    EXPECT_EQ(win.repaints, 3);
    EXPECT_EQ(win.doc.persons().currentPerson(), p);
}

TEST_F(ViewCommandsAlone, AHeldNavigatorArrowScrollsAgainUntilReleased) {
    view.navigatorScrollPressed(ScrollDirection::Left);
    EXPECT_EQ(win.viewState.scrollX, 50);
    EXPECT_EQ(win.focusReturns, 1);
    EXPECT_TRUE(view.scrollRepeating());
    view.navigatorScrollTick();
    view.navigatorScrollTick();
    EXPECT_EQ(win.viewState.scrollX, 150);
    EXPECT_EQ(win.focusReturns, 3);

    // Another arrow pressed takes over from the first.
    view.navigatorScrollPressed(ScrollDirection::Up);
    EXPECT_EQ(win.viewState.scrollY, 50);
    view.navigatorScrollReleased();
    EXPECT_FALSE(view.scrollRepeating());
    const int32_t y = win.viewState.scrollY;
    view.navigatorScrollTick();  // a tick already queued finds nothing held
    EXPECT_EQ(win.viewState.scrollY, y);
    EXPECT_EQ(win.viewState.scrollX, 150);

    // The timer itself repeats.
    view.navigatorScrollPressed(ScrollDirection::Right);
    EXPECT_TRUE(QTest::qWaitFor([&] { return win.viewState.scrollX < 100; }, 2000));
    view.navigatorScrollReleased();
}

TEST_F(ViewCommandsAlone, NavigatorHomeCentresTheHomePersonAndGivesTheKeyboardBack) {
    view.navigatorHome();  // an empty tree
    EXPECT_EQ(win.focusReturns, 1);
    EXPECT_EQ(win.repaints, 0);
    PersonRecord* home = addPerson(writable(win.doc), "Jan", "Nowak", 4000, 3000);
    addPerson(writable(win.doc), "Ewa", "Nowak", 10, 10);
    win.viewState.zoomPercent = 35;
    view.navigatorHome();
    EXPECT_EQ(win.doc.persons().currentPerson(), home);
    EXPECT_DOUBLE_EQ(win.viewState.zoomPercent, 100);
    EXPECT_EQ(win.focusReturns, 2);
}

TEST_F(ViewCommandsAlone, TheAreaModeIsTheCanvassToSwitch) {
    view.toggleAreaZoom();
    EXPECT_TRUE(win.gesturesSeen.area);
    view.toggleAreaZoom();
    EXPECT_FALSE(win.gesturesSeen.area);
    EXPECT_EQ(win.repaints, 0);
}

}  // namespace
}  // namespace lineara::test
