#include "testdata/portrait.h"

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdlib>

// jpeglib.h uses FILE and size_t without declaring them.
// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

namespace lineara {

namespace {

constexpr int kJpegQuality = 90;

// Coverage of a pixel by a shape, 0 to 1, from the signed distance of its
// centre to the outline: a soft one-pixel edge instead of a staircase.
double coverageAt(double distance) { return std::clamp(0.5 - distance, 0.0, 1.0); }

// A superellipse: power 2 is an ellipse, higher powers square it off.
double oval(double x, double y, double cx, double cy, double rx, double ry, double power = 2) {
    double dx = std::abs(x - cx) / rx, dy = std::abs(y - cy) / ry;
    double r = std::pow(std::pow(dx, power) + std::pow(dy, power), 1.0 / power);
    return coverageAt((r - 1.0) * std::min(rx, ry));
}

double box(double x, double y, double left, double top, double right, double bottom) {
    return coverageAt(std::max({left - x, x - right, top - y, y - bottom}));
}

// A V opening downwards from (cx, top), widening by `slope` per unit.
double vee(double x, double y, double cx, double top, double slope) {
    return coverageAt((std::abs(x - cx) - (y - top) * slope) / std::hypot(1.0, slope));
}

double mix(double a, double b, double t) { return a + (b - a) * t; }

Rgb mix(Rgb a, Rgb b, double t) {
    auto channel = [t](uint8_t u, uint8_t v) {
        return static_cast<uint8_t>(std::lround(std::clamp(mix(u, v, t), 0.0, 255.0)));
    };
    return {channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
}

constexpr double kCentre = kPortraitWidth / 2.0;
constexpr double kNeckBase = 146;  // where the shoulders begin

// The background: a vertical gradient, lighter behind the head and darker
// towards the corners, like a studio portrait.
Rgb background(const PortraitStyle& style, double x, double y) {
    double w = kPortraitWidth, h = kPortraitHeight;
    Rgb base = mix(style.backgroundTop, style.backgroundBottom, y / h);
    double gx = (x - kCentre) / w, gy = (y - h * 0.38) / h;
    base = mix(base, Rgb{255, 250, 240}, 0.35 * std::exp(-(gx * gx + gy * gy) * 9.0));
    double vx = (x - kCentre) / kCentre, vy = (y - h / 2) / (h / 2);
    return mix(Rgb{0, 0, 0}, base, 1.0 - 0.28 * std::min(1.0, (vx * vx + vy * vy) / 2.0));
}

double shoulders(const PortraitStyle& style, double x, double y) {
    return oval(x, y, kCentre, 218, style.woman ? 64 : 76, 74, 3.2);
}

// How much of the pixel the silhouette covers.
double figure(const PortraitStyle& style, double x, double y) {
    double neck = style.woman ? 10 : 13;
    double c =
        std::max({oval(x, y, kCentre, 84, style.woman ? 26 : 28, style.woman ? 33 : 35),
                  box(x, y, kCentre - neck, 104, kCentre + neck, kNeckBase + 4),
                  oval(x, y, kCentre, kNeckBase + 8, neck * 2.4, 14), shoulders(style, x, y)});
    if (style.woman) {  // hair gathered in a bun
        c = std::max({c, oval(x, y, kCentre, 78, 30, 31), oval(x, y, kCentre, 44, 15, 12)});
    }
    return c;
}

// The silhouette's colour: lit a little from the upper left.
Rgb figureShade(const PortraitStyle& style, double x, double y) {
    double light = std::max(0.0, 1.0 - (x + y * 0.6) / 140.0);
    return mix(style.figure, Rgb{255, 255, 255}, 0.18 * light);
}

// A light shirt collar and a tie for him, a brooch for her.
Rgb dress(const PortraitStyle& style, Rgb pixel, double x, double y) {
    if (style.woman) {
        double brooch = oval(x, y, kCentre, kNeckBase + 14, 5, 6);
        return mix(pixel, Rgb{232, 204, 142}, brooch);
    }
    double collar = std::min(vee(x, y, kCentre, kNeckBase - 4, 0.5), shoulders(style, x, y));
    pixel = mix(pixel, Rgb{236, 232, 222}, collar);
    double tie = std::min(collar, box(x, y, kCentre - 4, kNeckBase + 4, kCentre + 4, 200));
    return mix(pixel, Rgb{128, 44, 48}, tie);
}

struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void onJpegError(j_common_ptr info) {
    JpegErrors* errors = reinterpret_cast<JpegErrors*>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->jump, 1);
}

// The compressor state and its output, kept outside the frame that calls
// setjmp so that a jump back cannot leave them stale.
struct JpegJob {
    jpeg_compress_struct info;
    JpegErrors errors;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
};

bool runJpeg(JpegJob& job, const std::vector<uint8_t>& rgb, int width, int height) {
    if (setjmp(job.errors.jump) != 0) return false;
    jpeg_create_compress(&job.info);
    jpeg_mem_dest(&job.info, &job.buffer, &job.size);
    job.info.image_width = static_cast<JDIMENSION>(width);
    job.info.image_height = static_cast<JDIMENSION>(height);
    job.info.input_components = 3;
    job.info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&job.info);  // baseline, sequential
    jpeg_set_quality(&job.info, kJpegQuality, TRUE);
    jpeg_start_compress(&job.info, TRUE);
    while (job.info.next_scanline < job.info.image_height) {
        size_t at = static_cast<size_t>(job.info.next_scanline) * static_cast<size_t>(width) * 3;
        JSAMPROW row = const_cast<JSAMPLE*>(rgb.data() + at);
        jpeg_write_scanlines(&job.info, &row, 1);
    }
    jpeg_finish_compress(&job.info);
    return true;
}

}  // namespace

std::vector<uint8_t> drawPortrait(const PortraitStyle& style) {
    std::vector<uint8_t> rgb;
    rgb.reserve(size_t{kPortraitWidth} * kPortraitHeight * 3);
    for (int y = 0; y < kPortraitHeight; ++y) {
        for (int x = 0; x < kPortraitWidth; ++x) {
            double px = x + 0.5, py = y + 0.5;
            Rgb c =
                mix(background(style, px, py), figureShade(style, px, py), figure(style, px, py));
            c = dress(style, c, px, py);
            rgb.insert(rgb.end(), {c.r, c.g, c.b});
        }
    }
    return rgb;
}

bool encodeJpeg(const std::vector<uint8_t>& rgb, int width, int height, std::vector<uint8_t>& jpeg,
                std::string& error) {
    if (width <= 0 || height <= 0 || rgb.size() != size_t(width) * size_t(height) * 3) {
        error = "wrong picture size";
        return false;
    }
    JpegJob job{};
    job.info.err = jpeg_std_error(&job.errors.manager);
    job.errors.manager.error_exit = onJpegError;
    bool ok = runJpeg(job, rgb, width, height);
    if (ok) {
        jpeg.assign(job.buffer, job.buffer + job.size);
    } else {
        error = job.errors.message;
    }
    jpeg_destroy_compress(&job.info);
    std::free(job.buffer);
    return ok;
}

}  // namespace lineara
