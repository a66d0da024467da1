#include "render/reports/html_box_image.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <cmath>

#include "core/reports/picture_fit.h"
#include "render/painter/box_painter.h"

namespace lineara {

// A metric-compatible sans face installed with the program; hinted and
// without antialiasing it draws crisp, narrow text at small sizes much as
// the bitmap face did.
const char kSmallFontsStandIn[] = "Liberation Sans";

namespace {

constexpr int kSystemWindowText = 8;
constexpr int kCentre = 71;
constexpr int kFullTextWidth = 137;
// The surname stops short of the thumbnail in the lower-left corner.
constexpr int kSurnameTextWidth = kFullTextWidth - 28;
constexpr int kSurnameMinX = 29;
constexpr PictureSize kThumbnailFrame{25, 30};
constexpr int kThumbnailLeft = 2;
constexpr int kThumbnailBottom = 47;  // exclusive

// Spans in the box's own terms, right and bottom ends exclusive, so the
// pixels are exactly those named whatever the painter's pen would add.
void hLine(QImage& box, int x1, int x2, int y, const QColor& c) {
    for (int x = x1; x < x2; ++x) box.setPixelColor(x, y, c);
}
void vLine(QImage& box, int x, int y1, int y2, const QColor& c) {
    for (int y = y1; y < y2; ++y) box.setPixelColor(x, y, c);
}
// A rectangle's outline: the pixels just inside (x1, y1)-(x2, y2).
void frame(QImage& box, int x1, int y1, int x2, int y2, const QColor& c) {
    hLine(box, x1, x2, y1, c);
    hLine(box, x1, x2, y2 - 1, c);
    vLine(box, x1, y1, y2, c);
    vLine(box, x2 - 1, y1, y2, c);
}

// The dog-eared sheet of a notes file: the polygon (129,31) (136,31)
// (136,46) (124,46) (124,36) outlined and filled white, its fold, and two
// lines of "text".
void drawNoteSymbol(QImage& box, const QColor& pen) {
    const QColor white(Qt::white);
    for (int y = 32; y < 46; ++y) {
        // The left edge runs diagonally from (129,31) to (124,36).
        int left = y < 36 ? 124 + (36 - y) : 124;
        hLine(box, left + 1, 136, y, white);
    }
    hLine(box, 129, 137, 31, pen);
    vLine(box, 136, 31, 47, pen);
    hLine(box, 124, 137, 46, pen);
    vLine(box, 124, 36, 47, pen);
    for (int i = 0; i <= 5; ++i) box.setPixelColor(124 + i, 36 - i, pen);
    hLine(box, 124, 129, 36, pen);
    vLine(box, 129, 31, 37, pen);
    hLine(box, 127, 134, 39, pen);
    hLine(box, 127, 134, 42, pen);
}

// One text line at `y`, clipped to the text area from that line down, and
// from the free rows above it: the accent of a capital stands above the
// font's ascent, in the rows between this line's cell and the one before.
void drawLine(QPainter& painter, const QFontMetrics& metrics, const QString& text, int x, int y) {
    const int step = (49 - metrics.height()) / 3;
    const int freeRows = std::max(0, step - metrics.height());
    painter.setClipRect(QRect(QPoint(1, std::max(1, y - freeRows)), QPoint(137, 47)));
    painter.drawText(QPoint(x, y + metrics.ascent()), text);
}

int centred(const QFontMetrics& metrics, const QString& text) {
    return kCentre - metrics.horizontalAdvance(text) / 2;
}

}  // namespace

bool fourBoxLinesFit(const QFontMetrics& metrics) {
    const int height = metrics.height();
    const int step = (49 - height) / 3;
    // The last line's cell ends inside the text area (row 47; row 48 is the
    // border), and a row is left between one line's cell and the next: the
    // accents of capitals (Ż, Ś) stand a row above the font's ascent.
    return step > height && 1 + 3 * step + height <= 48;
}

QFont fittedBoxFont(QFont font) {
    const int wanted = std::max(1, font.pixelSize());
    constexpr int kLargest = 64;
    for (int change = 0; change <= std::max(wanted, kLargest); ++change) {
        for (int size : {wanted - change, wanted + change}) {
            if (size < 1 || size > std::max(wanted, kLargest)) continue;
            font.setPixelSize(size);
            if (fourBoxLinesFit(QFontMetrics(font))) return font;
        }
    }
    font.setPixelSize(wanted);  // a face that never fits: drawn as asked
    return font;
}

QColor htmlColour(int32_t stored) {
    if (stored < 0) {
        if ((stored & 0xFF) == kSystemWindowText && qGuiApp != nullptr) {
            return QGuiApplication::palette().color(QPalette::WindowText);
        }
        return QColor(Qt::black);
    }
    const auto v = static_cast<uint32_t>(stored);
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

HtmlBoxLook htmlBoxLook(const HtmlSettings& settings) {
    HtmlBoxLook look;
    look.fill = htmlColour(settings.boxColor);
    look.outline = htmlColour(settings.frameColor);
    look.text = htmlColour(settings.fontColor);
    QString family = QString::fromStdString(settings.fontName);
    if (family.compare(QLatin1String("Small Fonts"), Qt::CaseInsensitive) == 0 ||
        family.isEmpty()) {
        family = QLatin1String(kSmallFontsStandIn);
    }
    QFont font(family);
    look.requestedPixelSize = std::max(1, int(std::lround(settings.fontSize * 96.0 / 72.0)));
    font.setPixelSize(look.requestedPixelSize);
    font.setBold(settings.fontBold);
    font.setItalic(settings.fontItalic);
    font.setUnderline(settings.fontUnderline);
    font.setStrikeOut(settings.fontStrikeout);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setKerning(false);
    // Four lines must fit in the 50 pixels of a box: the stand-in's nearest
    // size to 7 points (the bitmap face's lines were shorter), and a face
    // the user chose too large for it, are both moved to a size that does.
    look.font = fittedBoxFont(font);
    return look;
}

QImage newHtmlBoxImage() {
    QImage box(kHtmlBoxWidth, kHtmlBoxHeight, QImage::Format_RGB32);
    box.fill(Qt::white);
    return box;
}

void drawHtmlPersonBox(QImage& box, const PersonRecord& person, const HtmlBoxLook& look,
                       const RecordCodec& codec) {
    // Filled and outlined (0,0)-(139,49), then a second line under the
    // bottom and beside the right edge.
    box.fill(look.fill);
    frame(box, 0, 0, 139, 49, look.outline);
    hLine(box, 0, 139, 49, look.outline);
    vLine(box, 139, 0, 50, look.outline);

    const QFontMetrics metrics(look.font);
    const int step = (49 - metrics.height()) / 3;
    {
        QPainter painter(&box);
        painter.setFont(look.font);
        painter.setPen(look.text);

        const QString given =
            shortenToWidth(codec.decode(person.text(field::givenNames)), metrics, kFullTextWidth);
        // The first line is drawn opaque: its background, the whole text
        // area below it, takes the box colour.
        painter.fillRect(QRect(QPoint(1, 1), QPoint(137, 47)), look.fill);
        drawLine(painter, metrics, given, centred(metrics, given), 1);

        const QString surname =
            shortenToWidth(codec.decode(person.text(field::surname)), metrics, kSurnameTextWidth);
        drawLine(painter, metrics, surname, std::max(kSurnameMinX, centred(metrics, surname)),
                 1 + step);

        // Dates are free text and may be long: cut like the names rather
        // than clipped at the border.
        const QString birth =
            shortenToWidth(codec.decode(person.text(field::birthDate)), metrics, kFullTextWidth);
        drawLine(painter, metrics, birth, centred(metrics, birth), 1 + 2 * step);

        const QString death =
            shortenToWidth(QLatin1String("- ") + codec.decode(person.text(field::deathDate)),
                           metrics, kFullTextWidth);
        drawLine(painter, metrics, death, centred(metrics, death), 1 + 3 * step);
    }
    if (!person.isEmpty(field::notesFile)) drawNoteSymbol(box, look.outline);
}

void drawHtmlThumbnail(QImage& box, const QImage& picture) {
    if (picture.isNull()) return;
    const PictureSize size = fitWithin({picture.width(), picture.height()}, kThumbnailFrame);
    if (size.width < 1) return;
    const QImage thumbnail =
        picture.scaled(size.width, size.height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const int top = kThumbnailBottom - size.height;
    {
        QPainter painter(&box);
        painter.drawImage(QPoint(kThumbnailLeft, top), thumbnail);
    }
    frame(box, kThumbnailLeft, top, kThumbnailLeft + size.width, kThumbnailBottom,
          QColor(Qt::black));
}

QImage htmlBoxPreview(const PersonRecord* head, const HtmlBoxLook& look, const RecordCodec& codec) {
    QImage box = newHtmlBoxImage();
    QColor pen(Qt::black);
    if (head != nullptr) {
        drawHtmlPersonBox(box, *head, look, codec);
        pen = look.outline;
    }
    // After a box the brush is clear, so only the outline is drawn;
    // without one the white brush fills the white surface again.
    frame(box, 2, 17, 27, 47, pen);
    return box;
}

}  // namespace lineara
