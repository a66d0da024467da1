#include "render/reports/jpeg_writer.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
// jpeglib.h uses FILE and size_t without including their headers.
#include <jpeglib.h>
// After jpeglib.h, which it needs.
#include <jerror.h>

#include "core/platform/atomic_file.h"

namespace lineara {

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not
// return; we jump back to compress and give up.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf back;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void failWrite(j_common_ptr info) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    errors->base.format_message(info, errors->message);
    std::longjmp(errors->back, 1);
}

void noMessages(j_common_ptr) {}

// The compressed bytes go straight into a vector, a block at a time.
struct VectorDestination {
    jpeg_destination_mgr base;
    std::vector<uint8_t>* out;
    JOCTET block[16384];
};

void startDestination(j_compress_ptr info) {
    auto* dest = reinterpret_cast<VectorDestination*>(info->dest);
    dest->base.next_output_byte = dest->block;
    dest->base.free_in_buffer = sizeof dest->block;
}

void keep(j_compress_ptr info, size_t count) {
    auto* dest = reinterpret_cast<VectorDestination*>(info->dest);
    bool kept = true;
    // Nothing may unwind through libjpeg: running out of memory becomes
    // its own error.
    try {
        dest->out->insert(dest->out->end(), dest->block, dest->block + count);
    } catch (...) {
        kept = false;
    }
    if (!kept) ERREXIT1(info, JERR_OUT_OF_MEMORY, 0);
}

boolean emptyDestination(j_compress_ptr info) {
    auto* dest = reinterpret_cast<VectorDestination*>(info->dest);
    keep(info, sizeof dest->block);
    startDestination(info);
    return TRUE;
}

void endDestination(j_compress_ptr info) {
    auto* dest = reinterpret_cast<VectorDestination*>(info->dest);
    keep(info, sizeof dest->block - dest->base.free_in_buffer);
}

// No C++ object with a destructor lives between setjmp and a longjmp: the
// image and the vector belong to the caller, whose frame the jump does not
// leave.
bool compress(const QImage& rgb, int quality, std::vector<uint8_t>* out, char* message) {
    jpeg_compress_struct info;
    ErrorManager errors;
    VectorDestination dest;
    errors.message[0] = '\0';
    dest.out = out;
    dest.base.init_destination = startDestination;
    dest.base.empty_output_buffer = emptyDestination;
    dest.base.term_destination = endDestination;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = failWrite;
    errors.base.output_message = noMessages;
    if (setjmp(errors.back) != 0) {
        jpeg_destroy_compress(&info);
        std::copy(errors.message, errors.message + JMSG_LENGTH_MAX, message);
        return false;
    }
    jpeg_create_compress(&info);
    info.dest = &dest.base;
    info.image_width = JDIMENSION(rgb.width());
    info.image_height = JDIMENSION(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

bool fail(std::string* error, const std::string& why) {
    if (error != nullptr) *error = why;
    return false;
}

}  // namespace

bool encodeJpeg(const QImage& image, int quality, std::vector<uint8_t>* out, std::string* error) {
    if (image.isNull() || image.width() > JPEG_MAX_DIMENSION ||
        image.height() > JPEG_MAX_DIMENSION) {
        return fail(error, "the image cannot be a JPEG");
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    if (rgb.isNull()) return fail(error, "out of memory");
    char message[JMSG_LENGTH_MAX] = {};
    out->clear();
    if (!compress(rgb, std::clamp(quality, 1, 100), out, message)) {
        out->clear();
        return fail(error, std::string("cannot write the JPEG: ") + message);
    }
    return true;
}

bool writeJpeg(const QImage& image, const std::string& path, int quality, std::string* error) {
    std::vector<uint8_t> bytes;
    if (!encodeJpeg(image, quality, &bytes, error)) return false;
    std::string why;
    if (writeFileAtomically(path, bytes.data(), bytes.size(), why)) return true;
    if (error != nullptr) *error = why;
    return false;
}

}  // namespace lineara
