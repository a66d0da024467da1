#include "core/model/editing_states.h"

#include "core/platform/translatable.h"

namespace lineara {

namespace {

bool hasParent(const PersonRecord& p) { return p.father != nullptr || p.mother != nullptr; }

bool hasRelationship(const PersonRecord& p) {
    for (int i = 1; i <= kRelationSlots; ++i) {
        if (p.partner[i] != nullptr) return true;
    }
    return false;
}

NamedCaption parentCaption(const PersonRecord* parent, const char* withName,
                           const char* withoutName) {
    NamedCaption c;
    if (parent == nullptr) {
        c.fixed = withoutName;
        return c;
    }
    c.fixed = withName;
    c.names.assign(parent->text(field::givenNames));
    c.names.append(" ").append(parent->text(field::surname));
    return c;
}

}  // namespace

AliasMenuState aliasMenuState(const PersonList& list) {
    AliasMenuState s;
    const PersonRecord* p = list.currentPerson();
    if (p == nullptr) return s;
    bool unmarked = p->isEmpty(field::aliasMark);
    s.makeAlias = unmarked;
    s.makeThisAnAlias = unmarked && !hasParent(*p);
    s.goToAlias = !unmarked;
    s.goToAliasCaption = p->isAliasOriginal() ? LINEARA_TRANSLATABLE("Menu", "&Do aliasy")
                                              : LINEARA_TRANSLATABLE("Menu", "&Do oryginalu");
    return s;
}

LinkMenuState linkMenuState(const PersonList& list) {
    LinkMenuState s;
    const PersonRecord* p = list.currentPerson();
    if (p == nullptr) return s;
    bool linkable = !p->isAliasBox();
    s.linkToFather = s.linkToMother = s.linkToRelative = linkable;
    s.deleteLinkToFather = linkable && p->father != nullptr;
    s.deleteLinkToMother = linkable && p->mother != nullptr;
    s.deleteLinkToRelative = hasRelationship(*p);
    return s;
}

EditCommandStates editCommandStates(const PersonList& list) {
    EditCommandStates s;
    const PersonRecord* p = list.currentPerson();
    bool selection = !list.selection().empty();
    s.align = selection;
    s.deletePerson = p != nullptr || selection;
    if (p == nullptr) return s;
    s.properties = s.makeHome = s.linkButtons = true;
    s.organizeAncestors = hasParent(*p);
    s.createAncestorTree = !hasParent(*p) && !p->isAliasBox();
    return s;
}

ContextMenuState contextMenuState(const PersonList& list) {
    ContextMenuState s;
    const PersonRecord* p = list.currentPerson();
    bool selection = !list.selection().empty();
    // Most items act on one person, and only while no selection competes
    // with it.
    bool single = p != nullptr && !selection;

    s.newPersonVisible = p == nullptr && !selection;
    s.deletePerson = p != nullptr || selection;
    s.align = selection;
    s.goToFatherCaption =
        parentCaption(p ? p->father : nullptr, LINEARA_TRANSLATABLE("Menu", "&Ojciec: "),
                      LINEARA_TRANSLATABLE("Menu", "&Ojciec"));
    s.goToMotherCaption =
        parentCaption(p ? p->mother : nullptr, LINEARA_TRANSLATABLE("Menu", "&Matka: "),
                      LINEARA_TRANSLATABLE("Menu", "&Matka"));
    if (p != nullptr && p->isAliasBox())
        s.goToAliasCaption = LINEARA_TRANSLATABLE("Menu", "Ory&ginal");
    if (p != nullptr && p->isAliasOriginal())
        s.goToAliasCaption = LINEARA_TRANSLATABLE("Menu", "&Alias");
    s.goToAlias = !s.goToAliasCaption.empty();
    if (!single) return s;

    bool aliasBox = p->isAliasBox();
    bool marked = aliasBox || p->isAliasOriginal();
    s.properties = s.siblingsList = s.childrenList = s.zoomToPerson = true;
    s.linkToFather = s.linkToMother = !aliasBox;
    s.linkToRelative = true;
    s.deleteLinkMenu = s.deleteLinkItemsVisible = true;
    s.deleteLinkToFather = p->father != nullptr && !aliasBox;
    s.deleteLinkToMother = p->mother != nullptr;
    s.deleteLinkToRelative = hasRelationship(*p);
    s.goToFather = s.deleteLinkToFather;
    s.goToMother = s.deleteLinkToMother;
    s.relativesList = s.deleteLinkToRelative;
    s.makeAlias = p->isEmpty(field::aliasMark);
    s.makeThisAnAlias = !marked && !hasParent(*p);
    return s;
}

}  // namespace lineara
