#include "tool/standard_output.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <streambuf>

namespace lineara::tool {

namespace {

class DescriptorBuffer : public std::streambuf {
public:
    explicit DescriptorBuffer(int fd) : fd_(fd) { setp(buffer_, buffer_ + sizeof buffer_); }

    int firstError() const { return error_; }

protected:
    int_type overflow(int_type c) override {
        if (!drain()) return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }

    int sync() override { return drain() ? 0 : -1; }

private:
    // Once a write failed, later output is dropped: retrying could only
    // scatter pieces of it after a gap.
    bool drain() {
        const char* p = pbase();
        size_t left = static_cast<size_t>(pptr() - pbase());
        while (left > 0 && error_ == 0) {
            ssize_t n = ::write(fd_, p, left);
            if (n < 0) {
                if (errno == EINTR) continue;
                error_ = errno;
                break;
            }
            p += n;
            left -= static_cast<size_t>(n);
        }
        setp(buffer_, buffer_ + sizeof buffer_);
        return error_ == 0;
    }

    int fd_;
    int error_ = 0;
    char buffer_[1 << 16];
};

DescriptorBuffer& buffer() {
    static DescriptorBuffer instance(STDOUT_FILENO);
    return instance;
}

}  // namespace

std::ostream& out() {
    static std::ostream stream(&buffer());
    return stream;
}

bool finishStandardOutput(std::string& error) {
    out().flush();
    if (buffer().firstError() == 0) return true;
    error =
        std::string("Cannot write the standard output. ") + std::strerror(buffer().firstError());
    return false;
}

}  // namespace lineara::tool
