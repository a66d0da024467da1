#include "core/gedcom/gedcom_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/platform/atomic_file.h"

namespace lineara {

FileSource::~FileSource() {
    if (fd_ >= 0) ::close(fd_);
}

bool FileSource::open(const std::string& path) {
    if (fd_ >= 0) ::close(fd_);
    // Non-blocking only for the open itself, so that a FIFO without a
    // writer does not hang us here; reads block as usual.
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0) {
        error_ = fileErrorMessage("Cannot open file", path, errno);
        return false;
    }
    struct stat st;
    int errnum = fstat(fd_, &st) != 0 ? errno : S_ISDIR(st.st_mode) ? EISDIR : 0;
    if (errnum != 0) {
        ::close(fd_);
        fd_ = -1;
        error_ = fileErrorMessage("Cannot open file", path, errnum);
        return false;
    }
    int flags = fcntl(fd_, F_GETFL);
    if (flags >= 0) fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK);
    sizeKnown_ = S_ISREG(st.st_mode);
    size_ = sizeKnown_ ? static_cast<int64_t>(st.st_size) : 0;
    return true;
}

int64_t FileSource::read(char* buffer, size_t size, int& error) {
    for (;;) {
        ssize_t n = ::read(fd_, buffer, size);
        if (n >= 0) return n;
        if (errno == EINTR) continue;
        error = errno;
        return -1;
    }
}

int64_t MemorySource::read(char* buffer, size_t size, int& /*error*/) {
    size_t n = std::min({size, piece_, bytes_.size() - at_});
    std::memcpy(buffer, bytes_.data() + at_, n);
    at_ += n;
    return static_cast<int64_t>(n);
}

GedcomLineReader::GedcomLineReader(ByteSource& source, size_t blockSize)
    : source_(source), block_(blockSize == 0 ? 1 : blockSize) {}

GedcomLineReader::Result GedcomLineReader::next(GedcomLineScanner& line) {
    line.reset();
    if (ended_) return Result::End;
    bool started = false;  // any byte of this line, or its line end
    for (;;) {
        if (at_ == filled_) {
            int64_t n = source_.read(block_.data(), block_.size(), error_);
            if (n < 0) {
                ended_ = true;
                return Result::Error;
            }
            if (n == 0) {
                ended_ = true;
                return started ? Result::Line : Result::End;
            }
            at_ = 0;
            filled_ = static_cast<size_t>(n);
        }
        if (afterCr_) {
            afterCr_ = false;
            if (block_[at_] == '\n') {
                ++at_;
                continue;
            }
        }
        const char* begin = block_.data() + at_;
        const char* end = block_.data() + filled_;
        const char* p = begin;
        while (p != end && *p != '\n' && *p != '\r' && *p != 26) ++p;
        if (p != begin) {
            line.append(begin, static_cast<size_t>(p - begin));
            started = true;
        }
        at_ = static_cast<size_t>(p - block_.data());
        if (p == end) continue;
        ++at_;
        if (*p == 26) {
            ended_ = true;
            return started ? Result::Line : Result::End;
        }
        afterCr_ = *p == '\r';
        return Result::Line;
    }
}

}  // namespace lineara
