// The 140 x 50 person boxes of the HTML presentation: the small images of a
// person and the ancestors on every person page, and the preview of the
// box on the design page of the HTML window.
#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <cstdint>

#include "core/model/person_record.h"
#include "core/reports/html_settings.h"
#include "render/platform/record_codec.h"

namespace lineara {

constexpr int kHtmlBoxWidth = 140;
constexpr int kHtmlBoxHeight = 50;

// The face that stands in for "Small Fonts", the tiny bitmap face the
// settings name by default, which Linux does not have.
extern const char kSmallFontsStandIn[];

struct HtmlBoxLook {
    QColor fill;
    QColor outline;
    QColor text;
    QFont font;
    // The pixel size the settings ask for; `font` may differ (see
    // fittedBoxFont).
    int requestedPixelSize = 0;
};

// A stored colour, 0x00BBGGRR; a negative value names a system colour, of
// which "window text" is the palette's WindowText and any other black.
QColor htmlColour(int32_t stored);

// Whether the four text lines, a line step apart (see drawHtmlPersonBox),
// fit in the box without running into each other or into its border.
bool fourBoxLinesFit(const QFontMetrics& metrics);
// `font` at the pixel size nearest to its own (the smaller of two equally
// near) at which the four lines fit; a font too large for the box shrinks.
QFont fittedBoxFont(QFont font);

// The look of the boxes from the settings. Point sizes are taken at 96
// dots per inch, then fitted to the box; text is drawn without
// antialiasing so that a box without a picture has only a handful of
// colours.
HtmlBoxLook htmlBoxLook(const HtmlSettings& settings);

// A white 140 x 50 image, the surface every box is drawn on.
QImage newHtmlBoxImage();

// Draws the person's box over the whole 140 x 50 `box`: filled, with an
// outline doubled along the bottom and right edges, four centred text lines
// (given names, surname, birth date, "- " and death date; each one too wide
// for the box ends in "...") and, for a
// person with a notes file, a note symbol in the lower-right corner. The
// lower-left corner is left for the picture's thumbnail.
void drawHtmlPersonBox(QImage& box, const PersonRecord& person, const HtmlBoxLook& look,
                       const RecordCodec& codec);

// Puts the person's picture (already fitted within 193 x 193) into the
// box's lower-left corner, fitted within 25 x 30 and standing on y = 47,
// with a black frame on its outermost pixels.
void drawHtmlThumbnail(QImage& box, const QImage& picture);

// The preview on the design page: the box of `head` (when the tree has one)
// with the place of the thumbnail marked. With no person the mark is drawn
// in a black pen on white, as on the blank surface.
QImage htmlBoxPreview(const PersonRecord* head, const HtmlBoxLook& look, const RecordCodec& codec);

}  // namespace lineara
