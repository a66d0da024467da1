#include "core/reports/html_text.h"

#include <utility>

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

std::string utf32(std::string_view ascii) {
    std::string bytes;
    for (char c : ascii) appendUtf32(bytes, static_cast<unsigned char>(c));
    return bytes;
}

char32_t readUtf32(const char* p) {
    const unsigned char* u = reinterpret_cast<const unsigned char*>(p);
    return static_cast<char32_t>(u[0]) | static_cast<char32_t>(u[1]) << 8 |
           static_cast<char32_t>(u[2]) << 16 | static_cast<char32_t>(u[3]) << 24;
}

// Whether text that is ASCII comes out of `cd` unchanged: the markup
// around the texts is written as ASCII and must mean the same.
bool keepsAscii(IconvConverter& encode) {
    std::string in;
    std::string expected;
    for (char32_t c = 0x20; c < 0x7F; ++c) {
        appendUtf32(in, c);
        expected.push_back(static_cast<char>(c));
    }
    appendUtf32(in, '\n');
    expected.push_back('\n');
    bool refused = false;
    std::string out = encode.convert(in, [&refused](const IconvConverter::Stuck&) {
        refused = true;
        IconvConverter::Replacement r;
        r.skip = 4;
        return r;
    });
    return !refused && out == expected;
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

HtmlTextEncoder::HtmlTextEncoder(const char* codePage, std::string_view charset)
    : decodeRecord_(kUnicode, codePage != nullptr ? codePage : "CP1250"),
      decodeUtf8_(kUnicode, "UTF-8") {
    std::string target = iconvCharsetName(charset);
    // A slash would ask iconv to transliterate or drop what it cannot
    // convert, which must show up as references instead.
    if (target.empty() || target.find('/') != std::string::npos) return;
    auto encode = std::make_unique<IconvConverter>(target.c_str(), kUnicode);
    if (encode->ok() && keepsAscii(*encode)) encode_ = std::move(encode);
}

HtmlTextEncoder::~HtmlTextEncoder() = default;

std::string HtmlTextEncoder::text(std::string_view recordBytes) {
    return encodeFrom(decodeRecord_, recordBytes);
}

std::string HtmlTextEncoder::utf8Text(std::string_view utf8) {
    return encodeFrom(decodeUtf8_, utf8);
}

std::string HtmlTextEncoder::encodeFrom(IconvConverter& decode, std::string_view bytes) {
    if (plainAscii(bytes)) return std::string(bytes);
    return encode(decodeWith(decode, bytes));
}

std::u32string HtmlTextEncoder::decodeWith(IconvConverter& decode, std::string_view bytes) {
    std::u32string codePoints;
    if (!decode.ok()) {
        // A code page iconv does not know: only ASCII is certain.
        for (char c : bytes) {
            unsigned char u = static_cast<unsigned char>(c);
            codePoints.push_back(u < 0x80 ? u : kReplacement);
        }
        return codePoints;
    }
    // A byte the code page leaves undefined, or a character cut short at
    // the end of the field, is one replacement character.
    std::string replacement;
    appendUtf32(replacement, kReplacement);
    const std::string wide = decode.convert(bytes, FixedReplacement{replacement, false});
    codePoints.reserve(wide.size() / 4);
    for (size_t at = 0; at + 4 <= wide.size(); at += 4) codePoints.push_back(readUtf32(&wide[at]));
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
        bool replaced = entity != nullptr || control || (!encode_ && c >= 0x80);
        if (!replaced) continue;
        flushRun(i);
        appendAscii(entity != nullptr ? std::string(entity) : reference(c));
        runStart = i + 1;
    }
    flushRun(codePoints.size());
    if (encode_) encode_->finish(out);
    return out;
}

void HtmlTextEncoder::appendConverted(std::string& out, const char32_t* begin, size_t count) {
    if (!encode_) {
        for (size_t i = 0; i < count; ++i) out.push_back(static_cast<char>(begin[i]));
        return;
    }
    std::string in;
    in.reserve(count * 4);
    for (size_t i = 0; i < count; ++i) appendUtf32(in, begin[i]);
    // A character the charset cannot hold: its reference, which is ASCII,
    // goes through the converter in its place.
    encode_->append(in, out, [](const IconvConverter::Stuck& at) {
        IconvConverter::Replacement r;
        r.skip = 4;
        if (at.rest.size() < 4 || at.inReplacement) {
            r.written = "?";  // not even ASCII goes through: no charset the pages use
        } else {
            r.converted = utf32(reference(readUtf32(at.rest.data())));
        }
        return r;
    });
}

}  // namespace lineara
