// The view commands as a user drives them in the running program: the Zoom
// menu, the window toggles, the arrow keys, the wheel and the navigator.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QWheelEvent>

#include "core/view/view_math.h"
#include "gui/app/application.h"
#include "gui/canvas/navigator_window.h"
#include "gui/canvas/tree_canvas.h"
#include "support/add_person.h"
#include "support/fake_shell.h"
#include "support/main_window_parts.h"
#include "support/program_fixture.h"

namespace lineara {
namespace {

class ViewCommandsTest : public test::ProgramFixture {
protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        nav = program->navigator();
    }
    // Two named boxes side by side; nothing current.
    void addTwoPersons() {
        PersonList& list = test::writable(main->doc());
        for (int i = 0; i < 2; ++i) {
            ASSERT_TRUE(list.LagNyPerson(i * 400 + 70, 40).ok);
            list.edit(list.currentPerson())->setText(field::givenNames, i == 0 ? "Jan" : "Ewa");
        }
        list.setCurrentPerson(nullptr);
        main->paintTree();
    }
    void trigger(const char* name) {
        QAction* a = main->action(QString::fromLatin1(name));
        ASSERT_NE(a, nullptr) << name;
        a->trigger();
    }
    QPushButton* navButton(const char* name) {
        return nav->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    void setView(double zoom, int32_t x, int32_t y) {
        main->viewState().zoomPercent = zoom;
        main->viewState().scrollX = x;
        main->viewState().scrollY = y;
    }
    const ViewState& view() { return main->viewState(); }

    NavigatorWindow* nav = nullptr;
};

TEST_F(ViewCommandsTest, ZoomMenuFollowsViewWithItsItemsAndKeys) {
    QStringList titles;
    for (QAction* a : main->menuBar()->actions()) titles << a->text();
    ASSERT_TRUE(titles.contains(QStringLiteral("&Zoom")));
    EXPECT_EQ(titles.indexOf(QStringLiteral("&Zoom")), titles.indexOf(QStringLiteral("&View")) + 1);

    const struct {
        const char* name;
        const char* caption;
        QKeySequence key;
    } items[] = {{"ZoomIn1", "Pow&iększ", QKeySequence(Qt::Key_I)},
                 {"ZoomOut1", "P&omniejsz", QKeySequence(Qt::Key_O)},
                 {"ZoomPreset200", "200%", QKeySequence(Qt::CTRL | Qt::Key_F1)},
                 {"ZoomPreset1", "1%", QKeySequence(Qt::CTRL | Qt::Key_F8)},
                 {"Zoom1", "&Powiększ wybraną osobę", QKeySequence(Qt::Key_Z)},
                 {"Area1", "Powiększ do obsz&aru", QKeySequence()},
                 {"ShowToolBar1", "&Pasek narzędzi", QKeySequence(Qt::Key_F7)},
                 {"ShowNavigator1", "&Nawigator", QKeySequence(Qt::Key_F8)},
                 {"ShowStatusBar1", "Pasek st&atusu", QKeySequence(Qt::Key_F10)}};
    for (const auto& item : items) {
        QAction* a = main->action(QString::fromLatin1(item.name));
        ASSERT_NE(a, nullptr) << item.name;
        EXPECT_EQ(a->text(), QString::fromUtf8(item.caption));
        EXPECT_EQ(a->shortcut(), item.key) << item.name;
    }
}

// "&Całe drzewo" (Ctrl+F9) shows every box at once, however far apart,
// and the navigator counts them all.
TEST_F(ViewCommandsTest, TheWholeTreeCommandPutsEveryBoxInTheWindow) {
    PersonList& list = test::writable(main->doc());
    const std::pair<int32_t, int32_t> places[] = {{-30000, 500}, {40000, -9000}, {0, 25000}};
    for (const auto& [x, y] : places) test::addPerson(list, "Jan", "Nowak", x, y);
    list.setCurrentPerson(nullptr);
    setView(100, 0, 0);
    EXPECT_EQ(main->personCount(), 0);  // nothing of it in the window yet

    QTest::keyClick(main, Qt::Key_F9, Qt::ControlModifier);
    const QSize window = main->canvas()->size();
    for (const auto& [x, y] : places) {
        EXPECT_GE(treeToPixelX(view(), x), 0);
        EXPECT_LE(treeToPixelX(view(), int64_t(x) + kBoxWidth), window.width());
        EXPECT_GE(treeToPixelY(view(), y), 0);
        EXPECT_LE(treeToPixelY(view(), int64_t(y) + kBoxHeight), window.height());
    }
    EXPECT_LT(view().zoomPercent, 5);
    EXPECT_EQ(main->personCount(), 3);
    QAction* item = main->action(QStringLiteral("WholeTree1"));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), QStringLiteral("&Całe drzewo"));

