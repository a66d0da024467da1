// The reader behind the GEDCOM import (see gedcom_import.h): one pass over
// the lines, each handed on once its continuation lines are read. For
// gedcom_import.cpp, which reads the lines, and gedcom_import_dispatch.cpp,
// which says what each line means; nothing else includes it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/gedcom/gedcom_charset.h"
#include "core/gedcom/gedcom_import.h"
#include "core/gedcom/gedcom_import_families.h"
#include "core/gedcom/gedcom_import_layout.h"
#include "core/gedcom/gedcom_import_media.h"
#include "core/gedcom/gedcom_import_notes.h"
#include "core/gedcom/gedcom_import_persons.h"
#include "core/gedcom/gedcom_line.h"
#include "core/gedcom/gedcom_not_kept.h"

namespace lineara::detail {

class GedcomImporter {
public:
    GedcomImporter(ByteSource& source, const GedcomInputInfo& info, const GedcomProgress& progress)
        : source_(source), info_(info), progress_(progress), decoder_(info.codePage.c_str()) {}

    GedcomImportResult run(TreeEdit& list);
    // The result of an import that ran out of memory and was taken back.
    GedcomImportResult outOfMemory() const;

private:
    enum class Record { None, Individual, Family, AliasBox };

    bool report();
    // A line is handed on only once its continuation lines are read.
    bool continues(const GedcomLine& line) const;
    void extend(const GedcomLine& line);
    void extendBroken(std::string_view text);
    bool flushPending();
    // False when the import cannot go on.
    bool dispatch(const GedcomLine& line, std::string_view raw);
    bool recordStart(const GedcomLine& line);
    void readPosition(std::string_view raw);
    void resolveMedia();
    void resolveNotes();
    // A NOTE of a person or a NOTE record: its CONT lines are line breaks.
    bool isNote(const GedcomLine& line) const;
    // Counts a level-1 line of an individual or a family that the tree has
    // no place for.
    void countNotKept(const GedcomLine& line);
    void detail(const GedcomLine& line, std::string_view raw);
    void releaseDate(const std::string* phrase);

    const PersonRecord* FindImportedPerson(std::string_view xref) const;
    GedcomImportResult finish(GedcomImportResult::Status status);
    std::vector<std::string> notes(GedcomImportResult::Status status) const;
    void addMessage(const std::string& text);

    ByteSource& source_;
    GedcomInputInfo info_;
    const GedcomProgress& progress_;
    TreeEdit* list_ = nullptr;
    GedcomTextDecoder decoder_;
    bool halfSize_ = false;  // UTF-16: the lines hold about half the file's bytes

    GedcomImportCounters counters_;
    std::vector<std::string> messages_;
    int readError_ = 0;
    int64_t continuations_ = 0;  // lines without a level, joined to the value before

    GedcomLine pending_;
    std::string pendingValue_;
    bool hasPending_ = false;
    bool pendingNote_ = false;

    Record recordType_ = Record::None;
    bool inHeader_ = false;
    bool inSource_ = false;
    // GEDCOM 7 (HEAD.GEDC.VERS 7.x): UTF-8 always, dates that may be
    // phrases, and this program's own extension structures.
    std::string headerTag_;  // the level-1 tag of the header read last
    bool version7_ = false;
    // A DATE of level 2 waits for the PHRASE that may follow it: the
    // phrase is the date as written and goes into the tree instead.
    GedcomLine heldDate_;
    std::string heldDateValue_;
    bool holdingDate_ = false;
    // Persons whose box position the file gave (_LNPOS).
    int64_t positioned_ = 0;
    // Whether the file held a line at all, began with its header and ended
    // with its trailer.
    bool anyLine_ = false;
    bool beganWithHeader_ = false;
    bool endedWithTrailer_ = false;

    std::unique_ptr<ImportedPersons> persons_;
    std::unique_ptr<ImportedFamilies> families_;
    std::unique_ptr<ImportedMedia> media_;
    std::unique_ptr<ImportedLayout> layout_;
    std::unique_ptr<ImportedNotes> personNotes_;
    std::string currentXref_;  // of the individual being read
    WrittenFiles notesWritten_;
    NotKeptCounter notKept_;
    bool inPersonOrFamily_ = false;  // in an INDI or FAM record
    int64_t aliasBoxes_ = 0;
    bool inMedia_ = false;  // in an object record
    // Cross-references of the persons read, whole; the first person with a
    // cross-reference keeps it.
    std::unordered_map<std::string, const PersonRecord*> xrefs_;
};

}  // namespace lineara::detail
