// The name each person's page and images go by. It is the person's id, but
// a tree can hold two records with one id (files joined by hand, or damaged
// ones): the second would overwrite the first one's page and images, and
// every link meant for it would lead to the other person. So each record
// gets its own: the first in list order keeps the id, each later one takes
// the next id no record uses.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "core/model/person_list.h"

namespace lineara {

class HtmlPageIds {
public:
    HtmlPageIds() = default;  // every record goes by its own id
    explicit HtmlPageIds(const PersonList& list);

    // The page of `person` itself; callers resolve alias boxes first.
    int64_t of(const PersonRecord* person) const;
    std::string text(const PersonRecord* person) const { return std::to_string(of(person)); }
    // How many records were given another id.
    size_t renamed() const { return moved_.size(); }

private:
    std::unordered_map<const PersonRecord*, int64_t> moved_;
};

}  // namespace lineara
