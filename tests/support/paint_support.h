// Small trees built in the test and painted into images, with helpers to
// read the pixels back. addPerson leaves the new box current, and the
// painter highlights the current box: a test that wants none clears it.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>
#include <initializer_list>

#include "core/model/person_list.h"
#include "render/painter/tree_painter.h"
#include "support/add_person.h"

namespace lineara::test {

constexpr QRgb kBackground = 0xFF6699CC;
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kSilver = 0xFFC0C0C0;
constexpr QRgb kAqua = 0xFF00FFFF;
constexpr QRgb kYellow = 0xFFFFFF00;
constexpr QRgb kBlue = 0xFF0000FF;
constexpr QRgb kPurple = 0xFF800080;
constexpr QRgb kNavy = 0xFF000080;
constexpr QRgb kMaroon = 0xFF800000;

inline QRgb inverted(QRgb c) { return 0xFF000000 | (~c & 0x00FFFFFF); }

// A view in which tree units are pixels: zoom 100, no scrolling.
inline ViewState plainView(double zoomPercent = 100.0, int32_t scrollX = 0, int32_t scrollY = 0) {
    ViewState view;
    view.zoomPercent = zoomPercent;
    view.scrollX = scrollX;
    view.scrollY = scrollY;
    return view;
}

struct Painted {
    QImage image;
    PaintCounts counts;
};

inline Painted paint(const PersonList& list, const ViewState& view, QSize size = QSize(400, 300),
                     const PaintSettings& settings = PaintSettings(),
                     const RecordCodec& codec = RecordCodec()) {
    Painted out{QImage(size, QImage::Format_RGB32), {}};
    out.image.fill(Qt::red);  // anything the painter leaves out shows
    QPainter painter(&out.image);
    out.counts = paintTree(painter, size, list, view, settings, codec);
    return out;
}

inline int countPixels(const QImage& image, const QRect& area, QRgb colour) {
    int n = 0;
    QRect r = area & image.rect();
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) n += image.pixel(x, y) == colour;
    }
    return n;
}

// Pixels of `area` that are none of the given colours.
inline int countOther(const QImage& image, const QRect& area, std::initializer_list<QRgb> colours) {
    int n = 0;
    QRect r = area & image.rect();
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            bool known = false;
            for (QRgb c : colours) known = known || image.pixel(x, y) == c;
            n += !known;
        }
    }
    return n;
}

}  // namespace lineara::test
