// What the user reads after "Cofnij: " and "Ponów: ": each kind of change
// by name, in the program's language.
#pragma once

#include <cstddef>
#include <string>

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

}  // namespace lineara::step_name
