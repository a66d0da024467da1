#include "core/model/editing_states.h"

#include <gtest/gtest.h>

#include <string>

#include "support/add_person.h"

namespace lineara {
namespace {

// A current person in one of the shapes the menus tell apart.
struct Shape {
    const char* name;
    const char* mark = "";
    bool father = false;
    bool mother = false;
    bool partner = false;
};

class CommandStates : public ::testing::Test {
protected:
    PersonRecord* add(const char* given = "", const char* surname = "") {
        return test::addPerson(list, given, surname);
    }
    // Makes a fresh current person of the given shape.
    PersonRecord* make(const Shape& s) {
        PersonRecord* dad = add("Jan", "Kowalski");
        PersonRecord* mum = add("Ewa", "");
        PersonRecord* wife = add();
        PersonRecord* p = add(s.name);
        p->setText(field::aliasMark, s.mark);
        if (s.father) p->father = dad;
        if (s.mother) p->mother = mum;
        if (s.partner) {
            EXPECT_TRUE(list.AddMarriage(p, wife).ok);
        }
        list.setCurrentPerson(p);
        return p;
    }
    PersonList list;
};

TEST_F(CommandStates, AliasMenu) {
    struct Row {
        Shape shape;
        bool makeAlias, makeThis, goTo;
        const char* caption;
    } rows[] = {
        {{"plain"}, true, true, false, "&Do oryginalu"},
        {{"with father", "", true}, true, false, false, "&Do oryginalu"},
        {{"with mother", "", false, true}, true, false, false, "&Do oryginalu"},
        {{"original", "ALIAS"}, false, false, true, "&Do aliasy"},
        {{"alias box", "REF", true}, false, false, true, "&Do oryginalu"},
    };
    for (const Row& r : rows) {
        make(r.shape);
        AliasMenuState s = aliasMenuState(list);
        SCOPED_TRACE(r.shape.name);
        EXPECT_EQ(s.makeAlias, r.makeAlias);
        EXPECT_EQ(s.makeThisAnAlias, r.makeThis);
        EXPECT_EQ(s.goToAlias, r.goTo);
        EXPECT_EQ(s.goToAliasCaption, r.caption);
    }
    // Without a current person everything is off and the caption stays.
    list.setCurrentPerson(nullptr);
    AliasMenuState none = aliasMenuState(list);
    EXPECT_FALSE(none.makeAlias || none.makeThisAnAlias || none.goToAlias);
    EXPECT_TRUE(none.goToAliasCaption.empty());
}

TEST_F(CommandStates, LinkMenu) {
    struct Row {
        Shape shape;
        bool link, delFather, delMother, delRelative;
    } rows[] = {
        {{"bare"}, true, false, false, false},
        {{"linked", "", true, true, true}, true, true, true, true},
        // An alias box links nothing of its own, but its partners are its own.
        {{"alias box", "REF", true, true, true}, false, false, false, true},
    };
    for (const Row& r : rows) {
        make(r.shape);
        LinkMenuState s = linkMenuState(list);
        SCOPED_TRACE(r.shape.name);
        EXPECT_EQ(s.linkToFather, r.link);
        EXPECT_EQ(s.linkToMother, r.link);
        EXPECT_EQ(s.linkToRelative, r.link);
        EXPECT_EQ(s.deleteLinkToFather, r.delFather);
        EXPECT_EQ(s.deleteLinkToMother, r.delMother);
        EXPECT_EQ(s.deleteLinkToRelative, r.delRelative);
    }
    list.setCurrentPerson(nullptr);
    LinkMenuState none = linkMenuState(list);
    EXPECT_FALSE(none.linkToFather || none.linkToRelative || none.deleteLinkToRelative);
}

TEST_F(CommandStates, EditMenuAndToolbar) {
    struct Row {
        Shape shape;
        bool organize, create;
    } rows[] = {
        {{"no parents"}, false, true},
        {{"mother only", "", false, true}, true, false},
        {{"alias box", "REF", true}, true, false},
        {{"alias box without original", "REF"}, false, false},
    };
    for (const Row& r : rows) {
        make(r.shape);
        EditCommandStates s = editCommandStates(list);
        SCOPED_TRACE(r.shape.name);
        EXPECT_TRUE(s.properties && s.deletePerson && s.makeHome && s.linkButtons);
        EXPECT_FALSE(s.align);
        EXPECT_EQ(s.organizeAncestors, r.organize);
        EXPECT_EQ(s.createAncestorTree, r.create);
    }

    list.setCurrentPerson(nullptr);
    EditCommandStates none = editCommandStates(list);
    EXPECT_FALSE(none.properties || none.deletePerson || none.makeHome || none.align ||
                 none.linkButtons || none.organizeAncestors || none.createAncestorTree);
    list.setSelection({list.personListHead()});
    EditCommandStates selected = editCommandStates(list);
    EXPECT_TRUE(selected.deletePerson && selected.align);
    EXPECT_FALSE(selected.properties || selected.makeHome);
}

TEST_F(CommandStates, ContextMenuWithoutASinglePerson) {
    ContextMenuState empty = contextMenuState(list);
    EXPECT_TRUE(empty.newPersonVisible);
    EXPECT_FALSE(empty.properties || empty.deletePerson || empty.linkToRelative ||
                 empty.deleteLinkMenu || empty.goToAlias || empty.align || empty.makeAlias);
    EXPECT_EQ(empty.goToFatherCaption.fixed, "&Ojciec");
    EXPECT_EQ(empty.goToMotherCaption.fixed, "&Matka");
    EXPECT_TRUE(empty.goToFatherCaption.names.empty());

    // A selection beside the current person turns the one-person items off.
    PersonRecord* p = make({"linked", "", true, true, true});
    list.setSelection({p});
    ContextMenuState s = contextMenuState(list);
    EXPECT_FALSE(s.newPersonVisible);
    EXPECT_TRUE(s.deletePerson && s.align);
    EXPECT_FALSE(s.properties || s.linkToFather || s.linkToRelative || s.deleteLinkMenu ||
                 s.deleteLinkItemsVisible || s.deleteLinkToMother || s.goToMother ||
                 s.relativesList || s.zoomToPerson || s.makeAlias);

    list.setCurrentPerson(nullptr);
    s = contextMenuState(list);
    EXPECT_FALSE(s.newPersonVisible);
    EXPECT_TRUE(s.deletePerson && s.align);
}

TEST_F(CommandStates, ContextMenuForOnePerson) {
    struct Row {
        Shape shape;
        bool linkParents, delFather, delMother, delRelative, makeAlias, makeThis;
        const char* aliasCaption;
    } rows[] = {
        {{"bare"}, true, false, false, false, true, true, ""},
        {{"linked", "", true, true, true}, true, true, true, true, true, false, ""},
        {{"alias box", "REF", true, true, true},
         false,
         false,
         true,
         true,
         false,
         false,
         "Ory&ginal"},
        {{"original", "ALIAS", false, false, true},
         true,
         false,
         false,
         true,
         false,
         false,
         "&Alias"},
        // A mark this program never writes blocks only "Stwórz &alias" here.
        {{"foreign mark", "XYZ"}, true, false, false, false, false, true, ""},
    };
    for (const Row& r : rows) {
        make(r.shape);
        ContextMenuState s = contextMenuState(list);
        SCOPED_TRACE(r.shape.name);
        EXPECT_FALSE(s.newPersonVisible);
        EXPECT_TRUE(s.properties && s.deletePerson && s.linkToRelative && s.deleteLinkMenu &&
                    s.deleteLinkItemsVisible && s.siblingsList && s.childrenList && s.zoomToPerson);
        EXPECT_FALSE(s.align);
        EXPECT_EQ(s.linkToFather, r.linkParents);
        EXPECT_EQ(s.linkToMother, r.linkParents);
        EXPECT_EQ(s.deleteLinkToFather, r.delFather);
        EXPECT_EQ(s.goToFather, r.delFather);
        EXPECT_EQ(s.deleteLinkToMother, r.delMother);
        EXPECT_EQ(s.goToMother, r.delMother);
        EXPECT_EQ(s.deleteLinkToRelative, r.delRelative);
        EXPECT_EQ(s.relativesList, r.delRelative);
        EXPECT_EQ(s.makeAlias, r.makeAlias);
        EXPECT_EQ(s.makeThisAnAlias, r.makeThis);
        EXPECT_EQ(s.goToAliasCaption, r.aliasCaption);
        EXPECT_EQ(s.goToAlias, *r.aliasCaption != '\0');
    }
}

TEST_F(CommandStates, GoToParentCaptionsNameTheParents) {
    make({"child", "", true, true});
    ContextMenuState s = contextMenuState(list);
    EXPECT_EQ(s.goToFatherCaption.fixed, "&Ojciec: ");
    EXPECT_EQ(s.goToFatherCaption.names, "Jan Kowalski");
    EXPECT_EQ(s.goToMotherCaption.fixed, "&Matka: ");
    EXPECT_EQ(s.goToMotherCaption.names, "Ewa ");

    make({"orphan"});
    s = contextMenuState(list);
    EXPECT_EQ(s.goToFatherCaption.fixed, "&Ojciec");
    EXPECT_TRUE(s.goToMotherCaption.names.empty());
}

}  // namespace
}  // namespace lineara
