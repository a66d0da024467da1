// Record texts as GEDCOM line values and back.
//
// A value is one line of text in which "@" opens a cross-reference: a text
// that holds a line break would end its line and could start a record of
// its own, and a text that begins with "@" would read as a link. So every
// text the export writes is cleaned first: a line break (CR LF, CR or LF)
// ends a piece of the text, which a tag that goes on in CONT lines gets as
// such and any other tag as a blank; NUL and the other control bytes are
// dropped; every "@" is written twice. The import takes "@@" back to "@".
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lineara {

// Whether the text goes out as it is: no "@", no control byte.
bool isPlainGedcomText(std::string_view text);

// The text as one value: line breaks become blanks.
std::string gedcomFlatValue(std::string_view text);

// The text in the pieces its line breaks leave, each cleaned as above; at
// least one piece, empty for an empty text.
std::vector<std::string> gedcomValuePieces(std::string_view text);

// A name part as it may stand in a NAME value, whose slashes delimit the
// surname: a slash of the part becomes a blank (the part goes whole into
// GIVN or SURN beside it).
std::string gedcomNamePart(std::string_view part);

// Every "@@" of a value back to "@".
void undoubleAt(std::string& value);

// Whether the value is a cross-reference ("@S1@") rather than a text.
bool isGedcomPointer(std::string_view value);

}  // namespace lineara
