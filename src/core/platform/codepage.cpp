#include "core/platform/codepage.h"

#include <algorithm>
#include <cstring>

#include "core/platform/iconv_converter.h"
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

const char kUnheld[] = "?";
// In a multi-byte code page an undefined lead byte still stands alone.
const char kUndefined[] = "\xEF\xBF\xBD";

}  // namespace

std::string toCodePage(std::string_view utf8, const char* codePage) {
    return TextConversion(codePage, "UTF-8").convert(utf8, kUnheld, true);
}

std::string fromCodePage(std::string_view bytes, const char* codePage) {
    return TextConversion("UTF-8", codePage).convert(bytes, kUndefined, false);
}

CodePageTexts::CodePageTexts(const char* codePage)
    : to_(codePage, "UTF-8"), from_("UTF-8", codePage) {}

std::string CodePageTexts::toCodePage(std::string_view utf8) const {
    return to_.convert(utf8, kUnheld, true);
}

std::string CodePageTexts::fromCodePage(std::string_view bytes) const {
    return from_.convert(bytes, kUndefined, false);
}

ClosestLetters::ClosestLetters(const char* codePage)
    : converter_(codePage, "UTF-8"),
      asciiKept_(std::strcmp(codePage, "JOHAB") != 0 && converter_.ok()) {}

std::string ClosestLetters::convert(std::string_view utf8, size_t* replaced) const {
    if (asciiKept_ && std::all_of(utf8.begin(), utf8.end(),
                                  [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        return std::string(utf8);
    }
    std::u32string text = composeLetters(decodeUtf8(utf8));
    std::string out;
    out.reserve(text.size());
    // A character the code page cannot hold finds its closest letter: a
    // mark left over goes, a letter loses its marks or is spelt plainly;
    // anything else, and whatever of the closest letter cannot be held
    // either, is "?".
    auto closest = [replaced](const IconvConverter::Stuck& at) {
        IconvConverter::Replacement r;
        r.skip = utf8SequenceLength(at.rest);
        if (at.inReplacement) {
            r.written = "?";
            return r;
        }
        if (replaced != nullptr) ++*replaced;
        const char32_t c = decodeUtf8(at.rest.substr(0, r.skip)).front();
        if (isCombiningMark(c)) return r;
        r.converted = unaccented(c);
        if (r.converted.empty()) r.written = "?";
        return r;
    };
    std::string run;  // UTF-8 waiting to be converted
    auto convertRun = [&] {
        if (run.empty()) return;
        converter_.append(run, out, closest);
        converter_.finish(out);
        run.clear();
    };
    // Runs of ASCII go through as they are, where the code page keeps it.
    for (char32_t c : text) {
        if (c < 0x80 && asciiKept_) {
            convertRun();
            out.push_back(static_cast<char>(c));
        } else if (c == 0) {
            // Where even ASCII is converted, a NUL counts as a character the
            // code page cannot hold: the text goes on after it.
            convertRun();
            if (replaced != nullptr) ++*replaced;
            out += "?";
        } else {
            appendUtf8(run, c);
        }
    }
    convertRun();
    return out;
}

}  // namespace lineara
