#include "core/model/editing_aliases.h"

#include "core/history/step_names.h"

namespace lineara {

namespace {

// The personal data an alias box shows; its links are its own.
void copyPersonalData(const PersonRecord& from, PersonRecord& to) {
    for (TextField f : field::kPersonalData) to.setText(f, from.text(f));
}

// A new record holding a copy of `source`'s data, placed with its top-left
// corner at the mouse (not snapped: the first move of the carrying drag
// snaps it), or null with the failure in `result`.
PersonRecord* newCopyAtMouse(TreeEdit& list, int32_t mouseX, int32_t mouseY,
                             const PersonRecord& source, EditResult& result) {
    Outcome o = list.LagNyPerson(mouseX, mouseY);
    if (!o) {
        result.message = o.message;
        return nullptr;
    }
    PersonRecord* n = list.edit(list.currentPerson());
    copyPersonalData(source, *n);
    n->setSelected(false);
    n->father = nullptr;
    n->mother = nullptr;
    n->setPos(mouseX, mouseY);
    return n;
}

EditResult carried() {
    EditResult r;
    r.changed = true;
    r.repaint = true;
    r.carryNewBox = true;
    r.armDrag = true;
    return r;
}

}  // namespace

EditResult makeAlias(Document& doc, int32_t mouseX, int32_t mouseY) {
    const PersonRecord* original = doc.persons().currentPerson();
    if (original == nullptr || !original->isEmpty(field::aliasMark)) return EditResult{};
    EditResult failed;
    bool made = doc.change(step_name::kMakeAlias, [&](TreeEdit& list) {
        PersonRecord* box = newCopyAtMouse(list, mouseX, mouseY, *original, failed);
        // The mark is set only with the box in place, so a failure cannot
        // leave an original without an alias box.
        if (box == nullptr) return false;
        list.edit(original)->setText(field::aliasMark, kAliasOriginal);
        box->setText(field::aliasMark, kAliasBox);
        box->father = original;
        return true;
    });
    doc.markModified(ModifiedWithoutStep::AliasMade);
    if (!made) return failed;
    return carried();
}

EditResult makeThisAnAlias(Document& doc, int32_t mouseX, int32_t mouseY) {
    const PersonRecord* box = doc.persons().currentPerson();
    if (box == nullptr || box->isAliasBox() || box->isAliasOriginal() || box->father != nullptr ||
        box->mother != nullptr) {
        return EditResult{};
    }
    EditResult failed;
    bool made = doc.change(step_name::kMakeThisAnAlias, [&](TreeEdit& list) {
        PersonRecord* original = newCopyAtMouse(list, mouseX, mouseY, *box, failed);
        if (original == nullptr) return false;
        PersonRecord* b = list.edit(box);
        b->setText(field::aliasMark, kAliasBox);
        original->setText(field::aliasMark, kAliasOriginal);
        b->father = original;
        return true;
    });
    doc.markModified(ModifiedWithoutStep::AliasMade);
    if (!made) return failed;
    return carried();
}

const PersonRecord* aliasPartnerOf(const PersonList& list, const PersonRecord& person) {
    if (person.isAliasBox()) return person.father;
    if (!person.isAliasOriginal()) return nullptr;
    for (const PersonRecord* r = list.personListHead(); r != nullptr; r = r->nextPerson) {
        if (r->isAliasBox() && r->father == &person) return r;
    }
    return nullptr;
}

const PersonRecord* goToAliasOrOriginal(Document& doc) {
    const PersonList& list = doc.persons();
    const PersonRecord* x = list.currentPerson();
    if (x == nullptr) return nullptr;
    if (const PersonRecord* target = aliasPartnerOf(list, *x)) doc.setCurrentPerson(target);
    return list.currentPerson();
}

}  // namespace lineara
