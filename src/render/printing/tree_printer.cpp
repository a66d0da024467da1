#include "render/printing/tree_printer.h"

#include <QFontMetrics>
#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

#include "core/settings/settings.h"
#include "render/painter/box_font.h"
#include "render/painter/box_painter.h"
#include "render/painter/box_text_lines.h"
#include "render/painter/text_stamps.h"

namespace lineara {

namespace {

// Parent lines leave the box this far left (father) and right (mother) of
// its centre, so that the two stay apart.
constexpr int kParentLineShift = 5;
constexpr int kFooterPoints = 6;
constexpr double kPointsPerBorderStep = 0.5;

// Whether the segment from a to b meets `rect` (clipping it to the
// rectangle as Liang and Barsky do).
bool segmentMeets(QPoint a, QPoint b, const QRect& rect) {
    const double x0 = a.x(), y0 = a.y(), dx = double(b.x()) - a.x(), dy = double(b.y()) - a.y();
    double t0 = 0, t1 = 1;
    auto clip = [&](double p, double q) {
        if (p == 0) return q >= 0;
        const double t = q / p;
        if (p < 0) {
            if (t > t1) return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0) return false;
            t1 = std::min(t1, t);
        }
        return true;
    };
    return clip(-dx, x0 - rect.left()) && clip(dx, rect.right() - x0) &&
           clip(-dy, y0 - rect.top()) && clip(dy, rect.bottom() - y0);
}

class PagePainter {
public:
    PagePainter(QPainter& painter, const PageGeometry& g, const PageCell& cell, const PrintJob& job,
                int dotsPerInch, PagePurpose purpose)
        : p_(painter), g_(g), cell_(cell), job_(job), dpi_(dotsPerInch), purpose_(purpose) {}

    // A black line of border `step`; in the preview a cosmetic one, at least
    // a pixel of the picture wide.
    QPen pen(int step, Qt::PenStyle style) const {
        const int width = printedPenWidth(step, g_.pagesAcross, dpi_);
        QPen pen(Qt::black, width, style);
        if (purpose_ == PagePurpose::Preview) {
            const double scale = std::abs(p_.worldTransform().m11());
            pen.setCosmetic(true);
            pen.setWidthF(std::max(1.0, width * scale));
        }
        return pen;
    }

    QPoint at(int64_t x, int64_t y) const {
        return {drawCoord(g_.mapX(x, cell_)), drawCoord(g_.mapY(y, cell_))};
    }
    QPoint centre(const PersonRecord& r) const {
        return at(int64_t(r.posX()) + kBoxWidth / 2, int64_t(r.posY()) + kBoxHeight / 2);
    }

    // Every line is looked at, since one between boxes on far-off pages
    // may still cross this one; only those that do are drawn.
    void lines(const PersonList& list) {
        const bool only = job_.choices.selectedOnly;
        const QPen dashed = pen(1, Qt::DashLine);
        const QPen solid = pen(job_.choices.borderWidth, Qt::SolidLine);
        const QRect reach = pageReach(solid.width());
        auto draw = [&](const QPen& pen, QPoint a, QPoint b) {
            if (!job_.walkWholeList && !segmentMeets(a, b, reach)) return;
            if (p_.pen() != pen) p_.setPen(pen);
            p_.drawLine(a, b);
        };
        forEachPerson(list, [&](const PersonRecord* m) {
            if (!takesPart(m, only)) return;
            for (int i = 1; i <= kRelationSlots; ++i) {
                const PersonRecord* partner = m->partner[i];
                // Each pair once: from the person with the lower id.
                if (partner != nullptr && partner->personId() > m->personId() &&
                    takesPart(partner, only)) {
                    draw(dashed, centre(*m), centre(*partner));
                }
            }
            // An alias box's father slot names the person it stands for.
            if (m->isAliasBox()) return;
            const int64_t midY = int64_t(m->posY()) + kBoxHeight / 2;
            const int64_t midX = int64_t(m->posX()) + kBoxWidth / 2;
            const PersonRecord* father = m->father;
            if (takesPart(father, only)) {
                draw(solid, at(midX - kParentLineShift, midY), centre(*father));
            }
            const PersonRecord* mother = m->mother;
            if (takesPart(mother, only)) {
                draw(solid, at(midX + kParentLineShift, midY), centre(*mother));
            }
        });
    }