    // An empty tree: nothing to show, and the view stays.
    list.ClearMemory();
    setView(35, 7, 7);
    QTest::keyClick(main, Qt::Key_F9, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(view().zoomPercent, 35);
    EXPECT_EQ(view().scrollX, 7);
}

TEST_F(ViewCommandsTest, ZoomStepsStopAtTheirLimitsAndTheNavigatorShowsTheRoundedZoom) {
    const double expected[] = {125, 156.25, 195.3125, 244.140625, 244.140625};
    for (double zoom : expected) {
        QTest::keyClick(main, Qt::Key_I);
        EXPECT_DOUBLE_EQ(view().zoomPercent, zoom);
    }
    EXPECT_EQ(nav->zoomText(), QStringLiteral("Zoom: 244 %"));

    setView(1.2, 0, 0);
    QTest::keyClick(main, Qt::Key_O);
    EXPECT_DOUBLE_EQ(view().zoomPercent, 0.96);
    EXPECT_EQ(nav->zoomText(), QStringLiteral("Zoom: 1 %"));
    const int32_t x = view().scrollX;
    EXPECT_GT(x, 0);
    trigger("ZoomOut1");
    EXPECT_DOUBLE_EQ(view().zoomPercent, 0.96);
    EXPECT_EQ(view().scrollX, x);
}

TEST_F(ViewCommandsTest, PresetsZoomAroundTheCentreAndTwiceDoNotMove) {
    const QSize window = main->canvas()->size();
    const struct {
        const char* name;
        double zoom;
    } presets[] = {{"ZoomPreset200", 200}, {"ZoomPreset100", 100}, {"ZoomPreset50", 50},
                   {"ZoomPreset35", 35},   {"ZoomPreset20", 20},   {"ZoomPreset10", 10},
                   {"ZoomPreset5", 5},     {"ZoomPreset1", 1}};
    for (const auto& p : presets) {
        setView(125, 300, -200);
        const int32_t centreX = pixelToTreeX(view(), window.width() / 2);
        const int32_t centreY = pixelToTreeY(view(), window.height() / 2);
        trigger(p.name);
        EXPECT_DOUBLE_EQ(view().zoomPercent, p.zoom);
        EXPECT_NEAR(pixelToTreeX(view(), window.width() / 2), centreX, 2) << p.name;
        EXPECT_NEAR(pixelToTreeY(view(), window.height() / 2), centreY, 2) << p.name;
        const ViewState once = view();
        trigger(p.name);
        EXPECT_EQ(view().scrollX, once.scrollX) << p.name;
        EXPECT_EQ(view().scrollY, once.scrollY) << p.name;
    }
    // The key of the last preset.
    setView(100, 0, 0);
    QTest::keyClick(main, Qt::Key_F8, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(view().zoomPercent, 1);
}

TEST_F(ViewCommandsTest, ZoomOnThePersonCentresItsBoxAt100Percent) {
    addTwoPersons();
    setView(35, 1234, -999);
    QTest::keyClick(main, Qt::Key_Z);  // nobody is current: nothing happens
    EXPECT_DOUBLE_EQ(view().zoomPercent, 35);
    EXPECT_EQ(view().scrollX, 1234);

    const PersonRecord* ewa = main->doc().persons().personListTail();
    main->doc().setCurrentPerson(ewa);
    QTest::keyClick(main, Qt::Key_Z);
    const QSize window = main->canvas()->size();
    const QPoint centre(window.width() / 2, window.height() / 2);
    EXPECT_DOUBLE_EQ(view().zoomPercent, 100);
    EXPECT_EQ(treeToPixelX(view(), ewa->posX() + 70), centre.x());
    EXPECT_EQ(treeToPixelY(view(), ewa->posY() + 40), centre.y());
    // The current box is drawn inverted: its white fill shows black.
    EXPECT_EQ(main->canvas()->picture().pixelColor(centre), QColor(0, 0, 0));
}

TEST_F(ViewCommandsTest, TogglesHideAndShowTheWindowParts) {
    struct {
        const char* name;
        QWidget* part;
    } toggles[] = {{"ShowToolBar1", main->findChild<QToolBar*>(QStringLiteral("ToolBar1"))},
                   {"ShowNavigator1", nav},
                   {"ShowStatusBar1", main->statusBar()}};
    for (const auto& toggle : toggles) {
        QAction* a = main->action(QString::fromLatin1(toggle.name));
        ASSERT_NE(toggle.part, nullptr) << toggle.name;
        EXPECT_TRUE(a->isChecked()) << toggle.name;
        EXPECT_TRUE(toggle.part->isVisible()) << toggle.name;
        a->trigger();
        EXPECT_FALSE(a->isChecked()) << toggle.name;
        EXPECT_FALSE(toggle.part->isVisible()) << toggle.name;
        a->trigger();
        EXPECT_TRUE(a->isChecked()) << toggle.name;
        EXPECT_TRUE(toggle.part->isVisible()) << toggle.name;
    }
    // Closing the navigator by its own window button unchecks its item.
    nav->close();
    EXPECT_FALSE(main->action(QStringLiteral("ShowNavigator1"))->isChecked());
    QTest::keyClick(main, Qt::Key_F8);
    EXPECT_TRUE(nav->isVisible());
}

TEST_F(ViewCommandsTest, AreaZoomModeIsAToggleThatAnyRepaintEnds) {
    QAction* area = main->action(QStringLiteral("Area1"));
    area->trigger();
    EXPECT_TRUE(area->isChecked());
    EXPECT_TRUE(main->interaction().areaZoomMode());
    EXPECT_EQ(main->canvas()->cursor().shape(), Qt::CrossCursor);
    main->viewing().toggleAreaZoom();
    EXPECT_FALSE(area->isChecked());
    EXPECT_FALSE(main->interaction().areaZoomMode());
    EXPECT_EQ(main->canvas()->cursor().shape(), Qt::ArrowCursor);

    main->viewing().toggleAreaZoom();
    EXPECT_TRUE(area->isChecked());
    main->paintTree();
    EXPECT_FALSE(area->isChecked());
    EXPECT_FALSE(main->interaction().areaZoomMode());
    EXPECT_EQ(main->canvas()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(ViewCommandsTest, ArrowKeysScrollOneStepAndTheWheelZooms) {
    ASSERT_EQ(main->viewing().scrollStep(), 50);
    setView(100, 0, 0);
    QTest::keyClick(main, Qt::Key_Left);  // more of the tree on the left
    EXPECT_EQ(view().scrollX, 50);
    QTest::keyClick(main, Qt::Key_Up);
    EXPECT_EQ(view().scrollY, 50);
    QTest::keyClick(main, Qt::Key_Right);
    QTest::keyClick(main, Qt::Key_Right);
    QTest::keyClick(main, Qt::Key_Down);
    EXPECT_EQ(view().scrollX, -50);
    EXPECT_EQ(view().scrollY, 0);
    setView(125, 0, 0);  // the step is in tree units: 50 pixels at 125 %
    main->action(QStringLiteral("ScrollLeft1"))->trigger();
    EXPECT_EQ(view().scrollX, 40);

    auto wheel = [this](int delta) {
        const QPointF at(20, 20);
        QWheelEvent event(at, main->canvas()->mapToGlobal(at), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(main->canvas(), &event);
        return event.isAccepted();
    };
    setView(100, 0, 0);
    EXPECT_TRUE(wheel(120));
    EXPECT_DOUBLE_EQ(view().zoomPercent, 125);
    EXPECT_EQ(nav->zoomText(), QStringLiteral("Zoom: 125 %"));
    wheel(-120);
    wheel(-120);
    EXPECT_DOUBLE_EQ(view().zoomPercent, 80);
}

TEST_F(ViewCommandsTest, AHeldNavigatorArrowRepeatsUntilReleased) {
    setView(100, 0, 0);
    QPushButton* left = navButton("ScrollLeft");
    ASSERT_NE(left, nullptr);
    QTest::mousePress(left, Qt::LeftButton);
    EXPECT_EQ(view().scrollX, 50);  // one step at once
    QTest::qWait(350);
    QTest::mouseRelease(left, Qt::LeftButton);
    const int steps = view().scrollX / 50;
    EXPECT_EQ(view().scrollX % 50, 0);
    // One at once and one every 100 ms: about four in 350 ms.
    EXPECT_GE(steps, 2);
    EXPECT_LE(steps, 5);
    QTest::qWait(250);
    EXPECT_EQ(view().scrollX, steps * 50);  // the release stopped it
    EXPECT_EQ(view().scrollY, 0);

    QPushButton* down = navButton("ScrollDown");
    QTest::mousePress(down, Qt::LeftButton);
    QTest::mouseRelease(down, Qt::LeftButton);
    EXPECT_EQ(view().scrollY, -50);
    EXPECT_EQ(QApplication::focusWidget(), main);

    // Hiding the navigator with an arrow held stops the repeat too.
    QTest::mousePress(down, Qt::LeftButton);
    main->action(QStringLiteral("ShowNavigator1"))->trigger();
    const int32_t y = view().scrollY;
    QTest::qWait(250);
    EXPECT_EQ(view().scrollY, y);
}

TEST_F(ViewCommandsTest, NavigatorZoomsAndGoesHome) {
    QTest::mouseClick(navButton("Home"), Qt::LeftButton);  // an empty tree: nothing
    EXPECT_EQ(view().scrollX, 0);
    EXPECT_EQ(view().scrollY, 0);

    QTest::mouseClick(navButton("ZoomIn"), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(view().zoomPercent, 125);
    QTest::mouseClick(navButton("ZoomOut"), Qt::LeftButton);
    QTest::mouseClick(navButton("ZoomOut"), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(view().zoomPercent, 80);
    EXPECT_EQ(nav->zoomText(), QStringLiteral("Zoom: 80 %"));

    addTwoPersons();
    PersonList& list = test::writable(main->doc());
    list.setCurrentPerson(list.personListTail());
    QTest::mouseClick(navButton("Home"), Qt::LeftButton);
    EXPECT_EQ(list.currentPerson(), list.personListHead());
    EXPECT_DOUBLE_EQ(view().zoomPercent, 100);
    const QSize window = main->canvas()->size();
    EXPECT_EQ(treeToPixelX(view(), list.personListHead()->posX() + 70), window.width() / 2);
    EXPECT_EQ(treeToPixelY(view(), list.personListHead()->posY() + 40), window.height() / 2);
    EXPECT_EQ(QApplication::focusWidget(), main);
}

}  // namespace
}  // namespace lineara
