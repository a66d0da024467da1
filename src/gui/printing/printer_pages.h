// Printed pages on a real printer: a CUPS queue, or the PDF file of the
// print dialog's print to file.
#pragma once

#include <QPainter>
#include <functional>
#include <string>

#include "render/printing/page_target.h"
#include "render/printing/tree_printer.h"

class QPrinter;

namespace lineara {

// A PDF file has no unprintable border, so the whole sheet is the page and
// pages fit edge to edge.
void useWholeSheetForPdf(QPrinter& printer);

class PrinterPages : public PageTarget {
public:
    explicit PrinterPages(QPrinter& printer) : printer_(printer) {}
    QSize pageSize() const override;
    int dotsPerInch() const override;
    QPainter* nextPage() override;
    bool finish() override;

private:
    QPrinter& printer_;
    QPainter painter_;
    bool begun_ = false;
};

// Prints with `print` on `printer`. A printer set to make a PDF file (the
// print dialog's print to file) makes it through PdfFilePages, laid out as
// the printer lays its pages. On DeviceFailed `error` says why when a file
// was the cause.
PrintOutcome printOnPrinter(QPrinter& printer,
                            const std::function<PrintOutcome(PageTarget&)>& print,
                            std::string& error);

}  // namespace lineara
