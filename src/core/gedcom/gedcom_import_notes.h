// The notes of individuals an import finds: a NOTE with its text (its
// CONT lines are line breaks), or a pointer to a NOTE record (an SNOTE in
// GEDCOM 7) anywhere in the file. Once every record is read, each person's
// notes go into a file of their own in the notes folder beside the new
// tree, in the tree's code page, and the person's notes name points there;
// a person that has a notes file already (from a multimedia object) keeps
// it. The files are written as new files only (see new_files.h); when one
// cannot be written, none stays and no person names one.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/gedcom/gedcom_charset.h"
#include "core/gedcom/new_files.h"
#include "core/model/tree_edit.h"

namespace lineara {

class ImportedNotes {
public:
    explicit ImportedNotes(GedcomTextDecoder& decoder) : decoder_(decoder) {}

    // "1 NOTE text" or "1 NOTE @N1@" (SNOTE in GEDCOM 7) of the person
    // whose cross-reference is `xref`.
    void personNote(const PersonRecord* person, std::string_view xref, std::string_view raw);
    // "0 @N1@ NOTE text": `text` is what follows the record type.
    void record(std::string_view xref, std::string_view text);

    // Writes the notes files into `folder` and names them in the persons;
    // `treeFolder` (when not empty) makes the names relative to the tree.
    // False, with `error`, when a file could not be written.
    bool resolve(TreeEdit& list, const std::string& folder, const std::string& treeFolder,
                 const std::string& codePage, std::string& error);
    // What resolve() wrote.
    const WrittenFiles& written() const { return written_; }

private:
    struct Entry {
        const PersonRecord* person;
        std::string name;                   // of the file, from the cross-reference
        std::vector<std::string> texts;     // in the tree's code page
        std::vector<std::string> pointers;  // to records, in file order
    };
    std::string text(std::string_view raw);
    Entry& entry(const PersonRecord* person, std::string_view xref);

    GedcomTextDecoder& decoder_;
    std::vector<Entry> entries_;
    std::unordered_map<const PersonRecord*, size_t> index_;
    std::unordered_map<std::string, std::string> records_;
    WrittenFiles written_;
};

}  // namespace lineara
