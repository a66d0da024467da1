#include "core/platform/codepage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/platform/latin_letters.h"

namespace lineara {

const char* codePageForCharset(int charsetCode) {
    switch (charsetCode) {
    case 238:
        return "CP1250";
    case 204:
        return "CP1251";
    case 161:
        return "CP1253";
    case 162:
        return "CP1254";
    case 177:
        return "CP1255";
    case 178:
        return "CP1256";
    case 186:
        return "CP1257";
    case 163:
        return "CP1258";
    case 222:
        return "CP874";
    case 128:
        return "CP932";
    case 129:
        return "CP949";
    case 130:
        return "JOHAB";
    case 134:
        return "CP936";
    case 136:
        return "CP950";
    case 77:
        return "MACINTOSH";
    case 255:
        return "CP852";
    case 0:
    case 2:
        return "CP1252";
    default:
        return "CP1250";
    }
}

namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts `in`; on a sequence it cannot convert, appends `replacement`
    // and skips `skip(rest)` input bytes.
    template <typename Skip>
    std::string run(std::string_view in, std::string_view replacement, Skip skip) {
        std::string out;
        out.reserve(in.size() * 2);
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        char buffer[256];
        while (srcLeft > 0) {
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, static_cast<size_t>(dst - buffer));
            if (r == static_cast<size_t>(-1) && errno != E2BIG) {
                out.append(replacement);
                size_t n = std::min(srcLeft, skip(std::string_view(src, srcLeft)));
                src += n;
                srcLeft -= n;
                iconv(cd_, nullptr, nullptr, nullptr, nullptr);
            }
        }
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        iconv(cd_, nullptr, nullptr, &dst, &dstLeft);
        out.append(buffer, static_cast<size_t>(dst - buffer));
        return out;
    }

private:
    iconv_t cd_;
};

// The length of the UTF-8 sequence at the start of `s` (1 for a stray byte).
size_t utf8SequenceLength(std::string_view s) {
    unsigned char c = static_cast<unsigned char>(s[0]);
    size_t n = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    if (n > s.size()) return 1;
    for (size_t i = 1; i < n; ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 1;
    }
    return n;
}

}  // namespace

std::string toCodePage(std::string_view utf8, const char* codePage) {
    Converter c(codePage, "UTF-8");
    if (!c.ok()) return std::string(utf8);
    return c.run(utf8, "?", utf8SequenceLength);
}

std::string fromCodePage(std::string_view bytes, const char* codePage) {
    Converter c("UTF-8", codePage);
    if (!c.ok()) return std::string(bytes);
    // In a multi-byte code page an undefined lead byte still stands alone.
    return c.run(bytes, "\xEF\xBF\xBD", [](std::string_view) { return size_t{1}; });
}

struct TextConversion::Impl {
    Impl(const char* to, const char* from) : converter(to, from) {}
    mutable Converter converter;
};

TextConversion::TextConversion(const char* to, const char* from)
    : impl_(std::make_unique<Impl>(to, from)) {}
TextConversion::~TextConversion() = default;
bool TextConversion::ok() const { return impl_->converter.ok(); }

std::string TextConversion::convert(std::string_view in, std::string_view replacement,
                                    bool utf8Input) const {
    if (!ok()) return std::string(in);
    if (utf8Input) return impl_->converter.run(in, replacement, utf8SequenceLength);
    return impl_->converter.run(in, replacement, [](std::string_view) { return size_t{1}; });
}

ClosestLetters::ClosestLetters(const char* codePage)
    : conversion_(codePage, "UTF-8"),
      asciiKept_(std::strcmp(codePage, "JOHAB") != 0 && conversion_.ok()) {}

std::string ClosestLetters::oneCharacter(char32_t c, size_t* replaced) const {
    std::string utf8;
    appendUtf8(utf8, c);
    // A character without a replacement marker of its own is what the code
    // page cannot hold.
    std::string held = conversion_.convert(utf8, std::string_view("\0", 1), true);
    if (held.find('\0') == std::string::npos) return held;
    if (replaced != nullptr) ++*replaced;
    if (isCombiningMark(c)) return {};
    std::string plain = unaccented(c);
    if (plain.empty()) return "?";
    return conversion_.convert(plain, "?", true);
}

std::string ClosestLetters::convert(std::string_view utf8, size_t* replaced) const {
    if (asciiKept_ && std::all_of(utf8.begin(), utf8.end(),
                                  [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        return std::string(utf8);
    }
    std::u32string text = composeLetters(decodeUtf8(utf8));
    std::string out;
    out.reserve(text.size());
    // Runs of ASCII go through as they are; everything else a character at
    // a time, so that each one that cannot be held finds its own closest
    // letter.
    for (char32_t c : text) {
        if (c < 0x80 && asciiKept_) {
            out.push_back(static_cast<char>(c));
        } else {
            out += oneCharacter(c, replaced);
        }
    }
    return out;
}

}  // namespace lineara
