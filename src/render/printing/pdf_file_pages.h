// Printing into a PDF file whole or not at all. The pages go through Qt's
// PDF writer straight into a temporary file beside the target, which
// replaces the target only once the document was ended without a single
// failed write. A print that fails (a full disk, a file-size limit) leaves
// the old file as it was; the temporary file of a killed one is removed by
// the next print to that file. Nothing is written anywhere else.
#pragma once

#include <QPageLayout>
#include <QPainter>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "core/platform/atomic_file.h"
#include "gui/printing/page_target.h"
#include "gui/printing/tree_printer.h"

class QPdfWriter;
class QPrinter;

namespace lineara {

class PdfFilePages : public PageTarget {
public:
    // Pages laid out as `printer` lays them (paper, orientation, margins or
    // the whole sheet) at its resolution.
    explicit PdfFilePages(const QPrinter& printer);
    ~PdfFilePages() override;
    PdfFilePages(const PdfFilePages&) = delete;
    PdfFilePages& operator=(const PdfFilePages&) = delete;

    // Each returns false with the reason in error(), naming the file.
    bool open(const std::string& path);
    QSize pageSize() const override;
    int dotsPerInch() const override;
    QPainter* nextPage() override;  // null also once a write has failed
    bool finish() override;
    // After a successful finish(): the file takes its name.
    bool commit();
    const std::string& error() const { return error_; }

private:
    class FileDevice;
    bool failed();

    QPageLayout layout_;
    int resolution_;
    QString creator_;
    QString title_;
    AtomicFileWriter file_;
    std::unique_ptr<FileDevice> device_;
    std::unique_ptr<QPdfWriter> pdf_;
    QPainter painter_;
    bool begun_ = false;
    bool finished_ = false;
    std::string error_;
};

// Prints with `print` on `printer`. A printer set to make a PDF file (the
// print dialog's print to file) makes it through PdfFilePages. On
// DeviceFailed `error` says why when a file was the cause.
PrintOutcome printOnPrinter(QPrinter& printer,
                            const std::function<PrintOutcome(PageTarget&)>& print,
                            std::string& error);

}  // namespace lineara
