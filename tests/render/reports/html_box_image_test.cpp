// The person boxes of the HTML presentation, pixel by pixel.
#include "render/reports/html_box_image.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>

#include "render/painter/box_painter.h"
#include "support/add_person.h"

namespace lineara {
namespace {

using namespace test;

constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kYellowFill = 0xFFFFFFC0;
constexpr QRgb kBlueText = 0xFF0000FF;
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;

// Red outline, light yellow fill and blue text, so every part of a box
// tells which it is.
HtmlSettings colourful() {
    HtmlSettings s;
    s.frameColor = 0x0000FF;  // 0x00BBGGRR
    s.boxColor = 0xC0FFFF;
    s.fontColor = 0xFF0000;
    return s;
}

QRect bounds(const QImage& image, QRgb colour, const QRect& area) {
    QRect found;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixel(x, y) == colour) found |= QRect(x, y, 1, 1);
        }
    }
    return found;
}

class HtmlBox : public ::testing::Test {
protected:
    PersonRecord* person(const std::string& given, const std::string& surname,
                         const std::string& birth = "1.2.1900", const std::string& death = "1980") {
        PersonRecord* p = addPerson(list, given, surname);
        p->setText(field::birthDate, birth);
        p->setText(field::deathDate, death);
        return p;
    }
    QImage drawn(const PersonRecord& p) {
        QImage box = newHtmlBoxImage();
        drawHtmlPersonBox(box, p, look, codec);
        return box;
    }
    int step() const { return (49 - QFontMetrics(look.font).height()) / 3; }
    // The band of text line `n` (0 to 3) inside the text area.
    QRect band(int n) const {
        const int top = 1 + n * step();
        return QRect(QPoint(1, top), QPoint(137, std::min(47, top + step() - 1)));
    }

    PersonList list;
    RecordCodec codec;
    HtmlBoxLook look = htmlBoxLook(colourful());
};

TEST(HtmlBoxLook, ColoursFontAndTheSmallFontsStandIn) {
    HtmlSettings s;  // the defaults
    HtmlBoxLook look = htmlBoxLook(s);
    EXPECT_EQ(look.fill.rgb(), kWhite);
    EXPECT_EQ(look.outline.rgb(), kBlack);
    EXPECT_EQ(look.text, QGuiApplication::palette().color(QPalette::WindowText));
    EXPECT_EQ(QFontInfo(look.font).family(), QLatin1String(kSmallFontsStandIn));
    EXPECT_EQ(look.requestedPixelSize, 9);  // 7 points at 96 dots per inch
    // The stand-in's lines of 9 pixels would end on the border; the
    // nearest size whose four lines fit is taken.
    EXPECT_EQ(look.font.pixelSize(), 10);
    EXPECT_EQ(look.font.styleStrategy() & QFont::NoAntialias, QFont::NoAntialias);

    EXPECT_EQ(htmlColour(15794175).rgb(), 0xFFFFFFF0);  // #FFFFF0
    EXPECT_EQ(htmlColour(0x123456).rgb(), 0xFF563412);
    EXPECT_EQ(htmlColour(int32_t(0x80000005)).rgb(), kBlack);  // other system colours

    s.fontName = "Arial";
    s.fontSize = 12;
    s.fontBold = s.fontItalic = s.fontUnderline = s.fontStrikeout = true;
    look = htmlBoxLook(s);
    EXPECT_EQ(QFontInfo(look.font).family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(look.requestedPixelSize, 16);
    EXPECT_LT(look.font.pixelSize(), 16);  // too large for four lines: shrunk
    EXPECT_TRUE(fourBoxLinesFit(QFontMetrics(look.font)));
    EXPECT_TRUE(look.font.bold() && look.font.italic() && look.font.underline() &&
                look.font.strikeOut());
}

TEST_F(HtmlBox, OutlineIsDoubledAlongTheBottomAndRightEdges) {
    const QImage box = drawn(*person("", "", "", ""));
    ASSERT_EQ(box.size(), QSize(140, 50));
    for (int y = 0; y < 50; ++y) {
        EXPECT_EQ(box.pixel(139, y), kRed) << y;
        EXPECT_EQ(box.pixel(0, y), kRed) << y;
        if (y < 49) {
            EXPECT_EQ(box.pixel(138, y), kRed) << y;
        }
        if (y >= 1 && y <= 47) {
            EXPECT_EQ(box.pixel(1, y), kYellowFill) << y;
        }
    }
    for (int x = 0; x < 140; ++x) {
        EXPECT_EQ(box.pixel(x, 49), kRed) << x;
        EXPECT_EQ(box.pixel(x, 0), kRed) << x;
        if (x < 139) {
            EXPECT_EQ(box.pixel(x, 48), kRed) << x;
        }
        if (x >= 1 && x <= 137) {
            EXPECT_EQ(box.pixel(x, 47), kYellowFill) << x;
        }
    }
    // Without a death date only the dash is written; nothing else but
    // fill, outline and text.
    EXPECT_EQ(bounds(box, kBlueText, band(0)), QRect());
    EXPECT_FALSE(bounds(box, kBlueText, band(3)).isNull());
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 140; ++x) {
            const QRgb c = box.pixel(x, y);
            ASSERT_TRUE(c == kRed || c == kYellowFill || c == kBlueText) << x << "," << y;
        }
    }
}

