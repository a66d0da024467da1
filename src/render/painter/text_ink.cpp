#include "render/painter/text_ink.h"

#include <QFontInfo>
#include <QPaintEngine>
#include <algorithm>

namespace lineara {

namespace {

// Pixels added on every side: outlines rounded to a raster's pixels and
// hinted may reach a little past their exact bounds.
constexpr double kSlack = 2.0;
// Kerning and shaping move a glyph against the sum of the plain advances,
// a fraction of the font's size at most.
constexpr double kKerningShare = 0.2;

}  // namespace

TextInk::Font& TextInk::fontOf(const QFont& font) {
    for (Font& f : fonts_) {
        if (f.font == font) return f;
    }
    const bool slanted = font.italic() && !QFontInfo(font).italic();
    fonts_.push_back(Font{font, QFontMetricsF(font), slanted, {}});
    return fonts_.back();
}

std::optional<QRectF> TextInk::bounds(const QPointF& origin, const QTextItem& item) {
    return bounds(origin, item.text(), item.font(), item.width());
}

std::optional<QRectF> TextInk::bounds(const QPointF& origin, const QString& text,
                                      const QFont& itemFont, double width) {
    if (text.isEmpty()) return std::nullopt;
    Font& font = fontOf(itemFont);
    if (font.slanted) return std::nullopt;
    double left = 0, top = 0, bottom = 0, overhang = 0;
    for (const QChar c : text) {
        if (c.isSurrogate() || c.isMark() || c.category() == QChar::Other_Control) {
            return std::nullopt;
        }
        auto at = font.glyphs.find(c.unicode());
        if (at == font.glyphs.end()) {
            const QRectF ink = font.metrics.boundingRect(c);
            const double advance = font.metrics.horizontalAdvance(c);
            at = font.glyphs
                     .emplace(c.unicode(),
                              Glyph{ink.left(), ink.top(), ink.bottom(), ink.right() - advance})
                     .first;
        }
        left = std::min(left, at->second.left);
        top = std::min(top, at->second.top);
        bottom = std::max(bottom, at->second.bottom);
        overhang = std::max(overhang, at->second.overhang);
    }
    // Every glyph starts at or after the origin and ends its advance at
    // or before the item's width; its ink lies within its own bounds
    // from there.
    const double kerning = kKerningShare * font.metrics.height();
    return QRectF(
        QPointF(origin.x() + left - kerning - kSlack, origin.y() + top - kSlack),
        QPointF(origin.x() + width + overhang + kerning + kSlack, origin.y() + bottom + kSlack));
}

}  // namespace lineara
