// The mouse on the canvas as a user drives it: presses, moves and releases
// sent to the canvas widget of the running main window. The view is at
// 100 % without scrolling, so canvas pixels and tree units coincide.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>

#include "core/model/editing.h"
#include "gui/app/application.h"
#include "gui/canvas/tree_canvas.h"
#include "support/add_person.h"
#include "support/fake_shell.h"
#include "support/main_window_parts.h"
#include "support/program_fixture.h"

namespace lineara {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kInvertedWhite = 0xFF000000;

class GesturesTest : public test::ProgramFixture {
protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        ViewState& v = main->viewState();
        v.zoomPercent = 100;
        v.scrollX = v.scrollY = 0;
        a = add("Jan", 102, 102);
        b = add("Ewa", 302, 102);
        list().setCurrentPerson(nullptr);
        list().setTreeModified(false);
        main->paintTree();
    }
    PersonRecord* add(const char* name, int32_t x, int32_t y) {
        return test::addPerson(list(), name, "", x, y);
    }
    PersonList& list() { return test::writable(main->doc()); }
    ViewState& view() { return main->viewState(); }
    const GestureState& gestures() { return main->interaction().state(); }
    QWidget* canvas() { return main->canvas(); }
    QImage& picture() { return main->canvas()->picture(); }
    // A pixel of the box's fill, away from its texts.
    QRgb fillOf(const PersonRecord* r) { return picture().pixel(r->posX() + 4, r->posY() + 75); }

    void press(QPoint p, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(canvas(), button, Qt::NoModifier, p);
    }
    void move(QPoint p) { QTest::mouseMove(canvas(), p); }
    void release(QPoint p, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseRelease(canvas(), button, Qt::NoModifier, p);
    }
    void band(QPoint from, QPoint to) {
        press(from);
        move((from + to) / 2);
        move(to);
        release(to);
    }
    // The feedback drawn over the picture is exactly what a fresh paint
    // of the same state would show.
    void expectPictureMatchesRepaint() {
        const QImage shown = picture().copy();
        main->paintTree();
        EXPECT_TRUE(shown == picture());
    }

    PersonRecord* a = nullptr;
    PersonRecord* b = nullptr;
};

TEST_F(GesturesTest, DraggedBoxSnapsToTheGridAndIsPaintedThereOnRelease) {
    press(QPoint(130, 120));  // grabbed 28, 18 inside the box
    EXPECT_TRUE(isPressPending(gestures()));
    move(QPoint(160, 150));
    EXPECT_TRUE(isDragging(gestures()));
    EXPECT_TRUE(list().treeModified());
    EXPECT_EQ(a->posX(), 132);  // (160 − 28) div 5 · 5 + 2
    EXPECT_EQ(a->posY(), 132);
    move(QPoint(171, 150));
    EXPECT_EQ(a->posX(), 142);
    release(QPoint(171, 150));
    EXPECT_FALSE(isDragging(gestures()));
    EXPECT_EQ(fillOf(a), kInvertedWhite);  // painted at its new place, highlighted
    expectPictureMatchesRepaint();
}

TEST_F(GesturesTest, TenUnitsDoNotStartADragAndElevenDo) {
    press(QPoint(130, 120));
    move(QPoint(140, 110));
    EXPECT_FALSE(isDragging(gestures()));
    EXPECT_FALSE(list().treeModified());
    EXPECT_EQ(a->posX(), 102);
    move(QPoint(130, 131));
    EXPECT_TRUE(isDragging(gestures()));
    EXPECT_TRUE(list().treeModified());
    release(QPoint(130, 131));
}

TEST_F(GesturesTest, DraggingASelectionMovesAllItsBoxes) {
    band(QPoint(90, 90), QPoint(460, 200));
    ASSERT_EQ(list().selection().size(), 2u);
    press(QPoint(310, 110));  // on b, grabbed 8, 8
    move(QPoint(310, 160));
    release(QPoint(310, 160));
    EXPECT_EQ(b->posY(), 152);
    EXPECT_EQ(a->posY(), 152);
    EXPECT_EQ(a->posX(), 102);
    EXPECT_TRUE(a->selected());
    expectPictureMatchesRepaint();
}

TEST_F(GesturesTest, BandSelectsTheSameBoxesInAllFourDirections) {
    const QPoint corners[][2] = {{{90, 90}, {460, 200}},
                                 {{460, 200}, {90, 90}},
                                 {{460, 90}, {90, 200}},
                                 {{90, 200}, {460, 90}}};
    for (const auto& c : corners) {
        band(c[0], c[1]);
        ASSERT_EQ(list().selection().size(), 2u);
        EXPECT_EQ(list().selection()[0], a);
        EXPECT_EQ(fillOf(a), kInvertedWhite);
        EXPECT_EQ(fillOf(b), kInvertedWhite);
        expectPictureMatchesRepaint();  // the dotted band is gone
        press(QPoint(20, 20));          // empty canvas clears the selection
        release(QPoint(20, 20));
        EXPECT_TRUE(list().selection().empty());
        EXPECT_EQ(fillOf(a), kWhite);
    }
}

