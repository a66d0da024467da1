// What each line of a GEDCOM file means to the import: the header's
// character set and version, individual, family, source, object and alias
// box records, and the extension lines of this program's GEDCOM 7 files.
#include <algorithm>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/gedcom/gedcom7_dates.h"
#include "core/gedcom/gedcom_importer.h"

namespace lineara::detail {

namespace {

// Whether the first `n` bytes of `value`, upper-cased (a to z only), are
// `word` (of n bytes).
bool startsWithWord(std::string_view value, std::string_view word) {
    if (value.size() < word.size()) return false;
    for (size_t i = 0; i < word.size(); ++i) {
        char c = value[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != word[i]) return false;
    }
    return true;
}

// What follows the first word of `value` ("NOTE text" gives "text").
std::string_view afterWord(std::string_view value) {
    const size_t space = value.find(' ');
    if (space == std::string_view::npos) return {};
    value.remove_prefix(space + 1);
    while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
    return value;
}

std::string_view firstWord(std::string_view value) {
    return value.substr(0, std::min(value.find(' '), value.size()));
}

// Level-1 structures of an individual the tree keeps, or that only keep
// the file's own books (change dates, record numbers): these are not
// counted as lost.
bool keptOfPerson(const GedcomLine& line) {
    const std::string_view tag4 = std::string_view(line.tag).substr(0, 4);
    for (const char* kept : {"BIRT", "DEAT", "BAPM", "NAME", "OCCU", "SOUR", "SEX"}) {
        if (tag4.substr(0, std::strlen(kept)) == kept) return true;
    }
    for (const char* kept : {"CHR", "OBJE", "NOTE", "SNOTE", "FAMS", "FAMC"}) {
        if (line.tagIs(kept)) return true;
    }
    return false;
}

bool keptOfFamily(const GedcomLine& line) {
    for (const char* kept : {"HUSB", "WIFE", "CHIL", "DIV", "MARR"}) {
        if (line.tagStartsWith(kept)) return true;
    }
    return false;
}

bool bookkeeping(const GedcomLine& line) {
    if (line.tagStartsWith("_LN")) return true;  // this program's own
    for (const char* tag : {"CHAN", "CREA", "RIN", "UID", "_UID", "REFN", "AFN", "RFN", "EXID",
                            "RESN", "SUBM", "ANCI", "DESI"}) {
        if (line.tagIs(tag)) return true;
    }
    return false;
}

// Records the import reads, or that say nothing of the persons.
bool knownRecord(std::string_view type) {
    for (const char* known :
         {"INDI", "FAM", "SOUR", "OBJE", "NOTE", "SNOTE", "SUBM", "SUBN", "REPO", "_LNALIAS"}) {
        if (type == known) return true;
    }
    return false;
}

}  // namespace

bool GedcomImporter::isNote(const GedcomLine& line) const {
    if (line.level == 0) {
        return line.tagStartsWith("@") &&
               (firstWord(line.value) == "NOTE" || firstWord(line.value) == "SNOTE");
    }
    return line.level == 1 && recordType_ == Record::Individual &&
           (line.tagIs("NOTE") || line.tagIs("SNOTE"));
}

void GedcomImporter::countNotKept(const GedcomLine& line) {
    if (!inPersonOrFamily_ || bookkeeping(line)) return;
    if (recordType_ == Record::Individual) {
        if (!keptOfPerson(line)) notKept_.count(line.tag);
    } else if (recordType_ == Record::Family) {
        if (!keptOfFamily(line)) notKept_.count(line.tag);
    }
}

void GedcomImporter::detail(const GedcomLine& line, std::string_view raw) {
    if (inSource_) return;
    if (recordType_ == Record::Individual && list_->currentPerson() != nullptr) {
        persons_->detail(list_->currentPerson(), line, raw);
    } else if (recordType_ == Record::Family) {
        families_->detail(line, raw);
    }
}

// The held DATE, with the phrase that followed it, or its value in the
// form the tree writes standardised dates.
void GedcomImporter::releaseDate(const std::string* phrase) {
    if (!holdingDate_) return;
    holdingDate_ = false;
    const std::string text = phrase != nullptr ? *phrase : gedcom7DateAsTree(heldDateValue_);
    detail(heldDate_, text);
}

bool GedcomImporter::dispatch(const GedcomLine& line, std::string_view raw) {
    if (holdingDate_) {
        if (line.level == 3 && line.tagIs("PHRASE")) {
            const std::string phrase(raw);
            releaseDate(&phrase);
            return true;
        }
        releaseDate(nullptr);
    }
    if (!anyLine_) {
        anyLine_ = true;
        beganWithHeader_ = line.level == 0 && line.tagIs("HEAD");
    }
    switch (line.level) {
    case 0:
        list_->setCurrentPerson(nullptr);
        endedWithTrailer_ = line.tagIs("TRLR");
        inHeader_ = line.tagIs("HEAD");
        inSource_ = line.tagStartsWith("@") && startsWithWord(line.value, "SOUR");
        if (inSource_) persons_->sourceRecord(line.tag);
        inMedia_ = line.tagStartsWith("@") && startsWithWord(line.value, "OBJE");
        if (isNote(line)) personNotes_->record(line.tag, afterWord(raw));
        inPersonOrFamily_ = line.tagStartsWith("@") && (startsWithWord(line.value, "INDI") ||
                                                        startsWithWord(line.value, "FAM"));
        if (inMedia_) {
            media_->record(line.tag);
        } else {
            media_->otherLine();
        }
        return recordStart(line);
    case 1:
        if (inHeader_) headerTag_ = line.tag;
        if (inHeader_ && line.tagIs("CHAR") && !version7_) decoder_.declare(raw);
        if (version7_ && list_->currentPerson() != nullptr &&
            (recordType_ == Record::Individual || recordType_ == Record::AliasBox)) {
            if (line.tagIs("_LNPOS")) readPosition(raw);
            layout_->boxLine(list_->currentPerson(), line, raw);
        }
        if (inMedia_) {
            media_->recordLine(line, raw);
        } else if (inSource_) {
            persons_->sourceLine(line, raw);
        } else if (recordType_ == Record::Individual && list_->currentPerson() != nullptr) {
            if (line.tagIs("OBJE")) {
                media_->personObject(list_->currentPerson(), raw);
            } else {
                media_->otherLine();
            }
            persons_->fact(list_->currentPerson(), line, raw);
            if (line.tagIs("NOTE") || line.tagIs("SNOTE")) {
                personNotes_->personNote(list_->currentPerson(), currentXref_, raw);
            }
            countNotKept(line);
        } else if (recordType_ == Record::Family) {
            families_->fact(line, raw);
            countNotKept(line);
        }
        return true;
    case 2:
        if (inHeader_ && headerTag_ == "GEDC" && line.tagIs("VERS") && !raw.empty() &&
            raw[0] == '7') {
            // GEDCOM 7 is UTF-8, whatever else the file says.
            version7_ = true;
            decoder_.declare("UTF-8");
            decoder_.setLeadingAtOnly();
        }
        if (inMedia_) {
            media_->recordLine(line, raw);
            return true;
        }
        media_->personObjectDetail(line, raw);
        if (version7_ && list_->currentPerson() != nullptr &&
            (recordType_ == Record::Individual || recordType_ == Record::AliasBox)) {
            layout_->boxLine(list_->currentPerson(), line, raw);
        }
        if (version7_ && line.tagIs("DATE") && !inHeader_) {
            heldDate_ = line;
            heldDateValue_ = std::string(raw);
            holdingDate_ = true;
            return true;
        }
        detail(line, raw);
        return true;
    default:
        return true;  // deeper levels say nothing we keep
    }
}

void GedcomImporter::resolveNotes() {
    std::string error;
    if (!personNotes_->resolve(*list_, info_.notesFolder, info_.treeFolder, info_.codePage,
                               error)) {
        addMessage("The notes could not be written: " + error + ".");
        return;
    }
    notesWritten_ = personNotes_->written();
}

void GedcomImporter::resolveMedia() {
    GedcomMediaPlaces places;
    std::error_code error;
    places.sourceFolder = info_.mediaFolder.empty()
                              ? std::filesystem::absolute(info_.path, error).parent_path().string()
                              : info_.mediaFolder;
    places.treeFolder = info_.treeFolder;
    places.codePage = info_.codePage;
    places.uris = version7_;
    media_->resolve(*list_, places);
}

// "x y" of a box, as this program writes it; anything else is passed over.
void GedcomImporter::readPosition(std::string_view raw) {
    int32_t xy[2] = {0, 0};
    const char* p = raw.data();
    const char* end = raw.data() + raw.size();
    for (int32_t& v : xy) {
        auto [next, error] = std::from_chars(p, end, v);
        if (error != std::errc()) return;
        p = next;
        if (p < end && *p == ' ') ++p;
    }
    if (p != end) return;
    list_->edit(list_->currentPerson())->setPos(xy[0], xy[1]);
    ++positioned_;
}

bool GedcomImporter::recordStart(const GedcomLine& line) {
    // Headers, trailers, notes, sources and the like change nothing more:
    // the record type and the family being read stay as they were.
    if (!line.tagStartsWith("@")) return true;
    if (startsWithWord(line.value, "INDI")) {
        recordType_ = Record::Individual;
        Outcome made = list_->LagNyPerson(0, 0);
        if (!made) {
            addMessage(made.message);
            return false;
        }
        PersonRecord* person = list_->edit(list_->currentPerson());
        person->setPos(0, 0);
        person->setText(field::gedcomImportXref, line.tag);  // cut to the field
        xrefs_.emplace(line.tag, person);
        currentXref_ = line.tag;
        persons_->start();
        ++counters_.personsRead;
    } else if (version7_ && line.value == "_LNALIAS") {
        // An alias box of this program's: a box of its own, linked to its
        // person once every record is read.
        recordType_ = Record::AliasBox;
        Outcome made = list_->LagNyPerson(0, 0);
        if (!made) {
            addMessage(made.message);
            return false;
        }
        list_->edit(list_->currentPerson())->setPos(0, 0);
        layout_->aliasBox(list_->currentPerson(), line.tag);
        ++aliasBoxes_;
    } else if (startsWithWord(line.value, "FAM")) {
        recordType_ = Record::Family;
        families_->start();
        ++counters_.familiesRead;
    } else if (!knownRecord(firstWord(line.value)) && !firstWord(line.value).empty()) {
        notKept_.count(firstWord(line.value));
    }
    return true;
}

const PersonRecord* GedcomImporter::FindImportedPerson(std::string_view xref) const {
    auto it = xrefs_.find(std::string(xref));
    return it != xrefs_.end() ? it->second : nullptr;
}

}  // namespace lineara::detail
