// Paints that write the picture's pixels directly and copy the texts drawn
// on earlier paints, against the same paints drawn wholly through QPainter:
// pixel for pixel the same, on the first paint of a text, the second (when
// its copy is made) and the later ones, for every kind of text and target.
#include <gtest/gtest.h>

#include <QFontMetrics>

#include "render/painter/box_font.h"
#include "render/painter/text_stamps.h"
#include "support/paint_support.h"
#include "testdata/synthetic_tree.h"

namespace lineara {
namespace {

using test::addPerson;
using test::plainView;

constexpr QSize kWindow(520, 380);

class DirectPaintTest : public ::testing::Test {
protected:
    void SetUp() override {
        generateSyntheticTree(list, 600, 5);
        // Texts of every kind around the origin: long ones cut or
        // shortened, aliases, other scripts drawn with fallback fonts
        // (an emoji's colour glyph is not whole pixels), marks that combine.
        struct Box {
            const char* given;
            const char* surname;
            const char* birth;
            const char* alias;
        };
        const Box boxes[] = {
            {"J\xF3zef", "Kowalski", "3.3.1845", ""},
            {"Konstantynopolita\xF1"
             "czykiewicz\xF3wna",
             "Wi\x9Cniewska-D\xB9"
             "browska",
             "ABT 1850 Krak\xF3w, parafia \x9Cw. Miko\xB3"
             "aja",
             ""},
            {"Anna", "Nowak", "1900", "ALIAS"},
            {"Anna", "Nowak", "1900", "REF"},
            {"", "", "", ""},
            {"<&>\t\"'", "x", "-", ""},
        };
        int x = -200;
        for (const Box& b : boxes) {
            PersonRecord* r = addPerson(list, b.given, b.surname, x, -100);
            r->setText(field::birthDate, b.birth);
            r->setText(field::deathDate, "1921");
            r->setText(field::aliasMark, b.alias);
            x += 150;
        }
        // Other scripts in other code pages: "漢字" in CP932, "مرحبا" (right
        // to left) in CP1256, Thai with its combining marks in CP874.
        PersonRecord* other = addPerson(list, "\x8A\xBF\x8E\x9A", "\xE3\xD1\xCD\xC8\xC7", 0, 60);
        other->setText(field::birthDate, "\xA1\xD5\xE8");
        list.setCurrentPerson(nullptr);
    }

    std::vector<ViewState> views() const {
        std::vector<ViewState> out;
        for (double zoom : {15.5, 20.0, 33.3, 100.0, 180.0, 400.0}) {
            for (int32_t dx : {260, 40, -700}) {
                // Boxes cut by every side of the window as well as inside.
                ViewState v = plainView(zoom);
                v.scrollX = int32_t(dx / (zoom / 100));
                v.scrollY = int32_t(190 / (zoom / 100)) + 40;
                v.colourCode = ColourCode::Gender;
                out.push_back(v);
            }
        }
        return out;
    }

    QImage painted(const ViewState& view, bool throughPainter, QImage::Format format,
                   QPoint shift = QPoint(), const RecordCodec& codec = RecordCodec(),
                   double pixelRatio = 1) const {
        QImage image(kWindow * pixelRatio, format);
        image.setDevicePixelRatio(pixelRatio);
        image.fill(Qt::red);
        QPainter painter(&image);
        painter.translate(shift);
        PaintSettings settings;
        settings.throughPainterOnly = throughPainter;
        paintTree(painter, kWindow, list, view, settings, codec);
        return image;
    }

    PersonList list;
};

TEST_F(DirectPaintTest, EveryPaintEqualsTheOneThroughThePainter) {
    TextStamps::forgetAll();
    struct Target {
        QImage::Format format;
        QPoint shift;  // a transformed painter cannot be written directly
        double pixelRatio = 1;
    };
    const Target targets[] = {{QImage::Format_RGB32, {}},
                              {QImage::Format_ARGB32_Premultiplied, {}},
                              {QImage::Format_RGB16, {}},
                              {QImage::Format_RGB32, {7, -3}},
                              {QImage::Format_RGB32, {}, 2}};
    for (const Target& target : targets) {
        for (const ViewState& view : views()) {
            const QImage reference =
                painted(view, true, target.format, target.shift, {}, target.pixelRatio);
            for (int round = 1; round <= 3; ++round) {
                ASSERT_TRUE(painted(view, false, target.format, target.shift, {},
                                    target.pixelRatio) == reference)
                    << "format " << target.format << " zoom " << view.zoomPercent << " scroll "
                    << view.scrollX << " paint " << round;
            }
        }
    }
}

TEST_F(DirectPaintTest, OtherScriptsAreDrawnAsThroughThePainter) {
    for (int charset : {128, 178, 222}) {
        RecordCodec codec;
        codec.setCharsetCode(charset);
        for (const ViewState& view : {plainView(100, 40, 40), plainView(250, 10, 20)}) {
            const QImage reference = painted(view, true, QImage::Format_RGB32, {}, codec);
            for (int round = 1; round <= 3; ++round) {
                ASSERT_TRUE(painted(view, false, QImage::Format_RGB32, {}, codec) == reference)
                    << "charset " << charset << " zoom " << view.zoomPercent << " paint " << round;
            }
        }
    }
}

TEST_F(DirectPaintTest, ATextDrawnTwiceIsCopiedAfterwards) {
    TextStamps::forgetAll();
    const ViewState view = plainView(100, 260, 150);
    const QFont font = cellHeightFont(PaintSettings().fontName, 16, false, false);
    const QFontMetrics metrics(font);
    TextStamps& stamps = TextStamps::of(font, test::kBlack);
    painted(view, false, QImage::Format_RGB32);
    EXPECT_TRUE(stamps.entry(QStringLiteral("Kowalski"), metrics).pixels.isNull());
    painted(view, false, QImage::Format_RGB32);
    const TextStamp& kept = stamps.entry(QStringLiteral("Kowalski"), metrics);
    ASSERT_FALSE(kept.pixels.isNull());
    EXPECT_EQ(kept.advance, metrics.horizontalAdvance(QStringLiteral("Kowalski")));
    // Through the painter only nothing is kept.
    TextStamps::forgetAll();
    painted(view, true, QImage::Format_RGB32);
    painted(view, true, QImage::Format_RGB32);
    EXPECT_TRUE(TextStamps::of(font, test::kBlack)
                    .entry(QStringLiteral("Kowalski"), metrics)
                    .pixels.isNull());
}

}  // namespace
}  // namespace lineara
