// The families a GEDCOM export derives from the tree. GEDCOM knows no
// relationship slots, only families: a family is an ordered pair (husband,
// wife), met as the parents of a person or as the two sides of a
// relationship, numbered 1, 2, 3 ... in the order it is first met. Alias
// boxes never stand in a family; the persons they stand for do.
//
// Everything here reads the tree and writes nothing to it: which family a
// person is a child of is kept here, not in the record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/model/person_list.h"

namespace lineara {

constexpr size_t kMaxFamilyChildren = 30;
constexpr size_t kMarriageDateBytes = 20;
constexpr size_t kMarriagePlaceBytes = 70;

// What a family holds at most. This program's own form keeps to the sizes
// its readers were made for; the standard form holds the tree's texts whole
// and any number of children.
struct ExportFamilyLimits {
    size_t children = kMaxFamilyChildren;
    size_t marriageDateBytes = kMarriageDateBytes;
    size_t marriagePlaceBytes = kMarriagePlaceBytes;

    static ExportFamilyLimits none() { return {SIZE_MAX, SIZE_MAX, SIZE_MAX}; }
};

struct ExportFamily {
    int32_t number = 0;  // "@F" + number + "@"
    const PersonRecord* husband = nullptr;
    const PersonRecord* wife = nullptr;
    std::string marriageDate;                   // at most the limit's bytes
    std::string marriagePlace;                  // at most the limit's bytes
    std::vector<const PersonRecord*> children;  // at most the limit's, in order
    // Whether the couple has a relationship slot (not only children
    // together), and its type code.
    bool relation = false;
    char relationCode = 0;
};

class ExportFamilies {
public:
    // Indexes the list once: alias boxes by the persons they stand for.
    explicit ExportFamilies(const PersonList& list, const ExportFamilyLimits& limits = {});
    ExportFamilies(const ExportFamilies&) = delete;
    ExportFamilies& operator=(const ExportFamilies&) = delete;

    // Every family of the tree: as a child of its parents (alias boxes
    // excepted), then as a partner in each relationship slot (alias boxes
    // included), person by person in list order.
    void buildAll();

    // The last record in list order whose father is `person` and that is
    // an alias box; `person` itself when there is none.
    const PersonRecord* AliasBoxOf(const PersonRecord* person) const;
    // The family of the ordered pair, made when it does not exist yet;
    // null when both are null. A new family takes the date and place of
    // the couple's relationship.
    ExportFamily* FindOrCreateFamily(const PersonRecord* wife, const PersonRecord* husband);
    // Puts `person` into the first free child slot of `family` and makes it
    // the family the person is a child of. False for a null family and for
    // a family that already has its most children.
    bool AddChildToFamily(ExportFamily* family, const PersonRecord* person);

    const std::deque<ExportFamily>& families() const { return families_; }
    // The number of the family `person` is a child of, 0 for none.
    int32_t childFamilyOf(const PersonRecord* person) const;

private:
    struct PairHash {
        size_t operator()(const std::pair<const PersonRecord*, const PersonRecord*>& p) const {
            return std::hash<const void*>()(p.first) * 31 + std::hash<const void*>()(p.second);
        }
    };
    void takeMarriage(ExportFamily& family) const;

    const PersonList& list_;
    ExportFamilyLimits limits_;
    std::deque<ExportFamily> families_;  // in creation order; pointers to them stay valid
    std::unordered_map<std::pair<const PersonRecord*, const PersonRecord*>, size_t, PairHash>
        byCouple_;  // (husband, wife) to the index in families_
    std::unordered_map<const PersonRecord*, const PersonRecord*> aliasBoxes_;
    std::unordered_map<const PersonRecord*, int32_t> childFamily_;
};

}  // namespace lineara
