// The texts inside the boxes: fonts, styles, shortening and clipping.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>

#include "render/painter/box_font.h"
#include "render/painter/box_painter.h"
#include "support/paint_support.h"

namespace lineara {
namespace {

using namespace test;

const QString kTimes = QStringLiteral("Times New Roman");

TEST(BoxFont, TimesNewRomanIsServedByItsMetricTwin) {
    EXPECT_EQ(QFontInfo(cellHeightFont(kTimes, 16, false, false)).family(),
              QStringLiteral("Liberation Serif"));
}

TEST(BoxFont, TheCellHeightIsMetWheneverAPixelSizeMeetsIt) {
    for (bool italic : {false, true}) {
        for (int cell = 1; cell <= 60; ++cell) {
            // Whether any pixel size gives exactly this cell.
            bool reachable = false;
            for (int px = 1; px <= 80 && !reachable; ++px) {
                QFont probe(kTimes);
                probe.setItalic(italic);
                probe.setPixelSize(px);
                probe.setStyleStrategy(QFont::NoAntialias);
                probe.setHintingPreference(QFont::PreferFullHinting);
                reachable = QFontMetrics(probe).height() == cell;
            }
            int got = QFontMetrics(cellHeightFont(kTimes, cell, italic, false)).height();
            if (reachable) {
                EXPECT_EQ(got, cell) << "italic " << italic;
            } else {
                EXPECT_LE(std::abs(got - cell), 1) << cell << " italic " << italic;
            }
        }
    }
}

TEST(TextShortening, CutsTheEndAndAddsThreeDotsUntilItFits) {
    QFont font = cellHeightFont(kTimes, 16, false, false);
    QFontMetrics metrics(font);
    const QString name = QStringLiteral("Wiśniewska-Konstantynopolitańczykiewicz");
    EXPECT_EQ(shortenToWidth(QStringLiteral("Nowak"), metrics, 140), QStringLiteral("Nowak"));
    int exact = metrics.horizontalAdvance(QStringLiteral("Nowak"));
    EXPECT_EQ(shortenToWidth(QStringLiteral("Nowak"), metrics, exact), QStringLiteral("Nowak"));

    QString cut = shortenToWidth(name, metrics, 140);
    ASSERT_TRUE(cut.endsWith(QLatin1String("...")));
    QString kept = cut.chopped(3);
    EXPECT_TRUE(name.startsWith(kept));
    EXPECT_LE(metrics.horizontalAdvance(cut), 140);
    // One more character would not have fitted.
    QString longer = name.left(kept.size() + 1) + QLatin1String("...");
    EXPECT_GT(metrics.horizontalAdvance(longer), 140);

    EXPECT_EQ(shortenToWidth(name, metrics, 3), QStringLiteral("..."));
    EXPECT_EQ(shortenToWidth(name, metrics, 0), QStringLiteral("..."));
}

// One box at (0, 0) with names and dates, painted in a 300 × 200 window.
class BoxText : public ::testing::Test {
protected:
    PersonRecord* box(const std::string& given, const std::string& surname) {
        PersonRecord* r = addPerson(list, given, surname, 0, 0);
        r->setText(field::birthDate, "3.3.1845");
        r->setText(field::deathDate, "1921");
        list.setCurrentPerson(nullptr);  // no highlight
        return r;
    }
    QImage painted(double zoom, int fontSize = 16) {
        PaintSettings settings;
        settings.fontSize = fontSize;
        return paint(list, plainView(zoom), QSize(300, 200), settings).image;
    }
    PersonList list;
};

TEST_F(BoxText, PlainPersonsAreBlackAndAliasesBlue) {
    PersonRecord* r = box("Józef", "Kowalski");
    const QRect inside(0, 0, 140, 80);
    QImage plain = painted(100);
    EXPECT_GT(countPixels(plain, inside, kBlack), 100);
    EXPECT_EQ(countOther(plain, inside, {kWhite, kBlack}), 0) << "no antialiasing";

    r->setText(field::aliasMark, "ALIAS");
    QImage original = painted(100);
    EXPECT_GT(countPixels(original, inside, kBlue), 100);
    EXPECT_EQ(countPixels(original, inside, kBlack), 0);
    EXPECT_EQ(countOther(original, inside, {kWhite, kBlue}), 0);

    r->setText(field::aliasMark, "REF");
    QImage aliasBox = painted(100);
    EXPECT_GT(countPixels(aliasBox, inside, kBlue), 100);
    EXPECT_EQ(countPixels(aliasBox, inside, kBlack), 0);
    EXPECT_NE(aliasBox, original) << "italic";
}

TEST_F(BoxText, AliasTextsAreUnderlined) {
    PersonRecord* r = box("Jan", "");
    r->setText(field::birthDate, "");
    r->setText(field::deathDate, "");
    auto longestRun = [](const QImage& image, QRgb colour) {
        int best = 0;
        for (int y = 0; y < 80; ++y) {
            int run = 0;
            for (int x = 0; x < 140; ++x) {
                run = image.pixel(x, y) == colour ? run + 1 : 0;
                best = std::max(best, run);
            }
        }
        return best;
    };
    int width = QFontMetrics(cellHeightFont(kTimes, 16, false, false))
                    .horizontalAdvance(QStringLiteral("Jan"));
    EXPECT_LT(longestRun(painted(100), kBlack), width - 2);
    r->setText(field::aliasMark, "ALIAS");
    EXPECT_GE(longestRun(painted(100), kBlue), width - 1);
}

TEST_F(BoxText, IsDrawnOnlyAboveFifteenPercent) {
    box("Józef", "Kowalski");
    // A large screen font, so that text at these zooms is several pixels high.
    QImage at15 = painted(15, 50);
    EXPECT_EQ(countPixels(at15, QRect(0, 0, 21, 12), kBlack), 0);
    EXPECT_EQ(countPixels(at15, QRect(0, 0, 21, 12), kWhite), 21 * 12);
    QImage above = painted(15.5, 50);
    EXPECT_GT(countPixels(above, QRect(0, 0, 22, 12), kBlack), 0);
}

TEST_F(BoxText, IsClippedToTheBox) {
    PersonRecord* r = box("Jan", "Nowak");
    // Dates are not shortened: a long one is cut at the box's sides.
    r->setText(field::birthDate, "ABT 1850 Kraków, parafia św. Mikołaja");
    QImage image = painted(100, 16);
    EXPECT_GT(countPixels(image, QRect(0, 43, 3, 16), kBlack), 0) << "runs to the left side";
    EXPECT_EQ(countPixels(image, QRect(141, 0, 159, 200), kBlack), 0);
    // A screen font too big for the box is cut at its bottom edge.
    image = painted(100, 40);
    EXPECT_EQ(countPixels(image, QRect(0, 81, 300, 119), kBlack), 0);
    EXPECT_GT(countPixels(image, QRect(0, 70, 140, 10), kBlack), 0);
}

TEST_F(BoxText, LongNamesEndInDotsInsideTheBox) {
    box("Konstantynopolitańczykiewiczówna", "Wiśniewska-Dąbrowska-Kowalska");
    QImage image = painted(100);
    // Nothing of the names outside the box, and the box's right part has
    // text right up to its end (the dots), centred.
    EXPECT_EQ(countPixels(image, QRect(141, 0, 159, 80), kBlack), 0);
    EXPECT_GT(countPixels(image, QRect(120, 3, 20, 30), kBlack), 0);
    EXPECT_GT(countPixels(image, QRect(0, 3, 20, 30), kBlack), 0);
}

TEST_F(BoxText, RecordTextsGoThroughTheCodePage) {
    box("\xA3ucja", "");  // "Łucja" in windows-1250, "Јucja" in windows-1251
    QImage polish = painted(100);
    RecordCodec cyrillic;
    cyrillic.setCharsetCode(204);
    PaintSettings settings;
    QImage other = paint(list, plainView(), QSize(300, 200), settings, cyrillic).image;
    EXPECT_NE(polish, other);
}

}  // namespace
}  // namespace lineara