TEST_F(GesturesTest, BandTouchingABoxOnlyAlongItsEdgeLeavesItOut) {
    band(QPoint(10, 10), QPoint(102, 300));
    EXPECT_TRUE(list().selection().empty());
    band(QPoint(10, 10), QPoint(103, 300));
    EXPECT_EQ(list().selection().size(), 1u);
}

TEST_F(GesturesTest, HighlightFollowsTheClickedBoxByInversion) {
    press(QPoint(120, 120));
    release(QPoint(120, 120));
    EXPECT_EQ(list().currentPerson(), a);
    EXPECT_EQ(fillOf(a), kInvertedWhite);
    press(QPoint(320, 120));
    release(QPoint(320, 120));
    EXPECT_EQ(fillOf(a), kWhite);
    EXPECT_EQ(fillOf(b), kInvertedWhite);
    expectPictureMatchesRepaint();
    EXPECT_EQ(fillOf(b), kInvertedWhite);

    QSignalSpy menu(main, &MainWindow::contextMenuRequested);
    press(QPoint(120, 120), Qt::RightButton);  // the right button chooses too, but never drags
    release(QPoint(120, 120), Qt::RightButton);
    EXPECT_EQ(list().currentPerson(), a);
    EXPECT_FALSE(isPressPending(gestures()));
    EXPECT_EQ(menu.count(), 1);
    EXPECT_EQ(fillOf(a), kInvertedWhite);
    EXPECT_EQ(fillOf(b), kWhite);
}

TEST_F(GesturesTest, LinkClicksCompleteOnABoxOrCreateOneOnEmptyCanvas) {
    QSignalSpy edits(main, &MainWindow::editPersonRequested);
    list().setCurrentPerson(a);
    main->editing().linkToFather();
    ASSERT_TRUE((waitingLink(gestures()) == LinkKind::Father));
    move(QPoint(320, 130));  // the rubber line follows the mouse
    press(QPoint(320, 130));
    release(QPoint(320, 130));
    EXPECT_EQ(a->father, b);
    EXPECT_EQ(b->text(field::sex), "M");
    EXPECT_EQ(list().currentPerson(), a);
    EXPECT_FALSE((waitingLink(gestures()) == LinkKind::Father));
    EXPECT_FALSE(isPressPending(gestures()));  // the link press starts nothing else
    expectPictureMatchesRepaint();

    main->editing().linkToMother();
    ASSERT_TRUE((waitingLink(gestures()) == LinkKind::Mother));
    press(QPoint(400, 300));
    release(QPoint(400, 300));
    ASSERT_EQ(list().count(), 3u);
    EXPECT_EQ(a->mother, list().personListTail());
    EXPECT_EQ(a->mother->text(field::sex), "F");
    EXPECT_EQ(list().currentPerson(), a);
    EXPECT_FALSE(isDragging(gestures()));
    EXPECT_EQ(edits.count(), 0);

    main->editing().linkToRelative();
    ASSERT_TRUE((waitingLink(gestures()) == LinkKind::Partner));
    press(QPoint(320, 130), Qt::RightButton);  // any button completes a link
    release(QPoint(320, 130), Qt::RightButton);
    EXPECT_EQ(a->partner[1], b);
    ASSERT_EQ(edits.count(), 1);
    EXPECT_EQ(edits[0][0].value<const PersonRecord*>(), a);
    EXPECT_TRUE(edits[0][1].toBool());
}

TEST_F(GesturesTest, ClickOnTheOwnBoxOnlyEndsTheLinkGesture) {
    list().setCurrentPerson(a);
    main->editing().linkToFather();
    ASSERT_TRUE((waitingLink(gestures()) == LinkKind::Father));
    press(QPoint(120, 120));
    release(QPoint(120, 120));
    EXPECT_EQ(a->father, nullptr);
    EXPECT_FALSE(waitingLink(gestures()).has_value());
    EXPECT_FALSE(list().treeModified());
    EXPECT_FALSE(isPressPending(gestures()));
}

