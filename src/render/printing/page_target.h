// Where printed pages go: a printer (a CUPS queue, see
// gui/printing/printer_pages.h), a PDF file (pdf_file_pages.h), or a row of
// images, so that tests and the preview can look at the pixels of every
// page exactly as it would be printed.
#pragma once

#include <QImage>
#include <QPainter>
#include <QSize>
#include <memory>
#include <vector>

namespace lineara {

class PageTarget {
public:
    virtual ~PageTarget() = default;
    // The page in device pixels, and the pixels per inch.
    virtual QSize pageSize() const = 0;
    virtual int dotsPerInch() const = 0;
    // Begins the document on the first call and a new page on every
    // further one; null when the device refuses.
    virtual QPainter* nextPage() = 0;
    // Ends the document; false when the device reported an error.
    virtual bool finish() = 0;
};

class ImagePages : public PageTarget {
public:
    ImagePages(QSize page, int dotsPerInch) : page_(page), dpi_(dotsPerInch) {}
    QSize pageSize() const override { return page_; }
    int dotsPerInch() const override { return dpi_; }
    QPainter* nextPage() override;
    bool finish() override;
    // The pages printed so far, white where nothing was drawn.
    const std::vector<QImage>& pages() const { return pages_; }

private:
    QSize page_;
    int dpi_;
    std::vector<QImage> pages_;
    std::unique_ptr<QPainter> painter_;
};

}  // namespace lineara
