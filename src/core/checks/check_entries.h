// What the two check windows (date conversion and quality check) share:
// the caption that names a person in their lists, and the order of those
// lists.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/person_record.h"

namespace lineara {

// The text without leading and trailing bytes of codes 0 to 32. Bytes of
// 128 and above are letters of the code page and stay.
std::string_view trimmedBytes(std::string_view text);

// Surname, a blank and the given names, trimmed: record bytes.
std::string personCaption(const PersonRecord& person);

// Sorts list entries by caption in byte order. The sort is stable, so the
// entries of one person keep the order in which the check found them.
// (A locale-aware order is the window's business: it has the decoded text.)
template <typename Entry>
void sortByCaption(std::vector<Entry>& entries) {
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.caption < b.caption; });
}

}  // namespace lineara
