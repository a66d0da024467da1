// The family of a person as the links box of the person's page lists it.
// The index is built once over the whole list, so that one page costs the
// size of its own family rather than a walk over every record.
#pragma once

#include <cstddef>
#include <unordered_map>
#include <vector>

#include "core/model/person_list.h"

namespace lineara {

// The person an alias box stands for; any other record itself.
const PersonRecord* aliasResolved(const PersonRecord* record);

struct FamilyLists {
    // Records that name the person (or the person's alias box, after the
    // person's own) as father or mother, in list order; never alias boxes.
    std::vector<const PersonRecord*> children;
    // The other parent of each child, resolved, in the children's order;
    // not sorted, not unique, children without another parent left out.
    std::vector<const PersonRecord*> coParents;
    // Other records with the same father or the same mother, in list order.
    std::vector<const PersonRecord*> siblings;
    // The person's alias box (the last in list order), whose children and
    // relationships count as the person's; null when there is none.
    const PersonRecord* aliasBox = nullptr;
};

class FamilyIndex {
public:
    explicit FamilyIndex(const PersonList& list);

    FamilyLists familyOf(const PersonRecord* person, bool withSiblings) const;

private:
    using Records = std::vector<const PersonRecord*>;
    void addChildren(const PersonRecord* parent, FamilyLists& family) const;
    const Records* find(const std::unordered_map<const PersonRecord*, Records>& map,
                        const PersonRecord* key) const;

    std::unordered_map<const PersonRecord*, size_t> position_;
    std::unordered_map<const PersonRecord*, Records> children_;
    std::unordered_map<const PersonRecord*, const PersonRecord*> aliasBox_;
    std::unordered_map<const PersonRecord*, Records> byFather_;
    std::unordered_map<const PersonRecord*, Records> byMother_;
};

}  // namespace lineara
