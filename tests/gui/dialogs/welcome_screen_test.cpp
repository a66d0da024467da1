// The welcome screen: where the draw puts the buttons, which button is the
// default, and what the clicks ask for.
#include "gui/dialogs/welcome_screen.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include "support/fake_shell.h"

namespace lineara {
namespace {

class WelcomeScreenTest : public ::testing::Test {
protected:
    test::TestContext t;
};

TEST_F(WelcomeScreenTest, DrawDecidesWhereTheButtonsStand) {
    WelcomeScreen kept(t.ctx, 0);
    EXPECT_FALSE(kept.buttonsSwapped());
    EXPECT_EQ(kept.startButton()->x(), 195);
    EXPECT_EQ(kept.webButton()->x(), 48);

    WelcomeScreen swapped(t.ctx, 1);
    EXPECT_TRUE(swapped.buttonsSwapped());
    EXPECT_EQ(swapped.webButton()->x(), 195);
    EXPECT_EQ(swapped.startButton()->x(), 48);
    EXPECT_EQ(swapped.webButton()->y(), swapped.startButton()->y());

    // Drawn at random, it is one of the two.
    WelcomeScreen drawn(t.ctx);
    EXPECT_EQ(drawn.startButton()->x(), drawn.buttonsSwapped() ? 48 : 195);
}

TEST_F(WelcomeScreenTest, WebButtonIsTheDefaultEitherWay) {
    for (int draw : {0, 1}) {
        WelcomeScreen screen(t.ctx, draw);
        EXPECT_TRUE(screen.webButton()->isDefault()) << draw;
        EXPECT_FALSE(screen.startButton()->isDefault()) << draw;
        EXPECT_TRUE(screen.webButton()->focusPolicy() & Qt::TabFocus) << draw;
        EXPECT_EQ(screen.startButton()->text(), QStringLiteral("Start Lineara"));
    }
}

TEST_F(WelcomeScreenTest, IsABorderlessWindowOnTopInTheMiddleOfTheScreen) {
    WelcomeScreen screen(t.ctx, 0);
    EXPECT_TRUE(screen.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(screen.windowFlags() & Qt::WindowStaysOnTopHint);
    const QPoint middle = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((screen.geometry().center() - middle).manhattanLength(), 2);
}

TEST_F(WelcomeScreenTest, StartHidesTheScreenAndHandsOver) {
    WelcomeScreen screen(t.ctx, 1);
    QSignalSpy started(&screen, &WelcomeScreen::startRequested);
    QSignalSpy home(&screen, &WelcomeScreen::homePageRequested);
    screen.show();
    bool visibleWhenStarted = true;
    QObject::connect(&screen, &WelcomeScreen::startRequested,
                     [&] { visibleWhenStarted = screen.isVisible(); });
    QTest::mouseClick(screen.startButton(), Qt::LeftButton);
    EXPECT_EQ(started.count(), 1);
    EXPECT_FALSE(visibleWhenStarted);
    EXPECT_FALSE(screen.isVisible());
    EXPECT_EQ(home.count(), 0);
}

TEST_F(WelcomeScreenTest, PictureTitleAndWebButtonAskForTheHomePage) {
    WelcomeScreen screen(t.ctx, 0);
    QSignalSpy home(&screen, &WelcomeScreen::homePageRequested);
    screen.show();
    QTest::mouseClick(screen.webButton(), Qt::LeftButton);
    EXPECT_EQ(home.count(), 1);
    QTest::mouseClick(&screen, Qt::LeftButton, {}, QPoint(80, 80));  // the picture
    EXPECT_EQ(home.count(), 2);
    QTest::mouseClick(&screen, Qt::LeftButton, {}, QPoint(200, 72));  // the title
    EXPECT_EQ(home.count(), 3);
    // The plain background asks for nothing, nor does the right button.
    QTest::mouseClick(&screen, Qt::LeftButton, {}, QPoint(10, 170));
    QTest::mouseClick(&screen, Qt::RightButton, {}, QPoint(200, 72));
    EXPECT_EQ(home.count(), 3);
    EXPECT_TRUE(screen.isVisible());
}

TEST_F(WelcomeScreenTest, EnterPressesTheFocusedButton) {
    WelcomeScreen screen(t.ctx, 0);
    QSignalSpy started(&screen, &WelcomeScreen::startRequested);
    QSignalSpy home(&screen, &WelcomeScreen::homePageRequested);
    screen.show();
    screen.webButton()->setFocus();
    QTest::keyClick(&screen, Qt::Key_Return);
    EXPECT_EQ(home.count(), 1);
    screen.startButton()->setFocus();
    QTest::keyClick(&screen, Qt::Key_Enter);
    EXPECT_EQ(started.count(), 1);
}

}  // namespace
}  // namespace lineara
