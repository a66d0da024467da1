#include "core/search/person_search.h"

#include <algorithm>

#include "core/search/list_text.h"

namespace lineara {

namespace {

std::string_view trimmed(std::string_view s) {
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const size_t last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

// The capital of a Windows-1250 byte; the byte itself when it has none.
uint8_t cp1250Upper(uint8_t b) {
    if (b >= 'a' && b <= 'z') return static_cast<uint8_t>(b - 0x20);
    switch (b) {
    case 0x9A:  // š
    case 0x9C:  // ś
    case 0x9D:  // ť
    case 0x9E:  // ž
    case 0x9F:  // ź
        return static_cast<uint8_t>(b - 0x10);
    case 0xB3:  // ł
        return 0xA3;
    case 0xB9:  // ą
        return 0xA5;
    case 0xBA:  // ş
        return 0xAA;
    case 0xBE:  // ľ
        return 0xBC;
    case 0xBF:  // ż
        return 0xAF;
    default:
        break;
    }
    // The accented small letters mirror their capitals 0x20 lower, except
    // the division sign and the dot above.
    if (b >= 0xE0 && b != 0xF7 && b != 0xFF) return static_cast<uint8_t>(b - 0x20);
    return b;
}

ByteWeights makeCp1250Weights() {
    // Ranks of the capitals: everything below 'A' as it stands (blank,
    // digits, punctuation), then the Polish alphabet, then every other
    // capital in byte order.
    static const uint8_t kAlphabet[] = {'A',  0xA5, 'B',  'C', 0xC6, 'D', 'E',  0xCA, 'F',
                                        'G',  'H',  'I',  'J', 'K',  'L', 0xA3, 'M',  'N',
                                        0xD1, 'O',  0xD3, 'P', 'Q',  'R', 'S',  0x8C, 'T',
                                        'U',  'V',  'W',  'X', 'Y',  'Z', 0x8F, 0xAF};
    std::array<int, 256> rankOfCapital;
    rankOfCapital.fill(-1);
    int next = 0;
    for (int b = 0; b < 'A'; ++b) rankOfCapital[static_cast<size_t>(b)] = next++;
    for (uint8_t b : kAlphabet) rankOfCapital[b] = next++;
    for (int b = 'A'; b < 256; ++b) {
        const uint8_t capital = cp1250Upper(static_cast<uint8_t>(b));
        if (rankOfCapital[capital] < 0) rankOfCapital[capital] = next++;
    }
    ByteWeights weights{};
    for (int b = 0; b < 256; ++b) {
        weights[static_cast<size_t>(b)] =
            static_cast<uint8_t>(rankOfCapital[cp1250Upper(static_cast<uint8_t>(b))]);
    }
    return weights;
}

// The plain capital of an accented Windows-1250 letter; 0 for bytes that
// are no accented letter. The small letters are first made capitals.
uint8_t cp1250PlainCapital(uint8_t capital) {
    switch (capital) {
    case 0x8A:  // Š
    case 0x8C:  // Ś
    case 0xAA:  // Ş
        return 'S';
    case 0x8D:  // Ť
    case 0xDE:  // Ţ
        return 'T';
    case 0x8E:  // Ž
    case 0x8F:  // Ź
    case 0xAF:  // Ż
        return 'Z';
    case 0xA3:  // Ł
    case 0xBC:  // Ľ
    case 0xC5:  // Ĺ
        return 'L';
    case 0xA5:  // Ą
        return 'A';
    default:
        break;
    }
    // The Latin-2 letters from 0xC0 to 0xDD, in the code page's order.
    static const char kPlain[] = "RAAAALCCCEEEEIIDDNNOOOO.RUUUUY";
    if (capital >= 0xC0 && capital <= 0xDD && kPlain[capital - 0xC0] != '.') {
        return static_cast<uint8_t>(kPlain[capital - 0xC0]);
    }
    return 0;
}

ByteWeights makeCp1250PlainLetterWeights() {
    const ByteWeights& exact = cp1250Weights();
    ByteWeights weights = exact;
    for (int b = 0x80; b < 256; ++b) {
        const uint8_t plain = cp1250PlainCapital(cp1250Upper(static_cast<uint8_t>(b)));
        if (plain != 0) weights[static_cast<size_t>(b)] = exact[plain];
    }
    return weights;
}

}  // namespace

std::string searchEntryText(const PersonRecord& person) {
    std::string s(person.text(field::surname));
    s += ' ';
    s += person.text(field::givenNames);
    s += " (";
    s += person.text(field::birthDate);
    s += " - ";
    s += person.text(field::deathDate);
    s += ") [";
    s += std::to_string(person.personId());
    s += ']';
    return std::string(trimmed(oneLine(s)));
}

const ByteWeights& cp1250Weights() {
    static const ByteWeights weights = makeCp1250Weights();
    return weights;
}

const ByteWeights& cp1250PlainLetterWeights() {
    static const ByteWeights weights = makeCp1250PlainLetterWeights();
    return weights;
}

std::string PersonSearchList::plainKeyOf(std::string_view text) const {
    std::string key(text.size(), '\0');
    for (size_t i = 0; i < text.size(); ++i) {
        key[i] = static_cast<char>((*plain_)[static_cast<uint8_t>(text[i])]);
    }
    return key;
}

std::string PersonSearchList::keyOf(std::string_view text) const {
    std::string key(text.size(), '\0');
    for (size_t i = 0; i < text.size(); ++i) {
        key[i] = static_cast<char>((*weights_)[static_cast<uint8_t>(text[i])]);
    }
    return key;
}

void PersonSearchList::build(const PersonList& list) {
    struct Row {
        std::string key;
        Entry entry;
        size_t order;  // place in the list: the last word between equal lines
    };
    std::vector<Row> rows;
    rows.reserve(list.count());
    forEachPerson(list, [&](const PersonRecord* p) {
        if (p->isAliasBox()) return;
        Entry entry{searchEntryText(*p), p->personId()};
        std::string key = keyOf(entry.text);
        rows.push_back(Row{std::move(key), std::move(entry), rows.size()});
    });
    // Keys compare as unsigned bytes; equal keys fall back to the bytes of
    // the text, then to list order.
    std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        if (const int byKey = a.key.compare(b.key)) return byKey < 0;
        if (const int byText = a.entry.text.compare(b.entry.text)) return byText < 0;
        return a.order < b.order;
    });
    entries_.clear();
    keys_.clear();
    entries_.reserve(rows.size());
    keys_.reserve(rows.size());
    for (Row& row : rows) {
        entries_.push_back(std::move(row.entry));
        keys_.push_back(std::move(row.key));
    }
}

