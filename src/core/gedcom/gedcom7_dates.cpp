#include "core/gedcom/gedcom7_dates.h"

#include <array>
#include <vector>

#include "core/dates/date_conversion.h"

namespace lineara {

namespace {

constexpr std::array<std::string_view, 12> kGregorianMonths = {
    "JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
constexpr std::array<std::string_view, 13> kFrenchMonths = {"VEND", "BRUM", "FRIM", "NIVO", "PLUV",
                                                            "VENT", "GERM", "FLOR", "PRAI", "MESS",
                                                            "THER", "FRUC", "COMP"};
constexpr std::array<std::string_view, 13> kHebrewMonths = {
    "TSH", "CSH", "KSL", "TVT", "SHV", "ADR", "ADS", "NSN", "IYR", "SVN", "TMZ", "AAV", "ELL"};

enum class Calendar { Gregorian, Julian, French, Hebrew };

bool isInteger(std::string_view word) {
    if (word.empty()) return false;
    for (char c : word) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

template <size_t N>
bool oneOf(const std::array<std::string_view, N>& words, std::string_view word) {
    for (std::string_view w : words) {
        if (w == word) return true;
    }
    return false;
}

bool isMonth(Calendar calendar, std::string_view word) {
    switch (calendar) {
    case Calendar::French:
        return oneOf(kFrenchMonths, word);
    case Calendar::Hebrew:
        return oneOf(kHebrewMonths, word);
    default:
        return oneOf(kGregorianMonths, word);
    }
}

// date = [calendar D] [[day D] month D] year [D epoch], over words[from, to).
bool isDate(const std::vector<std::string_view>& words, size_t from, size_t to) {
    if (from >= to) return false;
    Calendar calendar = Calendar::Gregorian;
    std::string_view first = words[from];
    if (first == "GREGORIAN" || first == "JULIAN" || first == "FRENCH_R" || first == "HEBREW") {
        if (first == "JULIAN") calendar = Calendar::Julian;
        if (first == "FRENCH_R") calendar = Calendar::French;
        if (first == "HEBREW") calendar = Calendar::Hebrew;
        ++from;
    }
    // Only the Gregorian and Julian calendars count years before the epoch.
    if (to - from >= 2 && words[to - 1] == "BCE") {
        if (calendar != Calendar::Gregorian && calendar != Calendar::Julian) return false;
        --to;
    }
    size_t n = to - from;
    if (n == 0 || n > 3 || !isInteger(words[to - 1])) return false;
    if (n >= 2 && !isMonth(calendar, words[to - 2])) return false;
    if (n == 3 && !isInteger(words[from])) return false;
    return true;
}

std::vector<std::string_view> splitWords(std::string_view value) {
    std::vector<std::string_view> words;
    size_t start = 0;
    for (size_t i = 0; i <= value.size(); ++i) {
        if (i == value.size() || value[i] == ' ') {
            words.push_back(value.substr(start, i - start));
            start = i + 1;
        }
    }
    return words;
}

size_t indexOf(const std::vector<std::string_view>& words, std::string_view word, size_t from) {
    for (size_t i = from; i < words.size(); ++i) {
        if (words[i] == word) return i;
    }
    return words.size();
}

// The words people write for the qualifiers, as GEDCOM spells them.
std::string_view qualifierFor(std::string_view word) {
    if (word == "ABOUT" || word == "CA" || word == "CIRCA" || word == "C") return "ABT";
    if (word == "BEFORE") return "BEF";
    if (word == "AFTER") return "AFT";
    if (word == "BETWEEN") return "BET";
    if (word == "CALCULATED") return "CAL";
    if (word == "ESTIMATED") return "EST";
    return word;
}

std::string upperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

std::string withQualifiersSpelled(const std::string& value) {
    std::string out;
    for (std::string_view word : splitWords(value)) {
        if (!out.empty()) out += ' ';
        out += qualifierFor(word);
    }
    return out;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
    return text;
}

}  // namespace

bool isGedcom7DateValue(std::string_view value) {
    if (value.empty()) return false;
    std::vector<std::string_view> words = splitWords(value);
    const size_t n = words.size();
    std::string_view head = words[0];
    if (head == "ABT" || head == "CAL" || head == "EST" || head == "BEF" || head == "AFT" ||
        head == "TO") {
        return isDate(words, 1, n);
    }
    if (head == "BET") {
        size_t andAt = indexOf(words, "AND", 1);
        return andAt < n && isDate(words, 1, andAt) && isDate(words, andAt + 1, n);
    }
    if (head == "FROM") {
        size_t toAt = indexOf(words, "TO", 1);
        if (toAt == n) return isDate(words, 1, n);
        return isDate(words, 1, toAt) && isDate(words, toAt + 1, n);
    }
    return isDate(words, 0, n);
}

Gedcom7Date gedcom7Date(std::string_view text) {
    std::string_view written = trimmed(text);
    if (written.empty()) return {};
    // The standardisation works on the tree's own bytes; it moves digits
    // and ASCII words only, so UTF-8 passes through it unharmed.
    std::string value = withQualifiersSpelled(upperAscii(ConvertDateToGedcom(written)));
    if (!isGedcom7DateValue(value)) return {{}, std::string(written)};
    if (gedcom7DateAsTree(value) == written) return {value, {}};
    return {value, std::string(written)};
}

std::string gedcom7DateAsTree(std::string_view value) {
    if (!isGedcom7DateValue(value)) return std::string(value);
    std::string out;
    for (std::string_view word : splitWords(value)) {
        if (!out.empty()) out += ' ';
        if (oneOf(kGregorianMonths, word)) {
            out += word[0];
            for (char c : word.substr(1)) out += static_cast<char>(c - 'A' + 'a');
        } else {
            out += word;
        }
    }
    return out;
}

}  // namespace lineara
