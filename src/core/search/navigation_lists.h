// The lists of the go-to window: a person's children, siblings and
// partners, as the lines the window shows. Each line ends with the
// person's id in square brackets, which is all a chosen line refers to,
// so a line outlives the record it names without harm.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/person_list.h"

namespace lineara {

// A filled go-to list: the window caption and the lines, in record bytes.
struct GoToList {
    std::string caption;
    std::vector<std::string> entries;
};

// The children of `current`, in list order. Alias boxes are never listed;
// the children of the person's alias box (or, for an alias box, of the
// person it stands for) follow, so both boxes show one family.
std::vector<const PersonRecord*> childrenOf(const PersonList& list, const PersonRecord& current);
// Everyone but the person (for an alias box: the person it stands for)
// who shares a set father or a set mother with it: half-siblings too.
std::vector<const PersonRecord*> siblingsOf(const PersonList& list, const PersonRecord& current);
// The set partner slots, 1 to 8.
std::vector<const PersonRecord*> relativesOf(const PersonRecord& current);

GoToList childrenList(const PersonList& list, const PersonRecord& current);
GoToList siblingsList(const PersonList& list, const PersonRecord& current);
GoToList relativesList(const PersonRecord& current);

// The id at the end of a list line: the characters between the last "["
// and the final character. 0 (which no record has) when there is none.
int32_t entryPersonId(std::string_view entry);

}  // namespace lineara
