// Boxes, fills, edges, highlight and counts of the painted tree.
#include "render/painter/tree_painter.h"

#include <gtest/gtest.h>

#include "support/paint_support.h"

namespace lineara {
namespace {

using namespace test;

TEST(TreePainter, AnEmptyTreeIsOnlyBackground) {
    PersonList list;
    Painted p = paint(list, plainView());
    EXPECT_EQ(countPixels(p.image, p.image.rect(), kBackground), 400 * 300);
    EXPECT_EQ(p.counts.itemCount, 0);
    EXPECT_EQ(p.counts.personCount, 0);
}

TEST(TreePainter, TheEdgeIsOnTheRightAndBottomOnly) {
    PersonList list;
    addPerson(list, "", "", 10, 20);  // unnamed: silver, no text
    list.setCurrentPerson(nullptr);   // no highlight
    Painted p = paint(list, plainView());
    // Fill [10, 150) × [20, 100), top and left rows included.
    EXPECT_EQ(countPixels(p.image, QRect(QPoint(10, 20), QPoint(149, 99)), kSilver), 140 * 80);
    // Bottom row: from left + 1 up to the corner; right column: from the
    // corner up to top + 2. (left, bottom) and (right, top + 1) stay empty.
    for (int x = 11; x <= 150; ++x) EXPECT_EQ(p.image.pixel(x, 100), kBlack) << x;
    for (int y = 22; y <= 100; ++y) EXPECT_EQ(p.image.pixel(150, y), kBlack) << y;
    EXPECT_EQ(p.image.pixel(10, 100), kBackground);
    EXPECT_EQ(p.image.pixel(150, 21), kBackground);
    EXPECT_EQ(p.image.pixel(150, 20), kBackground);
    EXPECT_EQ(p.image.pixel(9, 50), kBackground);
    EXPECT_EQ(p.image.pixel(80, 19), kBackground);
    EXPECT_EQ(countPixels(p.image, p.image.rect(), kBlack), 139 + 79);
}

TEST(TreePainter, FillsFollowTheColourCode) {
    PersonList list;
    PersonRecord* woman = addPerson(list, "Ewa", "", 0, 0);
    woman->setText(field::sex, "F");
    PersonRecord* notes = addPerson(list, "Jan", "", 150, 0);
    notes->setText(field::notesFile, "jan.txt");
    PersonRecord* picture = addPerson(list, "Anna", "", 0, 100);
    picture->setText(field::pictureFile, "anna.jpg");
    picture->setText(field::sex, "f");  // only "F" is a woman
    PersonRecord* nameless = addPerson(list, "", "", 150, 100);
    nameless->setText(field::sex, "F");
    nameless->setText(field::notesFile, "x.txt");
    nameless->setText(field::pictureFile, "x.jpg");
    list.setCurrentPerson(nullptr);  // no highlight

    auto fills = [&](ColourCode code) {
        ViewState view = plainView();
        view.colourCode = code;
        QImage image = paint(list, view, QSize(400, 300), PaintSettings()).image;
        // A corner of each box, clear of any text.
        return std::vector<QRgb>{image.pixel(1, 78), image.pixel(151, 78), image.pixel(1, 178),
                                 image.pixel(151, 178)};
    };
    EXPECT_EQ(fills(ColourCode::None), (std::vector<QRgb>{kWhite, kWhite, kWhite, kSilver}));
    EXPECT_EQ(fills(ColourCode::Gender), (std::vector<QRgb>{kAqua, kWhite, kWhite, kSilver}));
    EXPECT_EQ(fills(ColourCode::Notes), (std::vector<QRgb>{kWhite, kYellow, kWhite, kSilver}));
    EXPECT_EQ(fills(ColourCode::Picture), (std::vector<QRgb>{kWhite, kWhite, kYellow, kSilver}));
}

TEST(TreePainter, LaterBoxesAreDrawnOverEarlierOnes) {
    PersonList list;
    addPerson(list, "", "", 0, 0);
    PersonRecord* top = addPerson(list, "", "", 50, 30);
    top->setText(field::givenNames, "X");
    top->setText(field::sex, "F");
    list.setCurrentPerson(nullptr);  // no highlight
    ViewState view = plainView();
    view.colourCode = ColourCode::Gender;
    QImage image = paint(list, view, QSize(400, 300), PaintSettings()).image;
    EXPECT_EQ(image.pixel(52, 75), kAqua);    // where both overlap
    EXPECT_EQ(image.pixel(48, 75), kSilver);  // the home person's own part
}

TEST(TreePainter, CountsItemsAndPersonsAndSkipsBoxesOffScreen) {
    PersonList list;
    PersonRecord* original = addPerson(list, "Jan", "Nowak", 0, 0);
    original->setText(field::aliasMark, "ALIAS");
    PersonRecord* alias = addPerson(list, "Jan", "Nowak", 200, 0);
    alias->setText(field::aliasMark, "REF");
    alias->father = original;
    addPerson(list, "", "", 0, 150);                // no name
    addPerson(list, "", "Kowalska", 0, 150);        // a surname is a name
    addPerson(list, "Far", "Away", 5000, 5000);     // off screen
    addPerson(list, "Also", "Away", -5000, -5000);  // off screen
    list.setCurrentPerson(nullptr);                 // no highlight
    Painted p = paint(list, plainView());
    EXPECT_EQ(p.counts.itemCount, 6);
    EXPECT_EQ(p.counts.personCount, 4);
    // The off-screen boxes leave nothing behind, not even an edge.
    EXPECT_EQ(countPixels(p.image, QRect(0, 251, 400, 49), kBackground), 400 * 49);
}

TEST(TreePainter, TheCurrentBoxIsInvertedWholeButForItsEdge) {
    PersonList list;
    PersonRecord* a = addPerson(list, "", "", 10, 10);
    list.setCurrentPerson(a);
    Painted p = paint(list, plainView());
    EXPECT_EQ(countPixels(p.image, QRect(10, 10, 140, 80), inverted(kSilver)), 140 * 80);
    EXPECT_EQ(p.image.pixel(150, 50), kBlack);
    EXPECT_EQ(p.image.pixel(80, 90), kBlack);
    EXPECT_EQ(p.image.pixel(9, 50), kBackground);
}

TEST(TreePainter, TheSelectionIsHighlightedInsteadOfTheCurrentPerson) {
    PersonList list;
    PersonRecord* a = addPerson(list, "", "", 0, 0);
    PersonRecord* b = addPerson(list, "", "", 200, 0);
    PersonRecord* c = addPerson(list, "", "", 0, 150);
    list.setCurrentPerson(a);
    list.setSelection({b, c});
    Painted p = paint(list, plainView());
    EXPECT_EQ(p.image.pixel(5, 5), kSilver);
    EXPECT_EQ(p.image.pixel(205, 5), inverted(kSilver));
    EXPECT_EQ(p.image.pixel(5, 155), inverted(kSilver));

    // Erasing the highlight before a move and drawing it again afterwards
    // leaves the picture as it was.
    QImage before = p.image.copy();
    QPainter painter(&p.image);
    paintSelected(painter, list, plainView());
    EXPECT_EQ(p.image.pixel(205, 5), kSilver);
    paintSelected(painter, list, plainView());
    painter.end();
    EXPECT_EQ(p.image, before);
}

TEST(TreePainter, ADraggedBoxIsLeftOutAndOnlyItsFeedbackShows) {
    PersonList list;
    addPerson(list, "Jan", "", 200, 0);
    PersonRecord* moving = addPerson(list, "Ewa", "", 0, 0);
    list.setCurrentPerson(moving);
    PaintSettings dragging;
    dragging.dragging = true;
    Painted p = paint(list, plainView(), QSize(400, 300), dragging);
    EXPECT_EQ(p.counts.itemCount, 1);
    EXPECT_EQ(p.counts.personCount, 1);
    // Its place shows the inverted background: the drag feedback's box.
    EXPECT_EQ(countPixels(p.image, QRect(0, 0, 140, 80), inverted(kBackground)), 140 * 80);
}

TEST(TreePainter, TinyZoomsStillPaintWithoutTrouble) {
    PersonList list;
    for (int i = 0; i < 50; ++i) addPerson(list, "Jan", "Nowak", i * 150, (i % 7) * 90);
    list.setCurrentPerson(nullptr);  // no highlight
    for (double zoom : {0.01, 0.1, 0.96, 1.0, 5.0, 15.0}) {
        Painted p = paint(list, plainView(zoom));
        EXPECT_EQ(p.counts.itemCount, 50);
        EXPECT_EQ(countPixels(p.image, p.image.rect(), 0xFFFF0000), 0) << zoom;
        // Boxes shrink to a pixel but do not vanish until they round to nothing.
        if (zoom >= 0.96) {
            EXPECT_GT(countPixels(p.image, p.image.rect(), kWhite), 0) << zoom;
        }
    }
}

}  // namespace
}  // namespace lineara
