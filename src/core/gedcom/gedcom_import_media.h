// The pictures and notes files an import finds in multimedia objects: an
// individual's "1 OBJE @O1@" pointing at an object record, or an OBJE of
// its own with a FILE under it, as other programs write them. The first
// object whose file exists becomes the person's picture, its title the
// picture comment; an object marked as this program's notes file (or of
// the type text/plain) becomes the notes file. Names are read as GEDCOM 7
// writes them (URI references) or, in older files, as plain paths, and
// resolve against the folder of the file read (or of an unpacked GEDZIP).
#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/gedcom/gedcom_charset.h"
#include "core/gedcom/gedcom_line.h"
#include "core/model/tree_edit.h"

namespace lineara {

struct GedcomMediaPlaces {
    std::string sourceFolder;  // where the file's relative names start
    std::string treeFolder;    // where the tree goes; empty: not known
    std::string codePage = "CP1250";
    bool uris = false;  // GEDCOM 7: names are URI references
};

class ImportedMedia {
public:
    explicit ImportedMedia(GedcomTextDecoder& decoder) : decoder_(decoder) {}

    // "1 OBJE" of an individual: a pointer, or an object of its own whose
    // FILE and TITL follow at level 2.
    void personObject(const PersonRecord* person, std::string_view value);
    void personObjectDetail(const GedcomLine& line, std::string_view raw);
    // Any other line of level 0 or 1: what follows is no object's.
    void otherLine() { current_ = nullptr; }
    // "0 @O1@ OBJE" and its lines below.
    void record(std::string_view xref);
    void recordLine(const GedcomLine& line, std::string_view raw);

    // Sets the persons' pictures and notes files, once every record is
    // read; a person that has them keeps them.
    void resolve(TreeEdit& list, const GedcomMediaPlaces& places);

private:
    struct Object {
        std::string file;   // the first FILE, as written (UTF-8)
        std::string title;  // in the tree's code page
        bool notes = false;
    };
    std::string title(std::string_view raw);

    Object* current_ = nullptr;
    std::unordered_map<std::string, Object> records_;
    std::vector<std::pair<const PersonRecord*, std::string>> pointers_;  // in file order
    std::deque<std::pair<const PersonRecord*, Object>> inline_;          // stays where it is
    GedcomTextDecoder& decoder_;
    bool inRecord_ = false;
};

// The path a FILE names: a URI reference percent-decoded, a file: URI
// made a path; a plain path with its backslashes made slashes.
std::string gedcomFilePath(std::string_view value, bool uri);

}  // namespace lineara
