#include "core/model/editing.h"

#include "core/platform/translatable.h"

#include "core/history/step_names.h"
#include "core/model/relationships.h"

namespace lineara {

const char kConfirmCaption[] = LINEARA_TRANSLATABLE("Core", "Potwierdz");
const char kMsgRelationshipMismatch[] = LINEARA_TRANSLATABLE(
    "Core", "Relationship could not be deleted on both sides because date or place did not match");

namespace {

const char kAskDeleteSelection[] = LINEARA_TRANSLATABLE("Core", "Na pewno chcesz usunac ta osobe?");
const char kAskDeleteOriginal[] = LINEARA_TRANSLATABLE(
    "Core", "Do you really want to delete this and make the alias the original?");
const char kAskDeleteAliasBox[] =
    LINEARA_TRANSLATABLE("Core", "Do you really want to delete this alias?");
const char kAskDeletePerson[] =
    LINEARA_TRANSLATABLE("Core", "Do you really want to delete this item?");

EditResult repaintOnly() {
    EditResult r;
    r.repaint = true;
    return r;
}

EditResult changedTree() {
    EditResult r = repaintOnly();
    r.changed = true;
    return r;
}

// The slot behind line `line` of the relationship dialog: the (line+1)-th
// used slot, or 0.
int nthUsedSlot(const PersonRecord& person, int line) {
    for (int i = 1; i <= kRelationSlots; ++i) {
        if (person.partner[i] != nullptr && line-- == 0) return i;
    }
    return 0;
}

// A male person made at a link click on empty canvas: placed like a new
// person, but not carried, since the press that made it is already over.
const PersonRecord* newLinkTarget(TreeEdit& list, int32_t x, int32_t y, std::string& message) {
    const PersonRecord* prev = list.currentPerson();
    Outcome o = list.LagNyPerson(x, y);
    if (!o) {
        message = o.message;
        return nullptr;
    }
    const PersonRecord* target = list.currentPerson();
    list.edit(target)->setText(field::sex, "M");
    list.setCurrentPerson(prev);
    return target;
}

}  // namespace

EditResult newPerson(Document& doc, int32_t mouseX, int32_t mouseY, char sex) {
    Outcome o = doc.change(step_name::kNewPerson, [&](TreeEdit& list) {
        Outcome made = list.LagNyPerson(mouseX, mouseY);
        if (made) list.edit(list.currentPerson())->setText(field::sex, std::string(1, sex));
        return made;
    });
    if (!o) {
        // A refused new person still counts as an edit, as it always has.
        doc.markModified(ModifiedWithoutStep::NewPersonRefused);
        EditResult r;
        r.message = o.message;
        return r;
    }
    EditResult r = changedTree();
    r.carryNewBox = true;
    return r;
}

DeleteQuestion deleteQuestion(const Document& doc) {
    const PersonList& list = doc.persons();
    DeleteQuestion q;
    q.caption = kConfirmCaption;
    const PersonRecord* p = list.currentPerson();
    if (!list.selection().empty()) {
        q.text = kAskDeleteSelection;
    } else if (p == nullptr) {
        return q;
    } else if (p->isAliasOriginal()) {
        q.text = kAskDeleteOriginal;
    } else if (p->isAliasBox()) {
        q.text = kAskDeleteAliasBox;
    } else {
        q.text = kAskDeletePerson;
    }
    q.ask = true;
    return q;
}

EditResult deleteConfirmed(Document& doc) {
    const PersonList& persons = doc.persons();
    if (persons.selection().empty() && persons.currentPerson() == nullptr) return EditResult{};
    size_t count = persons.selection().empty() ? 1 : persons.selection().size();
    doc.change(step_name::deletePersons(count), [](TreeEdit& list) {
        if (list.selection().empty()) {
            list.removePerson();
        } else {
            // removePerson drops each record from the selection itself, so
            // walk a copy of it.
            const std::vector<const PersonRecord*> doomed = list.selection();
            for (const PersonRecord* p : doomed) {
                list.setCurrentPerson(p);
                list.removePerson();
            }
            list.clearSelection();
        }
    });
    doc.markModified(ModifiedWithoutStep::PersonsDeleted);
    EditResult r = changedTree();
    r.endDrag = true;
    return r;
}

bool canStartLink(const PersonRecord& person, LinkKind kind) {
    return kind == LinkKind::Partner || !person.isAliasBox();
}

LinkStart startLink(const Document& doc, LinkKind kind) {
    LinkStart start;
    const PersonRecord* p = doc.persons().currentPerson();
    if (p == nullptr || !canStartLink(*p, kind)) return start;
    start.ok = true;
    start.lineX = p->posX() + kBoxWidth / 2;
    start.lineY = p->posY() + kBoxHeight / 2;
    return start;
}

EditResult completeLink(Document& doc, LinkKind kind, const PersonRecord* prev,
                        const PersonRecord* clicked, int32_t x, int32_t y) {
    EditResult result = repaintOnly();
    // prev is null only when the person who began the link was deleted
    // meanwhile; the press then just ends the gesture.
    if (prev == nullptr) return result;

    doc.setCurrentPerson(prev);
    if (clicked == prev) return result;  // never a link to oneself
    const char* name = kind == LinkKind::Father   ? step_name::kLinkFather
                       : kind == LinkKind::Mother ? step_name::kLinkMother
                                                  : step_name::kRelationship;
    doc.change(name, [&](TreeEdit& list) {
        const PersonRecord* target = clicked;
        if (target == nullptr) {
            target = newLinkTarget(list, x, y, result.message);
            if (target == nullptr) return;
            result.changed = true;
            result.endDrag = true;
        }
        PersonRecord* from = list.edit(prev);
        switch (kind) {
        case LinkKind::Father:
            from->father = target;
            list.edit(target)->setText(field::sex, "M");
            result.changed = true;
            break;
        case LinkKind::Mother:
            from->mother = target;
            list.edit(target)->setText(field::sex, "F");
            result.changed = true;
            break;
        case LinkKind::Partner: {
            Outcome o = list.AddMarriage(from, target);
            if (o) {
                result.changed = true;
            } else if (target != clicked) {
                // The box was made only to be the partner; a refused
                // relationship must not leave it behind, nor use up its id.
                list.takeBackNewPerson(target);
                list.setCurrentPerson(prev);
                result.changed = false;
            }
            result.message = o.message;
            // The editor opens even after a refusal: the user came to fill
            // in a relationship and sees there why none was added.
            result.openEditorFor = prev;
            result.editorPage = EditorPage::Relationship;
            break;
        }
        }
    });
    doc.markModified(ModifiedWithoutStep::LinkCompleted);
    return result;
}

EditResult deleteLinkToFather(Document& doc) {
    const PersonRecord* p = doc.persons().currentPerson();
    // An alias box's father is its original, not a parent to cut.
    if (p == nullptr || p->father == nullptr || p->isAliasBox()) return EditResult{};
    doc.change(step_name::kUnlinkFather, [p](TreeEdit& list) { list.edit(p)->father = nullptr; });
    return changedTree();
}

EditResult deleteLinkToMother(Document& doc) {
    const PersonRecord* p = doc.persons().currentPerson();
    if (p == nullptr || p->mother == nullptr) return EditResult{};
    doc.change(step_name::kUnlinkMother, [p](TreeEdit& list) { list.edit(p)->mother = nullptr; });
    return changedTree();
}

std::vector<RelationshipLine> relationshipLines(const Document& doc) {
    std::vector<RelationshipLine> lines;
    const PersonRecord* p = doc.persons().currentPerson();
    if (p == nullptr) return lines;
    for (int i = 1; i <= kRelationSlots; ++i) {
        const PersonRecord* b = p->partner[i];
        if (b == nullptr) continue;
        std::string text(b->text(field::givenNames));
        text.append(" ").append(b->text(field::surname));
        text.append(" (").append(b->text(field::birthDate));
        text.append(" - ").append(b->text(field::deathDate)).append(")");
        lines.push_back(RelationshipLine{i, std::move(text)});
    }
    return lines;
}

RelationshipDeletion deleteRelationship(Document& doc, int line) {
    RelationshipDeletion out;
    const PersonRecord* a = doc.persons().currentPerson();
    if (a == nullptr || line < 0) return out;
    int slot = nthUsedSlot(*a, line);
    if (slot == 0) return out;

    BackSlot back = findBackSlot(*a, slot);
    if (back.slot == 0 && back.ambiguous) {
        // Guessing would cut a relationship the user did not choose; the
        // partner's side stays for the editor to sort out.
        out.message = kMsgRelationshipMismatch;
    }
    doc.change(step_name::kDeleteRelationship, [&](TreeEdit& list) {
        if (back.slot != 0) list.edit(a->partner[slot])->partner[back.slot] = nullptr;
        list.edit(a)->partner[slot] = nullptr;
    });
    out.closeDialog = true;
    return out;
}

EditResult makeHome(Document& doc) {
    bool moved = doc.change(step_name::kMakeHome,
                            [](TreeEdit& list) { return list.moveToFront(list.currentPerson()); });
    if (!moved) return EditResult{};
    EditResult r = repaintOnly();
    r.changed = true;
    return r;
}

}  // namespace lineara
