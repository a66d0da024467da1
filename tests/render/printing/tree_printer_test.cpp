// The printed pages, looked at two ways: as pixels of page images, and as
// the lines, rectangles and texts a recording paint device was given.
#include "render/printing/tree_printer.h"

#include <gtest/gtest.h>

#include <QPaintEngine>
#include <QTextItem>
#include <memory>

#include "support/add_person.h"
#include "support/paint_support.h"

namespace lineara {
namespace {

using test::addPerson;
using test::kBlack;
using test::kWhite;

// --- a paint device that remembers what was drawn on it ---

struct DrawnLine {
    QLine line;
    Qt::PenStyle style;
    int width;
};

class RecordingEngine : public QPaintEngine {
public:
    RecordingEngine() : QPaintEngine(AllFeatures) {}
    std::vector<DrawnLine> lines;
    std::vector<QRect> rects;
    QStringList texts;
    std::vector<QPointF> textOrigins;

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState& state) override {
        if (state.state() & DirtyPen) pen_ = state.pen();
    }
    void drawLines(const QLineF* l, int count) override {
        for (int i = 0; i < count; ++i) {
            lines.push_back({l[i].toLine(), pen_.style(), pen_.width()});
        }
    }
    void drawLines(const QLine* l, int count) override {
        for (int i = 0; i < count; ++i) lines.push_back({l[i], pen_.style(), pen_.width()});
    }
    void drawRects(const QRect* r, int count) override { rects.insert(rects.end(), r, r + count); }
    void drawRects(const QRectF* r, int count) override {
        for (int i = 0; i < count; ++i) rects.push_back(r[i].toRect());
    }
    void drawTextItem(const QPointF& p, const QTextItem& item) override {
        texts << item.text();
        textOrigins.push_back(p);
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    Type type() const override { return User; }

private:
    QPen pen_;
};

class RecordingDevice : public QPaintDevice {
public:
    explicit RecordingDevice(QSize size) : size_(size) {}
    QPaintEngine* paintEngine() const override { return &engine; }
    mutable RecordingEngine engine;

protected:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
        case PdmWidth:
            return size_.width();
        case PdmHeight:
            return size_.height();
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDepth:
            return 32;
        default:
            return QPaintDevice::metric(m);
        }
    }

private:
    QSize size_;
};

class RecordingPages : public PageTarget {
public:
    explicit RecordingPages(QSize page, int dotsPerInch = 96) : page_(page), dpi_(dotsPerInch) {}
    QSize pageSize() const override { return page_; }
    int dotsPerInch() const override { return dpi_; }
    QPainter* nextPage() override {
        painter_.reset();
        pages.push_back(std::make_unique<RecordingDevice>(page_));
        painter_ = std::make_unique<QPainter>(pages.back().get());
        return painter_.get();
    }
    bool finish() override {
        painter_.reset();
        return true;
    }
    std::vector<std::unique_ptr<RecordingDevice>> pages;
    RecordingEngine& page(size_t i) { return pages.at(i)->engine; }

private:
    QSize page_;
    int dpi_;
    std::unique_ptr<QPainter> painter_;
};

PrintJob job(const RecordCodec& codec, int pages = 1, bool selectedOnly = false, int border = 1) {
    PrintJob j;
    j.choices.pagesAcross = pages;
    j.choices.selectedOnly = selectedOnly;
    j.choices.borderWidth = border;
    j.fontName = QStringLiteral("Liberation Serif");
    j.codec = &codec;
    return j;
}

bool darkIn(const QImage& image, QRect area) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) return true;
        }
    }
    return false;
}

