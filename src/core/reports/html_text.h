// Record texts as they go into a page. Records hold bytes of the tree's
// code page; a page is written in the charset it declares. Every text is
// converted into that charset, a character the charset cannot hold becomes
// a numeric character reference (&#261;), and the characters that mean
// something in HTML (< > & ") become entities, so that a name can neither
// break the markup nor show up as the wrong letters.
//
// The fixed markup of the pages is ASCII and is written as it is; that is
// only right in a charset that keeps ASCII as ASCII, so a charset that does
// not (UTF-16, say), or one iconv does not know (the list of charsets can
// be edited), gets plain ASCII with references for everything else, which
// reads right in any ASCII-compatible charset.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "core/platform/iconv_converter.h"

namespace lineara {

// The name iconv knows a declared charset by ("koi-8-r" is "KOI8-R").
std::string iconvCharsetName(std::string_view charset);

class HtmlTextEncoder {
public:
    // `codePage` is the iconv name of the record texts' code page, `charset`
    // the charset the pages declare.
    HtmlTextEncoder(const char* codePage, std::string_view charset);
    ~HtmlTextEncoder();
    HtmlTextEncoder(const HtmlTextEncoder&) = delete;
    HtmlTextEncoder& operator=(const HtmlTextEncoder&) = delete;

    // A record text, escaped and in the declared charset. A stateful
    // charset (iso-2022-jp) is back in its ASCII state at the end.
    std::string text(std::string_view recordBytes);
    // A UTF-8 text (a setting, a file name), the same way.
    std::string utf8Text(std::string_view utf8);

    // False when the pages fall back to ASCII with references.
    bool convertsToCharset() const { return encode_ != nullptr; }

private:
    std::string encodeFrom(IconvConverter& decode, std::string_view bytes);
    std::u32string decodeWith(IconvConverter& decode, std::string_view bytes);
    std::string encode(const std::u32string& codePoints);
    void appendConverted(std::string& out, const char32_t* begin, size_t count);

    IconvConverter decodeRecord_;  // code page -> UTF-32LE
    IconvConverter decodeUtf8_;    // UTF-8 -> UTF-32LE
    // UTF-32LE -> declared charset; none when the pages fall back to ASCII.
    std::unique_ptr<IconvConverter> encode_;
};

}  // namespace lineara
