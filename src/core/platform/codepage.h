// Record texts are bytes in a Windows code page; everything we show or read
// from the user is UTF-8. These convert at that edge, with glibc's iconv.
#pragma once

#include <string>
#include <string_view>

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

}  // namespace lineara
