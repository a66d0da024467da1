// The tree's picture written to a file, whole or not at all: an SVG
// (vector, texts as text), a PDF of a single page of the picture's own
// size, or a PNG at the scale asked for.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "render/tree_image/tree_image.h"

namespace lineara {

enum class TreeImageFormat { Svg, Pdf, Png };

// By the file name's extension (.svg, .pdf, .png in any case).
std::optional<TreeImageFormat> treeImageFormatOf(const std::string& path);

// A PNG is drawn whole in memory, four bytes a pixel: larger pictures are
// refused before anything is drawn.
constexpr int64_t kMaxPngSide = 32767;
constexpr int64_t kMaxPngPixels = int64_t(1) << 28;  // 268,435,456 pixels: 1 GiB
// The largest page side PDF readers open: 200 inches. A larger picture is
// scaled down onto it.
constexpr double kMaxPdfPagePoints = 14400.0;
// A picture pixel on a PDF page at full scale, as on the screen.
constexpr int kTreeImageDotsPerInch = 96;

// Whether a PNG of this size may be made.
inline bool pngFits(int64_t width, int64_t height) {
    return width <= kMaxPngSide && height <= kMaxPngSide && width * height <= kMaxPngPixels;
}

// The largest whole scale, at most the one asked for, at which the PNG of
// `request` fits; none when even the smallest scale does not (or there is
// nothing to draw).
std::optional<int> largestPngScale(const PersonList& persons, const TreeImageRequest& request);

struct TreeImageResult {
    enum Outcome { Written, NothingToDraw, TooLarge, Cancelled, Failed };
    Outcome outcome = Failed;
    std::string error;  // for Failed: what went wrong, naming the file
    int64_t width = 0;  // the picture at the scale asked for, in pixels
    int64_t height = 0;
    // A PDF scaled down to fit its page: the scale it was drawn at, in
    // percent of the tree's size; 0 when it was not.
    double pdfScaledTo = 0;
};

TreeImageResult writeTreeImage(const std::string& path, TreeImageFormat format, PersonList& persons,
                               const TreeImageRequest& request, const RecordCodec& codec,
                               const TreeImageProgress& progress = {});

}  // namespace lineara
