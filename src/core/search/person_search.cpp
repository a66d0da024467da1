#include "core/search/person_search.h"

#include <algorithm>
#include <charconv>
#include <exception>
#include <system_error>
#include <thread>

#include "core/search/list_text.h"

namespace lineara {

namespace {

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

namespace {

// Appends the person's line to `out`, cleaned and trimmed in place, and
// returns its size: a whole tree's lines are made each time the search
// window opens, straight into the list's one buffer.
size_t appendSearchEntryText(const PersonRecord& person, std::vector<char>& out) {
    const std::string_view surname = person.text(field::surname);
    const std::string_view given = person.text(field::givenNames);
    const std::string_view birth = person.text(field::birthDate);
    const std::string_view death = person.text(field::deathDate);
    char id[16];
    const auto idEnd = std::to_chars(id, id + sizeof id, person.personId()).ptr;
    const size_t start = out.size();
    auto add = [&out](std::string_view part) { out.insert(out.end(), part.begin(), part.end()); };
    add(surname);
    out.push_back(' ');
    add(given);
    add(" (");
    add(birth);
    add(" - ");
    add(death);
    add(") [");
    out.insert(out.end(), id, idEnd);
    out.push_back(']');
    // As oneLine(): line breaks become blanks, other control bytes go;
    // blanks at either end are trimmed. Most lines need none of it, which
    // one pass that the compiler can vectorise tells.
    bool clean = out[start] != ' ' && out.back() != ' ';
    for (size_t i = start; i < out.size(); ++i) {
        const auto b = static_cast<unsigned char>(out[i]);
        clean &= b >= 0x20 && b != 0x7F;
    }
    if (clean) return out.size() - start;
    size_t kept = start;
    for (size_t i = start; i < out.size(); ++i) {
        const auto b = static_cast<unsigned char>(out[i]);
        const char c = (b == '\r' || b == '\n') ? ' ' : out[i];
        if (c != ' ' && (b < 0x20 || b == 0x7F)) continue;
        if (c == ' ' && kept == start) continue;
        out[kept++] = c;
    }
    while (kept > start && out[kept - 1] == ' ') --kept;
    out.resize(kept);
    return kept - start;
}

}  // namespace

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

// Eight weights of a text from `at`, the first in the highest byte: most
// lines already differ in their first 24, so the sort compares numbers for
// them. Lines hold no control bytes, so every weight is above zero and a
// shorter line pads below any weight that follows in a longer one.
uint64_t weightWord(std::string_view text, size_t at, const ByteWeights& weights) {
    uint64_t word = 0;
    for (size_t i = at; i < at + 8; ++i) {
        word = (word << 8) | (i < text.size() ? weights[static_cast<uint8_t>(text[i])] : 0);
    }
    return word;
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

// A line as the sort sees it: its first weights, and where its text lies.
constexpr size_t kWords = 3;
struct SortRow {
    std::array<uint64_t, kWords> prefix;
    size_t at;
    uint32_t size;
    int32_t personId;
};

// The list's order: by weights, then by the bytes of the text. Only rows
// whose first 24 weights agree look at the texts. Two lines with the same
// bytes end in the same id and are the same entry, so no further order is
// needed.
bool lineBefore(const SortRow& a, const char* textsOfA, const SortRow& b, const char* textsOfB,
                const ByteWeights& weights) {
    for (size_t w = 0; w < kWords; ++w) {
        if (a.prefix[w] != b.prefix[w]) return a.prefix[w] < b.prefix[w];
    }
    const std::string_view x(textsOfA + a.at, a.size);
    const std::string_view y(textsOfB + b.at, b.size);
    if (const int byWeight = compareWeights(x, y, 8 * kWords, weights)) return byWeight < 0;
    return x < y;
}

// The sorted lines of a run of records.
struct SortedLines {
    std::vector<char> texts;  // every line, one after another
    std::vector<SortRow> rows;
};

// The lines of `count` records from `first` on, following `step` (the
// list forwards or backwards), alias boxes left out, sorted.
SortedLines sortedLinesOf(const PersonRecord* first, RecordLink PersonRecord::*step, size_t count,
                          const ByteWeights& weights) {
    SortedLines lines;
    lines.rows.reserve(count);
    lines.texts.reserve(count * 48);
    // The records lie anywhere in memory: the parts a line is made of are
    // asked for a few records ahead of the one being read.
    const PersonRecord* ahead = first;
    for (int i = 0; i < kLookAhead && ahead != nullptr; ++i) ahead = ahead->*step;
    const PersonRecord* p = first;
    for (size_t i = 0; i < count && p != nullptr; ++i, p = p->*step) {
        if (ahead != nullptr) {
            prefetchLineFields(*ahead);
            ahead = ahead->*step;
        }
        if (p->isAliasBox()) continue;
        SortRow row;
        row.at = lines.texts.size();
        row.size = static_cast<uint32_t>(appendSearchEntryText(*p, lines.texts));
        row.personId = p->personId();
        const std::string_view text(lines.texts.data() + row.at, row.size);
        for (size_t w = 0; w < kWords; ++w) row.prefix[w] = weightWord(text, 8 * w, weights);
        lines.rows.push_back(row);
    }
    const char* texts = lines.texts.data();
    std::sort(lines.rows.begin(), lines.rows.end(), [&](const SortRow& a, const SortRow& b) {
        return lineBefore(a, texts, b, texts, weights);
    });
    return lines;
}

// A second thread only where the wait could be noticed: one thread makes
// the list of fewer records in a few milliseconds.
constexpr size_t kTwoThreadsFrom = 20000;

}  // namespace

// The search window builds the list of a whole tree each time it opens.
// Most of that time goes to reaching records that lie anywhere in memory,
// one link after another, and to sorting; so a second thread walks the
// list from its tail while this one walks from its head, each sorts its
// half, and the halves are merged. Lines lie in one buffer and the sort
// moves small rows, not strings.
void PersonSearchList::build(const PersonList& list) {
    const ByteWeights& weights = *weights_;
    const size_t count = list.count();
    const size_t frontCount =
        count >= kTwoThreadsFrom && std::thread::hardware_concurrency() > 1 ? count / 2 : count;
    SortedLines front;
    SortedLines back;
    auto makeBack = [&] {
        back = sortedLinesOf(list.personListTail(), &PersonRecord::previousPerson,
                             count - frontCount, weights);
    };
    std::exception_ptr backFailed;
    std::thread other;
    if (frontCount < count) {
        try {
            other = std::thread([&] {
                try {
                    makeBack();
                } catch (...) {
                    backFailed = std::current_exception();
                }
            });
        } catch (const std::system_error&) {
            // No thread to be had: this one makes both halves.
        }
    }
    try {
        front =
            sortedLinesOf(list.personListHead(), &PersonRecord::nextPerson, frontCount, weights);
    } catch (...) {
        if (other.joinable()) other.join();
        throw;
    }
    if (other.joinable()) {
        other.join();
    } else if (frontCount < count) {
        makeBack();
    }
    if (backFailed) std::rethrow_exception(backFailed);

    std::vector<char> texts = std::move(front.texts);
    const size_t backAt = texts.size();
    texts.insert(texts.end(), back.texts.begin(), back.texts.end());
    const char* frontTexts = texts.data();
    const char* backTexts = texts.data() + backAt;
    std::vector<Entry> entries;
    entries.reserve(front.rows.size() + back.rows.size());
    auto f = front.rows.begin();
    auto b = back.rows.begin();
    while (f != front.rows.end() || b != back.rows.end()) {
        const bool fromBack =
            f == front.rows.end() ||
            (b != back.rows.end() && lineBefore(*b, backTexts, *f, frontTexts, weights));
        const SortRow& row = fromBack ? *b++ : *f++;
        entries.push_back(
            Entry{std::string_view((fromBack ? backTexts : frontTexts) + row.at, row.size),
                  row.personId});
    }
    texts_ = std::move(texts);
    entries_ = std::move(entries);
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