TEST_F(HtmlBox, FourCentredLinesOneStepApart) {
    const QImage box = drawn(*person("Jan", "Kowalski", "12.3.1901", "1975"));
    const QFontMetrics metrics(look.font);
    const QString texts[] = {QStringLiteral("Jan"), QStringLiteral("Kowalski"),
                             QStringLiteral("12.3.1901"), QStringLiteral("- 1975")};
    for (int n = 0; n < 4; ++n) {
        const QRect ink = bounds(box, kBlueText, band(n));
        ASSERT_FALSE(ink.isNull()) << n;
        // Ink lies within the advance that starts at 71 - width / 2.
        const int left = 71 - metrics.horizontalAdvance(texts[n]) / 2;
        EXPECT_GE(ink.left(), left - 1) << n;
        EXPECT_LE(ink.right(), left + metrics.horizontalAdvance(texts[n])) << n;
        EXPECT_NEAR((ink.left() + ink.right()) / 2.0, 71, 3) << n;
    }
    // The rows between the lines' ink are the text of no other line.
    EXPECT_GE(step(), metrics.ascent());
}

// Whatever the face and size, the four lines stay whole inside the border
// and clear of each other: a box holds exactly the ink its lines have when
// drawn with no box around them, and no two lines' ink shares a row.
TEST(HtmlBoxFit, FourLinesStayWholeInsideTheBorderForAnyFont) {
    const struct {
        const char* face;
        int points;
        bool bold;
    } fonts[] = {{"Small Fonts", 7, false},     {"Liberation Serif", 6, false},
                 {"Liberation Sans", 8, false}, {"Arial", 12, true},
                 {"DejaVu Sans", 20, false},    {"Liberation Serif", 36, true}};
    // For each line a text with what reaches highest and lowest: "Jerzy
    // Grzegorz", "Żółkowski", "Św. Jana 1901", "Ó 1940 gjp" in CP1250 (the
    // first line is drawn from row 1, where an accent above a capital
    // would meet the border whatever the size).
    const char* const texts[] = {"Jerzy Grzegorz", "\xAF\xF3\xB3kowski", "\x8Cw. Jana 1901",
                                 "\xD3 1940 gjp"};
    const TextField fields[] = {field::givenNames, field::surname, field::birthDate,
                                field::deathDate};
    RecordCodec codec;
    PersonList list;
    PersonRecord* p = addPerson(list, "", "");
    for (int n = 0; n < 4; ++n) p->setText(fields[n], texts[n]);
    for (const auto& f : fonts) {
        HtmlSettings settings = colourful();
        settings.fontName = f.face;
        settings.fontSize = f.points;
        settings.fontBold = f.bold;
        const HtmlBoxLook look = htmlBoxLook(settings);
        const QFontMetrics metrics(look.font);
        const int step = (49 - metrics.height()) / 3;
        const std::string label = std::string(f.face) + " " + std::to_string(f.points);

        // The lines as they should be: cut to the box's width, centred,
        // each on its own surface with room above and below.
        constexpr int kMargin = 40;
        QImage all(140, 50 + 2 * kMargin, QImage::Format_RGB32);
        all.fill(kYellowFill);
        int previousBottom = 0;
        for (int n = 0; n < 4; ++n) {
            QString text = codec.decode(texts[n]);
            if (n == 3) text = QStringLiteral("- ") + text;
            int x = 71 - metrics.horizontalAdvance(text) / 2;
            if (n == 1) x = std::max(29, x);
            const QPoint at(x, kMargin + 1 + n * step + metrics.ascent());
            QImage alone(all.size(), QImage::Format_RGB32);
            alone.fill(kYellowFill);
            for (QImage* image : {&all, &alone}) {
                QPainter painter(image);
                painter.setFont(look.font);
                painter.setPen(QColor(kBlueText));
                painter.drawText(at, text);
            }
            const QRect ink = bounds(alone, kBlueText, alone.rect()).translated(0, -kMargin);
            EXPECT_GT(ink.top(), previousBottom) << label << " line " << n;
            previousBottom = ink.bottom();
        }
        EXPECT_LE(previousBottom, 47) << label;

        QImage box = newHtmlBoxImage();
        drawHtmlPersonBox(box, *p, look, codec);
        int differences = 0;
        for (int y = 0; y < 50; ++y) {
            for (int x = 0; x < 140; ++x) {
                const bool inBox = box.pixel(x, y) == kBlueText;
                differences += inBox != (all.pixel(x, y + kMargin) == kBlueText);
            }
        }
        EXPECT_EQ(differences, 0) << label;
    }
}

