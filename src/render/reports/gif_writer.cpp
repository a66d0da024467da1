#include "render/reports/gif_writer.h"

#include <gif_lib.h>
#include <libimagequant.h>

#include <algorithm>
#include <memory>
#include <unordered_map>

#include "core/platform/atomic_file.h"

namespace lineara {

namespace {

// An image as palette indices, one byte per pixel, row after row.
struct Indexed {
    std::vector<GifColorType> palette;
    std::vector<uint8_t> pixels;
};

bool fail(std::string* error, const std::string& why) {
    if (error != nullptr) *error = why;
    return false;
}

// The colours of an image that has at most 256 of them, in the order they
// first appear; false for more.
bool exactPalette(const QImage& rgb, Indexed* out) {
    std::unordered_map<QRgb, uint8_t> index;
    out->pixels.resize(size_t(rgb.width()) * size_t(rgb.height()));
    size_t at = 0;
    // Flat areas make runs of one colour: those need no look-up.
    QRgb last = 0;
    uint8_t lastIndex = 0;
    bool haveLast = false;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb colour = line[x] | 0xFF000000u;
            if (haveLast && colour == last) {
                out->pixels[at++] = lastIndex;
                continue;
            }
            auto it = index.find(colour);
            if (it == index.end()) {
                if (index.size() == 256) return false;
                it = index.emplace(colour, uint8_t(index.size())).first;
                out->palette.push_back(GifColorType{uint8_t(qRed(colour)), uint8_t(qGreen(colour)),
                                                    uint8_t(qBlue(colour))});
            }
            out->pixels[at++] = it->second;
            last = colour;
            lastIndex = it->second;
            haveLast = true;
        }
    }
    return true;
}

struct LiqDeleter {
    void operator()(liq_attr* p) const { liq_attr_destroy(p); }
    void operator()(liq_image* p) const { liq_image_destroy(p); }
    void operator()(liq_result* p) const { liq_result_destroy(p); }
};

// Reduced to at most 256 colours.
bool quantised(const QImage& image, GifDither dither, Indexed* out, std::string* error) {
    const QImage rgba = image.convertToFormat(QImage::Format_RGBA8888);
    if (rgba.isNull()) return fail(error, "out of memory");
    const int w = rgba.width(), h = rgba.height();
    std::unique_ptr<liq_attr, LiqDeleter> attr(liq_attr_create());
    if (!attr) return fail(error, "out of memory");
    // Speed 8 of 10 costs a fraction of the default's time on a box with a
    // thumbnail for an error too small to see.
    if (liq_set_max_colors(attr.get(), 256) != LIQ_OK ||
        liq_set_quality(attr.get(), 0, 100) != LIQ_OK || liq_set_speed(attr.get(), 8) != LIQ_OK) {
        return fail(error, "the colour reduction refused its settings");
    }
    // The rows must stay put while the image is in use: rgba outlives it.
    std::vector<void*> rows(static_cast<size_t>(h));
    for (int y = 0; y < h; ++y) rows[size_t(y)] = const_cast<uchar*>(rgba.constScanLine(y));
    std::unique_ptr<liq_image, LiqDeleter> input(
        liq_image_create_rgba_rows(attr.get(), rows.data(), w, h, 0));
    if (!input) return fail(error, "the colour reduction could not take the image");
    liq_result* raw = nullptr;
    if (liq_image_quantize(input.get(), attr.get(), &raw) != LIQ_OK || raw == nullptr) {
        return fail(error, "the colours could not be reduced");
    }
    std::unique_ptr<liq_result, LiqDeleter> result(raw);
    const float level = dither == GifDither::FloydSteinberg ? 1.0f : 0.0f;
    if (liq_set_dithering_level(result.get(), level) != LIQ_OK) {
        return fail(error, "the colour reduction refused its dithering");
    }
    out->pixels.resize(size_t(w) * size_t(h));
    if (liq_write_remapped_image(result.get(), input.get(), out->pixels.data(),
                                 out->pixels.size()) != LIQ_OK) {
        return fail(error, "the colours could not be reduced");
    }
    const liq_palette* palette = liq_get_palette(result.get());
    if (palette == nullptr || palette->count == 0 || palette->count > 256) {
        return fail(error, "the colour reduction gave no palette");
    }
    for (unsigned i = 0; i < palette->count; ++i) {
        const liq_color& c = palette->entries[i];
        out->palette.push_back(GifColorType{c.r, c.g, c.b});
    }
    return true;
}

