// The person editor's logic, apart from its window: how the boxes are
// written into the working copy, how the partners' halves of the
// relationships and the alias box follow, and the small text rules of the
// editor (caption, duplicate names, notes file name).
//
// All texts here are record bytes in the record's code page; the window
// converts at its edge.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/model/document.h"
#include "core/model/person_list.h"
#include "core/model/person_record.h"
#include "core/model/tree_edit.h"

namespace lineara {

extern const char kMsgRelationshipNotUpdated[];

// The texts of the basic page's boxes, as the window hands them over.
struct PersonBoxes {
    std::string givenNames;
    std::string surname;
    std::string birthDate;
    std::string birthPlace;
    std::string deathDate;
    std::string deathPlace;
    std::string occupation;
    std::string source;
    std::string pictureFile;
    std::string pictureComment;
    std::string notesFile;
    bool male = false;
    bool female = false;
};

// One data row of the relationship grid.
struct RelationRow {
    std::string partnerName;  // column 0
    std::string date;         // column 1
    std::string place;        // column 2
    std::string type;         // column 3, the one-letter code
};

// The boxes filled from a record (sex buttons: "Kobieta" only for "F").
PersonBoxes boxesFrom(const PersonRecord& record);

// One row per non-empty slot, in slot order.
std::vector<RelationRow> relationRowsOf(const PersonRecord& record);

// Blanks (and control characters) off both ends, as the name boxes are
// trimmed before saving.
std::string trimBlanks(std::string_view text);

// "givenNames surname", or "Person" when both are empty.
std::string editorCaption(std::string_view givenNames, std::string_view surname);

// "M", "F" or "?" from the sex buttons.
std::string_view sexCode(bool male, bool female);

// Records whose names equal the boxes' names, ignoring the case of a to z
// only. The edited person, alias boxes and, when the edited person is an
// alias box, the person it stands for are never reported.
std::vector<const PersonRecord*> sameNamedPersons(const PersonList& list,
                                                  const PersonRecord* edited,
                                                  std::string_view givenNames,
                                                  std::string_view surname);

// The information text shown for one such record, made of these three
// texts: the notice with the name in place of "%1", then the birth and the
// death date each in place of "%1" of its text when the record has one.
// A translation passes its own texts, in the record's code page.
struct DuplicateNoticeTexts {
    std::string notice;
    std::string born;
    std::string died;
};
extern const char kDuplicateNameNotice[];
extern const char kDuplicateBorn[];
extern const char kDuplicateDied[];
std::string duplicateNameNotice(const PersonRecord& other,
                                const DuplicateNoticeTexts& texts = {
                                    kDuplicateNameNotice, kDuplicateBorn, kDuplicateDied});

// The file name "&Nowy" proposes for the notes: "Jan K_ Nowak.txt".
std::string proposedNotesFileName(std::string_view givenNames, std::string_view surname);

// The part of a path after its last folder separator.
std::string fileNamePart(std::string_view path);

// Writes the names, birth, files, occupation and source into the copy, each
// cut to its field; the picture comment goes only with a picture.
void writeBasicFields(PersonRecord& copy, const PersonBoxes& boxes);

// Death date and place, then sex.
void writeDeathAndSex(PersonRecord& copy, const PersonBoxes& boxes);

// Writes the grid rows into the copy's slots and, through the back slot,
// into the partners of `edited` (records of `list`). Returns the partners
// whose half could not be matched (one message each); their records stay
// as they were.
std::vector<const PersonRecord*> writeRelationships(TreeEdit& list, PersonRecord& copy,
                                                    const PersonRecord* edited,
                                                    const std::vector<RelationRow>& rows);

// When the copy is an original ("ALIAS"), its personal data goes to the
// first alias box of `edited`. Returns that box, or null.
const PersonRecord* refreshAliasBox(TreeEdit& list, const PersonRecord* edited,
                                    const PersonRecord& copy);

// The part of saving that follows the notes: the basic fields, the
// relationships, death and sex, and the alias box, in that order. Returns
// the partners of the mismatch message.
std::vector<const PersonRecord*> commitBoxes(TreeEdit& list, const PersonRecord* edited,
                                             PersonRecord& copy, const PersonBoxes& boxes,
                                             const std::vector<RelationRow>& rows);
// The editor's OK on the list, not undoable by itself: commitBoxes, then
// the edited record takes the copy's bytes.
std::vector<const PersonRecord*> saveEditedPersonOnList(TreeEdit& list, const PersonRecord* edited,
                                                        PersonRecord& copy,
                                                        const PersonBoxes& boxes,
                                                        const std::vector<RelationRow>& rows);
// The editor's OK as one undo step of the document.
std::vector<const PersonRecord*> saveEditedPerson(Document& doc, const PersonRecord* edited,
                                                  PersonRecord& copy, const PersonBoxes& boxes,
                                                  const std::vector<RelationRow>& rows);

}  // namespace lineara
