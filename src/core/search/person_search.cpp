#include "core/search/person_search.h"

#include <algorithm>
#include <charconv>

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

// Built in one string, cleaned and trimmed in place: a whole tree's lines
// are made each time the search window opens.
std::string searchEntryText(const PersonRecord& person) {
    const std::string_view surname = person.text(field::surname);
    const std::string_view given = person.text(field::givenNames);
    const std::string_view birth = person.text(field::birthDate);
    const std::string_view death = person.text(field::deathDate);
    char id[16];
    const auto idEnd = std::to_chars(id, id + sizeof id, person.personId()).ptr;
    std::string s;
    s.reserve(surname.size() + given.size() + birth.size() + death.size() + 24);
    s += surname;
    s += ' ';
    s += given;
    s += " (";
    s += birth;
    s += " - ";
    s += death;
    s += ") [";
    s.append(id, idEnd);
    s += ']';
    // As oneLine(): line breaks become blanks, other control bytes go.
    size_t kept = 0;
    for (const char c : s) {
        const auto b = static_cast<unsigned char>(c);
        if (b == '\r' || b == '\n') {
            s[kept++] = ' ';
        } else if (b >= 0x20 && b != 0x7F) {
            s[kept++] = c;
        }
    }
    s.resize(kept);
    const std::string_view line = trimmed(s);
    if (line.size() != s.size()) {
        s = std::string(line);
    }
    return s;
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

namespace {

// The first eight weights of a text, the first in the highest byte: most
// lines already differ there, so the sort compares one number for them.
// Texts hold no zero bytes, so a shorter text pads below any weight that
// follows in a longer one.
uint64_t weightPrefix(std::string_view text, const ByteWeights& weights) {
    uint64_t prefix = 0;
    for (size_t i = 0; i < 8; ++i) {
        prefix <<= 8;
        if (i < text.size()) prefix |= weights[static_cast<uint8_t>(text[i])];
    }
    return prefix;
}

// The comparison of two texts by their weights, from byte `from` on.
int compareWeights(std::string_view a, std::string_view b, size_t from, const ByteWeights& w) {
    const size_t n = std::min(a.size(), b.size());
    from = std::min(from, n);
    for (size_t i = from; i < n; ++i) {
        const uint8_t x = w[static_cast<uint8_t>(a[i])];
        const uint8_t y = w[static_cast<uint8_t>(b[i])];
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

constexpr int kLookAhead = 6;

void prefetchLineFields(const PersonRecord& r) {
    const uint8_t* image = r.image().data();
    for (int at = 0; at < field::deathDate.offset + field::deathDate.capacity + 1; at += 64) {
        __builtin_prefetch(image + at);
    }
    __builtin_prefetch(image + field::aliasMark.offset);
}

}  // namespace

// One buffer holds every line, and the sort moves small rows, not strings:
// the search window builds the list of a whole tree each time it opens.
void PersonSearchList::build(const PersonList& list) {
    struct Line {
        size_t at;
        uint32_t size;
        int32_t personId;
    };
    std::vector<Line> lines;
    lines.reserve(list.count());
    texts_.clear();
    texts_.reserve(list.count() * 40);
    // The records lie anywhere in memory: the parts a line is made of are
    // asked for a few records ahead of the one being read.
    const PersonRecord* ahead = list.personListHead();
    for (int i = 0; i < kLookAhead && ahead != nullptr; ++i) ahead = ahead->nextPerson;
    for (const PersonRecord* p = list.personListHead(); p != nullptr; p = p->nextPerson) {
        if (ahead != nullptr) {
            prefetchLineFields(*ahead);
            ahead = ahead->nextPerson;
        }
        if (p->isAliasBox()) continue;
        const std::string text = searchEntryText(*p);
        lines.push_back(Line{texts_.size(), static_cast<uint32_t>(text.size()), p->personId()});
        texts_.insert(texts_.end(), text.begin(), text.end());
    }
    auto textOf = [this](const Line& l) { return std::string_view(texts_.data() + l.at, l.size); };
    // By weights, then by the bytes of the text, then in list order; only
    // rows whose first sixteen weights agree compare the texts.
    struct Row {
        uint64_t prefix[2];
        uint32_t index;
    };
    const ByteWeights& weights = *weights_;
    std::vector<Row> rows(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string_view text = textOf(lines[i]);
        rows[i] =
            Row{{weightPrefix(text, weights),
                 weightPrefix(text.size() > 8 ? text.substr(8) : std::string_view(), weights)},
                static_cast<uint32_t>(i)};
    }
    std::sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) {
        if (a.prefix[0] != b.prefix[0]) return a.prefix[0] < b.prefix[0];
        if (a.prefix[1] != b.prefix[1]) return a.prefix[1] < b.prefix[1];
        const std::string_view x = textOf(lines[a.index]);
        const std::string_view y = textOf(lines[b.index]);
        if (const int byWeight = compareWeights(x, y, 16, weights)) return byWeight < 0;
        if (const int byText = x.compare(y)) return byText < 0;
        return a.index < b.index;
    });
    entries_.clear();
    entries_.reserve(rows.size());
    for (const Row& row : rows) {
        const Line& line = lines[row.index];
        entries_.push_back(Entry{textOf(line), line.personId});
    }
}

int PersonSearchList::complete(std::string_view typed) const {
    if (typed.empty() || entries_.empty()) return -1;
    const ByteWeights& weights = *weights_;
    // The first line not below the typed text, compared in weights; it
    // begins with the text if any line does.
    const auto at = std::partition_point(entries_.begin(), entries_.end(), [&](const Entry& e) {
        return compareWeights(e.text, typed, 0, weights) < 0;
    });
    if (at == entries_.end() || at->text.size() < typed.size()) return -1;
    if (compareWeights(std::string_view(at->text).substr(0, typed.size()), typed, 0, weights) !=
        0) {
        return -1;
    }
    return static_cast<int>(at - entries_.begin());
}

}  // namespace lineara

namespace lineara {

namespace {

// Whether `text` read through `weights` holds `key` at `at`.
bool readsAt(std::string_view text, size_t at, std::string_view key, const ByteWeights& weights) {
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
        const std::string_view text = entries_[i].text;
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
        const std::string_view text = entries_[i].text;
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
