// Record texts are bytes in a Windows code page; everything we show or read
// from the user is UTF-8. These convert at that edge, with glibc's iconv.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "core/platform/iconv_converter.h"

namespace lineara {

// The code page of a character-set choice (the font charset codes of the
// options dialog); the system default (1) and unknown codes give CP1250.
const char* codePageForCharset(int charsetCode);

// UTF-8 to the code page. A character the code page cannot hold becomes
// "?", as does a byte that is not valid UTF-8.
std::string toCodePage(std::string_view utf8, const char* codePage);

// The code page to UTF-8. A byte the code page leaves undefined becomes
// U+FFFD rather than vanishing.
std::string fromCodePage(std::string_view bytes, const char* codePage);

// Conversions between two encodings that are made many times over, so
// that the converter is set up once. One thread at a time.
class TextConversion {
public:
    // False from ok() when iconv knows one of the two names not.
    TextConversion(const char* to, const char* from) : converter_(to, from) {}
    bool ok() const { return converter_.ok(); }

    // Converts `in`; a sequence it cannot convert gives `replacement` and
    // costs one input byte (`utf8Input`: the whole UTF-8 sequence). Without
    // a converter `in` comes back as it is.
    std::string convert(std::string_view in, std::string_view replacement, bool utf8Input) const {
        return converter_.convert(in, FixedReplacement{replacement, utf8Input});
    }

private:
    mutable IconvConverter converter_;
};

// toCodePage and fromCodePage with their converters set up once, for texts
// converted many times over. One thread at a time in each direction.
class CodePageTexts {
public:
    explicit CodePageTexts(const char* codePage);
    std::string toCodePage(std::string_view utf8) const;
    std::string fromCodePage(std::string_view bytes) const;

private:
    TextConversion to_;
    TextConversion from_;
};

// UTF-8 to a code page for texts from other programs: letters followed by
// combining marks are put together first, and a character the code page
// cannot hold becomes its closest unaccented letter (æ gives ae, ø gives
// o; ł stays ł in CP1250, where it is a letter of its own), a mark that is
// left over is dropped, and anything else becomes "?".
class ClosestLetters {
public:
    explicit ClosestLetters(const char* codePage);
    // With `replaced`, adds to it the characters that did not go through as
    // themselves (replaced by a letter or "?", or a mark dropped).
    std::string convert(std::string_view utf8, size_t* replaced = nullptr) const;

private:
    mutable IconvConverter converter_;
    bool asciiKept_;  // ASCII goes through unchanged
};

}  // namespace lineara
