// Dates as GEDCOM 7 writes them. A date of the tree is free text; the
// standardisation turns most into the form GEDCOM knows (‹5.12.1850› to
// ‹5 Dec 1850›, ‹~1850› to ‹ABT 1850›). GEDCOM 7 is strict about that form
// (upper-case months, one blank between words, nothing else), so a text
// that still does not fit after the standardisation goes out as a phrase,
// the DATE left without a value, which the format provides for: a date is
// never dropped and never written in a form a reader would refuse.
#pragma once

#include <string>
#include <string_view>

namespace lineara {

struct Gedcom7Date {
    std::string value;  // the DATE line's value; empty when only a phrase fits
    // The text as written, when it is no GEDCOM date, or when the value
    // read back (see gedcom7DateAsTree) would not be that text: the import
    // takes the phrase, so that the tree comes back as it was.
    std::string phrase;
};

// For a date text in UTF-8; both parts are empty for an empty text.
Gedcom7Date gedcom7Date(std::string_view text);

// Whether `value` is a GEDCOM 7 date value: a date, optionally after ABT,
// CAL, EST, BEF, AFT or TO, between BET and AND, or FROM and TO.
bool isGedcom7DateValue(std::string_view value);

// A GEDCOM 7 date value as the tree writes its standardised dates: month
// names as "Dec", the rest as it is. Any other text comes back unchanged.
std::string gedcom7DateAsTree(std::string_view value);

}  // namespace lineara
