// Relationship and parent lines of the painted tree.
#include <gtest/gtest.h>

#include "render/painter/tree_painter.h"
#include "support/paint_support.h"

namespace lineara {
namespace {

using namespace test;

// Two boxes side by side whose centres (70, 140) and (370, 140) are joined.
class RelationshipLine : public ::testing::Test {
protected:
    void SetUp() override {
        p = addPerson(list, "Jan", "", 0, 100);
        q = addPerson(list, "Ewa", "", 300, 100);
        list.setCurrentPerson(nullptr);  // no highlight
        ASSERT_TRUE(list.AddMarriage(p, q).ok);
    }
    // The dotted pattern of one line drawn from P's centre, between the boxes.
    void expectOneLineFromP(const QImage& image) {
        for (int x = 141; x < 300; ++x) {
            QRgb want = (x - 70) % 6 < 3 ? kPurple : kBackground;
            EXPECT_EQ(image.pixel(x, 140), want) << x;
        }
    }
    PersonList list;
    PersonRecord* p = nullptr;
    PersonRecord* q = nullptr;
};

TEST_F(RelationshipLine, APairStoredOnBothSidesIsDrawnOnce) {
    expectOneLineFromP(paint(list, plainView()).image);
}

TEST_F(RelationshipLine, IsDrawnFromTheLowerIdOnly) {
    q->partner[1] = nullptr;  // only P, the lower id, knows of it
    expectOneLineFromP(paint(list, plainView()).image);

    q->partner[1] = p;
    p->partner[1] = nullptr;  // only Q knows of it: not drawn
    QImage image = paint(list, plainView()).image;
    EXPECT_EQ(countPixels(image, image.rect(), kPurple), 0);
}

TEST_F(RelationshipLine, NeedsOneEndInsideTheWindow) {
    // Q far off to the right: drawn up to the window's edge.
    q->setPos(100000, 100);
    QImage image = paint(list, plainView()).image;
    EXPECT_EQ(image.pixel(396, 140), (396 - 70) % 6 < 3 ? kPurple : kBackground);
    EXPECT_GT(countPixels(image, QRect(141, 140, 259, 1), kPurple), 120);

    // Both ends outside, the line crossing the window: not drawn.
    p->setPos(-1000, 100);
    image = paint(list, plainView()).image;
    EXPECT_EQ(countPixels(image, image.rect(), kPurple), 0);
}

TEST_F(RelationshipLine, FarEndsAreClampedBeforeDrawing) {
    // Q's centre at (100070, 50140): slope 1/2 as stored, but its end is
    // clamped to (20000, 20000), which makes the line nearly diagonal.
    p->setPos(0, 0);
    q->setPos(100000, 50100);
    QImage image = paint(list, plainView()).image;
    // Step 132 from (70, 40) is on in the dot pattern.
    EXPECT_EQ(countPixels(image, QRect(202, 168, 1, 8), kPurple), 1);
    EXPECT_EQ(countPixels(image, QRect(202, 100, 1, 12), kPurple), 0);
}

// A child at (200, 300) below a father at (0, 0) and a mother at (400, 0).
class ParentLines : public ::testing::Test {
protected:
    void SetUp() override {
        father = addPerson(list, "Jan", "", 0, 0);
        mother = addPerson(list, "Ewa", "", 400, 0);
        child = addPerson(list, "Piotr", "", 200, 300);
        child->father = father;
        child->mother = mother;
        list.setCurrentPerson(nullptr);  // no highlight
    }
    QImage painted() { return paint(list, plainView(), QSize(600, 450)).image; }
    PersonList list;
    PersonRecord* father = nullptr;
    PersonRecord* mother = nullptr;
    PersonRecord* child = nullptr;
};

TEST_F(ParentLines, RunUpAStubAcrossAndUpIntoTheParent) {
    QImage image = painted();
    // Both leave the middle of the child's top edge (270, 300) and go up
    // 15 pixels; the mother's line is drawn last, over the shared stub.
    for (int y = 285; y <= 299; ++y) EXPECT_EQ(image.pixel(270, y), kMaroon) << y;
    EXPECT_EQ(image.pixel(270, 284), kBackground);
    // Across to 15 pixels below the parents' bottom edges ...
    EXPECT_EQ(image.pixel(170, 190), kNavy);
    EXPECT_EQ(image.pixel(370, 190), kMaroon);
    // ... and up into their middles (70, 80) and (470, 80).
    for (int y = 81; y <= 95; ++y) {
        EXPECT_EQ(image.pixel(70, y), kNavy) << y;
        EXPECT_EQ(image.pixel(470, y), kMaroon) << y;
    }
    EXPECT_EQ(image.pixel(69, 90), kBackground);
    EXPECT_EQ(image.pixel(71, 90), kBackground);
}

TEST_F(ParentLines, StubsScaleWithTheZoom) {
    QImage image = paint(list, plainView(200), QSize(1200, 900)).image;
    // A = (540, 600), d = 30; the father's end B = (140, 160).
    for (int y = 571; y <= 599; ++y) EXPECT_EQ(image.pixel(540, y), kMaroon) << y;
    for (int y = 161; y <= 190; ++y) EXPECT_EQ(image.pixel(140, y), kNavy) << y;
}

TEST_F(ParentLines, AnAliasBoxHasNone) {
    child->setText(field::aliasMark, "REF");  // its father is its original
    father->setText(field::aliasMark, "ALIAS");
    QImage image = painted();
    EXPECT_EQ(countPixels(image, image.rect(), kNavy), 0);
    EXPECT_EQ(countPixels(image, image.rect(), kMaroon), 0);
}

TEST_F(ParentLines, NeedOneEndInsideTheWindow) {
    father->setPos(-100000, -100000);  // far off: drawn from the child
    child->mother = nullptr;
    QImage image = painted();
    EXPECT_EQ(image.pixel(270, 290), kNavy);

    // The child off to the left, the father off to the top right: the
    // line would cross the window's top left corner but is left out.
    child->setPos(-1000, 400);
    child->mother = nullptr;
    father->setPos(1000, -500);
    image = painted();
    EXPECT_EQ(countPixels(image, image.rect(), kNavy), 0);
}

}  // namespace
}  // namespace lineara
