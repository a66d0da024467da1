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
#include "render/printing/page_target.h"

class QPdfWriter;

namespace lineara {

class AtomicFileDevice;

class PdfFilePages : public PageTarget {
public:
    // Pages laid out as `layout` says (paper, orientation, margins or the
    // whole sheet) at `dotsPerInch`; `creator` and `title` go into the
    // document's information.
    PdfFilePages(const QPageLayout& layout, int dotsPerInch, const QString& creator = QString(),
                 const QString& title = QString());
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
    bool failed();

    QPageLayout layout_;
    int resolution_;
    QString creator_;
    QString title_;
    AtomicFileWriter file_;
    std::unique_ptr<AtomicFileDevice> device_;
    std::unique_ptr<QPdfWriter> pdf_;
    QPainter painter_;
    bool begun_ = false;
    bool finished_ = false;
    std::string error_;
};

// The pages of lineara-tool print: an A4 sheet, every bit of it printed
// on (a PDF file has no unprintable border, so pages fit edge to edge), at
// 1200 dots per inch. They are what a high-resolution printer set to make a
// PDF file of the whole sheet lays out, so the tool and the print window
// make the same file.
constexpr int kPdfDotsPerInch = 1200;
QPageLayout wholeA4Sheet(QPageLayout::Orientation orientation);

}  // namespace lineara