int PersonSearchList::complete(std::string_view typed) const {
    if (typed.empty() || entries_.empty()) return -1;
    const std::string key = keyOf(typed);
    const auto at = std::lower_bound(keys_.begin(), keys_.end(), key);
    if (at == keys_.end() || at->compare(0, key.size(), key) != 0) return -1;
    return static_cast<int>(at - keys_.begin());
}

}  // namespace lineara

namespace lineara {

namespace {

// Whether `text` read through `weights` holds `key` at `at`.
bool readsAt(std::string_view text, size_t at, const std::string& key, const ByteWeights& weights) {
    for (size_t i = 0; i < key.size(); ++i) {
        if (static_cast<char>(weights[static_cast<uint8_t>(text[at + i])]) != key[i]) return false;
    }
    return true;
}

}  // namespace

// The list is in the order of the exact weights, not of the plain ones, so
// the first plain match needs a walk; it stops at the first line found and
// reads only as many bytes of each line as were typed.
int PersonSearchList::completePlain(std::string_view typed) const {
    if (typed.empty()) return -1;
    const std::string key = plainKeyOf(typed);
    for (size_t i = 0; i < entries_.size(); ++i) {
        const std::string& text = entries_[i].text;
        if (text.size() >= key.size() && readsAt(text, 0, key, *plain_)) return static_cast<int>(i);
    }
    return -1;
}

std::vector<int> PersonSearchList::containing(std::string_view typed) const {
    std::vector<int> found;
    if (typed.empty()) return found;
    const std::string key = plainKeyOf(typed);
    const char first = key[0];
    for (size_t i = 0; i < entries_.size(); ++i) {
        const std::string& text = entries_[i].text;
        if (text.size() < key.size()) continue;
        for (size_t at = 0; at + key.size() <= text.size(); ++at) {
            if (static_cast<char>((*plain_)[static_cast<uint8_t>(text[at])]) != first) continue;
            if (readsAt(text, at, key, *plain_)) {
                found.push_back(static_cast<int>(i));
                break;
            }
        }
    }
    return found;
}

}  // namespace lineara
