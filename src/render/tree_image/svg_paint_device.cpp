#include "render/tree_image/svg_paint_device.h"

#include <QBuffer>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QTextItem>
#include <algorithm>
#include <cmath>
#include <optional>

#include "render/tree_image/picture_metrics.h"
#include "render/tree_image/svg_document.h"
#include "render/tree_image/svg_text.h"

namespace lineara {

namespace {

// A subpath from `at` that is an axis-parallel rectangle (a move and four
// lines back to the start, as QPainterPath::addRect makes it).
std::optional<QRectF> rectAt(const QPainterPath& path, int at) {
    if (at + 4 >= path.elementCount()) return std::nullopt;
    const QPainterPath::Element& m = path.elementAt(at);
    if (!m.isMoveTo()) return std::nullopt;
    QPointF p[5];
    for (int i = 0; i < 5; ++i) {
        const QPainterPath::Element& e = path.elementAt(at + i);
        if (i > 0 && !e.isLineTo()) return std::nullopt;
        p[i] = QPointF(e.x, e.y);
    }
    if (p[4] != p[0]) return std::nullopt;
    if (at + 5 < path.elementCount() && !path.elementAt(at + 5).isMoveTo()) return std::nullopt;
    const bool across = p[0].y() == p[1].y() && p[1].x() == p[2].x() && p[2].y() == p[3].y() &&
                        p[3].x() == p[0].x();
    const bool down = p[0].x() == p[1].x() && p[1].y() == p[2].y() && p[2].x() == p[3].x() &&
                      p[3].y() == p[0].y();
    if (!across && !down) return std::nullopt;
    return QRectF(p[0], p[2]).normalized();
}

}  // namespace

class SvgPaintDevice::Engine : public QPaintEngine {
public:
    Engine(QSize size, Sink sink) : QPaintEngine(AllFeatures), doc_(size, std::move(sink)) {}

    bool finish() { return doc_.finish(); }
    bool failed() const { return doc_.failed(); }

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState& state) override {
        const DirtyFlags dirty = state.state();
        if (dirty & DirtyPen) pen_ = state.pen();
        if (dirty & DirtyBrush) brush_ = state.brush();
        if (dirty & DirtyTransform) {
            transform_ = state.transform();
            moveOnly_ = transform_.type() <= QTransform::TxTranslate;
        }
        if (dirty & DirtyFont) setFont(state.font());
        if (dirty & (DirtyClipEnabled | DirtyClipRegion | DirtyClipPath)) {
            // Kept in picture pixels: the clip does not move when the
            // transform changes afterwards. Only its bounding rectangle
            // is kept; the pictures clip to rectangles only.
            QPainter* p = painter();
            clip_.reset();
            if (p->hasClipping()) clip_ = p->combinedTransform().mapRect(p->clipBoundingRect());
        }
    }

    void drawRects(const QRectF* rects, int count) override {
        for (int i = 0; i < count; ++i) {
            const QRectF r = rects[i].normalized();
            if (!start(transform_.mapRect(r), paintShape(), false)) continue;
            doc_.out() += "<rect";
            shapeRect(r);
            endShape();
        }
    }