    void boxes(const PersonList& list) {
        const QPen solid = pen(job_.choices.borderWidth, Qt::SolidLine);
        QFont font;
        const int fontHeight = g_.fontHeight * g_.pagesAcross;
        const bool withText =
            purpose_ == PagePurpose::Print && fontHeight > 0 && job_.codec != nullptr;
        if (withText) {
            font = cellHeightFont(job_.fontName, fontHeight, false, false);
            font.setStyleStrategy(QFont::PreferDefault);
        }
        // Names and dates repeat across a tree: each is measured (and a
        // name too wide shortened) once, not for every box.
        TextStamps::trim();
        TextStamps* stamps =
            withText ? &TextStamps::of(font, qRgb(0, 0, 0), p_.device()->logicalDpiY()) : nullptr;
        const QRect reach = pageReach(solid.width());
        forEachBoxOnPage(list, reach, [&](const PersonRecord* m) {
            if (!takesPart(m, job_.choices.selectedOnly)) return;
            const QPoint topLeft = at(m->posX(), m->posY());
            const QPoint bottomRight =
                at(int64_t(m->posX()) + kBoxWidth, int64_t(m->posY()) + kBoxHeight);
            const QRect box(topLeft, bottomRight - QPoint(1, 1));
            p_.setPen(solid);
            p_.setBrush(Qt::white);
            p_.drawRect(box);
            p_.setBrush(Qt::NoBrush);
            if (withText) texts(*m, box, font, *stamps);
        });
    }

private:
    // The page with room for the widest pen either side: what is drawn
    // beyond it leaves no mark on the page.
    QRect pageReach(int penWidth) const {
        const int m = penWidth + 2;
        return QRect(QPoint(-m, -m), QPoint(g_.pageWidth + m, g_.pageHeight + m));
    }

    // Calls fn for each box that can show on the page, in list order.
    template <typename Fn>
    void forEachBoxOnPage(const PersonList& list, const QRect& reach, Fn&& fn) const {
        thread_local std::vector<const PersonRecord*> near;
        if (!job_.walkWholeList &&
            list.boxIndex().query(treeArea(reach), false, list.count(), near)) {
            for (const PersonRecord* m : near) fn(m);
        } else {
            forEachPerson(list, fn);
        }
    }

    // The tree units that land on `reach` of this page, with a unit and a
    // rounding to spare.
    TreeArea treeArea(const QRect& reach) const {
        const double across = double(g_.scale) * g_.pagesAcross;
        TreeArea area;
        if (!(across > 0)) {
            area.left = area.top = INT32_MIN;
            area.right = area.bottom = INT32_MAX;
            return area;
        }
        const double slack = 1.0 / g_.scale + 2;
        auto treeX = [&](double device) {
            return (device + double(g_.pageWidth) * (cell_.column - 1)) / g_.pagesAcross -
                   g_.offsetX;
        };
        auto treeY = [&](double device) {
            return (device + double(g_.pageHeight) * (cell_.row - 1)) / g_.pagesAcross - g_.offsetY;
        };
        auto bound = [](double v) { return int64_t(std::max(-1e15, std::min(v, 1e15))); };
        area.left = bound(std::floor(g_.bounds.minX + treeX(reach.left()) / g_.scale - slack));
        area.right = bound(std::ceil(g_.bounds.minX + treeX(reach.right()) / g_.scale + slack));
        area.top = bound(std::floor(g_.bounds.minY + treeY(reach.top()) / g_.scale - slack));
        area.bottom = bound(std::ceil(g_.bounds.minY + treeY(reach.bottom()) / g_.scale + slack));
        return area;
    }

