#include "render/tree_image/svg_document.h"

#include "render/tree_image/svg_text.h"

namespace lineara {

namespace {

bool contains(const QRectF& outer, const QRectF& inner) {
    return inner.left() >= outer.left() && inner.top() >= outer.top() &&
           inner.right() <= outer.right() && inner.bottom() <= outer.bottom();
}

}  // namespace

SvgDocument::SvgDocument(QSize size, Sink sink) : sink_(std::move(sink)) {
    out_.reserve(kPiece + (size_t(1) << 16));
    out_ +=
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" "
        "xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\"";
    appendSvgAttribute(out_, "width", size.width());
    appendSvgAttribute(out_, "height", size.height());
    out_ += " viewBox=\"0 0 ";
    appendSvgNumber(out_, size.width());
    out_ += ' ';
    appendSvgNumber(out_, size.height());
    // Texts keep their spaces as drawn.
    out_ += "\" xml:space=\"preserve\">\n<title>Lineara</title>\n";
}

bool SvgDocument::start(const std::optional<QRectF>& clip, const QRectF& extent,
                        const std::string* font, const std::string& paint, bool mayClipItself,
                        std::string& ownClip) {
    ownClip.clear();
    if (failed_ || finished_) return false;
    if (clip && !clip->intersects(extent)) return false;
    const std::optional<QRectF>& group = groupClip_;
    const bool inside = (!clip || contains(*clip, extent)) && (!group || contains(*group, extent));
    if (group != clip && !inside) {
        // A text clipped within the open group's clip (a date longer than
        // its box) gets a clip of its own; otherwise the group changes.
        if (mayClipItself && clip && (!group || contains(*group, *clip))) {
            ownClip = defineClip(*clip);
        } else {
            openClip(clip);
        }
    }
    if (font != nullptr && open_[FontLevel] != *font) open(FontLevel, *font);
    if (open_[PaintLevel] != paint) open(PaintLevel, paint);
    return true;
}

bool SvgDocument::finish() {
    if (finished_) return !failed_;
    finished_ = true;
    closeFrom(ClipLevel);
    out_ += "</svg>\n";
    pass();
    return !failed_;
}

void SvgDocument::openClip(const std::optional<QRectF>& clip) {
    closeFrom(ClipLevel);
    if (!clip) return;
    const std::string id = defineClip(*clip);
    open(ClipLevel, "clip-path=\"url(#" + id + ")\"");
    groupClip_ = clip;
}

std::string SvgDocument::defineClip(const QRectF& r) {
    std::string id = "c";
    id += std::to_string(++clips_);
    // In a <defs>, which readers that know no clip paths leave undrawn.
    out_ += "<defs><clipPath id=\"";
    out_ += id;
    out_ += "\"><rect";
    appendSvgRect(out_, r);
    out_ += "/></clipPath></defs>\n";
    return id;
}

void SvgDocument::open(Level level, const std::string& attributes) {
    closeFrom(level);
    out_ += "<g ";
    out_ += attributes;
    out_ += ">\n";
    open_[level] = attributes;
    opened_[level] = true;
}

void SvgDocument::closeFrom(Level level) {
    for (int l = kLevels - 1; l >= level; --l) {
        if (opened_[l]) out_ += "</g>\n";
        opened_[l] = false;
        open_[l].clear();
    }
    if (level == ClipLevel) groupClip_.reset();
}

void SvgDocument::pass() {
    if (!failed_ && !out_.empty()) failed_ = !sink_(out_);
    out_.clear();
    ++passes_;
}

}  // namespace lineara
