// Writing images as GIF files (GIF89a) with giflib. An image of at most 256
// colours keeps them exactly; a richer one, a photograph say, is reduced to
// an optimal palette of 256 colours by libimagequant first.
#pragma once

#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

namespace lineara {

enum class GifDither {
    Nearest,         // each pixel takes its nearest palette colour
    FloydSteinberg,  // the error is spread to the neighbours
};

// The GIF file of `image` in memory. With `transparentLowerLeft` the colour
// of the lower-left pixel is marked transparent (a graphic control
// extension before the image). False, with the reason in `error` when given,
// when the image is empty or the encoding fails.
bool encodeGif(const QImage& image, GifDither dither, bool transparentLowerLeft,
               std::vector<uint8_t>* out, std::string* error);

// The same written to `path` whole or not at all (a temporary file renamed
// over the target).
bool writeGif(const QImage& image, const std::string& path, GifDither dither,
              bool transparentLowerLeft, std::string* error);

}  // namespace lineara