TEST_F(HtmlBox, TooWideNamesEndInThreeDots) {
    const QFontMetrics metrics(look.font);
    const std::string longGiven = "Bartholomew Maximilian Konstanty Wojciech";
    const std::string longSurname = "Konstantynopolitanczykiewicz-Brzeczyszczykiewicz";
    const QImage box = drawn(*person(longGiven, longSurname));

    const QString given = shortenToWidth(QString::fromLatin1(longGiven.c_str()), metrics, 137);
    const QString surname = shortenToWidth(QString::fromLatin1(longSurname.c_str()), metrics, 109);
    ASSERT_TRUE(given.endsWith(QLatin1String("...")));
    ASSERT_TRUE(surname.endsWith(QLatin1String("...")));
    EXPECT_LE(metrics.horizontalAdvance(surname), 109);
    EXPECT_GT(metrics.horizontalAdvance(surname),
              109 - metrics.horizontalAdvance(QLatin1Char('W')) -
                  metrics.horizontalAdvance(QLatin1String("...")));
    // Drawing the shortened texts gives the very same box.
    const QImage expected = drawn(*person(given.toStdString(), surname.toStdString()));
    EXPECT_EQ(box, expected);
    // The surname keeps clear of the thumbnail: nothing left of x = 29.
    EXPECT_GE(bounds(box, kBlueText, band(1)).left(), 29);
    EXPECT_LE(bounds(box, kBlueText, band(0)).right(), 137);
}

// Dates are free text: one too wide for the box ends in "..." as a name
// does, rather than running into the border.
TEST_F(HtmlBox, TooWideDatesEndInThreeDots) {
    const QFontMetrics metrics(look.font);
    const std::string birth = "ok. 1901, zapisane w ksiedze parafialnej w Krakowie";
    const std::string death = "1940, pochowany na cmentarzu Rakowickim";
    const QString cutBirth = shortenToWidth(QString::fromLatin1(birth.c_str()), metrics, 137);
    const QString cutDeath =
        shortenToWidth(QStringLiteral("- ") + QString::fromLatin1(death.c_str()), metrics, 137);
    ASSERT_TRUE(cutBirth.endsWith(QLatin1String("...")));
    ASSERT_TRUE(cutDeath.endsWith(QLatin1String("...")));
    const QImage box = drawn(*person("Jan", "Kos", birth, death));
    // The dash is drawn as the line's start, so the cut death date is the
    // text after it.
    const QImage expected =
        drawn(*person("Jan", "Kos", cutBirth.toStdString(), cutDeath.mid(2).toStdString()));
    EXPECT_EQ(box, expected);
}