    void drawPath(const QPainterPath& path) override {
        if (path.isEmpty()) return;
        // Whole rectangles of some size are written as such; the rest,
        // pieces of lines among them, as one path.
        std::string rest;
        const int n = path.elementCount();
        for (int i = 0; i < n;) {
            const std::optional<QRectF> r = rectAt(path, i);
            if (r && r->width() >= 2 && r->height() >= 2) {
                drawRects(&*r, 1);
                i += 5;
                continue;
            }
            if (r && moveOnly_) {
                // A piece of a line: short in path data too.
                const QRectF piece = transform_.mapRect(*r);
                if (!rest.empty()) rest += ' ';
                rest += 'M';
                appendSvgPair(rest, piece.topLeft());
                rest += 'h';
                appendSvgNumber(rest, piece.width());
                rest += 'v';
                appendSvgNumber(rest, piece.height());
                rest += "h-";
                appendSvgNumber(rest, piece.width());
                rest += 'z';
                i += 5;
                continue;
            }
            appendElement(rest, path, i);
            ++i;
        }
        if (rest.empty()) return;
        if (!start(strokeExtent(path.boundingRect()), paintShape(), false)) return;
        std::string& out = doc_.out();
        out += "<path";
        if (path.fillRule() == Qt::OddEvenFill && brush_.style() != Qt::NoBrush) {
            out += " fill-rule=\"evenodd\"";
        }
        out += " d=\"";
        out += rest;
        out += '"';
        endShape();
    }

    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
        if (count < 2) return;
        QPolygonF polygon(points, points + count);
        const bool open = mode == PolylineMode;
        if (!start(strokeExtent(polygon.boundingRect()), paintShape(open), false)) return;
        std::string& out = doc_.out();
        out += open ? "<polyline" : "<polygon";
        if (mode == OddEvenMode && brush_.style() != Qt::NoBrush) out += " fill-rule=\"evenodd\"";
        out += " points=\"";
        for (int i = 0; i < count; ++i) {
            if (i > 0) out += ' ';
            appendSvgPair(out, at(points[i]));
        }
        out += '"';
        endShape();
    }

    void drawLines(const QLineF* lines, int count) override {
        if (pen_.style() == Qt::NoPen) return;
        for (int i = 0; i < count; ++i) {
            const QLineF l(at(lines[i].p1()), at(lines[i].p2()));
            if (!start(strokeExtent(QRectF(lines[i].p1(), lines[i].p2()).normalized()),
                       paintShape(true), false)) {
                continue;
            }
            std::string& out = doc_.out();
            const size_t from = out.size();
            out += "<line";
            appendSvgAttribute(out, "x1", l.x1());
            appendSvgAttribute(out, "y1", l.y1());
            appendSvgAttribute(out, "x2", l.x2());
            appendSvgAttribute(out, "y2", l.y2());
            if (!moveOnly_) appendSvgMatrix(out, transform_);
            out += "/>\n";
            // A text's underline comes twice when the text is drawn through
            // a tile: the same line again, right after itself, is left out.
            const std::string_view line(out.data() + from, out.size() - from);
            if (from == lastLineEnd_ && doc_.mark() == lastLineMark_ && line == lastLine_) {
                out.resize(from);
            } else {
                lastLine_ = line;
            }
            lastLineEnd_ = out.size();
            lastLineMark_ = doc_.mark();
            doc_.elementWritten();
        }
    }

    void drawTextItem(const QPointF& p, const QTextItem& item) override {
        const QString text = item.text();
        if (text.isEmpty()) return;
        // The text's extent by its advance and the font's ascent and
        // descent, a pixel more left and right for glyphs reaching out.
        // Above and below in whole pixels, as the painter places lines of
        // text one under the other.
        const double ascent = std::round(item.ascent()), descent = std::round(item.descent());
        const QRectF extent(p.x() - 1, p.y() - ascent, item.width() + 2, ascent + descent);
        std::string paint = "fill=\"";
        appendSvgColour(paint, pen_.color());
        paint += '"';
        appendOpacity(paint, "fill-opacity", pen_.color());
        if (!start(transform_.mapRect(extent), paint, true)) return;
        std::string& out = doc_.out();
        out += "<text";
        appendSvgPoint(out, at(p));
        if (!moveOnly_) appendSvgMatrix(out, transform_);
        if (!ownClip_.empty()) {
            out += " clip-path=\"url(#";
            out += ownClip_;
            out += ")\"";
        }
        out += '>';
        appendSvgEscaped(out, text);
        out += "</text>\n";
        doc_.elementWritten();
    }

    void drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF& sr) override {
        drawImage(r, pixmap.toImage(), sr, Qt::AutoColor);
    }

    void drawImage(const QRectF& r, const QImage& image, const QRectF& sr,
                   Qt::ImageConversionFlags) override {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!image.copy(sr.toAlignedRect()).save(&buffer, "PNG")) return;
        if (!start(transform_.mapRect(r), std::string(), false)) return;
        doc_.out() += "<image";
        shapeRect(r);
        doc_.out() += " preserveAspectRatio=\"none\" xlink:href=\"data:image/png;base64,";
        doc_.out().append(png.toBase64().constData());
        doc_.out() += '"';
        endShape();
    }

