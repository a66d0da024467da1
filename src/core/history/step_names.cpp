#include "core/history/step_names.h"

namespace lineara::step_name {

const char kNewPerson[] = "nowa osoba";
const char kLinkFather[] = "połączenie z ojcem";
const char kLinkMother[] = "połączenie z matką";
const char kRelationship[] = "nowy związek";
const char kUnlinkFather[] = "usunięcie połączenia z ojcem";
const char kUnlinkMother[] = "usunięcie połączenia z matką";
const char kDeleteRelationship[] = "usunięcie związku";
const char kMakeAlias[] = "nowy alias";
const char kMakeThisAnAlias[] = "zamiana w alias";
const char kMakeHome[] = "nowa osoba domowa";
const char kEditPerson[] = "edycja osoby";
const char kConvertDates[] = "konwersja dat";
const char kCollectFiles[] = "zebranie plików";
const char kImportGedcom[] = "import pliku GEDCOM";
const char kImportLegacy[] = "import pliku w starszym formacie";
const char kOrganizeAncestors[] = "organizacja drzewa przodków";
const char kAutoArrange[] = "automatyczne porządkowanie pozycji";
const char kCreateAncestorTree[] = "utworzenie drzewa przodków";

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
