#include "render/painter/text_stamps.h"

#include <QPainter>
#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <tuple>

namespace lineara {

namespace {

// About 32 MiB of pixels a thread, some tens of thousands of texts at the
// usual zooms; a stamp larger than a big box's text is not worth keeping.
constexpr qsizetype kMaxStampBytes = qsizetype(32) << 20;
constexpr qsizetype kMaxOneStampBytes = 64 << 10;
constexpr int kMaxTexts = 200000;

struct ThreadStamps {
    std::map<std::tuple<QString, QRgb, int>, std::unique_ptr<TextStamps>> fonts;
    qsizetype bytes = 0;
    int texts = 0;
};

ThreadStamps& threadStamps() {
    thread_local ThreadStamps stamps;
    return stamps;
}

// Whether every pixel is either untouched or fully the text's colour, and
// nothing reaches the border (the text could have been cut off there).
bool wholePixelsInside(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = qAlpha(line[x]);
            if (alpha == 0) continue;
            if (alpha != 0xFF) return false;
            if (y == 0 || y == image.height() - 1 || x == 0 || x == image.width() - 1) {
                return false;
            }
        }
    }
    return true;
}

QLatin1String ellipsis() { return QLatin1String("..."); }

}  // namespace

QString shortenToWidth(const QString& text, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(text) <= width) return text;
    QString kept = text;
    while (!kept.isEmpty() && metrics.horizontalAdvance(kept + ellipsis()) > width) {
        // Never leave half of a surrogate pair behind.
        int cut = kept.size() >= 2 && kept.back().isLowSurrogate() ? 2 : 1;
        kept.chop(cut);
    }
    return kept + ellipsis();
}

TextStamps& TextStamps::of(const QFont& font, QRgb colour, int dpi) {
    std::unique_ptr<TextStamps>& slot = threadStamps().fonts[{font.key(), colour, dpi}];
    if (!slot) slot.reset(new TextStamps(colour));
    return *slot;
}

void TextStamps::trim() {
    ThreadStamps& stamps = threadStamps();
    if (stamps.bytes <= kMaxStampBytes && stamps.texts <= kMaxTexts) return;
    forgetAll();
}

void TextStamps::forgetAll() {
    ThreadStamps& stamps = threadStamps();
    stamps.fonts.clear();
    stamps.bytes = 0;
    stamps.texts = 0;
}

TextStamp& TextStamps::entry(const QString& text, const QFontMetrics& metrics) {
    auto it = texts_.find(text);
    if (it == texts_.end()) {
        it = texts_.insert(text, TextStamp());
        it->advance = metrics.horizontalAdvance(text);
        ++threadStamps().texts;
    }
    return *it;
}

TextStamp& TextStamps::fitted(const QString& text, const QFontMetrics& metrics, int width,
                              QString& shown) {
    TextStamp& whole = entry(text, metrics);
    if (whole.advance <= width) {
        shown = text;
        return whole;
    }
    if (whole.fittedTo != width) {
        whole.fitted = shortenToWidth(text, metrics, width);
        whole.fittedTo = width;
    }
    shown = whole.fitted;  // before the next entry() may move `whole`
    return entry(shown, metrics);
}

const QImage* TextStamps::pixels(TextStamp& stamp, const QString& text, const QFont& font,
                                 const QFontMetrics& metrics) {
    if (!stamp.pixels.isNull()) return &stamp.pixels;
    // A text drawn once is often never drawn again (a scroll passes it);
    // only a second drawing pays for the stamp.
    if (!stamp.stampable || ++stamp.drawn < 2) return nullptr;
    stamp.stampable = make(stamp, text, font, metrics);
    return stamp.stampable ? &stamp.pixels : nullptr;
}

bool TextStamps::make(TextStamp& stamp, const QString& text, const QFont& font,
                      const QFontMetrics& metrics) {
    // Room for the glyphs' ink beyond the advance (italics, accents), the
    // underline below the baseline, and an empty border.
    const QRect ink = metrics.boundingRect(text);
    const int spare = 2 + metrics.height() / 2;
    const int left = std::min(0, ink.left()) - spare;
    const int right = std::max(stamp.advance, ink.right() + 1) + spare;
    const int top = std::min(-metrics.ascent(), ink.top()) - spare;
    const int bottom = std::max(metrics.descent(), ink.bottom() + 1) + spare;
    const qsizetype bytes = qsizetype(right - left) * (bottom - top) * 4;
    if (bytes > kMaxOneStampBytes) return false;
    QImage image(right - left, bottom - top, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return false;
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(font);
        painter.setPen(QColor::fromRgba(colour_));
        painter.drawText(QPoint(-left, -top), text);
    }
    if (!wholePixelsInside(image)) return false;
    stamp.pixels = image;
    stamp.origin = QPoint(-left, -top);
    threadStamps().bytes += bytes;
    return true;
}

}  // namespace lineara
