#include "render/platform/atomic_file_device.h"

#include "core/platform/atomic_file.h"

namespace lineara {

bool AtomicFileDevice::flushBuffer() {
    if (!failed_ && !buffer_.isEmpty()) {
        failed_ = !file_.write(buffer_.constData(), size_t(buffer_.size()));
        buffer_.clear();
    }
    return !failed_;
}

qint64 AtomicFileDevice::writeData(const char* data, qint64 size) {
    if (failed_) return -1;
    buffer_.append(data, size);
    if (buffer_.size() >= kChunk && !flushBuffer()) return -1;
    return size;
}

}  // namespace lineara
