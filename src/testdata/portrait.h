// Small portrait pictures for the sample tree: a soft background and a
// head-and-shoulders silhouette, drawn here so that the sample carries no
// borrowed images.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lineara {

struct Rgb {
    uint8_t r, g, b;
};

struct PortraitStyle {
    Rgb backgroundTop;
    Rgb backgroundBottom;
    Rgb figure;
    bool woman;  // narrower shoulders and hair gathered in a bun
};

constexpr int kPortraitWidth = 160;
constexpr int kPortraitHeight = 200;

// kPortraitWidth x kPortraitHeight pixels, row by row, 3 bytes (RGB) each.
std::vector<uint8_t> drawPortrait(const PortraitStyle& style);

// Encodes RGB pixels as a baseline JPEG. False, with the reason in `error`,
// when libjpeg refuses.
bool encodeJpeg(const std::vector<uint8_t>& rgb, int width, int height, std::vector<uint8_t>& jpeg,
                std::string& error);

}  // namespace lineara