TEST(TreePrinter, OnePersonIsCentredAndAsLargeAsThePageAllows) {
    RecordCodec codec;
    PersonList list;
    addPerson(list, "", "", 100, 200);
    // 1000 x 700: the width decides, the box spans (25, 79) to (975, 622).
    ImagePages wide(QSize(1000, 700), 96);
    ASSERT_EQ(printTree(wide, list, job(codec)), PrintOutcome::Printed);
    ASSERT_EQ(wide.pages().size(), 1u);
    const QImage& page = wide.pages()[0];
    EXPECT_EQ(page.pixel(25, 550), kBlack);
    EXPECT_EQ(page.pixel(24, 550), kWhite);
    EXPECT_EQ(page.pixel(26, 550), kWhite);
    EXPECT_EQ(page.pixel(975, 550), kBlack);
    EXPECT_EQ(page.pixel(976, 550), kWhite);
    EXPECT_EQ(page.pixel(100, 79), kBlack);
    EXPECT_EQ(page.pixel(100, 78), kWhite);
    EXPECT_EQ(page.pixel(100, 622), kBlack);
    EXPECT_EQ(page.pixel(100, 623), kWhite);

    // A low page: the height decides, the box spans (192, 24) to (808, 376).
    ImagePages low(QSize(1000, 400), 96);
    ASSERT_EQ(printTree(low, list, job(codec, 1, false, 3)), PrintOutcome::Printed);
    const QImage& lowPage = low.pages()[0];
    EXPECT_EQ(lowPage.pixel(192, 300), kBlack);
    EXPECT_EQ(lowPage.pixel(808, 300), kBlack);
    EXPECT_EQ(lowPage.pixel(188, 300), kWhite);
    EXPECT_EQ(lowPage.pixel(812, 300), kWhite);
    // The border is three pixels wide.
    EXPECT_EQ(lowPage.pixel(193, 300), kBlack);
    EXPECT_EQ(lowPage.pixel(196, 300), kWhite);
}

TEST(TreePrinter, TwoByTwoPagesShowTheQuartersOfATwiceAsLargeDrawing) {
    RecordCodec codec;
    PersonList list;
    addPerson(list, "", "", 100, 200);
    ImagePages pages(QSize(1000, 700), 96);
    ASSERT_EQ(printTree(pages, list, job(codec, 2)), PrintOutcome::Printed);
    ASSERT_EQ(pages.pages().size(), 4u);
    const std::vector<QImage>& p = pages.pages();
    // Row 1: the box's left edge at 50 and top at 158 on page (1,1), its
    // right edge at 950 on page (1,2); row 2 has the bottom at 544.
    EXPECT_EQ(p[0].pixel(50, 400), kBlack);
    EXPECT_EQ(p[0].pixel(400, 158), kBlack);
    EXPECT_EQ(p[1].pixel(950, 400), kBlack);
    EXPECT_EQ(p[1].pixel(951, 400), kWhite);
    EXPECT_EQ(p[2].pixel(50, 300), kBlack);
    EXPECT_EQ(p[2].pixel(400, 544), kBlack);
    EXPECT_EQ(p[2].pixel(400, 545), kWhite);
    EXPECT_EQ(p[3].pixel(950, 300), kBlack);
    EXPECT_EQ(p[3].pixel(950, 600), kWhite);
    // The footer stands on the top row only.
    const QRect footer(300, 0, 400, 10);
    EXPECT_TRUE(darkIn(p[0], footer));
    EXPECT_TRUE(darkIn(p[1], footer));
    EXPECT_FALSE(darkIn(p[2], footer));
    EXPECT_FALSE(darkIn(p[3], footer));
}

