// Texts as the program's lists show them: one line per entry, in the order
// in which people read names.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace lineara {

// Whether one text comes before another.
using TextOrder = std::function<bool(const std::string&, const std::string&)>;

// The order of names for readers: letters compare without regard to case,
// by the collation of the user's language; where the system gives none
// (the C and POSIX locales, or a locale that is not installed), by the
// Polish alphabet the search window uses. Texts that are equal but for
// case are put in the order of their bytes, so that every spelling stays
// in one run and a count of runs counts each spelling once.
//
// `encoding` is that of the texts compared: "UTF-8", or the code page of
// record texts ("CP1250"). The user's language is taken from LC_ALL,
// LC_COLLATE or LANG, the first that is set.
TextOrder readersOrder(const std::string& encoding);
// The same in the collation of the locale named (as setlocale names it).
TextOrder readersOrder(const std::string& encoding, const std::string& localeName);

// The locale whose collation the lists follow, by the environment.
std::string collationLocaleName();

// A text as one line of a list: a carriage return or line feed becomes a
// blank, and every other control byte (below 0x20, and 0x7F) is dropped.
// No byte of a multi-byte character in the code pages of record texts is
// a control byte, so no character is cut.
std::string oneLine(std::string_view text);

}  // namespace lineara
