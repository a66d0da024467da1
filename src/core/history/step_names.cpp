#include "core/history/step_names.h"

#include "core/platform/translatable.h"

namespace lineara::step_name {

const char kNewPerson[] = LINEARA_TRANSLATABLE("Core", "nowa osoba");
const char kLinkFather[] = LINEARA_TRANSLATABLE("Core", "połączenie z ojcem");
const char kLinkMother[] = LINEARA_TRANSLATABLE("Core", "połączenie z matką");
const char kRelationship[] = LINEARA_TRANSLATABLE("Core", "nowy związek");
const char kUnlinkFather[] = LINEARA_TRANSLATABLE("Core", "usunięcie połączenia z ojcem");
const char kUnlinkMother[] = LINEARA_TRANSLATABLE("Core", "usunięcie połączenia z matką");
const char kDeleteRelationship[] = LINEARA_TRANSLATABLE("Core", "usunięcie związku");
const char kMakeAlias[] = LINEARA_TRANSLATABLE("Core", "nowy alias");
const char kMakeThisAnAlias[] = LINEARA_TRANSLATABLE("Core", "zamiana w alias");
const char kMakeHome[] = LINEARA_TRANSLATABLE("Core", "nowa osoba domowa");
const char kEditPerson[] = LINEARA_TRANSLATABLE("Core", "edycja osoby");
const char kConvertDates[] = LINEARA_TRANSLATABLE("Core", "konwersja dat");
const char kCollectFiles[] = LINEARA_TRANSLATABLE("Core", "zebranie plików");
const char kImportGedcom[] = LINEARA_TRANSLATABLE("Core", "import pliku GEDCOM");
const char kImportLegacy[] = LINEARA_TRANSLATABLE("Core", "import pliku w starszym formacie");
const char kOrganizeAncestors[] = LINEARA_TRANSLATABLE("Core", "organizacja drzewa przodków");
const char kAutoArrange[] = LINEARA_TRANSLATABLE("Core", "automatyczne porządkowanie pozycji");
const char kCreateAncestorTree[] = LINEARA_TRANSLATABLE("Core", "utworzenie drzewa przodków");

namespace {
// The count takes the genitive: one "osoby", any other number "osób".
std::string persons(const char* what, size_t count) {
    return std::string(what) + " " + std::to_string(count) + (count == 1 ? " osoby" : " osób");
}
}  // namespace

std::string moveBoxes(size_t count) { return persons("przesunięcie", count); }
std::string alignBoxes(size_t count) { return persons("wyrównanie", count); }
std::string deletePersons(size_t count) { return persons("usunięcie", count); }

}  // namespace lineara::step_name
