// What this program's own GEDCOM 7 files keep beyond the standard: alias
// boxes ("0 @A9@ _LNALIAS" with the person it stands for in _LNOF) and
// each box's relationship slots (_LNREL with _LNSLOT, _LNKIND, _LNDATE,
// _LNPLAC). When a file holds them, they give the relationships exactly as
// the tree had them, slot by slot, in place of those the families imply.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/gedcom/gedcom_charset.h"
#include "core/gedcom/gedcom_line.h"
#include "core/model/tree_edit.h"

namespace lineara {

class ImportedLayout {
public:
    explicit ImportedLayout(GedcomTextDecoder& decoder) : decoder_(decoder) {}

    // A new alias box record, made by the caller.
    void aliasBox(const PersonRecord* box, std::string_view xref);
    // A line of level 1 or 2 of a box's record (an individual's or an
    // alias box's): the extension lines, anything else passed over.
    void boxLine(const PersonRecord* box, const GedcomLine& line, std::string_view raw);

    // Links the alias boxes and sets the slots, once every record is read.
    // `find` gives an individual's record by its cross-reference.
    template <typename Find>
    void resolve(TreeEdit& list, Find&& find) {
        auto box = [&](const std::string& xref) -> const PersonRecord* {
            auto it = boxes_.find(xref);
            return it != boxes_.end() ? it->second : find(xref);
        };
        apply(list, box);
    }

private:
    struct Slot {
        const PersonRecord* box = nullptr;
        std::string partner;
        int slot = 0;
        char kind = 0;
        std::string date, place;
    };
    template <typename Box>
    void apply(TreeEdit& list, Box&& box);

    GedcomTextDecoder& decoder_;
    std::unordered_map<std::string, const PersonRecord*> boxes_;
    std::vector<std::pair<const PersonRecord*, std::string>> aliases_;  // box, original
    struct Parent {
        const PersonRecord* child;
        std::string box;
        bool father;
    };
    std::vector<Parent> parents_;
    std::vector<Slot> slots_;
    Slot* open_ = nullptr;
};

template <typename Box>
void ImportedLayout::apply(TreeEdit& list, Box&& box) {
    for (const auto& [alias, xref] : aliases_) {
        const PersonRecord* original = box(xref);
        if (original == nullptr) continue;
        PersonRecord* r = list.edit(alias);
        r->father = original;
        r->setText(field::aliasMark, kAliasBox);
        if (!original->isAliasBox()) list.edit(original)->setText(field::aliasMark, kAliasOriginal);
    }
    // An alias box shows its person's data: the person at the end of its
    // chain, once every box is linked.
    for (const auto& [alias, xref] : aliases_) {
        const PersonRecord* person = alias->father;
        for (int step = 0; person != nullptr && person->isAliasBox() && step < 64; ++step) {
            person = person->father;
        }
        if (person == nullptr || person->isAliasBox()) continue;
        PersonRecord* r = list.edit(alias);
        for (TextField f : field::kPersonalData) r->setText(f, person->text(f));
    }
    for (const Parent& p : parents_) {
        const PersonRecord* parent = box(p.box);
        if (parent == nullptr) continue;
        (p.father ? list.edit(p.child)->father : list.edit(p.child)->mother) = parent;
    }
    if (slots_.empty()) return;
    // The file's slots replace what the families made of them.
    for (const PersonRecord* p = list.personListHead(); p != nullptr; p = p->nextPerson) {
        PersonRecord* r = list.edit(p);
        for (int i = 1; i <= kRelationSlots; ++i) {
            r->partner[i] = nullptr;
            r->setRelationType(i, 0);
            r->setText(field::relationDate(i), "");
            r->setText(field::relationPlace(i), "");
        }
    }
    for (const Slot& s : slots_) {
        const PersonRecord* partner = box(s.partner);
        if (partner == nullptr || s.slot < 1 || s.slot > kRelationSlots) continue;
        PersonRecord* r = list.edit(s.box);
        r->partner[s.slot] = partner;
        r->setRelationType(s.slot, s.kind);
        r->setText(field::relationDate(s.slot), s.date);
        r->setText(field::relationPlace(s.slot), s.place);
    }
}

}  // namespace lineara
