// Letters with diacritics, for writing text into a code page that lacks
// some of them: putting a letter and its combining marks together, and
// finding the closest unaccented letter for a letter the code page cannot
// hold.
#pragma once

#include <string>
#include <string_view>

namespace lineara {

// The precomposed letter of `base` followed by the combining `mark`
// (a with U+0301 gives á); 0 when there is none.
char32_t composeLetter(char32_t base, char32_t mark);

// Whether `c` is a combining mark (U+0300 to U+036F, U+1AB0 to U+1AFF,
// U+1DC0 to U+1DFF, U+20D0 to U+20FF, U+FE20 to U+FE2F).
bool isCombiningMark(char32_t c);

// The closest unaccented text for a letter: its base letter with every
// mark taken off (ł gives l, ǖ gives u), or its plain spelling (æ gives
// ae, ß gives ss, þ gives th). Empty when there is none.
std::string unaccented(char32_t c);

// UTF-8 in code points and back; a byte that does not begin a valid
// sequence gives U+FFFD.
std::u32string decodeUtf8(std::string_view utf8);
void appendUtf8(std::string& out, char32_t c);
std::string encodeUtf8(std::u32string_view text);

// Every letter followed by a combining mark it has a precomposed form with
// is put together, however many marks follow (marks that do not compose
// stay where they are).
std::u32string composeLetters(std::u32string_view text);

}  // namespace lineara
