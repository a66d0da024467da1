// Draws single boxes for the tree painter: edge, fill and up to four lines
// of text. Holds what stays the same for every box of one paint (fonts,
// their metrics, the scaled text offsets) so that the per-box work is only
// what the box itself needs.
#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QSize>
#include <QString>
#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include "core/view/view_math.h"
#include "render/painter/direct_pixels.h"
#include "render/painter/text_ink.h"
#include "render/painter/text_stamps.h"
#include "render/painter/tree_painter.h"

namespace lineara {

// Box fills and edge.
constexpr QRgb kBoxWhite = 0xFFFFFFFF;
constexpr QRgb kBoxSilver = 0xFFC0C0C0;  // a box without any name
constexpr QRgb kBoxAqua = 0xFF00FFFF;    // Gender: a woman
constexpr QRgb kBoxYellow = 0xFFFFFF00;  // Notes or Picture: has one
constexpr QRgb kBoxEdge = 0xFF000000;

// Whether a record has a name at all; a box without one is silver and is
// not counted as a person.
bool isNamed(const PersonRecord& person);
// A box the navigator and the presentation's index count as a person: a
// named box that is not an alias box.
inline bool countsAsPerson(const PersonRecord& person) { return countsAsPersonBox(person); }
QRgb boxFill(const PersonRecord& person, ColourCode code);

// What is drawn lies within a few box widths of the window or the page;
// clamping to this keeps the arithmetic of an absurd zoom or a broken page
// size inside QPainter's int coordinates.
constexpr int64_t kDrawRange = 1 << 24;
inline int drawCoord(int64_t v) { return int(std::clamp<int64_t>(v, -kDrawRange, kDrawRange)); }

class BoxPainter {
public:
    // Draws through `painter`, or into `direct` where there is one.
    BoxPainter(QPainter& painter, DirectPixels* direct, QSize window, const ViewState& view,
               const PaintSettings& settings, const RecordCodec& codec);

    // Draws a visible box at `box`.
    void paint(const PersonRecord& person, const BoxRect& box, QRgb fill);

private:
    enum Style { Regular, Original, AliasBox, kStyles };  // by aliasMark
    struct StyleFont {
        QFont font;
        QFontMetrics metrics;
        TextStamps* stamps;
    };

    void paintTexts(const PersonRecord& person, const BoxRect& box);
    // `stamp` is the text's entry in the style's stamps.
    void drawTextLine(const QString& text, TextStamp& stamp, int offset, const BoxRect& box,
                      int64_t posY);
    static QRgb textColour(Style style);
    void useStyle(Style style);
    const StyleFont& styleFont(Style style);

    QPainter& painter_;
    DirectPixels* direct_;
    QSize window_;
    const ViewState& view_;
    const PaintSettings& settings_;
    const RecordCodec& codec_;
    bool withText_;
    int cellHeight_;
    int64_t halfWidth_;  // round(140 · z / 2)
    std::array<std::optional<StyleFont>, kStyles> fonts_;
    TextInk inks_;
    Style style_ = Regular;
    bool styleSet_ = false;
};

}  // namespace lineara
