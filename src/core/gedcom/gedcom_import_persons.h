// The individual and source records of a GEDCOM import.
//
// An individual's first NAME counts; later ones are alternative names.
// Its slashes delimit the surname; GIVN and SURN under it say which part
// is which when it has none, and give a part whole when the part holds a
// slash (which the NAME cannot) or the NAME was too long to be kept whole.
// A suffix (after the surname's closing slash, or NSFX) goes after the
// given names: the tree has no field of its own for it. Of several events of one
// kind (BIRT, DEAT, BAPM) the first with a date or a place gives both; a christening (CHR) is the
// baptism when there is no BAPM. A source given as a pointer to a source record takes that record's
// title (TITL, else its TEXT), wherever the record stands in the file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/gedcom/gedcom_charset.h"
#include "core/gedcom/gedcom_line.h"
#include "core/model/tree_edit.h"

namespace lineara {

// What a record field takes of a line's value: "@@" made "@" again, in the
// tree's code page, its first 100 bytes. `cut` tells whether there was more.
std::string importedText(GedcomTextDecoder& decoder, std::string_view raw, bool* cut = nullptr);

class ImportedPersons {
public:
    ImportedPersons(TreeEdit& list, GedcomTextDecoder& decoder) : list_(list), decoder_(decoder) {}

    // A new individual record.
    void start();
    // A line of level 1 or 2 of the individual record of `person`.
    void fact(const PersonRecord* person, const GedcomLine& line, std::string_view raw);
    void detail(const PersonRecord* person, const GedcomLine& line, std::string_view raw);

    // A source record ("0 @S1@ SOUR") and its lines of level 1.
    void sourceRecord(std::string_view xref);
    void sourceLine(const GedcomLine& line, std::string_view raw);

    // Gives the persons the titles of the sources they point to, once
    // every source record is read.
    void resolveSources();

private:
    enum class Event : uint8_t { None, Birth, Death, Baptism, Christening };
    void eventDetail(const PersonRecord* person, const GedcomLine& line, std::string_view raw);

    TreeEdit& list_;
    GedcomTextDecoder& decoder_;

    bool nameSeen_ = false;
    bool inFirstName_ = false;
    bool nameHasSlash_ = false;
    bool nameCut_ = false;
    std::string suffix_;  // the name suffix given already, after the given names
    // The event of the level-1 line read last, numbered in the record so
    // that the first event of a kind keeps the fields it gave.
    Event event_ = Event::None;
    int eventNumber_ = 0;
    struct Owner {
        int number = 0;  // the event that gave the fields, 0 for none
        bool christening = false;
    };
    Owner owners_[3];  // birth, death, baptism

    std::string sourceXref_;  // the source record being read
    struct SourceTexts {
        std::string title;
        std::string text;
    };
    std::unordered_map<std::string, SourceTexts> sources_;
    std::vector<std::pair<const PersonRecord*, std::string>> pointers_;  // in file order
};

}  // namespace lineara
