// Reading the GIF files the tests write back with giflib's decoder.
#pragma once

#include <gif_lib.h>

#include <QImage>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace lineara::test {

struct DecodedGif {
    bool ok = false;
    std::string version;  // the file's first six bytes, "GIF89a"
    int width = 0;
    int height = 0;
    int images = 0;
    std::vector<QRgb> palette;  // the colour table as stored, padding included
    std::vector<int> indices;   // of the first image, row after row
    bool hasControl = false;    // a graphic control extension
    int transparent = -1;       // its transparent index
    QImage image;               // the first image in colour

    QRgb colourAt(int x, int y) const { return palette[size_t(indices[size_t(y * width + x)])]; }
};

inline DecodedGif readGif(const std::string& path) {
    DecodedGif out;
    const std::vector<uint8_t> bytes = readBytes(path);
    if (bytes.size() >= 6) out.version.assign(bytes.begin(), bytes.begin() + 6);
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (gif == nullptr) return out;
    if (DGifSlurp(gif) == GIF_OK && gif->ImageCount >= 1) {
        out.width = gif->SWidth;
        out.height = gif->SHeight;
        out.images = gif->ImageCount;
        const SavedImage& first = gif->SavedImages[0];
        const ColorMapObject* map =
            first.ImageDesc.ColorMap != nullptr ? first.ImageDesc.ColorMap : gif->SColorMap;
        if (map != nullptr) {
            for (int i = 0; i < map->ColorCount; ++i) {
                const GifColorType& c = map->Colors[i];
                out.palette.push_back(qRgb(c.Red, c.Green, c.Blue));
            }
        }
        const int w = first.ImageDesc.Width, h = first.ImageDesc.Height;
        out.indices.assign(first.RasterBits, first.RasterBits + size_t(w) * size_t(h));
        GraphicsControlBlock control;
        if (DGifSavedExtensionToGCB(gif, 0, &control) == GIF_OK) {
            out.hasControl = true;
            out.transparent = control.TransparentColor;
        }
        out.ok = w == out.width && h == out.height && !out.palette.empty();
        if (out.ok) {
            out.image = QImage(w, h, QImage::Format_RGB32);
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x) {
                    const int index = out.indices[size_t(y * w + x)];
                    out.ok = out.ok && index < int(out.palette.size());
                    if (out.ok) out.image.setPixel(x, y, out.colourAt(x, y));
                }
            }
        }
    }
    DGifCloseFile(gif, &error);
    return out;
}

}  // namespace lineara::test