private:
    void setFont(const QFont& font) {
        font_ = "font-family=\"";
        appendSvgEscaped(font_, font.family());
        font_ += "\" font-size=\"";
        appendSvgNumber(font_, font.pixelSize() > 0 ? double(font.pixelSize())
                                                    : font.pointSizeF() * 96.0 / 72.0);
        font_ += "px\" font-weight=\"";
        appendSvgNumber(font_, font.weight());
        font_ += "\" font-style=\"";
        font_ += font.style() == QFont::StyleItalic    ? "italic"
                 : font.style() == QFont::StyleOblique ? "oblique"
                                                       : "normal";
        font_ += '"';
    }

    static void appendOpacity(std::string& out, const char* name, const QColor& colour) {
        if (colour.alpha() == 255) return;
        out += ' ';
        out += name;
        out += "=\"";
        appendSvgNumber(out, colour.alphaF());
        out += '"';
    }

    // The colours a shape is drawn in; a line (`open`) is never filled.
    std::string paintShape(bool open = false) const {
        std::string paint = "fill=\"";
        if (open || brush_.style() == Qt::NoBrush) {
            paint += "none\"";
        } else {
            appendSvgColour(paint, brush_.color());
            paint += '"';
            appendOpacity(paint, "fill-opacity", brush_.color());
        }
        if (pen_.style() == Qt::NoPen) return paint;
        paint += " stroke=\"";
        appendSvgColour(paint, pen_.color());
        paint += "\" stroke-width=\"";
        const double width = pen_.widthF() > 0 ? pen_.widthF() : 1.0;
        appendSvgNumber(paint, width);
        paint += '"';
        appendOpacity(paint, "stroke-opacity", pen_.color());
        if (pen_.capStyle() == Qt::SquareCap) paint += " stroke-linecap=\"square\"";
        if (pen_.capStyle() == Qt::RoundCap) paint += " stroke-linecap=\"round\"";
        if (pen_.joinStyle() == Qt::BevelJoin) paint += " stroke-linejoin=\"bevel\"";
        if (pen_.joinStyle() == Qt::RoundJoin) paint += " stroke-linejoin=\"round\"";
        if (pen_.style() != Qt::SolidLine) {
            paint += " stroke-dasharray=\"";
            const QList<qreal> dashes = pen_.dashPattern();
            for (qsizetype i = 0; i < dashes.size(); ++i) {
                if (i > 0) paint += ',';
                appendSvgNumber(paint, dashes[i] * width);
            }
            paint += '"';
        }
        return paint;
    }

    // Opens the groups an element covering `extent` (in picture pixels)
    // needs; see SvgDocument::start.
    bool start(const QRectF& extent, const std::string& paint, bool text) {
        return doc_.start(clip_, extent, text ? &font_ : nullptr, paint, text && moveOnly_,
                          ownClip_);
    }

    // A shape's rectangle: in picture pixels when the transform only
    // moves, else as given with the transform written after it (by
    // endShape).
    void shapeRect(const QRectF& r) {
        appendSvgRect(doc_.out(), moveOnly_ ? transform_.mapRect(r) : r);
    }
    QPointF at(const QPointF& p) const { return moveOnly_ ? transform_.map(p) : p; }
    // A shape's extent in picture pixels, its outline included.
    QRectF strokeExtent(const QRectF& r) const {
        const double half = pen_.style() == Qt::NoPen ? 0.0 : std::max(pen_.widthF(), 1.0) / 2;
        return transform_.mapRect(r).adjusted(-half, -half, half, half);
    }

    // Ends an element whose coordinates were written as given.
    void endShape() {
        if (!moveOnly_) appendSvgMatrix(doc_.out(), transform_);
        doc_.out() += "/>\n";
        doc_.elementWritten();
    }

    // One element of a path, in path data, moved by the transform when it
    // moves only.
    void appendElement(std::string& d, const QPainterPath& path, int i) const {
        const QPainterPath::Element& e = path.elementAt(i);
        const QPointF p = at(QPointF(e.x, e.y));
        switch (e.type) {
        case QPainterPath::MoveToElement:
            if (!d.empty()) d += ' ';
            d += 'M';
            break;
        case QPainterPath::LineToElement:
            d += 'L';
            break;
        case QPainterPath::CurveToElement:
            d += 'C';
            break;
        case QPainterPath::CurveToDataElement:
            d += ' ';
            break;
        }
        appendSvgPair(d, p);
    }

    SvgDocument doc_;
    QPen pen_;
    QBrush brush_;
    std::string font_;
    QTransform transform_;
    bool moveOnly_ = true;
    std::optional<QRectF> clip_;  // the painter's, in picture pixels
    std::string ownClip_;         // a text's own clip, when it has one
    // The last line written, to leave out its repeat right after it.
    std::string lastLine_;
    size_t lastLineEnd_ = std::string::npos;
    size_t lastLineMark_ = 0;
};

SvgPaintDevice::SvgPaintDevice(QSize size, Sink sink)
    : size_(size), engine_(std::make_unique<Engine>(size, std::move(sink))) {}

SvgPaintDevice::~SvgPaintDevice() = default;

bool SvgPaintDevice::finish() { return engine_->finish(); }

bool SvgPaintDevice::failed() const { return engine_->failed(); }

QPaintEngine* SvgPaintDevice::paintEngine() const { return engine_.get(); }

int SvgPaintDevice::metric(PaintDeviceMetric metric) const { return pictureMetric(metric, size_); }

}  // namespace lineara
