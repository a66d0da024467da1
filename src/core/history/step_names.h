// What the user reads after "Cofnij: " and "Ponów: ": each kind of change
// by name, in the program's language.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace lineara::step_name {

extern const char kNewPerson[];
extern const char kLinkFather[];
extern const char kLinkMother[];
extern const char kRelationship[];
extern const char kUnlinkFather[];
extern const char kUnlinkMother[];
extern const char kDeleteRelationship[];
extern const char kMakeAlias[];
extern const char kMakeThisAnAlias[];
extern const char kMakeHome[];
extern const char kEditPerson[];
extern const char kConvertDates[];
extern const char kCollectFiles[];
extern const char kImportGedcom[];
extern const char kImportLegacy[];
extern const char kOrganizeAncestors[];
extern const char kAutoArrange[];
extern const char kCreateAncestorTree[];

// "przesunięcie 3 osób", "przesunięcie 1 osoby"
std::string moveBoxes(size_t count);
std::string alignBoxes(size_t count);
std::string deletePersons(size_t count);

// The parts of those counted names, so that a translation can put them
// together in its own words: the verbs and the two forms of "N persons"
// ("%1" the verb, "%2" the count).
extern const char kMoveVerb[];
extern const char kAlignVerb[];
extern const char kDeleteVerb[];
extern const char kOnePerson[];
extern const char kPersons[];

struct CountedName {
    const char* verb;  // one of the verbs above
    size_t count;
};

// The verb and count of a name made by moveBoxes, alignBoxes or
// deletePersons; nothing for any other name.
std::optional<CountedName> countedName(std::string_view name);

}  // namespace lineara::step_name
