// The search window's list: every person (alias boxes are second boxes of
// someone listed already) as "surname given (birth - death) [id]", in
// alphabetical order, and the completion of a typed beginning.
//
// The list is sorted once when it is built. Completion looks for the first
// line whose beginning equals the typed text in capitals; the order puts
// every line with the same capitalised beginning in one run, so a binary
// search finds it, however long the tree.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/person_list.h"

namespace lineara {

// How bytes of record text compare: each byte's weight. Small and capital
// forms of a letter weigh the same and no other two bytes do, so equal
// weights mean equal in capitals. The weights follow the alphabet (the
// Polish one: A, Ą, B, C, Ć, ...), not byte values.
using ByteWeights = std::array<uint8_t, 256>;
// The weights for Windows-1250 text, whose letters the other single-byte
// code pages share below 0x80.
const ByteWeights& cp1250Weights();
// The same with every accented letter weighing as its plain one (Ż, Ź and
// Z alike; Ł and L alike): for finding a name typed without its accents.
const ByteWeights& cp1250PlainLetterWeights();

class PersonSearchList {
public:
    // A line's text lies in the list's own buffer: valid while the list
    // lives and is not built again (moving the list keeps it).
    struct Entry {
        std::string_view text;
        int32_t personId = 0;
    };

    explicit PersonSearchList(const ByteWeights& weights = cp1250Weights(),
                              const ByteWeights& plainLetters = cp1250PlainLetterWeights())
        : weights_(&weights), plain_(&plainLetters) {}
    PersonSearchList(const PersonSearchList&) = delete;
    PersonSearchList& operator=(const PersonSearchList&) = delete;
    PersonSearchList(PersonSearchList&&) = default;
    PersonSearchList& operator=(PersonSearchList&&) = default;

    // Every record that is not an alias box, sorted: by weights, then by
    // bytes (equal bytes end in the same id: the same entry). Left as it
    // was when it fails.
    void build(const PersonList& list);
    const std::vector<Entry>& entries() const { return entries_; }
    size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }

    // The index of the first entry whose beginning equals `typed` compared
    // in capitals; -1 for an empty text, an empty list or no such entry.
    int complete(std::string_view typed) const;
    // The same with accents left out on both sides: the first entry whose
    // beginning reads as `typed` when every letter is taken as its plain
    // one. A walk over the list, for when complete() found nothing.
    int completePlain(std::string_view typed) const;
    // The indexes of the entries holding `typed` anywhere (a given name,
    // the second part of a double surname), accents left out, in list
    // order; empty for an empty text.
    std::vector<int> containing(std::string_view typed) const;

private:
    std::string plainKeyOf(std::string_view text) const;

    const ByteWeights* weights_;
    const ByteWeights* plain_;
    std::vector<Entry> entries_;
    std::vector<char> texts_;  // every line, one after another
};

}  // namespace lineara