TEST(TreePrinter, FooterBoxesAndTextsAreDrawnWhereTheGeometrySays) {
    RecordCodec codec;
    PersonList list;
    PersonRecord* p = addPerson(list, "Jan Maria Kazimierz Boguslaw Ferdynand", "Kowalski", 0, 0);
    p->setText(field::birthDate, "1.2.1900");
    RecordingPages pages(QSize(1000, 700));
    ASSERT_EQ(printTree(pages, list, job(codec)), PrintOutcome::Printed);
    RecordingEngine& e = pages.page(0);
    ASSERT_EQ(e.texts.size(), 5);
    EXPECT_EQ(e.texts[0],
              QStringLiteral("Printed with Lineara 1.1 - aee https://lineara.example/"));
    // The long given names are cut to fit the box, with "...".
    EXPECT_TRUE(e.texts[1].endsWith(QStringLiteral("...")));
    EXPECT_TRUE(
        QStringLiteral("Jan Maria Kazimierz Boguslaw Ferdynand").startsWith(e.texts[1].chopped(3)));
    EXPECT_EQ(e.texts[2], QStringLiteral("Kowalski"));
    EXPECT_EQ(e.texts[3], QStringLiteral("1.2.1900"));
    EXPECT_EQ(e.texts[4], QStringLiteral("- "));
    ASSERT_EQ(e.rects.size(), 1u);
    EXPECT_EQ(e.rects[0], QRect(QPoint(25, 79), QPoint(974, 621)));
}

TEST(TreePrinter, PartnersOnceDashedParentsSolidFromBesideTheCentre) {
    RecordCodec codec;
    PersonList list;
    PersonRecord* father = addPerson(list, "F", "", 0, 0);
    PersonRecord* mother = addPerson(list, "M", "", 400, 0);
    PersonRecord* child = addPerson(list, "C", "", 200, 200);
    PersonRecord* alias = addPerson(list, "F", "", 600, 200);
    ASSERT_TRUE(list.AddMarriage(mother, father).ok);
    // The partner with the higher id comes first in the list: the line is
    // still drawn once, from the other.
    ASSERT_TRUE(list.moveToFront(mother));
    child->father = father;
    child->mother = mother;
    alias->setText(field::aliasMark, kAliasBox);
    alias->father = father;
    // Bounds 0..600 x 0..200: tw = 740, th = 280; on 1480 x 1000 the width
    // decides, s = 1406 / 740 = 1.9, ox = 37, oy = 234.
    RecordingPages pages(QSize(1480, 1000));
    ASSERT_EQ(printTree(pages, list, job(codec, 1, false, 2)), PrintOutcome::Printed);
    const RecordingEngine& e = pages.page(0);
    std::vector<DrawnLine> dashed, solid;
    for (const DrawnLine& l : e.lines) (l.style == Qt::DashLine ? dashed : solid).push_back(l);
    ASSERT_EQ(dashed.size(), 1u);
    EXPECT_EQ(dashed[0].width, 1);
    // Father's centre (70, 40) -> (170, 310); mother's (470, 40) -> (930, 310).
    EXPECT_EQ(dashed[0].line, QLine(QPoint(170, 310), QPoint(930, 310)));
    ASSERT_EQ(solid.size(), 2u);
    // From 5 units left and right of the child's centre (270, 240):
    // 265 · 1.9 = 503.5 rounds to 504, 275 · 1.9 = 522.5 to 522.
    EXPECT_EQ(solid[0].line, QLine(QPoint(37 + 504, 234 + 456), QPoint(170, 310)));
    EXPECT_EQ(solid[1].line, QLine(QPoint(37 + 522, 234 + 456), QPoint(930, 310)));
    EXPECT_EQ(solid[0].width, 2);
    EXPECT_EQ(e.rects.size(), 4u);
}

