#include "core/reports/html_text.h"

#include <cerrno>
#include <cstring>

namespace lineara {

namespace {

const char kUnicode[] = "UTF-32LE";
constexpr char32_t kReplacement = 0xFFFD;

// A text that can go into a page as it is: printable ASCII with nothing
// HTML would read as markup. Most dates and many names are like that.
bool plainAscii(std::string_view bytes) {
    for (char c : bytes) {
        unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u > 0x7E || c == '<' || c == '>' || c == '&' || c == '"') return false;
    }
    return true;
}

const char* entityOf(char32_t c) {
    switch (c) {
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '&':
        return "&amp;";
    case '"':
        return "&quot;";
    default:
        return nullptr;
    }
}

std::string reference(char32_t c) { return "&#" + std::to_string(static_cast<uint32_t>(c)) + ";"; }

void appendUtf32(std::string& bytes, char32_t c) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((c >> (8 * i)) & 0xFF));
}

char32_t readUtf32(const char* p) {
    const unsigned char* u = reinterpret_cast<const unsigned char*>(p);
    return static_cast<char32_t>(u[0]) | static_cast<char32_t>(u[1]) << 8 |
           static_cast<char32_t>(u[2]) << 16 | static_cast<char32_t>(u[3]) << 24;
}

// Whether text that is ASCII comes out of `cd` unchanged: the markup
// around the texts is written as ASCII and must mean the same.
bool keepsAscii(iconv_t cd) {
    std::string in;
    std::string expected;
    for (char32_t c = 0x20; c < 0x7F; ++c) {
        appendUtf32(in, c);
        expected.push_back(static_cast<char>(c));
    }
    appendUtf32(in, '\n');
    expected.push_back('\n');
    char out[256];
    char* src = in.data();
    size_t srcLeft = in.size();
    char* dst = out;
    size_t dstLeft = sizeof out;
    size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    bool same = r != static_cast<size_t>(-1) &&
                iconv(cd, nullptr, nullptr, &dst, &dstLeft) != static_cast<size_t>(-1) &&
                std::string(out, static_cast<size_t>(dst - out)) == expected;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    return same;
}

}  // namespace

std::string iconvCharsetName(std::string_view charset) {
    std::string name(charset);
    for (char& c : name) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    // The pages have always declared Russian as "koi-8-r".
    if (name.rfind("koi-8", 0) == 0) name.erase(3, 1);
    return name;
}

HtmlTextEncoder::HtmlTextEncoder(const char* codePage, std::string_view charset) {
    decodeRecord_ = iconv_open(kUnicode, codePage != nullptr ? codePage : "CP1250");
    decodeUtf8_ = iconv_open(kUnicode, "UTF-8");
    std::string target = iconvCharsetName(charset);
    // A slash would ask iconv to transliterate or drop what it cannot
    // convert, which must show up as references instead.
    if (target.empty() || target.find('/') != std::string::npos) return;
    encode_ = iconv_open(target.c_str(), kUnicode);
    if (encode_ != kNone && !keepsAscii(encode_)) {
        iconv_close(encode_);
        encode_ = kNone;
    }
}

HtmlTextEncoder::~HtmlTextEncoder() {
    for (iconv_t cd : {decodeRecord_, decodeUtf8_, encode_}) {
        if (cd != kNone) iconv_close(cd);
    }
}

std::string HtmlTextEncoder::text(std::string_view recordBytes) {
    return encodeFrom(decodeRecord_, recordBytes);
}

std::string HtmlTextEncoder::utf8Text(std::string_view utf8) {
    return encodeFrom(decodeUtf8_, utf8);
}

std::string HtmlTextEncoder::encodeFrom(iconv_t decode, std::string_view bytes) {
    if (plainAscii(bytes)) return std::string(bytes);
    return encode(decodeWith(decode, bytes));
}

std::u32string HtmlTextEncoder::decodeWith(iconv_t decode, std::string_view bytes) {
    std::u32string codePoints;
    if (decode == kNone) {
        // A code page iconv does not know: only ASCII is certain.
        for (char c : bytes) {
            unsigned char u = static_cast<unsigned char>(c);
            codePoints.push_back(u < 0x80 ? u : kReplacement);
        }
        return codePoints;
    }
    char* src = const_cast<char*>(bytes.data());
    size_t srcLeft = bytes.size();
    char buffer[1024];
    while (srcLeft > 0) {
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        size_t r = iconv(decode, &src, &srcLeft, &dst, &dstLeft);
        for (char* p = buffer; p + 4 <= dst; p += 4) codePoints.push_back(readUtf32(p));
        if (r == static_cast<size_t>(-1) && errno != E2BIG) {
            // A byte the code page leaves undefined, or a character cut
            // short at the end of the field.
            codePoints.push_back(kReplacement);
            ++src;
            --srcLeft;
            iconv(decode, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv(decode, nullptr, nullptr, nullptr, nullptr);
    return codePoints;
}

std::string HtmlTextEncoder::encode(const std::u32string& codePoints) {
    std::string out;
    out.reserve(codePoints.size() + 16);
    // Runs of characters that go through the converter as they are; the
    // others are replaced by entities or references, themselves ASCII and
    // sent through the converter too, so that a stateful charset shifts
    // back to ASCII for them.
    size_t runStart = 0;
    auto flushRun = [&](size_t end) {
        if (end > runStart) appendConverted(out, codePoints.data() + runStart, end - runStart);
    };
    auto appendAscii = [&](const std::string& ascii) {
        std::u32string wide(ascii.begin(), ascii.end());
        appendConverted(out, wide.data(), wide.size());
    };
    for (size_t i = 0; i < codePoints.size(); ++i) {
        char32_t c = codePoints[i];
        const char* entity = entityOf(c);
        bool control = (c < 0x20 && c != '\t') || c == 0x7F;
        bool replaced = entity != nullptr || control || (encode_ == kNone && c >= 0x80);
        if (!replaced) continue;
        flushRun(i);
        appendAscii(entity != nullptr ? std::string(entity) : reference(c));
        runStart = i + 1;
    }
    flushRun(codePoints.size());
    if (encode_ != kNone) {
        char buffer[16];
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        iconv(encode_, nullptr, nullptr, &dst, &dstLeft);
        out.append(buffer, static_cast<size_t>(dst - buffer));
    }
    return out;
}

void HtmlTextEncoder::appendConverted(std::string& out, const char32_t* begin, size_t count) {
    if (encode_ == kNone) {
        for (size_t i = 0; i < count; ++i) out.push_back(static_cast<char>(begin[i]));
        return;
    }
    std::string in;
    in.reserve(count * 4);
    for (size_t i = 0; i < count; ++i) appendUtf32(in, begin[i]);
    char* src = in.data();
    size_t srcLeft = in.size();
    char buffer[1024];
    while (srcLeft > 0) {
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        size_t r = iconv(encode_, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, static_cast<size_t>(dst - buffer));
        if (r == static_cast<size_t>(-1) && errno != E2BIG) {
            // The charset cannot hold this character: its reference, which
            // is ASCII, goes through the converter in its place.
            std::u32string ref;
            for (char c : reference(readUtf32(src))) ref.push_back(static_cast<unsigned char>(c));
            src += 4;
            srcLeft -= 4;
            appendConverted(out, ref.data(), ref.size());
        }
    }
}

}  // namespace lineara
