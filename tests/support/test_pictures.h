// Pictures made up for the tests of the HTML images.
#pragma once

#include <QImage>
#include <algorithm>
#include <cstdint>
#include <random>

namespace lineara::test {

// A photograph stand-in: smooth gradients with noise, tens of thousands of
// colours.
inline QImage photo(int w, int h, uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> noise(-12, 12);
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            auto c = [&](int v) { return std::clamp(v + noise(random), 0, 255); };
            image.setPixel(x, y, qRgb(c(255 * x / w), c(255 * y / h), c(128 + 100 * (x - y) / w)));
        }
    }
    return image;
}

}  // namespace lineara::test
