// A paint device that writes what is painted on it as an SVG 1.1 document,
// for the tree's picture: filled rectangles as <rect>, other fills and lines
// as <path>, texts as <text> at their baseline point in the font they were
// drawn in, pictures as embedded PNG images. Colours and the font are
// attributes of groups opened only when they change, and the painter's
// clip is kept, so that the file shows what a raster picture shows.
//
// Qt's own SVG generator writes every element in a group of its own with
// the full painter state, passes text through a text stream and ignores
// clipping; a picture of a large tree took many seconds and hundreds of
// megabytes that way. Here the document is gathered in a large buffer and
// handed to the sink in large pieces.
#pragma once

#include <QPaintDevice>
#include <QSize>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace lineara {

class SvgPaintDevice : public QPaintDevice {
public:
    // Takes the document piece by piece; false stops the writing (a full
    // disk), after which nothing more is passed on.
    using Sink = std::function<bool(std::string_view)>;

    // `size`: the picture in pixels, which are the document's units.
    SvgPaintDevice(QSize size, Sink sink);
    ~SvgPaintDevice() override;
    SvgPaintDevice(const SvgPaintDevice&) = delete;
    SvgPaintDevice& operator=(const SvgPaintDevice&) = delete;

    // Closes the document and passes on what is held back; call it once
    // the painter has ended. False when the sink refused any piece.
    bool finish();
    bool failed() const;

    QPaintEngine* paintEngine() const override;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    class Engine;
    QSize size_;
    std::unique_ptr<Engine> engine_;
};

}  // namespace lineara
