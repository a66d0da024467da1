// The canvas's gestures on their own, through a stand-in environment with a
// real canvas widget but no main window: the one state they are in, how
// modes that only look around keep a waiting link, and that no gesture is
// ever left half done in the document.
#include "gui/canvas/canvas_interaction.h"

#include <QTest>

#include "core/history/step_names.h"
#include "gui/canvas/tree_canvas.h"
#include "render/platform/record_codec.h"
#include "support/add_person.h"

namespace lineara::test {
namespace {

class FakeCanvasWindow : public CanvasEnvironment {
public:
    FakeCanvasWindow() {
        canvasWidget.resize(800, 600);
        canvasWidget.renderNow();
        viewState.zoomPercent = 100;
    }
    Document doc;
    ViewState viewState;
    TreeCanvas canvasWidget;
    AppSettings appSettings;
    RecordCodec recordCodec;
    int repaints = 0;
    std::vector<bool> areaMarks;
    std::vector<std::pair<const PersonRecord*, bool>> edits;
    QStringList errors;

    Document& document() override { return doc; }
    ViewState& view() override { return viewState; }
    TreeCanvas& canvas() override { return canvasWidget; }
    const AppSettings& settings() const override { return appSettings; }
    const RecordCodec& codec() const override { return recordCodec; }
    void repaintTree() override {
        ++repaints;
        canvasWidget.renderNow();
    }
    void refreshCommandStates() override {}
    void setStatusText(const QString&) override {}
    void showError(const QString& message) override { errors << message; }
    void editPerson(const PersonRecord* person, bool relationshipPage) override {
        edits.emplace_back(person, relationshipPage);
    }
    void openContextMenu(QPoint) override {}
    void areaZoomModeChanged(bool on) override { areaMarks.push_back(on); }
};

class CanvasInteractionAlone : public ::testing::Test {
protected:
    void SetUp() override {
        a = addPerson(writable(win.doc), "Jan", "", 102, 102);
        b = addPerson(writable(win.doc), "Ewa", "", 402, 102);
        win.doc.setCurrentPerson(nullptr);
    }
    const GestureState& state() { return canvas.state(); }
    // A press and a move past the threshold on box `a`, wherever it is.
    void startDrag() {
        const QPoint grab(a->posX() + 28, a->posY() + 18);
        canvas.press(Qt::LeftButton, grab);
        canvas.move(grab + QPoint(60, 50));
        ASSERT_TRUE(isDragging(state()));
        ASSERT_TRUE(win.doc.liveMoveActive());
    }

