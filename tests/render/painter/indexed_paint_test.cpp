// The window and the printed pages drawn from the box index against the
// same drawn by visiting every record: pixel for pixel the same, on a
// generated tree at several zooms and scrolls, with lines between boxes
// far apart, and after moves, undo and redo.
#include <gtest/gtest.h>

#include <random>

#include "core/model/document.h"
#include "core/model/editing.h"
#include "render/printing/page_target.h"
#include "render/printing/tree_printer.h"
#include "support/paint_support.h"
#include "testdata/synthetic_tree.h"

namespace lineara {
namespace {

using test::paint;
using test::plainView;

constexpr QSize kWindow(640, 480);

class IndexedPaintTest : public ::testing::Test {
protected:
    void SetUp() override {
        PersonList& list = test::writable(doc);
        generateSyntheticTree(list, 2500, 11);
        // Far-apart pairs whose lines cross the middle of the tree: a couple
        // and a child with its parent, each with one end or neither end in
        // the windows below.
        far1 = test::addPerson(list, "Far", "One", -60000, -40000);
        far2 = test::addPerson(list, "Far", "Two", 90000, 70000);
        far3 = test::addPerson(list, "Far", "Child", 50000, 40000);
        test::onList(list, [&](TreeEdit& edit) {
            edit.AddMarriage(far1, far2);
            edit.edit(far3)->father = far1;
            edit.edit(far3)->mother = list.personListHead()->nextPerson;
        });
    }

    const PersonList& list() const { return doc.persons(); }

    // Views around the tree: centred on some records, on the origin, and
    // between the far boxes, at zooms from far out to close in.
    std::vector<ViewState> views() {
        std::vector<const PersonRecord*> centres;
        for (const PersonRecord* r = list().personListHead(); r != nullptr; r = r->nextPerson) {
            if (rng() % 700 == 0) centres.push_back(r);
        }
        std::vector<ViewState> out;
        for (double zoom : {3.0, 20.0, 37.5, 100.0, 250.0}) {
            for (const PersonRecord* r : centres) {
                out.push_back(centredOn(r->posX(), r->posY(), zoom));
            }
            out.push_back(centredOn(0, 0, zoom));
            out.push_back(centredOn(15000, 15000, zoom));
            out.push_back(centredOn(int32_t(rng() % 20000), int32_t(rng() % 20000), zoom));
        }
        return out;
    }

    static ViewState centredOn(int32_t x, int32_t y, double zoom) {
        ViewState v = plainView(zoom);
        v.scrollX = int32_t(kWindow.width() / 2 / (zoom / 100)) - x;
        v.scrollY = int32_t(kWindow.height() / 2 / (zoom / 100)) - y;
        v.colourCode = ColourCode::Gender;
        return v;
    }

    void expectSamePaints(const std::string& when) {
        SCOPED_TRACE(when);
        PaintSettings indexed, walked;
        walked.walkWholeList = true;
        indexed.dragging = walked.dragging = rng() % 2 == 0;
        for (const ViewState& view : views()) {
            const test::Painted a = paint(list(), view, kWindow, indexed);
            const test::Painted b = paint(list(), view, kWindow, walked);
            ASSERT_TRUE(a.image == b.image) << "zoom " << view.zoomPercent << " scroll "
                                            << view.scrollX << ", " << view.scrollY;
            ASSERT_EQ(a.counts.itemCount, b.counts.itemCount);
            ASSERT_EQ(a.counts.personCount, b.counts.personCount);
        }
    }

    Document doc;
    PersonRecord* far1 = nullptr;
    PersonRecord* far2 = nullptr;
    PersonRecord* far3 = nullptr;
    std::mt19937 rng{5};
};

TEST_F(IndexedPaintTest, TheWindowIsPaintedAsAWalkOfTheWholeListPaintsIt) {
    expectSamePaints("loading");

    // A line between far boxes crossing the window with neither end in it
    // is left out, as it always was; with one end in, it is drawn.
    const test::Painted crossing = paint(list(), centredOn(15000, 15000, 100), kWindow);
    const test::Painted ownEnd =
        paint(list(), centredOn(far2->posX() + 70, far2->posY() + 40, 100), kWindow);
    EXPECT_EQ(test::countPixels(crossing.image, crossing.image.rect(), test::kPurple), 0);
    EXPECT_GT(test::countPixels(ownEnd.image, ownEnd.image.rect(), test::kPurple), 50);

    const PersonRecord* head = list().personListHead();
    doc.moveBoxes("align", {far2, head}, {{1000, 1000}, {1200, 1000}});
    expectSamePaints("an alignment");
    doc.beginLiveMove({far1});
    doc.moveLive(far1, 900, 1100);
    expectSamePaints("a drag under way");
    doc.endLiveMove("drag");
    expectSamePaints("a drag");
    ASSERT_TRUE(doc.undo());
    expectSamePaints("the drag undone");
    ASSERT_TRUE(doc.undo());
    expectSamePaints("the alignment undone");
    ASSERT_TRUE(doc.redo());
    expectSamePaints("the alignment redone");
    doc.setCurrentPerson(head->nextPerson->nextPerson);
    deleteConfirmed(doc);
    newPerson(doc, 1100, 1050, 'F');
    expectSamePaints("a deletion and a new person");
    ASSERT_TRUE(doc.undo());
    ASSERT_TRUE(doc.undo());
    expectSamePaints("both undone");
}

TEST_F(IndexedPaintTest, EachPrintedPageIsDrawnAsAWalkOfTheWholeListDrawsIt) {
    RecordCodec codec;
    // A few boxes selected, for the print of the selection.
    std::vector<const PersonRecord*> chosen{far1, far2, far3};
    for (const PersonRecord* r = list().personListHead(); r != nullptr; r = r->nextPerson) {
        if (rng() % 40 == 0) chosen.push_back(r);
    }
    doc.setSelection(chosen);
    for (int pages : {1, 3, 8}) {
        for (bool selectedOnly : {false, true}) {
            SCOPED_TRACE(std::to_string(pages) + " pages across, selected only " +
                         std::to_string(selectedOnly));
            PrintJob job;
            job.choices.pagesAcross = pages;
            job.choices.selectedOnly = selectedOnly;
            job.choices.borderWidth = 3;
            job.fontName = QStringLiteral("Liberation Serif");
            job.codec = &codec;
            ImagePages indexed(QSize(500, 350), 96), walked(QSize(500, 350), 96);
            ASSERT_EQ(printTree(indexed, list(), job), PrintOutcome::Printed);
            job.walkWholeList = true;
            ASSERT_EQ(printTree(walked, list(), job), PrintOutcome::Printed);
            ASSERT_EQ(indexed.pages().size(), walked.pages().size());
            for (size_t i = 0; i < indexed.pages().size(); ++i) {
                ASSERT_TRUE(indexed.pages()[i] == walked.pages()[i]) << "page " << i;
            }
        }
    }
}

}  // namespace
}  // namespace lineara
