#include "core/reports/html_page_ids.h"

#include <algorithm>
#include <unordered_set>

namespace lineara {

HtmlPageIds::HtmlPageIds(const PersonList& list) {
    // Alias boxes have no page of their own; their ids name nothing.
    std::unordered_set<int64_t> used;
    int64_t highest = 0;
    forEachPerson(list, [&](const PersonRecord* r) {
        if (r->isAliasBox()) return;
        used.insert(r->personId());
        highest = std::max<int64_t>(highest, r->personId());
    });
    std::unordered_set<int64_t> taken;
    int64_t next = highest + 1;
    forEachPerson(list, [&](const PersonRecord* r) {
        if (r->isAliasBox()) return;
        if (taken.insert(r->personId()).second) return;
        while (used.count(next) != 0) ++next;
        moved_[r] = next;
        used.insert(next++);
    });
}

int64_t HtmlPageIds::of(const PersonRecord* person) const {
    auto found = moved_.find(person);
    return found != moved_.end() ? found->second : person->personId();
}

}  // namespace lineara
