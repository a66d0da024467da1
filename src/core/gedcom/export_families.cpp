#include "core/gedcom/export_families.h"

#include <string_view>

namespace lineara {

namespace {

// The last slot of `person` whose partner is `partner`, 0 when none is.
int lastSlotWith(const PersonRecord* person, const PersonRecord* partner) {
    int found = 0;
    for (int i = 1; i <= kRelationSlots; ++i) {
        if (person->partner[i] == partner) found = i;
    }
    return found;
}

std::string cut(std::string_view text, size_t bytes) { return std::string(text.substr(0, bytes)); }

// An alias box stands for its original, kept in its father field.
const PersonRecord* standsFor(const PersonRecord* person) {
    return person != nullptr && person->isAliasBox() ? person->father : person;
}

}  // namespace

ExportFamilies::ExportFamilies(const PersonList& list, const ExportFamilyLimits& limits)
    : list_(list), limits_(limits) {
    // Later boxes overwrite earlier ones: the last in list order is kept.
    forEachPerson(list, [this](const PersonRecord* r) {
        if (r->isAliasBox() && r->father != nullptr) aliasBoxes_[r->father] = r;
    });
}

const PersonRecord* ExportFamilies::AliasBoxOf(const PersonRecord* person) const {
    auto it = aliasBoxes_.find(person);
    return it != aliasBoxes_.end() ? it->second : person;
}

void ExportFamilies::buildAll() {
    forEachPerson(list_, [this](const PersonRecord* p) {
        if (!p->isAliasBox()) AddChildToFamily(FindOrCreateFamily(p->mother, p->father), p);
        std::string_view sex = p->text(field::sex);
        for (int i = 1; i <= kRelationSlots; ++i) {
            const PersonRecord* partner = p->partner[i];
            if (partner == nullptr) continue;
            // Persons of neither sex make no family from their own slots.
            if (sex == "F") {
                FindOrCreateFamily(p, partner);
            } else if (sex == "M") {
                FindOrCreateFamily(partner, p);
            }
        }
    });
}

ExportFamily* ExportFamilies::FindOrCreateFamily(const PersonRecord* wife,
                                                 const PersonRecord* husband) {
    if (wife == nullptr && husband == nullptr) return nullptr;
    wife = standsFor(wife);
    husband = standsFor(husband);
    auto [it, isNew] = byCouple_.emplace(std::make_pair(husband, wife), families_.size());
    if (!isNew) return &families_[it->second];
    ExportFamily& family = families_.emplace_back();
    family.number = static_cast<int32_t>(families_.size());
    family.husband = husband;
    family.wife = wife;
    if (husband != nullptr && wife != nullptr) takeMarriage(family);
    return &family;
}

// The date and place of the relationship between the couple. The
// relationship may be recorded on the alias box of either of them; where the
// two halves disagree, the longer text wins, and at equal length the
// husband's half.
void ExportFamilies::takeMarriage(ExportFamily& family) const {
    const PersonRecord* husbandSide = family.husband;
    const PersonRecord* wifeSide = family.wife;
    int slot = lastSlotWith(husbandSide, wifeSide);
    if (slot == 0) {
        if (family.husband->isAliasOriginal()) husbandSide = AliasBoxOf(family.husband);
        slot = lastSlotWith(husbandSide, wifeSide);
    }
    if (slot == 0) {
        const PersonRecord* wifeBox =
            family.wife->isAliasOriginal() ? AliasBoxOf(family.wife) : family.wife;
        slot = lastSlotWith(husbandSide, wifeBox);
        if (slot != 0) wifeSide = wifeBox;
    }
    if (slot == 0) return;
    family.relation = true;
    family.relationCode = husbandSide->relationType(slot);
    family.marriageDate =
        cut(husbandSide->text(field::relationDate(slot)), limits_.marriageDateBytes);
    family.marriagePlace =
        cut(husbandSide->text(field::relationPlace(slot)), limits_.marriagePlaceBytes);
    for (int i = 1; i <= kRelationSlots; ++i) {
        if (wifeSide->partner[i] != husbandSide) continue;
        std::string_view date = wifeSide->text(field::relationDate(i));
        std::string_view place = wifeSide->text(field::relationPlace(i));
        if (date.size() > family.marriageDate.size()) {
            family.marriageDate = cut(date, limits_.marriageDateBytes);
        }
        if (place.size() > family.marriagePlace.size()) {
            family.marriagePlace = cut(place, limits_.marriagePlaceBytes);
        }
    }
}

bool ExportFamilies::AddChildToFamily(ExportFamily* family, const PersonRecord* person) {
    if (family == nullptr || family->children.size() >= limits_.children) return false;
    family->children.push_back(person);
    childFamily_[person] = family->number;
    return true;
}

int32_t ExportFamilies::childFamilyOf(const PersonRecord* person) const {
    auto it = childFamily_.find(person);
    return it != childFamily_.end() ? it->second : 0;
}

}  // namespace lineara
