// Writing images as JPEG files with libjpeg: the reduced photographs of the
// HTML presentation.
#pragma once

#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

namespace lineara {

// The quality the presentation writes its pictures at: small files for the
// web without visible blocks in a 193-pixel photograph.
constexpr int kHtmlJpegQuality = 85;

// The JPEG file of `image` in memory, at `quality` (1 to 100). False, with
// the reason in `error` when given, when the image is empty or libjpeg
// fails.
bool encodeJpeg(const QImage& image, int quality, std::vector<uint8_t>* out, std::string* error);

// The same written to `path` whole or not at all.
bool writeJpeg(const QImage& image, const std::string& path, int quality, std::string* error);

}  // namespace lineara
