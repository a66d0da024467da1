#include "render/painter/box_painter.h"

#include <algorithm>

#include "render/painter/box_font.h"
#include "render/painter/box_text_lines.h"
#include "render/painter/line_painter.h"
#include "render/painter/text_stamps.h"

namespace lineara {

namespace {

// At this zoom and below a box is a plain coloured rectangle.
constexpr double kTextlessZoom = 15.0;

constexpr QRgb kTextBlack = 0xFF000000;
constexpr QRgb kTextBlue = 0xFF0000FF;

}  // namespace

bool isNamed(const PersonRecord& person) { return isNamedBox(person); }

QRgb boxFill(const PersonRecord& person, ColourCode code) {
    if (!isNamed(person)) return kBoxSilver;
    switch (code) {
    case ColourCode::Gender:
        return person.text(field::sex) == "F" ? kBoxAqua : kBoxWhite;
    case ColourCode::Notes:
        return person.isEmpty(field::notesFile) ? kBoxWhite : kBoxYellow;
    case ColourCode::Picture:
        return person.isEmpty(field::pictureFile) ? kBoxWhite : kBoxYellow;
    case ColourCode::None:
        break;
    }
    return kBoxWhite;
}

BoxPainter::BoxPainter(QPainter& painter, DirectPixels* direct, QSize window, const ViewState& view,
                       const PaintSettings& settings, const RecordCodec& codec)
    : painter_(painter),
      direct_(direct),
      window_(window),
      view_(view),
      settings_(settings),
      codec_(codec),
      withText_(view.zoomPercent > kTextlessZoom),
      cellHeight_(fontCellHeight(settings.fontSize, view.zoomPercent)),
      halfWidth_(roundHalfEven(kBoxWidth * zoomFactor(view) / 2)) {
    TextStamps::trim();
}

void BoxPainter::paint(const PersonRecord& person, const BoxRect& box, QRgb fill) {
    const int left = drawCoord(box.left), top = drawCoord(box.top);
    const int right = drawCoord(box.right), bottom = drawCoord(box.bottom);
    // The edge is a line on the right and bottom only; the fill below
    // stops short of it, so the left and top sides have no outline.
    const QPoint edge[] = {{left + 1, bottom}, {right, bottom}, {right, top + 1}};
    // With text, the first line is drawn opaque over its clip rectangle
    // (from its own top to the box's bottom) after the strip above it is
    // filled: together that is exactly this one fill of the whole box.
    if (direct_ != nullptr) {
        drawPolyline(painter_, direct_, edge, 3, QColor(kBoxEdge), window_);
        direct_->fill(left, top, right - left, bottom - top, fill);
    } else {
        // Edge and fill under one change of pen and brush.
        LineRuns runs;
        gatherPolylineRuns(runs, edge, 3, window_);
        const QRect inside(left, top, right - left, bottom - top);
        PlainFills fills(painter_);
        fills.fill(runs.constData(), int(runs.size()), QColor(kBoxEdge));
        if (!inside.isEmpty()) fills.fill(&inside, 1, QColor(fill));
    }
    if (withText_) paintTexts(person, box);
}

void BoxPainter::paintTexts(const PersonRecord& person, const BoxRect& box) {
    if (person.isAliasBox()) {
        useStyle(AliasBox);
    } else if (person.isAliasOriginal()) {
        useStyle(Original);
    } else {
        useStyle(Regular);
    }
    const int width = int(std::min<int64_t>(box.right - box.left, kDrawRange));
    const StyleFont& font = styleFont(style_);
    const int64_t posY = person.posY();
    auto line = [&](const QString& text, int offset) {
        drawTextLine(text, font.stamps->entry(text, font.metrics), offset, box, posY);
    };
    auto name = [&](TextField f, int offset) {
        if (person.isEmpty(f)) return;
        QString shown;
        TextStamp& stamp =
            font.stamps->fitted(codec_.decode(person.text(f)), font.metrics, width, shown);
        drawTextLine(shown, stamp, offset, box, posY);
    };
    name(field::givenNames, kScreenBoxLines.givenNames);
    name(field::surname, kScreenBoxLines.surname);
    // Dates are only clipped, never shortened.
    if (!person.isEmpty(field::birthDate)) {
        line(codec_.decode(person.text(field::birthDate)), kScreenBoxLines.birth);
    }
    if (!person.isEmpty(field::deathDate)) {
        line(QLatin1String("- ") + codec_.decode(person.text(field::deathDate)),
             kScreenBoxLines.death);
    }
}

// One line of text, its character cell's top at `offset` tree units below
// the box's top, centred on the box and clipped to (left, line top, right,
// bottom).
void BoxPainter::drawTextLine(const QString& text, TextStamp& stamp, int offset, const BoxRect& box,
                              int64_t posY) {
    const int64_t lineTop = treeToPixelY(view_, posY + offset);
    QRect clip(QPoint(drawCoord(box.left), drawCoord(lineTop)),
               QPoint(drawCoord(box.right) - 1, drawCoord(box.bottom) - 1));
    clip &= QRect(QPoint(0, 0), window_);
    if (clip.isEmpty()) return;
    const StyleFont& font = styleFont(style_);
    const int64_t x = box.left + halfWidth_ - stamp.advance / 2;
    const QPoint at(drawCoord(x), drawCoord(lineTop + font.metrics.ascent()));
    if (direct_ != nullptr) {
        if (const QImage* pixels = font.stamps->pixels(stamp, text, font.font, font.metrics)) {
            direct_->stamp(*pixels, at - stamp.origin, clip);
            return;
        }
    }
    // A clip is a change of state that a printer or a vector file pays
    // for; it changes nothing where the glyphs stay inside anyway.
    const std::optional<QRectF> ink = inks_.bounds(at, text, font.font, stamp.advance);
    const bool clips = !ink || !QRectF(clip).contains(*ink);
    if (clips) painter_.setClipRect(clip);
    painter_.drawText(at, text);
    if (clips) painter_.setClipping(false);
}

QRgb BoxPainter::textColour(Style style) { return style == Regular ? kTextBlack : kTextBlue; }

void BoxPainter::useStyle(Style style) {
    if (styleSet_ && style == style_) return;
    style_ = style;
    styleSet_ = true;
    painter_.setFont(styleFont(style).font);
    painter_.setPen(QColor(textColour(style)));
}

const BoxPainter::StyleFont& BoxPainter::styleFont(Style style) {
    std::optional<StyleFont>& slot = fonts_[style];
    if (!slot) {
        // "REF" boxes are italic and underlined, "ALIAS" persons underlined.
        QFont font =
            cellHeightFont(settings_.fontName, cellHeight_, style == AliasBox, style != Regular);
        TextStamps* stamps = &TextStamps::of(font, textColour(style));
        slot.emplace(StyleFont{font, QFontMetrics(font), stamps});
    }
    return *slot;
}

}  // namespace lineara