TEST(TreePrinter, OnlySelectedPersonsAndTheLinesBetweenThem) {
    RecordCodec codec;
    PersonList list;
    PersonRecord* father = addPerson(list, "F", "", -1000, -1000);
    PersonRecord* partner = addPerson(list, "P", "", 300, 0);
    PersonRecord* child = addPerson(list, "C", "", 0, 0);
    PersonRecord* wife = addPerson(list, "W", "", 0, 200);
    ASSERT_TRUE(list.AddMarriage(child, partner).ok);
    ASSERT_TRUE(list.AddMarriage(child, wife).ok);
    child->father = father;

    RecordingPages none(QSize(1000, 700));
    EXPECT_EQ(printTree(none, list, job(codec, 1, true)), PrintOutcome::NothingToPrint);
    EXPECT_TRUE(none.pages.empty());

    list.setSelection({child, wife});
    RecordingPages pages(QSize(1000, 700));
    ASSERT_EQ(printTree(pages, list, job(codec, 1, true)), PrintOutcome::Printed);
    const RecordingEngine& e = pages.page(0);
    EXPECT_EQ(e.rects.size(), 2u);
    ASSERT_EQ(e.lines.size(), 1u);  // child - wife only
    EXPECT_EQ(e.lines[0].style, Qt::DashLine);
    // The bounds are the two selected boxes': 140 x 280 fitted to the height.
    const PageGeometry g = pageGeometry(PrintBounds{0, 0, 0, 200}, 1000, 700, 1, 16);
    EXPECT_EQ(e.rects[0].topLeft(), QPoint(int(g.offsetX), int(g.offsetY)));
}

// On a printer of 1200 dots per inch a printer pixel is 0.06 point: each
// border step must be visibly bolder than the one before, on one page and
// on a sheet of many, where the drawing grows and its lines with it.
TEST(TreePrinter, EachBorderStepIsVisiblyBolderOnAnyPrinter) {
    RecordCodec codec;
    PersonList list;
    PersonRecord* father = addPerson(list, "F", "", 0, 0);
    PersonRecord* mother = addPerson(list, "M", "", 400, 0);
    PersonRecord* child = addPerson(list, "C", "", 200, 300);
    child->father = father;
    ASSERT_TRUE(list.AddMarriage(father, mother).ok);
    const int dpi = 1200;
    const double point = dpi / 72.0;
    for (const int pagesAcross : {1, 2}) {
        SCOPED_TRACE(pagesAcross);
        std::vector<int> widths;
        for (int border = 1; border <= 5; ++border) {
            RecordingPages pages(QSize(9921, 14031), dpi);  // A4
            ASSERT_EQ(printTree(pages, list, job(codec, pagesAcross, false, border)),
                      PrintOutcome::Printed);
            int solid = 0, dashed = 0;
            for (const DrawnLine& l : pages.page(0).lines) {
                (l.style == Qt::DashLine ? dashed : solid) = l.width;
            }
            widths.push_back(solid);
            // The partners' dashed line is as bold as the first step.
            EXPECT_EQ(dashed, printedPenWidth(1, pagesAcross, dpi));
            EXPECT_GE(dashed, 0.4 * point * pagesAcross);
        }
        for (size_t i = 0; i < widths.size(); ++i) {
            EXPECT_NEAR(widths[i], 0.5 * point * double(i + 1) * pagesAcross, 1) << i + 1;
            if (i > 0) {
                EXPECT_GE(widths[i] - widths[i - 1], 0.4 * point * pagesAcross);
            }
        }
    }
    // On a screen-like page of 96 dots a step is still at least a pixel.
    for (int border = 1; border <= 5; ++border) EXPECT_EQ(printedPenWidth(border, 1, 96), border);
}

TEST(TreePrinter, AnEmptyTreePrintsNothingAndTheScreenFitsOnePage) {
    RecordCodec codec;
    PersonList list;
    ImagePages pages(QSize(1000, 700), 96);
    EXPECT_EQ(printTree(pages, list, job(codec)), PrintOutcome::NothingToPrint);
    EXPECT_TRUE(pages.pages().empty());

    QImage screen(400, 100, QImage::Format_RGB32);
    screen.fill(Qt::black);
    ImagePages one(QSize(1000, 700), 96);
    ASSERT_EQ(printImageFitted(one, screen), PrintOutcome::Printed);
    ASSERT_EQ(one.pages().size(), 1u);
    // 400 x 100 fits the 1000 width: 1000 x 250.
    EXPECT_EQ(one.pages()[0].pixel(999, 249), kBlack);
    EXPECT_EQ(one.pages()[0].pixel(500, 251), kWhite);
}

}  // namespace
}  // namespace lineara
