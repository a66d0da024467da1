#include "render/painter/box_font.h"

#include <QFontMetrics>
#include <QHash>
#include <cmath>
#include <cstdlib>

namespace lineara {

namespace {

QFont baseFont(const QString& family, bool italic, int pixelSize) {
    QFont font(family);
    font.setItalic(italic);
    font.setPixelSize(pixelSize);
    // Box texts are drawn in plain pixels like the rest of the tree: fully
    // hinted glyphs on whole-pixel advances, measured as the sum of the
    // characters' advances.
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setKerning(false);
    return font;
}

int cellAt(const QString& family, bool italic, int pixelSize) {
    return QFontMetrics(baseFont(family, italic, pixelSize)).height();
}

// The pixel size whose cell height is nearest to `cellHeight`; of two
// equally near, the smaller, so the text does not outgrow its cell.
int pixelSizeFor(const QString& family, bool italic, int cellHeight) {
    constexpr int kProbe = 100;
    double cellPerPixel = cellAt(family, italic, kProbe) / double(kProbe);
    if (cellPerPixel <= 0) cellPerPixel = 1;
    int guess = std::max(1, int(std::lround(cellHeight / cellPerPixel)));
    int best = guess;
    int bestMiss = -1;
    for (int size = std::max(1, guess - 3); size <= guess + 3; ++size) {
        int miss = std::abs(cellAt(family, italic, size) - cellHeight);
        if (bestMiss < 0 || miss < bestMiss) {
            best = size;
            bestMiss = miss;
        }
    }
    return best;
}

struct CacheKey {
    QString family;
    int cellHeight;
    bool italic;
    bool operator==(const CacheKey& o) const {
        return cellHeight == o.cellHeight && italic == o.italic && family == o.family;
    }
};

size_t qHash(const CacheKey& key, size_t seed = 0) {
    return qHashMulti(seed, key.family, key.cellHeight, key.italic);
}

}  // namespace

QFont cellHeightFont(const QString& family, int cellHeight, bool italic, bool underline) {
    // Only pixel sizes are kept, not fonts, so nothing of Qt's font
    // machinery outlives the application object.
    static QHash<CacheKey, int> pixelSizes;
    CacheKey key{family, cellHeight, italic};
    auto it = pixelSizes.constFind(key);
    if (it == pixelSizes.constEnd()) {
        it = pixelSizes.insert(key, pixelSizeFor(family, italic, cellHeight));
    }
    QFont font = baseFont(family, italic, it.value());
    font.setUnderline(underline);
    return font;
}

}  // namespace lineara
