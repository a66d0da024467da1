// Trees written by the two older versions of the program: files of
// fixed-size records, one person each, with no header. They are read only,
// never written; an import replaces the open tree by the persons of the old
// file, and the user saves the result as a tree file of today.
//
// What the record versions share lives here: reading the records from a
// stream, the helpers for their fields, and putting the result into the
// document as one undo step. legacy_v1.h and legacy_v1_5.h say what each
// record holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/gedcom/gedcom_reader.h"
#include "core/model/document.h"

namespace lineara {

extern const char kMsgLegacyFileError[];  // "There was an error opening the file"

struct LegacyImportResult {
    bool ok = false;
    // kMsgLegacyFileError for every failure: the user learns that the file
    // could not be taken, whatever the reason.
    std::string message;
    size_t persons = 0;
    // What went wrong, for the tool and the tests (not shown in the window).
    std::string detail;
};

// How one version's record is read.
struct LegacyFormat {
    size_t recordSize = 0;
    // Fills a fresh record from `recordSize` bytes of the file; the links
    // come later, from the ids it sets.
    std::function<void(const uint8_t* bytes, PersonRecord& into)> readRecord;
    // Whether slot 1 is linked to the partner named by its id.
    bool hasSpouse = false;
};

// Reads every record of `source` and, only when the whole file could be
// read, replaces the open tree with them as one undo step: undo gives back
// the tree as it was. A failure (an empty file, a file that ends inside a
// record, a read error, running out of memory) leaves the open tree
// exactly as it was.
// The result is untitled and counts as saved; nobody is current; where the
// view goes is the caller's business (see centreOnHome).
LegacyImportResult importLegacyTree(Document& doc, ByteSource& source, const LegacyFormat& format);
// The same from a file. A folder or a device is not a tree: only regular
// files and pipes are read.
LegacyImportResult importLegacyTree(Document& doc, const std::string& path,
                                    const LegacyFormat& format);

// --- for the record readers ---

// The little-endian int32 at `offset`.
int32_t legacyInt32(const uint8_t* record, size_t offset);

// Copies the short string at `offset` of a record of `recordSize` bytes
// into the field `f`: the length byte is taken as found, but no more than
// the field holds and never past the record's end are copied. With
// `standardize`, the text goes through the date standardisation first.
void copyLegacyText(const uint8_t* record, size_t recordSize, size_t offset, PersonRecord& into,
                    TextField f, bool standardize = false);

}  // namespace lineara