TEST_F(GesturesTest, PanningMovesTheViewByTheMouseInTreeUnits) {
    view().zoomPercent = 50;
    main->paintTree();
    press(QPoint(300, 200), Qt::MiddleButton);
    EXPECT_TRUE(isPanning(gestures()));
    move(QPoint(350, 190));
    EXPECT_EQ(view().scrollX, 100);
    EXPECT_EQ(view().scrollY, -20);
    EXPECT_EQ(picture().pixel(int(2 * 25 + 102 * 0.5) + 2, 60), kWhite);  // a plain white box
    release(QPoint(350, 190), Qt::MiddleButton);
    EXPECT_FALSE(isPanning(gestures()));
    EXPECT_FALSE(panArmed(gestures()));  // the full paint of the release disarms it
}

TEST_F(GesturesTest, DoubleClickAsksToEditFromTheTreeFilesFolder) {
    const QString folder = t.folder() + QStringLiteral("/trees");
    ASSERT_TRUE(QDir().mkpath(folder));
    main->doc().setCurrentFileName((folder + QStringLiteral("/family.lin")).toStdString());
    const QString before = QDir::currentPath();
    QSignalSpy edits(main, &MainWindow::editPersonRequested);
    // QTest sends the double click alone; a real one follows a click.
    press(QPoint(120, 120));
    release(QPoint(120, 120));
    QTest::mouseDClick(canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(120, 120));
    // The editor finds the tree's files from its folder by itself: the
    // working folder stays where it was.
    EXPECT_EQ(QDir::currentPath(), before);
    ASSERT_EQ(edits.count(), 1);
    EXPECT_EQ(edits[0][0].value<const PersonRecord*>(), a);
    EXPECT_FALSE(edits[0][1].toBool());
    EXPECT_FALSE(isPressPending(gestures()));
    move(QPoint(160, 160));
    EXPECT_FALSE(isDragging(gestures()));
}

TEST_F(GesturesTest, ReleasingACarriedNewBoxAsksToEditIt) {
    QSignalSpy edits(main, &MainWindow::editPersonRequested);
    main->interaction().setMousePoint({470, 300});
    main->editing().newMale();
    ASSERT_TRUE(carriesNewBox(gestures()));
    const PersonRecord* fresh = list().currentPerson();
    main->paintTree();
    move(QPoint(500, 310));
    EXPECT_EQ(fresh->posX(), 432);  // carried by its centre, on the grid
    press(QPoint(500, 310));
    release(QPoint(500, 310));
    ASSERT_EQ(edits.count(), 1);
    EXPECT_EQ(edits[0][0].value<const PersonRecord*>(), fresh);
    EXPECT_FALSE(carriesNewBox(gestures()));
}

TEST_F(GesturesTest, AreaZoomBandKeepsTheWindowProportionsAndCapsAt200) {
    const QSize window = canvas()->size();
    main->viewing().setAreaZoomMode(true);
    press(QPoint(120, 120));  // on a box, yet no box is hit in this mode
    EXPECT_TRUE(isBand(gestures()));
    move(QPoint(170, 300));
    EXPECT_EQ(std::get<gesture::Band>(gestures()).moving.y,
              120 + qRound(double(window.height()) / window.width() * 50));
    release(QPoint(170, 300));
    EXPECT_DOUBLE_EQ(view().zoomPercent, 200);
    EXPECT_EQ(view().scrollX, -120);
    EXPECT_EQ(view().scrollY, -120);
    EXPECT_FALSE(main->interaction().areaZoomMode());

    main->viewing().setAreaZoomMode(true);
    press(QPoint(40, 40));  // no width: only the view moves
    release(QPoint(40, 40));
    EXPECT_DOUBLE_EQ(view().zoomPercent, 200);
    EXPECT_EQ(view().scrollX, -(40 / 2 + 120));  // the press in tree units
}

TEST_F(GesturesTest, HoverHintNamesTheBoxUnderTheMouse) {
    a->setText(field::surname, "Nowak");
    a->setText(field::birthDate, "1900");
    a->setText(field::sex, "m");
    move(QPoint(120, 120));
    EXPECT_EQ(main->interaction().hintText(), QStringLiteral("Jan Nowak [") +
                                                  QString::number(a->personId()) +
                                                  QStringLiteral("]\r\n(1900 - )\r\n[Male]"));
    EXPECT_EQ(main->statusText(), QStringLiteral("Jan Nowak (1900 - )"));
    move(QPoint(320, 120));  // a new text: the hint is off for one move
    EXPECT_EQ(main->interaction().hintText(), QString());
    move(QPoint(321, 120));
    EXPECT_EQ(main->interaction().hintText(), QStringLiteral("Ewa  [") +
                                                  QString::number(b->personId()) +
                                                  QStringLiteral("]\r\n( - )\r\n[Female]"));
    move(QPoint(20, 20));
    EXPECT_EQ(main->interaction().hintText(), QString());
    EXPECT_EQ(main->statusText(), QString());
}

}  // namespace
}  // namespace lineara
