#include "core/reports/alphabetical_lists.h"

#include <algorithm>

#include "core/search/list_text.h"

namespace lineara {

namespace {

bool isBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string recoded(const Recode& recode, std::string_view text) {
    return recode ? recode(text) : std::string(text);
}

char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

}  // namespace

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool asciiCaseLess(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(asciiLower(x)) <
               static_cast<unsigned char>(asciiLower(y));
    });
}

std::vector<std::string> personLines(const PersonList& list, const Recode& recode) {
    std::vector<std::string> lines;
    forEachPerson(list, [&](const PersonRecord* p) {
        if (p->isAliasBox()) return;
        std::string line;
        line.append(p->text(field::surname)).append(" ");
        line.append(p->text(field::givenNames)).append(" (");
        line.append(p->text(field::birthDate)).append(" - ");
        line.append(p->text(field::deathDate)).append(")");
        // One line per person whatever the names hold, trimmed before it
        // is recoded: blanks and control bytes are the same in every code
        // page, and no multi-byte character ends in one.
        const std::string single = oneLine(line);
        lines.push_back(recoded(recode, trimmed(single)));
    });
    return lines;
}

std::vector<std::string> surnames(const PersonList& list, const Recode& recode) {
    std::vector<std::string> names;
    forEachPerson(list, [&](const PersonRecord* p) {
        if (p->isAliasBox()) return;
        const std::string single = oneLine(p->text(field::surname));
        names.push_back(recoded(recode, trimmed(single)));
    });
    return names;
}

std::vector<std::string> surnameRuns(const std::vector<std::string>& sortedNames) {
    std::vector<std::string> lines;
    for (size_t i = 0; i < sortedNames.size();) {
        size_t end = i + 1;
        while (end < sortedNames.size() && sortedNames[end] == sortedNames[i]) ++end;
        lines.push_back(sortedNames[i] + " (" + std::to_string(end - i) + ")");
        i = end;
    }
    return lines;
}

std::vector<std::string> personListLines(const PersonList& list, const TextLess& less,
                                         const Recode& recode) {
    std::vector<std::string> lines = personLines(list, recode);
    std::stable_sort(lines.begin(), lines.end(), less);
    return lines;
}

std::vector<std::string> surnameListLines(const PersonList& list, const TextLess& less,
                                          const Recode& recode) {
    std::vector<std::string> names = surnames(list, recode);
    std::stable_sort(names.begin(), names.end(), less);
    return surnameRuns(names);
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text.append(line).append("\n");
    return text;
}

}  // namespace lineara
