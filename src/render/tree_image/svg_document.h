// The SVG document the paint device writes: the buffer it is gathered in
// and handed on from in large pieces, and the groups that carry the clip,
// the font and the colours of the elements inside them. A group opens only
// when an element needs a value its open group does not have.
#pragma once

#include <QRectF>
#include <QSize>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace lineara {

class SvgDocument {
public:
    using Sink = std::function<bool(std::string_view)>;

    // Starts the document: `size` in pixels, which are its units.
    SvgDocument(QSize size, Sink sink);

    // Opens the groups an element needs and says where it may be written:
    // `paint` its colour attributes, `font` those of its font (null but
    // for a text), `clip` the painter's clip and `extent` what the element
    // covers, both in picture pixels. A text whose clip lies within the
    // open group's may get a clip of its own instead (`ownClip`, the id to
    // refer to, else left empty) when `mayClipItself`. False when nothing
    // of the element can show, or the document is closed.
    bool start(const std::optional<QRectF>& clip, const QRectF& extent, const std::string* font,
               const std::string& paint, bool mayClipItself, std::string& ownClip);

    // Where the element is written, after start().
    std::string& out() { return out_; }
    // After each element: hands the buffer on when it is full.
    void elementWritten() {
        if (out_.size() >= kPiece) pass();
    }
    // Whether the buffer was handed on since `mark` was taken.
    size_t mark() const { return passes_; }

    // Closes the document and hands on the rest; false when the sink
    // refused any piece.
    bool finish();
    bool failed() const { return failed_; }

private:
    enum Level { ClipLevel, FontLevel, PaintLevel, kLevels };
    static constexpr size_t kPiece = size_t(4) << 20;

    void openClip(const std::optional<QRectF>& clip);
    std::string defineClip(const QRectF& r);
    void open(Level level, const std::string& attributes);
    void closeFrom(Level level);
    void pass();

    Sink sink_;
    std::string out_;
    size_t passes_ = 0;
    bool failed_ = false;
    bool finished_ = false;
    int clips_ = 0;
    std::optional<QRectF> groupClip_;  // the open clip group's
    std::array<std::string, kLevels> open_;
    std::array<bool, kLevels> opened_{};
};

}  // namespace lineara