TEST_F(HtmlBox, AMediumSurnameStartsAtX29RatherThanCentred) {
    const QFontMetrics metrics(look.font);
    // Wide enough that centring would put it left of x = 29, narrow
    // enough not to be shortened.
    std::string name = "Wisniewski";
    while (metrics.horizontalAdvance(QString::fromLatin1(name.c_str())) <= 90) name += "ak";
    ASSERT_LE(metrics.horizontalAdvance(QString::fromLatin1(name.c_str())), 109);
    const QImage box = drawn(*person("A", name));
    const QRect ink = bounds(box, kBlueText, band(1));
    EXPECT_GE(ink.left(), 29);
    EXPECT_LE(ink.left(), 31);
}

TEST_F(HtmlBox, TheNoteSymbolMarksANotesFile) {
    PersonRecord* p = person("Anna", "Nowak");
    const QImage plain = drawn(*p);
    p->setText(field::notesFile, "anna.txt");
    const QImage noted = drawn(*p);
    // The sheet: outline, white inside, the fold and two strokes.
    for (auto [x, y] : {std::pair{129, 31},
                        {136, 31},
                        {136, 46},
                        {124, 46},
                        {124, 36},
                        {126, 34},
                        {127, 36},
                        {129, 34},
                        {127, 39},
                        {133, 39},
                        {127, 42},
                        {133, 42},
                        {130, 31},
                        {136, 40},
                        {130, 46},
                        {124, 40}}) {
        EXPECT_EQ(noted.pixel(x, y), kRed) << x << "," << y;
        EXPECT_EQ(plain.pixel(x, y), kYellowFill) << x << "," << y;
    }
    for (auto [x, y] :
         {std::pair{134, 39}, {131, 33}, {135, 45}, {125, 37}, {126, 40}, {130, 44}, {128, 33}}) {
        EXPECT_EQ(noted.pixel(x, y), kWhite) << x << "," << y;
    }
    // Outside the diagonal edge the box stays as it was.
    for (auto [x, y] : {std::pair{125, 34}, {128, 31}, {123, 40}, {137, 40}}) {
        EXPECT_EQ(noted.pixel(x, y), plain.pixel(x, y)) << x << "," << y;
    }
}

TEST_F(HtmlBox, ThumbnailsStandOnY47InABlackFrame) {
    struct Case {
        QSize picture;
        QSize thumbnail;
    };
    for (const Case& c : {Case{{193, 97}, {25, 13}}, Case{{40, 300}, {4, 30}},
                          Case{{20, 10}, {20, 10}}, Case{{1, 193}, {1, 30}}}) {
        QImage picture(c.picture, QImage::Format_RGB32);
        picture.fill(QColor(0, 200, 0));
        QImage box = drawn(*person("", ""));
        drawHtmlThumbnail(box, picture);
        const QRect place(2, 47 - c.thumbnail.height(), c.thumbnail.width(), c.thumbnail.height());
        EXPECT_EQ(bounds(box, kBlack, QRect(1, 1, 137, 47)), place) << c.picture.width();
        // Inside the frame the picture, outside it the box.
        if (place.width() > 2 && place.height() > 2) {
            EXPECT_EQ(box.pixel(place.center()), qRgb(0, 200, 0));
        }
        EXPECT_EQ(box.pixel(place.right() + 1, 46), kYellowFill);
        EXPECT_EQ(box.pixel(2, 47), kYellowFill);
        EXPECT_EQ(box.pixel(2, place.top() - 1), kYellowFill);
    }
}

TEST_F(HtmlBox, ThePreviewMarksTheThumbnailPlace) {
    QImage preview = htmlBoxPreview(nullptr, look, codec);
    EXPECT_EQ(bounds(preview, kBlack, preview.rect()), QRect(QPoint(2, 17), QPoint(26, 46)));
    EXPECT_EQ(preview.pixel(10, 30), kWhite);

    const PersonRecord* head = person("Jan", "Kowalski");
    preview = htmlBoxPreview(head, look, codec);
    QImage box = drawn(*head);
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 140; ++x) {
            const bool edge = (x == 2 || x == 26) && y >= 17 && y <= 46;
            const bool rule = (y == 17 || y == 46) && x >= 2 && x <= 26;
            ASSERT_EQ(preview.pixel(x, y), edge || rule ? kRed : box.pixel(x, y)) << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace lineara
