#include "gui/printing/printer_pages.h"

#include <QFile>
#include <QPrinter>

#include "render/printing/pdf_file_pages.h"

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

PrintOutcome printOnPrinter(QPrinter& printer,
                            const std::function<PrintOutcome(PageTarget&)>& print,
                            std::string& error) {
    error.clear();
    if (printer.outputFormat() != QPrinter::PdfFormat || printer.outputFileName().isEmpty()) {
        PrinterPages pages(printer);
        return print(pages);
    }
    PdfFilePages pages(printer.pageLayout(), printer.resolution(), printer.creator(),
                       printer.docName());
    if (!pages.open(QFile::encodeName(printer.outputFileName()).toStdString())) {
        error = pages.error();
        return PrintOutcome::DeviceFailed;
    }
    const PrintOutcome outcome = print(pages);
    if (outcome == PrintOutcome::NothingToPrint) return outcome;
    if (outcome == PrintOutcome::Printed && pages.commit()) return outcome;
    error = pages.error();
    return PrintOutcome::DeviceFailed;
}

}  // namespace lineara
