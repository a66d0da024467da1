// Names of files as GEDCOM 7 writes them: a FILE is a URI reference (the
// separators "/", everything outside the URI's own characters
// percent-encoded, an absolute name a file: URI) with a media type beside
// it. Trees made on Windows keep backslashes and drive letters, which
// become separators and a file: URI too.
#pragma once

#include <string>
#include <string_view>

namespace lineara {

// The URI reference for a file name in UTF-8.
std::string gedcomFileUri(std::string_view utf8Name);

// The media type of a picture, from its name's extension
// ("image/jpeg", ...); "application/octet-stream" for one we do not know.
std::string pictureMediaType(std::string_view name);

// The name a file gets inside a GEDZIP: "media/" + the number + "_" + the
// file's own last name part with only letters, digits, "." , "-" and "_"
// kept and at most 60 bytes long. The number makes it unique; no part of
// it can climb out of the folder or be taken for a folder of its own.
std::string gedzipMediaName(size_t number, std::string_view utf8Name);

}  // namespace lineara
