// Where the ink of a line of text can fall, found from the glyphs' own
// outlines without drawing it: when that lies inside a clip, the clip
// changes nothing and need not be given to the target.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <optional>
#include <unordered_map>
#include <vector>

class QTextItem;

namespace lineara {

class TextInk {
public:
    // A rectangle holding every pixel the item drawn at `origin` (its
    // baseline's start) can touch, with room for rounding and kerning; none
    // for characters whose place cannot be told without shaping them
    // (combining marks, surrogates, controls).
    std::optional<QRectF> bounds(const QPointF& origin, const QTextItem& item);
    // The same for `text` drawn in `font`, `width` its advance.
    std::optional<QRectF> bounds(const QPointF& origin, const QString& text, const QFont& font,
                                 double width);

private:
    // A character's ink around its origin; `overhang` is how far it
    // reaches past its advance.
    struct Glyph {
        double left, top, bottom, overhang;
    };
    struct Font {
        QFont font;
        QFontMetricsF metrics;
        bool slanted;  // italic drawn by shearing an upright face
        std::unordered_map<char16_t, Glyph> glyphs;
    };
    Font& fontOf(const QFont& font);

    std::vector<Font> fonts_;  // the few a tree's boxes use
};

}  // namespace lineara
