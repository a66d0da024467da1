// The date conversion of the whole tree, without its window: every stored
// birth, death and relationship date of every person is put into the
// GEDCOM form in place, and each change is listed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/model/document.h"

namespace lineara {

extern const char kMsgBirthDateConverted[];
extern const char kMsgDeathDateConverted[];
extern const char kMsgSpouseDateConverted[];

// One changed date. `person` stays valid only while the record does.
struct DateConversion {
    const PersonRecord* person = nullptr;
    std::string caption;  // surname and given names (record bytes)
    std::string action;   // what was converted, from what to what (record bytes)
};

struct DateCheckResult {
    std::vector<DateConversion> entries;  // sorted by caption
    int count = 0;                        // dates changed
};

// Converts `text` again and again until a pass gives back its own input.
std::string convertDateUntilStable(std::string_view text);

// Converts birthDate, deathDate and the dates of used relationship slots of
// every person (the baptism date is left alone) and stores each changed
// date, cut to the field's 35 characters. On the list, not undoable by
// itself.
DateCheckResult DCheckOnList(TreeEdit& list);
// The conversion of the open tree, as one undo step.
DateCheckResult DCheck(Document& doc);

}  // namespace lineara
