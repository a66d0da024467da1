#include "core/reports/html_family.h"

namespace lineara {

const PersonRecord* aliasResolved(const PersonRecord* record) {
    if (record != nullptr && record->isAliasBox() && record->father != nullptr) {
        return record->father;
    }
    return record;
}

FamilyIndex::FamilyIndex(const PersonList& list) {
    position_.reserve(list.count());
    children_.reserve(list.count() / 2);
    byFather_.reserve(list.count() / 2);
    byMother_.reserve(list.count() / 2);
    size_t n = 0;
    forEachPerson(list, [&](const PersonRecord* r) {
        position_.emplace(r, n++);
        const PersonRecord* father = r->father;
        const PersonRecord* mother = r->mother;
        if (r->isAliasBox()) {
            // An alias box's father is the person it stands for, not a
            // parent; the last such box in the list is the one that counts.
            if (father != nullptr) aliasBox_[father] = r;
            if (mother != nullptr) aliasBox_[mother] = r;
            return;
        }
        if (father != nullptr) children_[father].push_back(r);
        if (mother != nullptr && mother != father) children_[mother].push_back(r);
        if (father != nullptr) byFather_[father].push_back(r);
        if (mother != nullptr) byMother_[mother].push_back(r);
    });
}

const FamilyIndex::Records* FamilyIndex::find(
    const std::unordered_map<const PersonRecord*, Records>& map, const PersonRecord* key) const {
    if (key == nullptr) return nullptr;
    auto found = map.find(key);
    return found == map.end() ? nullptr : &found->second;
}

void FamilyIndex::addChildren(const PersonRecord* parent, FamilyLists& family) const {
    const Records* children = find(children_, parent);
    if (children == nullptr) return;
    for (const PersonRecord* child : *children) {
        family.children.push_back(child);
        const PersonRecord* other = child->father == parent ? child->mother : child->father;
        if (other != nullptr) family.coParents.push_back(aliasResolved(other));
    }
}

FamilyLists FamilyIndex::familyOf(const PersonRecord* person, bool withSiblings) const {
    FamilyLists family;
    addChildren(person, family);
    auto alias = aliasBox_.find(person);
    if (alias != aliasBox_.end()) {
        family.aliasBox = alias->second;
        addChildren(family.aliasBox, family);
    }
    if (!withSiblings) return family;

    // Those with the same father and those with the same mother, merged in
    // list order; a full sibling is in both and is listed once.
    static const Records kNone;
    const Records* a = find(byFather_, person->father);
    const Records* b = find(byMother_, person->mother);
    const Records& first = a != nullptr ? *a : kNone;
    const Records& second = b != nullptr ? *b : kNone;
    size_t i = 0;
    size_t j = 0;
    while (i < first.size() || j < second.size()) {
        const PersonRecord* next;
        if (j == second.size()) {
            next = first[i++];
        } else if (i == first.size()) {
            next = second[j++];
        } else {
            size_t pi = position_.at(first[i]);
            size_t pj = position_.at(second[j]);
            next = pi <= pj ? first[i] : second[j];
            if (pi <= pj) ++i;
            if (pj <= pi) ++j;
        }
        if (next != person) family.siblings.push_back(next);
    }
    return family;
}

}  // namespace lineara
