#include "render/pictures/jpeg_reader.h"

#include "render/pictures/picture_loader.h"

#include <QFile>
#include <csetjmp>
#include <cstdio>
// jpeglib.h uses FILE and size_t without including their headers.
#include <jpeglib.h>

namespace lineara {

namespace {

constexpr long kJpegWorkingMemory = 256L << 20;

// libjpeg reports a fatal error by calling error_exit, which must not
// return; we jump back to readInto and give up on the picture.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf back;
};

[[noreturn]] void failRead(j_common_ptr info) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    std::longjmp(errors->back, 1);
}

void noMessages(j_common_ptr) {}

// No C++ object with a destructor lives between setjmp and a longjmp, so
// the jump skips nothing that needs cleaning up; the image is a plain
// pointer argument whose owner outlives this frame.
// The largest of 8, 4 and 2 that still leaves `atLeast` (1 when none).
unsigned reduction(JDIMENSION width, JDIMENSION height, QSize atLeast) {
    if (atLeast.isEmpty()) return 1;
    for (unsigned denominator : {8u, 4u, 2u}) {
        if ((width + denominator - 1) / denominator >= JDIMENSION(atLeast.width()) &&
            (height + denominator - 1) / denominator >= JDIMENSION(atLeast.height())) {
            return denominator;
        }
    }
    return 1;
}

// With `image` null only the header is read, into `size`.
bool readInto(const unsigned char* data, unsigned long size, QSize atLeast, QImage* image,
              QSize* full) {
    jpeg_decompress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = failRead;
    errors.base.output_message = noMessages;
    if (setjmp(errors.back) != 0) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    // A progressive picture is held whole, as coefficients, while it is
    // decoded, whatever the size it is reduced to; this bounds what that
    // may take, and a larger one fails as a damaged one does.
    info.mem->max_memory_to_use = kJpegWorkingMemory;
    jpeg_mem_src(&info, data, size);
    jpeg_read_header(&info, TRUE);
    if (full != nullptr) *full = QSize(int(info.image_width), int(info.image_height));
    if (image == nullptr) {
        jpeg_destroy_decompress(&info);
        return true;
    }
    info.scale_num = 1;
    info.scale_denom = reduction(info.image_width, info.image_height, atLeast);
    info.out_color_space = JCS_RGB;
    jpeg_calc_output_dimensions(&info);
    if (qint64(info.output_width) * info.output_height > kPictureDecodeLimit) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_start_decompress(&info);
    *image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                    QImage::Format_RGB888);
    if (image->isNull()) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image->scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

}  // namespace

QImage readJpeg(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QImage();
    return decodeJpeg(file.readAll());
}

QImage decodeJpeg(const QByteArray& bytes, QSize atLeast) {
    if (bytes.isEmpty()) return QImage();
    QImage image;
    if (!readInto(reinterpret_cast<const unsigned char*>(bytes.constData()),
                  static_cast<unsigned long>(bytes.size()), atLeast, &image, nullptr)) {
        return QImage();
    }
    return image;
}

QSize jpegSize(const QByteArray& bytes) {
    QSize size;
    if (bytes.isEmpty() ||
        !readInto(reinterpret_cast<const unsigned char*>(bytes.constData()),
                  static_cast<unsigned long>(bytes.size()), QSize(), nullptr, &size)) {
        return QSize();
    }
    return size;
}

}  // namespace lineara