    void texts(const PersonRecord& m, const QRect& box, const QFont& font, TextStamps& stamps) {
        p_.setFont(font);
        p_.setPen(Qt::black);
        const QFontMetrics metrics = p_.fontMetrics();
        const int column = box.left() + int(g_.halfBoxWidth());
        const int width = box.width();
        const RecordCodec& codec = *job_.codec;
        auto fitted = [&](const QString& text) {
            if (text.isEmpty()) return text;
            QString shown;
            stamps.fitted(text, metrics, width, shown);
            return shown;
        };
        const QString lines[] = {fitted(codec.decode(m.text(field::givenNames))),
                                 fitted(codec.decode(m.text(field::surname))),
                                 codec.decode(m.text(field::birthDate)),
                                 QStringLiteral("- ") + codec.decode(m.text(field::deathDate))};
        const int offsets[] = {kPrintedBoxLines.givenNames, kPrintedBoxLines.surname,
                               kPrintedBoxLines.birth, kPrintedBoxLines.death};
        // The texts are clipped to the box, once for all four lines, and
        // only where one of them could reach beyond it: a clip is a change
        // of the page's graphics state, which a PDF page writes out in
        // full, and changes nothing where the glyphs stay inside anyway.
        const int overhang = std::max(2, metrics.height() / 4) +
                             std::max(0, -std::min(metrics.minLeftBearing(), 0)) +
                             std::max(0, -std::min(metrics.minRightBearing(), 0));
        QPoint at[4];
        bool clip = false;
        for (int i = 0; i < 4; ++i) {
            const int top = drawCoord(g_.mapY(int64_t(m.posY()) + offsets[i], cell_));
            const int advance = stamps.entry(lines[i], metrics).advance;
            at[i] = QPoint(column - advance / 2, top + metrics.ascent());
            const QRect reach(at[i].x() - overhang, top - overhang, advance + 2 * overhang,
                              metrics.height() + 2 * overhang);
            clip = clip || !box.contains(reach);
        }
        if (clip) p_.setClipRect(box);
        for (int i = 0; i < 4; ++i) p_.drawText(at[i], lines[i]);
        if (clip) p_.setClipping(false);
    }

    QPainter& p_;
    const PageGeometry& g_;
    PageCell cell_;
    const PrintJob& job_;
    int dpi_;
    PagePurpose purpose_;
};

void paintFooter(QPainter& painter, int pageWidth, int dotsPerInch) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(std::max(1, int(std::lround(kFooterPoints * dotsPerInch / 72.0))));
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QString text = printFooterText();
    const QFontMetrics metrics = painter.fontMetrics();
    painter.drawText(QPoint((pageWidth - metrics.horizontalAdvance(text)) / 2, metrics.ascent()),
                     text);
}

}  // namespace

QString printFooterText() {
    return QStringLiteral("Printed with Lineara ") + QLatin1String(kVersionText) +
           QStringLiteral(" - aee ") + QLatin1String(kHomePageAddress);
}

int printedPenWidth(int step, int pagesAcross, int dotsPerInch) {
    const double pixelsPerStep = std::max(1.0, kPointsPerBorderStep * dotsPerInch / 72.0);
    return std::max(1, int(std::lround(step * pixelsPerStep * std::max(1, pagesAcross))));
}

void paintPrintedPage(QPainter& painter, const PageGeometry& geometry, const PageCell& cell,
                      const PersonList& list, const PrintJob& job, int dotsPerInch,
                      PagePurpose purpose) {
    painter.save();
    if (cell.row == 1) paintFooter(painter, geometry.pageWidth, dotsPerInch);
    PagePainter page(painter, geometry, cell, job, dotsPerInch, purpose);
    page.lines(list);
    page.boxes(list);
    painter.restore();
}

PrintOutcome printTree(PageTarget& target, const PersonList& list, const PrintJob& job) {
    const std::optional<PrintBounds> bounds = printBounds(list, job.choices.selectedOnly);
    if (!bounds) return PrintOutcome::NothingToPrint;
    const QSize page = target.pageSize();
    if (page.isEmpty()) return PrintOutcome::DeviceFailed;
    const PageGeometry geometry =
        pageGeometry(*bounds, page.width(), page.height(), job.choices.pagesAcross, job.fontSize);
    for (const PageCell& cell : pageOrder(geometry.pagesAcross)) {
        QPainter* painter = target.nextPage();
        if (painter == nullptr) {
            target.finish();
            return PrintOutcome::DeviceFailed;
        }
        paintPrintedPage(*painter, geometry, cell, list, job, target.dotsPerInch());
    }
    return target.finish() ? PrintOutcome::Printed : PrintOutcome::DeviceFailed;
}

PrintOutcome printImageFitted(PageTarget& target, const QImage& image) {
    const QSize page = target.pageSize();
    if (image.isNull() || page.isEmpty()) return PrintOutcome::NothingToPrint;
    QPainter* painter = target.nextPage();
    if (painter == nullptr) {
        target.finish();
        return PrintOutcome::DeviceFailed;
    }
    const QSize fitted = image.size().scaled(page, Qt::KeepAspectRatio);
    painter->drawImage(QRect(QPoint(0, 0), fitted), image);
    return target.finish() ? PrintOutcome::Printed : PrintOutcome::DeviceFailed;
}

}  // namespace lineara
