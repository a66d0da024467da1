#include "render/printing/pdf_file_pages.h"

#include <QPageSize>
#include <QPdfWriter>

#include "render/platform/atomic_file_device.h"

namespace lineara {

PdfFilePages::PdfFilePages(const QPageLayout& layout, int dotsPerInch, const QString& creator,
                           const QString& title)
    : layout_(layout), resolution_(dotsPerInch), creator_(creator), title_(title) {}

PdfFilePages::~PdfFilePages() {
    // An unfinished document is dropped with its temporary file.
    if (begun_) painter_.end();
}

bool PdfFilePages::open(const std::string& path) {
    if (!file_.open(path)) {
        error_ = file_.error();
        return false;
    }
    device_ = std::make_unique<AtomicFileDevice>(file_);
    device_->open(QIODevice::WriteOnly);
    pdf_ = std::make_unique<QPdfWriter>(device_.get());
    pdf_->setPageLayout(layout_);
    pdf_->setResolution(resolution_);
    pdf_->setCreator(creator_);
    pdf_->setTitle(title_);
    return true;
}

QSize PdfFilePages::pageSize() const {
    return pdf_ ? QSize(pdf_->width(), pdf_->height()) : QSize();
}

int PdfFilePages::dotsPerInch() const { return resolution_; }

bool PdfFilePages::failed() {
    if (!device_ || device_->failed()) {
        if (error_.empty()) error_ = file_.error();
        return true;
    }
    return false;
}

QPainter* PdfFilePages::nextPage() {
    if (!pdf_ || failed()) return nullptr;
    if (!begun_) {
        if (!painter_.begin(pdf_.get())) return nullptr;
        begun_ = true;
    } else if (!pdf_->newPage() || failed()) {
        return nullptr;
    }
    // As on a printer, every page shows its own page and nothing of its
    // neighbours.
    painter_.setClipRect(QRect(QPoint(0, 0), pageSize()));
    return &painter_;
}

bool PdfFilePages::finish() {
    bool ended = !begun_ || painter_.end();
    begun_ = false;
    if (device_) device_->flushBuffer();
    finished_ = !failed() && ended;
    return finished_;
}

bool PdfFilePages::commit() {
    if (!finished_) return false;
    finished_ = false;
    if (file_.commit()) return true;
    error_ = file_.error();
    return false;
}

QPageLayout wholeA4Sheet(QPageLayout::Orientation orientation) {
    // The margins are a printer's defaults; on the whole sheet they only
    // travel with the layout and move nothing.
    QPageLayout layout(QPageSize(QPageSize::A4), orientation, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Point, QMarginsF(0, 0, 0, 0));
    layout.setMode(QPageLayout::FullPageMode);
    return layout;
}

}  // namespace lineara
