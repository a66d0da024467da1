#include "gui/printing/page_target.h"

#include <QPrinter>
#include <cmath>

namespace lineara {

void useWholeSheetForPdf(QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat) printer.setFullPage(true);
}

QSize PrinterPages::pageSize() const { return QSize(printer_.width(), printer_.height()); }

int PrinterPages::dotsPerInch() const { return printer_.resolution(); }

QPainter* PrinterPages::nextPage() {
    if (!begun_) {
        if (!painter_.begin(&printer_)) return nullptr;
        begun_ = true;
    } else if (!printer_.newPage()) {
        return nullptr;
    }
    // A PDF page would show what lies in its margins too, so that pages
    // pasted together would repeat a strip at every seam: like a printer,
    // every page shows its own page and nothing of its neighbours.
    painter_.setClipRect(QRect(QPoint(0, 0), pageSize()));
    return &painter_;
}

bool PrinterPages::finish() {
    if (begun_) painter_.end();
    begun_ = false;
    return printer_.printerState() != QPrinter::Error;
}

QPainter* ImagePages::nextPage() {
    if (painter_) painter_->end();
    QImage page(page_, QImage::Format_RGB32);
    if (page.isNull()) return nullptr;
    page.fill(Qt::white);
    const int dotsPerMeter = int(std::lround(dpi_ / 0.0254));
    page.setDotsPerMeterX(dotsPerMeter);
    page.setDotsPerMeterY(dotsPerMeter);
    pages_.push_back(std::move(page));
    painter_ = std::make_unique<QPainter>(&pages_.back());
    return painter_.get();
}

bool ImagePages::finish() {
    if (painter_) painter_->end();
    painter_.reset();
    return true;
}

}  // namespace lineara
