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

const char kMoveVerb[] = LINEARA_TRANSLATABLE("Core", "przesunięcie");
const char kAlignVerb[] = LINEARA_TRANSLATABLE("Core", "wyrównanie");
const char kDeleteVerb[] = LINEARA_TRANSLATABLE("Core", "usunięcie");
// The count takes the genitive: one "osoby", any other number "osób".
const char kOnePerson[] = LINEARA_TRANSLATABLE("Core", "%1 1 osoby");
const char kPersons[] = LINEARA_TRANSLATABLE("Core", "%1 %2 osób");

namespace {

const std::string_view kOneSuffix = " 1 osoby";
const std::string_view kManySuffix = " osób";

std::string persons(const char* verb, size_t count) {
    std::string name(verb);
    if (count == 1) return name.append(kOneSuffix);
    return name.append(" ").append(std::to_string(count)).append(kManySuffix);
}

bool endsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

}  // namespace

std::string moveBoxes(size_t count) { return persons(kMoveVerb, count); }
std::string alignBoxes(size_t count) { return persons(kAlignVerb, count); }
std::string deletePersons(size_t count) { return persons(kDeleteVerb, count); }

std::optional<CountedName> countedName(std::string_view name) {
    for (const char* verb : {kMoveVerb, kAlignVerb, kDeleteVerb}) {
        const std::string_view v(verb);
        if (name.size() <= v.size() + 1 || name.substr(0, v.size()) != v || name[v.size()] != ' ')
            continue;
        if (endsWith(name, kOneSuffix) && name.size() == v.size() + kOneSuffix.size())
            return CountedName{verb, 1};
        if (!endsWith(name, kManySuffix)) continue;
        const std::string_view digits =
            name.substr(v.size() + 1, name.size() - v.size() - 1 - kManySuffix.size());
        if (digits.empty() || digits.size() > 18) continue;
        size_t count = 0;
        for (const char c : digits) {
            if (c < '0' || c > '9') return std::nullopt;
            count = count * 10 + static_cast<size_t>(c - '0');
        }
        return CountedName{verb, count};
    }
    return std::nullopt;
}

}  // namespace lineara::step_name
