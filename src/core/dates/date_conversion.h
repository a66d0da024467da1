// Free-text dates to the form GEDCOM uses for a date: ‹5.12.1850› becomes
// ‹5 Dec 1850›, ‹~1850› becomes ‹ABT 1850›.
//
// Dates are never a type of their own in this program: they stay text, and
// this conversion never rejects one. Whatever it cannot read passes
// through, at most with its punctuation turned into single blanks.
#pragma once

#include <string>
#include <string_view>

namespace lineara {

// The month names a numeric month becomes, indexed 1 to 12 (0 is unused).
extern const char* const kMonthAbbreviations[13];

// Converts one date text (record bytes of the code page). Pure: the same
// text always gives the same result.
std::string ConvertDateToGedcom(std::string_view text);

// ConvertDateToGedcom while date standardisation is switched on in the
// options, else the text unchanged.
std::string StandardizeDate(std::string_view text, bool enabled);

}  // namespace lineara
