#include "core/model/person_edit.h"

#include "core/platform/translatable.h"

#include <cstring>

#include "core/history/step_names.h"
#include "core/model/relationships.h"

namespace lineara {

const char kMsgRelationshipNotUpdated[] = LINEARA_TRANSLATABLE(
    "Core", "Relationship could not be updated on both sides because date or place did not match");

namespace {

std::string asString(std::string_view text) { return std::string(text); }

// Only a to z: the notice must not merge names that differ in letters the
// record's code page places elsewhere (ł and Ł stay different).
std::string upperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

std::string nameKey(std::string_view first, std::string_view second) {
    return trimBlanks(upperAscii(first) + ' ' + upperAscii(second));
}

bool isSkippedForNotice(const PersonRecord& record, const PersonRecord* edited) {
    if (&record == edited) return true;
    if (edited != nullptr && edited->isAliasBox() && &record == edited->father) return true;
    return upperAscii(record.text(field::aliasMark)) == kAliasBox;
}

// The first slot from `slot` on that holds a partner, or 0.
int nextFilledSlot(const PersonRecord& record, int slot) {
    for (; slot <= kRelationSlots; ++slot) {
        if (record.partner[slot] != nullptr) return slot;
    }
    return 0;
}

char typeCodeOf(const RelationRow& row) { return row.type.empty() ? '\0' : row.type[0]; }

void writeSlot(PersonRecord& record, int slot, const RelationRow& row) {
    record.setText(field::relationDate(slot), row.date);
    record.setText(field::relationPlace(slot), row.place);
    record.setRelationType(slot, typeCodeOf(row));
}

}  // namespace

PersonBoxes boxesFrom(const PersonRecord& r) {
    PersonBoxes b;
    b.givenNames = asString(r.text(field::givenNames));
    b.surname = asString(r.text(field::surname));
    b.birthDate = asString(r.text(field::birthDate));
    b.birthPlace = asString(r.text(field::birthPlace));
    b.deathDate = asString(r.text(field::deathDate));
    b.deathPlace = asString(r.text(field::deathPlace));
    b.occupation = asString(r.text(field::occupation));
    b.source = asString(r.text(field::source));
    b.pictureFile = asString(r.text(field::pictureFile));
    b.pictureComment = asString(r.text(field::pictureComment));
    b.notesFile = asString(r.text(field::notesFile));
    // "?" and an empty sex open as a man, so OK then stores "M".
    b.female = r.text(field::sex) == "F";
    b.male = !b.female;
    return b;
}

std::vector<RelationRow> relationRowsOf(const PersonRecord& record) {
    std::vector<RelationRow> rows;
    for (int slot = 1; slot <= kRelationSlots; ++slot) {
        const PersonRecord* partner = record.partner[slot];
        if (partner == nullptr) continue;
        RelationRow row;
        row.partnerName = asString(partner->text(field::givenNames)) + ' ' +
                          asString(partner->text(field::surname));
        row.date = asString(record.text(field::relationDate(slot)));
        row.place = asString(record.text(field::relationPlace(slot)));
        row.type = std::string(1, record.relationType(slot));
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string trimBlanks(std::string_view text) {
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return std::string(text);
}

std::string editorCaption(std::string_view givenNames, std::string_view surname) {
    std::string caption = asString(givenNames) + ' ' + asString(surname);
    return caption == " " ? std::string("Person") : caption;
}

std::string_view sexCode(bool male, bool female) {
    if (male) return "M";
    if (female) return "F";
    return "?";
}

std::vector<const PersonRecord*> sameNamedPersons(const PersonList& list,
                                                  const PersonRecord* edited,
                                                  std::string_view givenNames,
                                                  std::string_view surname) {
    const std::string key = nameKey(givenNames, surname);
    std::vector<const PersonRecord*> found;
    for (const PersonRecord* r = list.personListHead(); r != nullptr; r = r->nextPerson) {
        if (isSkippedForNotice(*r, edited)) continue;
        if (nameKey(trimBlanks(r->text(field::givenNames)), trimBlanks(r->text(field::surname))) ==
            key) {
            found.push_back(r);
        }
    }
    return found;
}

const char kDuplicateNameNotice[] =
    LINEARA_TRANSLATABLE("Core", "Notatka:    W drzewie istnieje juz osoba z nazwiskiem \"%1\"");
const char kDuplicateBorn[] = LINEARA_TRANSLATABLE("Core", ", born %1");
const char kDuplicateDied[] = LINEARA_TRANSLATABLE("Core", ", died %1");

namespace {
// The first "%1" of `pattern` replaced by `value` (names may hold "%1"
// themselves, so only the pattern's own is filled).
std::string filled(std::string pattern, std::string_view value) {
    const size_t at = pattern.find("%1");
    if (at != std::string::npos) pattern.replace(at, 2, value);
    return pattern;
}
}  // namespace

std::string duplicateNameNotice(const PersonRecord& other, const DuplicateNoticeTexts& texts) {
    std::string text = filled(texts.notice, asString(other.text(field::givenNames)) + ' ' +
                                                asString(other.text(field::surname)));
    if (!other.isEmpty(field::birthDate))
        text += filled(texts.born, asString(other.text(field::birthDate)));
    if (!other.isEmpty(field::deathDate))
        text += filled(texts.died, asString(other.text(field::deathDate)));
    return text;
}

std::string proposedNotesFileName(std::string_view givenNames, std::string_view surname) {
    const std::string raw = asString(givenNames) + ' ' + asString(surname);
    std::string name;
    for (char c : raw) {
        const bool replaced = c != ' ' && static_cast<unsigned char>(c) < 'A';
        const char out = replaced ? '_' : c;
        if (out == '_' && !name.empty() && name.back() == '_') continue;
        name += out;
    }
    if (!name.empty() && name.back() == '_') name.pop_back();
    name = trimBlanks(name);
    if (name.empty()) name = "Person";
    return name + ".txt";
}

std::string fileNamePart(std::string_view path) {
    const size_t cut = path.find_last_of("\\/");
    return asString(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

void writeBasicFields(PersonRecord& copy, const PersonBoxes& b) {
    copy.setText(field::givenNames, b.givenNames);
    copy.setText(field::surname, b.surname);
    copy.setText(field::birthDate, b.birthDate);
    copy.setText(field::pictureFile, b.pictureFile);
    copy.setText(field::notesFile, b.notesFile);
    // A comment without its picture would be invisible and never editable.
    copy.setText(field::pictureComment, b.pictureFile.empty() ? std::string() : b.pictureComment);
    copy.setText(field::birthPlace, b.birthPlace);
    copy.setText(field::occupation, b.occupation);
    copy.setText(field::source, b.source);
}

void writeDeathAndSex(PersonRecord& copy, const PersonBoxes& b) {
    copy.setText(field::deathDate, b.deathDate);
    copy.setText(field::deathPlace, b.deathPlace);
    copy.setText(field::sex, sexCode(b.male, b.female));
}

std::vector<const PersonRecord*> writeRelationships(TreeEdit& list, PersonRecord& copy,
                                                    const PersonRecord* edited,
                                                    const std::vector<RelationRow>& rows) {
    std::vector<const PersonRecord*> mismatched;
    int slot = 1;
    for (const RelationRow& row : rows) {
        slot = nextFilledSlot(copy, slot);
        if (slot == 0) break;
        const PersonRecord* partner = copy.partner[slot];
        // The partners point at the record in the list, while the values
        // that identify the relationship are still those of the copy.
        const BackSlot back = findBackSlot(copy, slot, edited);
        if (back.ambiguous) {
            mismatched.push_back(partner);
        } else if (back.slot != 0) {
            writeSlot(*list.edit(partner), back.slot, row);
        }
        writeSlot(copy, slot, row);
        ++slot;
    }
    return mismatched;
}

const PersonRecord* refreshAliasBox(TreeEdit& list, const PersonRecord* edited,
                                    const PersonRecord& copy) {
    if (!copy.isAliasOriginal()) return nullptr;
    for (const PersonRecord* r = list.personListHead(); r != nullptr; r = r->nextPerson) {
        if (r->father != edited || !r->isAliasBox()) continue;
        PersonRecord* box = list.edit(r);
        for (TextField f : field::kPersonalData) box->setText(f, copy.text(f));
        return r;
    }
    return nullptr;
}

std::vector<const PersonRecord*> commitBoxes(TreeEdit& list, const PersonRecord* edited,
                                             PersonRecord& copy, const PersonBoxes& boxes,
                                             const std::vector<RelationRow>& rows) {
    writeBasicFields(copy, boxes);
    std::vector<const PersonRecord*> mismatched = writeRelationships(list, copy, edited, rows);
    writeDeathAndSex(copy, boxes);
    refreshAliasBox(list, edited, copy);
    return mismatched;
}

std::vector<const PersonRecord*> saveEditedPersonOnList(TreeEdit& list, const PersonRecord* edited,
                                                        PersonRecord& copy,
                                                        const PersonBoxes& boxes,
                                                        const std::vector<RelationRow>& rows) {
    std::vector<const PersonRecord*> mismatched = commitBoxes(list, edited, copy, boxes, rows);
    // Only the image: the list and partner links of the record stay its own.
    PersonRecord* target = list.edit(edited);
    std::memcpy(target->mutableImage(), copy.image().data(), kRecordSize);
    return mismatched;
}

std::vector<const PersonRecord*> saveEditedPerson(Document& doc, const PersonRecord* edited,
                                                  PersonRecord& copy, const PersonBoxes& boxes,
                                                  const std::vector<RelationRow>& rows) {
    return doc.change(step_name::kEditPerson, [&](TreeEdit& list) {
        return saveEditedPersonOnList(list, edited, copy, boxes, rows);
    });
}

}  // namespace lineara
