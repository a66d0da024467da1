#include "render/tree_image/tree_image_file.h"

#include <QBuffer>
#include <QIODevice>
#include <QImage>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <algorithm>
#include <cctype>
#include <cmath>

#include "core/platform/atomic_file.h"
#include "render/printing/pdf_file_pages.h"
#include "render/tree_image/svg_paint_device.h"

namespace lineara {

namespace {

TreeImageResult failed(TreeImageResult result, std::string error) {
    result.outcome = TreeImageResult::Failed;
    result.error = std::move(error);
    return result;
}

TreeImageResult writeSvg(const std::string& path, TreeImageResult result, const PersonList& persons,
                         const TreeImageGeometry& geometry, const TreeImageRequest& request,
                         const RecordCodec& codec, const TreeImageProgress& progress) {
    AtomicFileWriter file;
    if (!file.open(path)) return failed(result, file.error());
    SvgPaintDevice svg(
        QSize(int(geometry.width), int(geometry.height)),
        [&file](std::string_view piece) { return file.write(piece.data(), piece.size()); });
    QPainter painter;
    if (!painter.begin(&svg)) return failed(result, path + ": the picture could not be started");
    // A full disk stops the drawing at the next tile.
    const TreeImageProgress going = [&svg, &progress](int done, int total) {
        return !svg.failed() && (!progress || progress(done, total));
    };
    const bool complete =
        paintTreeImage(painter, TreeImageTarget::Vector, persons, geometry, request, codec, going);
    painter.end();
    if (svg.failed()) return failed(result, file.error());
    if (!complete) {
        result.outcome = TreeImageResult::Cancelled;
        return result;
    }
    if (!svg.finish() || !file.commit()) return failed(result, file.error());
    result.outcome = TreeImageResult::Written;
    return result;
}

TreeImageResult writePdf(const std::string& path, TreeImageResult result, const PersonList& persons,
                         const TreeImageGeometry& geometry, const TreeImageRequest& request,
                         const RecordCodec& codec, const TreeImageProgress& progress) {
    // One picture pixel a dot at screen resolution; a picture larger than
    // the largest page takes more dots an inch, which scales it down.
    const double longest = double(std::max(geometry.width, geometry.height));
    int dpi = kTreeImageDotsPerInch;
    if (longest * 72.0 / dpi > kMaxPdfPagePoints) {
        dpi = int(std::ceil(longest * 72.0 / kMaxPdfPagePoints));
        result.pdfScaledTo = request.scalePercent * double(kTreeImageDotsPerInch) / dpi;
    }
    const QSizeF points(double(geometry.width) * 72.0 / dpi, double(geometry.height) * 72.0 / dpi);
    QPageLayout layout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                       QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
    layout.setMode(QPageLayout::FullPageMode);
    PdfFilePages pages(layout, dpi, QStringLiteral("Lineara"));
    if (!pages.open(path)) return failed(result, pages.error());
    QPainter* painter = pages.nextPage();
    if (painter == nullptr) return failed(result, pages.error());
    if (!paintTreeImage(*painter, TreeImageTarget::Vector, persons, geometry, request, codec,
                        progress)) {
        result.outcome = TreeImageResult::Cancelled;
        return result;  // the unfinished file goes with `pages`
    }
    if (!pages.finish() || !pages.commit()) {
        return failed(result, pages.error().empty() ? path + ": the PDF could not be written"
                                                    : pages.error());
    }
    result.outcome = TreeImageResult::Written;
    return result;
}

TreeImageResult writePng(const std::string& path, TreeImageResult result, const PersonList& persons,
                         const TreeImageGeometry& geometry, const TreeImageRequest& request,
                         const RecordCodec& codec, const TreeImageProgress& progress) {
    if (!pngFits(geometry.width, geometry.height)) {
        result.outcome = TreeImageResult::TooLarge;
        return result;
    }
    QImage image(int(geometry.width), int(geometry.height), QImage::Format_RGB32);
    if (image.isNull()) return failed(result, "Not enough memory for the picture");
    {
        QPainter painter(&image);
        if (!paintTreeImage(painter, TreeImageTarget::Raster, persons, geometry, request, codec,
                            progress)) {
            result.outcome = TreeImageResult::Cancelled;
            return result;
        }
    }
    // Encoded in memory and written whole: a full disk or a killed run
    // never leaves half a picture in place of the old one.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image))
        return failed(result, path + ": " + writer.errorString().toStdString());
    std::string error;
    if (!writeFileAtomically(path, png.constData(), size_t(png.size()), error)) {
        return failed(result, error);
    }
    result.outcome = TreeImageResult::Written;
    return result;
}

}  // namespace

std::optional<TreeImageFormat> treeImageFormatOf(const std::string& path) {
    const size_t dot = path.find_last_of("./");
    if (dot == std::string::npos || path[dot] != '.') return std::nullopt;
    std::string ext = path.substr(dot + 1);
    for (char& c : ext) c = char(std::tolower(static_cast<unsigned char>(c)));
    if (ext == "svg") return TreeImageFormat::Svg;
    if (ext == "pdf") return TreeImageFormat::Pdf;
    if (ext == "png") return TreeImageFormat::Png;
    return std::nullopt;
}

std::optional<int> largestPngScale(const PersonList& persons, const TreeImageRequest& request) {
    TreeImageRequest at = request;
    // The picture grows with the scale, its margin included, so the
    // largest scale that fits is found by halving.
    auto fits = [&](int scale) {
        at.scalePercent = scale;
        const std::optional<TreeImageGeometry> g = treeImageGeometry(persons, at);
        return g && pngFits(g->width, g->height);
    };
    int lo = kMinTreeImageScale, hi = request.scalePercent;
    if (hi < lo || !fits(lo)) return std::nullopt;
    while (lo < hi) {
        const int mid = lo + (hi - lo + 1) / 2;
        if (fits(mid)) {
            lo = mid;
        } else {
            hi = mid - 1;
        }
    }
    return lo;
}

TreeImageResult writeTreeImage(const std::string& path, TreeImageFormat format, PersonList& persons,
                               const TreeImageRequest& request, const RecordCodec& codec,
                               const TreeImageProgress& progress) {
    TreeImageResult result;
    const std::optional<TreeImageGeometry> geometry = treeImageGeometry(persons, request);
    if (!geometry) {
        result.outcome = TreeImageResult::NothingToDraw;
        return result;
    }
    result.width = geometry->width;
    result.height = geometry->height;
    TreeImageSource source(persons, request.selectedOnly);
    TreeImageRequest whole = request;
    whole.selectedOnly = false;  // the source holds only what is drawn
    switch (format) {
    case TreeImageFormat::Svg:
        return writeSvg(path, result, source.persons(), *geometry, whole, codec, progress);
    case TreeImageFormat::Pdf:
        return writePdf(path, result, source.persons(), *geometry, whole, codec, progress);
    case TreeImageFormat::Png:
        return writePng(path, result, source.persons(), *geometry, whole, codec, progress);
    }
    return result;
}

}  // namespace lineara
