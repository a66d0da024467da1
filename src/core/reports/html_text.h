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

#include <iconv.h>

#include <string>
#include <string_view>

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
    bool convertsToCharset() const { return encode_ != kNone; }

private:
    static inline const iconv_t kNone = reinterpret_cast<iconv_t>(-1);

    std::string encodeFrom(iconv_t decode, std::string_view bytes);
    std::u32string decodeWith(iconv_t decode, std::string_view bytes);
    std::string encode(const std::u32string& codePoints);
    void appendConverted(std::string& out, const char32_t* begin, size_t count);

    iconv_t decodeRecord_ = kNone;  // code page -> UTF-32LE
    iconv_t decodeUtf8_ = kNone;    // UTF-8 -> UTF-32LE
    iconv_t encode_ = kNone;        // UTF-32LE -> declared charset
};

}  // namespace lineara