int gifWrite(GifFileType* gif, const GifByteType* data, int size) {
    auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
    // Nothing may unwind through giflib; a short write is its error.
    try {
        out->insert(out->end(), data, data + size);
    } catch (...) {
        return 0;
    }
    return size;
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int ignored = 0;
        EGifCloseFile(gif, &ignored);
    }
};
struct MapDeleter {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

std::string gifError(const char* what, int code) {
    const char* text = GifErrorString(code);
    return std::string(what) + ": " + (text != nullptr ? text : "unknown GIF error");
}

bool encodeIndexed(const Indexed& indexed, int w, int h, int transparent, std::vector<uint8_t>* out,
                   std::string* error) {
    // giflib takes colour tables of a power of two entries only; the
    // unused ones are black.
    int size = 2;
    while (size < int(indexed.palette.size())) size *= 2;
    std::vector<GifColorType> colours(size_t(size), GifColorType{0, 0, 0});
    std::copy(indexed.palette.begin(), indexed.palette.end(), colours.begin());
    std::unique_ptr<ColorMapObject, MapDeleter> map(GifMakeMapObject(size, colours.data()));
    if (!map) return fail(error, "out of memory");

    out->clear();
    int code = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(EGifOpen(out, gifWrite, &code));
    if (!gif) return fail(error, gifError("cannot start the GIF", code));
    EGifSetGifVersion(gif.get(), true);
    if (EGifPutScreenDesc(gif.get(), w, h, 8, 0, map.get()) == GIF_ERROR) {
        return fail(error, gifError("cannot write the GIF screen", gif->Error));
    }
    if (transparent >= 0) {
        GraphicsControlBlock control;
        control.DisposalMode = DISPOSAL_UNSPECIFIED;
        control.UserInputFlag = false;
        control.DelayTime = 0;
        control.TransparentColor = transparent;
        GifByteType bytes[4];
        const size_t n = EGifGCBToExtension(&control, bytes);
        if (EGifPutExtension(gif.get(), GRAPHICS_EXT_FUNC_CODE, int(n), bytes) == GIF_ERROR) {
            return fail(error, gifError("cannot write the GIF transparency", gif->Error));
        }
    }
    if (EGifPutImageDesc(gif.get(), 0, 0, w, h, false, nullptr) == GIF_ERROR) {
        return fail(error, gifError("cannot write the GIF image", gif->Error));
    }
    std::vector<GifPixelType> line(static_cast<size_t>(w));
    for (int y = 0; y < h; ++y) {
        const uint8_t* row = indexed.pixels.data() + size_t(y) * size_t(w);
        std::copy(row, row + w, line.begin());
        if (EGifPutLine(gif.get(), line.data(), w) == GIF_ERROR) {
            return fail(error, gifError("cannot write the GIF image", gif->Error));
        }
    }
    GifFileType* done = gif.release();
    if (EGifCloseFile(done, &code) == GIF_ERROR) {
        return fail(error, gifError("cannot finish the GIF", code));
    }
    return true;
}

}  // namespace

bool encodeGif(const QImage& image, GifDither dither, bool transparentLowerLeft,
               std::vector<uint8_t>* out, std::string* error) {
    if (image.isNull() || image.width() > 65535 || image.height() > 65535) {
        return fail(error, "the image cannot be a GIF");
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    if (rgb.isNull()) return fail(error, "out of memory");
    Indexed indexed;
    if (!exactPalette(rgb, &indexed)) {
        indexed = Indexed();
        if (!quantised(rgb, dither, &indexed, error)) return false;
    }
    const int transparent =
        transparentLowerLeft ? indexed.pixels[size_t(rgb.height() - 1) * size_t(rgb.width())] : -1;
    return encodeIndexed(indexed, rgb.width(), rgb.height(), transparent, out, error);
}

bool writeGif(const QImage& image, const std::string& path, GifDither dither,
              bool transparentLowerLeft, std::string* error) {
    std::vector<uint8_t> bytes;
    if (!encodeGif(image, dither, transparentLowerLeft, &bytes, error)) return false;
    std::string why;
    if (writeFileAtomically(path, bytes.data(), bytes.size(), why)) return true;
    if (error != nullptr) *error = why;
    return false;
}

}  // namespace lineara
