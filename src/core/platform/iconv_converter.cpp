#include "core/platform/iconv_converter.h"

#include <iconv.h>

#include <cerrno>
#include <type_traits>

namespace lineara {

static_assert(std::is_same_v<iconv_t, void*>, "the header keeps the descriptor as a void*");

namespace {

const iconv_t kNone = reinterpret_cast<iconv_t>(-1);

}  // namespace

IconvConverter::IconvConverter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}

IconvConverter::~IconvConverter() {
    if (ok()) iconv_close(cd_);
}

bool IconvConverter::ok() const { return cd_ != kNone; }

bool IconvConverter::pass(const char*& src, size_t& left, std::string& out) {
    if (!ok()) {
        out.append(src, left);
        src += left;
        left = 0;
        return true;
    }
    char buffer[1024];
    while (left > 0) {
        char* in = const_cast<char*>(src);
        char* dst = buffer;
        size_t room = sizeof buffer;
        const size_t r = iconv(cd_, &in, &left, &dst, &room);
        src = in;
        out.append(buffer, static_cast<size_t>(dst - buffer));
        if (r == static_cast<size_t>(-1) && errno != E2BIG) return false;
    }
    return true;
}

void IconvConverter::finish(std::string& out) {
    if (!ok()) return;
    char buffer[64];
    char* dst = buffer;
    size_t room = sizeof buffer;
    iconv(cd_, nullptr, nullptr, &dst, &room);
    out.append(buffer, static_cast<size_t>(dst - buffer));
}

size_t utf8SequenceLength(std::string_view s) {
    if (s.empty()) return 0;
    unsigned char c = static_cast<unsigned char>(s[0]);
    size_t n = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    if (n > s.size()) return 1;
    for (size_t i = 1; i < n; ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 1;
    }
    return n;
}

}  // namespace lineara
