// GEDCOM text in tests: importing it from memory, splitting an export into
// its lines, finding imported persons.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/gedcom/gedcom_import.h"
#include "core/model/document.h"

namespace lineara::test {

// GEDCOM lines joined with CR LF, the last one ended too.
inline std::string gedcomLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

// Imports `text` into the (empty) document, handing it over `piece` bytes
// at a time.
inline GedcomImportResult importText(Document& doc, std::string text, size_t piece = SIZE_MAX) {
    int64_t size = static_cast<int64_t>(text.size());
    MemorySource source(std::move(text), piece);
    return importGedcom(doc, source, {"test.ged", true, size});
}

// The lines of an export; every line must end with CR LF.
inline std::vector<std::string> exportedLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find("\r\n", at);
        if (end == std::string_view::npos) {
            ADD_FAILURE() << "the text does not end with CR LF";
            end = text.size();
        }
        std::string line(text.substr(at, end - at));
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "a bare line end in " << line;
        lines.push_back(std::move(line));
        at = end + 2;
    }
    return lines;
}

// The person imported from the record with this cross-reference.
inline const PersonRecord* imported(const PersonList& list, std::string_view xref) {
    for (const PersonRecord* r = list.personListHead(); r != nullptr; r = r->nextPerson) {
        if (r->text(field::gedcomImportXref) == xref) return r;
    }
    return nullptr;
}

// The slots of `person` that hold `partner`.
inline std::vector<int> slotsWith(const PersonRecord* person, const PersonRecord* partner) {
    std::vector<int> slots;
    for (int i = 1; i <= kRelationSlots; ++i) {
        if (person->partner[i] == partner) slots.push_back(i);
    }
    return slots;
}

}  // namespace lineara::test
