#include "core/checks/date_check.h"

#include "core/history/step_names.h"

#include "core/checks/check_entries.h"
#include "core/dates/date_conversion.h"

namespace lineara {

const char kMsgBirthDateConverted[] = "Birth date converted from \"";
const char kMsgDeathDateConverted[] = "Death date converted from \"";
const char kMsgSpouseDateConverted[] = "Spouse date converted from \"";

namespace {

// Every text we know of settles after one or two passes; the bound only
// keeps a text nobody has thought of from looping forever.
constexpr int kMaxPasses = 64;

struct DateField {
    TextField field;
    const char* kind;
};

// The dates of one person in the order they are listed: birth, death, then
// the relationship slots in use.
std::vector<DateField> convertibleDates(const PersonRecord& person) {
    std::vector<DateField> dates{{field::birthDate, kMsgBirthDateConverted},
                                 {field::deathDate, kMsgDeathDateConverted}};
    for (int slot = 1; slot <= kRelationSlots; ++slot) {
        if (person.partner[slot] != nullptr) {
            dates.push_back({field::relationDate(slot), kMsgSpouseDateConverted});
        }
    }
    return dates;
}

std::string actionText(const char* kind, std::string_view from, std::string_view to) {
    std::string action = kind;
    action += from;
    action += "\" to \"";
    action += to;
    action += '"';
    return action;
}

}  // namespace

std::string convertDateUntilStable(std::string_view text) {
    std::string current(text);
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        std::string next = ConvertDateToGedcom(current);
        if (next == current) break;
        current = std::move(next);
    }
    return current;
}

DateCheckResult DCheckOnList(TreeEdit& list) {
    DateCheckResult result;
    forEachPerson(list, [&result, &list](const PersonRecord* person) {
        for (const DateField& date : convertibleDates(*person)) {
            std::string stored(person->text(date.field));
            std::string converted = convertDateUntilStable(stored);
            if (converted == stored) continue;
            result.entries.push_back(
                {person, personCaption(*person), actionText(date.kind, stored, converted)});
            list.edit(person)->setText(date.field, converted);  // keeps the field's first 35 bytes
            ++result.count;
        }
    });
    sortByCaption(result.entries);
    return result;
}

DateCheckResult DCheck(Document& doc) {
    return doc.change(step_name::kConvertDates, [](TreeEdit& list) { return DCheckOnList(list); });
}

}  // namespace lineara
