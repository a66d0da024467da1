#include "core/gedcom/gedcom_import_families.h"

#include <algorithm>

#include "core/gedcom/gedcom_import_persons.h"

namespace lineara {

namespace {

// The date of a relationship.
constexpr size_t kEventDateBytes = 35;

}  // namespace

void ImportedFamilies::start() {
    lines_.push_back({Step::Start, {}});
    inEvent_ = false;
}

void ImportedFamilies::fact(const GedcomLine& line, std::string_view raw) {
    // Tags are compared by their first letters, as older files have them.
    inEvent_ = false;
    if (line.tagStartsWith("HUSB")) {
        lines_.push_back({Step::Husband, std::string(raw)});
    } else if (line.tagStartsWith("WIFE")) {
        lines_.push_back({Step::Wife, std::string(raw)});
    } else if (line.tagStartsWith("CHIL")) {
        lines_.push_back({Step::Child, std::string(raw)});
    } else if (line.tagStartsWith("DIV") || line.tagStartsWith("MARR")) {
        // "N": the event did not take place.
        const bool happened = !(raw.size() == 1 && (raw[0] == 'N' || raw[0] == 'n'));
        const Step step = line.tagStartsWith("DIV") ? Step::Divorce : Step::Marriage;
        lines_.push_back({happened ? step : Step::Nothing, {}});
        inEvent_ = true;
    }
}

void ImportedFamilies::detail(const GedcomLine& line, std::string_view raw) {
    if (!inEvent_) return;
    if (line.tagIs("DATE")) {
        lines_.push_back({Step::Date, importedText(decoder_, raw).substr(0, kEventDateBytes)});
    } else if (line.tagIs("PLAC")) {
        lines_.push_back({Step::Place, importedText(decoder_, raw)});
    }
}

void ImportedFamilies::link(const FindPerson& find) {
    for (const Line& line : lines_) linkLine(line, find);
    endFamily();
    lines_.clear();
    lines_.shrink_to_fit();
}

void ImportedFamilies::linkLine(const Line& line, const FindPerson& find) {
    switch (line.step) {
    case Step::Start:
        endFamily();
        inFamily_ = true;
        break;
    case Step::Husband:
        husband_ = find(line.text);
        if (husband_ == nullptr) break;
        if (wife_ != nullptr) marriage_ = addRelationship(false);
        for (const PersonRecord* child : awaitingFather_) setFather(child, husband_);
        awaitingFather_.clear();
        if (child_ != nullptr) setFather(child_, husband_);
        break;
    case Step::Wife:
        wife_ = find(line.text);
        if (wife_ == nullptr) break;
        if (husband_ != nullptr) marriage_ = addRelationship(false);
        for (const PersonRecord* child : awaitingMother_) setMother(child, wife_);
        awaitingMother_.clear();
        if (child_ != nullptr) setMother(child_, wife_);
        break;
    case Step::Child:
        child_ = find(line.text);
        if (child_ == nullptr) break;
        if (husband_ != nullptr) {
            setFather(child_, husband_);
        } else {
            awaitingFather_.push_back(child_);
        }
        if (wife_ != nullptr) {
            setMother(child_, wife_);
        } else {
            awaitingMother_.push_back(child_);
        }
        break;
    case Step::Marriage:
    case Step::Divorce:
        events_.push_back({line.step == Step::Divorce, {}, {}});
        eventOpen_ = true;
        break;
    case Step::Nothing:
        eventOpen_ = false;
        break;
    case Step::Date:
        // A second DATE of one event changes nothing.
        if (eventOpen_ && events_.back().date.empty()) events_.back().date = line.text;
        break;
    case Step::Place:
        if (eventOpen_ && events_.back().place.empty()) events_.back().place = line.text;
        break;
    }
}

// The family's record has ended: its events go to its relationships.
void ImportedFamilies::endFamily() {
    if (inFamily_) {
        giveEvent(marriage_, false);
        const bool divorced =
            std::any_of(events_.begin(), events_.end(), [](const Event& e) { return e.divorce; });
        if (divorced && husband_ != nullptr && wife_ != nullptr) {
            giveEvent(addRelationship(true), true);
        }
    }
    inFamily_ = false;
    husband_ = wife_ = child_ = nullptr;
    awaitingFather_.clear();
    awaitingMother_.clear();
    marriage_ = Made{};
    events_.clear();
    eventOpen_ = false;
}

// The date and place of the first event of the kind that has either go to
// the relationship, while its two sides are still the family's husband and
// wife (a later HUSB or WIFE line may have named others).
void ImportedFamilies::giveEvent(const Made& made, bool divorce) {
    if (made.husbandSlot == 0 || made.husband != husband_ || made.wife != wife_) return;
    auto it = std::find_if(events_.begin(), events_.end(), [divorce](const Event& e) {
        return e.divorce == divorce && (!e.date.empty() || !e.place.empty());
    });
    if (it == events_.end()) return;
    auto setOn = [&](const PersonRecord* person, int slot) {
        PersonRecord* r = list_.edit(person);
        r->setText(field::relationDate(slot), it->date);
        r->setText(field::relationPlace(slot), it->place);
    };
    setOn(made.husband, made.husbandSlot);
    setOn(made.wife, made.wifeSlot);
}

// Nobody becomes his own father, mother or partner, whatever a file says.
void ImportedFamilies::setFather(const PersonRecord* child, const PersonRecord* father) {
    if (child != father) list_.edit(child)->father = father;
}

void ImportedFamilies::setMother(const PersonRecord* child, const PersonRecord* mother) {
    if (child != mother) list_.edit(child)->mother = mother;
}

ImportedFamilies::Made ImportedFamilies::addRelationship(bool divorce) {
    if (husband_ == wife_) return {};
    Outcome made = list_.AddMarriage(husband_, wife_);
    if (!made) {
        // One message for the whole file; the status line says how many.
        ++leftOut_;
        if (std::find(messages_.begin(), messages_.end(), made.message) == messages_.end()) {
            messages_.push_back(made.message);
        }
        return {};
    }
    Made slots{husband_, list_.addedSlotIndex()[0], wife_, list_.addedSlotIndex()[1]};
    if (divorce) {
        list_.edit(husband_)->setRelationType(slots.husbandSlot, 'D');
        list_.edit(wife_)->setRelationType(slots.wifeSlot, 'D');
    }
    return slots;
}

}  // namespace lineara