    FakeCanvasWindow win;
    CanvasInteraction canvas{win};
    PersonRecord* a = nullptr;
    PersonRecord* b = nullptr;
};

TEST_F(CanvasInteractionAlone, ADragIsOneStepOrNothing) {
    canvas.press(Qt::LeftButton, QPoint(130, 120));
    EXPECT_TRUE(isPressPending(state()));
    canvas.move(QPoint(135, 125));  // within the threshold
    EXPECT_TRUE(isPressPending(state()));
    EXPECT_EQ(a->posX(), 102);
    canvas.move(QPoint(190, 170));
    EXPECT_TRUE(isDragging(state()));
    canvas.release(QPoint(190, 170));
    EXPECT_TRUE(std::holds_alternative<gesture::Idle>(state()));
    EXPECT_EQ(a->posX(), 162);
    EXPECT_EQ(win.doc.undoName(), step_name::moveBoxes(1));
    EXPECT_FALSE(win.doc.liveMoveActive());

    startDrag();
    EXPECT_EQ(a->posX(), 222);
    EXPECT_TRUE(canvas.cancel());  // Escape: back where it was
    EXPECT_EQ(a->posX(), 162);
    EXPECT_FALSE(win.doc.liveMoveActive());
    canvas.release(QPoint(250, 220));  // finds nothing left to finish
    EXPECT_EQ(a->posX(), 162);
    EXPECT_FALSE(canvas.cancel());
}

// A command that starts another gesture while a drag is under way (its key
// pressed with the button still held) finishes the drag first.
TEST_F(CanvasInteractionAlone, AGestureReplacingADragKeepsTheBoxesWhereTheyAre) {
    startDrag();
    canvas.waitForLink(LinkKind::Father, TreePoint{172, 142});
    EXPECT_FALSE(win.doc.liveMoveActive());
    EXPECT_EQ(win.doc.undoName(), step_name::moveBoxes(1));
    EXPECT_EQ(waitingLink(state()), LinkKind::Father);
}

// The middle button, Alt and Ctrl only while no button gesture is under
// way; panning and the area mode give a waiting link back when they end.
TEST_F(CanvasInteractionAlone, LookingAroundKeepsAWaitingLink) {
    win.doc.setCurrentPerson(a);
    canvas.waitForLink(LinkKind::Mother, TreePoint{172, 142});

    canvas.press(Qt::MiddleButton, QPoint(300, 300));
    EXPECT_TRUE(isPanning(state()));
    EXPECT_FALSE(waitingLink(state()));  // that press was not the link's
    canvas.move(QPoint(320, 300));
    EXPECT_EQ(win.viewState.scrollX, 20);
    canvas.release(QPoint(320, 300));
    EXPECT_EQ(waitingLink(state()), LinkKind::Mother);

    canvas.keyPressed(Qt::Key_Control, Qt::ControlModifier);
    EXPECT_TRUE(canvas.areaZoomMode());
    EXPECT_TRUE(areaZoomSticky(state()));
    EXPECT_TRUE(canvas.gestureUnderWay());  // no undo while the link waits
    canvas.keyReleased(Qt::NoModifier);
    EXPECT_EQ(waitingLink(state()), LinkKind::Mother);
    EXPECT_EQ(win.areaMarks, (std::vector<bool>{true, false}));

    // Escape while panning ends the link, not the panning.
    canvas.keyPressed(Qt::Key_Alt, Qt::AltModifier);
    EXPECT_TRUE(panArmed(state()));
    EXPECT_TRUE(canvas.cancel());
    EXPECT_TRUE(panArmed(state()));
    canvas.endModes();
    EXPECT_TRUE(std::holds_alternative<gesture::Idle>(state()));

    // The link completes on the next click on a box (the view has moved
    // 20 units to the right).
    canvas.waitForLink(LinkKind::Mother, TreePoint{172, 142});
    canvas.press(Qt::LeftButton, QPoint(440, 120));
    canvas.release(QPoint(440, 120));
    EXPECT_EQ(a->mother, b);
    EXPECT_TRUE(std::holds_alternative<gesture::Idle>(state()));
}

TEST_F(CanvasInteractionAlone, ButtonGesturesIgnoreTheModesOfOtherButtonsAndKeys) {
    startDrag();
    canvas.keyPressed(Qt::Key_Alt, Qt::AltModifier);
    canvas.keyPressed(Qt::Key_Control, Qt::ControlModifier);
    canvas.press(Qt::MiddleButton, QPoint(200, 200));
    EXPECT_TRUE(isDragging(state()));
    EXPECT_TRUE(win.areaMarks.empty());
    canvas.release(QPoint(200, 200));
    EXPECT_FALSE(win.doc.liveMoveActive());
}

TEST_F(CanvasInteractionAlone, TheAreaModesBandBecomesTheViewAndTheMarksFollow) {
    canvas.setAreaZoomMode(true);
    EXPECT_EQ(win.areaMarks, std::vector<bool>{true});
    canvas.press(Qt::LeftButton, QPoint(120, 120));  // on a box, yet a band
    EXPECT_EQ(win.doc.persons().currentPerson(), nullptr);
    const auto* band = std::get_if<gesture::Band>(&state());
    ASSERT_NE(band, nullptr);
    EXPECT_TRUE(band->areaZoom);
    canvas.move(QPoint(170, 300));
    canvas.release(QPoint(170, 300));
    EXPECT_DOUBLE_EQ(win.viewState.zoomPercent, 200);
    EXPECT_FALSE(canvas.areaZoomMode());
    EXPECT_EQ(win.areaMarks, (std::vector<bool>{true, false}));

    // A full paint in the middle of such a band leaves a band that selects.
    canvas.setAreaZoomMode(true);
    canvas.press(Qt::LeftButton, QPoint(10, 10));
    canvas.endModes();
    ASSERT_TRUE(isBand(state()));
    EXPECT_FALSE(canvas.areaZoomMode());
    canvas.move(QPoint(700, 500));
    canvas.release(QPoint(700, 500));
    EXPECT_FALSE(win.doc.persons().selection().empty());
}

TEST_F(CanvasInteractionAlone, ACarriedBoxOpensTheEditorWhereItIsLetGo) {
    const EditResult made = newPerson(win.doc, 600, 400, 'M');
    const PersonRecord* fresh = win.doc.persons().currentPerson();
    canvas.carryNewBox(made);
    EXPECT_TRUE(carriesNewBox(state()));
    canvas.move(QPoint(640, 420));
    canvas.press(Qt::LeftButton, QPoint(640, 420));
    EXPECT_TRUE(carriesNewBox(state()));  // taken again where pressed
    canvas.release(QPoint(640, 420));
    ASSERT_EQ(win.edits.size(), 1u);
    EXPECT_EQ(win.edits[0].first, fresh);
    EXPECT_TRUE(std::holds_alternative<gesture::Idle>(state()));
}

}  // namespace
}  // namespace lineara::test
